// Feeds arbitrary bytes to the layout file reader. Whatever it accepts must be a layout
// the writer can store again, and what the writer stores must load.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logic/room/RoomFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    brisca::RoomLayout layout;
    if (!brisca::ParseRoomFile(bytes, "fuzz.Room", layout).empty()) return 0;
    std::string written;
    // A text holding a lone CR loads but is refused on saving; nothing more to check then.
    if (!brisca::RoomFileBytes(layout, written).empty()) return 0;
    brisca::RoomLayout again;
    if (!brisca::ParseRoomFile(written, "fuzz.Room", again).empty()) __builtin_trap();
    if (again.controlRoomText != layout.controlRoomText || again.freeText != layout.freeText)
        __builtin_trap();
    return 0;
}
