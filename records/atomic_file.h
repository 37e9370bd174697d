#pragma once

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

// Writes a whole file so that a reader sees either the old file or the complete new one:
// the bytes go to a temporary name beside `path`, which then replaces it. On failure the
// temporary is removed, `path` is left as it was, and the failure is returned.
std::optional<ReplaceFailure> ReplaceFileAtomically(const std::string& path, std::string_view content);

} // namespace records
