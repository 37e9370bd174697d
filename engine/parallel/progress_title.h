#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace engine {

// The terminal title while a run goes on: the share of histories done and, once some are,
// the time left at the rate so far, e.g. "42% 残り 0:01:23 (left)".
std::string ProgressTitleText(long long done, long long total, double elapsedSeconds);

// The escape sequence that sets a terminal's title to `text`.
std::string TitleEscape(const std::string& text);

// Passes the progress title to a sink at most four times a second; does nothing without one.
class ProgressTitle {
public:
    // sink: receives the title text; empty when the output is not a terminal.
    explicit ProgressTitle(std::function<void(const std::string&)> sink);

    // Shows `done` of `total` histories unless the last title is younger than a quarter second.
    void Update(long long done, long long total);
    // Shows the final state whatever the time.
    void Finish(long long total);

private:
    std::function<void(const std::string&)> sink_; // where titles go
    std::chrono::steady_clock::time_point start_;  // when the histories began
    std::chrono::steady_clock::time_point last_;   // when the last title was shown
};

} // namespace engine
