#include "engine/scoring.h"

#include "engine/constants.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace engine {

namespace {

constexpr float kDiscRadius2 = 25.0f;           // scoring disc radius 5 cm, squared
constexpr float kDiscArea = kPi * kDiscRadius2; // cm²: turns summed crossings into fluence
constexpr float kHalfBand = 5.0f;               // a plane can score only within 5 cm of a height
constexpr float kScoringCutoff = 10.0f;         // keV; escapes of softer photons are not scored
// 1 keV per gram in gray, for the reference kerma of the simulated photons.
constexpr float kKeVPerGram = 1.602e-13f;
// The same, halved: photons leaving toward +x and toward -x score into one folded grid, so
// each cell sums the crossings of two discs.
constexpr float kKeVPerGramFolded = 8.01e-14f;
// Square of the distance (cm) at which the tube output is given, 100 cm.
constexpr float kOutputDistance2 = 10000.0f;

// Per height block, bit i set for each plane whose crossing can lie within 5 cm of the
// block's height. The crossing height is linear in the plane position; solving for the band
// in double precision, widened far beyond the few rounding steps of the single-precision
// crossing, leaves the exact test to decide on every plane that could pass it. The heights
// lie 50 cm apart, so a plane stands in one block's set at most.
std::array<std::uint64_t, Grids::kHeights> CandidatePlanes(
    const Photon& photon, const EngineGeometry& geometry)
{
    const Direction& d = photon.direction;
    const bool heightIsY = geometry.heightAxis == HeightAxis::Y;
    const double lateral = static_cast<double>(d.cosAzimuth) * d.sinPolar;
    const double rise =
        heightIsY ? static_cast<double>(d.sinAzimuth) * d.sinPolar : static_cast<double>(d.cosPolar);
    const double start = heightIsY ? photon.y : photon.z;
    const double side = d.cosAzimuth >= 0.0f ? 1.0 : -1.0;
    // Plane distance X = side × x per cm of height; a level flight (rise 0) keeps its height.
    const double perRise = rise == 0.0 ? 0.0 : side * lateral / rise;
    const double startX = side * photon.x;

    std::array<std::uint64_t, Grids::kHeights> planes{};
    for (std::size_t block = 0; block < planes.size(); ++block) {
        const double height = geometry.heights[block];
        const double reach = kHalfBand + 1e-3 + 1e-4 * (std::fabs(height) + std::fabs(start) + kHalfBand);
        double low = 0.0;
        double high = 0.0;
        if (rise == 0.0) {
            if (std::fabs(start - height) > reach) continue;
            low = -1e9;
            high = 1e9;
        } else {
            // Plane distances where the crossing height lies within reach.
            const double a = startX + (height - reach - start) * perRise;
            const double b = startX + (height + reach - start) * perRise;
            low = std::min(a, b);
            high = std::max(a, b);
        }
        // Plane indices first = ⌈low / 10⌉ and last = ⌊high / 10⌋, taken after clamping to
        // [1, 41], where truncation rounds down; then cut to the scored planes 2 to 40.
        const double lowIndex = std::clamp(low * 0.1, 1.0, 41.0);
        const double highIndex = std::clamp(high * 0.1, 1.0, 41.0);
        int first = static_cast<int>(lowIndex);
        first += static_cast<int>(first < lowIndex);
        first = std::max(first, Grids::kFirstScored);
        const int last = std::min(static_cast<int>(highIndex), Grids::kLateral - 1);
        if (first > last) continue;
        planes[block] = (std::uint64_t{2} << last) - (std::uint64_t{1} << first);
    }
    return planes;
}

} // namespace

GridScorer::GridScorer(const Tables& tables, const EngineGeometry& geometry, Grids& grids)
    : tables_(tables), geometry_(geometry), grids_(grids),
      conversionGuide_(MakeLookupGuide<BasicLookupGuide<2048, std::uint16_t>>(
          tables.conversion.energy, 1, ConversionTable::kRows))
{
}

void GridScorer::ScorePlane(int block, int lateral, float along, float heightOffset, float q, float h)
{
    const float offset2 = heightOffset * heightOffset;
    // Only discs within 5 cm along the axis can hold the crossing; the margin of a further
    // centimetre covers rounding, and the exact test below decides.
    if (!(along >= -306.0f && along <= 306.0f)) return;
    const float u = (along + 300.0f) / 10.0f;
    const int first = std::max(0, static_cast<int>(std::ceil(u - 0.6f)));
    const int last = std::min(Grids::kAlong - 1, static_cast<int>(std::floor(u + 0.6f)));
    for (int b = first; b <= last; ++b) {
        const float dz = along - AlongPosition(b);
        if (dz * dz + offset2 <= kDiscRadius2) {
            const int cell = Grids::Index(block, b, lateral);
            const float dose = q * h;
            grids_.kerma[cell] += q;
            grids_.dose[cell] += dose;
            grids_.kermaSquares[cell] += static_cast<double>(q) * q;
            grids_.doseSquares[cell] += static_cast<double>(dose) * dose;
        }
    }
}

