#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brisca {

// Conversions between UTF-8, the program's text encoding, and Windows code page 932, the
// Japanese encoding of the layout files (in which 0x5C is a backslash). Both give no
// value for input that is not valid in its encoding or has no counterpart in the other.

// CP932 bytes as UTF-8.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
// UTF-8 text as CP932 bytes; a character that would come back as another one has no counterpart.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

} // namespace brisca
