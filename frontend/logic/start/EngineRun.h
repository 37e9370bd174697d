#pragma once

#include <filesystem>
#include <functional>
#include <sys/types.h>

#include "logic/problem/Problem.h"

namespace brisca {

// Starts a program in the current directory with no arguments, detached from the
// caller's terminal session and with an empty standard input (so its Enter prompts find
// end of input at once), and waits for it to end. Its output goes where the caller's goes.
// Gives its exit status (128 + the signal number when a signal ended it), or the problem
// when it could not be started or waited for. `watch`, when given, is called with the
// program's process id about four times a second while it runs.
Expected<int> RunEngineAndWait(
    const std::filesystem::path& program, const std::function<void(pid_t)>& watch = {});

} // namespace brisca
