#include "logic/files/UserFolder.h"

#include <stdexcept>
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
void CopyShippedFile(const fs::path& from, const fs::path& to)
{
    fs::path part = to;
    part += ".part";
    std::error_code error;
    fs::copy_file(from, part, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(part, to, error);
    if (error) {
        fs::remove(part, error);
        throw std::runtime_error(to.string() + ": cannot copy from " + from.string());
    }
}

} // namespace

fs::path InstalledFilesFolder(const fs::path& programFolder)
{
    return programFolder.parent_path() / "share" / "brisca";
}

fs::path ChooseWorkingFolder(
    const fs::path& currentFolder, const fs::path& programFolder, const fs::path& homeFolder)
{
    const fs::path installed = InstalledFilesFolder(programFolder);
    if (HoldsAll(currentFolder) || !HoldsAll(installed) || homeFolder.empty()) return currentFolder;

    const fs::path user = homeFolder / kUserFolderName;
    std::error_code error;
    fs::create_directories(user, error);
    if (error || !fs::is_directory(user))
        throw std::runtime_error(user.string() + ": cannot make the folder");
    for (std::string_view name : records::kShippedFiles) {
        if (!fs::exists(user / name, error)) CopyShippedFile(installed / name, user / name);
    }
    return user;
}

} // namespace brisca
