#include "engine/input_files.h"
#include "engine/result_file.h"
#include "engine_test_support.h"
#include "records/atomic_file.h"
#include "records/uncertainty_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>

namespace {

using enginetest::JobFolder;
using enginetest::ReadBytes;

const char* const kResultName = "e2e-結果.dsr5";
const char* const kErrorsName = "e2e-結果.dsrE";

std::string ExpectedResult() { return ReadBytes(std::string(BRISCA_E2E_DIR) + "/expected.dsr5"); }

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
    EXPECT_TRUE(ReadBytes(folder.File(kResultName)) == ExpectedResult())
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

TEST(RunTest, ChunkedRunReproducesItsExpectedFileOnAnyThreadCount)
{
    const std::string expected = ReadBytes(std::string(BRISCA_E2E_DIR) + "/expected-chunked.dsr5");
    std::string errors;
    for (const int threads : {1, 2}) {
        JobFolder folder;
        engine::RunOptions options;
        options.chunked = true;
        options.threads = threads;
        ASSERT_EQ(enginetest::RunEngineIn(folder, engine::kStandingGeometry, options).status, 0);
        EXPECT_TRUE(ReadBytes(folder.File(kResultName)) == expected)
            << "result differs from e2e/expected-chunked.dsr5 on " << threads << " threads";
        const std::string written = ReadBytes(folder.File(kErrorsName));
        ASSERT_FALSE(written.empty());
        if (errors.empty()) errors = written;
        EXPECT_TRUE(written == errors) << "uncertainty file differs on " << threads << " threads";
    }
}

TEST(RunTest, ProgramRunsWithoutAConsoleInTheWorkingDirectory)
{
    JobFolder folder;
    const std::string command =
        "cd '" + folder.Path() + "' && '" + BRISCA_MCSTAND + "' </dev/null >console.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(ReadBytes(folder.File(kResultName)) == ExpectedResult());
    EXPECT_NE(ReadBytes(folder.File("console.txt")).find("Stop - Program terminated."), std::string::npos);
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

    const std::string result = ReadBytes(folder.File(kResultName));
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
        const std::string zero = ReadBytes(folder.File(kResultName));
        EXPECT_EQ(zero.substr(0, 54), "  2\r\n 0.0000E+00\r\n100.0\r\n 20.0\r\n 20.0\r\n 80.0\r\n******\r\n")
            << zeroOutput;
        EXPECT_EQ(zero.find("E-"), std::string::npos) << zeroOutput;
        EXPECT_EQ(zero.find('-'), zero.find("-50.0 cm")) << zeroOutput;
    }

    folder.SetRecord("B2F.txt", 1, "1.234E-02");
    ASSERT_EQ(enginetest::RunEngineIn(folder).status, 0);
    EXPECT_EQ(ReadBytes(folder.File(kResultName)).substr(0, 18), "  2\r\n 0.1234E-01\r\n");
}

TEST(RunTest, ResultReplacesAnOlderFileOnlyWhenComplete)
{
    // Either name taken by a folder: refused before any history, and neither file written.
    const struct {
        const char* blocked;
        std::string message;
    } cases[] = {
        {kResultName, "B2F.txt, record 6: result file 'e2e-結果.dsr5' cannot be created (Is a directory)"},
        {kErrorsName,
            "B2F.txt, record 6: uncertainty file 'e2e-結果.dsrE' cannot be created (Is a directory)"},
    };
    for (const auto& c : cases) {
        JobFolder folder;
        std::filesystem::create_directory(folder.File(c.blocked));
        folder.SetRecord("B2F.txt", 5, "2.000E+03");
        const enginetest::RunOutcome failed = enginetest::RunEngineIn(folder);
        EXPECT_EQ(failed.status, 1);
        EXPECT_NE(failed.console.find(c.message), std::string::npos) << failed.console;
        EXPECT_EQ(failed.console.find("Monte Carlo Simulation"), std::string::npos);
        EXPECT_TRUE(std::filesystem::is_directory(folder.File(c.blocked)));
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            EXPECT_NE(entry.path().extension(), ".tmp");
            EXPECT_TRUE(
                entry.path().filename() == c.blocked || !entry.path().filename().string().starts_with("e2e-"))
                << entry.path();
        }
    }

    JobFolder folder;
    std::ofstream(folder.File(kResultName)) << "older result";
    EXPECT_EQ(enginetest::RunEngineIn(folder).status, 0);
    EXPECT_EQ(ReadBytes(folder.File(kResultName)).size(), ExpectedResult().size());
    const auto errors = std::make_unique<records::RelativeErrors>();
    EXPECT_EQ(records::ReadUncertaintyFile(folder.File(kErrorsName), *errors), "");
}

TEST(RunTest, AResultThatCannotBePutInPlaceTakesItsNewErrorsAway)
{
    // The result's name becomes a folder while both temporaries are written: the errors,
    // put in place first, must not stay beside the older result.
    JobFolder folder;
    const std::string result = folder.File(kResultName);
    const std::string errors = folder.File(kErrorsName);
    std::ofstream(errors) << "older errors";
    records::PendingFile resultFile(result);
    records::PendingFile errorsFile(errors);
    ASSERT_FALSE(resultFile.Append("result"));
    ASSERT_FALSE(errorsFile.Append("errors"));
    std::filesystem::create_directories(result + "/taken");
    const std::optional<std::string> failure =
        engine::CommitResultFiles(resultFile, result, errorsFile, errors);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("the result file cannot be put in place"), std::string::npos) << *failure;
    EXPECT_FALSE(enginetest::FileExists(errors));
}

TEST(RunTest, ValueThatIsNotFiniteIsNeverWritten)
{
    JobFolder folder;
    const engine::Tables tables = engine::LoadTables(folder.Path());
    auto grids = std::make_unique<engine::Grids>();
    EXPECT_NO_THROW(engine::FormatResult(tables, engine::kStandingGeometry, *grids, 0));
    grids->dose[engine::Grids::Index(1, 30, 2)] = std::numeric_limits<float>::quiet_NaN();
    try {
        engine::FormatResult(tables, engine::kStandingGeometry, *grids, 0);
        ADD_FAILURE() << "a NaN was formatted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("the value of dose (block 2, 0 cm, 20 cm) is not finite"),
            std::string::npos)
            << e.what();
    }
}

} // namespace
