#pragma once

#include <stdexcept>
#include <string>

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

// "<file> の <n> 行目: <japanese> [<file>, record <n>: <english>]", the file by its bare name:
// the one shape every file-reading error takes on the console.
std::string DescribeRecordError(
    const std::string& fileName, int recordNumber, const std::string& japanese, const std::string& english);

// "<file> <japanese> [<file>: <english>]" for a fault of the file as a whole, such as
// "Air.eac を開けません [Air.eac: the file cannot be opened]".
std::string DescribeFileError(
    const std::string& fileName, const std::string& japanese, const std::string& english);

} // namespace records
