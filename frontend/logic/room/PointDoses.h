#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/result/DisplayGrid.h"
#include "logic/room/EvaluationPoint.h"
#include "logic/room/GridPlace.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// Yearly doses at the evaluation points from the display grid of the effective dose (H1cm)
// rate. The grid holds μSv per minute at the result's own tube current; the workload scales
// it to the room's use:
//   annual (mSv) = rate × workload / tube current × weeks × occupancy × transmission / 1000
// with the workload in mA·min of beam-on fluoroscopy per week. The apron and a lead barrier
// add up to one lead thickness; a concrete barrier counts as the lead of the same
// transmission at the result's tube voltage, added to it. Since the fitted curves flatten
// with thickness (the beam hardens), one thicker layer lets through at least as much as the
// product of two separate ones: the sum is the cautious way to stack them.

// How much the room is used.
struct Workload {
    double maMinutesPerWeek = 0.0;             // beam-on fluoroscopy, mA·min per week
    double weeksPerYear = DefaultWeeksPerYear; // weeks of work per year
};

// A workload given as procedures: procedures per week × minutes of fluoroscopy each × the
// mean tube current, mA·min per week.
double WorkloadOfProcedures(double proceduresPerWeek, double minutesPerProcedure, double meanCurrentMa);

// What of the result the doses need from its header.
struct ResultExposure {
    double tubeVoltageKv = 0.0; // the transmissions are taken at this voltage
    double tubeCurrentMa = 0.0; // the grid's rates are per minute at this current
};

// Why doses cannot be worked out for a result: a tube voltage outside the transmission table,
// or a tube current that is not a positive number (an engine writes 10 mA or more as
// asterisks); nothing when they can.
std::optional<Problem> ExposureRefusal(const ResultExposure& exposure);

// Why a workload cannot be used (negative or not a number, weeks not positive); nothing when it can.
std::optional<Problem> WorkloadRefusal(const Workload& workload);

// The verdict on one point.
enum class DoseStatus {
    Pass,       // the annual dose stays at or below the limit
    Fail,       // the annual dose exceeds the limit
    Unscored,   // within 20 cm of the bed's axis: the grid holds no dose there
    OutOfRange, // beyond the scored range: the grid holds no dose there
};

// Word of a status in the doses file: "pass", "fail", "unscored" or "out_of_range".
const char* DoseStatusKey(DoseStatus status);

// The dose at one point. The numbers are NaN where the status gives none (no rate outside
// the scored area; no uncertainty without an uncertainty grid).
struct PointDose {
    DoseStatus status = DoseStatus::OutOfRange; // the verdict
    double rateUsvPerMin = 0.0;                 // grid rate at the point, μSv/min at the result's current
    double rateErrorPercent = 0.0;              // its relative uncertainty, %
    double transmission = 0.0;                  // through apron and barrier together
    double annualMsv = 0.0;                     // after occupancy, apron and barrier, mSv per year
    double quarterMsv = 0.0;                    // a quarter of the annual dose (even use over the year)
    double extraLeadMm = 0.0;                   // lead to add for the limit; 0 for a pass
};

// The grids a dose is read from, as data processing fills them.
struct DoseGrids {
    const DisplayGrid& rate; // effective dose (H1cm) rate, μSv/min
    const DisplayGrid* errorPercent =
        nullptr; // relative uncertainty of each rate, %, same indexing; may be absent
};

// The grid's rate at a point, before any workload: where the grid holds none, the rate is NaN
// and the status says why.
struct PointRate {
    GridCoverage coverage = GridCoverage::OutOfRange; // Scored where there is a rate
    double rateUsvPerMin = 0.0;                       // grid rate at the point, μSv/min; NaN where none
    double rateErrorPercent = 0.0;                    // its relative uncertainty, %; NaN without one
};

// The rate at `point` in `layout` from the element nearest to it at its height; an element
// without a value counts as unscored.
PointRate RateAtPoint(const EvaluationPoint& point, const RoomLayout& layout, const DoseGrids& grids);

// The dose at `point` in `layout`. The exposure and the workload must have passed their
// refusals above.
PointDose EvaluatePointDose(const EvaluationPoint& point, const RoomLayout& layout, const DoseGrids& grids,
    const ResultExposure& exposure, const Workload& workload);

// The doses of all points, in their order.
std::vector<PointDose> EvaluatePointDoses(const std::vector<EvaluationPoint>& points,
    const RoomLayout& layout, const DoseGrids& grids, const ResultExposure& exposure,
    const Workload& workload);

} // namespace brisca
