#pragma once

#include <string>
#include <string_view>

namespace records {

// The seed and the precision an engine run takes, on its command line or from BRISCA_SEED and
// BRISCA_PRECISION. brisca-job checks them before handing them on, with the engines' own
// checks and words, so that a bad value fails before any file is written.

// Largest precision that may be asked for, percent: no cell's error exceeds 100 %.
inline constexpr double kLargestPrecision = 100.0;

// A whole number with an optional minus sign, within 64 bits.
bool ParseSeed(std::string_view text, long long& value);

// A percentage written with digits and at most one point, above 0 and at most 100.
bool ParsePrecision(std::string_view text, double& value);

// Why a value was refused, in both languages.
struct ValueRefusal {
    std::string japanese;
    std::string english;
    // "Japanese [English]", as the engines show it.
    std::string Text() const { return japanese + " [" + english + "]"; }
};

// Why `text`, given as `where` (an option or a variable), is no seed or no precision.
ValueRefusal SeedRefusal(const std::string& where, const std::string& text);
ValueRefusal PrecisionRefusal(const std::string& where, const std::string& text);

} // namespace records
