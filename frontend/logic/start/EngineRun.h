#pragma once

#include <filesystem>

#include "logic/problem/Problem.h"

namespace brisca {

// Starts a program in the current directory with no arguments, detached from the
// caller's terminal session and with an empty standard input (so its Enter prompts find
// end of input at once), and waits for it to end. Its output goes where the caller's goes.
// Gives its exit status (128 + the signal number when a signal ended it), or the problem
// when it could not be started or waited for.
Expected<int> RunEngineAndWait(const std::filesystem::path& program);

} // namespace brisca
