#include "engine/parallel/merge_parts.h"
#include "engine/parallel/partial_result.h"
#include "engine_test_support.h"
#include "result_comparison.h"
#include "seed_spread.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

namespace {

using enginetest::JobFolder;
using enginetest::ReadBytes;

const std::string kResult = "e2e-結果.dsr5";

// The physics of the chunked mode against the single stream's, on the shipped tables: six
// energies from 15 to 140 keV of equal intensity, 1.44E+06 histories, so that every energy
// gets 12 chunks and each of 12 slices one chunk of each; the slices' spread gives the errors.
// The thresholds are looser than those of the full check in docs/engine-speed.md (2E+08
// histories: sums within 3 errors, at most 0.5 % of the cells beyond 4, side scatter within
// 1 %), since twelve slices estimate each error only to about a fifth.
TEST(StatisticsTest, ChunkedModeSamplesTheSingleStreamsPhysics)
{
    JobFolder folder;
    for (const char* table : {"ICRUSoft.dat", "Air.eac", "Ak2Sv.dat"}) {
        std::filesystem::copy_file(std::string(BRISCA_DATA_DIR) + "/" + table, folder.File(table),
            std::filesystem::copy_options::overwrite_existing);
    }
    for (int i = 1; i <= 300; ++i) {
        const bool used = i == 30 || i == 50 || i == 80 || i == 120 || i == 180 || i == 280;
        folder.SetRecord("B_SPCTL.dat", i, used ? "0000.0, 1.00000" : "0000.0, 0.00000");
    }
    folder.SetRecord("B2F.txt", 5, "1.440E+06");

    ASSERT_EQ(enginetest::RunEngineIn(folder).status, 0);
    const enginetest::ComparedRun single = enginetest::ReadResultValues(ReadBytes(folder.File(kResult)));

    constexpr int kSlices = 12;
    std::vector<engine::PartialResult> parts;
    std::vector<std::string> names;
    for (int k = 1; k <= kSlices; ++k) {
        engine::RunOptions options;
        options.chunked = true;
        options.threads = 2;
        options.sliced = true;
        options.slice = {k, kSlices};
        ASSERT_EQ(enginetest::RunEngineIn(folder, engine::kStandingGeometry, options).status, 0);
        names.push_back(folder.File(engine::PartialName(kResult, options.slice)));
        parts.push_back(engine::ParsePartial(names.back(), ReadBytes(names.back())));
    }
    std::ostringstream messages;
    ASSERT_EQ(engine::MergeParts(names, folder.File("chunked.dsr5"), messages), 0) << messages.str();
    const enginetest::ComparedRun chunked =
        enginetest::ReadResultWithSliceErrors(ReadBytes(folder.File("chunked.dsr5")), parts);

    const enginetest::Comparison c = enginetest::CompareRuns(single, chunked);
    for (int grid = 0; grid < enginetest::kResultGrids; ++grid) {
        EXPECT_LT(c.sumSigmas[static_cast<std::size_t>(grid)], 4.0)
            << "grid " << grid << ": " << 100.0 * c.sumDeviation[static_cast<std::size_t>(grid)] << " %";
    }
    ASSERT_GT(c.cells, 1000);
    EXPECT_LE(c.cellsBeyond4, c.cells / 50) << c.cells << " cells, largest " << c.largestSigmas << " sigma";
    EXPECT_LT(c.sideSigmas, 4.0) << 100.0 * c.sideDeviation << " %";
}

TEST(StatisticsTest, IndependentSeedsSpreadAsTheirUncertaintyFilesSay)
{
    // Ten repeats of 10^5 histories: over the cells holding 1 % of their block's largest
    // rate, the repeats' spread agrees with the errors that each repeat's file estimates. The
    // estimate is a little large (the bins are stratified) and ten repeats' standard
    // deviation a little small (its median is 0.96 of the true one): about 0.93 is expected.
    JobFolder folder;
    folder.SetRecord("B2F.txt", 5, "1.000E+05");
    const std::vector<enginetest::CellSpread> cells = enginetest::SeedSpread(folder.Path(), kResult, 10, 2);
    EXPECT_GT(cells.size(), 3000u);
    const double median = enginetest::MedianRatio(cells);
    EXPECT_GT(median, 0.85);
    EXPECT_LT(median, 1.15);
}

} // namespace
