#include "records/utf8_cut.h"

namespace records {

std::string FirstCodePoints(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < text.size() && seen < count; ++seen) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    }
    return std::string(text.substr(0, pos));
}

std::string_view DropTrailingBlanks(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

} // namespace records
