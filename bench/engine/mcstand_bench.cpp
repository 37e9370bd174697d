// Histories per second of the engine on the default job (default_job.h).
// The single stream is timed in user CPU seconds of this process, so other load on the
// machine matters less; the chunked mode on N threads in wall-clock seconds, since its point
// is to finish sooner on several cores.

#include "default_job.h"
#include "engine/geometry.h"
#include "engine/input_files.h"
#include "engine/parallel/chunked_run.h"
#include "engine/rng.h"
#include "engine/scoring.h"
#include "engine/transport.h"
#include "plain_scorer.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

double UserSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec) + 1e-6 * static_cast<double>(usage.ru_utime.tv_usec);
}

struct Timing {
    long long histories = 0; // histories run
    double seconds = 0;      // user CPU seconds
    double checksum = 0;     // sum of the kerma grid, to compare the scorers
};

Timing Run(const engine::Tables& tables, bool plainScoring)
{
    auto grids = std::make_unique<engine::Grids>();
    engine::Rng rng;
    engine::GridScorer fast(tables, engine::kStandingGeometry, *grids);
    enginetest::PlainScorer plain(tables, engine::kStandingGeometry, *grids);
    engine::EscapeScorer& scorer = plainScoring ? static_cast<engine::EscapeScorer&>(plain) : fast;
    engine::Transport transport(tables, rng, scorer);
    Timing timing;
    const double start = UserSeconds();
    for (int bin = 10; bin <= tables.spectrum.lastBin; ++bin) {
        const auto n = static_cast<long long>(tables.job.photonCount * tables.spectrum.intensity[bin]);
        const float energy = static_cast<float>(bin) * 0.5f;
        for (long long k = 0; k < n; ++k) transport.RunHistory(energy);
        timing.histories += n;
    }
    timing.seconds = UserSeconds() - start;
    for (float v : grids->kerma) timing.checksum += v;
    return timing;
}

// The chunked mode on `threads` threads; seconds of wall-clock time.
Timing RunChunked(const engine::Tables& tables, int threads)
{
    auto sums = std::make_unique<engine::ExactGrids>();
    Timing timing;
    const auto start = std::chrono::steady_clock::now();
    timing.histories = engine::RunChunks(tables, engine::kStandingGeometry, {}, threads, {}, *sums);
    timing.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto grids = std::make_unique<engine::Grids>();
    sums->ToGrids(*grids);
    for (double v : grids->kerma) timing.checksum += v;
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    const double histories = argc > 1 ? std::atof(argv[1]) : 1.0e7;
    const fs::path folder = fs::temp_directory_path() / ("mcstand-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    enginebench::WriteDefaultJob(folder, histories);
    const engine::Tables tables = engine::LoadTables(folder.string());
    fs::remove_all(folder);

    const Timing fast = Run(tables, false);
    std::printf("default job, %lld histories\n", fast.histories);
    std::printf("engine:                %.3f s user, %.2f M histories/s (kerma sum %.9g)\n", fast.seconds,
        fast.histories / fast.seconds / 1e6, fast.checksum);
    double twoThreads = 0;
    for (int threads : {1, 2}) {
        const Timing chunked = RunChunked(tables, threads);
        const double rate = chunked.histories / chunked.seconds;
        twoThreads = rate;
        std::printf("chunked, %d thread%s  %.3f s wall, %.2f M histories/s (kerma sum %.9g)\n", threads,
            threads == 1 ? ": " : "s:", chunked.seconds, rate / 1e6, chunked.checksum);
    }
    std::printf("chunked on 2 threads against the single stream: %.2fx\n",
        twoThreads / (fast.histories / fast.seconds));
    if (argc > 2 && std::string(argv[2]) == "--plain") {
        const Timing plain = Run(tables, true);
        std::printf("plain 61-disc scoring: %.3f s user, %.2f M histories/s (kerma sum %.9g)\n",
            plain.seconds, plain.histories / plain.seconds / 1e6, plain.checksum);
    }
    return 0;
}
