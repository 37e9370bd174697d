#pragma once

#include <stdexcept>
#include <string>

namespace records {

// A field or record that does not match its layout. The message says what was wrong;
// the caller, who knows the file name and record number, adds those.
class FieldError : public std::runtime_error {
public:
    // message: what was wrong, e.g. "columns 10-19: 'x.5' is not a number".
    explicit FieldError(const std::string& message);
};

// "<file>, record <n>: <what>" — the one shape every file-reading error takes on the console.
std::string DescribeRecordError(const std::string& fileName, int recordNumber, const std::string& what);

} // namespace records
