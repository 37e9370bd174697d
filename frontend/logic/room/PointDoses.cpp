#include "logic/room/PointDoses.h"

#include <cmath>
#include <limits>

#include "logic/room/GridPlace.h"
#include "logic/room/ShieldTransmission.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double MicroToMilli = 1e-3;
// Three months as a share of the year.
constexpr double QuarterOfYear = 0.25;

// The lead that stands for apron and barrier together at `kv`, mm.
double LeadEquivalentMm(const EvaluationPoint& point, double kv)
{
    double lead = point.apronMmPb;
    if (point.barrier.material == BarrierMaterial::Lead) lead += point.barrier.thicknessMm;
    if (point.barrier.material == BarrierMaterial::Concrete)
        lead +=
            LeadForTransmission(kv, Transmission(ShieldMaterial::Concrete, kv, point.barrier.thicknessMm));
    return lead;
}

} // namespace

double WorkloadOfProcedures(double proceduresPerWeek, double minutesPerProcedure, double meanCurrentMa)
{
    return proceduresPerWeek * minutesPerProcedure * meanCurrentMa;
}

std::optional<Problem> ExposureRefusal(const ResultExposure& exposure)
{
    if (!(exposure.tubeCurrentMa > 0.0) || !std::isfinite(exposure.tubeCurrentMa))
        return PlainProblem(
            "結果ファイルの管電流が読めないため線量を計算できません (10 mA 以上は *** と書かれます)",
            "the result's tube current is not a positive number (an engine writes 10 mA or more as "
            "asterisks), so its rates cannot be scaled to the workload");
    return TransmissionVoltageRefusal(exposure.tubeVoltageKv);
}

std::optional<Problem> WorkloadRefusal(const Workload& workload)
{
    if (!(workload.maMinutesPerWeek >= 0.0) || !std::isfinite(workload.maMinutesPerWeek))
        return PlainProblem("ワークロード (mA·min/週) は 0 以上の数値で指定して下さい",
            "the workload must be a number of mA·min per week, 0 or more, not " +
                PlainNumberText(workload.maMinutesPerWeek));
    if (!(workload.weeksPerYear > 0.0) || !std::isfinite(workload.weeksPerYear))
        return PlainProblem("年間の週数は正の数値で指定して下さい",
            "the weeks per year must be a positive number, not " + PlainNumberText(workload.weeksPerYear));
    return std::nullopt;
}

const char* DoseStatusKey(DoseStatus status)
{
    switch (status) {
    case DoseStatus::Pass:
        return "pass";
    case DoseStatus::Fail:
        return "fail";
    case DoseStatus::Unscored:
        return "unscored";
    case DoseStatus::OutOfRange:
        break;
    }
    return "out_of_range";
}

PointRate RateAtPoint(const EvaluationPoint& point, const RoomLayout& layout, const DoseGrids& grids)
{
    PointRate rate{GridCoverage::OutOfRange, NaN, NaN};
    const GridPlace place = GridPlaceOf(layout, point.xCm, point.yCm);
    if (place.coverage == GridCoverage::OutOfRange) return rate;
    const double value =
        place.coverage == GridCoverage::Scored ? grids.rate.At(point.layer, place.column, place.row) : NaN;
    // An element without a value is as good as unscored: nothing can be said of the dose there.
    if (std::isnan(value)) {
        rate.coverage = GridCoverage::Unscored;
        return rate;
    }
    rate.coverage = GridCoverage::Scored;
    rate.rateUsvPerMin = value;
    if (grids.errorPercent)
        rate.rateErrorPercent = grids.errorPercent->At(point.layer, place.column, place.row);
    return rate;
}

PointDose EvaluatePointDose(const EvaluationPoint& point, const RoomLayout& layout, const DoseGrids& grids,
    const ResultExposure& exposure, const Workload& workload)
{
    const PointRate at = RateAtPoint(point, layout, grids);
    const DoseStatus none =
        at.coverage == GridCoverage::Unscored ? DoseStatus::Unscored : DoseStatus::OutOfRange;
    PointDose dose{none, at.rateUsvPerMin, at.rateErrorPercent, NaN, NaN, NaN, NaN};
    if (at.coverage != GridCoverage::Scored) return dose;
    const double rate = at.rateUsvPerMin;

    const double kv = exposure.tubeVoltageKv;
    const double lead = LeadEquivalentMm(point, kv);
    dose.transmission = Transmission(ShieldMaterial::Lead, kv, lead);
    const double unshielded = rate * workload.maMinutesPerWeek / exposure.tubeCurrentMa *
                              workload.weeksPerYear * point.occupancy * MicroToMilli;
    dose.annualMsv = unshielded * dose.transmission;
    dose.quarterMsv = dose.annualMsv * QuarterOfYear;
    const bool pass = dose.annualMsv <= point.limitMsvPerYear;
    dose.status = pass ? DoseStatus::Pass : DoseStatus::Fail;
    dose.extraLeadMm = pass ? 0.0 : LeadForTransmission(kv, point.limitMsvPerYear / unshielded) - lead;
    return dose;
}

std::vector<PointDose> EvaluatePointDoses(const std::vector<EvaluationPoint>& points,
    const RoomLayout& layout, const DoseGrids& grids, const ResultExposure& exposure,
    const Workload& workload)
{
    std::vector<PointDose> doses;
    doses.reserve(points.size());
    for (const EvaluationPoint& point : points)
        doses.push_back(EvaluatePointDose(point, layout, grids, exposure, workload));
    return doses;
}

} // namespace brisca
