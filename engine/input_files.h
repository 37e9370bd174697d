#pragma once

#include "records/file_names.h"

#include "engine/tables.h"

#include <string>

namespace engine {

// Record of the job file that holds the result file name.
inline constexpr int kResultNameRecord = 6;

// Reads and checks all five inputs from `directory` ("" for the working directory), and
// normalises the spectrum. Any file that is missing, short, malformed or that breaks what
// the transport relies on, or whose products leave single precision, throws InputError
// before anything is simulated.
Tables LoadTables(const std::string& directory);

} // namespace engine
