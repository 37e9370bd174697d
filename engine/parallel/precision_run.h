#pragma once

#include "engine/geometry.h"
#include "engine/parallel/chunked_run.h"
#include "engine/parallel/exact_sums.h"
#include "engine/tables.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace engine {

// Histories of the whole job run by the first round of a run that stops at a precision.
inline constexpr long long kFirstRoundHistories = 100000;

// The fixed rounds of a run that stops at a precision. Round r brings every bin to the same
// share of its histories, that of H_r histories of the whole job, where H_0 is
// kFirstRoundHistories and each round adds a quarter (H_{r+1} = H_r + H_r/4), until the last
// round completes the job: so whenever the run stops, the bins have been sampled in
// proportion to the spectrum, as a whole run samples them. A round's new histories of a bin
// are cut into chunks of at most kChunkHistories, numbered on from the bin's earlier ones;
// their streams are not those of a run of the whole job without a precision.
struct PrecisionRounds {
    std::vector<std::vector<Chunk>> chunks;               // each round's chunks, bins ascending
    std::vector<std::array<long long, 301>> binHistories; // each bin's histories after each round
    std::vector<long long> histories;                     // the job's histories after each round
};

// The rounds of the job in `tables`.
PrecisionRounds MakePrecisionRounds(const Tables& tables);

// What a run that stops at a precision did.
struct PrecisionOutcome {
    int rounds = 0;                            // rounds run
    long long histories = 0;                   // histories run
    std::array<long long, 301> binHistories{}; // of them, in each bin
    bool wholeJob = false;                     // the last round ran: every history of the job
    double largestError = -1.0;                // of the cells of interest at the end, %; negative: none
};

// Called after each round with the round number (1-based), the histories run so far and the
// largest relative error of the cells of interest (LargestErrorOfInterest).
using RoundObserver = std::function<void(int round, long long histories, double largestError)>;

// Runs the job's rounds on `threads` threads, adding to `sums`, and stops after the first
// round at which every cell of interest has a relative error of at most `precision` percent,
// or after the last. The rounds and the check depend on nothing but the job and the seed, so
// any thread count runs the same rounds. `observer.ticked` counts the histories of the whole
// job. Throws InputError like RunChunks.
PrecisionOutcome RunToPrecision(const Tables& tables, const EngineGeometry& geometry, double precision,
    int threads, long long seed, const ChunkObserver& observer, const RoundObserver& rounds,
    ExactGrids& sums);

// The console line after a round: Japanese, then the English in brackets.
std::string RoundLine(int round, long long histories, double largestError, double precision);

// The console line at the end of the run: whether the precision was reached.
std::string PrecisionLine(const PrecisionOutcome& outcome, double precision);

// The note the terminal title carries once a round has ended, e.g. " 誤差 7.3% / 5% (error)".
std::string PrecisionTitle(double largestError, double precision);

} // namespace engine
