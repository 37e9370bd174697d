// The generator replaces the tables only when every one of them could be written.
#include "write_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

fs::path FreshFolder() {
  std::string pattern = (fs::temp_directory_path() / "brisca-write-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

TEST(WriteAllOrNothing, WritesEveryFileByteForByte) {
  const fs::path folder = FreshFolder();
  const std::string crlf = "a\r\nb\r\n";
  tablegen::WriteAllOrNothing({{(folder / "one").string(), crlf}, {(folder / "two").string(), ""}});
  EXPECT_EQ(Contents(folder / "one"), crlf);
  EXPECT_TRUE(fs::exists(folder / "two"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2);
  fs::remove_all(folder);
}

TEST(WriteAllOrNothing, FailureKeepsTheOldFilesAndLeavesNoTemporaries) {
  const fs::path folder = FreshFolder();
  std::ofstream(folder / "one") << "old";
  EXPECT_THROW(tablegen::WriteAllOrNothing({{(folder / "one").string(), "new"},
                                            {(folder / "missing" / "two").string(), "x"}}),
               std::runtime_error);
  EXPECT_EQ(Contents(folder / "one"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
  fs::remove_all(folder);
}

}  // namespace
