#include "engine/stop_signals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace engine {

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Standard input is also turned into an empty file: a signal that lands after the wait for
// Enter has checked the request, but before its read has begun, would otherwise leave that
// read blocked until someone presses Enter. A read already waiting is interrupted anyway.
extern "C" void OnStopSignal(int)
{
    stopRequested.store(true, std::memory_order_relaxed);
    const int saved = errno;
    if (const int empty = ::open("/dev/null", O_RDONLY); empty >= 0) {
        ::dup2(empty, STDIN_FILENO);
        ::close(empty);
    }
    errno = saved;
}

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
