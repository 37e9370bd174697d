// The generator replaces the tables only when every one of them could be written.
#include "write_files.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

using testsupport::ReadBytes;

TEST(WriteAllOrNothing, WritesEveryFileByteForByte)
{
    const testsupport::TempFolder temp("brisca-write");
    const fs::path& folder = temp.Path();
    const std::string crlf = "a\r\nb\r\n";
    tablegen::WriteAllOrNothing({{(folder / "one").string(), crlf}, {(folder / "two").string(), ""}});
    EXPECT_EQ(ReadBytes(folder / "one"), crlf);
    EXPECT_TRUE(fs::exists(folder / "two"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2);
}

TEST(WriteAllOrNothing, FailureKeepsTheOldFilesAndLeavesNoTemporaries)
{
    const testsupport::TempFolder temp("brisca-write");
    const fs::path& folder = temp.Path();
    testsupport::WriteBytes(folder / "one", "old");
    EXPECT_THROW(tablegen::WriteAllOrNothing(
                     {{(folder / "one").string(), "new"}, {(folder / "missing" / "two").string(), "x"}}),
        std::runtime_error);
    EXPECT_EQ(ReadBytes(folder / "one"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
}

} // namespace
