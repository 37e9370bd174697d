#include "engine/input_files.h"
#include "engine/parallel/precision_run.h"
#include "engine/result_file.h"
#include "engine/uncertainty.h"
#include "engine_test_support.h"
#include "records/uncertainty_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

namespace {

using records::uncertainty_layout::kNotScored;

TEST(UncertaintyTest, RelativeErrorOfTheMeanScore)
{
    const struct {
        double sum;
        double squares;
        long long histories;
        double expected;
    } cases[] = {
        {0.0, 0.0, 1000, -1.0},                                   // no score: no estimate
        {2.5, 6.25, 1000, 1.0},                                   // one score alone: 100 %
        {2.5, 6.25, 1, 1.0},                                      // one history, which scored
        {6.0, 18.0, 4, std::sqrt(1.0 / 3.0)},                     // two scores of 3 in four histories
        {7.0, 25.0, 10, std::sqrt((250.0 / 49.0 - 1.0) / 9.0)},   // scores 3 and 4 in ten histories
        {40.0, 400.0, 4, 0.0},                                    // every history scored alike
        {1e6, 1000.1, 1000000000, std::sqrt(0.0001 / (1e9 - 1))}, // nearly alike in 10^9
    };
    for (const auto& c : cases)
        EXPECT_NEAR(engine::RelativeError(c.sum, c.squares, c.histories), c.expected, 1e-12)
            << c.sum << " " << c.squares << " " << c.histories;
}

class UncertaintyFileTest : public ::testing::Test {
protected:
    // The uncertainty file of `grids` after `histories` histories, read back.
    std::string Written(long long histories) const
    {
        return engine::FormatUncertainty(tables, engine::kStandingGeometry, *grids, histories);
    }

    enginetest::JobFolder folder;
    engine::Tables tables = engine::LoadTables(folder.Path());
    std::unique_ptr<engine::Grids> grids = std::make_unique<engine::Grids>();
    std::unique_ptr<records::RelativeErrors> read = std::make_unique<records::RelativeErrors>();
};

TEST_F(UncertaintyFileTest, ACellWithOneScoreReportsOneHundredPercent)
{
    // One crossing of the centre height at 0 cm along the axis, 40 cm out; a second cell
    // scored twice alike in four histories.
    engine::GridScorer scorer(tables, engine::kStandingGeometry, *grids);
    scorer.ScorePlane(1, 4, 0.0f, 0.0f, 3.0f, 1.5f);
    scorer.ScorePlane(2, 7, 100.0f, 0.0f, 2.0f, 1.5f);
    scorer.ScorePlane(2, 7, 100.0f, 0.0f, 2.0f, 1.5f);
    const std::string text = Written(4);
    ASSERT_EQ(records::ReadUncertaintyText("e2e.dsrE", text, *read), "");
    EXPECT_EQ(read->geometryCode, 2);
    EXPECT_EQ(read->kerma[1].rows[30][4], 100.0f);
    EXPECT_EQ(read->dose[1].rows[30][4], 100.0f);
    EXPECT_NEAR(read->kerma[2].rows[40][7], 57.74f, 0.005f);
    int marked = 0;
    for (const auto& layer : read->kerma)
        for (const auto& row : layer.rows)
            for (const float value : row) marked += value == kNotScored ? 1 : 0;
    EXPECT_EQ(marked, 3 * 61 * 41 - 2);
    // Every field, the mark included, is parted from the one before by a blank.
    EXPECT_NE(text.find("\r\n -.1000E+01 -.1000E+01 "), std::string::npos);
    EXPECT_EQ(text.substr(0, 33), "  2  relative standard error, %\r\n");
}

TEST_F(UncertaintyFileTest, ReaderNamesTheFileAndRecordOfEveryFault)
{
    grids->kerma.fill(1.0);
    grids->kermaSquares.fill(0.5);
    grids->dose.fill(1.0);
    grids->doseSquares.fill(0.5);
    const std::string valid = Written(100);
    std::vector<std::string> records;
    std::istringstream lines(valid);
    for (std::string line; std::getline(lines, line);) records.push_back(line.substr(0, line.size() - 1));
    ASSERT_EQ(records.size(), 387u);
    // Record 15 is block 1's first kerma row, 77 the first dose row.
    const struct {
        int record;          // 1-based record replaced, or cut before when `text` is empty
        std::string text;    // its new content (CR kept by the caller)
        std::string message; // a part of the refusal
    } cases[] = {
        {387, "", "e2e.dsrE, record 387: missing: the file ends early (an uncertainty file has 387 records)"},
        {1, "  2", "record 1: not the heading of an uncertainty file"},
        {1, "  3  relative standard error, %", "record 1: not the heading of an uncertainty file"},
        {14, "  Gy/min", "record 14: not the uncertainty file's label '  % of Gy/min'"},
        {76, "  Sv/min", "record 76: not the uncertainty file's label '  % of Sv/min'"},
        {15, " 0.1000E+02", "record 15: the record holds 11 columns; 41 fields need 451"},
        {15, "        NaN" + records[14].substr(11), "record 15: columns 1-11: '        NaN'"},
        {77, records[76].substr(0, 440) + " -.2000E+01",
            "record 77: columns 441-451: ' -.2000E+01' is neither"},
        {20, " 0.1001E+03" + records[19].substr(11), "record 20: columns 1-11: ' 0.1001E+03' is neither"},
        {20, " 0.1E+999  " + records[19].substr(11), "record 20: columns 1-11"},
    };
    for (const auto& c : cases) {
        std::string text;
        for (int k = 1; k <= static_cast<int>(records.size()); ++k) {
            if (k == c.record && c.text.empty()) break;
            text += (k == c.record ? c.text + "\r" : records[static_cast<std::size_t>(k - 1)]) + "\n";
        }
        read->kerma[0].rows[0][0] = 7.0f;
        const std::string message = records::ReadUncertaintyText("folder/e2e.dsrE", text, *read);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.find("folder/"), std::string::npos) << message;
        EXPECT_EQ(read->kerma[0].rows[0][0], 7.0f) << "a refused file leaves the errors as they were";
    }
    EXPECT_NE(records::ReadUncertaintyFile(folder.File("absent.dsrE"), *read).find("absent.dsrE"),
        std::string::npos);
    EXPECT_EQ(records::ReadUncertaintyText("e2e.dsrE", valid, *read), "");
    // Two scores of 0.5 in 100 histories: √((100 × 0.5 / 1 − 1) / 99).
    EXPECT_NEAR(read->dose[2].rows[60][40], 100.0 * std::sqrt(49.0 / 99.0), 0.005);
}

