#pragma once

#include <string>
#include <string_view>

namespace brisca {

// Number texts of the front end: reading a typed number and writing numbers with the
// fixed display and file patterns. Both ignore the process locale: the decimal
// separator is always a full stop.

// The number at the start of a text, 0 when there is none: leading blanks, tabs and
// line ends are skipped, then an optional sign, digits with an optional full stop and
// an optional exponent (E or D) are read; anything after them is ignored. A number
// beyond the double range reads as plus or minus infinity, one below it as 0.
double LeadingNumber(std::string_view text);

// Whether a text starts with a number that LeadingNumber reads, rather than its 0 for no
// number: "24.6 uGy" and " -.5" do; "", "  ", "abc" and "E5" do not.
bool StartsWithNumber(std::string_view text);

// Whether the whole text, blanks around it aside, is one number of the form LeadingNumber
// reads: "2.5", "-3", "1e9" are; "2,5", "80kV", "1.5.2" and a text of blanks only are not.
bool ReadsAsNumber(std::string_view text);

// Shortest general decimal text of a value, rounded to 15 significant digits, without
// trailing zeros: 3000, 0.75, 0.15, 1E-06, 1.5E+15 (exponent form below 1E-05 and from
// 1E+15 on). Negative zero prints as 0.
std::string PlainNumberText(double value);

// A value written with a fixed pattern such as "0000.0", "##0.00", "#00.0", "0.00000",
// "0.000E+00" or "#.0E+00". Integer places marked "0" print leading zeros, places
// marked "#" print nothing when the digit is not needed; the value is rounded half
// away from zero to the pattern's decimals (after rounding to 15 significant digits,
// so binary noise such as 0.15000000000000002 does not tip a half). An exponent
// pattern prints a sign and at least as many exponent digits as it has zeros. A
// minus sign is printed only when a non-zero digit is shown. Throws
// std::invalid_argument for a pattern outside this family.
std::string FormatNumber(double value, std::string_view pattern);

} // namespace brisca
