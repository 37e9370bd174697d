// Feeds arbitrary bytes to the layout file reader. Whatever it accepts must be a layout
// the writer can store again, and what the writer stores must load.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logic/room/RoomFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto layout = brisca::ParseRoomFile(bytes, "fuzz.Room");
    if (!layout) return 0;
    // A text holding a lone CR loads but is refused on saving; nothing more to check then.
    const auto written = brisca::RoomFileBytes(*layout);
    if (!written) return 0;
    const auto again = brisca::ParseRoomFile(*written, "fuzz.Room");
    if (!again) __builtin_trap();
    if (again->controlRoomText != layout->controlRoomText || again->freeText != layout->freeText)
        __builtin_trap();
    return 0;
}
