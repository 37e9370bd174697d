#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The step at which replacing a file failed.
enum class ReplaceStep { Create, Write, Rename };

// Why a file could not be replaced: the step and the system's reason.
struct ReplaceFailure {
    ReplaceStep step = ReplaceStep::Create; // where it failed
    std::string reason;                     // the system's words for the error
};

// A file written piece by piece as a temporary beside its target, which it replaces only on
// Commit, so that a reader sees either the old file or the complete new one. Where the
// system offers it the temporary is an unnamed file (O_TMPFILE), linked into place on Commit,
// so that even a killed program leaves nothing behind; elsewhere it has a name beside the
// target. Dropped without a successful Commit, the temporary is removed and the target left
// as it was.
// After the first failure every later call returns that failure and does nothing.
class PendingFile {
public:
    // Creates the temporary beside `path`; a failure (a target that is a folder, a device, a
    // pipe or a socket among them) is kept in Failure() and returned by the first later call.
    explicit PendingFile(std::string path);
    // Removes the temporary unless it has replaced the target.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Appends bytes to the temporary.
    std::optional<ReplaceFailure> Append(std::string_view bytes);
    // Flushes and closes the temporary, so that a set of files can all be complete before
    // any of them replaces its target. Commit does it when not done yet.
    std::optional<ReplaceFailure> Finish();
    // Finishes the temporary and renames it to the target (an unnamed one is linked first).
    std::optional<ReplaceFailure> Commit();
    // The first failure so far; right after construction, whether the temporary was made.
    const std::optional<ReplaceFailure>& Failure() const { return failure_; }

private:
    // Records the failure of `step` with the error `error`, removes the temporary, returns it.
    std::optional<ReplaceFailure> Fail(ReplaceStep step, int error);

    std::string path_;                      // the target
    std::string temporary_;                 // name while it is written
    std::FILE* file_ = nullptr;             // open until finished (an unnamed one until committed)
    bool unnamed_ = false;                  // the temporary has no name until Commit links it
    bool linked_ = false;                   // the unnamed temporary now has the temporary name
    bool finished_ = false;                 // Finish has run; nothing more may be appended
    bool committed_ = false;                // the temporary has become the target
    std::optional<ReplaceFailure> failure_; // the first failure, kept for later calls
};

// Writes a whole file through a PendingFile: on failure the temporary is removed, `path` is
// left as it was, and the failure is returned.
std::optional<ReplaceFailure> ReplaceFileAtomically(const std::string& path, std::string_view content);

} // namespace records
