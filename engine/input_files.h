#pragma once

#include "engine/tables.h"

#include <string>

namespace engine {

// File names of the five inputs, read in this order from the working directory.
inline constexpr const char* kInteractionFile = "ICRUSoft.dat";
inline constexpr const char* kAirFile = "Air.eac";
inline constexpr const char* kConversionFile = "Ak2Sv.dat";
inline constexpr const char* kJobFile = "B2F.txt";
inline constexpr const char* kSpectrumFile = "B_SPCTL.dat";
// Record of the job file that holds the result file name.
inline constexpr int kResultNameRecord = 6;

// Reads and checks all five inputs from `directory` ("" for the working directory), and
// normalises the spectrum. Any file that is missing, short, malformed or that breaks what
// the transport relies on, or whose products leave single precision, throws InputError
// before anything is simulated.
Tables LoadTables(const std::string& directory);

} // namespace engine