void GridScorer::Score(const Photon& photon)
{
    const float E = photon.energy;
    if (E < kScoringCutoff) return;

    // Air coefficient, linear on the 0.5 keV grid; 150 keV itself uses the last entry.
    const std::array<float, 301>& A = tables_.air.coefficient;
    const int j = std::min(static_cast<int>(2.0f * E) + 1, 300);
    const float a = A[j - 1] + (E - static_cast<float>(j - 1) * Spectrum::kBinWidth) * (A[j] - A[j - 1]) /
                                   Spectrum::kBinWidth;

    const ConversionTable& conv = tables_.conversion;
    const int k = FirstAboveGuided(conv.energy, conversionGuide_, 1, ConversionTable::kRows, E);
    const float h = conv.coefficient[k - 1] + (E - conv.energy[k - 1]) *
                                                  (conv.coefficient[k] - conv.coefficient[k - 1]) /
                                                  (conv.energy[k] - conv.energy[k - 1]);

    const Direction& d = photon.direction;
    const float c = d.cosAzimuth;
    const float n = d.sinAzimuth;
    const float s = d.sinPolar;
    const float w = d.cosPolar;
    const float cs = c * s;
    const bool positive = c >= 0.0f;
    const float px = photon.x;
    const float py = photon.y;
    const float pz = photon.z;
    const bool heightIsY = geometry_.heightAxis == HeightAxis::Y;

    const float ns = n * s;
    const std::array<std::uint64_t, Grids::kHeights> candidates = CandidatePlanes(photon, geometry_);
    // Block by block, only the planes that are set, ascending: no test per plane or block that
    // fails at random.
    for (int block = 0; block < Grids::kHeights; ++block) {
        for (std::uint64_t planes = candidates[static_cast<std::size_t>(block)]; planes != 0;
             planes &= planes - 1) {
            const int i = std::countr_zero(planes);
            const float xp = positive ? LateralPosition(i) : -LateralPosition(i);
            const float t = (xp - px) / cs;
            const float yc = ns * t + py;
            const float zc = w * t + pz;
            const float heightCoord = heightIsY ? yc : zc;
            const float alongCoord = heightIsY ? zc : yc;
            const float offset = heightCoord - geometry_.heights[static_cast<std::size_t>(block)];
            if (std::fabs(offset) > kHalfBand) continue;
            // The fluence through a disc grows as the crossing turns oblique: 1 / cos κ.
            const float dist =
                std::sqrt((pz - zc) * (pz - zc) + (py - yc) * (py - yc) + (px - xp) * (px - xp));
            const float kappa = std::fabs(xp - px) / dist;
            const float q = a * E / kappa;
            ScorePlane(block, i, alongCoord, offset, q, h);
        }
    }
}

void Normalise(const Tables& tables, Grids& grids, const std::array<long long, 301>* binHistories)
{
    const Job& job = tables.job;
    const std::array<float, 301>& A = tables.air.coefficient;
    const std::array<float, 301>& S = tables.spectrum.intensity;

    // Energy fluence (keV per cm²) of the simulated photons spread evenly over the field,
    // weighted by the air coefficient, and the air kerma it stands for.
    float reference = 0.0f;
    for (int i = Spectrum::kFirstBin; i <= 300; ++i) {
        const float energy = static_cast<float>(i) * Spectrum::kBinWidth;
        if (binHistories == nullptr)
            reference += A[i] * S[i] * energy * job.photonCount;
        else
            reference += A[i] * static_cast<float>((*binHistories)[static_cast<std::size_t>(i)]) * energy;
    }
    reference = reference / (job.fieldWidth * job.fieldLength);
    const float referenceKerma = reference * kKeVPerGram;
    // Make that kerma equal to the tube output carried from 100 cm to the focus-surface
    // distance by the inverse square law; the disc area turns crossings into fluence.
    float scale = (kOutputDistance2 / (job.fsd * job.fsd)) * job.tubeOutput / referenceKerma;
    scale = scale * kKeVPerGramFolded / kDiscArea;

    for (int block = 0; block < Grids::kHeights; ++block) {
        for (int b = 0; b < Grids::kAlong; ++b) {
            for (int i = Grids::kFirstScored; i < Grids::kLateral; ++i) {
                const int cell = Grids::Index(block, b, i);
                grids.kerma[cell] = grids.kerma[cell] * scale;
                grids.dose[cell] = grids.dose[cell] * scale;
            }
        }
    }
}

} // namespace engine
