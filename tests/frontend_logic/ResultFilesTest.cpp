// Reading a result file's header and the refiner's grid file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "logic/result/DataProcessing.h"
#include "logic/result/ResultHeader.h"

namespace {

using namespace brisca;
namespace fs = std::filesystem;

class ResultFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ =
            fs::temp_directory_path() /
            ("brisca-result-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(folder_ / name, std::ios::binary) << text;
        return folder_ / name;
    }

    // A grid file as the refiner writes it, kerma value(k, c, r) and dose twice that; the
    // text is cut after `keep` characters when that is given.
    fs::path WriteGridFile(
        const std::function<double(int, int, int)>& value, std::size_t keep = std::string::npos)
    {
        std::string text;
        text.reserve(16'000'000);
        char field[16];
        for (int k = 1; k <= 3; ++k)
            for (double factor : {1.0, 2.0})
                for (int r = 1; r <= DisplayGrid::Rows; ++r) {
                    for (int c = 1; c <= DisplayGrid::Columns; ++c) {
                        std::snprintf(field, sizeof field, "%11.4E", factor * value(k, c, r));
                        text += field;
                    }
                    text += "\r\n";
                }
        return Write(records::kRefinedGridFile, text.substr(0, keep));
    }

    fs::path folder_;
};

TEST_F(ResultFilesTest, HeaderLabelsOfASupineAndAStandingResult)
{
    const fs::path supine =
        Write("supine.dsr5", "  1\r\n 0.1523E-01\r\n 75.0\r\n 20.0\r\n 15.0\r\n 80.0\r\n"
                             "2.5000\r\n 12.0\r\n  2.500\r\n  1.500\r\n  0.100\r\n 0.2E+06\r\n");
    ResultHeader header;
    ASSERT_EQ(ReadResultHeader(supine, header), "");
    EXPECT_EQ(header.patientPosition, PatientPosition::Supine);
    EXPECT_EQ(header.fsd, 75.0);
    const std::array<std::string, 12> supineLabels = {
        "臥位（垂直照射）", "1.523E-02", "75", "20", "15", "80", "2.5", "12", "2.5", "1.5", "0.1", "2.0E+05"};
    EXPECT_EQ(header.labels, supineLabels);

    // The standing engine's own result file, whose tube current overflowed its F6.4 field.
    std::ifstream engine(BRISCA_ENGINE_RESULT, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(engine)), std::istreambuf_iterator<char>());
    text.replace(text.find("2.5000"), 6, "******");
    ASSERT_EQ(ReadResultHeader(Write("standing.dsr5", text), header), "");
    EXPECT_EQ(header.patientPosition, PatientPosition::Standing);
    EXPECT_EQ(header.fsd, 90.0);
    const std::array<std::string, 12> standingLabels = {"立位（水平照射）", "1.523E-02", "90", "20", "20",
        "80", "******", "12", "2.5", "1.5", "0.1", "2.0E+05"};
    EXPECT_EQ(header.labels, standingLabels);
}

TEST_F(ResultFilesTest, UnreadableHeaderNamesTheFileAndLineAndKeepsTheLastHeader)
{
    ResultHeader header;
    header.fsd = 60.0;
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "cut.dsr5: the header ends before the patient position code (the file is empty)"},
        {"  2\r\n 0.1E-01\r\n 90.0\r\n",
            "cut.dsr5: the header ends before the first field side (after line 3)"},
        {"  2\r\n 0.1E-01\r\n*****\r\n", "cut.dsr5, line 3: \"*****\" is not a number (the FSD)"},
        {"  2\r\nabc\r\n", "cut.dsr5, line 2: \"abc\" is not a number (the free-air kerma rate)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadResultHeader(Write("cut.dsr5", c.text), header), c.message);
        EXPECT_EQ(header.fsd, 60.0);
    }
    EXPECT_EQ(ReadResultHeader(folder_ / "gone.dsr5", header), "gone.dsr5: the result file cannot be opened");
}

TEST_F(ResultFilesTest, CompleteGridFileGivesMaximaAndScales)
{
    // Largest kerma in column 381, row 601 of layer 3, which the map never paints.
    const fs::path file = WriteGridFile([](int k, int c, int r) { return k * 1.0 + c * 0.01 + r * 0.001; });
    const ProcessedResult result = ProcessRefinedGrids(file);
    ASSERT_EQ(result.outcome, ProcessingOutcome::Complete) << result.detail;
    EXPECT_DOUBLE_EQ(result.kermaGrid.At(2, 5, 7), 2.057);
    EXPECT_DOUBLE_EQ(result.doseGrid.At(2, 5, 7), 4.114);
    EXPECT_DOUBLE_EQ(result.kermaMax, 7.411);
    EXPECT_DOUBLE_EQ(result.doseMax, 14.822);
    EXPECT_DOUBLE_EQ(result.kermaScale[1], 5.25);
    EXPECT_DOUBLE_EQ(result.doseScale[1], 7.5);
}

TEST_F(ResultFilesTest, MissingCutOrZeroGridFileIsNotComplete)
{
    const auto value = [](int, int, int) { return 1.5; };
    EXPECT_EQ(
        ProcessRefinedGrids(folder_ / records::kRefinedGridFile).outcome, ProcessingOutcome::Incomplete);

    const std::size_t row = 381 * 11 + 2;
    const ProcessedResult cut = ProcessRefinedGrids(WriteGridFile(value, 1000 * row));
    EXPECT_EQ(cut.outcome, ProcessingOutcome::Incomplete);
    EXPECT_EQ(
        cut.detail, "F2B.dat: the file ends before the effective dose rate of layer 1, row 400, column 1");

    // The refiner is writing the very last value: "0.15" so far.
    const ProcessedResult last = ProcessRefinedGrids(WriteGridFile(value, 3606 * row - 9));
    EXPECT_EQ(last.outcome, ProcessingOutcome::Incomplete) << last.detail;

    const ProcessedResult zero = ProcessRefinedGrids(WriteGridFile([](int, int, int) { return 0.0; }));
    EXPECT_EQ(zero.outcome, ProcessingOutcome::AllZero);
    EXPECT_EQ(zero.detail, "F2B.dat: the result holds no positive air kerma rate");
}

} // namespace
