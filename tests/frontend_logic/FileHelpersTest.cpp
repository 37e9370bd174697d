#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "logic/files/AtomicWrite.h"
#include "logic/problem/Problem.h"
#include "logic/start/EngineLocator.h"

#include "TempFolder.h"

using namespace brisca;

namespace {

namespace fs = std::filesystem;

class FileHelpersTest : public testsupport::TempFolderTest {
protected:
    int EntriesInFolder() const
    {
        return static_cast<int>(std::distance(fs::directory_iterator(folder_), {}));
    }
};

TEST_F(FileHelpersTest, WritesTheExactBytesAndReplacesAnOldFile)
{
    const fs::path target = folder_ / "B2F.txt";
    std::ofstream(target) << "an older, longer job file that must disappear completely";
    const std::string text = "2.006E-03\r\n90.0\r\n臥位.dsr5\r\n";
    EXPECT_FALSE(WriteTextFileAtomically(target, text));
    EXPECT_EQ(Read(target), text);
    EXPECT_EQ(EntriesInFolder(), 1) << "no temporary file is left behind";
}

TEST_F(FileHelpersTest, FailureLeavesNothingBehind)
{
    const fs::path missingFolder = folder_ / "missing" / "B_SPCTL.dat";
    const std::optional<Problem> missing = WriteTextFileAtomically(missingFolder, "x");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->file, "B_SPCTL.dat");
    EXPECT_EQ(EntriesInFolder(), 0);

    // A folder in the way of the file: the temporary is written, the rename fails.
    fs::create_directories(folder_ / "B2F.txt" / "inside");
    const std::optional<Problem> blocked = WriteTextFileAtomically(folder_ / "B2F.txt", "x");
    ASSERT_TRUE(blocked);
    EXPECT_EQ(blocked->file, "B2F.txt");
    EXPECT_EQ(EntriesInFolder(), 1) << "only the folder that was already there";
}

TEST_F(FileHelpersTest, EngineIsFoundBesideTheProgramFirst)
{
    const fs::path programs = folder_ / "bin";
    const fs::path work = folder_ / "work";
    fs::create_directories(programs);
    fs::create_directories(work);
    const std::string name = ProgramFileName("mcstand");

    EXPECT_FALSE(LocateEngine("mcstand", programs, work)) << "nowhere yet";
    fs::create_directories(programs / ProgramFileName("mcsupine"));
    EXPECT_FALSE(LocateEngine("mcsupine", programs, work)) << "a folder is not a program";

    std::ofstream(work / name) << "engine in the working folder";
    EXPECT_EQ(LocateEngine("mcstand", programs, work), work / name);

    std::ofstream(programs / name) << "engine beside the program";
    EXPECT_EQ(LocateEngine("mcstand", programs, work), programs / name);
    EXPECT_EQ(LocateEngine("mcstand", fs::path(), work), work / name) << "no program folder known";
}

// Every message reaches the user in the engines' one form, the file by its bare name and
// echoed safely, the English part only where there is one.
TEST(Problem, RenderedTheWayTheEnginesRenderTheirs)
{
    const struct {
        Problem problem;
        const char* shown;
    } cases[] = {
        {RecordProblem("/tmp/F2B.dat", 12, "「x」は数値ではありません", "\"x\" is not a number"),
            "F2B.dat の 12 行目: 「x」は数値ではありません [F2B.dat, record 12: \"x\" is not a number]"},
        {FileProblem("Air.eac", "を開けません", "the file cannot be opened"),
            "Air.eac を開けません [Air.eac: the file cannot be opened]"},
        {PlainProblem("不明なオプション", "unknown option"), "不明なオプション [unknown option]"},
        {PlainProblem(" 照射野（透視時）は 30×30 以下に設定して下さい "),
            " 照射野（透視時）は 30×30 以下に設定して下さい "},
        {RecordProblem("plan.Room", 3, "行がありません"), "plan.Room の 3 行目: 行がありません"},
        {FileProblem("a\nb.csv", "を開けません"), "a\\x0Ab.csv を開けません"},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageText(c.problem), c.shown);
}

} // namespace
