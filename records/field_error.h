#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace records {

// A field or record that does not match its layout. The message says what was wrong, in
// Japanese for the user and in English (what()) for the log; the caller, who knows the
// file name and record number, adds those.
class FieldError : public std::runtime_error {
public:
    // japanese, english: what was wrong, e.g. "10-19 桁目「x.5」は数値ではありません" and
    // "columns 10-19: 'x.5' is not a number".
    FieldError(const std::string& japanese, const std::string& english);
    // What was wrong, in Japanese.
    const std::string& Japanese() const { return japanese_; }

private:
    std::string japanese_;
};

// Input text as a message shows it: at most 40 characters, then "…"; control bytes and bytes
// that are not UTF-8 written as \xNN, so that binary or a whole long line cannot garble
// the console.
std::string EchoText(std::string_view text);

// "<file> の <n> 行目: <japanese> [<file>, record <n>: <english>]", the file by its bare name:
// the one shape every file-reading error takes on the console.
std::string DescribeRecordError(
    const std::string& fileName, int recordNumber, const std::string& japanese, const std::string& english);

// "<file> <japanese> [<file>: <english>]" for a fault of the file as a whole, such as
// "Air.eac を開けません [Air.eac: the file cannot be opened]".
std::string DescribeFileError(
    const std::string& fileName, const std::string& japanese, const std::string& english);

} // namespace records
