#include "logic/result/LegendScale.h"

#include <array>
#include <cmath>

namespace brisca {

double GridMaximum(const DisplayGrid& grid)
{
    double maximum = 0.0;
    for (int k = 1; k <= DisplayGrid::Layers; ++k)
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r)
                if (grid.At(k, c, r) > maximum) maximum = grid.At(k, c, r);
    return maximum;
}

double LegendTop(double maximum)
{
    // The bounds are the decimals 6.908, 4.605, ... rather than exact logarithms of 1000, 100,
    // ...: a maximum of exactly 1000 (ln 6.9078) falls to the next rule and still gives 1000.
    const double L = std::log(maximum);
    if (L > 6.908) return std::floor(maximum / 1000.0) * 1000.0;
    if (L > 4.605) return std::floor(maximum / 100.0) * 100.0;
    if (L > 2.303) return std::floor(maximum / 10.0) * 10.0;
    if (L > 0.0) return std::floor(maximum);
    if (L > -2.303) return std::floor(maximum * 10.0) / 10.0;
    return std::floor(maximum * 100.0) / 100.0;
}

Thresholds LegendScale(double maximum)
{
    static constexpr std::array<double, 11> Factors = {
        0.75, 0.5, 0.25, 0.1, 0.075, 0.05, 0.025, 0.01, 0.0075, 0.005, 0.001};
    const double top = LegendTop(maximum);
    Thresholds scale{};
    for (int n = 1; n <= 11; ++n) scale[n] = top * Factors[n - 1];
    return scale;
}

} // namespace brisca
