#include "fortran_field.h"

#include <cmath>
#include <cstdio>
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

} // namespace tablegen
