#include "windows/PictureBox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace brisca {

namespace {

int MouseCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton) code |= LeftButton;
    if (buttons & Qt::RightButton) code |= RightButton;
    if (buttons & Qt::MiddleButton) code |= MiddleButton;
    return code;
}

// Arc angles in Qt's unit of 1/16 degree.
int Sixteenths(double radians)
{
    return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureBox::SetScale(double left, double top, double width, double height)
{
    scaleLeft_ = left;
    scaleTop_ = top;
    scaleWidth_ = width;
    scaleHeight_ = height;
}

void PictureBox::SetBorder(bool sunken)
{
    sunken_ = sunken;
    update();
}

QSize PictureBox::InnerSize() const
{
    const int border = 2 * BorderWidth();
    return QSize(std::max(1, width() - border), std::max(1, height() - border));
}

// The image follows the widget's size; what was drawn stays where it was.
void PictureBox::EnsureImage()
{
    const QSize inner = InnerSize();
    if (image_.size() == inner) return;
    QImage grown(inner, QImage::Format_RGB32);
    grown.fill(backColor_);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}

const QImage& PictureBox::Image()
{
    EnsureImage();
    return image_;
}

QImage& PictureBox::Surface()
{
    EnsureImage();
    return image_;
}

QPoint PictureBox::ToPixel(double x, double y) const
{
    const QSize inner = InnerSize();
    const double w = scaleWidth_ != 0.0 ? scaleWidth_ : inner.width();
    const double h = scaleHeight_ != 0.0 ? scaleHeight_ : inner.height();
    const double px = (x - scaleLeft_) * inner.width() / w;
    const double py = (y - scaleTop_) * inner.height() / h;
    return QPoint(static_cast<int>(std::floor(px + 0.5)), static_cast<int>(std::floor(py + 0.5)));
}

QPointF PictureBox::ToUser(const QPointF& widgetPos) const
{
    const QSize inner = InnerSize();
    const double w = scaleWidth_ != 0.0 ? scaleWidth_ : inner.width();
    const double h = scaleHeight_ != 0.0 ? scaleHeight_ : inner.height();
    return QPointF(scaleLeft_ + (widgetPos.x() - BorderWidth()) * w / inner.width(),
        scaleTop_ + (widgetPos.y() - BorderWidth()) * h / inner.height());
}

QBrush PictureBox::FillBrush() const
{
    switch (fillStyle_) {
    case FillStyle::Solid:
        return QBrush(fillColor_, Qt::SolidPattern);
    case FillStyle::Transparent:
        return Qt::NoBrush;
    case FillStyle::HorizontalLine:
        return QBrush(fillColor_, Qt::HorPattern);
    case FillStyle::VerticalLine:
        return QBrush(fillColor_, Qt::VerPattern);
    case FillStyle::UpwardDiagonal:
        return QBrush(fillColor_, Qt::BDiagPattern);
    case FillStyle::DownwardDiagonal:
        return QBrush(fillColor_, Qt::FDiagPattern);
    case FillStyle::Cross:
        return QBrush(fillColor_, Qt::CrossPattern);
    case FillStyle::DiagonalCross:
        return QBrush(fillColor_, Qt::DiagCrossPattern);
    }
    return Qt::NoBrush;
}

void PictureBox::Cls()
{
    EnsureImage();
    image_.fill(backColor_);
    CurrentX = 0.0;
    CurrentY = 0.0;
    update();
}

void PictureBox::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, foreColor_); }

void PictureBox::Line(double x1, double y1, double x2, double y2, const QColor& c)
{
    EnsureImage();
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(ToPixel(x1, y1), ToPixel(x2, y2));
    CurrentX = x2;
    CurrentY = y2;
    update();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, const QColor& c)
{
    EnsureImage();
    const QPoint a = ToPixel(x1, y1);
    const QPoint b = ToPixel(x2, y2);
    const QPolygon corners({a, QPoint(b.x(), a.y()), b, QPoint(a.x(), b.y())});
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(FillBrush());
    p.drawPolygon(corners);
    CurrentX = x2;
    CurrentY = y2;
    update();
}

