#pragma once

#include <QImage>
#include <QWidget>

#include "drawing/UserScaleCanvas.h"

namespace brisca {

// Mouse button codes of the mouse events: left 1, right 2, middle 4.
enum MouseButtonCode { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// A picture on a window: a persistent image drawn through a UserScaleCanvas in the picture's
// user scale, shown inside an optional sunken border, with mouse positions in user units.
// Whatever is drawn stays until it is cleared, whether the window is shown, hidden or covered.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    // An empty white picture with a sunken border, one user unit per pixel.
    explicit PictureBox(QWidget* parent = nullptr);

    // User scale: the left and top edge in user units and the extent of the inner area;
    // y grows downwards when height is positive.
    void setScale(double left, double top, double width, double height);
    // Whether a 2-pixel sunken border surrounds the drawing area.
    void setBorder(bool sunken);

    // Clears the picture to white.
    void clear();
    // A canvas over the picture in its user scale; call update() when the drawing is done.
    UserScaleCanvas canvas();
    // The picture as drawn so far, one pixel per image pixel of the inner area; call update()
    // after drawing into it directly.
    QImage& image();
    // Pixel position of user point (x, y) in the image.
    QPoint toPixel(double x, double y) const;

signals:
    // A mouse button was pressed at (x, y) in user units; button is a MouseButtonCode.
    void mouseDown(int button, double x, double y);
    // The mouse moved to (x, y) in user units; button holds the pressed buttons.
    void mouseMove(int button, double x, double y);
    // A mouse button was released at (x, y) in user units.
    void mouseUp(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int borderWidth() const { return sunken_ ? 2 : 0; }
    QSize innerSize() const;
    UserScale effectiveScale() const;
    void ensureImage();
    QPointF toUser(const QPointF& widgetPos) const;

    QImage image_;
    UserScale scale_; // a width or height of 0 stands for the inner pixels
    bool sunken_ = true;
};

} // namespace brisca
