#include "logic/text/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace brisca {

namespace {

// A positive value as 15 significant decimal digits d1 d2 ... with d1 worth 10^exponent.
// Zero has no digits.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal15(double magnitude)
{
    Decimal decimal;
    if (magnitude == 0.0) return decimal;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    for (std::size_t k = 0; k < e; ++k)
        if (text[k] != '.') decimal.digits.push_back(text[k]);
    std::from_chars(
        text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), decimal.exponent);
    return decimal;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one; a carry out
// of the top digit raises the exponent. Returns no digits when everything rounds to zero.
Decimal RoundToDigits(const Decimal& decimal, int keep)
{
    Decimal rounded{"", decimal.exponent};
    const int available = static_cast<int>(decimal.digits.size());
    if (available == 0 || keep < 0) return Decimal{};
    if (keep == 0) {
        if (decimal.digits[0] < '5') return Decimal{};
        return Decimal{"1", decimal.exponent + 1};
    }
    rounded.digits = decimal.digits.substr(0, static_cast<std::size_t>(std::min(keep, available)));
    rounded.digits.resize(static_cast<std::size_t>(keep), '0');
    if (keep < available && decimal.digits[static_cast<std::size_t>(keep)] >= '5') {
        int k = keep - 1;
        while (k >= 0 && rounded.digits[static_cast<std::size_t>(k)] == '9')
            rounded.digits[static_cast<std::size_t>(k--)] = '0';
        if (k >= 0) {
            ++rounded.digits[static_cast<std::size_t>(k)];
        } else {
            rounded.digits.insert(rounded.digits.begin(), '1');
            rounded.digits.pop_back();
            ++rounded.exponent;
        }
    }
    if (rounded.digits.find_first_not_of('0') == std::string::npos) return Decimal{};
    return rounded;
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value)) return "nan";
    return value < 0 ? "-inf" : "inf";
}

std::string ExponentText(int exponent, bool alwaysSign, int minDigits)
{
    std::string text = exponent < 0 ? "-" : (alwaysSign ? "+" : "");
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return text + digits;
}

// The parts of a pattern such as "##0.00" or "0.000E+00".
struct Pattern {
    int integerPlaces = 0;     // "#" and "0" places before the point
    int integerZeros = 0;      // of those, the "0" places (minimum integer digits)
    bool point = false;        // the pattern shows a decimal point
    int decimals = 0;          // "0" places after the point
    bool scientific = false;   // an exponent part follows
    bool exponentSign = false; // "E+": the exponent sign is always shown
    int exponentDigits = 0;    // minimum exponent digits
};

Pattern ParsePattern(std::string_view text)
{
    Pattern pattern;
    const auto bad = [&] {
        return std::invalid_argument("unsupported number pattern: " + std::string(text));
    };
    std::size_t k = 0;
    for (; k < text.size() && (text[k] == '#' || text[k] == '0'); ++k) {
        if (text[k] == '#' && pattern.integerZeros > 0) throw bad();
        ++pattern.integerPlaces;
        if (text[k] == '0') ++pattern.integerZeros;
    }
    if (k < text.size() && text[k] == '.') {
        pattern.point = true;
        for (++k; k < text.size() && text[k] == '0'; ++k) ++pattern.decimals;
    }
    if (k < text.size() && (text[k] == 'E' || text[k] == 'e')) {
        pattern.scientific = true;
        ++k;
        if (k >= text.size() || (text[k] != '+' && text[k] != '-')) throw bad();
        pattern.exponentSign = text[k] == '+';
        for (++k; k < text.size() && text[k] == '0'; ++k) ++pattern.exponentDigits;
        if (pattern.exponentDigits == 0 || pattern.integerPlaces != 1) throw bad();
    }
    if (k != text.size() || pattern.integerPlaces == 0) throw bad();
    return pattern;
}

std::string Join(bool negative, std::string integer, const Pattern& pattern, const std::string& fraction)
{
    if (static_cast<int>(integer.size()) < pattern.integerZeros)
        integer.insert(0, static_cast<std::size_t>(pattern.integerZeros) - integer.size(), '0');
    std::string text = negative ? "-" : "";
    text += integer;
    // Appended piece by piece: '"." + string' makes GCC 12 see a false overlap at -O3.
    if (pattern.point) {
        text += '.';
        text += fraction;
    }
    return text;
}

} // namespace

bool ReadsAsNumber(std::string_view text)
{
    const auto blank = [&](std::size_t k) {
        return text[k] == ' ' || text[k] == '\t' || text[k] == '\r' || text[k] == '\n';
    };
    const auto digit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
    std::size_t k = 0;
    while (k < text.size() && blank(k)) ++k;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    bool digits = false;
    for (; digit(k); ++k) digits = true;
    if (k < text.size() && text[k] == '.')
        for (++k; digit(k); ++k) digits = true;
    if (!digits) return false;
    if (k < text.size() && (text[k] == 'E' || text[k] == 'e' || text[k] == 'D' || text[k] == 'd')) {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (!digit(k)) return false;
        while (digit(k)) ++k;
    }
    while (k < text.size() && blank(k)) ++k;
    return k == text.size();
}

