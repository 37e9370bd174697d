#include "records/field_error.h"

namespace records {

FieldError::FieldError(const std::string& message) : std::runtime_error(message) { }

std::string DescribeRecordError(const std::string& fileName, int recordNumber, const std::string& what)
{
    std::string text = fileName;
    text += ", record ";
    text += std::to_string(recordNumber);
    text += ": ";
    text += what;
    return text;
}

} // namespace records
