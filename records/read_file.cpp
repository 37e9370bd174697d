#include "records/read_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

namespace {

// The system's reason in Japanese where the user can act on it, in English always.
ReadFailure OpenFailure(int error)
{
    const std::string reason = std::strerror(error);
    std::string japanese = "を開けません";
    if (error == ENOENT) japanese += "（ファイルがありません）";
    if (error == EACCES || error == EPERM) japanese += "（アクセス権がありません）";
    return {japanese, "the file cannot be opened (" + reason + ")"};
}

ReadFailure ReadFailureOf(int error)
{
    return {"を読み込めません", "the file cannot be read (" + std::string(std::strerror(error)) + ")"};
}

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

std::optional<ReadFailure> ReadWholeFile(const std::string& path, std::string& text)
{
    // Non-blocking only for the opening: a named pipe without a writer must not hang it.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) return OpenFailure(errno);
    struct stat info { };
    if (::fstat(file.fd, &info) != 0) return ReadFailureOf(errno);
    if (S_ISDIR(info.st_mode))
        return ReadFailure{"はフォルダです（ファイルではありません）", "is a folder, not a file"};
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags < 0 || ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return ReadFailureOf(errno);

    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadFailureOf(errno);
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxInputBytes) {
            return ReadFailure{"が大きすぎます（64 MiB を超えています）", "is larger than 64 MiB"};
        }
    }
    text = std::move(bytes);
    return {};
}

} // namespace records
