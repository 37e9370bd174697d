#pragma once

#include "engine/tables.h"

namespace engine {

// The most one history can add to one cell of each grid before normalisation. A history
// ends in at most one escape, and an escape crosses each scoring plane once, inside at most
// one disc of a cell; so a cell's sum never exceeds its histories times these.
struct CellScoreBound {
    double kerma = 0.0; // largest a·E / cos κ
    double dose = 0.0;  // the same times the largest conversion coefficient
};

// The largest conversion coefficient of the table, Sv per Gy.
float LargestConversion(const ConversionTable& conversion);

// The bound for photons of the spectrum up to `lastBin`, from the air coefficients and the
// largest conversion coefficient.
CellScoreBound LargestCellScore(const AirTable& air, int lastBin, float largestConversion);

} // namespace engine