bool StartsWithNumber(std::string_view text)
{
    std::size_t k = text.find_first_not_of(" \t\r\n");
    if (k == std::string_view::npos) return false;
    if (text[k] == '+' || text[k] == '-') ++k;
    if (k < text.size() && text[k] == '.') ++k;
    return k < text.size() && text[k] >= '0' && text[k] <= '9';
}

double LeadingNumber(std::string_view text)
{
    std::size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t' || text[k] == '\r' || text[k] == '\n')) ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';

    // Mantissa digits, without the point; `pointShift` counts the digits after the point.
    std::string mantissa;
    int pointShift = 0;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) mantissa.push_back(text[k]);
    if (k < text.size() && text[k] == '.') {
        for (++k; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
            mantissa.push_back(text[k]);
            ++pointShift;
        }
    }
    if (mantissa.empty()) return 0.0;

    // Exponent; one without digits is not part of the number. Huge exponents saturate.
    long long exponent = 0;
    if (k < text.size() && (text[k] == 'E' || text[k] == 'e' || text[k] == 'D' || text[k] == 'd')) {
        std::size_t e = k + 1;
        bool negativeExponent = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) negativeExponent = text[e++] == '-';
        if (e < text.size() && text[e] >= '0' && text[e] <= '9') {
            for (; e < text.size() && text[e] >= '0' && text[e] <= '9'; ++e)
                exponent = std::min<long long>(exponent * 10 + (text[e] - '0'), 1'000'000'000);
            if (negativeExponent) exponent = -exponent;
        }
    }

    const std::size_t first = mantissa.find_first_not_of('0');
    if (first == std::string::npos) return negative ? -0.0 : 0.0;
    const std::string digits = mantissa.substr(first);
    const long long scale = exponent - pointShift;
    // Decimal magnitude of the leading digit decides between overflow and underflow.
    const long long magnitude = scale + static_cast<long long>(digits.size()) - 1;
    double value = 0.0;
    if (magnitude > 400) {
        value = std::numeric_limits<double>::infinity();
    } else if (magnitude >= -400) {
        const std::string plain = digits + "e" + std::to_string(scale);
        const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
        if (result.ec == std::errc::result_out_of_range)
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::string PlainNumberText(double value)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    Decimal decimal = ToDecimal15(std::fabs(value));
    if (decimal.digits.empty()) return "0";
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    const int count = static_cast<int>(decimal.digits.size());
    std::string text = value < 0 ? "-" : "";
    if (decimal.exponent < -5 || decimal.exponent >= 15) {
        text += decimal.digits.substr(0, 1);
        if (count > 1) {
            text += '.';
            text.append(decimal.digits, 1);
        }
        return text + "E" + ExponentText(decimal.exponent, true, 2);
    }
    if (decimal.exponent < 0)
        return text + "0." + std::string(static_cast<std::size_t>(-decimal.exponent - 1), '0') +
               decimal.digits;
    const int integerCount = decimal.exponent + 1;
    std::string integer = decimal.digits.substr(0, static_cast<std::size_t>(std::min(integerCount, count)));
    integer.resize(static_cast<std::size_t>(integerCount), '0');
    text += integer;
    if (count > integerCount) {
        text += '.';
        text.append(decimal.digits, static_cast<std::size_t>(integerCount));
    }
    return text;
}

std::string FormatNumber(double value, std::string_view patternText)
{
    const Pattern pattern = ParsePattern(patternText);
    if (!std::isfinite(value)) return NonFiniteText(value);
    const Decimal decimal = ToDecimal15(std::fabs(value));

    if (pattern.scientific) {
        const Decimal rounded = RoundToDigits(decimal, pattern.decimals + 1);
        if (rounded.digits.empty())
            return Join(false, "", pattern, std::string(static_cast<std::size_t>(pattern.decimals), '0')) +
                   "E" + ExponentText(0, pattern.exponentSign, pattern.exponentDigits);
        return Join(value < 0, rounded.digits.substr(0, 1), pattern, rounded.digits.substr(1)) + "E" +
               ExponentText(rounded.exponent, pattern.exponentSign, pattern.exponentDigits);
    }

    // Keep every digit worth at least one unit of the last decimal place.
    const Decimal rounded = RoundToDigits(decimal, decimal.exponent + pattern.decimals + 1);
    if (rounded.digits.empty())
        return Join(false, "", pattern, std::string(static_cast<std::size_t>(pattern.decimals), '0'));
    std::string integer;
    std::string fraction;
    if (rounded.exponent >= 0) {
        integer = rounded.digits.substr(0, static_cast<std::size_t>(rounded.exponent) + 1);
        fraction = rounded.digits.substr(static_cast<std::size_t>(rounded.exponent) + 1);
    } else {
        fraction = std::string(static_cast<std::size_t>(-rounded.exponent - 1), '0') + rounded.digits;
    }
    // A carry into a new leading digit leaves the last decimal place to be filled.
    fraction.resize(static_cast<std::size_t>(pattern.decimals), '0');
    return Join(value < 0, integer, pattern, fraction);
}

} // namespace brisca
