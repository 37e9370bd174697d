#pragma once

#include "engine/geometry.h"
#include "engine/parallel/run_options.h"

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
    // Shows the progress title (share done, time left) where the output is a terminal;
    // empty where it is not, so that a log never receives the escape sequences.
    std::function<void(const std::string&)> title;
};

// The title sink for standard output: the terminal's title escape when it is a terminal,
// none otherwise.
std::function<void(const std::string&)> TerminalTitle();

// The local time of day from the system clock.
ClockTime LocalClock();

// The whole engine run: reads the five inputs from `directory` ("" for the working
// directory), shows the banner, waits for Enter, simulates every energy bin, writes the
// result file there (a slice's partial result when sliced) and waits for Enter again.
// While the histories run, the progress file beside the result follows them (see
// records/progress_file.h). Returns the exit status: 0 after a saved result, 1 when an input
// is refused or the result cannot be written, 5 when a stop was requested (stop_signals.h).
int RunEngine(const EngineGeometry& geometry, const std::string& directory, Console& console,
    const RunOptions& options = {});

// What both engine programs' main does: reads the options from the command line and
// BRISCA_THREADS, BRISCA_SEED and BRISCA_PRECISION and runs the engine in the working
// directory on the process's console. A malformed option ends the program with status 2
// before anything is read or written. SIGTERM, SIGINT and SIGHUP stop the run: it leaves no
// result, uncertainty, temporary or progress file and ends with status 5.
int EngineMain(const EngineGeometry& geometry, int argc, char** argv);

} // namespace engine
