#pragma once

#include <iosfwd>

#include "commandline/MapOptions.h"

namespace brisca {

// Exit statuses of brisca-map, as brisca-job's.
inline constexpr int MapExitRefused = 1; // a result without positive rates and no thresholds given
inline constexpr int MapExitUsage = 2;   // a malformed command line
inline constexpr int MapExitFile = 3;    // a result or room file missing or malformed, or no output written

// Does what `options` ask (not --help, nor a usage error): reads the result's header, refines
// the result in memory, reads the room layout when one is named, and writes the picture or
// the grid to --out, whole or not at all. What was done goes to `out`, what went wrong to
// `errors`, Japanese first and English after in brackets. Returns the exit status.
int RunMapCommand(const MapOptions& options, std::ostream& out, std::ostream& errors);

} // namespace brisca
