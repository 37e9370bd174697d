#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace records {

// The first `count` characters of UTF-8 text, counted in code points, so that a cut never
// splits a multi-byte character (a stray continuation byte counts with its lead).
std::string FirstCodePoints(std::string_view text, std::size_t count);

// The text without its trailing blanks.
std::string_view DropTrailingBlanks(std::string_view text);

} // namespace records
