#include "engine/sampling_tables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace engine {

namespace {

constexpr double kElectronRest = 511.0; // keV
constexpr double kWavelengthKeV = 12.4; // λ [Å] = 12.4 / E [keV]
// The hot loop evaluates the density in single precision, a few roundings away from the
// double-precision bound; the envelope stands this far above the bound.
constexpr double kRoundingMargin = 1e-4;
// Each energy cell's envelope holds for energies this far (keV) beyond its edges.
constexpr double kEnergyMargin = 1e-3;
// The coefficients between the table's rows come from series good to 1e-8 and are compared
// in double precision; the interaction cells' bounds stand this far (relative) outside them.
constexpr double kBoundMargin = 1e-6;

// The float at or below v, and the float at or above it.
float FloatBelow(double v)
{
    float f = static_cast<float>(v);
    if (f > v) f = std::nextafter(f, -std::numeric_limits<float>::infinity());
    return f;
}
float FloatAbove(double v)
{
    float f = static_cast<float>(v);
    if (f < v) f = std::nextafter(f, std::numeric_limits<float>::infinity());
    return f;
}

CoefficientSegments BuildSegments(const InteractionTable& table)
{
    CoefficientSegments segments;
    segments.rows = table.rows;
    segments.energy = table.energy;
    for (int k = 2; k <= table.rows; ++k) {
        const std::size_t s = static_cast<std::size_t>(k);
        const double low = std::log(static_cast<double>(table.energy[s - 1]));
        segments.logEnergyLow[s] = low;
        segments.inverseLogSpan[s] = 1.0 / (std::log(static_cast<double>(table.energy[s])) - low);
        const std::array<const std::array<float, InteractionTable::kMaxRows + 1>*, 3> columns = {
            &table.photoelectric, &table.incoherent, &table.coherent};
        for (std::size_t c = 0; c < 3; ++c) {
            const double below = std::log(static_cast<double>((*columns[c])[s - 1]));
            segments.logLow[s][c] = below;
            segments.logRise[s][c] = std::log(static_cast<double>((*columns[c])[s])) - below;
        }
    }
    // A cell starts at the segment of the energy one cell below its own lowest, so that a
    // rounding of the cell number can never start the search past the answer.
    for (int cell = 0; cell < CoefficientSegments::kGuideCells; ++cell) {
        const float below = static_cast<float>(cell - 1) * CoefficientSegments::kGuideStep;
        segments.guide[static_cast<std::size_t>(cell)] =
            static_cast<std::uint8_t>(FirstAbove(table.energy, 2, table.rows, below));
    }
    return segments;
}

// The three coefficients at E by the log-log interpolation of the table, in double precision.
std::array<double, 3> ExactValues(const InteractionTable& table, double E)
{
    int k = 2;
    while (k < table.rows && !(table.energy[static_cast<std::size_t>(k)] > E)) ++k;
    const std::size_t s = static_cast<std::size_t>(k);
    const double low = std::log(static_cast<double>(table.energy[s - 1]));
    const double f = (std::log(E) - low) / (std::log(static_cast<double>(table.energy[s])) - low);
    const std::array<const std::array<float, InteractionTable::kMaxRows + 1>*, 3> columns = {
        &table.photoelectric, &table.incoherent, &table.coherent};
    std::array<double, 3> values{};
    for (std::size_t c = 0; c < 3; ++c) {
        const double below = std::log(static_cast<double>((*columns[c])[s - 1]));
        values[c] = std::exp(below + (std::log(static_cast<double>((*columns[c])[s])) - below) * f);
    }
    return values;
}

// One energy cell from the coefficients' least and largest values over [low, high]: each is
// monotonic between two rows, so they lie at the ends or at a row inside.
InteractionCells::Cell BuildInteractionCell(const InteractionTable& table, double low, double high)
{
    std::array<double, 3> least = ExactValues(table, low);
    std::array<double, 3> largest = least;
    auto widen = [&](double E) {
        const std::array<double, 3> v = ExactValues(table, E);
        for (std::size_t c = 0; c < 3; ++c) {
            least[c] = std::min(least[c], v[c]);
            largest[c] = std::max(largest[c], v[c]);
        }
    };
    widen(high);
    for (int k = 1; k <= table.rows; ++k) {
        const double E = table.energy[static_cast<std::size_t>(k)];
        if (E > low && E < high) widen(E);
    }
    // Thresholds in the order photoelectric, + coherent, + incoherent (index 0, 2, 1 above).
    const std::array<double, 3> lowSums = {least[0], least[0] + least[2], least[0] + least[2] + least[1]};
    const std::array<double, 3> highSums = {
        largest[0], largest[0] + largest[2], largest[0] + largest[2] + largest[1]};
    InteractionCells::Cell cell;
    cell.perMajorant = FloatBelow(1.0 / (highSums[2] * (1.0 + kBoundMargin)));
    for (std::size_t t = 0; t < 3; ++t) {
        cell.low[t] = FloatBelow(lowSums[t] * cell.perMajorant * (1.0 - kBoundMargin));
        cell.high[t] = FloatAbove(highSums[t] * cell.perMajorant * (1.0 + kBoundMargin));
    }
    return cell;
}

InteractionCells BuildInteractionCells(const InteractionTable& table)
{
    InteractionCells cells;
    for (int index = 0; index < InteractionCells::kCells; ++index) {
        const std::uint32_t key = InteractionCells::kFirstKey + static_cast<std::uint32_t>(index);
        const double low = std::bit_cast<float>(key << InteractionCells::kKeyShift);
        const double high = std::bit_cast<float>((key + 1) << InteractionCells::kKeyShift);
        cells.cells[static_cast<std::size_t>(index)] = BuildInteractionCell(table, low, high);
    }
    return cells;
}

ScatteringShare BuildShare(const ScatterTable& table)
{
    ScatteringShare share;
    share.x = table.x;
    const double largest = table.incoherentMax;
    for (int k = 1; k <= ScatterTable::kRows; ++k) {
        const std::size_t s = static_cast<std::size_t>(k);
        share.share[s] = static_cast<float>(table.incoherent[s] / largest);
        if (k > 1) {
            share.slope[s] =
                static_cast<float>((table.incoherent[s] - static_cast<double>(table.incoherent[s - 1])) /
                                   largest / (static_cast<double>(table.x[s]) - table.x[s - 1]));
        }
    }
    for (int cell = 0; cell < ScatteringShare::kGuideCells; ++cell) {
        const float below = static_cast<float>(cell - 1) / ScatteringShare::kCellsPerUnit;
        share.guide[static_cast<std::size_t>(cell)] =
            static_cast<std::uint8_t>(FirstAbove(table.x, 2, ScatterTable::kRows, below));
    }
    return share;
}

// The share's piecewise-linear function in double precision, from the stored rows and slopes.
double ShareAt(const ScatteringShare& share, double q)
{
    int k = 2;
    while (k < ScatterTable::kRows && !(share.x[static_cast<std::size_t>(k)] > q)) ++k;
    const std::size_t s = static_cast<std::size_t>(k);
    return share.share[s - 1] + (q - share.x[s - 1]) * static_cast<double>(share.slope[s]);
}

// The largest thinning factor the sampler can meet for q in [low, high]: the share clamped to
// [0, 1], and 1 from q = 10 on, where no thinning is done. A piecewise-linear function takes
// its largest value at an end of the interval or at a row inside it.
double LargestThinning(const ScatteringShare& share, double low, double high)
{
    if (high >= 10.0) return 1.0;
    double largest = std::max(ShareAt(share, low), ShareAt(share, high));
    for (int k = 1; k <= ScatterTable::kRows; ++k) {
        const double x = share.x[static_cast<std::size_t>(k)];
        if (x > low && x < high) largest = std::max(largest, ShareAt(share, x));
    }
    return std::clamp(largest, 0.0, 1.0);
}

// A bound of the density of u = sin(θ/2) over u in [uLow, uHigh] and E in [eLow, eHigh]:
// Klein-Nishina r² (r + 1/r − sin²θ), r = E'/E = 1 / (1 + κx), x = 2u², times dx/du = 4u,
// times the thinning. At a fixed angle the cross-section falls as the energy rises, so the
// lowest energy bounds it; over the bin, r² is largest at the lowest x, r + 1/r at the
// largest, and sin²θ = x(2 − x) smallest at one of the ends.
double DensityBound(const ScatteringShare& share, double uLow, double uHigh, double eLow, double eHigh)
{
    const double kappa = eLow / kElectronRest;
    const double xLow = 2.0 * uLow * uLow;
    const double xHigh = 2.0 * uHigh * uHigh;
    const double rHigh = 1.0 / (1.0 + kappa * xLow);
    const double rLow = 1.0 / (1.0 + kappa * xHigh);
    const double sin2 = std::min(xLow * (2.0 - xLow), xHigh * (2.0 - xHigh));
    const double kleinNishina = rHigh * rHigh * (rLow + 1.0 / rLow - sin2);
    const double thinning =
        LargestThinning(share, uLow * eLow / kWavelengthKeV, uHigh * eHigh / kWavelengthKeV);
    return kleinNishina * 4.0 * uHigh * thinning;
}

// Whole numbers of deviate entries per bin, in proportion to the bounds, every bin with a
// positive bound getting at least one, adding up to all 16384 entries.
std::vector<int> EntriesPerBin(const std::vector<double>& bounds, double total)
{
    constexpr int kEntries = IncoherentEnvelope::kBins * IncoherentEnvelope::kColumn;
    std::vector<int> entries(bounds.size(), 0);
    int sum = 0;
    for (std::size_t j = 0; j < bounds.size(); ++j) {
        if (bounds[j] > 0.0) entries[j] = std::max(1, static_cast<int>(bounds[j] / total * kEntries));
        sum += entries[j];
    }
    // The envelope's scale is set by the bin with the fewest entries for its bound, so entries
    // are added where the bound per entry is largest and taken where it stays smallest.
    auto perEntry = [&](std::size_t j, int change) { return bounds[j] / (entries[j] + change); };
    while (sum != kEntries) {
        std::size_t pick = bounds.size();
        for (std::size_t j = 0; j < bounds.size(); ++j) {
            if (!(bounds[j] > 0.0) || (sum > kEntries && entries[j] <= 1)) continue;
            if (pick == bounds.size() ||
                (sum < kEntries ? perEntry(j, 0) > perEntry(pick, 0) : perEntry(j, -1) < perEntry(pick, -1)))
                pick = j;
        }
        const int change = sum < kEntries ? 1 : -1;
        entries[pick] += change;
        sum += change;
    }
    return entries;
}

// Alias columns of 256 entries: a bin with fewer entries than a column fills the rest of its
// column from a bin with more, which keeps the remainder.
void BuildAlias(std::vector<int> entries, IncoherentEnvelope::Cell& cell)
{
    constexpr int kColumn = IncoherentEnvelope::kColumn;
    std::vector<std::size_t> small;
    std::vector<std::size_t> large;
    for (std::size_t j = 0; j < entries.size(); ++j) {
        cell.alias[j] = static_cast<std::uint8_t>(j);
        cell.keep[j] = kColumn;
        (entries[j] < kColumn ? small : large).push_back(j);
    }
    while (!small.empty() && !large.empty()) {
        const std::size_t s = small.back();
        small.pop_back();
        const std::size_t l = large.back();
        cell.keep[s] = static_cast<std::uint16_t>(entries[s]);
        cell.alias[s] = static_cast<std::uint8_t>(l);
        entries[l] -= kColumn - entries[s];
        if (entries[l] < kColumn) {
            large.pop_back();
            small.push_back(l);
        }
    }
}

IncoherentEnvelope::Cell BuildCell(const ScatteringShare& share, int index)
{
    using Envelope = IncoherentEnvelope;
    const double eLow = Envelope::kLowEnergy + index - kEnergyMargin;
    const double eHigh = Envelope::kLowEnergy + index + 1 + kEnergyMargin;
    std::vector<double> bounds(Envelope::kBins);
    double total = 0.0;
    for (int j = 0; j < Envelope::kBins; ++j) {
        const double uLow = static_cast<double>(j) / Envelope::kBins;
        const double uHigh = static_cast<double>(j + 1) / Envelope::kBins;
        bounds[static_cast<std::size_t>(j)] =
            DensityBound(share, uLow, uHigh, eLow, eHigh) * (1.0 + kRoundingMargin);
        total += bounds[static_cast<std::size_t>(j)];
    }
    Envelope::Cell cell;
    if (!(total > 0.0 && std::isfinite(total))) return cell; // nothing to sample: the direct sampler decides
    const std::vector<int> entries = EntriesPerBin(bounds, total);
    // Bin j is drawn with probability entries / 16384; the envelope on it is that probability
    // times one scale, the smallest that keeps every bin at or above its bound.
    double scale = 0.0;
    for (std::size_t j = 0; j < bounds.size(); ++j)
        if (entries[j] > 0) scale = std::max(scale, bounds[j] / entries[j]);
    for (std::size_t j = 0; j < bounds.size(); ++j) {
        // Rounded up, so that the single-precision limit stays above the bound.
        cell.limit[j] = FloatAbove(scale * entries[j]);
    }
    BuildAlias(entries, cell);
    cell.usable = true;
    return cell;
}

} // namespace

InteractionCells::Cell ExactCell(const CoefficientSegments& segments, float E)
{
    const InteractionValues v = InteractionValuesAt(segments, E);
    InteractionCells::Cell cell;
    const double mu = v.photoelectric + v.coherent + v.incoherent;
    cell.perMajorant = static_cast<float>(1.0 / mu);
    const double per = cell.perMajorant;
    // Equal bounds leave no deviate between them: the thresholds decide directly, and a
    // deviate below 1 never lands beyond the last.
    cell.low = {static_cast<float>(v.photoelectric * per),
        static_cast<float>((v.photoelectric + v.coherent) * per), 1.0f};
    cell.high = cell.low;
    return cell;
}

SamplingTables BuildSamplingTables(const Tables& tables)
{
    SamplingTables sampling;
    sampling.coefficients = BuildSegments(tables.interaction);
    sampling.interactions = BuildInteractionCells(tables.interaction);
    sampling.scattering = BuildShare(tables.scatter);
    for (int index = 0; index < IncoherentEnvelope::kCells; ++index)
        sampling.incoherent.cells[static_cast<std::size_t>(index)] = BuildCell(sampling.scattering, index);
    return sampling;
}

} // namespace engine
