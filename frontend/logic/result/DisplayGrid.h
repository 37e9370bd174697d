#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <vector>

namespace brisca {

// The three heights a result is scored at, numbered as the grid's layers.
enum class HeightLayer {
    Above = 1,  // 50 cm above the phantom centre
    Centre = 2, // at the height of the phantom centre
    Below = 3,  // 50 cm below the phantom centre
};

// One display grid: [layer 0..3][column 0..381][row 0..601]; layers 1..3, columns 1..381 and
// rows 1..601 hold values, every entry with an index 0 holds none (NaN, shown as empty text).
struct DisplayGrid {
    static constexpr int Layers = 3;    // heights: 50 cm above, phantom centre, 50 cm below
    static constexpr int Columns = 381; // 1 cm steps, column c at 20 + c cm lateral
    static constexpr int Rows = 601;    // 1 cm steps, row r at −300 + r cm along the axis
    std::vector<double> values;         // (Layers+1)·(Columns+1)·(Rows+1) entries
    // Empty grid: every entry holds no value.
    DisplayGrid()
        : values(static_cast<std::size_t>(Layers + 1) * (Columns + 1) * (Rows + 1),
              std::numeric_limits<double>::quiet_NaN())
    {
    }
    // Entry at layer k, column c, row r (indices as above).
    double& At(int k, int c, int r) { return values[Index(k, c, r)]; }
    // Entry at layer k, column c, row r.
    double At(int k, int c, int r) const { return values[Index(k, c, r)]; }
    // Entry at height h, column c, row r.
    double At(HeightLayer h, int c, int r) const { return At(static_cast<int>(h), c, r); }

private:
    static std::size_t Index(int k, int c, int r)
    {
        return (static_cast<std::size_t>(k) * (Columns + 1) + c) * (Rows + 1) + r;
    }
};

// Legend thresholds 1..11, index 0 unused.
using Thresholds = std::array<double, 12>;

} // namespace brisca
