#include "engine/stop_signals.h"

#include <atomic>
#include <pthread.h>

namespace engine {

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnStopSignal(int) { stopRequested.store(true, std::memory_order_relaxed); }

sigset_t StopSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kStopSignals) sigaddset(&set, signal);
    return set;
}

} // namespace

void CatchStopSignals()
{
    struct sigaction action { };
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read waiting for Enter returns, and the run sees the request.
    action.sa_flags = 0;
    for (const int signal : kStopSignals) sigaction(signal, &action, nullptr);
}

bool StopRequested() { return stopRequested.load(std::memory_order_relaxed); }

StopSignalsHeld::StopSignalsHeld()
{
    const sigset_t held = StopSignalSet();
    pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

StopSignalsHeld::~StopSignalsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }

} // namespace engine
