#pragma once

#include <csignal>

namespace engine {

// Thrown out of the histories when the run has been asked to stop.
struct RunStopped { };

// From now on SIGTERM, SIGINT and SIGHUP (a closed terminal) ask the run to stop rather than
// end the program at once, so that it can leave nothing behind. A wait for Enter ends at once.
void CatchStopSignals();

// Whether one of those signals has arrived; cheap enough for every few thousand histories.
bool StopRequested();

// Holds those signals back on the calling thread while it lives: a set of files is committed
// whole, and a signal that arrives meanwhile is seen afterwards.
class StopSignalsHeld {
public:
    StopSignalsHeld();
    ~StopSignalsHeld();
    StopSignalsHeld(const StopSignalsHeld&) = delete;
    StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

private:
    sigset_t saved_{}; // the thread's signal mask before
};

} // namespace engine
