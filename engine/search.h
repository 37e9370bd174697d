#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

// The table searches of the engine: each finds the first row whose value exceeds v in a
// column that does not decrease, by the means that suits the table's length and use.

namespace engine {

// Where to start the search for the first table value above v: the values' range cut into
// equal cells, each holding the first index whose value exceeds the cell below it.
template <int Cells, class IndexType> struct BasicLookupGuide {
    using Index = IndexType;             // wide enough for the table's last index
    static constexpr int kCells = Cells; // cells over the range
    double low = 0.0;                    // value at the start of cell 0
    double cellsPerUnit = 0.0;           // cells per unit of the value
    std::array<Index, Cells> start{};    // first index to look at, per cell
};

// The guide of the 45-row scattering table.
using LookupGuide = BasicLookupGuide<256, unsigned char>;

// Builds the guide for values[first..last], which must not decrease.
template <class Guide = LookupGuide, std::size_t Size>
Guide MakeLookupGuide(const std::array<float, Size>& values, int first, int last)
{
    Guide guide;
    guide.low = values[static_cast<std::size_t>(first - 1)];
    const double span = static_cast<double>(values[static_cast<std::size_t>(last)]) - guide.low;
    guide.cellsPerUnit = span > 0.0 ? Guide::kCells / span : 0.0;
    int k = first;
    for (int cell = 0; cell < Guide::kCells; ++cell) {
        // One cell lower than needed, so a rounding of the cell number cannot skip the answer.
        const double below = guide.low + (cell - 1) / (guide.cellsPerUnit > 0.0 ? guide.cellsPerUnit : 1.0);
        while (k < last && !(values[static_cast<std::size_t>(k)] > below)) ++k;
        guide.start[static_cast<std::size_t>(cell)] = static_cast<typename Guide::Index>(k);
    }
    return guide;
}

// Smallest index k from `first` to `last` whose value exceeds v; `last` when none does.
// The values are checked ascending at loading, so a bisection finds the same index as a
// scan from `first` upward.
template <std::size_t Size>
int FirstAbove(const std::array<float, Size>& values, int first, int last, float v)
{
    const auto begin = values.begin() + first;
    const auto end = values.begin() + last + 1;
    const auto found = std::upper_bound(begin, end, v);
    return found == end ? last : static_cast<int>(found - values.begin());
}

// FirstAbove with the search started where the guide says: the same index, found in a
// step or two instead of a bisection.
template <std::size_t Size, class Guide>
int FirstAboveGuided(const std::array<float, Size>& values, const Guide& guide, int first, int last, float v)
{
    int k = first;
    const double cell = (static_cast<double>(v) - guide.low) * guide.cellsPerUnit;
    if (cell >= 0.0)
        k = guide.start[static_cast<std::size_t>(static_cast<int>(std::min(cell, Guide::kCells - 1.0)))];
    // The first two steps by arithmetic: the answer is mostly there, at random which.
    for (int step = 0; step < 2; ++step) {
        k += static_cast<int>(k < last) & static_cast<int>(!(values[static_cast<std::size_t>(k)] > v));
    }
    while (k < last && !(values[static_cast<std::size_t>(k)] > v)) ++k;
    return k;
}

} // namespace engine
