#include "engine/uncertainty.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace engine {

namespace {

constexpr int kCentreBlock = 1;          // the phantom-centre height in every geometry
constexpr int kFirstAlong = 10;          // -200 cm
constexpr int kLastAlong = 50;           // +200 cm
constexpr int kLastLateral = 20;         // 200 cm
constexpr double kShareOfLargest = 0.01; // a cell of interest holds at least 1 % of the largest

double LargestError(const std::array<double, Grids::kCells>& sums,
    const std::array<double, Grids::kCells>& squares, long long histories)
{
    double largestValue = 0.0;
    for (int b = 0; b < Grids::kAlong; ++b)
        for (int i = 0; i < Grids::kLateral; ++i)
            largestValue = std::max(largestValue, sums[Grids::Index(kCentreBlock, b, i)]);
    if (!(largestValue > 0.0)) return -1.0;
    double largest = 0.0;
    for (int b = kFirstAlong; b <= kLastAlong; ++b) {
        for (int i = Grids::kFirstScored; i <= kLastLateral; ++i) {
            const int cell = Grids::Index(kCentreBlock, b, i);
            if (sums[cell] < kShareOfLargest * largestValue) continue;
            largest = std::max(largest, RelativeError(sums[cell], squares[cell], histories));
        }
    }
    return 100.0 * largest;
}

} // namespace

double RelativeError(double sum, double squares, long long histories)
{
    if (!(sum > 0.0)) return -1.0;
    if (histories < 2) return 1.0;
    const double n = static_cast<double>(histories);
    // Positive scores bound the bracket by 0 and N - 1; rounding may step a hair outside.
    const double excess = std::clamp(n * squares / (sum * sum) - 1.0, 0.0, n - 1.0);
    return std::sqrt(excess / (n - 1.0));
}

double LargestErrorOfInterest(const Grids& grids, long long histories)
{
    const double kerma = LargestError(grids.kerma, grids.kermaSquares, histories);
    const double dose = LargestError(grids.dose, grids.doseSquares, histories);
    return std::max(kerma, dose);
}

} // namespace engine
