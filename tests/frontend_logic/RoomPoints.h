#pragma once

#include <vector>

#include "logic/room/EvaluationPoint.h"

// Points around the default layout (bed along x, object at 300, 250): an operator beside the
// table, a nurse further off, one on the axis, one behind the wall beyond the scored range.
inline std::vector<brisca::EvaluationPoint> RoomPoints()
{
    using namespace brisca;
    std::vector<EvaluationPoint> points = {DefaultPoint("術者", 300, 310, PersonCategory::Occupational),
        DefaultPoint("nurse", 150, 380, PersonCategory::Occupational),
        DefaultPoint("axis", 300, 260, PersonCategory::Occupational),
        DefaultPoint("control room", 350, 700, PersonCategory::Public)};
    points[0].apronMmPb = 0.35;
    points[1].apronMmPb = 0.25;
    points[1].limitMsvPerYear = 0.01;
    return points;
}
