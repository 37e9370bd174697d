#include "logic/start/DataTables.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace brisca;

namespace {

namespace fs = std::filesystem;

// Hand-made tables whose values encode their position, so a shifted read shows.
std::string AttenuationText(int records, const std::string& separator)
{
    std::string text;
    for (int i = 1; i <= records; ++i)
        text += std::to_string(0.5 * i) + separator + std::to_string(1000 + i) + separator +
                std::to_string(2000 + i) + separator + std::to_string(3000 + i) + "\r\n";
    return text;
}

std::string AirText(int records)
{
    std::string text;
    for (int i = 1; i <= records; ++i)
        text += "  " + std::to_string(0.5 * i) + "E+00   " + std::to_string(i) + ".5E-02\r\n";
    return text;
}

std::string OutputText()
{
    std::string text = "kV  constant  three-phase  single-phase, 1 mA at 100 cm\r\n";
    for (int row = 1; row <= 12; ++row)
        text += std::to_string(40 + 10 * row - 10) + (row % 4 == 0 ? "\r\n" : ",");
    for (int waveform = 1; waveform <= 3; ++waveform) {
        for (int row = 1; row <= 12; ++row)
            text += " " + std::to_string(waveform) + "." + std::to_string(row);
        text += "\r\n" + std::to_string(waveform) + "5 , " + std::to_string(waveform) + "\r\n";
    }
    return text;
}

class DataTablesTest : public testsupport::TempFolderTest {
protected:
    void SetUp() override
    {
        Write("MUs.dat", AttenuationText(300, "  "));
        Write("Air.eac", AirText(300));
        Write("default-output.op", OutputText());
    }
};

TEST_F(DataTablesTest, ReadsEveryTableInRecordOrder)
{
    const Expected<DataTables> read = ReadDataTables(folder_);
    ASSERT_TRUE(read);
    const DataTables& tables = *read;
    for (int i : {1, 2, 150, 300}) {
        EXPECT_EQ(tables.muTarget[i], 1000 + i);
        EXPECT_EQ(tables.muAl[i], 2000 + i);
        EXPECT_EQ(tables.muCu[i], 3000 + i);
        EXPECT_DOUBLE_EQ(tables.muEnAir[i], (i + 0.5) / 100);
    }
    EXPECT_EQ(tables.outputTable[1][1], 40.0);
    EXPECT_EQ(tables.outputTable[1][12], 150.0);
    EXPECT_EQ(tables.outputTable[2][1], 1.1);
    EXPECT_EQ(tables.outputTable[3][12], 2.12);
    EXPECT_EQ(tables.outputTable[4][5], 3.5);
    // Reference filtrations are stored in cm.
    EXPECT_DOUBLE_EQ(tables.refAl[1], 1.5);
    EXPECT_DOUBLE_EQ(tables.refAl[3], 3.5);
    EXPECT_DOUBLE_EQ(tables.refCu[2], 0.2);
}

TEST_F(DataTablesTest, AcceptsCommasBlanksAndLineEndsAlike)
{
    std::string oneNumberPerLine = AttenuationText(300, "\n");
    Write("MUs.dat", oneNumberPerLine);
    Write("Air.eac", AirText(300) + "trailing lines are not read\r\n");
    const Expected<DataTables> fromLines = ReadDataTables(folder_);
    ASSERT_TRUE(fromLines);
    Write("MUs.dat", AttenuationText(300, " , "));
    const Expected<DataTables> fromCommas = ReadDataTables(folder_);
    ASSERT_TRUE(fromCommas);
    EXPECT_EQ(fromLines->muCu, fromCommas->muCu);
    EXPECT_EQ(fromLines->muCu[300], 3300);
}

struct BrokenFile {
    const char* name;
    std::string text;
    const char* expectedMessage;
};

TEST_F(DataTablesTest, NamesTheFileTheRecordAndTheFault)
{
    const BrokenFile cases[] = {
        {"MUs.dat", AttenuationText(299, " "),
            "MUs.dat: the file ends before the energy of record 300 of 300 (after line 299)"},
        {"MUs.dat", AttenuationText(3, " ") + "2.0 5.1 abc 7\r\n",
            "MUs.dat, record 4: \"abc\" is not a number (the aluminium coefficient of record 4 of 300)"},
        {"Air.eac", AirText(9) + "5.0\r\n",
            "Air.eac: the file ends before the air coefficient of record 10 of 300 (after line 10)"},
        {"Air.eac", "0.5 1e999\r\n",
            "Air.eac, record 1: \"1e999\" is out of range (the air coefficient of record 1 of 300)"},
        {"default-output.op", "header only\r\n40 50 60\r\n",
            "default-output.op: the file ends before tube voltage 4 (after line 2)"},
        {"default-output.op",
            "header\r\n40 50 60 70 80 90 100 110 120 130 140 150\r\n1 2 3 4 5 6 7 8 9 10 11 12\r\n2.5\r\n",
            "default-output.op: the file ends before the reference copper filtration of waveform 1 (after "
            "line 4)"},
        {"default-output.op",
            "header\r\n40 50 60 70 80 80 100 110 120 130 140 150\r\n" + std::string(3, ' ') +
                OutputText().substr(OutputText().find("\r\n 1.1")),
            "default-output.op: the tube voltages must increase, but voltage 6 (80) follows 80"},
        {"MUs.dat", "", "MUs.dat: the file ends before the energy of record 1 of 300 (it holds no numbers)"},
    };
    for (const auto& c : cases) {
        SetUp();
        Write(c.name, c.text);
        const Expected<DataTables> tables = ReadDataTables(folder_);
        ASSERT_FALSE(tables) << c.expectedMessage;
        // Japanese first, naming the file by its bare name; the English detail follows.
        const std::string message = MessageText(tables.Failure());
        EXPECT_EQ(message.rfind(std::string(c.name) + " ", 0), 0u) << message;
        EXPECT_NE(message.find("[" + std::string(c.expectedMessage) + "]"), std::string::npos) << message;
    }
}

TEST_F(DataTablesTest, MissingFileIsNamed)
{
    fs::remove(folder_ / "Air.eac");
    EXPECT_EQ(MessageText(ReadDataTables(folder_).Failure()),
        "Air.eac を開けません（ファイルがありません） [Air.eac: the file cannot be opened (No such file or "
        "directory)]");
}

} // namespace
