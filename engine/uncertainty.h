#pragma once

#include "engine/scoring.h"

namespace engine {

// Relative standard error, as a fraction, of the mean score per history of one cell: its
// `histories` histories gave scores summing to `sum`, their squares summing to `squares`,
// each history at most one score. With s² = (Σx²/N − (Σx/N)²) / (N − 1) the variance of
// the mean, the error s / (Σx/N) is √((N Σx² / (Σx)² − 1) / (N − 1)). One score alone gives
// exactly 1. Negative when the cell has no score, whose error cannot be estimated.
double RelativeError(double sum, double squares, long long histories);

// The cells a run that stops at a precision waits for: at the phantom-centre height, within
// 200 cm laterally and 200 cm either way along the other axis, holding at least 1 % of the
// largest value anywhere at that height; kerma and dose each by their own largest value.
// Returns the largest relative error, in percent, among them in the raw sums of `grids`
// after `histories` histories; negative while no cell at that height has a score.
double LargestErrorOfInterest(const Grids& grids, long long histories);

} // namespace engine
