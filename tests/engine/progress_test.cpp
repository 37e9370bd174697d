#include "engine_test_support.h"
#include "records/exit_status.h"
#include "records/progress_file.h"
#include "records/read_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using enginetest::JobFolder;
using records::RunProgress;

const char* const kResultName = "e2e-結果.dsr5";

// Generous limits: the machine may be busy with other builds and tests.
constexpr double kStartSeconds = 60.0;
constexpr double kEndSeconds = 20.0;

// Whether `ready` holds within `seconds`, asked every few milliseconds.
bool WaitFor(const std::function<bool()>& ready, double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// mcstand started in a job folder with its console in console.txt, as a window or
// brisca-job starts it; killed should a test leave it running.
class EngineProcess {
public:
    // holdEnter: standard input is a pipe nobody writes, so the engine waits at its first
    // Enter; otherwise end of input answers every Enter at once.
    EngineProcess(const JobFolder& folder, const std::vector<std::string>& arguments, bool holdEnter = false)
    {
        int enter[2] = {-1, -1};
        if (holdEnter && ::pipe(enter) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::chdir(folder.Path().c_str()) != 0) ::_exit(127);
            const int in = holdEnter ? enter[0] : ::open("/dev/null", O_RDONLY);
            const int out = ::open("console.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(in, 0);
            ::dup2(out, 1);
            ::dup2(out, 2);
            std::vector<char*> argv{const_cast<char*>(BRISCA_MCSTAND)};
            for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(BRISCA_MCSTAND, argv.data());
            ::_exit(127);
        }
        if (holdEnter) {
            ::close(enter[0]);
            enterPipe_ = enter[1];
        }
    }
    ~EngineProcess()
    {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (enterPipe_ >= 0) ::close(enterPipe_);
    }
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    pid_t Pid() const { return pid_; }
    // Whether the program has ended; its wait status is then in Status().
    bool Ended()
    {
        int status = 0;
        if (!status_ && pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
        return status_.has_value();
    }
    // Its exit status once ended normally, -1 otherwise.
    int ExitStatus() const { return status_ && WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1; }

private:
    pid_t pid_ = -1;
    int enterPipe_ = -1;
    std::optional<int> status_;
};

// The progress file of the job's result, if it is there and complete.
std::optional<RunProgress> ProgressOf(const JobFolder& folder)
{
    return records::ReadProgressFile(folder.File(kResultName));
}

// The folder's file names.
std::set<std::string> FilesIn(const JobFolder& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(ProgressFileTest, ReadsBackWhatWasWrittenAndNoPartOfIt)
{
    RunProgress running;
    running.pid = 4711;
    running.done = 125000000;
    running.total = 500000000;
    running.workShare = 0.1834;
    running.elapsedSeconds = 12.5;
    running.secondsLeft = 37.5;
    running.precisionAsked = 5;
    running.precisionReached = 7.25;
    RunProgress failed = running;
    failed.state = RunProgress::State::Failed;
    failed.message = "結果を書けません\n[cannot write]";
    RunProgress older = running; // from a writer that knew no work share
    older.workShare = -1;

    const struct {
        const char* label;
        RunProgress progress;
        std::string message; // as read back
        double share;
    } cases[] = {
        {"running", running, "", 0.1834},
        {"failed, its message on one line", failed, "結果を書けません [cannot write]", 0.1834},
        {"no work share: histories stand for it", older, "", 0.25},
    };
    for (const auto& c : cases) {
        const std::string text = records::ProgressText(c.progress);
        const std::optional<RunProgress> read = records::ParseProgressText(text);
        ASSERT_TRUE(read) << c.label << "\n" << text;
        EXPECT_EQ(read->pid, c.progress.pid) << c.label;
        EXPECT_EQ(read->done, c.progress.done) << c.label;
        EXPECT_EQ(read->total, c.progress.total) << c.label;
        EXPECT_EQ(read->elapsedSeconds, c.progress.elapsedSeconds) << c.label;
        EXPECT_EQ(read->secondsLeft, c.progress.secondsLeft) << c.label;
        EXPECT_EQ(read->precisionAsked, c.progress.precisionAsked) << c.label;
        EXPECT_EQ(read->precisionReached, c.progress.precisionReached) << c.label;
        EXPECT_EQ(read->state, c.progress.state) << c.label;
        EXPECT_EQ(read->message, c.message) << c.label;
        EXPECT_DOUBLE_EQ(read->ShareDone(), c.share) << c.label;
        // A later writer's keys are passed over.
        EXPECT_TRUE(records::ParseProgressText(text + "threads 8\n")) << c.label;
    }

    // Every cut of a running file lacks a line or ends within one.
    const std::string text = records::ProgressText(running);
    for (std::size_t size = 0; size < text.size(); ++size)
        EXPECT_FALSE(records::ParseProgressText(text.substr(0, size))) << size;
    for (const char* spoilt : {"done 12x\n", "state paused\n", "share -0.5\n"})
        EXPECT_FALSE(records::ParseProgressText(text + spoilt)) << spoilt;
    EXPECT_FALSE(records::ParseProgressText("brisca-progress 2" + text.substr(text.find('\n'))));

    JobFolder folder;
    EXPECT_FALSE(ProgressOf(folder));
    ASSERT_TRUE(records::WriteProgressFile(folder.File(kResultName), running));
    EXPECT_TRUE(enginetest::FileExists(folder.File(std::string(kResultName) + ".progress")));
    EXPECT_EQ(ProgressOf(folder)->done, running.done);
}

// A short real run read over and over: each read finds no file or a whole one, whose work
// never goes back; the file goes with the result, or stays with the failure.
TEST(EngineProgressTest, AReaderSeesWholeFilesThatNeverGoBack)
{
    const struct {
        const char* label;
        std::vector<std::string> arguments;
        bool blockResult; // the result's name is taken by a folder while the run goes on
    } cases[] = {
        {"single stream", {}, false},
        {"chunked", {"--threads", "2"}, false},
        {"result cannot be put in place", {"--threads", "2"}, true},
    };
    for (const auto& c : cases) {
        JobFolder folder;
        folder.SetRecord("B2F.txt", 5, "1.000E+06");
        EngineProcess engine(folder, c.arguments);
        const std::string progressName = folder.File(std::string(kResultName) + ".progress");
        long long done = 0;
        double share = 0;
        int reads = 0;
        while (!engine.Ended()) {
            std::string text;
            if (records::ReadWholeFile(progressName, text)) continue; // not there (yet, or any more)
            const std::optional<RunProgress> read = records::ParseProgressText(text);
            ASSERT_TRUE(read) << c.label << ": a partial file\n" << text;
            EXPECT_EQ(read->pid, engine.Pid()) << c.label;
            if (read->state == RunProgress::State::Failed) continue;
            EXPECT_GE(read->done, done) << c.label;
            EXPECT_GE(read->ShareDone(), share) << c.label;
            done = read->done;
            share = read->ShareDone();
            if (reads++ == 0 && c.blockResult)
                std::filesystem::create_directories(folder.File(kResultName) + "/taken");
        }
        EXPECT_GT(reads, 0) << c.label;
        const std::optional<RunProgress> last = ProgressOf(folder);
        if (c.blockResult) {
            EXPECT_EQ(engine.ExitStatus(), records::kExitRefused) << c.label;
            ASSERT_TRUE(last) << c.label;
            EXPECT_EQ(last->state, RunProgress::State::Failed) << c.label;
            EXPECT_NE(last->message.find("cannot be put in place"), std::string::npos) << last->message;
            EXPECT_NE(
                enginetest::ReadBytes(folder.File("console.txt")).find(last->message), std::string::npos)
                << c.label;
        } else {
            EXPECT_EQ(engine.ExitStatus(), records::kExitDone) << c.label;
            EXPECT_FALSE(enginetest::FileExists(progressName)) << c.label;
            EXPECT_TRUE(enginetest::FileExists(folder.File(kResultName))) << c.label;
        }
    }
}

// SIGTERM from a window, SIGINT from Ctrl+C, SIGHUP from a closed terminal: the run stops
// soon, whatever it is doing, and leaves the folder as it found it.
TEST(EngineStopTest, AStopLeavesNothingBehind)
{
    const struct {
        const char* label;
        int signal;
        std::vector<std::string> arguments;
        bool atFirstEnter; // stopped while it waits to begin, not while it runs
    } cases[] = {
        {"single stream, SIGTERM", SIGTERM, {}, false},
        {"chunked, SIGINT", SIGINT, {"--threads", "2"}, false},
        {"to a precision, SIGHUP", SIGHUP, {"--precision", "0.01"}, false},
        {"before the run, SIGTERM", SIGTERM, {}, true},
    };
    for (const auto& c : cases) {
        JobFolder folder;
        folder.SetRecord("B2F.txt", 5, "1.000E+09");
        const std::set<std::string> before = FilesIn(folder);
        EngineProcess engine(folder, c.arguments, c.atFirstEnter);
        const bool ready = WaitFor(
            [&] {
                if (c.atFirstEnter)
                    return enginetest::ReadBytes(folder.File("console.txt")).find("Enter") !=
                           std::string::npos;
                const std::optional<RunProgress> progress = ProgressOf(folder);
                return progress && progress->done > 0;
            },
            kStartSeconds);
        ASSERT_TRUE(ready) << c.label << enginetest::ReadBytes(folder.File("console.txt"));
        const auto sent = std::chrono::steady_clock::now();
        ::kill(engine.Pid(), c.signal);
        ASSERT_TRUE(WaitFor([&] { return engine.Ended(); }, kEndSeconds)) << c.label;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
        RecordProperty(std::string("stop_seconds ") + c.label, std::to_string(seconds));
        EXPECT_EQ(engine.ExitStatus(), records::kExitCancelled) << c.label;
        std::set<std::string> after = FilesIn(folder);
        after.erase("console.txt");
        EXPECT_EQ(after, before) << c.label;
        EXPECT_NE(
            enginetest::ReadBytes(folder.File("console.txt")).find("the run was stopped"), std::string::npos)
            << c.label;
    }
}

} // namespace
