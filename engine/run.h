#pragma once

#include "engine/geometry.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace engine {

// Local time of day as the console shows it.
struct ClockTime {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
};

// Where the run talks to the user and reads the time.
struct Console {
    std::istream& in;                 // the two Enter lines; end of input counts as Enter
    std::ostream& out;                // banner, progress, times and messages (UTF-8)
    std::function<ClockTime()> clock; // local time of day
};

// The local time of day from the system clock.
ClockTime LocalClock();

// The whole engine run: reads the five inputs from `directory` ("" for the working
// directory), shows the banner, waits for Enter, simulates every energy bin, writes the
// result file there and waits for Enter again. Returns the exit status: 0 after a saved
// result, 1 when an input is refused or the result cannot be written.
int RunEngine(const EngineGeometry& geometry, const std::string& directory, Console& console);

} // namespace engine
