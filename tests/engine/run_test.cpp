#include "engine/input_files.h"
#include "engine/result_file.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

namespace {

using enginetest::JobFolder;
using enginetest::ReadWholeFile;

const char* const kResultName = "e2e-結果.dsr5";

std::string ExpectedResult() { return ReadWholeFile(std::string(BRISCA_E2E_DIR) + "/expected.dsr5"); }

std::string ProgressLines(int first, int last, int total)
{
    std::string text;
    for (int bin = first; bin <= last; ++bin) {
        char line[32];
        std::snprintf(line, sizeof line, " %3d / %3d\n", bin, total);
        text += line;
    }
    return text;
}

TEST(RunTest, WholeRunReproducesTheExpectedFileAndConsole)
{
    JobFolder folder;
    const enginetest::RunOutcome outcome = enginetest::RunEngineIn(folder);
    ASSERT_EQ(outcome.status, 0) << outcome.console;
    EXPECT_TRUE(ReadWholeFile(folder.File(kResultName)) == ExpectedResult())
        << "result differs from e2e/expected.dsr5";

    const std::string expectedConsole = std::string(" \n \n") +
                                        "       ***  モンテカルロシミュレーション  ***\n \n"
                                        "             Ｘ線透視室内の散乱線分布\n"
                                        "               立位（Ｘ線：水平方向）\n \n"
                                        "   ---   Enter キーを押すと計算が開始されます ---\n"
                                        "  <<< Monte Carlo Simulation >>>\n"
                                        "  Start time = 9: 5: 3\n" +
                                        ProgressLines(10, 119, 120) +
                                        " \n  Start time = 9: 5: 3\n \n"
                                        "  Finish time = 9: 5: 3\n \n"
                                        "   ---      計算結果を保存しました    ---\n \n"
                                        "   ---     Enter キーを押して下さい   ---\n"
                                        "Stop - Program terminated.\n";
    EXPECT_EQ(outcome.console, expectedConsole);
}

TEST(RunTest, ProgramRunsWithoutAConsoleInTheWorkingDirectory)
{
    JobFolder folder;
    const std::string command =
        "cd '" + folder.Path() + "' && '" + BRISCA_MCSTAND + "' </dev/null >console.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(ReadWholeFile(folder.File(kResultName)) == ExpectedResult());
    EXPECT_NE(
        ReadWholeFile(folder.File("console.txt")).find("Stop - Program terminated."), std::string::npos);
}

TEST(RunTest, ProgressRunsToTheLastBinEvenWhenBinsGetNoHistory)
{
    // Interaction table up to 200 keV, spectrum flat from 100 to 120 keV, only 300 photons:
    // most bins simulate nothing but every bin still reports.
    JobFolder folder;
    folder.SetRecord("ICRUSoft.dat", 7, "0.200E+00 0.800E-02 0.170E+00 0.300E-02");
    for (int i = 1; i <= 300; ++i)
        folder.SetRecord("B_SPCTL.dat", i, i >= 200 && i <= 240 ? "0000.0, 0.90000" : "0000.0, 0.00000");
    folder.SetRecord("B2F.txt", 5, "3.000E+02");
    const enginetest::RunOutcome outcome = enginetest::RunEngineIn(folder);
    ASSERT_EQ(outcome.status, 0) << outcome.console;
    EXPECT_NE(outcome.console.find("  Start time = 9: 5: 3\n" + ProgressLines(10, 240, 241) + " \n"),
        std::string::npos);

    const std::string result = ReadWholeFile(folder.File(kResultName));
    EXPECT_EQ(result.substr(0, 31), "  2\r\n 0.1523E-01\r\n 90.0\r\n 20.0\r");
    EXPECT_NE(result.find("\r\n 0.3E+03\r\n -50.0 cm\r\n  Gy/min\r\n"), std::string::npos);
}

TEST(RunTest, ResultHeaderAndScaling)
{
    // FSD 100 cm: record 2 is the tube output itself. Tube output 0 is valid: all zero, and
    // a negative zero writes no sign that would join neighbouring fields.
    JobFolder folder;
    folder.SetRecord("B2F.txt", 2, "100.0");
    folder.SetRecord("B2F.txt", 5, "2.000E+04");
    folder.SetRecord("B_SPCTL.dat", 303, "12.5"); // a current of 10 mA or more overflows F6.4
    for (const char* zeroOutput : {"0.000E+00", "-0"}) {
        folder.SetRecord("B2F.txt", 1, zeroOutput);
        ASSERT_EQ(enginetest::RunEngineIn(folder).status, 0) << zeroOutput;
        const std::string zero = ReadWholeFile(folder.File(kResultName));
        EXPECT_EQ(zero.substr(0, 54), "  2\r\n 0.0000E+00\r\n100.0\r\n 20.0\r\n 20.0\r\n 80.0\r\n******\r\n")
            << zeroOutput;
        EXPECT_EQ(zero.find("E-"), std::string::npos) << zeroOutput;
        EXPECT_EQ(zero.find('-'), zero.find("-50.0 cm")) << zeroOutput;
    }

    folder.SetRecord("B2F.txt", 1, "1.234E-02");
    ASSERT_EQ(enginetest::RunEngineIn(folder).status, 0);
    EXPECT_EQ(ReadWholeFile(folder.File(kResultName)).substr(0, 18), "  2\r\n 0.1234E-01\r\n");
}

TEST(RunTest, ResultReplacesAnOlderFileOnlyWhenComplete)
{
    JobFolder folder;
    // The name is taken by a folder: refused before any history.
    std::filesystem::create_directory(folder.File(kResultName));
    folder.SetRecord("B2F.txt", 5, "2.000E+03");
    const enginetest::RunOutcome failed = enginetest::RunEngineIn(folder);
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.console.find(
                  "B2F.txt, record 6: result file 'e2e-結果.dsr5' cannot be created (Is a directory)"),
        std::string::npos)
        << failed.console;
    EXPECT_EQ(failed.console.find("Monte Carlo Simulation"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File(kResultName)));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        EXPECT_NE(entry.path().extension(), ".tmp");
    }

    std::filesystem::remove(folder.File(kResultName));
    std::ofstream(folder.File(kResultName)) << "older result";
    EXPECT_EQ(enginetest::RunEngineIn(folder).status, 0);
    EXPECT_EQ(ReadWholeFile(folder.File(kResultName)).size(), ExpectedResult().size());
}

TEST(RunTest, ValueThatIsNotFiniteIsNeverWritten)
{
    JobFolder folder;
    const engine::Tables tables = engine::LoadTables(folder.Path());
    auto grids = std::make_unique<engine::Grids>();
    EXPECT_NO_THROW(engine::FormatResult(tables, engine::kStandingGeometry, *grids));
    grids->dose[engine::Grids::Index(1, 30, 2)] = std::numeric_limits<float>::quiet_NaN();
    try {
        engine::FormatResult(tables, engine::kStandingGeometry, *grids);
        ADD_FAILURE() << "a NaN was formatted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("the value of dose (block 2, 0 cm, 20 cm) is not finite"),
            std::string::npos)
            << e.what();
    }
}

} // namespace
