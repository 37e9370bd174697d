#pragma once

#include <string>

namespace records {

// Appends value as an Ew.d field: right-justified in w characters, "0.dddd" times a power of
// ten written as E, a sign and two digits ("E+03"; a three-digit exponent drops the E). The
// zero before the point is left out when the field is too narrow for it; zero carries no
// sign, whatever the sign bit. Throws
// std::range_error for a value that does not fit at all, a non-finite value or d < 1.
// Fast enough for millions of fields.
void AppendE(std::string& out, double value, int width, int decimals);

// Appends value as an Fw.d field: right-justified, d decimals, w asterisks when too wide.
// The zero before the point is left out when only that makes it fit (" .5" in F2.1).
void AppendF(std::string& out, double value, int width, int decimals);

// Appends value as an Iw field: right-justified, w asterisks when too wide.
void AppendI(std::string& out, long value, int width);

} // namespace records
