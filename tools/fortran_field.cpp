#include "fortran_field.h"

#include "records/field_writer.h"

#include <cmath>
#include <stdexcept>

namespace tablegen {
namespace {

// The records library fills a field that is too narrow with asterisks; in a table that is a
// generator fault, never a row of asterisks.
std::string Fitted(std::string field, const std::string& value, int width)
{
    if (field.find_first_not_of('*') == std::string::npos) {
        throw std::range_error("value " + value + " does not fit in " + std::to_string(width) + " columns");
    }
    return field;
}

} // namespace

std::string FormatI(long value, int width)
{
    std::string field;
    records::AppendI(field, value, width);
    return Fitted(std::move(field), std::to_string(value), width);
}

std::string FormatF(double value, int width, int decimals)
{
    if (!std::isfinite(value)) throw std::range_error("non-finite value in an F field");
    std::string field;
    records::AppendF(field, value, width, decimals);
    return Fitted(std::move(field), std::to_string(value), width);
}

} // namespace tablegen
