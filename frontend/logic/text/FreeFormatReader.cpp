#include "logic/text/FreeFormatReader.h"

#include <charconv>
#include <cmath>

#include "logic/text/NumberText.h"
#include "records/read_file.h"

namespace brisca {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The whole field in number syntax; `fortranExponent` tells whether it uses D for the exponent.
bool IsNumberSyntax(std::string_view field, bool& fortranExponent)
{
    std::size_t k = 0;
    if (k < field.size() && (field[k] == '+' || field[k] == '-')) ++k;
    std::size_t digits = 0;
    for (; k < field.size() && IsDigit(field[k]); ++k) ++digits;
    if (k < field.size() && field[k] == '.')
        for (++k; k < field.size() && IsDigit(field[k]); ++k) ++digits;
    if (digits == 0) return false;
    fortranExponent = false;
    if (k < field.size() && (field[k] == 'E' || field[k] == 'e' || field[k] == 'D' || field[k] == 'd')) {
        fortranExponent = field[k] == 'D' || field[k] == 'd';
        ++k;
        if (k < field.size() && (field[k] == '+' || field[k] == '-')) ++k;
        std::size_t exponentDigits = 0;
        for (; k < field.size() && IsDigit(field[k]); ++k) ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return k == field.size();
}

} // namespace

FreeFormatReader::FreeFormatReader(std::string name, std::string text)
    : name_(std::move(name)), text_(std::move(text))
{
}

std::string_view FreeFormatReader::NextField()
{
    while (position_ < text_.size() && IsSeparator(text_[position_])) {
        if (text_[position_] == '\n') ++line_;
        ++position_;
    }
    const std::size_t start = position_;
    while (position_ < text_.size() && !IsSeparator(text_[position_])) ++position_;
    if (position_ > start) fieldLine_ = line_;
    return std::string_view(text_.data() + start, position_ - start);
}

void FreeFormatReader::SkipLine()
{
    while (position_ < text_.size() && text_[position_] != '\n') ++position_;
    if (position_ < text_.size()) {
        ++position_;
        ++line_;
    }
}

Problem FreeFormatReader::ProblemAtField(std::string japanese, std::string english) const
{
    return RecordProblem(name_, fieldLine_, std::move(japanese), std::move(english));
}

bool IsNumberSyntax(std::string_view field)
{
    bool fortranExponent = false;
    return IsNumberSyntax(field, fortranExponent);
}

std::optional<double> ParseNumberField(std::string_view field)
{
    bool fortranExponent = false;
    if (!IsNumberSyntax(field, fortranExponent)) return std::nullopt;
    double value = 0.0;
    if (fortranExponent) {
        value = LeadingNumber(field);
    } else {
        // from_chars takes no leading plus sign; the refined grids hold over a million values,
        // so this path avoids the general reader's copying.
        const std::string_view digits = field[0] == '+' ? field.substr(1) : field;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc::result_out_of_range) {
            value = LeadingNumber(field);
        } else if (error != std::errc() || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool IsOverflowField(std::string_view field)
{
    return !field.empty() && field.find_first_not_of('*') == std::string_view::npos;
}

Expected<std::string> ReadTextFile(const std::filesystem::path& path)
{
    // The records library's reader refuses a folder, a device that never ends and a file too
    // large for any input of these programs, instead of reading until memory runs out.
    std::string bytes;
    if (const auto failure = records::ReadWholeFile(path.string(), bytes))
        return FileProblem(path.filename().string(), failure->japanese, failure->english);
    return bytes;
}

} // namespace brisca
