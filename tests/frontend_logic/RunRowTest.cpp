#include "logic/runs/RunRow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brisca;
using records::RunProgress;

namespace {

constexpr long long Launcher = 100; // the terminal the run was started in
constexpr long long Engine = 200;   // the engine its progress file names

RunProgress Progress(
    double done, RunProgress::State state = RunProgress::State::Running, const char* message = "")
{
    RunProgress progress;
    progress.pid = Engine;
    progress.done = static_cast<long long>(done * 1000);
    progress.total = 1000;
    progress.secondsLeft = 65;
    progress.state = state;
    progress.message = message;
    return progress;
}

// A progress file the engine keeps while it runs.
RunObservation Running(double done) { return {true, Progress(done), false, true, true}; }

struct LookCase {
    const char* what;
    std::vector<RunObservation> looks;
    RunState state;
    RunChore lastChore;
    std::string stateText;
};

const std::string NoResult =
    "失敗: エンジンが結果ファイルを書かずに終了しました [the engine ended without a result]";

} // namespace

// A row follows its progress file and processes: the engine's own failure, a result, an engine
// gone without one (even when it could not remove its progress file), and an engine not yet
// started, which waits.
TEST(RunRow, LooksMoveTheStateOnlyForward)
{
    const LookCase cases[] = {
        {"progress", {Running(0.25)}, RunState::Running, RunChore::None, "実行中"},
        {"waiting before its first progress file", {{false, {}, false, true, true}}, RunState::Running,
            RunChore::None, "実行中"},
        {"a file being replaced", {Running(0.25), {true, {}, false, true, true}}, RunState::Running,
            RunChore::None, "実行中"},
        {"result written", {Running(0.5), {false, {}, true, true, true}}, RunState::Finished, RunChore::None,
            "終了"},
        {"the engine's failure",
            {{true, Progress(0.5, RunProgress::State::Failed, "書けません [cannot write]"), false, true,
                false}},
            RunState::Failed, RunChore::RemoveProgressFile, "失敗: 書けません [cannot write]"},
        {"progress file gone without a result", {Running(0.5), {false, {}, false, true, false}},
            RunState::Failed, RunChore::None, NoResult},
        {"terminal closed before any progress", {{false, {}, false, false, false}}, RunState::Failed,
            RunChore::None, NoResult},
        {"engine killed, its progress file left", {Running(0.5), {true, Progress(0.5), false, false, false}},
            RunState::Failed, RunChore::RemoveProgressFile, NoResult},
        {"engine killed after its result", {{true, Progress(1.0), true, false, false}}, RunState::Finished,
            RunChore::RemoveProgressFile, "終了"},
        {"nothing moves after the end",
            {{false, {}, true, true, true}, Running(0.5), {false, {}, false, false, false}},
            RunState::Finished, RunChore::None, "終了"},
    };
    for (const auto& c : cases) {
        RunRow row("a.dsr5", PatientPosition::Standing, Launcher, 0);
        RunChore chore = RunChore::None;
        for (const RunObservation& look : c.looks) chore = row.Observe(look);
        EXPECT_EQ(row.State(), c.state) << c.what;
        EXPECT_EQ(chore, c.lastChore) << c.what;
        EXPECT_EQ(row.StateText(), c.stateText) << c.what;
    }
}

// The stop goes to the engine once its progress file named it, before that to the terminal; a
// stopped row removes what its engine left behind once the engine is gone, then rests.
TEST(RunRow, CancelSignalsTheEngineAndClearsWhatItLeaves)
{
    RunRow waiting("a.dsr5", PatientPosition::Supine, Launcher, 0);
    EXPECT_EQ(waiting.Cancel(), Launcher);
    EXPECT_EQ(waiting.Cancel(), 0);

    RunRow row("a.dsr5", PatientPosition::Supine, Launcher, 0);
    row.Observe(Running(0.3));
    EXPECT_EQ(row.Cancel(), Engine);
    EXPECT_EQ(row.StateText(), "中止");
    EXPECT_EQ(row.Observe({true, Progress(0.3), false, true, true}), RunChore::None);
    EXPECT_TRUE(row.Watched());
    EXPECT_EQ(row.Observe({true, Progress(0.3), false, false, false}), RunChore::RemoveProgressFile);
    EXPECT_FALSE(row.Watched());
    EXPECT_EQ(row.State(), RunState::Cancelled);

    RunRow finished("b.dsr5", PatientPosition::Supine, Launcher, 0);
    finished.Observe({false, {}, true, true, true});
    EXPECT_EQ(finished.Cancel(), 0);
    EXPECT_EQ(finished.State(), RunState::Finished);
}

TEST(RunRow, TextsOfTheTimeLeftAndThePrecision)
{
    const struct {
        double secondsLeft;
        double asked;
        double reached;
        const char* timeLeft;
        const char* precision;
    } cases[] = {
        {-1, 0, -1, "", ""},
        {65, 0, 4.0, "1:05", ""},
        {3725.4, 5, -1, "1:02:05", "—（目標 5 %）"},
        {0, 2.5, 7.254, "0:00", "7.25 %（目標 2.5 %）"},
    };
    for (const auto& c : cases) {
        RunRow row("a.dsr5", PatientPosition::Supine, Launcher, c.asked);
        RunProgress progress = Progress(0.5);
        progress.secondsLeft = c.secondsLeft;
        progress.precisionAsked = c.asked;
        progress.precisionReached = c.reached;
        row.Observe({true, progress, false, true, true});
        EXPECT_EQ(row.TimeLeftText(), c.timeLeft) << c.secondsLeft;
        EXPECT_EQ(row.PrecisionText(), c.precision) << c.asked;
        EXPECT_DOUBLE_EQ(row.ShareDone(), 0.5);
    }
}
