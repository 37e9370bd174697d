// Times one refiner run on a full result file, by phase and whole, in a scratch directory.
// Usage: refiner_bench [result file] (default: the test sample); prints median milliseconds.
#include "refiner/fine_file.h"
#include "refiner/refine.h"
#include "refiner/result_file.h"
#include "refiner/run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRepeats = 7;

double MedianMilliseconds(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int k = 0; k < kRepeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[kRepeats / 2];
}

} // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    const fs::path source = fs::absolute(argc > 1 ? argv[1] : BRISCA_REFINER_SAMPLE);
    const fs::path scratch = fs::temp_directory_path() / ("refiner-bench-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    fs::current_path(scratch);
    fs::copy_file(source, "sample.dsr5");
    std::FILE* list = std::fopen("FLname.txt", "wb");
    std::fputs("sample.dsr5\r\n", list);
    std::fclose(list);

    struct Work {
        refiner::CoarseResult coarse;
        refiner::FineResult fine;
        refiner::LateralPass lateral;
    };
    const auto work = std::make_unique<Work>();
    const double read = MedianMilliseconds([&] { refiner::ReadResultFile("sample.dsr5", work->coarse); });
    const double refine =
        MedianMilliseconds([&] { refiner::RefineResult(work->coarse, work->fine, work->lateral); });
    const double write = MedianMilliseconds([&] { refiner::WriteFineFile("F2B.dat", work->fine); });
    int status = 0;
    const double whole = MedianMilliseconds([&] {
        std::ostringstream console, errors;
        status |= refiner::RunRefiner(console, errors);
    });
    const auto bytes = fs::file_size("F2B.dat");
    fs::current_path(scratch.parent_path());
    fs::remove_all(scratch);

    std::printf(
        "median of %d runs, ms: read %.1f  refine %.1f  write %.1f  whole run %.1f  (%ju bytes written)\n",
        kRepeats, read, refine, write, whole, static_cast<std::uintmax_t>(bytes));
    return status;
}
