#include "records/atomic_file.h"
#include "records/field_error.h"
#include "records/field_reader.h"
#include "records/field_writer.h"
#include "records/free_form.h"
#include "records/line_source.h"
#include "records/read_file.h"
#include "records/utf8_cut.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using testsupport::ReadBytes;

long Entries(const fs::path& folder)
{
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator{});
}

TEST(PendingFileTest, TargetChangesOnlyOnCommitAndNoTemporaryOutlivesTheWriter)
{
    const testsupport::TempFolder temp("records-pending");
    const fs::path& folder = temp.Path();
    const fs::path target = folder / "grid.dat";
    std::ofstream(target) << "old";
    {
        records::PendingFile dropped(target.string());
        EXPECT_FALSE(dropped.Append("never seen"));
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Entries(folder), 1);
    {
        records::PendingFile file(target.string());
        EXPECT_FALSE(file.Append("first "));
        EXPECT_FALSE(file.Append("second"));
        EXPECT_FALSE(file.Finish());
        EXPECT_EQ(ReadBytes(target), "old");
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(target), "first second");
    EXPECT_EQ(Entries(folder), 1);

    records::PendingFile unmade((folder / "missing" / "grid.dat").string());
    const auto failure = unmade.Append("x");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, records::ReplaceStep::Create);
    EXPECT_EQ(unmade.Commit()->step, records::ReplaceStep::Create);
}

// Only a plain file is replaced: a folder or a named pipe keeps its place (a device such as
// /dev/null is refused the same way; it is not tried here, so a regression cannot replace it).
TEST(PendingFileTest, RefusesTargetsThatAreNotPlainFiles)
{
    const testsupport::TempFolder temp("records-special");
    const fs::path& folder = temp.Path();
    fs::create_directories(folder / "folder");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    const std::pair<fs::path, fs::file_type> cases[] = {
        {folder / "folder", fs::file_type::directory}, {folder / "pipe", fs::file_type::fifo}};
    for (const auto& [target, kind] : cases) {
        const auto failure = records::ReplaceFileAtomically(target.string(), "x");
        ASSERT_TRUE(failure) << target;
        EXPECT_EQ(failure->step, records::ReplaceStep::Create) << target;
        EXPECT_EQ(fs::status(target).type(), kind) << target;
    }
    EXPECT_EQ(Entries(folder), 2) << "no temporary left beside them";
}

TEST(PendingFileTest, AKilledWriterLeavesNoTemporary)
{
    const testsupport::TempFolder temp("records-killed");
    const fs::path& folder = temp.Path();
    const int probe = ::open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) GTEST_SKIP() << "no unnamed files in " << folder;
    ::close(probe);
    const fs::path target = folder / "grid.dat";
    std::ofstream(target) << "old";
    const pid_t child = ::fork();
    if (child == 0) {
        records::PendingFile file(target.string());
        (void)file.Append(std::string(100000, 'x'));
        (void)file.Finish();
        ::_exit(0); // no destructor runs, as when the program is killed
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(Entries(folder), 1);
    EXPECT_EQ(ReadBytes(target), "old");
}

struct RealCase {
    const char* text; // field text, exactly the field's width or shorter (short record)
    int width;
    int decimals;
    double expected;
};

TEST(FieldReaderTest, RealFieldsFollowTheReadingRules)
{
    const std::vector<RealCase> cases = {
        {"         ", 9, 3, 0.0}, // all blank reads zero
        {"", 9, 3, 0.0},          // record ended before the field
        {"    1.000", 9, 3, 1.0},
        {"     1000", 9, 3, 1.0},    // no point: last 3 digits are decimals
        {"   12 345", 9, 3, 12.345}, // blanks inside are ignored
        {"  1.5    ", 9, 3, 1.5},    // explicit point wins
        {"1.000E-03", 9, 3, 0.001},
        {"  1E2    ", 9, 3, 100.0}, // explicit exponent wins
        {"  1.5D+02", 9, 3, 150.0},
        {"  1.5+02 ", 9, 3, 150.0}, // exponent given by its sign alone
        {"  -2.5e-1", 9, 3, -0.25},
        {"+.5      ", 9, 3, 0.5},
        {"    12345", 9, 0, 12345.0},
        {"  0.1234E+01", 12, 5, 1.234},
        {"     -3", 7, 2, -0.03},
    };
    for (const RealCase& c : cases) {
        records::FieldReader reader(c.text);
        EXPECT_DOUBLE_EQ(reader.Real(c.width, c.decimals), c.expected) << "'" << c.text << "'";
    }
}

