#include "records/field_reader.h"

#include "records/field_error.h"

#include <cmath>
#include <cstdlib>

namespace records {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The columns of a field, "11-25" or "7" for a field of one column.
std::string ColumnsLabel(int first, int width)
{
    if (width == 1) return std::to_string(first);
    return std::to_string(first) + "-" + std::to_string(first + width - 1);
}

// A refused field: its columns, its text and what is wrong with it, in both languages.
FieldError Refusal(const std::string& columns, std::string_view text, const std::string& japanese,
    const std::string& english)
{
    const char* word = columns.find('-') == std::string::npos ? "column " : "columns ";
    const std::string shown = EchoText(text);
    return FieldError(
        columns + " 桁目「" + shown + "」" + japanese, word + columns + ": '" + shown + "' " + english);
}

} // namespace

bool CanonicalNumber(std::string_view text, int decimals, std::string& canonical, std::string& reason)
{
    std::string packed;
    for (char ch : text) {
        if (ch != ' ' && ch != '\t') packed.push_back(ch);
    }
    canonical.clear();
    if (packed.empty()) {
        canonical.push_back('0');
        return true;
    }

    std::size_t pos = 0;
    if (packed[pos] == '+' || packed[pos] == '-') {
        if (packed[pos] == '-') canonical.push_back('-');
        ++pos;
    }
    std::string digits;
    long fractionDigits = 0;
    bool point = false;
    for (; pos < packed.size(); ++pos) {
        const char ch = packed[pos];
        if (IsDigit(ch)) {
            digits.push_back(ch);
            if (point) ++fractionDigits;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) {
        reason = "no digits";
        return false;
    }

    bool exponentGiven = false;
    long exponent = 0;
    if (pos < packed.size()) {
        const char ch = packed[pos];
        if (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd' || ch == 'Q' || ch == 'q')
            ++pos;
        else if (ch != '+' && ch != '-') {
            reason = "unexpected character";
            return false;
        }
        bool negative = false;
        if (pos < packed.size() && (packed[pos] == '+' || packed[pos] == '-')) {
            negative = packed[pos] == '-';
            ++pos;
        }
        if (pos == packed.size()) {
            reason = "exponent without digits";
            return false;
        }
        for (; pos < packed.size(); ++pos) {
            if (!IsDigit(packed[pos])) {
                reason = "unexpected character in the exponent";
                return false;
            }
            // Beyond this any value over- or underflows anyway; keep the sum bounded.
            if (exponent < 100000) exponent = exponent * 10 + (packed[pos] - '0');
        }
        if (negative) exponent = -exponent;
        exponentGiven = true;
    }

    // Without a point or an exponent the last d digits are the fraction.
    if (!point && !exponentGiven) fractionDigits = decimals;
    canonical += digits;
    canonical += 'e';
    canonical += std::to_string(exponent - fractionDigits);
    return true;
}

FieldReader::FieldReader(std::string_view record) : record_(record) { }

std::string_view FieldReader::Take(int width, int& firstColumn)
{
    firstColumn = column_;
    const std::size_t start = static_cast<std::size_t>(column_ - 1);
    column_ += width;
    if (start >= record_.size()) return {};
    return record_.substr(start, static_cast<std::size_t>(width));
}

std::string FieldReader::CanonicalField(int width, int decimals, std::string& label, std::string_view& text)
{
    int first = 0;
    text = Take(width, first);
    label = ColumnsLabel(first, width);
    std::string canonical;
    std::string reason;
    if (!CanonicalNumber(text, decimals, canonical, reason)) {
        throw Refusal(label, text, "は数値ではありません", "is not a number (" + reason + ")");
    }
    return canonical;
}

double FieldReader::Real(int width, int decimals)
{
    std::string label;
    std::string_view text;
    const double value = std::strtod(CanonicalField(width, decimals, label, text).c_str(), nullptr);
    if (!std::isfinite(value)) throw Refusal(label, text, "は値が大きすぎます", "is out of range");
    return value;
}

float FieldReader::Single(int width, int decimals)
{
    std::string label;
    std::string_view text;
    const float value = std::strtof(CanonicalField(width, decimals, label, text).c_str(), nullptr);
    if (!std::isfinite(value))
        throw Refusal(
            label, text, "は値が大きすぎます（単精度の範囲外）", "is out of single-precision range");
    return value;
}

long FieldReader::Integer(int width)
{
    int first = 0;
    const std::string_view text = Take(width, first);
    long value = 0;
    bool negative = false;
    bool signSeen = false;
    bool digitSeen = false;
    for (char ch : text) {
        if (ch == ' ' || ch == '\t') continue;
        if ((ch == '+' || ch == '-') && !signSeen && !digitSeen) {
            signSeen = true;
            negative = ch == '-';
        } else if (IsDigit(ch)) {
            digitSeen = true;
            if (value > 100000000000L) {
                throw Refusal(ColumnsLabel(first, width), text, "は値が大きすぎます", "is out of range");
            }
            value = value * 10 + (ch - '0');
        } else {
            throw Refusal(ColumnsLabel(first, width), text, "は整数ではありません", "is not a whole number");
        }
    }
    if (signSeen && !digitSeen) {
        throw Refusal(ColumnsLabel(first, width), text, "は整数ではありません", "is not a whole number");
    }
    return negative ? -value : value;
}

std::string FieldReader::Text(int width)
{
    int first = 0;
    std::string text(Take(width, first));
    text.resize(static_cast<std::size_t>(width), ' ');
    return text;
}

void FieldReader::Skip(int width) { column_ += width; }

} // namespace records
