#include "logic/files/UserFolder.h"

#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace brisca {

namespace {

bool HoldsAll(const fs::path& folder)
{
    std::error_code error;
    for (std::string_view name : records::kShippedFiles) {
        if (!fs::is_regular_file(folder / name, error)) return false;
    }
    return true;
}

// Copies under a temporary name first: a copy cut short must not pass for a table that is
// already there at the next start.
std::optional<Problem> CopyShippedFile(const fs::path& from, const fs::path& to)
{
    fs::path part = to;
    part += ".part";
    std::error_code error;
    fs::copy_file(from, part, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(part, to, error);
    if (!error) return std::nullopt;
    fs::remove(part, error);
    return PlainProblem(to.string() + " を " + from.string() + " からコピーできません",
        to.string() + ": cannot copy from " + from.string());
}

} // namespace

fs::path InstalledFilesFolder(const fs::path& programFolder)
{
    return programFolder.parent_path() / "share" / "brisca";
}

Expected<fs::path> ChooseWorkingFolder(
    const fs::path& currentFolder, const fs::path& programFolder, const fs::path& homeFolder)
{
    const fs::path installed = InstalledFilesFolder(programFolder);
    if (HoldsAll(currentFolder) || !HoldsAll(installed) || homeFolder.empty()) return currentFolder;

    const fs::path user = homeFolder / kUserFolderName;
    std::error_code error;
    fs::create_directories(user, error);
    if (error || !fs::is_directory(user))
        return PlainProblem(
            "フォルダ " + user.string() + " を作れません", user.string() + ": cannot make the folder");
    for (std::string_view name : records::kShippedFiles) {
        if (fs::exists(user / name, error)) continue;
        if (std::optional<Problem> problem = CopyShippedFile(installed / name, user / name)) return *problem;
    }
    return user;
}

} // namespace brisca
