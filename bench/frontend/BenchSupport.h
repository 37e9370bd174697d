#pragma once

// What the front end's benchmarks share: a grid shaped like a scattered field, and timing
// of repeated runs.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "logic/result/DisplayGrid.h"

namespace bench {

// Runs of each timed step; the median of an odd count is one of the runs.
inline constexpr int Repeats = 21;

// Rates falling off with the distance from the phantom centre, as a scattered field does.
inline brisca::DisplayGrid FallingOffGrid()
{
    brisca::DisplayGrid grid;
    for (int k = 1; k <= brisca::DisplayGrid::Layers; ++k)
        for (int c = 1; c <= brisca::DisplayGrid::Columns; ++c)
            for (int r = 1; r <= brisca::DisplayGrid::Rows; ++r) {
                const double distance = std::hypot(20.0 + c, r - 300.0);
                grid.At(k, c, r) = 5000.0 * k / (distance * distance) * 100.0;
            }
    return grid;
}

// Wall-clock milliseconds of `Repeats` runs of `step`, fastest first.
template <class Step> std::vector<double> SortedMilliseconds(Step&& step)
{
    std::vector<double> times;
    for (int k = 0; k < Repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        step();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace bench
