#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "logic/files/UserFolder.h"

#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;

// A prefix with bin/ and share/brisca/, a home folder and a start folder, all in a fresh
// temporary folder.
class UserFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const fs::path& folder : {bin(), home(), start()}) fs::create_directories(folder);
    }

    fs::path bin() const { return root_ / "usr" / "bin"; }
    fs::path shared() const { return root_ / "usr" / "share" / "brisca"; }
    fs::path home() const { return root_ / "home"; }
    fs::path start() const { return root_ / "tmp"; }

    static void Write(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        testsupport::WriteBytes(path, text);
    }
    static void FillShipped(const fs::path& folder, const std::string& tag)
    {
        for (std::string_view name : records::kShippedFiles) Write(folder / name, tag + std::string(name));
    }

    testsupport::TempFolder temp_{"brisca-user"};
    const fs::path root_ = temp_.Path();
};

TEST_F(UserFolderTest, InstalledFilesLieInShareBesideBin)
{
    EXPECT_EQ(brisca::InstalledFilesFolder(bin()), shared());
}

TEST_F(UserFolderTest, StaysWhereTheTablesAreOrNothingIsInstalled)
{
    // Not installed: the start folder stays, even without tables, and no user folder appears.
    EXPECT_EQ(*brisca::ChooseWorkingFolder(start(), bin(), home()), start());
    // A prepared folder (as `make run` makes it) is used even when an installed copy exists.
    FillShipped(shared(), "installed ");
    FillShipped(start(), "local ");
    EXPECT_EQ(*brisca::ChooseWorkingFolder(start(), bin(), home()), start());
    EXPECT_FALSE(fs::exists(home() / "Brisca"));
}

TEST_F(UserFolderTest, InstalledStartFillsTheUserFolderAndKeepsWhatIsThere)
{
    FillShipped(shared(), "installed ");
    Write(home() / "Brisca" / "old.dsr5", "result");
    Write(home() / "Brisca" / "MUs.dat", "edited by the user");

    EXPECT_EQ(*brisca::ChooseWorkingFolder(start(), bin(), home()), home() / "Brisca");

    for (std::string_view name : records::kShippedFiles) {
        const std::string expected =
            name == "MUs.dat" ? "edited by the user" : "installed " + std::string(name);
        EXPECT_EQ(testsupport::ReadBytes(home() / "Brisca" / name), expected) << name;
    }
    EXPECT_EQ(testsupport::ReadBytes(home() / "Brisca" / "old.dsr5"), "result");
    EXPECT_EQ(std::distance(fs::directory_iterator(home() / "Brisca"), {}), 7) << "no temporary copies left";
}

TEST_F(UserFolderTest, AFolderThatCannotBeMadeIsReported)
{
    FillShipped(shared(), "installed ");
    Write(home() / "Brisca", "a file in the way");
    const brisca::Expected<fs::path> folder = brisca::ChooseWorkingFolder(start(), bin(), home());
    ASSERT_FALSE(folder);
    const std::string message = brisca::MessageText(folder.Failure());
    EXPECT_EQ(message.rfind("フォルダ " + (home() / "Brisca").string() + " を作れません [", 0), 0u)
        << message;
}

} // namespace
