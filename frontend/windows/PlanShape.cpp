#include "windows/PlanShape.h"

#include <QPainter>
#include <algorithm>

#include "windows/PictureBox.h"

namespace brisca {

namespace {

// Thickness of every element's outline, in pixels.
constexpr int BorderPixels = 2;

} // namespace

PlanShape::PlanShape(Outline outline, const QColor& border, const QBrush& fill, PictureBox& plan)
    : QWidget(&plan), plan_(plan), outline_(outline), border_(border), fill_(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void PlanShape::setBox(const PlanBox& box)
{
    box_ = box;
    const QPoint topLeft = plan_.toPixel(box.left, box.top);
    const QPoint bottomRight = plan_.toPixel(box.left + box.width, box.top + box.height);
    // A very small element still shows its outline.
    const int w = std::max(bottomRight.x() - topLeft.x(), 2 * BorderPixels);
    const int h = std::max(bottomRight.y() - topLeft.y(), 2 * BorderPixels);
    setGeometry(topLeft.x(), topLeft.y(), w, h);
    update();
}

void PlanShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, outline_ == Outline::Circle);
    p.setPen(QPen(border_, BorderPixels, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill_);
    // The pen is centred on the path: inset by half its width to keep the outline inside.
    const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (outline_ == Outline::Circle)
        p.drawEllipse(inside);
    else
        p.drawRect(inside);
}

} // namespace brisca
