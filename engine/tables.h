#pragma once

#include "engine/search.h"

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
    static constexpr float kBinWidth = 0.5f; // keV per entry: entry i stands for i × 0.5 keV
    static constexpr int kFirstBin = 10;     // first entry simulated and counted; below 5 keV none is
    std::array<float, 301> intensity{};      // entries 1..300
    int lastBin = 0;                         // highest non-zero entry
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

} // namespace engine
