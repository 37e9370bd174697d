#pragma once

#include <QBrush>
#include <QColor>
#include <QWidget>

#include "logic/room/LayoutPlan.h"

namespace brisca {

class PictureBox;

// One element of the layout plan, a rectangle or a circle in plan units, laid over the plan's
// picture at the picture's user scale. Clicks pass through it to the plan underneath, so an
// element never stops the user from placing another one on top of it.
class PlanShape : public QWidget {
    Q_OBJECT
public:
    // How the element is outlined.
    enum class Outline { Rectangle, Circle };

    // A hidden element on `plan`, outlined in `border` with a 2-pixel line and filled by `fill`.
    PlanShape(Outline outline, const QColor& border, const QBrush& fill, PictureBox& plan);

    // Moves and sizes the element to `box`, in plan units.
    void setBox(const PlanBox& box);
    // Where the element stands, in plan units.
    const PlanBox& box() const { return box_; }

protected:
    // Draws the outline and the fill inside the widget's rectangle.
    void paintEvent(QPaintEvent* event) override;

private:
    PictureBox& plan_; // the picture whose user scale places the element
    Outline outline_;  // rectangle or circle
    QColor border_;    // outline colour
    QBrush fill_;      // interior
    PlanBox box_;      // position and size in plan units
};

} // namespace brisca
