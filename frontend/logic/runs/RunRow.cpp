#include "logic/runs/RunRow.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "logic/problem/Problem.h"
#include "logic/text/Language.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

std::string NoResultText()
{
    return MessageText(
        PlainProblem("エンジンが結果ファイルを書かずに終了しました", "the engine ended without a result"));
}

} // namespace

RunRow::RunRow(std::string resultFile, PatientPosition position, long long launcherPid, double precisionAsked)
    : resultFile_(std::move(resultFile)), position_(position), launcherPid_(launcherPid),
      precisionAsked_(precisionAsked)
{
}

RunChore RunRow::Observe(const RunObservation& seen)
{
    if (state_ == RunState::Cancelled) {
        // The stopped engine removes its own progress file; one it could not remove goes once
        // the engine is gone.
        if (seen.engineRunning) return RunChore::None;
        settled_ = true;
        return seen.progressFileExists ? RunChore::RemoveProgressFile : RunChore::None;
    }
    if (state_ != RunState::Running) return RunChore::None;

    if (seen.progress) {
        const records::RunProgress& progress = *seen.progress;
        seenProgress_ = true;
        if (progress.pid > 0) enginePid_ = progress.pid;
        if (progress.state == records::RunProgress::State::Failed) {
            End(RunState::Failed, progress.message);
            return RunChore::RemoveProgressFile;
        }
        shareDone_ = progress.ShareDone();
        secondsLeft_ = progress.secondsLeft;
        precisionReached_ = progress.precisionReached;
        if (seen.engineRunning) return RunChore::None;
        // The engine was killed without a word: its last progress file stays behind. A result
        // written before it went is whole, for the engine writes it atomically.
        if (seen.resultWritten)
            End(RunState::Finished);
        else
            End(RunState::Failed, NoResultText());
        return RunChore::RemoveProgressFile;
    }
    // A progress file being replaced right now says nothing new.
    if (seen.progressFileExists) return RunChore::None;

    if (seen.resultWritten)
        End(RunState::Finished);
    else if (seenProgress_ || !seen.launcherRunning)
        End(RunState::Failed, NoResultText());
    return RunChore::None;
}

long long RunRow::Cancel()
{
    if (state_ != RunState::Running) return 0;
    End(RunState::Cancelled);
    return EnginePid();
}

void RunRow::End(RunState state, std::string message)
{
    state_ = state;
    message_ = std::move(message);
    secondsLeft_ = -1;
    if (state == RunState::Finished) shareDone_ = 1.0;
}

std::string RunRow::PositionText() const
{
    return position_ == PatientPosition::Standing ? InMessageLanguage("立位", "standing")
                                                  : InMessageLanguage("臥位", "supine");
}

std::string RunRow::StateText() const
{
    switch (state_) {
    case RunState::Running:
        return InMessageLanguage("実行中", "running");
    case RunState::Finished:
        return InMessageLanguage("終了", "finished");
    case RunState::Failed:
        return InMessageLanguage("失敗: ", "failed: ") + message_;
    case RunState::Cancelled:
        return InMessageLanguage("中止", "stopped");
    }
    return {};
}

std::string RunRow::TimeLeftText() const
{
    if (state_ != RunState::Running || !(secondsLeft_ >= 0) || !std::isfinite(secondsLeft_)) return {};
    const long long seconds = std::llround(secondsLeft_);
    char text[32];
    if (seconds >= 3600)
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

std::string RunRow::PrecisionText() const
{
    if (!(precisionAsked_ > 0)) return {};
    const std::string reached =
        precisionReached_ >= 0 ? FormatNumber(precisionReached_, "##0.00") + " %" : "—";
    return reached + InMessageLanguage("（目標 ", " (target ") + PlainNumberText(precisionAsked_) +
           InMessageLanguage(" %）", " %)");
}

} // namespace brisca
