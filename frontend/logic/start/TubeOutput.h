#pragma once

#include "logic/problem/Problem.h"
#include "logic/start/CalculationConditions.h"
#include "logic/start/DataTables.h"

namespace brisca {

// Free-in-air air kerma rate of the tube at 100 cm, per minute: the tube output table
// interpolated linearly at the voltage V (kV) in the column of the rectifier's waveform,
// extending the line through the first two rows below the first voltage, scaled by the kerma
// ratio, the mean current I (mA), 60 s/min and 33.97 J/C (exposure to air kerma). A voltage
// above the last tabulated one is refused.
Expected<double> ComputeTubeOutputFor(
    double V, double I, Rectifier rectifier, double kermaRatio, const DataTables& tables);

} // namespace brisca
