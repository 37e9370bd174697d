#include "records/field_error.h"

#include "records/utf8_cut.h"

#include <filesystem>

namespace records {

namespace {

constexpr std::size_t kEchoedCharacters = 40;

// The user knows the file by its name; the folder only lengthens the line.
std::string BareName(const std::string& fileName)
{
    return EchoText(std::filesystem::path(fileName).filename().string());
}

} // namespace

std::string EchoText(std::string_view text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < text.size() && count < kEchoedCharacters; ++count) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const std::size_t length = Utf8SequenceLength(text.substr(pos));
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
            ++pos;
        } else {
            shown += text.substr(pos, length);
            pos += length;
        }
    }
    if (pos < text.size()) shown += "…";
    return shown;
}

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
