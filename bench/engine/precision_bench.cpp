// Time to a precision on the default job (default_job.h): the chunked mode on two threads
// runs with --precision P (5 % unless told) until every cell of interest reaches it; the
// single stream then runs the very histories per bin at which the chunked run stopped, and
// its own largest error of the cells of interest is shown beside. The single stream cannot
// stop itself: it runs the bins one after the other, so before its end it is no sample of
// the spectrum. Wall-clock seconds for both, and the CPU seconds (user, all threads) that
// show what an idle machine would take where other work shares the cores.
//   precision_bench [precision [job histories]]

#include "default_job.h"
#include "engine/input_files.h"
#include "engine/parallel/precision_run.h"
#include "engine/rng.h"
#include "engine/scoring.h"
#include "engine/transport.h"
#include "engine/uncertainty.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
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

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const double precision = argc > 1 ? std::atof(argv[1]) : 5.0;
    const double cap = argc > 2 ? std::atof(argv[2]) : 5.0e8; // the window's default
    const fs::path folder = fs::temp_directory_path() / ("precision-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    enginebench::WriteDefaultJob(folder, cap);
    const engine::Tables tables = engine::LoadTables(folder.string());
    fs::remove_all(folder);
    std::printf(
        "default job, at most %lld histories, precision %g %%\n", engine::JobHistories(tables), precision);

    auto sums = std::make_unique<engine::ExactGrids>();
    const auto chunkedStart = std::chrono::steady_clock::now();
    const double chunkedUserStart = UserSeconds();
    const engine::PrecisionOutcome outcome = engine::RunToPrecision(
        tables, engine::kStandingGeometry, precision, 2, 0, {},
        [](int round, long long histories, double largest) {
            std::printf(
                "  round %2d: %11lld histories, largest relative error %.2f %%\n", round, histories, largest);
            std::fflush(stdout);
        },
        *sums);
    const double chunkedSeconds = SecondsSince(chunkedStart);
    const double chunkedUser = UserSeconds() - chunkedUserStart;
    std::printf("chunked, 2 threads: %lld histories in %d rounds, %.1f s wall (%.1f s user), largest error "
                "%.2f %%%s\n",
        outcome.histories, outcome.rounds, chunkedSeconds, chunkedUser, outcome.largestError,
        outcome.largestError <= precision ? "" : " (not reached: raise the job's histories)");

    auto grids = std::make_unique<engine::Grids>();
    engine::Rng rng;
    engine::GridScorer scorer(tables, engine::kStandingGeometry, *grids);
    engine::Transport transport(tables, rng, scorer);
    const auto singleStart = std::chrono::steady_clock::now();
    const double userStart = UserSeconds();
    for (int bin = engine::Spectrum::kFirstBin; bin <= tables.spectrum.lastBin; ++bin) {
        const float energy = static_cast<float>(bin) * engine::Spectrum::kBinWidth;
        for (long long n = 0; n < outcome.binHistories[static_cast<std::size_t>(bin)]; ++n)
            transport.RunHistory(energy);
    }
    const double singleSeconds = SecondsSince(singleStart);
    const double singleUser = UserSeconds() - userStart;
    std::printf("single stream, same histories per bin: %.1f s wall (%.1f s user), largest error %.2f %%\n",
        singleSeconds, singleUser, engine::LargestErrorOfInterest(*grids, outcome.histories));
    std::printf("time to %g %%: single stream %.1f s, two threads %.1f s (%.2fx)\n", precision, singleSeconds,
        chunkedSeconds, singleSeconds / chunkedSeconds);
    return 0;
}
