#pragma once

#include "engine/geometry.h"
#include "engine/parallel/exact_sums.h"
#include "engine/tables.h"

#include <functional>
#include <vector>

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

// One chunk of one bin: a run of histories drawn from one stream of their own.
struct Chunk {
    int bin = 0;             // energy bin
    long long index = 0;     // chunk number within the bin, 0-based; it picks the stream
    long long histories = 0; // kChunkHistories, fewer for a bin's last chunk
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
// stream, and adds their grids to `sums`. `seed` is folded into every stream (0 keeps the
// streams of a run without one). Returns the histories run. Throws InputError when a chunk
// cannot sample its interactions (the first such chunk in job order is reported), and
// RunStopped once the workers have ended when a stop was requested.
long long RunChunks(const Tables& tables, const EngineGeometry& geometry, Slice slice, int threads,
    const ChunkObserver& observer, ExactGrids& sums, long long seed = 0);

// Runs the given chunks as RunChunks runs a slice's. A bin's line is reported once one of its
// chunks, or a later bin's, has been handed out, so bins without chunks report too.
long long RunChunkList(const Tables& tables, const EngineGeometry& geometry, const std::vector<Chunk>& chunks,
    int threads, const ChunkObserver& observer, ExactGrids& sums, long long seed);

} // namespace engine
