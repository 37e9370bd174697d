// Coherent scattering angles drawn through the shipped cumulative, the way the engine draws
// them, against the Rayleigh distribution F²(x)·(1+cos²θ)/2 per solid angle.
#include "icru_soft_table.h"
#include "soft_tissue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace tabletest {
namespace {

constexpr int kBins = 20;
constexpr int kSamples = 100000;

// Momentum transfer x of a coherent scattering at E keV, by form-factor sampling of the
// cumulative (x, B) followed by the Rayleigh angular rejection.
double SampleCoherentX(
    const std::vector<double>& x, const std::vector<double>& B, double E, std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (;;) {
        const double r = uniform(rng) * B.back();
        std::size_t k = 1;
        while (B[k] <= r) ++k;
        const double xs = x[k - 1] + (r - B[k - 1]) * (x[k] - x[k - 1]) / (B[k] - B[k - 1]);
        const double halfSine = xs * 12.4 / E;
        if (halfSine > 1.0) continue;
        const double cosTheta = 1.0 - 2.0 * halfSine * halfSine;
        const double R = uniform(rng);
        if (2.0 * R > 1.0 + cosTheta * cosTheta) continue;
        return xs;
    }
}

// Bin edges in x that split the analytic distribution into equally probable bins. In x the
// density per unit x is F²(x)·(1+cos²θ)/2·x, since dΩ is proportional to x dx.
std::vector<double> EquiprobableEdges(double E)
{
    const double xMax = E / 12.4;
    const int steps = 20000;
    std::vector<double> grid(steps + 1), cdf(steps + 1, 0.0);
    double previous = 0.0;
    for (int n = 0; n <= steps; ++n) {
        grid[n] = xMax * n / steps;
        const double halfSine = grid[n] * 12.4 / E;
        const double cosTheta = 1.0 - 2.0 * halfSine * halfSine;
        const double density =
            tablegen::SoftTissueFormFactorSquared(grid[n]) * (1.0 + cosTheta * cosTheta) / 2.0 * grid[n];
        if (n > 0) cdf[n] = cdf[n - 1] + 0.5 * (density + previous) * (grid[n] - grid[n - 1]);
        previous = density;
    }
    std::vector<double> edges{0.0};
    for (int b = 1; b < kBins; ++b) {
        const double target = cdf.back() * b / kBins;
        const auto it = std::lower_bound(cdf.begin(), cdf.end(), target);
        edges.push_back(grid[static_cast<std::size_t>(it - cdf.begin())]);
    }
    edges.push_back(xMax);
    return edges;
}

// Pearson χ² of samples drawn through (x, B) against equally probable analytic bins.
double ChiSquare(const std::vector<double>& x, const std::vector<double>& B, double E)
{
    const std::vector<double> edges = EquiprobableEdges(E);
    std::vector<int> counts(kBins, 0);
    std::mt19937_64 rng(20240601);
    for (int n = 0; n < kSamples; ++n) {
        const double xs = SampleCoherentX(x, B, E, rng);
        const auto it = std::upper_bound(edges.begin() + 1, edges.end() - 1, xs);
        ++counts[static_cast<std::size_t>(it - edges.begin() - 1)];
    }
    const double expected = static_cast<double>(kSamples) / kBins;
    double chi2 = 0.0;
    for (int c : counts) chi2 += (c - expected) * (c - expected) / expected;
    return chi2;
}

// 19 degrees of freedom: χ² above 50 has a chance below 1e-4 for a faithful table.
constexpr double kChiSquareLimit = 50.0;

TEST(CoherentSampling, ShippedCumulativeReproducesTheRayleighDistribution)
{
    const IcruSoftTable t = ReadIcruSoft();
    for (double E : {20.0, 60.0, 100.0, 150.0}) {
        EXPECT_LT(ChiSquare(t.x, t.cumulative, E), kChiSquareLimit) << E << " keV";
    }
}

// The test must be able to see the classic fault: a cumulative of F² dx without the x factor.
TEST(CoherentSampling, CumulativeWithoutTheSolidAngleFactorIsRejected)
{
    const IcruSoftTable t = ReadIcruSoft();
    std::vector<double> wrong(t.x.size(), 0.0);
    for (std::size_t k = 1; k < t.x.size(); ++k) {
        const int steps = 200;
        double sum = 0.0;
        for (int n = 0; n < steps; ++n) {
            const double xm = t.x[k - 1] + (n + 0.5) * (t.x[k] - t.x[k - 1]) / steps;
            sum += tablegen::SoftTissueFormFactorSquared(xm) * (t.x[k] - t.x[k - 1]) / steps;
        }
        wrong[k] = wrong[k - 1] + sum;
    }
    EXPECT_GT(ChiSquare(t.x, wrong, 60.0), 10 * kChiSquareLimit);
}

} // namespace
} // namespace tabletest
