#include "records/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
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

// The folder that holds `path`.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// An unnamed file in the folder of `path`, which the system removes by itself should the
// program die before linking it: -1 where the system or the file system cannot make one,
// or where /proc is missing and it could not be linked later.
int OpenUnnamed(const std::string& path)
{
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0) return -1;
    return ::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)path;
    return -1;
#endif
}

// The unnamed file is linked by its /proc entry, which needs no privilege (unlike
// linkat with AT_EMPTY_PATH).
int LinkUnnamed(std::FILE* file, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file));
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
}

// ENAMETOOLONG when the target's own name is too long for its folder: an unnamed temporary
// would otherwise be written in full and fail only at linking.
int CheckNameLength(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t length = slash == std::string::npos ? path.size() : path.size() - slash - 1;
    const long most = ::pathconf(FolderOf(path).c_str(), _PC_NAME_MAX);
    return most > 0 && length > static_cast<std::size_t>(most) ? ENAMETOOLONG : 0;
}

} // namespace

PendingFile::PendingFile(std::string path) : path_(std::move(path)), temporary_(TemporaryNameFor(path_))
{
    // A folder can never be replaced, and a device, pipe or socket must not be: renaming over
    // /dev/null or a named pipe would put a plain file in its place. Say so now rather than
    // after the whole file is written.
    struct stat target { };
    if (::stat(path_.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        failure_ = ReplaceFailure{
            ReplaceStep::Create, S_ISDIR(target.st_mode) ? std::strerror(EISDIR) : "not a regular file"};
        return;
    }
    if (const int error = CheckNameLength(path_)) {
        failure_ = ReplaceFailure{ReplaceStep::Create, std::strerror(error)};
        return;
    }
    const int unnamed = OpenUnnamed(path_);
    if (unnamed >= 0) {
        file_ = ::fdopen(unnamed, "wb");
        if (file_ == nullptr) ::close(unnamed);
        unnamed_ = file_ != nullptr;
    }
    // Without unnamed files the temporary has a name, and a killed program leaves it.
    if (file_ == nullptr) file_ = std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) failure_ = ReplaceFailure{ReplaceStep::Create, std::strerror(errno)};
}

PendingFile::~PendingFile()
{
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_ && !unnamed_) std::remove(temporary_.c_str());
}

std::optional<ReplaceFailure> PendingFile::Fail(ReplaceStep step, int error)
{
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    if (!unnamed_ || linked_) std::remove(temporary_.c_str());
    failure_ = ReplaceFailure{step, std::strerror(error)};
    return failure_;
}

std::optional<ReplaceFailure> PendingFile::Append(std::string_view bytes)
{
    if (failure_) return failure_;
    if (finished_) return Fail(ReplaceStep::Write, EBADF);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return Fail(ReplaceStep::Write, errno);
    return {};
}

std::optional<ReplaceFailure> PendingFile::Finish()
{
    if (failure_ || finished_) return failure_;
    finished_ = true;
    if (unnamed_) {
        // Closing an unnamed file would lose it: flush it and keep it open until it is linked.
        if (std::fflush(file_) != 0) return Fail(ReplaceStep::Write, errno);
        return {};
    }
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) return Fail(ReplaceStep::Write, errno);
    return {};
}

std::optional<ReplaceFailure> PendingFile::Commit()
{
    if (committed_) return {};
    if (const auto failure = Finish()) return failure;
    if (unnamed_) {
        // linkat cannot replace a file: link under the temporary name, then rename over the
        // target, which is atomic.
        if (LinkUnnamed(file_, temporary_) != 0) return Fail(ReplaceStep::Rename, errno);
        linked_ = true;
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) return Fail(ReplaceStep::Rename, errno);
    committed_ = true;
    if (file_ != nullptr && std::fclose(file_) != 0) {
        file_ = nullptr;
        failure_ = ReplaceFailure{ReplaceStep::Write, std::strerror(errno)};
        return failure_;
    }
    file_ = nullptr;
    return {};
}

std::optional<ReplaceFailure> ReplaceFileAtomically(const std::string& path, std::string_view content)
{
    PendingFile file(path);
    if (const auto failure = file.Append(content)) return failure;
    return file.Commit();
}

} // namespace records
