#include "records/field_writer.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace records {

namespace {

void AppendStars(std::string& out, int width) { out.append(static_cast<std::size_t>(width), '*'); }

// Non-finite values cannot occur in files this system writes; show them rather than hide them.
bool AppendNonFinite(std::string& out, double value, int width)
{
    if (std::isfinite(value)) return false;
    const char* text = std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    const std::string word(text);
    if (static_cast<int>(word.size()) > width)
        AppendStars(out, width);
    else {
        out.append(static_cast<std::size_t>(width) - word.size(), ' ');
        out += word;
    }
    return true;
}

// A field too narrow for its value would shift every later field of the record, and a
// non-finite value has no exponent form: both are the writer's fault, never a file's content.
[[noreturn]] void RefuseE(double value, int width, int decimals)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    throw std::range_error("value " + std::string(text, end) + " does not fit an E" + std::to_string(width) +
                           "." + std::to_string(decimals) + " field");
}

} // namespace

void AppendE(std::string& out, double value, int width, int decimals)
{
    if (!std::isfinite(value) || decimals < 1) RefuseE(value, width, decimals);
    // Negative zero is written as zero: its sign would fill the field's leading blank and
    // join the field to its neighbour.
    const bool negative = std::signbit(value) && value != 0.0;
    const double magnitude = std::fabs(value);

    // Shortest exact rounding to d significant digits: "d.ddde+XX".
    char buf[64];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, decimals - 1);
    char digits[40];
    int count = 0;
    const char* p = buf;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p != '.') digits[count++] = *p;
    }
    int exponent = 0;
    if (magnitude != 0.0) {
        std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);
        exponent += 1; // 0.dddd form: one power of ten more than d.ddd
    }

    char exponentText[8];
    int exponentLength = 0;
    const int absExponent = std::abs(exponent);
    if (absExponent <= 99) {
        exponentText[exponentLength++] = 'E';
        exponentText[exponentLength++] = exponent < 0 ? '-' : '+';
        exponentText[exponentLength++] = static_cast<char>('0' + absExponent / 10);
        exponentText[exponentLength++] = static_cast<char>('0' + absExponent % 10);
    } else if (absExponent <= 999) {
        exponentText[exponentLength++] = exponent < 0 ? '-' : '+';
        exponentText[exponentLength++] = static_cast<char>('0' + absExponent / 100);
        exponentText[exponentLength++] = static_cast<char>('0' + absExponent / 10 % 10);
        exponentText[exponentLength++] = static_cast<char>('0' + absExponent % 10);
    } else {
        RefuseE(value, width, decimals);
    }

    const int bare = (negative ? 1 : 0) + 1 + decimals + exponentLength;
    if (bare > width) RefuseE(value, width, decimals);
    const bool leadingZero = bare < width;
    out.append(static_cast<std::size_t>(width - bare - (leadingZero ? 1 : 0)), ' ');
    if (negative) out += '-';
    if (leadingZero) out += '0';
    out += '.';
    out.append(digits, static_cast<std::size_t>(count));
    out.append(exponentText, static_cast<std::size_t>(exponentLength));
}

void AppendF(std::string& out, double value, int width, int decimals)
{
    if (AppendNonFinite(out, value, width)) return;
    const bool negative = std::signbit(value) && value != 0.0;
    char buf[400];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        AppendStars(out, width);
        return;
    }
    std::string_view text(buf, static_cast<std::size_t>(result.ptr - buf));
    std::string body(text);
    if (decimals == 0) body += '.';
    const int signWidth = negative ? 1 : 0;
    if (static_cast<int>(body.size()) + signWidth > width && body.size() > 1 && body[0] == '0' &&
        body[1] == '.') {
        body.erase(0, 1);
    }
    const int length = static_cast<int>(body.size()) + signWidth;
    if (length > width) {
        AppendStars(out, width);
        return;
    }
    out.append(static_cast<std::size_t>(width - length), ' ');
    if (negative) out += '-';
    out += body;
}

void AppendI(std::string& out, long value, int width)
{
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    const int length = static_cast<int>(result.ptr - buf);
    if (length > width) {
        AppendStars(out, width);
        return;
    }
    out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(buf, static_cast<std::size_t>(length));
}

} // namespace records
