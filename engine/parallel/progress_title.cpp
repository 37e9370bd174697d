#include "engine/parallel/progress_title.h"

#include <cmath>
#include <cstdio>

namespace engine {

std::string ProgressTitleText(long long done, long long total, double elapsedSeconds)
{
    const double share = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    char text[80];
    if (done <= 0 || done >= total) {
        std::snprintf(text, sizeof text, "%d%%", static_cast<int>(share * 100.0));
        return text;
    }
    const long long left = std::llround(elapsedSeconds * (1.0 - share) / share);
    std::snprintf(text, sizeof text, "%d%% 残り %lld:%02lld:%02lld (left)", static_cast<int>(share * 100.0),
        left / 3600, left / 60 % 60, left % 60);
    return text;
}

std::string TitleEscape(const std::string& text) { return "\x1b]0;" + text + "\x07"; }

ProgressTitle::ProgressTitle(std::function<void(const std::string&)> sink)
    : sink_(std::move(sink)), start_(std::chrono::steady_clock::now()), last_(start_)
{
}

void ProgressTitle::Update(long long done, long long total)
{
    if (!sink_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    sink_(ProgressTitleText(done, total, std::chrono::duration<double>(now - start_).count()));
}

void ProgressTitle::Finish(long long total)
{
    if (sink_) sink_(ProgressTitleText(total, total, 0.0));
}

} // namespace engine
