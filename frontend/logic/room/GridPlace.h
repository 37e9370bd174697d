#pragma once

#include "logic/room/RoomLayout.h"

namespace brisca {

// Where a point of the room plan falls on the 1 cm display grid. The overlay lays the grid
// around the object centre with the lateral distance across the bed's axis and the other
// axis along it; the grid holds |lateral| only, the scatter being the same on both sides of
// the axis, so a point on either side reads the same column.

// How a plan point relates to the grid's scored area.
enum class GridCoverage {
    Scored,     // on a drawn element: 21..400 cm from the axis, −299..300 cm along it
    Unscored,   // in the strip within 20 cm of the bed's axis, where nothing is scored
    OutOfRange, // beyond 400 cm from the axis or beyond −299..300 cm along it
};

// A plan point's grid element, nearest to the point.
struct GridPlace {
    GridCoverage coverage = GridCoverage::OutOfRange; // whether the element holds a drawn value
    int column = 0;                                   // c: lateral distance 20 + c cm
    int row = 0;                                      // r: −300 + r cm along the axis
};

// Whether the bed lies along x (wider than deep); a square bed counts as lying along y.
bool BedLiesAlongX(const RoomLayout& layout);

// The grid element nearest to plan point (x, y), cm, mapped as the overlay draws: for a bed
// along x the lateral distance is |y − cy| and the row 300 − (x − cx); otherwise |x − cx| and
// 300 + (y − cy). Halves round up. An element outside the drawn columns 1..380 and rows
// 1..600 is not scored; along the axis beyond the rows counts before the strip.
GridPlace GridPlaceOf(const RoomLayout& layout, double x, double y);

// Whether part of the room, as the overlay draws it (5 cm clear of the walls), lies beyond
// the scored range on either side of the bed's axis: there the plan shows no dose at all.
bool RoomBeyondScoredRange(const RoomLayout& layout);

} // namespace brisca
