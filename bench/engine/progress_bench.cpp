// How well the terminal title's time left foretells the end of the default job. The engine
// runs as the programs run it (the single stream, or the chunked mode on N threads) with a
// title sink that notes when each title was shown; afterwards the time left that the title
// showed is set against the time the run really went on, at the first title that reads
// 10, 20 and 50 %, and at the first title after 10 % of the whole run's time. On a machine
// that other work shares, wall-clock time also measures that work: the same comparison in
// this process's CPU seconds (the title's share with the CPU seconds so far) shows the
// estimate itself.
//   <build>/bin/progress_bench [histories [threads]]

#include "default_job.h"
#include "engine/run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// One title as the terminal would have shown it.
struct Title {
    double at = 0.0;    // wall-clock seconds since the run began
    double cpu = 0.0;   // CPU seconds since the run began
    int percent = 0;    // share shown
    double left = -1.0; // time left shown, seconds; -1 when the title shows none
};

Title Parse(const std::string& text, double at, double cpu)
{
    Title title;
    title.at = at;
    title.cpu = cpu;
    int hours = 0, minutes = 0, seconds = 0;
    if (std::sscanf(text.c_str(), "%d%% 残り %d:%d:%d", &title.percent, &hours, &minutes, &seconds) == 4)
        title.left = hours * 3600.0 + minutes * 60.0 + seconds;
    return title;
}

void Report(const char* label, const Title& title, const Title& end)
{
    const double real = end.at - title.at;
    // The share the title stood for, and what it would have left in CPU seconds.
    const double share = title.at / (title.at + title.left);
    const double cpuLeft = title.cpu * (1.0 - share) / share;
    const double cpuReal = end.cpu - title.cpu;
    std::printf("%-22s at %6.2f s: shows %3d%%, %5.0f s left, really %6.1f s: %.2f;"
                " in CPU seconds %6.1f left, really %6.1f: %.2f\n",
        label, title.at, title.percent, title.left, real, title.left / real, cpuLeft, cpuReal,
        cpuLeft / cpuReal);
}

} // namespace

int main(int argc, char** argv)
{
    const double histories = argc > 1 ? std::atof(argv[1]) : 5.0e7;
    engine::RunOptions options;
    if (argc > 2) {
        options.chunked = true;
        options.threads = std::atoi(argv[2]);
    }
    const fs::path folder = fs::temp_directory_path() / ("progress-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    enginebench::WriteDefaultJob(folder, histories);

    std::vector<Title> titles;
    Clock::time_point begin = Clock::now();
    double cpuBegin = 0.0;
    std::istringstream in;
    std::ostringstream out;
    engine::Console console{in, out, engine::LocalClock, [&](const std::string& text) {
                                const std::chrono::duration<double> at = Clock::now() - begin;
                                titles.push_back(Parse(text, at.count(), CpuSeconds() - cpuBegin));
                            }};
    begin = Clock::now();
    cpuBegin = CpuSeconds();
    const int status = engine::RunEngine(engine::kStandingGeometry, folder.string(), console, options);
    fs::remove_all(folder);
    if (status != 0 || titles.empty()) {
        std::fprintf(stderr, "the run failed:\n%s", out.str().c_str());
        return 1;
    }

    const Title& end = titles.back();
    const std::string mode =
        options.chunked ? "chunked, " + std::to_string(options.threads) + " threads" : "single stream";
    std::printf("default job, %.3g histories, %s: %.1f s (%.1f CPU seconds) from Enter to the last title\n",
        histories, mode.c_str(), end.at, end.cpu);
    for (const int mark : {10, 20, 50}) {
        for (const Title& title : titles) {
            if (title.percent >= mark && title.left >= 0.0) {
                Report(("first title at " + std::to_string(mark) + "%").c_str(), title, end);
                break;
            }
        }
    }
    for (const Title& title : titles) {
        if (title.at >= 0.1 * end.at && title.left >= 0.0) {
            Report("after 10% of the time", title, end);
            break;
        }
    }
    return 0;
}
