#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

// Natural logarithm and exponential for the chunked mode's hot loop, inline and without library
// calls. Both work in double precision with series whose truncation error lies far below a
// single-precision step, so that a result rounded to float is the correctly rounded value or
// its neighbour. The single stream keeps the library's functions, whose roundings its file
// depends on.

namespace engine {

// ln x for a positive, finite, normal x, to about 1e-9 absolute.
inline double FastLog(float x)
{
    // x = 2^e × m with m in [√½, √2): the integer offset of √½'s bits moves the split there.
    constexpr std::uint32_t kSqrtHalfBits = 0x3f3504f3;
    const std::uint32_t shifted = std::bit_cast<std::uint32_t>(x) - kSqrtHalfBits;
    const int e = static_cast<int>(shifted) >> 23;
    const double m = std::bit_cast<float>((shifted & 0x7fffff) + kSqrtHalfBits);
    // ln m = 2 atanh t with t = (m − 1)/(m + 1), |t| ≤ 0.1716: five odd terms leave < 1e-9.
    const double t = (m - 1.0) / (m + 1.0);
    const double t2 = t * t;
    const double series = 1.0 + t2 * (1.0 / 3 + t2 * (1.0 / 5 + t2 * (1.0 / 7 + t2 * (1.0 / 9))));
    constexpr double kLn2 = 0.6931471805599453;
    return static_cast<double>(e) * kLn2 + 2.0 * t * series;
}

// e^y, to about 1e-8 relative; arguments beyond the float range give 0 or a value that
// rounds to infinity as a float.
inline double FastExp(double y)
{
    constexpr double kLog2E = 1.4426950408889634;
    constexpr double kLn2 = 0.6931471805599453;
    // Added to and taken from a value below 2^51 in magnitude, rounds it to a whole number.
    constexpr double kRoundingShift = 0x1.8p52;
    const double z = std::clamp(y * kLog2E, -160.0, 160.0);
    const double n = (z + kRoundingShift) - kRoundingShift;
    // e^y = 2^n × e^s with |s| ≤ ½ ln 2; the Taylor series to s^7 leaves below 6e-9.
    const double s = (z - n) * kLn2;
    const double p =
        1.0 +
        s * (1.0 + s * (1.0 / 2 +
                           s * (1.0 / 6 +
                                   s * (1.0 / 24 + s * (1.0 / 120 + s * (1.0 / 720 + s * (1.0 / 5040)))))));
    const std::int64_t scaleBits = (static_cast<std::int64_t>(n) + 1023) << 52;
    return p * std::bit_cast<double>(scaleBits);
}

} // namespace engine
