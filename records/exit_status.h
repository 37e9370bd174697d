#pragma once

namespace records {

// Exit statuses of every program of the system, so that a batch script can tell why a step
// stopped whichever program it ran.

// The work is done.
inline constexpr int kExitDone = 0;
// An input was refused (a condition, a table or result that cannot be used); the message
// says why. The engines and the refiner end with it on any failure.
inline constexpr int kExitRefused = 1;
// The command line was not understood.
inline constexpr int kExitUsage = 2;
// brisca-job and brisca-map: a file could not be read or written.
inline constexpr int kExitFile = 3;
// brisca-job --run: the engine could not be found, started or waited for.
inline constexpr int kExitEngineNotStarted = 4;
// The engines: the run was stopped (SIGTERM, SIGINT, or SIGHUP from a closed terminal) and
// left nothing behind. brisca-job --run passes it on.
inline constexpr int kExitCancelled = 5;

} // namespace records
