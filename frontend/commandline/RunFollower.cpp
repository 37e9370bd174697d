#include "commandline/RunFollower.h"

#include <cmath>
#include <cstdio>

#include "records/exit_status.h"

namespace brisca {

namespace {

std::string Clock(double seconds)
{
    const long long s = std::llround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

} // namespace

std::string ProgressLine(const records::RunProgress& progress)
{
    char share[16];
    std::snprintf(share, sizeof share, "%3d%%", static_cast<int>(progress.ShareDone() * 100.0));
    const std::string left = progress.secondsLeft >= 0 ? Clock(progress.secondsLeft) : "—";
    std::string japanese = std::string(share) + "  残り " + left;
    std::string english = std::string(share) + " done, " + left + " left";
    if (progress.precisionAsked > 0) {
        char asked[32];
        std::snprintf(asked, sizeof asked, "%g%%", progress.precisionAsked);
        char reached[32] = "—";
        if (progress.precisionReached >= 0)
            std::snprintf(reached, sizeof reached, "%.2f%%", progress.precisionReached);
        japanese += std::string("  誤差 ") + reached + " / " + asked;
        english += std::string(", error ") + reached + " of " + asked;
    }
    return "  " + japanese + " [" + english + "]";
}

std::string RunEndingLine(int status, const std::optional<records::RunProgress>& last)
{
    if (last && last->state == records::RunProgress::State::Failed)
        return "計算は失敗しました: " + last->message;
    if (status == records::kExitDone) return "計算が終わりました [the run finished]";
    if (status == records::kExitCancelled)
        return "計算は中止されました。結果は書き込まれていません [the run was stopped; no result was "
               "written]";
    if (status > 128)
        return "エンジンはシグナル " + std::to_string(status - 128) +
               " で終わりました [the engine was ended by signal " + std::to_string(status - 128) + "]";
    return "エンジンは終了状態 " + std::to_string(status) +
           " で終わりました [the engine ended with exit status " + std::to_string(status) + "]";
}

RunFollower::RunFollower(std::string resultName, std::ostream& out, bool terminal)
    : resultName_(std::move(resultName)), out_(out), terminal_(terminal)
{
}

void RunFollower::Look()
{
    const std::optional<records::RunProgress> progress = records::ReadProgressFile(resultName_);
    if (!progress) return;
    last_ = progress;
    if (progress->state != records::RunProgress::State::Running) return;
    if (terminal_) {
        // Cleared to the end of the line: a shorter line leaves nothing of a longer one.
        out_ << '\r' << ProgressLine(*progress) << "\x1b[K" << std::flush;
        lineOpen_ = true;
        return;
    }
    const int tenths = static_cast<int>(progress->ShareDone() * 10.0);
    if (tenths > tenthsShown_ || progress->precisionReached != reachedShown_) {
        out_ << ProgressLine(*progress) << '\n' << std::flush;
        tenthsShown_ = tenths;
        reachedShown_ = progress->precisionReached;
    }
}

void RunFollower::End(int status)
{
    Look();
    if (lineOpen_) out_ << '\n';
    out_ << RunEndingLine(status, last_) << '\n' << std::flush;
    if (last_ && last_->state == records::RunProgress::State::Failed)
        std::remove(records::ProgressFileName(resultName_).c_str());
}

} // namespace brisca
