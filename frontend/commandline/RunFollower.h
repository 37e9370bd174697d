#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "records/progress_file.h"

namespace brisca {

// One line of a run's progress: share done, time left and, when a precision was asked, the
// precision reached, e.g. "  42%  残り 0:01:23  誤差 7.25% / 5% [42% done, 0:01:23 left, error 7.25% of 5%]".
std::string ProgressLine(const records::RunProgress& progress);

// How a run of brisca-job --run ended, from the engine's exit status and what its progress
// file last said (a failure carries the engine's message).
std::string RunEndingLine(int status, const std::optional<records::RunProgress>& last);

// Follows an engine's run from its progress file on brisca-job's standard error: on a
// terminal one line rewritten in place, elsewhere (a log) a line every tenth of the work and
// after each precision round.
class RunFollower {
public:
    // resultName: the result the engine writes; terminal: `out` is a terminal.
    RunFollower(std::string resultName, std::ostream& out, bool terminal);

    // Reads the progress file and shows what is new.
    void Look();
    // Shows how the run ended, and removes a failed run's progress file now that its message
    // has been shown.
    void End(int status);

private:
    std::string resultName_;
    std::ostream& out_;
    bool terminal_;
    bool lineOpen_ = false;                    // a rewritten line waits for its end
    int tenthsShown_ = -1;                     // tenths of the work a log was told of
    double reachedShown_ = -1;                 // the precision reached a log was told of
    std::optional<records::RunProgress> last_; // the last complete progress read
};

} // namespace brisca