TEST(FieldReaderTest, MalformedFieldsThrowWithTheirColumns)
{
    const std::vector<const char*> bad = {"  abc    ", "  1.2.3  ", "  1.0E   ", "   -     ", "   1e5x  ",
        " 1.0E999 ", "   nan   ", "   inf   "};
    for (const char* text : bad) {
        records::FieldReader reader(text);
        try {
            reader.Real(9, 3);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const records::FieldError& e) {
            EXPECT_NE(std::string(e.what()).find("columns 1-9"), std::string::npos) << e.what();
        }
    }
}

TEST(FieldReaderTest, ConsecutiveFieldsAndTrailingCharacters)
{
    // An interaction-table row "(E9.3,3E10.3)" followed by a comment that is ignored.
    records::FieldReader reader("1.000E-03 1.234E+00 5.000E-01 2.000E+03 trailing text");
    EXPECT_DOUBLE_EQ(reader.Real(9, 3), 0.001);
    EXPECT_DOUBLE_EQ(reader.Real(10, 3), 1.234);
    EXPECT_DOUBLE_EQ(reader.Real(10, 3), 0.5);
    EXPECT_DOUBLE_EQ(reader.Real(10, 3), 2000.0);
    EXPECT_EQ(reader.NextColumn(), 40);

    // A spectrum record "(F6.1,A1,F8.5)" as the front end writes it.
    records::FieldReader spectrum("0080.0, 0.51234");
    EXPECT_FLOAT_EQ(spectrum.Single(6, 1), 80.0f);
    EXPECT_EQ(spectrum.Text(1), ",");
    EXPECT_FLOAT_EQ(spectrum.Single(8, 5), 0.51234f);

    // The error names the right columns for a later field.
    records::FieldReader broken("1.0       x.5");
    broken.Real(10, 3);
    EXPECT_THROW(
        {
            try {
                broken.Real(10, 3);
            } catch (const records::FieldError& e) {
                EXPECT_NE(std::string(e.what()).find("columns 11-20"), std::string::npos) << e.what();
                throw;
            }
        },
        records::FieldError);
}

TEST(FieldReaderTest, SingleIsRoundedOnceFromTheDecimalText)
{
    // 1.00000005960464477539062500000001 lies just above the midpoint between 1 and the next
    // float; rounding through double first would land on the midpoint and round to 1.
    records::FieldReader reader("1.00000005960464477539062500000001");
    EXPECT_EQ(reader.Single(34, 0), std::nextafter(1.0f, 2.0f));
}

TEST(FieldReaderTest, IntegerAndTextFields)
{
    struct Case {
        const char* text;
        long expected;
    };
    for (const Case& c :
        std::vector<Case>{{" 25", 25}, {"  7", 7}, {"   ", 0}, {"", 0}, {"-3 ", -3}, {"1 2", 12}}) {
        records::FieldReader reader(c.text);
        EXPECT_EQ(reader.Integer(3), c.expected) << "'" << c.text << "'";
    }
    for (const char* text : {"2.5", "x  ", " - "}) {
        records::FieldReader reader(text);
        EXPECT_THROW(reader.Integer(3), records::FieldError) << text;
    }
    records::FieldReader name("abc");
    EXPECT_EQ(name.Text(5), "abc  ");
}

