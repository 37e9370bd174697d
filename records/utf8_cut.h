#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace records {

// The first `count` characters of UTF-8 text, counted in code points, so that a cut never
// splits a multi-byte character. Each byte that is not part of a well-formed sequence counts
// as one character, so that undecodable text cannot pass the cut at many times its length.
std::string FirstCodePoints(std::string_view text, std::size_t count);

// Bytes of the well-formed UTF-8 sequence at the start of `text`, or 0 when it does not start
// with one (a stray continuation byte, an overlong form, a surrogate, a cut sequence).
std::size_t Utf8SequenceLength(std::string_view text);

// The text without its trailing blanks.
std::string_view DropTrailingBlanks(std::string_view text);

} // namespace records
