#include "records/field_error.h"

namespace records {

FieldError::FieldError(const std::string& message) : std::runtime_error(message) {}

std::string DescribeRecordError(const std::string& fileName, int recordNumber, const std::string& what)
{
    return fileName + ", record " + std::to_string(recordNumber) + ": " + what;
}

} // namespace records
