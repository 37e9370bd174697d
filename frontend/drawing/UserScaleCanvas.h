#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace brisca {

// A user coordinate scale: the user rectangle that a picture's whole area spans, y growing
// downwards when height is positive.
struct UserScale {
    double left = 0.0;   // user x of the left edge
    double top = 0.0;    // user y of the top edge
    double width = 0.0;  // user extent of the picture's width
    double height = 0.0; // user extent of the picture's height
};

// Pixel of user point (x, y) on a picture of `pixels` under `scale`, rounded to the nearest
// pixel. The offset is multiplied by the pixel count before the division by the extent, so
// that whole user units on a whole number of pixels land exactly.
QPoint PixelOf(const UserScale& scale, QSize pixels, double x, double y);

// Drawing operations in user coordinates over an image owned elsewhere: a scale of left, top,
// width and height in user units (y grows downwards), a line width in pixels and a fill
// colour used by closed figures while filling is on.
class UserScaleCanvas {
public:
    // A canvas over `image` whose whole area spans the given user rectangle.
    UserScaleCanvas(QImage& image, double left, double top, double width, double height);

    // Pixel of user point (x, y), rounded to the nearest pixel.
    QPoint ToPixel(double x, double y) const { return PixelOf(scale_, image_.size(), x, y); }

    // Line width in pixels of lines and outlines (at least 1).
    void SetDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    // Interior colour of boxes and circles drawn while filling is on.
    void SetFillColor(const QColor& c) { fillColor_ = c; }
    // Whether boxes and circles are filled with the fill colour.
    void SetSolidFill(bool on) { solidFill_ = on; }

    // Fills the whole image with colour c.
    void Clear(const QColor& c);
    // Straight line from (x1, y1) to (x2, y2) in colour c.
    void Line(double x1, double y1, double x2, double y2, const QColor& c);
    // Outline of the box with corners (x1, y1) and (x2, y2) in colour c, filled when filling is on.
    void Box(double x1, double y1, double x2, double y2, const QColor& c);
    // Box with corners (x1, y1) and (x2, y2) filled entirely with colour c, no outline.
    void FilledBox(double x1, double y1, double x2, double y2, const QColor& c);
    // Circle of radius r (horizontal units) at (x, y) outlined in colour c, filled when filling is on.
    void Circle(double x, double y, double r, const QColor& c);
    // Arc of that circle from angle start to angle end (radians, counter-clockwise on the
    // screen from +x); an end below the start passes through angle 0.
    void Arc(double x, double y, double r, const QColor& c, double start, double end);
    // One pixel at (x, y) in colour c.
    void SetPixel(double x, double y, const QColor& c);
    // A square dot of the line width centred on (x, y) in colour c, written straight into the
    // image: pictures of many thousand dots cannot afford a painter per dot.
    void Dot(double x, double y, QRgb c);
    // Text in colour c with its top left corner at (x, y).
    void Text(double x, double y, const QString& text, const QFont& font, const QColor& c);

private:
    // Radius in pixels of a circle of radius r in horizontal user units.
    int RadiusPixels(double r) const;

    QImage& image_;
    UserScale scale_;
    int drawWidth_ = 1;
    QColor fillColor_ = Qt::black;
    bool solidFill_ = false;
};

} // namespace brisca
