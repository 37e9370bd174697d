#include "engine/parallel/progress_title.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace engine {

double SecondsLeft(double workShare, double elapsedSeconds)
{
    const double share = std::clamp(workShare, 0.0, 1.0);
    if (share <= 0.0) return -1.0;
    return elapsedSeconds * (1.0 - share) / share;
}

std::string ProgressTitleText(double workShare, double elapsedSeconds)
{
    const double share = std::clamp(workShare, 0.0, 1.0);
    char text[80];
    if (share <= 0.0 || share >= 1.0) {
        std::snprintf(text, sizeof text, "%d%%", static_cast<int>(share * 100.0));
        return text;
    }
    const long long left = std::llround(SecondsLeft(share, elapsedSeconds));
    std::snprintf(text, sizeof text, "%d%% 残り %lld:%02lld:%02lld (left)", static_cast<int>(share * 100.0),
        left / 3600, left / 60 % 60, left % 60);
    return text;
}

std::string TitleEscape(const std::string& text) { return "\x1b]0;" + text + "\x07"; }

ProgressTitle::ProgressTitle(std::function<void(const std::string&)> sink, WorkCurve curve,
    std::function<void(const ProgressMoment&)> follower)
    : sink_(std::move(sink)), follower_(std::move(follower)), curve_(std::move(curve)),
      start_(std::chrono::steady_clock::now()), last_(start_)
{
}

void ProgressTitle::Update(long long done, long long total)
{
    if (!sink_ && !follower_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    const double historyShare = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    const double workShare = done < total ? std::min(curve_.WorkShare(historyShare), 0.999) : 1.0;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    if (sink_) sink_(ProgressTitleText(workShare, elapsed));
    if (follower_) follower_({done, total, workShare, elapsed, SecondsLeft(workShare, elapsed)});
}

void ProgressTitle::Finish()
{
    if (sink_) sink_(ProgressTitleText(1.0, 0.0));
}

} // namespace engine
