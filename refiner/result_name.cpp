#include "refiner/result_name.h"

#include "records/field_error.h"
#include "records/line_source.h"
#include "records/read_file.h"
#include "records/utf8_cut.h"
#include "refiner/run_error.h"

namespace refiner {

std::string ResultNameFromLine(std::string_view line)
{
    return std::string(records::DropTrailingBlanks(records::FirstCodePoints(line, kNameLength)));
}

std::string ReadResultName(const std::string& listFileName)
{
    std::string text;
    if (const auto failure = records::ReadWholeFile(listFileName, text))
        throw RunError(records::DescribeFileError(listFileName, failure->japanese, failure->english));
    return ResultNameFromList(listFileName, std::move(text));
}

std::string ResultNameFromList(const std::string& listFileName, std::string text)
{
    records::LineSource list;
    list.SetText(std::move(text));
    std::string_view line;
    const std::string name = list.Next(line) ? ResultNameFromLine(line) : std::string();
    if (name.empty()) {
        throw RunError(records::DescribeRecordError(
            listFileName, 1, "結果ファイル名がありません", "no result file name"));
    }
    // Only a file of the working folder may be read: no path, and nothing the system would
    // cut short at a NUL.
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos || name == "." ||
        name == "..") {
        throw RunError(records::DescribeRecordError(listFileName, 1,
            "結果ファイル名「" + records::EchoText(name) + "」はファイル名として使えません",
            "result file name '" + records::EchoText(name) + "' is not a plain file name"));
    }
    return name;
}

} // namespace refiner
