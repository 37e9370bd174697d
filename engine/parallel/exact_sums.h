#pragma once

#include "engine/scoring.h"

#include <array>
#include <cstdint>
#include <string>

namespace engine {

// A 128-bit integer: a sum of fixed-point values that no job of this size can overflow.
__extension__ typedef __int128 ExactInt;

// The grids and their sums of squares as integer multiples of 2^-32. Each chunk's
// double-precision sums are rounded onto that step once and then added as integers, so the
// total is the same whatever order the chunks finish in, however many threads or machines
// ran them. Scores are at least 0.2 (air coefficient × 10 keV) and their squares at least
// 0.04, far above the step, so the rounding stays below the single precision that the
// result and uncertainty files keep. A square is at most about 10^8 (a few thousand keV
// times the air coefficient over the cosine of the flattest crossing the grid allows), so a
// chunk's sum of squares stays below 2^41 and any job's total far inside 128 bits.
struct ExactGrids {
    static constexpr int kFractionBits = 32; // binary places kept below the unit

    std::array<ExactInt, Grids::kCells> kerma{};        // kerma sums in steps of 2^-32
    std::array<ExactInt, Grids::kCells> dose{};         // dose sums in steps of 2^-32
    std::array<ExactInt, Grids::kCells> kermaSquares{}; // sums of squared kerma scores, same step
    std::array<ExactInt, Grids::kCells> doseSquares{};  // sums of squared dose scores, same step
    bool overflow = false; // a chunk sum was not finite or too large: the result is refused

    // Adds one chunk's grids and leaves them zero for the next chunk.
    void Take(Grids& chunk);
    // Adds another set of exact sums (another thread's or another machine's).
    void Add(const ExactGrids& other);
    // The sums as doubles; every cell is NaN after an overflow, so that writing is refused.
    void ToGrids(Grids& grids) const;
};

// Decimal text of a 128-bit integer.
std::string ExactToText(ExactInt value);

// Parses the decimal text written by ExactToText; false when it is not such a number.
bool ExactFromText(const std::string& text, ExactInt& value);

} // namespace engine
