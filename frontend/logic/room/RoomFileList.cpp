#include "logic/room/RoomFileList.h"

#include <algorithm>
#include <system_error>

namespace brisca {

std::optional<Problem> RoomNameRefusal(std::string_view nameText)
{
    if (nameText.empty()) return TranslatedProblem("ファイル名を入力して下さい", "Enter a file name.");
    if (nameText.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos)
        return TranslatedProblem("ファイル名に「/」「\\」は使えません。", "A file name cannot hold / or \\.");
    return std::nullopt;
}

std::string RoomFileName(std::string_view nameText) { return std::string(nameText) + RoomExtension; }

std::string LayoutNameOf(std::string_view fileName)
{
    if (fileName.ends_with(RoomExtension)) fileName.remove_suffix(std::string_view(RoomExtension).size());
    return std::string(fileName);
}

std::vector<std::string> ListRoomFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        if (name.size() > std::string_view(RoomExtension).size() && name.ends_with(RoomExtension) &&
            entry->is_regular_file(ignored))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<Problem> DeleteRoomFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::remove(path, error)) return std::nullopt;
    const std::string name = path.filename().string();
    if (!error)
        return FileProblem(name, "を削除できませんでした（ファイルがありません）。", "the file is gone");
    return FileProblem(
        name, "を削除できませんでした。", "the file cannot be deleted (" + error.message() + ")");
}

} // namespace brisca
