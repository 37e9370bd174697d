#include "records/field_error.h"

#include <filesystem>

namespace records {

namespace {

// The user knows the file by its name; the folder only lengthens the line.
std::string BareName(const std::string& fileName)
{
    return std::filesystem::path(fileName).filename().string();
}

} // namespace

FieldError::FieldError(const std::string& japanese, const std::string& english)
    : std::runtime_error(english), japanese_(japanese)
{
}

std::string DescribeRecordError(
    const std::string& fileName, int recordNumber, const std::string& japanese, const std::string& english)
{
    const std::string name = BareName(fileName);
    const std::string record = std::to_string(recordNumber);
    return name + " の " + record + " 行目: " + japanese + " [" + name + ", record " + record + ": " +
           english + "]";
}

std::string DescribeFileError(
    const std::string& fileName, const std::string& japanese, const std::string& english)
{
    const std::string name = BareName(fileName);
    return name + " " + japanese + " [" + name + ": " + english + "]";
}

} // namespace records
