// Histories per second of the engine on the default job (default_job.h).
// The single stream and the chunked mode on 1 and 2 threads run side by side. The single
// stream is timed in user CPU seconds of this process, so other load on the machine matters
// less; the chunked mode in wall-clock seconds, since its point is to finish sooner on
// several cores, and per core in CPU seconds of all its threads, which other load on a
// shared machine disturbs less. With --repeat N each figure is the best of N runs.

#include "default_job.h"
#include "engine/geometry.h"
#include "engine/input_files.h"
#include "engine/parallel/chunked_run.h"
#include "engine/rng.h"
#include "engine/scoring.h"
#include "engine/transport.h"
#include "plain_scorer.h"

#include <algorithm>
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

// User and system CPU seconds of every thread of this process.
double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

struct Timing {
    long long histories = 0; // histories run
    double seconds = 0;      // user CPU seconds (single stream) or wall-clock seconds (chunked)
    double cpuSeconds = 0;   // CPU seconds of all threads
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
    const double cpuStart = ProcessSeconds();
    for (int bin = 10; bin <= tables.spectrum.lastBin; ++bin) {
        const auto n = static_cast<long long>(tables.job.photonCount * tables.spectrum.intensity[bin]);
        const float energy = static_cast<float>(bin) * 0.5f;
        for (long long k = 0; k < n; ++k) transport.RunHistory(energy);
        timing.histories += n;
    }
    timing.seconds = UserSeconds() - start;
    timing.cpuSeconds = ProcessSeconds() - cpuStart;
    for (float v : grids->kerma) timing.checksum += v;
    return timing;
}

// The chunked mode on `threads` threads; seconds of wall-clock time.
Timing RunChunked(const engine::Tables& tables, int threads)
{
    auto sums = std::make_unique<engine::ExactGrids>();
    Timing timing;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ProcessSeconds();
    timing.histories = engine::RunChunks(tables, engine::kStandingGeometry, {}, threads, {}, *sums);
    timing.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timing.cpuSeconds = ProcessSeconds() - cpuStart;
    auto grids = std::make_unique<engine::Grids>();
    sums->ToGrids(*grids);
    for (double v : grids->kerma) timing.checksum += v;
    return timing;
}

// The best of `repeats` timings: the shortest time, and the shortest CPU time.
template <class Timed> Timing Best(int repeats, Timed run)
{
    Timing best = run();
    for (int r = 1; r < repeats; ++r) {
        const Timing next = run();
        best.seconds = std::min(best.seconds, next.seconds);
        best.cpuSeconds = std::min(best.cpuSeconds, next.cpuSeconds);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    double histories = 1.0e7;
    int repeats = 1;
    bool plain = false;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--plain") {
            plain = true;
        } else if (arg == "--repeat" && k + 1 < argc) {
            repeats = std::max(1, std::atoi(argv[++k]));
        } else {
            histories = std::atof(arg.c_str());
        }
    }
    const fs::path folder = fs::temp_directory_path() / ("mcstand-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    enginebench::WriteDefaultJob(folder, histories);
    const engine::Tables tables = engine::LoadTables(folder.string());
    fs::remove_all(folder);

    const Timing single = Best(repeats, [&] { return Run(tables, false); });
    std::printf("default job, %lld histories, best of %d\n", single.histories, repeats);
    const double singleRate = single.histories / single.seconds;
    std::printf("single stream:       %7.3f s CPU,                 %5.2f M histories/s (kerma sum %.9g)\n",
        single.seconds, singleRate / 1e6, single.checksum);
    double twoThreads = 0;
    for (int threads : {1, 2}) {
        const Timing chunked = Best(repeats, [&] { return RunChunked(tables, threads); });
        const double rate = chunked.histories / chunked.seconds;
        twoThreads = rate;
        std::printf(
            "chunked, %d thread%s  %7.3f s wall, %7.3f s CPU, %5.2f M histories/s, %5.2f M/s per core "
            "(kerma sum %.9g)\n",
            threads, threads == 1 ? ": " : "s:", chunked.seconds, chunked.cpuSeconds, rate / 1e6,
            chunked.histories / chunked.cpuSeconds / 1e6, chunked.checksum);
    }
    std::printf("chunked on 2 threads against the single stream: %.2fx\n", twoThreads / singleRate);
    if (plain) {
        const Timing p = Run(tables, true);
        std::printf("plain 61-disc scoring: %.3f s user, %.2f M histories/s (kerma sum %.9g)\n", p.seconds,
            p.histories / p.seconds / 1e6, p.checksum);
    }
    return 0;
}
