#pragma once

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "logic/room/EvaluationPoint.h"
#include "logic/room/PointDoses.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// What the overlay draws on the plan besides the distribution: the areas where the grid holds
// no dose, a scale bar, a key to both, and the evaluation points. All of it is drawn in the
// overlay picture itself, so the window and brisca-map show the same.

// Colour of the hatching over the areas without a dose: unlike any band of the legend.
inline const QColor NoDoseHatchColour{90, 90, 90};

// Hatches, 5 cm clear of the walls as the distribution is cut, the parts of the room where
// the grid holds no dose: the strip within 20 cm of the bed's axis and everything beyond the
// scored range (400 cm from the axis, −299..300 cm along it), on both sides of the axis.
void HatchNoDoseAreas(QImage& picture, const RoomLayout& layout);

// A scale bar of 0.5, 1, 2, 5 or 10 m (the longest that stays under 170 pixels) with the key to
// the hatching in a corner of the picture that the room never reaches: the upper left above a
// room wider than tall, else the lower left.
void DrawScaleAndKey(QImage& picture, const RoomLayout& layout);

// How an evaluation point is marked.
enum class PointMarkState {
    NotEvaluated, // no workload given: a black ring
    Pass,         // a green ring
    Fail,         // a red ring with a cross
    NoDose,       // unscored or out of range: a grey ring
};

// One evaluation point as the plan shows it.
struct PointMark {
    std::string name;                                    // written beside the mark on a white ground
    double xCm = 0.0;                                    // plan position, cm
    double yCm = 0.0;                                    // plan position, cm
    PointMarkState state = PointMarkState::NotEvaluated; // the ring's colour
};

// The marks of `points`, each by the verdict of its dose in `doses` (in the same order), or
// unjudged where `doses` has none (no workload given).
std::vector<PointMark> PointMarksOf(
    const std::vector<EvaluationPoint>& points, const std::vector<PointDose>& doses);

// Colour of a mark's ring.
QColor PointMarkColour(PointMarkState state);

// Draws each point as a ring of its state's colour at its plan position with its name beside
// it, and, when there are any, a key to the colours above the hatching key.
void DrawPointMarks(QImage& picture, const RoomLayout& layout, const std::vector<PointMark>& marks);

} // namespace brisca
