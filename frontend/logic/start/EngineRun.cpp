#include "logic/start/EngineRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <ctime>

extern char** environ;

namespace brisca {

Expected<int> RunEngineAndWait(const std::filesystem::path& program, const std::function<void(pid_t)>& watch)
{
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    const std::string path = program.string();
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return PlainProblem("エンジン " + path + " を起動できません",
            path + " could not be started: " + std::strerror(error));

    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(pid, &status, watch ? WNOHANG : 0);
        if (ended == pid) break;
        if (ended < 0 && errno != EINTR)
            return PlainProblem("エンジン " + path + " の終了を待てません",
                path + " could not be waited for: " + std::strerror(errno));
        if (ended == 0) {
            watch(pid);
            const timespec quarter{0, 250'000'000};
            nanosleep(&quarter, nullptr);
        }
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 0;
}

} // namespace brisca
