#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace records {

// While an engine runs it keeps a small text file beside its result, so that a window (or a
// script) can follow the run whether or not a terminal shows the console. The engine
// replaces it atomically a few times a second, so a reader never sees half a file; it removes
// it when the result is written or the run is cancelled, and leaves it with the state
// "failed" and the engine's message when the run fails, for whoever started the run to show
// and remove. Its lines are "key value", after the first line "brisca-progress 1":
//   pid 4711                the engine's process, which a window may ask to stop (SIGTERM)
//   done 125000000          histories simulated so far
//   total 500000000         histories the job asks for
//   share 0.1834            share of the work done, 0 to 1, as the terminal title shows it
//                           (a high-energy history costs more than a low one); a file
//                           without it is read as done / total
//   elapsed_s 12.5          seconds since the first history
//   left_s 37.5             estimated seconds left; -1 while unknown
//   precision_asked 5       percent asked for at the cells of interest; 0 when none
//   precision_reached 7.25  largest relative error at the cells of interest after the last
//                           round, percent; -1 while unknown or not asked
//   state running           running or failed
//   message ...             failed only: the engine's message, Japanese [English]
struct RunProgress {
    enum class State { Running, Failed };

    long long pid = 0;
    long long done = 0;
    long long total = 0;
    double workShare = -1; // share of the work done; negative: not known, done / total stands
    double elapsedSeconds = 0;
    double secondsLeft = -1;
    double precisionAsked = 0;
    double precisionReached = -1;
    State state = State::Running;
    std::string message;

    // Share of the job done, 0 to 1: the work share where known, else done / total.
    double ShareDone() const;
};

// The progress file of the result file `resultName` ("A.dsr5" gives "A.dsr5.progress"); a
// folder part is kept.
std::string ProgressFileName(std::string_view resultName);

// The file's text for `progress`.
std::string ProgressText(const RunProgress& progress);

// Writes the progress file of `resultName` atomically. Returns false when it could not be
// written: progress is a courtesy, so a run never fails for it.
bool WriteProgressFile(const std::string& resultName, const RunProgress& progress);

// The progress read back from a file's text, or nothing when the text is not a complete
// progress file (a reader then keeps what it showed before).
std::optional<RunProgress> ParseProgressText(std::string_view text);

// Reads the progress file of `resultName`; nothing when there is none or it is not complete.
std::optional<RunProgress> ReadProgressFile(const std::string& resultName);

} // namespace records
