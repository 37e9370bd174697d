#include "refiner/fine_file.h"
#include "refiner/result_name.h"
#include "refiner/run.h"
#include "work_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace refiner {
namespace {

TEST(ResultNameFromLine, KeepsThirtyCodePointsWithoutTrailingBlanks)
{
    const std::string kanji = "線";
    std::string kanji35, kanji30;
    for (int k = 0; k < 35; ++k) kanji35 += kanji;
    for (int k = 0; k < 30; ++k) kanji30 += kanji;
    const std::pair<std::string, std::string> cases[] = {
        {"run1.dsr5    ", "run1.dsr5"},
        {"abcdefghijklmnopqrstuvwxyz0123456789", "abcdefghijklmnopqrstuvwxyz0123"},
        {kanji35, kanji30},
        {"abcdefghijklmnopqrstuvwxy     tail", "abcdefghijklmnopqrstuvwxy"},
        {"      ", ""},
    };
    for (const auto& [line, name] : cases) EXPECT_EQ(ResultNameFromLine(line), name) << line;
}

// Each failure names the file and the record, ends with status 1 and leaves F2B.dat as it was.
TEST_F(InWorkDir, FailuresNameFileAndRecordAndLeaveTheOldGridFile)
{
    const std::string sample = SampleResult();
    // Offset of record n (1-based) in the sample.
    const auto record = [&sample](int n) {
        std::size_t offset = 0;
        for (int k = 1; k < n; ++k) offset = sample.find('\n', offset) + 1;
        return offset;
    };
    std::string garbled = sample, truncated = sample, huge = sample;
    garbled[record(100) + 29] = 'x'; // in the field of columns 23-33
    truncated.erase(record(300) + 440, 11);
    huge.replace(record(15) + 11, 11, " 0.5000E+31");
    struct Case {
        std::string list, file, bytes, message;
    } cases[] = {
        {"", "", "", "FLname.txt: the file cannot be opened (No such file"},
        {"   \r\n", "", "", "FLname.txt, record 1: no result file name"},
        {"gone.dsr5\r\n", "", "", "gone.dsr5: the file cannot be opened (No such file"},
        {"sub\r\n", "sub/", "", "sub: is a folder, not a file"},
        {"../up.dsr5\r\n", "", "",
            "FLname.txt, record 1: result file name '../up.dsr5' is not a plain file name"},
        {std::string("a\0b\r\n", 5), "", "",
            "FLname.txt, record 1: result file name 'a\\x00b' is not a plain"},
        {"cut.dsr5\r\n", "cut.dsr5", sample.substr(0, record(201)), "cut.dsr5, record 201: missing"},
        {"bad.dsr5\r\n", "bad.dsr5", garbled, "bad.dsr5, record 100: columns 23-33: '"},
        {"short.dsr5\r\n", "short.dsr5", truncated, "short.dsr5, record 300: the record holds 440 columns"},
        {"huge.dsr5\r\n", "huge.dsr5", huge, "huge.dsr5, record 15: columns 12-22: ' 0.5000E+31' is beyond"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove("FLname.txt");
        if (!c.list.empty()) WriteBytes("FLname.txt", c.list);
        if (!c.file.empty() && c.file.back() == '/')
            std::filesystem::create_directory(c.file);
        else if (!c.file.empty())
            WriteBytes(c.file, c.bytes);
        WriteBytes("F2B.dat", "earlier grid");
        const int entries = Entries();
        std::ostringstream console, errors;
        EXPECT_EQ(RunRefiner(console, errors), 1) << c.message;
        EXPECT_NE(errors.str().find(c.message), std::string::npos) << errors.str();
        EXPECT_EQ(console.str(), "");
        EXPECT_EQ(ReadBytes("F2B.dat"), "earlier grid");
        EXPECT_EQ(Entries(), entries);
    }
}

TEST_F(InWorkDir, UnreplaceableGridFileLeavesNoTemporaryBehind)
{
    std::filesystem::create_directory("F2B.dat");
    const auto fine = std::make_unique<FineResult>();
    try {
        WriteFineFile("F2B.dat", *fine);
        FAIL() << "a directory cannot be replaced by the grid file";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("F2B.dat を作成できません [F2B.dat: cannot be created (Is a directory)", 0),
            0u)
            << error.what();
    }
    EXPECT_TRUE(std::filesystem::is_directory("F2B.dat"));
    EXPECT_EQ(Entries(), 1);
}

} // namespace
} // namespace refiner
