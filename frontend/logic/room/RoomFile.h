#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "logic/problem/Problem.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// The .Room layout file: 28 lines ended by CR LF in the order of RoomLayout's members,
// texts in code page 932, numbers as decimal text.

// Number of lines of a layout file.
inline constexpr int RoomFileLines = 28;

// Decimal text of a number line: at most seven significant digits, a full stop as decimal
// point, no point for integral values, never an exponent (600, -10, 0.25, 299.6667).
std::string RoomNumberText(float value);

// Whether a free text can be stored on its one line: refused when it holds a line break.
std::optional<Problem> FreeTextRefusal(std::string_view text);

// The file contents of a layout. Refused when a text holds a line break or a character code
// page 932 cannot represent, or a number is not finite.
Expected<std::string> RoomFileBytes(const RoomLayout& layout);

// Reads file contents; `fileName` is named in the problems. Blanks and tabs around a number
// are skipped, a line may also end with a bare LF, lines after the 28th are ignored. A
// missing line, a number line that is not a number of single-precision range, or bytes that
// are not code page 932 are refused, naming the file and the line.
Expected<RoomLayout> ParseRoomFile(std::string_view bytes, std::string_view fileName);

// Reads the layout file at `path`, as ParseRoomFile.
Expected<RoomLayout> ReadRoomFile(const std::filesystem::path& path);

// Writes the layout file at `path`, replacing an existing one, through a temporary name
// in the same folder: a refused or failed save leaves the old file as it was.
std::optional<Problem> WriteRoomFile(const std::filesystem::path& path, const RoomLayout& layout);

} // namespace brisca