void PictureBox::BoxFilled(double x1, double y1, double x2, double y2, const QColor& c)
{
    EnsureImage();
    QPainter p(&image_);
    p.fillRect(QRect(ToPixel(x1, y1), ToPixel(x2, y2)).normalized(), c);
    CurrentX = x2;
    CurrentY = y2;
    update();
}

void PictureBox::Circle(double x, double y, double r, const QColor& c)
{
    EnsureImage();
    const QPoint centre = ToPixel(x, y);
    const int radius = ToPixel(scaleLeft_ + std::fabs(r), scaleTop_).x();
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_));
    p.setBrush(FillBrush());
    p.drawEllipse(centre, radius, radius);
    CurrentX = x;
    CurrentY = y;
    update();
}

void PictureBox::Arc(double x, double y, double r, const QColor& c, double start, double end)
{
    EnsureImage();
    const QPoint centre = ToPixel(x, y);
    const int radius = ToPixel(scaleLeft_ + std::fabs(r), scaleTop_).x();
    double span = end - start;
    if (span < 0.0) span += 2.0 * std::numbers::pi;
    QPainter p(&image_);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Sixteenths(start),
        Sixteenths(span));
    CurrentX = x;
    CurrentY = y;
    update();
}

void PictureBox::PSet(double x, double y, const QColor& c)
{
    EnsureImage();
    const QPoint at = ToPixel(x, y);
    if (drawWidth_ == 1) {
        // The map sets hundreds of thousands of single pixels: no painter for those.
        if (image_.rect().contains(at)) image_.setPixel(at, c.rgb());
    } else {
        // A dot a few pixels wide: a square of the line width centred on the point.
        QPainter p(&image_);
        const int half = (drawWidth_ - 1) / 2;
        p.fillRect(at.x() - half, at.y() - half, drawWidth_, drawWidth_, c);
    }
    CurrentX = x;
    CurrentY = y;
    update();
}

void PictureBox::Print(const QString& text)
{
    EnsureImage();
    const QFontMetrics metrics(textFont_);
    const QPoint at = ToPixel(CurrentX, CurrentY);
    QPainter p(&image_);
    p.setFont(textFont_);
    p.setPen(foreColor_);
    p.drawText(at.x(), at.y() + metrics.ascent(), text);
    CurrentX = scaleLeft_;
    CurrentY += TextHeight();
    update();
}

double PictureBox::TextWidth(const QString& text) const
{
    const double w = scaleWidth_ != 0.0 ? scaleWidth_ : InnerSize().width();
    return QFontMetrics(textFont_).horizontalAdvance(text) * w / InnerSize().width();
}

double PictureBox::TextHeight() const
{
    const double h = scaleHeight_ != 0.0 ? scaleHeight_ : InnerSize().height();
    return QFontMetrics(textFont_).height() * h / InnerSize().height();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    EnsureImage();
    QPainter p(this);
    p.drawImage(BorderWidth(), BorderWidth(), image_);
    if (!sunken_) return;
    // Two-pixel sunken edge: dark above and left, light below and right.
    const int w = width() - 1;
    const int h = height() - 1;
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.setPen(palette().color(QPalette::Shadow));
    p.drawLine(1, 1, w - 1, 1);
    p.drawLine(1, 1, 1, h - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, h, w, h);
    p.drawLine(w, 0, w, h);
    p.setPen(palette().color(QPalette::Midlight));
    p.drawLine(1, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 1, w - 1, h - 1);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = ToUser(event->position());
    emit MouseDown(MouseCode(event->button()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = ToUser(event->position());
    emit MouseMove(MouseCode(event->buttons()), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = ToUser(event->position());
    emit MouseUp(MouseCode(event->button()), at.x(), at.y());
}

} // namespace brisca
