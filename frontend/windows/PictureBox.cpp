#include "windows/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureBox::setScale(double left, double top, double width, double height)
{
    scale_ = {left, top, width, height};
}

void PictureBox::setBorder(bool sunken)
{
    sunken_ = sunken;
    update();
}

QSize PictureBox::innerSize() const
{
    const int border = 2 * borderWidth();
    return QSize(std::max(1, width() - border), std::max(1, height() - border));
}

UserScale PictureBox::effectiveScale() const
{
    const QSize inner = innerSize();
    UserScale scale = scale_;
    if (scale.width == 0.0) scale.width = inner.width();
    if (scale.height == 0.0) scale.height = inner.height();
    return scale;
}

// The image follows the widget's size; what was drawn stays where it was.
void PictureBox::ensureImage()
{
    const QSize inner = innerSize();
    if (image_.size() == inner) return;
    QImage grown(inner, QImage::Format_RGB32);
    grown.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}

void PictureBox::clear()
{
    canvas().Clear(Qt::white);
    update();
}

UserScaleCanvas PictureBox::canvas()
{
    ensureImage();
    const UserScale scale = effectiveScale();
    return UserScaleCanvas(image_, scale.left, scale.top, scale.width, scale.height);
}

QImage& PictureBox::image()
{
    ensureImage();
    return image_;
}

QPoint PictureBox::toPixel(double x, double y) const { return PixelOf(effectiveScale(), innerSize(), x, y); }

QPointF PictureBox::toUser(const QPointF& widgetPos) const
{
    const QSize inner = innerSize();
    const UserScale scale = effectiveScale();
    return QPointF(scale.left + (widgetPos.x() - borderWidth()) * scale.width / inner.width(),
        scale.top + (widgetPos.y() - borderWidth()) * scale.height / inner.height());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    ensureImage();
    QPainter p(this);
    p.drawImage(borderWidth(), borderWidth(), image_);
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
    const QPointF at = toUser(event->position());
    emit mouseDown(MouseCode(event->button()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = toUser(event->position());
    emit mouseMove(MouseCode(event->buttons()), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = toUser(event->position());
    emit mouseUp(MouseCode(event->button()), at.x(), at.y());
}

} // namespace brisca
