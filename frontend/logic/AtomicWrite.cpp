#include "logic/AtomicWrite.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace brisca {

namespace {

// A temporary name beside the target that no other writer in this or another process
// picks at the same moment.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& path)
{
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temporary = path;
    temporary += ".writing-" + std::to_string(ticks) + "-" + std::to_string(counter++);
    return temporary;
}

} // namespace

std::string WriteTextFileAtomically(const std::filesystem::path& path, std::string_view contents)
{
    const std::filesystem::path temporary = TemporaryNameFor(path);
    const std::string failure = path.filename().string() + " を書き込めませんでした";
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        if (!stream) return failure + "（作成できません）。";
        stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        stream.close();
        if (!stream) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return failure + "（書き込みに失敗しました）。";
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return failure + "（" + error.message() + "）。";
    }
    return {};
}

} // namespace brisca
