#pragma once

#include "logic/result/DisplayGrid.h"

namespace brisca {

// Largest value of a display grid over its three layers, every filled column and row
// (including column 381 and row 601, which the map never paints); 0 when no value is positive.
double GridMaximum(const DisplayGrid& grid);

// Rounded-down top of the legend for a positive maximum m: m floored to a multiple of 1000,
// 100, 10, 1, 0.1 or 0.01 according to the size of m; 0.009 gives 0.
double LegendTop(double maximum);

// Default legend thresholds 1..11 (descending) for a positive maximum: the legend top times
// 0.75, 0.5, 0.25, 0.1, 0.075, 0.05, 0.025, 0.01, 0.0075, 0.005 and 0.001.
Thresholds LegendScale(double maximum);

} // namespace brisca
