#include "engine/uncertainty.h"

#include "records/cells_of_interest.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace engine {

namespace {

namespace interest = records::cells_of_interest;

double LargestError(const std::array<double, Grids::kCells>& sums,
    const std::array<double, Grids::kCells>& squares, long long histories)
{
    double largestValue = 0.0;
    for (int b = 0; b < Grids::kAlong; ++b)
        for (int i = 0; i < Grids::kLateral; ++i)
            largestValue = std::max(largestValue, sums[Grids::Index(interest::kBlock, b, i)]);
    if (!(largestValue > 0.0)) return -1.0;
    double largest = 0.0;
    for (int b = interest::kFirstAlong; b <= interest::kLastAlong; ++b) {
        for (int i = interest::kFirstLateral; i <= interest::kLastLateral; ++i) {
            const int cell = Grids::Index(interest::kBlock, b, i);
            if (sums[cell] < interest::kShareOfLargest * largestValue) continue;
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
