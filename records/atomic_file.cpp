#include "records/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
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

} // namespace

PendingFile::PendingFile(std::string path) : path_(std::move(path)), temporary_(TemporaryNameFor(path_))
{
    // A folder can never be replaced: say so now rather than after the whole file is written.
    struct stat target { };
    if (::stat(path_.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        failure_ = ReplaceFailure{ReplaceStep::Create, std::strerror(EISDIR)};
        return;
    }
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) failure_ = ReplaceFailure{ReplaceStep::Create, std::strerror(errno)};
}

PendingFile::~PendingFile()
{
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_) std::remove(temporary_.c_str());
}

std::optional<ReplaceFailure> PendingFile::Fail(ReplaceStep step, int error)
{
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    std::remove(temporary_.c_str());
    failure_ = ReplaceFailure{step, std::strerror(error)};
    return failure_;
}

std::optional<ReplaceFailure> PendingFile::Append(std::string_view bytes)
{
    if (failure_) return failure_;
    if (file_ == nullptr) return Fail(ReplaceStep::Write, EBADF);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return Fail(ReplaceStep::Write, errno);
    return {};
}

std::optional<ReplaceFailure> PendingFile::Finish()
{
    if (failure_ || file_ == nullptr) return failure_;
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) return Fail(ReplaceStep::Write, errno);
    return {};
}

std::optional<ReplaceFailure> PendingFile::Commit()
{
    if (committed_) return {};
    if (const auto failure = Finish()) return failure;
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) return Fail(ReplaceStep::Rename, errno);
    committed_ = true;
    return {};
}

std::optional<ReplaceFailure> ReplaceFileAtomically(const std::string& path, std::string_view content)
{
    PendingFile file(path);
    if (const auto failure = file.Append(content)) return failure;
    return file.Commit();
}

} // namespace records
