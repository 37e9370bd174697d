#pragma once

#include <optional>
#include <string>

#include "logic/PatientPosition.h"
#include "records/progress_file.h"

namespace brisca {

// Where a run started from the main window stands.
enum class RunState {
    Running,   // "実行中": started, and neither ended nor stopped
    Finished,  // "終了": the result file was written
    Failed,    // "失敗": the engine said why, or ended without a result
    Cancelled, // "中止": stopped by the user
};

// One look at a run: its progress file, its result and its processes.
struct RunObservation {
    bool progressFileExists = false;              // the progress file is there, complete or not
    std::optional<records::RunProgress> progress; // its contents, when complete
    bool resultWritten = false;                   // the result file was written since the start
    bool launcherRunning = false;                 // the started process (the engine or its terminal) runs
    bool engineRunning = false; // the engine of the progress file runs; the launcher's state without one
};

// What the owner of a row has to do after a look.
enum class RunChore {
    None,
    RemoveProgressFile, // the engine is gone and its progress file stays: a failure's, or a stale one
};

// One run started from the main window: what its progress file and its processes say, turned
// into a state that only moves forward from running.
class RunRow {
public:
    // A run writing `resultFile` (with its extension), started as process `launcherPid`.
    RunRow(std::string resultFile, PatientPosition position, long long launcherPid, double precisionAsked);

    // Takes one look at the run; a row that is no longer running only watches for a progress
    // file its stopped engine left behind.
    RunChore Observe(const RunObservation& seen);
    // The user stops the run: the process to send the stop to (the engine once its progress
    // file named it, before that the started process), or 0 when the row is not running.
    long long Cancel();
    // Whether the row still needs looks: running, or stopped with its engine maybe still there.
    bool Watched() const
    {
        return state_ == RunState::Running || (state_ == RunState::Cancelled && !settled_);
    }

    const std::string& ResultFile() const { return resultFile_; }
    PatientPosition Position() const { return position_; }
    RunState State() const { return state_; }
    // The process started: the engine itself, or the terminal that shows it.
    long long LauncherPid() const { return launcherPid_; }
    // The process to ask whether the engine still runs.
    long long EnginePid() const { return enginePid_ != 0 ? enginePid_ : launcherPid_; }
    // Share of the histories done, 0 to 1.
    double ShareDone() const { return shareDone_; }
    // Why the run failed, Japanese [English]; empty otherwise.
    const std::string& Message() const { return message_; }

    // "立位" or "臥位".
    std::string PositionText() const;
    // "実行中", "終了", "失敗: <message>" or "中止".
    std::string StateText() const;
    // Time left as "h:mm:ss" or "m:ss" while running and known; empty otherwise.
    std::string TimeLeftText() const;
    // The precision reached against the one asked, in percent; empty when none was asked.
    std::string PrecisionText() const;

private:
    void End(RunState state, std::string message = {});

    std::string resultFile_;
    PatientPosition position_;
    long long launcherPid_;
    long long enginePid_ = 0;      // from the progress file; 0 before it named one
    double precisionAsked_;        // percent; 0 when none
    double precisionReached_ = -1; // percent; -1 while unknown
    double shareDone_ = 0;
    double secondsLeft_ = -1; // -1 while unknown
    RunState state_ = RunState::Running;
    std::string message_;
    bool seenProgress_ = false; // a complete progress file was read at least once
    bool settled_ = false;      // stopped, its engine gone and nothing left behind
};

} // namespace brisca
