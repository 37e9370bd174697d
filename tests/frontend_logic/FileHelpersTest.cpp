#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "logic/files/AtomicWrite.h"
#include "logic/start/EngineLocator.h"

using namespace brisca;

namespace {

namespace fs = std::filesystem;

class FileHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ =
            fs::temp_directory_path() /
            ("brisca-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static std::string Read(const fs::path& path)
    {
        std::ifstream stream(path, std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    int EntriesInFolder() const
    {
        return static_cast<int>(std::distance(fs::directory_iterator(folder_), {}));
    }

    fs::path folder_;
};

TEST_F(FileHelpersTest, WritesTheExactBytesAndReplacesAnOldFile)
{
    const fs::path target = folder_ / "B2F.txt";
    std::ofstream(target) << "an older, longer job file that must disappear completely";
    const std::string text = "2.006E-03\r\n90.0\r\n臥位.dsr5\r\n";
    EXPECT_EQ(WriteTextFileAtomically(target, text), "");
    EXPECT_EQ(Read(target), text);
    EXPECT_EQ(EntriesInFolder(), 1) << "no temporary file is left behind";
}

TEST_F(FileHelpersTest, FailureLeavesNothingBehind)
{
    const fs::path missingFolder = folder_ / "missing" / "B_SPCTL.dat";
    const std::string missing = WriteTextFileAtomically(missingFolder, "x");
    EXPECT_NE(missing.find("B_SPCTL.dat"), std::string::npos) << missing;
    EXPECT_EQ(EntriesInFolder(), 0);

    // A folder in the way of the file: the temporary is written, the rename fails.
    fs::create_directories(folder_ / "B2F.txt" / "inside");
    const std::string blocked = WriteTextFileAtomically(folder_ / "B2F.txt", "x");
    EXPECT_NE(blocked.find("B2F.txt"), std::string::npos) << blocked;
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

} // namespace
