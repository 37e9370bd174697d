#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/problem/Problem.h"

namespace brisca {

// The file part of the layout editor: layout files are named by the user without their
// extension and kept in the working folder.

// Extension of layout files.
inline constexpr const char* RoomExtension = ".Room";

// Refuses a name box text that cannot name a layout file: empty, or holding a folder
// separator (which would put the file outside the working folder) or a NUL.
std::optional<Problem> RoomNameRefusal(std::string_view nameText);

// File name of a layout saved under the name box text.
std::string RoomFileName(std::string_view nameText);

// The name box text of a layout file: its name without ".Room"; a name without that
// extension comes back as it is.
std::string LayoutNameOf(std::string_view fileName);

// Names of the layout files in `folder`, sorted; an unreadable folder lists none.
std::vector<std::string> ListRoomFiles(const std::filesystem::path& folder);

// Deletes the layout file at `path`; a file that is already gone is reported.
std::optional<Problem> DeleteRoomFile(const std::filesystem::path& path);

} // namespace brisca
