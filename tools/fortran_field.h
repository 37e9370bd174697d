// Fixed-width integer and fixed-point fields as the engine's record layouts spell them (Iw,
// Fw.d), written by the records library's field writers (as are the exponent fields); a value
// too wide for its column is refused instead of written as asterisks.
#pragma once

#include <string>

namespace tablegen {

// Integer right-justified in `width` characters (Iw); throws if it does not fit.
std::string FormatI(long value, int width);

// Fixed-point value with `decimals` decimals, right-justified in `width` characters (Fw.d).
std::string FormatF(double value, int width, int decimals);

} // namespace tablegen
