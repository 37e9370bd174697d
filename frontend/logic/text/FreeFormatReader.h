#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "logic/problem/Problem.h"

namespace brisca {

// Walks through the numbers of a text file read free-format: a field ends at a comma, a blank,
// a tab or a line end, and line ends count as separators like any other. Remembers the line
// of the last field so that messages can name the record.
class FreeFormatReader {
public:
    // A reader over `text`; `name` is the file name used in messages.
    FreeFormatReader(std::string name, std::string text);

    // The next field, or an empty view when the text holds no more fields.
    std::string_view NextField();
    // Skips the rest of the current line (the heading line of a table).
    void SkipLine();
    // Whether the last field was followed by a separator; a field cut off by the end of the
    // text may be a number that another program is still writing.
    bool LastFieldEnded() const { return position_ < text_.size(); }
    // Line (1-based) of the last field returned.
    int FieldLine() const { return fieldLine_; }
    // A problem at the line of the last field.
    Problem ProblemAtField(std::string japanese, std::string english) const;
    // File name as given.
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    std::string text_;
    std::size_t position_ = 0;
    int line_ = 1;
    int fieldLine_ = 0;
};

// Whether the whole field is in free-format number syntax, whatever its size.
bool IsNumberSyntax(std::string_view field);

// Reads a whole field as a number in free-format syntax (sign, digits with an optional full
// stop, an optional E or D exponent); nothing for anything else, for a value beyond the
// double range, and for an empty field.
std::optional<double> ParseNumberField(std::string_view field);

// Whether the field is a fixed-width number that overflowed its width: all asterisks.
bool IsOverflowField(std::string_view field);

// Reads a whole file; a folder, a file that cannot be opened or read and one larger than
// records::kMaxInputBytes are a problem naming it.
Expected<std::string> ReadTextFile(const std::filesystem::path& path);

} // namespace brisca
