#pragma once

#include <iosfwd>

#include "commandline/MapOptions.h"

namespace brisca {

// Does what `options` ask (not --help, nor a usage error): reads the result's header, refines
// the result in memory, reads the room layout and the points when they are named, works out
// the points' doses when a workload is given, and writes the picture, the grid, the doses or
// the report (MapReport.h) to --out, whole or not at all. What was done goes to `out`, what
// went wrong to `errors`. Returns the exit status: refused (no positive rates and no
// thresholds, or no doses at the result's voltage or current) or a file error (a result, room
// or points file missing or malformed, or no output written).
int RunMapCommand(const MapOptions& options, std::ostream& out, std::ostream& errors);

} // namespace brisca