TEST(FreeFormTest, FirstNumberOnTheLine)
{
    struct Case {
        const char* line;
        double expected;
    };
    const std::vector<Case> cases = {
        {"90", 90.0},
        {"  1.234E+00", 1.234},
        {"5.000E+08 extra", 5e8},
        {"\t20.5,30", 20.5},
        {"-2.5d-3", -0.0025},
        {"100.0/", 100.0},
        {"7", 7.0},
        {" 0.000E+00", 0.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(records::ReadFirstNumber(c.line), c.expected) << c.line;
    for (const char* line : {"", "   ", "abc", "1.2.3", ",5"}) {
        EXPECT_THROW(records::ReadFirstNumber(line), records::FieldError) << "'" << line << "'";
    }
    EXPECT_EQ(records::ReadFirstNumberSingle("0.1"), 0.1f);
}

struct WriteCase {
    double value;
    int width;
    int decimals;
    const char* expected;
};

TEST(FieldWriterTest, ExponentFields)
{
    const std::vector<WriteCase> cases = {
        {0.0, 11, 4, " 0.0000E+00"},
        {-0.0, 11, 4, " 0.0000E+00"}, // a sign would join the field to its neighbour
        {-0.0, 10, 4, "0.0000E+00"},
        {1.0, 11, 4, " 0.1000E+01"},
        {1.23456e-7, 11, 4, " 0.1235E-06"},
        {9.99996, 11, 4, " 0.1000E+02"}, // rounding carries into the exponent
        {-1.5, 11, 4, "-0.1500E+01"},
        {5.0e8, 8, 1, " 0.5E+09"},
        {1.0e8, 8, 1, " 0.1E+09"},
        {-5.0e8, 7, 1, "-.5E+09"}, // too narrow for the leading zero
        {1.0e-120, 11, 4, " 0.1000-119"},
        {0.005, 9, 3, "0.500E-02"},
        {3.3106e23, 12, 5, " 0.33106E+24"},
        {0.00012345, 12, 4, "  0.1234E-03"}, // the double lies just below the midpoint
        {0.099949, 10, 3, " 0.999E-01"},
        {0.099951, 10, 3, " 0.100E+00"},
    };
    for (const WriteCase& c : cases) {
        std::string out;
        records::AppendE(out, c.value, c.width, c.decimals);
        EXPECT_EQ(out, c.expected) << c.value;
    }
    // A value that cannot be written in its field would shift every later field of the record.
    for (const double value : {123.0, -1.0e-120, std::nan(""), HUGE_VAL}) {
        std::string out;
        EXPECT_THROW(records::AppendE(out, value, value == 123.0 ? 5 : 9, 4), std::range_error) << value;
    }
}

TEST(FieldWriterTest, FixedAndIntegerFields)
{
    const std::vector<WriteCase> cases = {
        {90.0, 5, 1, " 90.0"},
        {-50.0, 5, 1, "-50.0"},
        {0.0, 5, 1, "  0.0"},
        {3.2, 6, 4, "3.2000"},
        {10.0, 6, 4, "******"},
        {0.5, 6, 4, "0.5000"},
        {2.5, 7, 3, "  2.500"},
        {0.05, 5, 1, "  0.1"},
        {1000.0, 5, 1, "*****"},
        {0.5, 2, 1, ".5"},
        {12.0, 4, 0, " 12."},
        {-0.25, 5, 2, "-0.25"},
    };
    for (const WriteCase& c : cases) {
        std::string out;
        records::AppendF(out, c.value, c.width, c.decimals);
        EXPECT_EQ(out, c.expected) << c.value;
    }
    std::string out;
    records::AppendI(out, 7, 2);
    records::AppendI(out, 241, 3);
    records::AppendI(out, 1000, 3);
    EXPECT_EQ(out, " 7241***");
}

TEST(FieldWriterTest, WrittenFieldsReadBackToTheSameFloat)
{
    // Every E11.4 field a result file carries must survive the trip into the refiner.
    for (float v : {1.0f, 3.3333e-9f, 7.77777e12f, 0.5f, 2.0e-30f}) {
        std::string out;
        records::AppendE(out, v, 11, 4);
        records::FieldReader reader(out);
        const float back = reader.Single(11, 4);
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-4f) << out;
    }
}

TEST(LineSourceTest, AcceptsLfAndCrLfAndAnUnendedLastLine)
{
    records::LineSource source;
    std::string_view line;
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"first\r\nsecond\nthird\r\n\r\nlast", {"first", "second", "third", "", "last"}},
        {"\xEF\xBB\xBF"
         "1.0\r\n2.0",
            {"1.0", "2.0"}},
        {"cr\ronly\r\rends\r", {"cr", "only", "", "ends"}},
        {"mixed\r\n\n\rx", {"mixed", "", "", "x"}},
    };
    for (const Case& c : cases) {
        source.SetText(c.text);
        std::vector<std::string> lines;
        while (source.Next(line)) lines.emplace_back(line);
        EXPECT_EQ(lines, c.lines) << c.text;
        EXPECT_EQ(source.RecordNumber(), static_cast<int>(c.lines.size()));
    }

    source.SetText("only\r\n");
    ASSERT_TRUE(source.Next(line));
    EXPECT_EQ(line, "only");
    EXPECT_FALSE(source.Next(line));
    EXPECT_TRUE(source.Open("no-such-file.dat"));
}

