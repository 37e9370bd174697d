#include "fortran_field.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace tablegen {
namespace {

// A table value that does not fit its column is a generator fault, never a row of asterisks.
std::string RightJustify(const std::string& text, int width)
{
    if (static_cast<int>(text.size()) > width) {
        throw std::range_error("value " + text + " does not fit in " + std::to_string(width) + " columns");
    }
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

} // namespace

std::string FormatI(long value, int width) { return RightJustify(std::to_string(value), width); }

std::string FormatF(double value, int width, int decimals)
{
    if (!std::isfinite(value)) throw std::range_error("non-finite value in an F field");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return RightJustify(buffer, width);
}

std::string FormatE(double value, int width, int decimals)
{
    if (!std::isfinite(value)) throw std::range_error("non-finite value in an E field");
    std::string digits;
    int exponent = 0;
    if (value == 0.0) {
        digits.assign(static_cast<std::size_t>(decimals), '0');
    } else {
        // printf rounds to d significant digits as d.ddd e±x; shifting the point one place left
        // gives the 0.ddd mantissa with the exponent one higher.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*e", decimals - 1, std::fabs(value));
        const std::string text = buffer;
        const std::size_t e = text.find('e');
        digits = text.substr(0, 1) + (decimals > 1 ? text.substr(2, e - 2) : "");
        exponent = std::atoi(text.c_str() + e + 1) + 1;
    }
    if (std::abs(exponent) > 99) throw std::range_error("exponent beyond two digits");
    char tail[8];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    const std::string sign = value < 0.0 ? "-" : "";
    return RightJustify(sign + "0." + digits + tail, width);
}

} // namespace tablegen
