#pragma once

#include <string_view>

namespace brisca {

// The UTF-8 byte-order mark. Every CSV file the program writes starts with it, so that a
// spreadsheet reads the Japanese names and comment lines as UTF-8; every CSV reader of the
// program takes a file with or without it.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// `text` without a leading byte-order mark.
inline std::string_view WithoutByteOrderMark(std::string_view text)
{
    if (text.starts_with(Utf8ByteOrderMark)) text.remove_prefix(Utf8ByteOrderMark.size());
    return text;
}

} // namespace brisca
