#include "records/progress_file.h"

#include "records/atomic_file.h"
#include "records/read_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace records {

namespace {

constexpr std::string_view kFirstLine = "brisca-progress 1";
// A progress file is a few hundred bytes; the message is cut well below this.
constexpr std::size_t kLongestProgressFile = 64 * 1024;

template <typename Number> bool ParseNumber(std::string_view text, Number& value)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

std::string FormatSeconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

} // namespace

double RunProgress::ShareDone() const
{
    if (workShare >= 0) return std::min(workShare, 1.0);
    if (total <= 0) return 0;
    return std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0);
}

std::string ProgressFileName(std::string_view resultName) { return std::string(resultName) + ".progress"; }

std::string ProgressText(const RunProgress& progress)
{
    std::ostringstream text;
    char share[40] = "";
    if (progress.workShare >= 0) std::snprintf(share, sizeof share, "share %.4f\n", progress.workShare);
    char precision[64];
    std::snprintf(precision, sizeof precision, "precision_asked %g\nprecision_reached %.2f\n",
        progress.precisionAsked, progress.precisionReached);
    text << kFirstLine << '\n'
         << "pid " << progress.pid << '\n'
         << "done " << progress.done << '\n'
         << "total " << progress.total << '\n'
         << share << "elapsed_s " << FormatSeconds(progress.elapsedSeconds) << '\n'
         << "left_s " << FormatSeconds(progress.secondsLeft) << '\n'
         << precision << "state " << (progress.state == RunProgress::State::Failed ? "failed" : "running")
         << '\n';
    if (progress.state == RunProgress::State::Failed) {
        std::string message = progress.message;
        std::replace(message.begin(), message.end(), '\n', ' ');
        text << "message " << message << '\n';
    }
    return text.str();
}

bool WriteProgressFile(const std::string& resultName, const RunProgress& progress)
{
    return !ReplaceFileAtomically(ProgressFileName(resultName), ProgressText(progress)).has_value();
}

std::optional<RunProgress> ParseProgressText(std::string_view text)
{
    if (text.size() > kLongestProgressFile) return std::nullopt;
    RunProgress progress;
    bool sawFirst = false;
    bool sawState = false;
    int numbers = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt; // a complete file ends its last line
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (!sawFirst) {
            if (line != kFirstLine) return std::nullopt;
            sawFirst = true;
            continue;
        }
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, blank);
        const std::string_view value = line.substr(blank + 1);
        bool understood = true;
        if (key == "pid") {
            understood = ParseNumber(value, progress.pid);
            ++numbers;
        } else if (key == "done") {
            understood = ParseNumber(value, progress.done);
            ++numbers;
        } else if (key == "total") {
            understood = ParseNumber(value, progress.total);
            ++numbers;
        } else if (key == "share") {
            understood = ParseNumber(value, progress.workShare) && progress.workShare >= 0;
        } else if (key == "elapsed_s") {
            understood = ParseNumber(value, progress.elapsedSeconds);
            ++numbers;
        } else if (key == "left_s") {
            understood = ParseNumber(value, progress.secondsLeft);
            ++numbers;
        } else if (key == "precision_asked") {
            understood = ParseNumber(value, progress.precisionAsked);
            ++numbers;
        } else if (key == "precision_reached") {
            understood = ParseNumber(value, progress.precisionReached);
            ++numbers;
        } else if (key == "state") {
            sawState = value == "running" || value == "failed";
            understood = sawState;
            progress.state = value == "failed" ? RunProgress::State::Failed : RunProgress::State::Running;
        } else if (key == "message") {
            progress.message = std::string(value);
        }
        // Keys a later engine may add are passed over.
        if (!understood) return std::nullopt;
    }
    if (!sawFirst || !sawState || numbers != 7) return std::nullopt;
    return progress;
}

std::optional<RunProgress> ReadProgressFile(const std::string& resultName)
{
    std::string text;
    if (ReadWholeFile(ProgressFileName(resultName), text)) return std::nullopt;
    return ParseProgressText(text);
}

} // namespace records
