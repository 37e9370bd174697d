#pragma once

#include "engine/geometry.h"
#include "engine/tables.h"

#include <vector>

namespace engine {

// How a job's work is spread over its histories, which run bin after bin upwards in energy.
// A history of a high bin scatters several times before it ends or escapes, one of a low
// bin is soon absorbed: at 80 kV a history of the last bins costs about five times one of
// the first, so the share of histories done runs well ahead of the share of the time.
class WorkCurve {
public:
    // Every history costs the same.
    WorkCurve() = default;
    // binHistories[k] histories in the k-th bin of the job, each costing binCost[k] (any unit).
    WorkCurve(const std::vector<long long>& binHistories, const std::vector<double>& binCost);

    // The share of the work done once `historyShare` of the histories have run in job order.
    double WorkShare(double historyShare) const;

private:
    std::vector<double> histories_; // histories up to the end of each bin, as shares of all
    std::vector<double> work_;      // work up to the end of each bin, as shares of all
};

// Times a few hundred histories of every 5 keV of the job's spectrum, on a stream and grids
// of its own so that the run's results stay as they are, and returns the job's work curve;
// a few tens of milliseconds. `chunked`: through the chunked mode's own transport. A
// small job, and one whose tables fail a history, gets the flat curve.
WorkCurve MeasureWorkCurve(const Tables& tables, const EngineGeometry& geometry, bool chunked);

} // namespace engine
