// What the tests of every component share: a fresh temporary folder and whole-file reads
// and writes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// A new empty folder under the system's temporary folder, made with mkdtemp so that no two
// tests, processes or checkouts running at once share it; removed with its contents on
// destruction.
class TempFolder {
public:
    explicit TempFolder(const std::string& stem = "brisca-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The whole contents of a file, bytes as they stand; "" when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// Writes `bytes` as the whole file, replacing any; fails the calling test when it cannot.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// A test with a fresh temporary folder of its own, folder_, and its files by name.
class TempFolderTest : public ::testing::Test {
protected:
    // Writes a file of the folder and returns its path.
    std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) const;
    // A file of the folder, "" when there is none.
    std::string Read(const std::filesystem::path& name) const { return ReadBytes(folder_ / name); }

    TempFolder temp_;
    const std::filesystem::path folder_ = temp_.Path();
};

} // namespace testsupport
