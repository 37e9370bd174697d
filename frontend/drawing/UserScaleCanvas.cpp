#include "drawing/UserScaleCanvas.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace brisca {

namespace {

// Arc angles in Qt's unit of 1/16 degree.
int Sixteenths(double radians)
{
    return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
}

} // namespace

QPoint PixelOf(const UserScale& scale, QSize pixels, double x, double y)
{
    return QPoint(static_cast<int>(std::floor((x - scale.left) * pixels.width() / scale.width + 0.5)),
        static_cast<int>(std::floor((y - scale.top) * pixels.height() / scale.height + 0.5)));
}

UserScaleCanvas::UserScaleCanvas(QImage& image, double left, double top, double width, double height)
    : image_(image), scale_{left, top, width, height}
{
}

int UserScaleCanvas::RadiusPixels(double r) const
{
    return static_cast<int>(std::lround(std::fabs(r) * image_.width() / scale_.width));
}

void UserScaleCanvas::Clear(const QColor& c) { image_.fill(c); }

void UserScaleCanvas::Line(double x1, double y1, double x2, double y2, const QColor& c)
{
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(ToPixel(x1, y1), ToPixel(x2, y2));
}

void UserScaleCanvas::Box(double x1, double y1, double x2, double y2, const QColor& c)
{
    const QPoint a = ToPixel(x1, y1);
    const QPoint b = ToPixel(x2, y2);
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(solidFill_ ? QBrush(fillColor_) : QBrush(Qt::NoBrush));
    p.drawPolygon(QPolygon({a, QPoint(b.x(), a.y()), b, QPoint(a.x(), b.y())}));
}

void UserScaleCanvas::FilledBox(double x1, double y1, double x2, double y2, const QColor& c)
{
    // The far corner is exclusive, so boxes that share an edge do not overlap.
    const QPoint a = ToPixel(x1, y1);
    const QPoint b = ToPixel(x2, y2);
    QPainter(&image_).fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                   QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()))),
        c);
}

void UserScaleCanvas::Circle(double x, double y, double r, const QColor& c)
{
    const QPoint centre = ToPixel(x, y);
    const int radius = RadiusPixels(r);
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_));
    p.setBrush(solidFill_ ? QBrush(fillColor_) : QBrush(Qt::NoBrush));
    p.drawEllipse(centre, radius, radius);
}

void UserScaleCanvas::Arc(double x, double y, double r, const QColor& c, double start, double end)
{
    const QPoint centre = ToPixel(x, y);
    const int radius = RadiusPixels(r);
    double span = end - start;
    if (span < 0.0) span += 2.0 * std::numbers::pi;
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Sixteenths(start),
        Sixteenths(span));
}

void UserScaleCanvas::SetPixel(double x, double y, const QColor& c)
{
    const QPoint at = ToPixel(x, y);
    if (image_.rect().contains(at)) image_.setPixel(at, c.rgb());
}

void UserScaleCanvas::Dot(double x, double y, QRgb c)
{
    const QPoint at = ToPixel(x, y);
    const int half = drawWidth_ / 2;
    const QRect dot = QRect(at.x() - half, at.y() - half, drawWidth_, drawWidth_) & image_.rect();
    const bool direct = image_.depth() == 32;
    for (int py = dot.top(); py <= dot.bottom(); ++py) {
        if (direct) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(py));
            for (int px = dot.left(); px <= dot.right(); ++px) line[px] = c;
        } else {
            for (int px = dot.left(); px <= dot.right(); ++px) image_.setPixel(px, py, c);
        }
    }
}

void UserScaleCanvas::Text(double x, double y, const QString& text, const QFont& font, const QColor& c)
{
    const QPoint at = ToPixel(x, y);
    QPainter p(&image_);
    p.setFont(font);
    p.setPen(c);
    p.drawText(at.x(), at.y() + p.fontMetrics().ascent(), text);
}

} // namespace brisca