TEST(ReadWholeFileTest, RefusesFoldersAndEndlessFilesWithTheReason)
{
    struct Case {
        const char* path;
        const char* english;
    } cases[] = {
        {"/dev/zero", "is larger than 64 MiB"},
        {"/", "is a folder, not a file"},
        {"/no/such/file", "the file cannot be opened (No such file or directory)"},
    };
    for (const Case& c : cases) {
        std::string text;
        const auto failure = records::ReadWholeFile(c.path, text);
        ASSERT_TRUE(failure) << c.path;
        EXPECT_EQ(failure->english, c.english);
        EXPECT_TRUE(text.empty());
    }
}

TEST(EchoTextTest, ShowsAtMostFortyCharactersWithControlAndStrayBytesEscaped)
{
    EXPECT_EQ(records::EchoText("0.5E+01"), "0.5E+01");
    EXPECT_EQ(records::EchoText(std::string("a\0b\x1b[2J\x7f", 8)), "a\\x00b\\x1B[2J\\x7F");
    EXPECT_EQ(records::EchoText("\xff線量"), "\\xFF線量");
    EXPECT_EQ(records::EchoText(std::string(10000, 'x')), std::string(40, 'x') + "…");
    // A refused field and a refused free-form line echo the same way.
    try {
        records::ReadFirstNumber(std::string(10000, '#'));
        ADD_FAILURE();
    } catch (const records::FieldError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + std::string(40, '#') + "…' is not a number (no digits)");
    }
    try {
        records::FieldReader(std::string("\x01\x02\x03", 3)).Single(3, 0);
        ADD_FAILURE();
    } catch (const records::FieldError& e) {
        EXPECT_EQ(std::string(e.what()), "columns 1-3: '\\x01\\x02\\x03' is not a number (no digits)");
    }
}

TEST(Utf8CutTest, CutsByCodePointsNeverSplittingACharacter)
{
    // 28 ASCII characters, then two three-byte characters and an extension.
    const std::string name = std::string(28, 'a') + "線量.dsr5";
    EXPECT_EQ(records::FirstCodePoints(name, 30), std::string(28, 'a') + "線量");
    EXPECT_EQ(records::FirstCodePoints("線量分布", 3), "線量分");
    EXPECT_EQ(records::FirstCodePoints("short", 30), "short");
    // Bytes outside well-formed sequences count one each: stray continuations, overlong
    // forms, surrogates and a cut sequence.
    EXPECT_EQ(records::FirstCodePoints(std::string(300, '\xff'), 30), std::string(30, '\xff'));
    EXPECT_EQ(records::FirstCodePoints("\x80\x80\x80", 2), "\x80\x80");
    EXPECT_EQ(records::FirstCodePoints("\xc0\x80x", 2), "\xc0\x80");
    EXPECT_EQ(records::FirstCodePoints("\xed\xa0\x80", 2), "\xed\xa0");
    EXPECT_EQ(records::FirstCodePoints("\xe7\xb7", 1), "\xe7");
    EXPECT_EQ(records::FirstCodePoints("\xf0\x9f\x98\x80z", 1), "\xf0\x9f\x98\x80");
    EXPECT_EQ(records::DropTrailingBlanks("name.dsr5   "), "name.dsr5");
    EXPECT_EQ(records::DropTrailingBlanks("    "), "");
}

TEST(FieldErrorTest, DescribesFileAndRecordByBareNameInJapaneseThenEnglish)
{
    EXPECT_EQ(records::DescribeRecordError("/work/run/Air.eac", 12, "11-25 桁目「x」は数値ではありません",
                  "columns 11-25: 'x' is not a number"),
        "Air.eac の 12 行目: 11-25 桁目「x」は数値ではありません [Air.eac, record 12: columns 11-25: 'x' is "
        "not a number]");
    EXPECT_EQ(records::DescribeFileError("run/B2F.txt", "を開けません", "the file cannot be opened"),
        "B2F.txt を開けません [B2F.txt: the file cannot be opened]");
    try {
        records::FieldReader(" 1e999999").Real(9, 3);
        FAIL() << "an overflowing field is refused";
    } catch (const records::FieldError& e) {
        EXPECT_EQ(e.Japanese(), "1-9 桁目「 1e999999」は値が大きすぎます");
    }
}

} // namespace
