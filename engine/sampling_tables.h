#pragma once

#include "engine/fast_math.h"
#include "engine/tables.h"
#include "engine/transport.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

// Tables that the chunked mode builds once per job from the interaction and scattering
// tables, so that a flight or a scattering costs a few look-ups and no library calls. Each
// stands for the same function or distribution as the direct formula of the transport, to
// within single-precision rounding.

namespace engine {

// The interaction coefficients' log-log segments, with a guide from the energy to the segment.
struct CoefficientSegments {
    static constexpr int kGuideCells = 1024;                    // energy cells of the guide
    static constexpr float kGuideStep = 0.25f;                  // keV per guide cell
    int rows = 0;                                               // rows of the interaction table
    std::array<float, InteractionTable::kMaxRows + 1> energy{}; // keV, as in the table
    // Per segment k (rows k − 1 and k, k from 2): ln E(k−1) and 1 / (ln E(k) − ln E(k−1)).
    std::array<double, InteractionTable::kMaxRows + 1> logEnergyLow{};
    std::array<double, InteractionTable::kMaxRows + 1> inverseLogSpan{};
    // Per segment and coefficient (photoelectric, incoherent, coherent): ln c(k−1) and
    // ln c(k) − ln c(k−1).
    std::array<std::array<double, 3>, InteractionTable::kMaxRows + 1> logLow{};
    std::array<std::array<double, 3>, InteractionTable::kMaxRows + 1> logRise{};
    // Per guide cell, the segment of the cell's lowest energy: a search starts there.
    std::array<std::uint8_t, kGuideCells> guide{};
};

// The incoherent scattering function as a share of its largest value, S(q) / S(max), linear
// between the table's rows like the direct formula, with a guide from q to the row.
struct ScatteringShare {
    static constexpr int kGuideCells = 1024; // cells of the guide over q from 0 to 10
    static constexpr float kCellsPerUnit = static_cast<float>(kGuideCells) / 10.0f;
    std::array<float, ScatterTable::kRows + 1> x{};     // the table's x
    std::array<float, ScatterTable::kRows + 1> share{}; // S(x) / S(max)
    std::array<float, ScatterTable::kRows + 1> slope{}; // per row k from 2: share rise per unit x
    std::array<std::uint8_t, kGuideCells> guide{};      // per cell, the row of its lowest q
};

// Incoherent scattering sampled by rejection from a piecewise-constant envelope of the
// Klein-Nishina cross-section thinned by the scattering function. The variable is
// u = sin(θ/2), on 64 equal bins; the photon energy on cells of 1 keV from the cut-off. For
// each energy cell and bin the envelope bounds the density over the whole bin and cell, and
// a bin is drawn from one deviate by an alias table whose columns are its 256 low values.
struct IncoherentEnvelope {
    static constexpr int kBins = 64;          // bins of u = sin(θ/2) over [0, 1]
    static constexpr int kColumn = 256;       // deviate entries per alias column
    static constexpr float kLowEnergy = 5.0f; // keV: the first cell's lower edge
    static constexpr int kCells = 146;        // 1 keV cells, up to 151 keV
    // One energy cell's alias table and envelope.
    struct Cell {
        std::array<float, kBins> limit{};        // envelope height on each bin
        std::array<std::uint16_t, kBins> keep{}; // column entries below this keep the bin
        std::array<std::uint8_t, kBins> alias{}; // the bin the other entries go to
        bool usable = false;                     // false: the direct sampler takes this cell
    };
    std::array<Cell, kCells> cells{}; // by energy cell
};

// Tries of the envelope before the direct sampler takes over: sound tables accept most tries.
inline constexpr int kEnvelopeTries = 10000;

// Flights by delta tracking on energy cells: each cell's flights are drawn with one
// coefficient at or above the attenuation μ(E) of every energy in the cell, the majorant, and
// a collision is real with probability μ(E) / majorant, else the photon flies on unchanged:
// the same law of interaction points and kinds as flights drawn with μ(E) itself, without
// the coefficients on the path of every flight. One deviate R picks the kind against the
// thresholds photoelectric, + coherent, + incoherent (= μ), each in units of the majorant;
// the cell's bounds of each threshold decide without the coefficients unless R falls between
// a pair of them. The cells are log-spaced: a float's exponent and first 7 mantissa bits.
struct InteractionCells {
    static constexpr int kKeyShift = 16;               // a float's bits shifted this far: its cell key
    static constexpr std::uint32_t kFirstKey = 0x4080; // the key of 4 keV
    static constexpr int kCells = 768;                 // 128 per octave, 4 to 256 keV
    // One energy cell.
    struct Cell {
        float perMajorant = 0.0f;    // 1 / majorant, cm
        std::array<float, 3> low{};  // lower bounds of the three thresholds
        std::array<float, 3> high{}; // upper bounds of the three thresholds
    };
    std::array<Cell, kCells> cells{}; // by key − kFirstKey
};

// The photoelectric, incoherent and coherent coefficients at E (per cm), as CoefficientsAt
// interpolates them, from the segments.
struct InteractionValues {
    double photoelectric = 0.0; // per cm
    double incoherent = 0.0;    // per cm
    double coherent = 0.0;      // per cm
};

// Everything the chunked mode's transport looks up.
struct SamplingTables {
    CoefficientSegments coefficients; // the interaction coefficients
    InteractionCells interactions;    // delta tracking's energy cells
    ScatteringShare scattering;       // S(q) / S(max)
    IncoherentEnvelope incoherent;    // the incoherent angle's envelope
};

// Builds the sampling tables of a job's interaction and scattering tables.
SamplingTables BuildSamplingTables(const Tables& tables);

// The coefficients at E, from the segments.
inline InteractionValues InteractionValuesAt(const CoefficientSegments& segments, float E)
{
    const float cell = std::min(E * (1.0f / CoefficientSegments::kGuideStep),
        static_cast<float>(CoefficientSegments::kGuideCells - 1));
    int k = segments.guide[static_cast<std::size_t>(static_cast<int>(cell))];
    while (k < segments.rows && !(segments.energy[static_cast<std::size_t>(k)] > E)) ++k;
    const std::size_t s = static_cast<std::size_t>(k);
    const double f = (FastLog(E) - segments.logEnergyLow[s]) * segments.inverseLogSpan[s];
    InteractionValues values;
    values.photoelectric = FastExp(segments.logLow[s][0] + segments.logRise[s][0] * f);
    values.incoherent = FastExp(segments.logLow[s][1] + segments.logRise[s][1] * f);
    values.coherent = FastExp(segments.logLow[s][2] + segments.logRise[s][2] * f);
    return values;
}

// A cell that holds for E alone: the majorant is μ(E) and the bounds are the thresholds.
InteractionCells::Cell ExactCell(const CoefficientSegments& segments, float E);

// The cell of E: its table entry, or `spare` filled for E alone beyond the table's range.
inline const InteractionCells::Cell& CellOf(
    const SamplingTables& tables, float E, InteractionCells::Cell& spare)
{
    const std::uint32_t index =
        (std::bit_cast<std::uint32_t>(E) >> InteractionCells::kKeyShift) - InteractionCells::kFirstKey;
    if (index < static_cast<std::uint32_t>(InteractionCells::kCells)) [[likely]]
        return tables.interactions.cells[index];
    spare = ExactCell(tables.coefficients, E);
    return spare;
}

// The interaction that deviate r picks at E, in `cell`, the cell of E.
inline Interaction ChooseInteraction(
    const SamplingTables& tables, const InteractionCells::Cell& cell, float E, float r)
{
    const auto above = [r](float threshold) { return static_cast<int>(r >= threshold); };
    const bool between = (above(cell.low[0]) & !above(cell.high[0])) |
                         (above(cell.low[1]) & !above(cell.high[1])) |
                         (above(cell.low[2]) & !above(cell.high[2]));
    if (!between) [[likely]]
        return static_cast<Interaction>(above(cell.low[0]) + above(cell.low[1]) + above(cell.low[2]));
    const InteractionValues v = InteractionValuesAt(tables.coefficients, E);
    const double rr = r;
    const double per = cell.perMajorant;
    const double photoelectric = v.photoelectric * per;
    const double coherent = photoelectric + v.coherent * per;
    const double all = coherent + v.incoherent * per;
    return static_cast<Interaction>(static_cast<int>(rr >= photoelectric) + static_cast<int>(rr >= coherent) +
                                    static_cast<int>(rr >= all));
}

// S(q) / S(max) for 0 ≤ q < 10, linear between the rows around q (below the second row's x,
// the first two rows' line).
inline float ScatteringShareAt(const ScatteringShare& table, float q)
{
    const float cell =
        std::min(q * ScatteringShare::kCellsPerUnit, static_cast<float>(ScatteringShare::kGuideCells - 1));
    int k = table.guide[static_cast<std::size_t>(static_cast<int>(cell))];
    while (k < ScatterTable::kRows && !(table.x[static_cast<std::size_t>(k)] > q)) ++k;
    const std::size_t s = static_cast<std::size_t>(k);
    return table.share[s - 1] + (q - table.x[s - 1]) * table.slope[s];
}

// Incoherent scattering at E drawn from the envelope: the same distribution as
// SampleIncoherent's, with about three deviates per angle instead of six to seven. Energies
// outside the cells, and cells whose tables leave no envelope, are left to SampleIncoherent.
template <class Generator>
IncoherentResult SampleIncoherentTabled(
    float E, const SamplingTables& tables, const ScatterTable& scatter, Generator& rng)
{
    using Envelope = IncoherentEnvelope;
    const float offset = E - Envelope::kLowEnergy;
    if (!(offset >= 0.0f && offset < static_cast<float>(Envelope::kCells)))
        return SampleIncoherent<AngleSines::Algebraic>(E, scatter, rng);
    const Envelope::Cell& cell = tables.incoherent.cells[static_cast<std::size_t>(offset)];
    if (!cell.usable) return SampleIncoherent<AngleSines::Algebraic>(E, scatter, rng);

    const float kappa = E * (1.0f / 511.0f); // E over the electron rest energy
    const float qPerU = E * (1.0f / 12.4f);  // momentum transfer per unit of sin(θ/2), 1/Å
    for (int tries = 0; tries < kEnvelopeTries; ++tries) {
        // The bin from the entry's high bits, kept or sent to its alias by its low bits.
        const auto entry = static_cast<std::uint32_t>(rng.NextEntry());
        const std::size_t column = entry / Envelope::kColumn;
        const bool keep = entry % Envelope::kColumn < cell.keep[column];
        const std::size_t bin = keep ? column : cell.alias[column];
        const float u = (static_cast<float>(bin) + rng.Next()) * (1.0f / Envelope::kBins);
        const float r = rng.Next();

        // Klein-Nishina in x = 1 − cos θ = 2u², with dx = 4u du, thinned by S(q)/S(max):
        // with d = E/E', r² (r + 1/r − sin²θ) for r = 1/d is (1 + d (d − sin²θ)) / d³, and the
        // test is made with both sides times d³, which leaves no division before the verdict.
        const float x = 2.0f * u * u;
        const float d = 1.0f + kappa * x;
        const float kleinNishinaTimesD3 = 1.0f + d * (d - x * (2.0f - x));
        const float q = u * qPerU;
        const float share = q < 10.0f ? std::min(ScatteringShareAt(tables.scattering, q), 1.0f) : 1.0f;
        if (r * cell.limit[bin] * (d * d * d) < kleinNishinaTimesD3 * share * (4.0f * u)) {
            IncoherentResult result;
            result.angle.cosTheta = 1.0f - x;
            result.angle.sinTheta = 2.0f * u * std::sqrt(1.0f - u * u);
            result.energy = E / d;
            return result;
        }
    }
    // Only tables of vanishing scattering function come here; the direct sampler gives up
    // on them with its message.
    return SampleIncoherent<AngleSines::Algebraic>(E, scatter, rng);
}

} // namespace engine
