#pragma once

#include <algorithm>
#include <array>
#include <string>

namespace engine {

// Photon interaction coefficients of the phantom material, rows ascending in energy.
// Arrays are 1-based like the formulas; logarithms are taken once at loading.
struct InteractionTable {
    static constexpr int kMaxRows = 25;                 // most rows the file may hold
    int rows = 0;                                       // N, 2..25
    std::array<float, kMaxRows + 1> energy{};           // keV
    std::array<float, kMaxRows + 1> coherent{};         // per cm
    std::array<float, kMaxRows + 1> incoherent{};       // per cm
    std::array<float, kMaxRows + 1> photoelectric{};    // per cm
    std::array<float, kMaxRows + 1> logEnergy{};        // ln energy
    std::array<float, kMaxRows + 1> logCoherent{};      // ln coherent
    std::array<float, kMaxRows + 1> logIncoherent{};    // ln incoherent
    std::array<float, kMaxRows + 1> logPhotoelectric{}; // ln photoelectric
};

// Where to start the search for the first table value above v: the values' range cut into
// equal cells, each holding the first index whose value exceeds the cell below it.
struct LookupGuide {
    static constexpr int kCells = 256;         // cells over the range
    double low = 0.0;                          // value at the start of cell 0
    double cellsPerUnit = 0.0;                 // cells per unit of the value
    std::array<unsigned char, kCells> start{}; // first index to look at, per cell
};

// Builds the guide for values[first..last], which must not decrease.
template <std::size_t Size>
LookupGuide MakeLookupGuide(const std::array<float, Size>& values, int first, int last)
{
    LookupGuide guide;
    guide.low = values[static_cast<std::size_t>(first - 1)];
    const double span = static_cast<double>(values[static_cast<std::size_t>(last)]) - guide.low;
    guide.cellsPerUnit = span > 0.0 ? LookupGuide::kCells / span : 0.0;
    int k = first;
    for (int cell = 0; cell < LookupGuide::kCells; ++cell) {
        // One cell lower than needed, so a rounding of the cell number cannot skip the answer.
        const double below = guide.low + (cell - 1) / (guide.cellsPerUnit > 0.0 ? guide.cellsPerUnit : 1.0);
        while (k < last && !(values[static_cast<std::size_t>(k)] > below)) ++k;
        guide.start[static_cast<std::size_t>(cell)] = static_cast<unsigned char>(k);
    }
    return guide;
}

// Form-factor and incoherent-scattering-function table, 45 rows ascending in x.
struct ScatterTable {
    static constexpr int kRows = 45;           // rows in the file
    std::array<float, kRows + 1> x{};          // sin(θ/2)/λ, λ in ångström
    std::array<float, kRows + 1> cumulative{}; // running integral of the squared coherent form factor
    std::array<float, kRows + 1> incoherent{}; // incoherent scattering function S(x)
    float cumulativeMax = 0.0f;                // row 45's cumulative
    float incoherentMax = 0.0f;                // row 45's S
    LookupGuide xGuide;                        // speeds up look-ups by x
    LookupGuide cumulativeGuide;               // speeds up look-ups by coherent cumulative
};

// Mass energy-absorption coefficient of air, entry i at i × 0.5 keV.
struct AirTable {
    std::array<float, 301> coefficient{}; // entries 1..300
};

// Air kerma to dose-equivalent conversion, 1001 rows ascending in energy.
struct ConversionTable {
    static constexpr int kRows = 1001;          // rows in the file
    std::array<float, kRows + 1> energy{};      // keV
    std::array<float, kRows + 1> coefficient{}; // Sv per Gy
};

// The job the front end wrote.
struct Job {
    float tubeOutput = 0.0f;  // air kerma per minute at 100 cm
    float fsd = 0.0f;         // focus-surface distance F, cm
    float fieldLength = 0.0f; // L, along the long axis, cm
    float fieldWidth = 0.0f;  // W, across the phantom, cm
    float photonCount = 0.0f; // histories summed over the spectrum
    std::string resultName;   // at most 30 characters, trailing blanks dropped
};

// The spectrum, normalised to sum 1, entry i at i × 0.5 keV.
struct Spectrum {
    std::array<float, 301> intensity{}; // entries 1..300
    int lastBin = 0;                    // highest non-zero entry
    std::array<float, 6> descriptors{}; // kV, mA, target angle, inherent, Al, Cu: copied to the result header
};

// Everything the run reads, read-only once loaded.
struct Tables {
    InteractionTable interaction; // ICRUSoft.dat, first part
    ScatterTable scatter;         // ICRUSoft.dat, second part
    AirTable air;                 // Air.eac
    ConversionTable conversion;   // Ak2Sv.dat
    Job job;                      // B2F.txt
    Spectrum spectrum;            // B_SPCTL.dat
};

// Smallest index k from `first` to `last` whose value exceeds v; `last` when none does.
// The values are checked ascending at loading, so a bisection finds the same index as a
// scan from `first` upward.
template <std::size_t Size>
int FirstAbove(const std::array<float, Size>& values, int first, int last, float v)
{
    const auto begin = values.begin() + first;
    const auto end = values.begin() + last + 1;
    const auto found = std::upper_bound(begin, end, v);
    return found == end ? last : static_cast<int>(found - values.begin());
}

// FirstAbove by a bisection that selects instead of branching: for long tables, whose
// bisection steps go either way at random and would mostly be mispredicted branches.
template <std::size_t Size>
int FirstAboveBranchless(const std::array<float, Size>& values, int first, int last, float v)
{
    const float* base = values.data() + first;
    std::size_t n = static_cast<std::size_t>(last + 1 - first);
    while (n > 1) {
        const std::size_t half = n / 2;
        base = v < base[half] ? base : base + half;
        n -= half;
    }
    const int found = static_cast<int>(base - values.data()) + (v < base[0] ? 0 : 1);
    return found > last ? last : found;
}

// FirstAbove with the search started where the guide says: the same index, found in a
// step or two instead of a bisection.
template <std::size_t Size>
int FirstAboveGuided(
    const std::array<float, Size>& values, const LookupGuide& guide, int first, int last, float v)
{
    int k = first;
    const double cell = (static_cast<double>(v) - guide.low) * guide.cellsPerUnit;
    if (cell >= 0.0)
        k = guide.start[static_cast<std::size_t>(
            cell < LookupGuide::kCells - 1 ? cell : LookupGuide::kCells - 1)];
    // The first two steps by arithmetic: the answer is mostly there, at random which.
    for (int step = 0; step < 2; ++step) {
        k += static_cast<int>(k < last) & static_cast<int>(!(values[static_cast<std::size_t>(k)] > v));
    }
    while (k < last && !(values[static_cast<std::size_t>(k)] > v)) ++k;
    return k;
}

} // namespace engine
