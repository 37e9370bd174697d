#include "logic/text/Cp932.h"

#include <algorithm>
#include <iconv.h>

namespace brisca {

namespace {

// ASCII reads the same in both encodings, so texts without other bytes need no converter.
bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// With `exact`, a character that the target maps only approximately (so that converting
// back gives another character) counts as one without a counterpart.
std::optional<std::string> Convert(std::string_view text, const char* to, const char* from, bool exact)
{
    if (IsAscii(text)) return std::string(text);
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input(text);
    // A CP932 character takes at most 2 bytes and its UTF-8 form at most 3 per input byte.
    std::string output(input.size() * 3 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    // A second call with no input flushes any pending shift state and reports a truncated tail.
    const bool converted = done != static_cast<std::size_t>(-1) && (!exact || done == 0);
    const bool complete = converted && inLeft == 0 &&
                          iconv(converter, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!complete) return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932)
{
    return Convert(cp932, "UTF-8", "CP932", false);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8)
{
    return Convert(utf8, "CP932", "UTF-8", true);
}

} // namespace brisca
