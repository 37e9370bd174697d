#pragma once

#include "engine/parallel/exact_sums.h"
#include "engine/geometry.h"
#include "engine/tables.h"

#include <functional>

namespace engine {

// Histories in a full chunk. Fixed, so that the chunks and their streams, and with them the
// result, do not depend on the number of threads or machines.
inline constexpr long long kChunkHistories = 20000;

// Slice `index` of `count` (1-based): the job's chunks, counted over all bins in order, are
// dealt out to the slices in turn.
struct Slice {
    int index = 1; // K, 1..count
    int count = 1; // M; 1 runs the whole job
};

// Histories of energy bin `bin`, as the single stream runs them.
long long BinHistories(const Tables& tables, int bin);

// Histories of the whole job summed over its bins.
long long JobHistories(const Tables& tables);

// What the chunked run tells its caller while it runs; called on the caller's thread.
struct ChunkObserver {
    std::function<void(int bin)> binStarted;                     // in bin order, each bin once
    std::function<void(long long done, long long total)> ticked; // a few times a second at most
};

// Runs the chunks of `slice` on `threads` threads (0: one per core), each chunk from its own
// stream, and adds their grids to `sums`. Returns the histories run. Throws InputError when a
// chunk cannot sample its interactions (the first such chunk in job order is reported).
long long RunChunks(const Tables& tables, const EngineGeometry& geometry, Slice slice, int threads,
    const ChunkObserver& observer, ExactGrids& sums);

} // namespace engine
