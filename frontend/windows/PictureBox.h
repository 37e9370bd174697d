#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

namespace brisca {

// How closed figures (boxes drawn as outlines, circles) are filled.
enum class FillStyle {
    Solid,
    Transparent,
    HorizontalLine,
    VerticalLine,
    UpwardDiagonal,
    DownwardDiagonal,
    Cross,
    DiagonalCross
};

// Mouse button codes of the mouse events: left 1, right 2, middle 4.
enum MouseButtonCode { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// A drawing area with a user coordinate scale over a persistent image: whatever is drawn stays
// until it is cleared, whether the window is shown, hidden or covered.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    // An empty picture with a sunken border and the user scale of its pixels.
    explicit PictureBox(QWidget* parent = nullptr);

    // User scale: the left and top edge in user units and the extent of the inner area;
    // y grows downwards when height is positive.
    void SetScale(double left, double top, double width, double height);
    // Left edge in user units.
    double ScaleLeft() const { return scaleLeft_; }
    // Top edge in user units.
    double ScaleTop() const { return scaleTop_; }
    // Width of the inner area in user units.
    double ScaleWidth() const { return scaleWidth_; }
    // Height of the inner area in user units.
    double ScaleHeight() const { return scaleHeight_; }

    // Whether a 2-pixel sunken border surrounds the drawing area.
    void SetBorder(bool sunken);
    // Line width in pixels for lines, outlines and dots.
    void SetDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    // Line width in pixels.
    int DrawWidth() const { return drawWidth_; }
    // Colour of lines, outlines and text when no colour is named.
    void SetForeColor(const QColor& c) { foreColor_ = c; }
    // Colour the picture is cleared to.
    void SetBackColor(const QColor& c) { backColor_ = c; }
    // Interior colour of outlined boxes and circles.
    void SetFillColor(const QColor& c) { fillColor_ = c; }
    // Interior pattern of outlined boxes and circles.
    void SetFillStyle(FillStyle s) { fillStyle_ = s; }
    // Font of the text written by Print.
    void SetTextFont(const QFont& f) { textFont_ = f; }

    // Current point in user units: the top left corner of the next text.
    double CurrentX = 0.0;
    double CurrentY = 0.0; // see CurrentX

    // Clears to the background colour and moves the current point to (0, 0).
    void Cls();
    // Straight line in the fore colour; the current point moves to its end.
    void Line(double x1, double y1, double x2, double y2);
    // Straight line in colour c.
    void Line(double x1, double y1, double x2, double y2, const QColor& c);
    // Outline of the box with corners (x1, y1) and (x2, y2) in colour c, interior filled by the
    // fill style.
    void Box(double x1, double y1, double x2, double y2, const QColor& c);
    // Box with corners (x1, y1) and (x2, y2) filled entirely with colour c.
    void BoxFilled(double x1, double y1, double x2, double y2, const QColor& c);
    // Circle of radius r (horizontal user units) at (x, y), outlined in colour c and filled by
    // the fill style.
    void Circle(double x, double y, double r, const QColor& c);
    // Arc of that circle from angle start to angle end (radians, counter-clockwise from +x on
    // the screen); an end below the start passes through angle 0.
    void Arc(double x, double y, double r, const QColor& c, double start, double end);
    // A dot of the line width at (x, y) in colour c; the current point moves there.
    void PSet(double x, double y, const QColor& c);
    // Writes text at the current point in the fore colour, then moves to the next line.
    void Print(const QString& text);
    // Width of text in horizontal user units.
    double TextWidth(const QString& text) const;
    // Height of one text line in vertical user units.
    double TextHeight() const;

    // The picture as drawn so far, one pixel per image pixel of the inner area.
    const QImage& Image();
    // The image itself, for drawing many pixels at once; call update() to show what was drawn.
    QImage& Surface();
    // Pixel position of user point (x, y) in the image.
    QPoint ToPixel(double x, double y) const;

signals:
    // A mouse button was pressed at (x, y) in user units; button is a MouseButtonCode.
    void MouseDown(int button, double x, double y);
    // The mouse moved to (x, y) in user units; button holds the pressed buttons.
    void MouseMove(int button, double x, double y);
    // A mouse button was released at (x, y) in user units.
    void MouseUp(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int BorderWidth() const { return sunken_ ? 2 : 0; }
    QSize InnerSize() const;
    void EnsureImage();
    QPointF ToUser(const QPointF& widgetPos) const;
    QBrush FillBrush() const;

    QImage image_;
    double scaleLeft_ = 0.0;
    double scaleTop_ = 0.0;
    double scaleWidth_ = 0.0;  // 0: the inner width in pixels
    double scaleHeight_ = 0.0; // 0: the inner height in pixels
    bool sunken_ = true;
    int drawWidth_ = 1;
    QColor foreColor_ = Qt::black;
    QColor backColor_ = Qt::white;
    QColor fillColor_ = Qt::black;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QFont textFont_;
};

} // namespace brisca
