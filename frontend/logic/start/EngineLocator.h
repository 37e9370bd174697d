#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brisca {

// File name of a program on this platform: ".exe" is added only where programs carry it.
std::string ProgramFileName(std::string_view program);

// Finds an engine program: beside the calling program first (programFolder), then in the
// working folder. Returns the path of the first regular file found, or nothing.
std::optional<std::filesystem::path> LocateEngine(std::string_view program,
    const std::filesystem::path& programFolder, const std::filesystem::path& workingFolder);

} // namespace brisca
