#pragma once

#include "records/file_names.h"

#include <array>
#include <filesystem>
#include <string_view>

#include "logic/problem/Problem.h"

namespace brisca {

// Name of the per-user working folder of an installed brisca, inside the home folder.
inline constexpr std::string_view kUserFolderName = "Brisca";

// The installed copy of the shipped files for a program in programFolder (<prefix>/bin):
// <prefix>/share/brisca.
std::filesystem::path InstalledFilesFolder(const std::filesystem::path& programFolder);

// The folder one start of brisca works in. The current folder when it holds every shipped
// file (as `make run` prepares it) or when no installed copy lies beside the program;
// otherwise <home>/Brisca, made when missing and given each shipped file it lacks (files
// already there, results among them, are kept). A folder that cannot be made or a file that
// cannot be copied is a problem naming it.
Expected<std::filesystem::path> ChooseWorkingFolder(const std::filesystem::path& currentFolder,
    const std::filesystem::path& programFolder, const std::filesystem::path& homeFolder);

} // namespace brisca
