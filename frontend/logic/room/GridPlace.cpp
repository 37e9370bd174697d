#include "logic/room/GridPlace.h"

#include <algorithm>
#include <cmath>

namespace brisca {

namespace {

constexpr int FirstRow = 1;
constexpr int LastRow = 600;
constexpr int FirstColumn = 1;
constexpr int LastColumn = 380;
// The lateral distance of column c is c + 20 cm.
constexpr int ColumnOffset = 20;
// Row r lies at r − 300 cm along the axis.
constexpr int RowOffset = 300;
// The overlay cuts the distribution 5 cm clear of the walls.
constexpr double WallClearance = 5.0;

int Nearest(double value) { return static_cast<int>(std::floor(value + 0.5)); }

} // namespace

bool BedLiesAlongX(const RoomLayout& layout) { return layout.bedWidth > layout.bedHeight; }

GridPlace GridPlaceOf(const RoomLayout& layout, double x, double y)
{
    const double dx = x - layout.centreX;
    const double dy = y - layout.centreY;
    const bool alongX = BedLiesAlongX(layout);
    const double lateral = std::fabs(alongX ? dy : dx);
    const double along = alongX ? -dx : dy;
    GridPlace place;
    place.column = Nearest(lateral) - ColumnOffset;
    place.row = Nearest(along + RowOffset);
    if (place.row < FirstRow || place.row > LastRow || place.column > LastColumn)
        place.coverage = GridCoverage::OutOfRange;
    else if (place.column < FirstColumn)
        place.coverage = GridCoverage::Unscored;
    else
        place.coverage = GridCoverage::Scored;
    return place;
}

bool RoomBeyondScoredRange(const RoomLayout& layout)
{
    // The drawn room relative to the object centre.
    const double left = layout.roomLeft + WallClearance - layout.centreX;
    const double right = layout.roomLeft + layout.roomWidth - WallClearance - layout.centreX;
    const double top = layout.roomTop + WallClearance - layout.centreY;
    const double bottom = layout.roomTop + layout.roomHeight - WallClearance - layout.centreY;
    const bool alongX = BedLiesAlongX(layout);
    const double lateral =
        alongX ? std::max(std::fabs(top), std::fabs(bottom)) : std::max(std::fabs(left), std::fabs(right));
    // Along the axis, the extreme positions in the grid's sense (row r at r − 300 cm).
    const double alongLow = alongX ? -right : top;
    const double alongHigh = alongX ? -left : bottom;
    const double half = 0.5;
    return lateral >= LastColumn + ColumnOffset + half || alongLow < FirstRow - RowOffset - half ||
           alongHigh >= LastRow - RowOffset + half;
}

} // namespace brisca
