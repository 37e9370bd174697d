#pragma once

#include <string>
#include <vector>

namespace enginetest {

// One cell's spread over statistically independent repeats of a job against the standard
// error that each repeat's uncertainty file estimates for it.
struct CellSpread {
    int grid = 0;           // 0..5: kerma and dose at each height, in file order
    int along = 0;          // 0-based beam-axis index
    int lateral = 0;        // 0-based lateral index
    double mean = 0.0;      // mean rate over the repeats
    double observed = 0.0;  // standard deviation of the repeats' rates (n - 1 in the denominator)
    double estimated = 0.0; // root mean square of the repeats' estimated standard errors
};

// Runs the job in `folder` (result name `resultName`) in the chunked mode on `threads`
// threads once for each seed 1..`seeds`, reads every result and uncertainty file back, and
// returns the cells that hold at least 1 % of their block's largest mean and were scored in
// every repeat. Throws std::runtime_error with the console or the reader's message when a run
// or a read fails.
std::vector<CellSpread> SeedSpread(
    const std::string& folder, const std::string& resultName, int seeds, int threads);

// The median of observed / estimated over `cells`; 0 when there are none.
double MedianRatio(const std::vector<CellSpread>& cells);

} // namespace enginetest
