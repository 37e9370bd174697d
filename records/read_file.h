#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace records {

// No input of these programs comes near this size; a larger one (or an endless device such
// as /dev/zero) is refused instead of read until memory runs out.
inline constexpr std::size_t kMaxInputBytes = std::size_t{64} * 1024 * 1024;

// Why a file could not be read: what the user is told, in Japanese and in English, each to
// follow the file name (see DescribeFileError).
struct ReadFailure {
    std::string japanese; // e.g. "を開けません（アクセス権がありません）"
    std::string english;  // e.g. "the file cannot be opened (Permission denied)"
};

// Reads the whole of `path` into `text`. A folder, a file that cannot be opened or read,
// and one larger than kMaxInputBytes are refused with the reason; nothing is thrown.
std::optional<ReadFailure> ReadWholeFile(const std::string& path, std::string& text);

} // namespace records
