#pragma once

#include "engine/parallel/work_curve.h"

#include <chrono>
#include <functional>
#include <string>

namespace engine {

// Seconds left at the pace so far once `workShare` of the work took `elapsedSeconds`; -1
// while nothing is done, 0 once all is.
double SecondsLeft(double workShare, double elapsedSeconds);

// Where a run stands at one moment, as its title shows it.
struct ProgressMoment {
    long long done = 0;        // histories run
    long long total = 0;       // histories of the job
    double workShare = 0;      // share of the work done, 0 to 1
    double elapsedSeconds = 0; // since the histories began
    double secondsLeft = -1;   // SecondsLeft of the two
};

// The terminal title while a run goes on: the share of the work done and, once some is, the
// time left at the pace so far, e.g. "42% 残り 0:01:23 (left)".
std::string ProgressTitleText(double workShare, double elapsedSeconds);

// The escape sequence that sets a terminal's title to `text`.
std::string TitleEscape(const std::string& text);

// Passes the progress title to a sink, and the moment it shows to a follower, at most four
// times a second; does nothing without either.
class ProgressTitle {
public:
    // sink: receives the title text; empty when the output is not a terminal. curve: how the
    // work lies over the histories. follower: receives each moment the title shows (the
    // progress file); may be empty.
    explicit ProgressTitle(std::function<void(const std::string&)> sink, WorkCurve curve = {},
        std::function<void(const ProgressMoment&)> follower = {});

    // Shows the work of `done` of `total` histories, run in job order, unless the last title
    // is younger than a quarter second.
    void Update(long long done, long long total);
    // Shows the final state whatever the time.
    void Finish();

private:
    std::function<void(const std::string&)> sink_;        // where titles go
    std::function<void(const ProgressMoment&)> follower_; // where the moments go
    WorkCurve curve_;                                     // work by histories done
    std::chrono::steady_clock::time_point start_;         // when the histories began
    std::chrono::steady_clock::time_point last_;          // when the last title was shown
};

} // namespace engine
