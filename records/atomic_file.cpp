#include "records/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace records {

namespace {

// A temporary name beside the target that no other writer, in this process (the counter)
// or another (the process id), picks at the same moment.
std::string TemporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

std::optional<ReplaceFailure> Failed(ReplaceStep step, int error)
{
    return ReplaceFailure{step, std::strerror(error)};
}

} // namespace

std::optional<ReplaceFailure> ReplaceFileAtomically(const std::string& path, std::string_view content)
{
    const std::string temporary = TemporaryNameFor(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return Failed(ReplaceStep::Create, errno);
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int error = written ? errno : writeError;
        std::remove(temporary.c_str());
        return Failed(ReplaceStep::Write, error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        return Failed(ReplaceStep::Rename, error);
    }
    return {};
}

} // namespace records
