#pragma once

#include <filesystem>
#include <string>

namespace brisca {

// Outcome of running an engine to its end.
struct EngineRunResult {
    bool started = false; // the program could be started
    int exitStatus = 0;   // its exit status, or 128 + signal number when a signal ended it
    std::string error;    // why it could not be started
};

// Starts a program in the current directory with no arguments, detached from the
// caller's terminal session and with an empty standard input (so its Enter prompts find
// end of input at once), and waits for it to end. Its output goes where the caller's goes.
EngineRunResult RunEngineAndWait(const std::filesystem::path& program);

} // namespace brisca
