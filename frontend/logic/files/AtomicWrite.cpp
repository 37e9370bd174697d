#include "logic/files/AtomicWrite.h"

#include "records/atomic_file.h"

namespace brisca {

std::optional<Problem> WriteTextFileAtomically(const std::filesystem::path& path, std::string_view contents)
{
    const auto failure = records::ReplaceFileAtomically(path.string(), contents);
    if (!failure) return std::nullopt;
    const std::string name = path.filename().string();
    switch (failure->step) {
    case records::ReplaceStep::Create:
        return FileProblem(name, "を書き込めませんでした（作成できません）。",
            "the file cannot be created (" + failure->reason + ")");
    case records::ReplaceStep::Write:
        return FileProblem(name, "を書き込めませんでした（書き込みに失敗しました）。",
            "writing the file failed (" + failure->reason + ")");
    case records::ReplaceStep::Rename:
        break;
    }
    return FileProblem(name, "を書き込めませんでした（" + failure->reason + "）。",
        "the file cannot be replaced (" + failure->reason + ")");
}

} // namespace brisca
