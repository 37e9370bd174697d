#include "engine/parallel/chunked_run.h"

#include "engine/block_stream.h"
#include "engine/input_error.h"
#include "engine/sampling_tables.h"
#include "engine/scoring.h"
#include "engine/stop_signals.h"
#include "engine/transport.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace engine {

namespace {

std::vector<Chunk> SliceChunks(const Tables& tables, Slice slice)
{
    std::vector<Chunk> chunks;
    long long jobChunk = 0;
    for (int bin = Spectrum::kFirstBin; bin <= tables.spectrum.lastBin; ++bin) {
        const long long histories = BinHistories(tables, bin);
        for (long long first = 0, index = 0; first < histories;
             first += kChunkHistories, ++index, ++jobChunk) {
            if (jobChunk % slice.count != slice.index - 1) continue;
            chunks.push_back({bin, index, std::min(kChunkHistories, histories - first)});
        }
    }
    return chunks;
}

// What the workers share.
struct Shared {
    std::atomic<std::size_t> next{0};   // next chunk to hand out
    std::atomic<long long> done{0};     // histories of finished chunks
    std::atomic<bool> stop{false};      // a chunk failed: hand out no more
    std::mutex mutex;                   // guards the failure and wakes the caller
    std::condition_variable changed;    // a chunk finished or every worker ended
    std::size_t failedChunk = 0;        // job-order position of the first failure
    std::optional<std::string> failure; // its message
};

// One worker's own generator, grids and sums; a chunk is run, then added and cleared.
void Work(const Tables& tables, const SamplingTables& sampling, const EngineGeometry& geometry,
    const std::vector<Chunk>& chunks, std::uint64_t seed, Shared& shared, ExactGrids& sums)
{
    auto stream = std::make_unique<BlockStream>();
    auto grids = std::make_unique<Grids>();
    GridScorer scorer(tables, geometry, *grids);
    TabledTransport transport(tables, sampling, *stream, scorer);
    // A chunk takes milliseconds: a stop request is seen between chunks.
    while (!shared.stop.load(std::memory_order_relaxed) && !StopRequested()) {
        const std::size_t k = shared.next.fetch_add(1);
        if (k >= chunks.size()) break;
        const Chunk& chunk = chunks[k];
        stream->SeedStream(ChunkStreamKey(chunk.bin, chunk.index, seed));
        const float energy = static_cast<float>(chunk.bin) * Spectrum::kBinWidth;
        try {
            for (long long n = 0; n < chunk.histories; ++n) transport.RunHistory(energy);
        } catch (const InputError& e) {
            const std::lock_guard lock(shared.mutex);
            if (!shared.failure || k < shared.failedChunk) {
                shared.failure = e.what();
                shared.failedChunk = k;
            }
            shared.stop = true;
            shared.changed.notify_all();
            break;
        }
        sums.Take(*grids);
        shared.done += chunk.histories;
        shared.changed.notify_all();
    }
}

} // namespace

long long BinHistories(const Tables& tables, int bin)
{
    return static_cast<long long>(tables.job.photonCount * tables.spectrum.intensity[bin]);
}

long long JobHistories(const Tables& tables)
{
    long long total = 0;
    for (int bin = Spectrum::kFirstBin; bin <= tables.spectrum.lastBin; ++bin)
        total += BinHistories(tables, bin);
    return total;
}

long long RunChunks(const Tables& tables, const EngineGeometry& geometry, Slice slice, int threads,
    const ChunkObserver& observer, ExactGrids& sums, long long seed)
{
    return RunChunkList(tables, geometry, SliceChunks(tables, slice), threads, observer, sums, seed);
}

long long RunChunkList(const Tables& tables, const EngineGeometry& geometry, const std::vector<Chunk>& chunks,
    int threads, const ChunkObserver& observer, ExactGrids& sums, long long seed)
{
    long long total = 0;
    for (const Chunk& chunk : chunks) total += chunk.histories;

    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t workers =
        std::max<std::size_t>(1, std::min<std::size_t>(threads == 0 ? cores : threads, chunks.size()));
    std::vector<std::unique_ptr<ExactGrids>> partSums;
    for (std::size_t w = 0; w < workers; ++w) partSums.push_back(std::make_unique<ExactGrids>());

    const auto sampling = std::make_unique<const SamplingTables>(BuildSamplingTables(tables));
    Shared shared;
    std::atomic<std::size_t> running{workers};
    std::vector<std::thread> pool;
    for (std::size_t w = 0; w < workers; ++w) {
        pool.emplace_back([&, w] {
            Work(tables, *sampling, geometry, chunks, static_cast<std::uint64_t>(seed), shared, *partSums[w]);
            const std::lock_guard lock(shared.mutex);
            --running;
            shared.changed.notify_all();
        });
    }

    // The caller's thread reports: a bin's line once one of its chunks (or of a later bin's)
    // has been handed out, so the lines come in bin order whatever the threads do.
    int nextLine = Spectrum::kFirstBin;
    auto reportBins = [&](int upTo) {
        for (; nextLine <= upTo; ++nextLine)
            if (observer.binStarted) observer.binStarted(nextLine);
    };
    const auto tick = std::chrono::milliseconds(250);
    for (;;) {
        {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait_for(lock, tick, [&] { return running == 0; });
            if (running == 0) break;
        }
        const std::size_t handedOut = std::min(shared.next.load(), chunks.size());
        if (handedOut > 0) reportBins(chunks[handedOut - 1].bin);
        if (observer.ticked) observer.ticked(shared.done.load(), total);
    }
    for (std::thread& thread : pool) thread.join();
    if (StopRequested()) throw RunStopped{};
    if (shared.failure) throw InputError(*shared.failure);

    reportBins(tables.spectrum.lastBin);
    if (observer.ticked) observer.ticked(total, total);
    for (const auto& part : partSums) sums.Add(*part);
    return total;
}

} // namespace engine
