#pragma once

#include <string_view>

namespace records {

// Reads the first number of a line read free-form: leading blanks and tabs are skipped,
// the number ends at a blank, tab, comma, slash or the end of the line, and anything after
// it is ignored. Plain and exponent notation are accepted ("90", "1.234E+00", "-2.5d-3").
// Throws FieldError when the line holds no number or the first item is not a number.
double ReadFirstNumber(std::string_view line);

// The same, rounded once from the decimal text to single precision.
float ReadFirstNumberSingle(std::string_view line);

} // namespace records
