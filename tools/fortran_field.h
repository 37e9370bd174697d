// Fixed-width numeric fields as the engine's record layouts spell them: Iw, Fw.d and Ew.d,
// right-justified, with Ew.d written as 0.ddd…E±xx.
#pragma once

#include <string>

namespace tablegen {

// Integer right-justified in `width` characters (Iw); throws if it does not fit.
std::string FormatI(long value, int width);

// Fixed-point value with `decimals` decimals, right-justified in `width` characters (Fw.d).
std::string FormatF(double value, int width, int decimals);

// Exponent form 0.ddd…E±xx with `decimals` significant digits in `width` characters (Ew.d).
std::string FormatE(double value, int width, int decimals);

} // namespace tablegen
