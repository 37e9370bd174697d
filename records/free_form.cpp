#include "records/free_form.h"

#include "records/field_error.h"
#include "records/field_reader.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace records {

namespace {

std::string FirstItemCanonical(std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    std::size_t end = start;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ',' && line[end] != '/')
        ++end;
    const std::string_view item = line.substr(start, end - start);
    if (item.empty()) throw FieldError("数値がありません", "no number on the line");
    std::string canonical;
    std::string reason;
    if (!CanonicalNumber(item, 0, canonical, reason)) {
        throw FieldError("「" + EchoText(item) + "」は数値ではありません",
            "'" + EchoText(item) + "' is not a number (" + reason + ")");
    }
    return canonical;
}

} // namespace

double ReadFirstNumber(std::string_view line)
{
    const double value = std::strtod(FirstItemCanonical(line).c_str(), nullptr);
    if (!std::isfinite(value)) throw FieldError("値が大きすぎます", "number out of range");
    return value;
}

float ReadFirstNumberSingle(std::string_view line)
{
    const float value = std::strtof(FirstItemCanonical(line).c_str(), nullptr);
    if (!std::isfinite(value))
        throw FieldError("値が大きすぎます（単精度の範囲外）", "number out of single-precision range");
    return value;
}

} // namespace records
