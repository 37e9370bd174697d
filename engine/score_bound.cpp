#include "engine/score_bound.h"

#include <algorithm>

namespace engine {

namespace {

// The last interaction lies inside the phantom (|x| ≤ 15, |y| ≤ 30, |z| ≤ 10 cm) and the
// nearest scored plane stands at 20 cm, so a scored flight crosses at least 5 cm sideways.
// Its crossing lies within 5 cm of a height (±50 cm) and of a grid position (±300 cm), so
// along the plane it is at most √(85² + 315²) cm (standing) or √(65² + 335²) cm (supine),
// both below 345 cm, from where the flight began: 1 / cos κ ≤ √(5² + 345²) / 5 < 69.1. The
// rest up to 70 covers the rounding of the single-precision crossing.
constexpr double kLargestObliquity = 70.0;

} // namespace

float LargestConversion(const ConversionTable& conversion)
{
    return *std::max_element(conversion.coefficient.begin() + 1, conversion.coefficient.end());
}

CellScoreBound LargestCellScore(const AirTable& air, int lastBin, float largestConversion)
{
    // Scores interpolate the air table between the entries around the photon's energy, which
    // never exceeds the top bin's (coherent scattering keeps it, incoherent lowers it) and
    // never falls below 5 keV, where the transport stops following a photon.
    const int top = std::min(lastBin + 1, 300);
    const float largestAir =
        *std::max_element(air.coefficient.begin() + Spectrum::kFirstBin, air.coefficient.begin() + top + 1);
    const double topEnergy = lastBin * static_cast<double>(Spectrum::kBinWidth);
    CellScoreBound bound;
    bound.kerma = largestAir * topEnergy * kLargestObliquity;
    bound.dose = bound.kerma * std::max(largestConversion, 0.0f);
    return bound;
}

} // namespace engine
