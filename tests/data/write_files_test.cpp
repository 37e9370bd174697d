// The generator replaces the tables only when every one of them could be written.
#include "write_files.h"

#include "table_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

using tabletest::Contents;
using tabletest::FreshFolder;

TEST(WriteAllOrNothing, WritesEveryFileByteForByte)
{
    const fs::path folder = FreshFolder("brisca-write");
    const std::string crlf = "a\r\nb\r\n";
    tablegen::WriteAllOrNothing({{(folder / "one").string(), crlf}, {(folder / "two").string(), ""}});
    EXPECT_EQ(Contents(folder / "one"), crlf);
    EXPECT_TRUE(fs::exists(folder / "two"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2);
    fs::remove_all(folder);
}

TEST(WriteAllOrNothing, FailureKeepsTheOldFilesAndLeavesNoTemporaries)
{
    const fs::path folder = FreshFolder("brisca-write");
    std::ofstream(folder / "one") << "old";
    EXPECT_THROW(tablegen::WriteAllOrNothing(
                     {{(folder / "one").string(), "new"}, {(folder / "missing" / "two").string(), "x"}}),
        std::runtime_error);
    EXPECT_EQ(Contents(folder / "one"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
    fs::remove_all(folder);
}

} // namespace
