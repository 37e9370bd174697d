// Compares two results of one job cell by cell against their statistical errors: the check
// that a change of the sampling left the physics where it was. Run by hand:
//
//   result_compare A.dsr5 [A.dsr5.part-1-of-K ...] -- B.dsr5 [B.dsr5.part-1-of-K ...]
//
// Each result may be followed by the partial results of the slices it was merged from; their
// spread gives its standard errors. A result without parts takes the other's errors, which
// holds under the hypothesis tested: both sample the same physics with the same histories.
// Prints, for the six grids (kerma and dose at each height), the sums' deviation of B from A
// in percent and in standard errors; over the cells holding at least 1 % of their grid's
// largest value, how many lie beyond 3 and 4 standard errors; and the side scatter at 1 m
// (kerma at the phantom-centre height, 100 cm lateral, beam-axis positions −10 to +10 cm).

#include "engine/input_error.h"
#include "engine/parallel/partial_result.h"
#include "engine_test_support.h"
#include "result_comparison.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A result file and the parts it was merged from.
enginetest::ComparedRun ReadRun(const std::vector<std::string>& files)
{
    const std::string text = enginetest::ReadBytes(files[0]);
    if (text.empty()) throw engine::InputError(files[0] + ": empty or unreadable");
    if (files.size() == 1) return enginetest::ReadResultValues(text);
    std::vector<engine::PartialResult> parts;
    for (std::size_t f = 1; f < files.size(); ++f)
        parts.push_back(engine::ParsePartial(files[f], enginetest::ReadBytes(files[f])));
    return enginetest::ReadResultWithSliceErrors(text, parts);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> a;
    std::vector<std::string> b;
    bool second = false;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--") {
            second = true;
            continue;
        }
        (second ? b : a).push_back(arg);
    }
    if (a.empty() || b.empty() || (a.size() == 2 || b.size() == 2) || (a.size() == 1 && b.size() == 1)) {
        std::fprintf(stderr, "usage: result_compare A.dsr5 [A parts...] -- B.dsr5 [B parts...]\n"
                             "(at least one result with two or more parts)\n");
        return 2;
    }
    try {
        const enginetest::ComparedRun runA = ReadRun(a);
        const enginetest::ComparedRun runB = ReadRun(b);
        const enginetest::Comparison c = enginetest::CompareRuns(runA, runB);
        const char* names[] = {"kerma +50 cm above", "dose  +50 cm above", "kerma centre      ",
            "dose  centre      ", "kerma 50 cm below ", "dose  50 cm below "};
        std::printf(
            "A: %s (%zu parts)\nB: %s (%zu parts)\n", a[0].c_str(), a.size() - 1, b[0].c_str(), b.size() - 1);
        std::printf("grid sums, B against A:\n");
        for (int grid = 0; grid < enginetest::kResultGrids; ++grid) {
            const std::size_t g = static_cast<std::size_t>(grid);
            std::printf(
                "  %s  %+8.4f %%  %5.2f sigma\n", names[grid], 100.0 * c.sumDeviation[g], c.sumSigmas[g]);
        }
        std::printf("cells holding >= 1 %% of their grid's largest value: %d\n", c.cells);
        std::printf("  beyond 3 sigma: %d (%.3f %%), beyond 4 sigma: %d (%.3f %%), largest %.2f sigma\n",
            c.cellsBeyond3, 100.0 * c.cellsBeyond3 / c.cells, c.cellsBeyond4,
            100.0 * c.cellsBeyond4 / c.cells, c.largestSigmas);
        std::printf("side scatter at 1 m: %+.3f %% (%.2f sigma)\n", 100.0 * c.sideDeviation, c.sideSigmas);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
