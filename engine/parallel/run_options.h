#pragma once

#include "engine/parallel/chunked_run.h"

#include <string>
#include <vector>

namespace engine {

// How one engine run simulates: the single stream by default, or chunked on threads.
struct RunOptions {
    bool chunked = false; // the parallel mode: chunks with their own streams, exact sums
    int threads = 0;      // threads of the chunked mode; 0: one per core
    bool sliced = false;  // run one slice and write a partial result instead of the result
    Slice slice;          // which slice, when sliced
    long long seed = 0;   // folded into every chunk's stream; 0 keeps the streams of a run without
    double precision = 0; // percent: stop once the cells of interest are this precise; 0: no stop
};

// Most threads that may be asked for.
inline constexpr int kMaxThreads = 4096;
// Most slices a job may be split into.
inline constexpr int kMaxSlices = 1000000;

// The options, or why they were refused.
struct ParsedRunOptions {
    RunOptions options; // valid when error is empty
    std::string error;  // Japanese with the English in brackets; empty when understood
};

// The environment's say in a run: BRISCA_THREADS, BRISCA_SEED and BRISCA_PRECISION, each null
// when unset; an empty value counts as unset.
struct RunVariables {
    const char* threads = nullptr;
    const char* seed = nullptr;
    const char* precision = nullptr;
};

// Reads `--threads N`, `--chunks K/M`, `--seed S` and `--precision P` (also written with
// `=`) and the variables. The command line wins over a variable; a thread count from either
// turns the chunked mode on, and so does a slice, a seed or a precision, which then use every
// core unless told otherwise. S is a whole number (64 bits, either sign), P a percentage
// above 0 and at most 100. A precision cannot be combined with a slice: no slice sees the
// others' errors.
ParsedRunOptions ParseRunOptions(const std::vector<std::string>& arguments, const RunVariables& variables);

} // namespace engine
