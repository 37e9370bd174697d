#pragma once

#include <array>
#include <string_view>

namespace records {

// The files through which the programs meet in the working directory, each named here once.
// Every program opens them by these bare names in its current directory.

// Interaction data of the phantom's soft tissue, read by the engines.
inline constexpr const char* kInteractionTableFile = "ICRUSoft.dat";
// Air attenuation and energy-absorption coefficients, read by the engines and the window.
inline constexpr const char* kAirTableFile = "Air.eac";
// Air kerma to dose equivalent conversion coefficients, read by the engines.
inline constexpr const char* kConversionTableFile = "Ak2Sv.dat";
// Attenuation coefficients of the target, aluminium and copper, read by the window.
inline constexpr const char* kAttenuationTableFile = "MUs.dat";
// Tube output reference table, read by the window.
inline constexpr const char* kTubeOutputTableFile = "default-output.op";
// The text the readme viewer shows.
inline constexpr const char* kReadmeFile = "readme.txt";
// The job file, window to engine.
inline constexpr const char* kJobFile = "B2F.txt";
// An old job file name that nothing writes any more; removed when the window closes.
inline constexpr const char* kLegacyJobFile = "B2F.dat";
// The tube spectrum, window to engine.
inline constexpr const char* kSpectrumFile = "B_SPCTL.dat";
// The list file naming the result the refiner converts, window to refiner.
inline constexpr const char* kListFile = "FLname.txt";
// The refined 1 cm grids, refiner to window.
inline constexpr const char* kRefinedGridFile = "F2B.dat";

// The tables and the readme that every working folder needs; an installed brisca keeps them
// in <prefix>/share/brisca.
inline constexpr std::array<std::string_view, 6> kShippedFiles = {kInteractionTableFile, kAirTableFile,
    kConversionTableFile, kAttenuationTableFile, kTubeOutputTableFile, kReadmeFile};

} // namespace records
