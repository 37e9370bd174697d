#pragma once

#include "engine/parallel/partial_result.h"

#include <array>
#include <string>
#include <vector>

// Two runs of one job compared value by value against their statistical errors: the check
// that a change of the sampling left the physics where it was.

namespace enginetest {

// The six grids of a result file in file order (kerma then dose at each height), each 61
// beam-axis rows of 41 lateral values.
inline constexpr int kResultGrids = 6;
inline constexpr int kGridValues = 61 * 41;

// A run's values with their standard errors, all in the result file's units.
struct ComparedRun {
    std::vector<double> values;                   // kResultGrids × kGridValues, file order
    std::vector<double> errors;                   // standard error of each value; empty: not known
    std::array<double, kResultGrids> sums{};      // each grid's sum
    std::array<double, kResultGrids> sumErrors{}; // their standard errors
    double side = 0.0;      // kerma at the phantom-centre height, 100 cm lateral, summed over
                            // the beam-axis positions −10, 0 and +10 cm: the side scatter at 1 m
    double sideError = 0.0; // its standard error
};

// The values of a result file's text. Errors stay unknown.
ComparedRun ReadResultValues(const std::string& text);

// The values of a result file's text with errors from the spread of the job's slices: the
// parts are independent samples of a K-th of the job each, so the error of any sum of cells
// is √K times the standard deviation of the parts' sums of those cells. At least two parts.
ComparedRun ReadResultWithSliceErrors(
    const std::string& text, const std::vector<engine::PartialResult>& parts);

// What the comparison of run b with run a finds.
struct Comparison {
    std::array<double, kResultGrids> sumDeviation{}; // b / a − 1 of each grid's sum
    std::array<double, kResultGrids> sumSigmas{};    // |b − a| in standard errors of the difference
    int cells = 0;              // cells holding at least 1 % of their grid's largest value
    int cellsBeyond4 = 0;       // of those, the cells whose difference exceeds 4 standard errors
    int cellsBeyond3 = 0;       // and 3
    double largestSigmas = 0.0; // the largest difference of such a cell, in standard errors
    double sideDeviation = 0.0; // b / a − 1 of the side scatter at 1 m
    double sideSigmas = 0.0;    // in standard errors
};

// Compares b with a. A run whose errors are not known is given the other's: both sample one
// job, so under the hypothesis that they sample the same physics their errors agree. Throws
// std::invalid_argument when neither run's errors are known.
Comparison CompareRuns(const ComparedRun& a, const ComparedRun& b);

} // namespace enginetest