TEST(UncertaintyFileNameTest, DerivedFromTheResultName)
{
    const struct {
        const char* result;
        const char* errors;
    } cases[] = {
        {"chest.dsr5", "chest.dsrE"},
        {"chest.dsrC", "chest.dsrE"},
        {"run/胸部.dsr5", "run/胸部.dsrE"},
        {"chest", "chest.dsrE"},
        {"chest.txt", "chest.txt.dsrE"},
        {"chest.dsrE", "chest.dsrE.dsrE"},
        {".dsr5", ".dsr5.dsrE"},
        {"chest.DSR5", "chest.DSR5.dsrE"},
    };
    for (const auto& c : cases) EXPECT_EQ(records::UncertaintyFileName(c.result), c.errors) << c.result;
}

TEST(FineRelativeErrorTest, LargestOfTheCellsTheRefinedValueComesFrom)
{
    records::ErrorLayers layers{};
    auto& rows = layers[1].rows;
    rows[30][4] = 3.0f; // 0 cm along, 40 cm lateral
    rows[30][5] = 8.0f; // 0 cm, 50 cm
    rows[31][4] = 5.0f; // 10 cm, 40 cm
    rows[31][5] = 2.0f; // 10 cm, 50 cm
    rows[32][4] = kNotScored;
    rows[60][40] = 9.0f; // the far corner
    const struct {
        int layer, column, row;
        float expected;
    } cases[] = {
        {2, 20, 300, 3.0f},       // on the node 40 cm, 0 cm
        {2, 25, 300, 8.0f},       // between 40 and 50 cm laterally
        {2, 20, 305, 5.0f},       // between 0 and 10 cm along the axis
        {2, 23, 304, 8.0f},       // among all four
        {2, 30, 310, 2.0f},       // on the node 50 cm, 10 cm
        {2, 20, 315, kNotScored}, // toward a cell without score
        {2, 380, 600, 9.0f},      // 400 cm, +300 cm
        {2, 381, 601, 9.0f},      // the edges repeat it
        {1, 20, 300, 0.0f},       // another layer
        {0, 20, 300, kNotScored}, // outside the display's indices
        {2, 382, 300, kNotScored},
        {2, 20, 0, kNotScored},
    };
    for (const auto& c : cases)
        EXPECT_EQ(records::FineRelativeError(layers, c.layer, c.column, c.row), c.expected)
            << c.layer << " " << c.column << " " << c.row;
}

TEST(PrecisionRoundsTest, EveryRoundSamplesEveryBinInProportion)
{
    // Bins of very different sizes, one with fewer histories than rounds.
    enginetest::JobFolder folder;
    for (int i = 1; i <= 300; ++i)
        folder.SetRecord("B_SPCTL.dat", i,
            i == 60                ? "0000.0, 0.00001"
            : i >= 100 && i <= 103 ? "0000.0, 1.00000"
                                   : "0000.0, 0.00000");
    folder.SetRecord("B2F.txt", 5, "3.000E+06");
    const engine::Tables tables = engine::LoadTables(folder.Path());
    const engine::PrecisionRounds rounds = engine::MakePrecisionRounds(tables);
    const long long total = engine::JobHistories(tables);
    ASSERT_GT(rounds.chunks.size(), 5u);
    std::array<long long, 301> run{};
    for (std::size_t r = 0; r < rounds.chunks.size(); ++r) {
        for (const engine::Chunk& chunk : rounds.chunks[r]) {
            EXPECT_LE(chunk.histories, engine::kChunkHistories);
            EXPECT_GE(chunk.index, 1LL << 40) << "a stream of the whole-job layout";
            run[static_cast<std::size_t>(chunk.bin)] += chunk.histories;
        }
        EXPECT_EQ(run, rounds.binHistories[r]) << r;
        const double share = static_cast<double>(rounds.histories[r]) / static_cast<double>(total);
        for (int bin = engine::Spectrum::kFirstBin; bin <= tables.spectrum.lastBin; ++bin) {
            const double binTotal = static_cast<double>(engine::BinHistories(tables, bin));
            // One history of rounding in the bin, and the job's own rounding spread over it.
            EXPECT_LE(
                std::fabs(static_cast<double>(run[static_cast<std::size_t>(bin)]) - share * binTotal), 2.0)
                << "round " << r << ", bin " << bin;
        }
    }
    EXPECT_NEAR(rounds.histories.front(), engine::kFirstRoundHistories, 5);
    EXPECT_EQ(rounds.histories.back(), total);
}

} // namespace
