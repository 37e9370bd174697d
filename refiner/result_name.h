#pragma once

#include "records/file_names.h"

#include <string>
#include <string_view>

namespace refiner {

// Characters of the list file's first line that make up the name.
inline constexpr std::size_t kNameLength = 30;

// The result file name held in the list file's first line: its first 30 characters (code
// points), trailing blanks dropped. Empty when the line holds no name.
std::string ResultNameFromLine(std::string_view line);

// Reads the result file name from the list file; throws RunError when the file is missing,
// names nothing, or names something other than a plain file of the working folder.
std::string ReadResultName(const std::string& listFileName);

// The same for the text of a list file already read; listFileName names it in messages.
std::string ResultNameFromList(const std::string& listFileName, std::string text);

} // namespace refiner
