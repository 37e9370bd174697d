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

// Reads `--threads N` and `--chunks K/M` (also written `--threads=N`, `--chunks=K/M`) and
// the value of BRISCA_THREADS (`threadsVariable`, null when unset; an empty value counts as
// unset). The command line wins over the variable; either one turns the chunked mode on,
// and so does a slice, which then uses every core unless told otherwise.
ParsedRunOptions ParseRunOptions(const std::vector<std::string>& arguments, const char* threadsVariable);

} // namespace engine
