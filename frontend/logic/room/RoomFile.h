#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "logic/room/RoomLayout.h"

namespace brisca {

// The .Room layout file: 28 lines ended by CR LF in the order of RoomLayout's members,
// texts in code page 932, numbers as decimal text. The functions that can refuse return an
// empty text on success and otherwise a warning for the user.

// Number of lines of a layout file.
inline constexpr int RoomFileLines = 28;

// Decimal text of a number line: at most seven significant digits, a full stop as decimal
// point, no point for integral values, never an exponent (600, -10, 0.25, 299.6667).
std::string RoomNumberText(float value);

// Whether a free text can be stored on its one line: a warning when it holds a line break.
std::string FreeTextRefusal(std::string_view text);

// The file contents of a layout in `bytes`. Refused, with `bytes` untouched, when a text
// holds a line break or a character code page 932 cannot represent, or a number is not
// finite.
std::string RoomFileBytes(const RoomLayout& layout, std::string& bytes);

// Reads file contents into `layout`; `fileName` is named in the warnings. Blanks and tabs
// around a number are skipped, a line may also end with a bare LF, lines after the 28th
// are ignored. A missing line, a number line that is not a number of single-precision
// range, or bytes that are not code page 932 give a warning naming the file and the line,
// and `layout` is left unchanged.
std::string ParseRoomFile(std::string_view bytes, std::string_view fileName, RoomLayout& layout);

// Reads the layout file at `path` into `layout`, as ParseRoomFile.
std::string ReadRoomFile(const std::filesystem::path& path, RoomLayout& layout);

// Writes the layout file at `path`, replacing an existing one, through a temporary name
// in the same folder: a refused or failed save leaves the old file as it was.
std::string WriteRoomFile(const std::filesystem::path& path, const RoomLayout& layout);

} // namespace brisca
