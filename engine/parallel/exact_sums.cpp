#include "engine/parallel/exact_sums.h"

#include <cmath>
#include <limits>

namespace engine {

namespace {

// Chunk sums beyond this (in units) cannot come from a sound job; the bound leaves the sum of
// any number of chunks far inside 128 bits.
constexpr double kLargestChunkSum = 0x1p60;

// Beyond this magnitude (in steps) the rounding below would no longer land on whole steps.
constexpr double kLargestQuickSteps = 0x1p51;
// Added to and taken from a value below 2^51 in magnitude, rounds it to a whole number in the
// current rounding mode, like nearbyint, without a library call.
constexpr double kRoundingShift = 0x1.8p52;

// Adds one chunk's cell to its exact sum and clears the cell for the next chunk.
bool TakeCell(ExactInt& sum, double& cell)
{
    const double value = cell;
    cell = 0.0;
    // Most cells receive nothing in a chunk.
    if (value == 0.0) return true;
    // A power-of-two scale is exact for every finite value this far from overflow.
    static_assert(ExactGrids::kFractionBits == 32);
    const double steps = value * 0x1p32;
    if (std::fabs(steps) < kLargestQuickSteps) {
        sum += static_cast<long long>((steps + kRoundingShift) - kRoundingShift);
        return true;
    }
    if (!(std::fabs(value) < kLargestChunkSum)) return false;
    sum += static_cast<ExactInt>(std::nearbyint(steps));
    return true;
}

} // namespace

void ExactGrids::Take(Grids& chunk)
{
    for (int cell = 0; cell < Grids::kCells; ++cell) {
        if (!TakeCell(kerma[cell], chunk.kerma[cell])) overflow = true;
        if (!TakeCell(dose[cell], chunk.dose[cell])) overflow = true;
        if (!TakeCell(kermaSquares[cell], chunk.kermaSquares[cell])) overflow = true;
        if (!TakeCell(doseSquares[cell], chunk.doseSquares[cell])) overflow = true;
    }
}

void ExactGrids::Add(const ExactGrids& other)
{
    for (int cell = 0; cell < Grids::kCells; ++cell) {
        kerma[cell] += other.kerma[cell];
        dose[cell] += other.dose[cell];
        kermaSquares[cell] += other.kermaSquares[cell];
        doseSquares[cell] += other.doseSquares[cell];
    }
    overflow = overflow || other.overflow;
}

void ExactGrids::ToGrids(Grids& grids) const
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto value = [&](ExactInt sum) {
        return overflow ? nan : std::ldexp(static_cast<double>(sum), -kFractionBits);
    };
    for (int cell = 0; cell < Grids::kCells; ++cell) {
        grids.kerma[cell] = value(kerma[cell]);
        grids.dose[cell] = value(dose[cell]);
        grids.kermaSquares[cell] = value(kermaSquares[cell]);
        grids.doseSquares[cell] = value(doseSquares[cell]);
    }
}

std::string ExactToText(ExactInt value)
{
    const bool negative = value < 0;
    // Digits of the magnitude, built from the unsigned form so that the most negative value
    // needs no special case.
    __extension__ typedef unsigned __int128 Unsigned;
    Unsigned magnitude = negative ? Unsigned{0} - static_cast<Unsigned>(value) : static_cast<Unsigned>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? "-" + digits : digits;
}

bool ExactFromText(const std::string& text, ExactInt& value)
{
    std::size_t k = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) k = 1;
    if (k == text.size() || text.size() - k > 38) return false; // 38 digits always fit
    ExactInt result = 0;
    for (; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
        result = result * 10 + (text[k] - '0');
    }
    value = negative ? -result : result;
    return true;
}

} // namespace engine
