#include "logic/files/AtomicWrite.h"

#include "records/atomic_file.h"

namespace brisca {

std::string WriteTextFileAtomically(const std::filesystem::path& path, std::string_view contents)
{
    const auto failure = records::ReplaceFileAtomically(path.string(), contents);
    if (!failure) return {};
    const std::string message = path.filename().string() + " を書き込めませんでした";
    switch (failure->step) {
    case records::ReplaceStep::Create:
        return message + "（作成できません）。";
    case records::ReplaceStep::Write:
        return message + "（書き込みに失敗しました）。";
    case records::ReplaceStep::Rename:
        break;
    }
    return message + "（" + failure->reason + "）。";
}

} // namespace brisca
