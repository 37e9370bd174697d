// Reading a result file's header and the refiner's grid file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "logic/result/DataProcessing.h"
#include "logic/result/ResultHeader.h"
#include "records/read_file.h"

#include "TempFolder.h"

namespace {

using namespace brisca;
namespace fs = std::filesystem;

class ResultFilesTest : public testsupport::TempFolderTest {
protected:
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
};

TEST_F(ResultFilesTest, HeaderLabelsOfASupineAndAStandingResult)
{
    const fs::path supine =
        Write("supine.dsr5", "  1\r\n 0.1523E-01\r\n 75.0\r\n 20.0\r\n 15.0\r\n 80.0\r\n"
                             "2.5000\r\n 12.0\r\n  2.500\r\n  1.500\r\n  0.100\r\n 0.2E+06\r\n");
    Expected<ResultHeader> read = ReadResultHeader(supine);
    ASSERT_TRUE(read);
    ResultHeader header = *read;
    EXPECT_EQ(header.patientPosition, PatientPosition::Supine);
    EXPECT_EQ(header.fsd, 75.0);
    const std::array<std::string, 12> supineLabels = {
        "臥位（垂直照射）", "1.523E-02", "75", "20", "15", "80", "2.5", "12", "2.5", "1.5", "0.1", "2.0E+05"};
    EXPECT_EQ(header.labels, supineLabels);

    // The standing engine's own result file, whose tube current overflowed its F6.4 field.
    std::string text = testsupport::ReadBytes(BRISCA_ENGINE_RESULT);
    text.replace(text.find("2.5000"), 6, "******");
    read = ReadResultHeader(Write("standing.dsr5", text));
    ASSERT_TRUE(read);
    header = *read;
    EXPECT_EQ(header.patientPosition, PatientPosition::Standing);
    EXPECT_EQ(header.fsd, 90.0);
    const std::array<std::string, 12> standingLabels = {"立位（水平照射）", "1.523E-02", "90", "20", "20",
        "80", "******", "12", "2.5", "1.5", "0.1", "2.0E+05"};
    EXPECT_EQ(header.labels, standingLabels);
}

// Japanese for the user, the English detail in brackets, the file and its line as the engines
// name them.
TEST_F(ResultFilesTest, UnreadableHeaderNamesTheFileAndLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "cut.dsr5 の見出しが 体位のコード の前で終わっています [cut.dsr5: the header ends before the "
             "patient position code (the file is empty)]"},
        {"  2\r\n 0.1E-01\r\n 90.0\r\n",
            "cut.dsr5 の見出しが 照射野の 1 辺目 の前で終わっています [cut.dsr5: the "
            "header ends before the first field side (after line 3)]"},
        {"  2\r\n 0.1E-01\r\n*****\r\n", "cut.dsr5 の 3 行目: 「*****」は数値ではありません（FSD） "
                                         "[cut.dsr5, record 3: \"*****\" is not a "
                                         "number (the FSD)]"},
        {"  2\r\nabc\r\n",
            "cut.dsr5 の 2 行目: 「abc」は数値ではありません（空中空気カーマ率） [cut.dsr5, record 2: "
            "\"abc\" is not a number (the free-air kerma rate)]"},
    };
    for (const auto& c : cases) {
        const Expected<ResultHeader> header = ReadResultHeader(Write("cut.dsr5", c.text));
        ASSERT_FALSE(header) << c.message;
        EXPECT_EQ(MessageText(header.Failure()), c.message);
    }
}

// A missing file, a folder and a file larger than any result are refused naming the file;
// the large one is not read on until memory runs out.
TEST_F(ResultFilesTest, MissingFolderAndOversizedFilesAreRefusedByName)
{
    fs::create_directory(folder_ / "folder.dsr5");
    fs::resize_file(Write("huge.dsr5", ""), records::kMaxInputBytes + 1);
    const std::pair<const char*, const char*> cases[] = {
        {"gone.dsr5",
            "gone.dsr5 を開けません（ファイルがありません） [gone.dsr5: the file cannot be opened (No "
            "such file or directory)]"},
        {"folder.dsr5",
            "folder.dsr5 はフォルダです（ファイルではありません） [folder.dsr5: is a folder, not a file]"},
        {"huge.dsr5", "huge.dsr5 が大きすぎます（64 MiB を超えています） [huge.dsr5: is larger than 64 MiB]"},
    };
    for (const auto& [name, message] : cases) {
        const Expected<ResultHeader> header = ReadResultHeader(folder_ / name);
        EXPECT_EQ(header ? "" : MessageText(header.Failure()), message);
    }
}

TEST_F(ResultFilesTest, CompleteGridFileGivesMaximaAndScales)
{
    // Largest kerma in column 381, row 601 of layer 3, which the map never paints.
    const fs::path file = WriteGridFile([](int k, int c, int r) { return k * 1.0 + c * 0.01 + r * 0.001; });
    const Expected<ProcessedResult> processed = ProcessRefinedGrids(file);
    ASSERT_TRUE(processed);
    const ProcessedResult& result = *processed;
    EXPECT_FALSE(result.noDose);
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
    EXPECT_FALSE(ProcessRefinedGrids(folder_ / records::kRefinedGridFile));

    const std::size_t row = 381 * 11 + 2;
    const Expected<ProcessedResult> cut = ProcessRefinedGrids(WriteGridFile(value, 1000 * row));
    ASSERT_FALSE(cut);
    EXPECT_EQ(MessageText(cut.Failure()),
        "F2B.dat が 高さ 1 の実効線量率、400 行 1 列 の前で終わっています [F2B.dat: the file ends before the "
        "effective dose rate of layer 1, row 400, column 1]");

    // The refiner is writing the very last value: "0.15" so far.
    const Expected<ProcessedResult> last = ProcessRefinedGrids(WriteGridFile(value, 3606 * row - 9));
    ASSERT_FALSE(last);
    EXPECT_EQ(last.Failure().record, 3606);

    // Whole, but without a dose: the grids are there, the legend is not.
    const Expected<ProcessedResult> zero =
        ProcessRefinedGrids(WriteGridFile([](int, int, int) { return 0.0; }));
    ASSERT_TRUE(zero);
    ASSERT_TRUE(zero->noDose);
    EXPECT_EQ(MessageText(*zero->noDose),
        "F2B.dat には正の空気カーマ率がありません [F2B.dat: the result holds no positive air kerma rate]");
}

} // namespace
