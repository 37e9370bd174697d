#include "engine/parallel/partial_result.h"
#include "engine_test_support.h"
#include "seed_spread.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

using enginetest::JobFolder;
using enginetest::ReadWholeFile;

const std::string kResult = "e2e-結果.dsr5";

// Per grid (kerma and dose at each height, in file order) the sum of its values, and the
// kerma summed over the 100 cm plane.
struct ResultSums {
    std::array<double, 6> grids{};
    double kermaAt100 = 0.0;
};

ResultSums SumResult(const std::string& text)
{
    ResultSums sums;
    std::istringstream in(text);
    std::string line;
    for (int skip = 0; skip < 12; ++skip) std::getline(in, line);
    for (int block = 0; block < 3; ++block) {
        std::getline(in, line); // height
        for (int quantity = 0; quantity < 2; ++quantity) {
            std::getline(in, line); // unit
            for (int b = 0; b < 61; ++b) {
                std::getline(in, line);
                for (int i = 0; i < 41; ++i) {
                    const double value =
                        std::strtod(line.substr(static_cast<std::size_t>(11 * i), 11).c_str(), nullptr);
                    sums.grids[static_cast<std::size_t>(2 * block + quantity)] += value;
                    if (quantity == 0 && i == 10) sums.kermaAt100 += value;
                }
            }
        }
    }
    return sums;
}

// The raw sum of one grid block of a slice, in units of the fixed-point step.
double BlockSum(const engine::PartialResult& part, int grid)
{
    const auto& cells = grid % 2 == 0 ? part.sums->kerma : part.sums->dose;
    double sum = 0.0;
    for (int cell = 0; cell < engine::Grids::kCells; ++cell)
        if (cell / (engine::Grids::kAlong * engine::Grids::kLateral) == grid / 2)
            sum += static_cast<double>(cells[cell]);
    return sum;
}

TEST(StatisticsTest, ChunkedStreamsAgreeWithTheSingleStreamWithinTheirErrors)
{
    // 6 × 10^5 histories at 50 to 51.5 keV: 32 chunks, dealt to 8 slices of 4 chunks each.
    JobFolder folder;
    for (int i = 1; i <= 300; ++i)
        folder.SetRecord("B_SPCTL.dat", i, i >= 100 && i <= 103 ? "0000.0, 1.00000" : "0000.0, 0.00000");
    folder.SetRecord("B2F.txt", 5, "6.000E+05");
    ASSERT_EQ(enginetest::RunEngineIn(folder).status, 0);
    const ResultSums single = SumResult(ReadWholeFile(folder.File(kResult)));

    // The slices are independent samples of an eighth of the job each; their spread gives
    // the error of the whole, and together they are the chunked result.
    constexpr int kSlices = 8;
    std::vector<engine::PartialResult> parts;
    for (int k = 1; k <= kSlices; ++k) {
        engine::RunOptions options;
        options.chunked = true;
        options.threads = 2;
        options.sliced = true;
        options.slice = {k, kSlices};
        ASSERT_EQ(enginetest::RunEngineIn(folder, engine::kStandingGeometry, options).status, 0);
        const std::string name = engine::PartialName(kResult, options.slice);
        parts.push_back(engine::ParsePartial(name, ReadWholeFile(folder.File(name))));
    }
    engine::RunOptions all;
    all.chunked = true;
    ASSERT_EQ(enginetest::RunEngineIn(folder, engine::kStandingGeometry, all).status, 0);
    const ResultSums chunked = SumResult(ReadWholeFile(folder.File(kResult)));

    for (int grid = 0; grid < 6; ++grid) {
        double sum = 0.0;
        double squares = 0.0;
        for (const auto& part : parts) {
            const double s = BlockSum(part, grid);
            sum += s;
            squares += s * s;
        }
        const double mean = sum / kSlices;
        const double sliceVariance = (squares - kSlices * mean * mean) / (kSlices - 1);
        const double relativeError = std::sqrt(kSlices * sliceVariance) / sum;
        const std::size_t g = static_cast<std::size_t>(grid);
        ASSERT_GT(chunked.grids[g], 0.0) << grid;
        // Two independent estimates: their difference has √2 times the error; four of those.
        EXPECT_LT(std::fabs(single.grids[g] / chunked.grids[g] - 1.0), 4.0 * std::sqrt(2.0) * relativeError)
            << "grid " << grid << ": single " << single.grids[g] << ", chunked " << chunked.grids[g]
            << ", relative error " << relativeError;
    }
    EXPECT_LT(std::fabs(single.kermaAt100 / chunked.kermaAt100 - 1.0), 0.02)
        << single.kermaAt100 << " " << chunked.kermaAt100;
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
