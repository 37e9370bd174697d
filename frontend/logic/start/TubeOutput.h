#pragma once

#include <string>

#include "logic/start/CalculationEntries.h"
#include "logic/start/DataTables.h"

namespace brisca {

// Free-in-air air kerma rate of the tube at 100 cm, or why it cannot be given.
struct TubeOutputResult {
    double tubeOutput = 0.0; // tabulated output x kerma ratio x current, per minute
    std::string warning;     // empty on success
};

// Interpolates the tube output table linearly at the voltage V (kV) in the column of the
// rectifier's waveform, extending the line through the first two rows below the first
// voltage, and scales it by the kerma ratio, the mean current I (mA), 60 s/min and
// 33.97 J/C (exposure to air kerma). A voltage above the last tabulated one is refused.
TubeOutputResult ComputeTubeOutputFor(
    double V, double I, Rectifier rectifier, double kermaRatio, const DataTables& tables);

} // namespace brisca
