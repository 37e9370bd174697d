#pragma once

#include <optional>
#include <string>

namespace records {

// Why a file could not be read: what the user is told, in Japanese and in English, each to
// follow the file name (see DescribeFileError).
struct ReadFailure {
    std::string japanese; // e.g. "を開けません（アクセス権がありません）"
    std::string english;  // e.g. "the file cannot be opened (Permission denied)"
};

// Reads the whole of `path` into `text`. A folder and a file that cannot be opened or read
// are refused with the reason; nothing is thrown.
std::optional<ReadFailure> ReadWholeFile(const std::string& path, std::string& text);

} // namespace records
