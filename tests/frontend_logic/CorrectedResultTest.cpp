// The corrected copy of a result file: its name, the factor, the scaled file and every refusal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "logic/result/CorrectedResult.h"
#include "logic/text/NumberText.h"

#include "TempFolder.h"

namespace {

using namespace brisca;
namespace fs = std::filesystem;

// Field text of grid element (block, row, field) of the test source, Gy/min or Sv/min.
std::string FieldText(int block, int row, int field)
{
    char text[16];
    std::snprintf(text, sizeof text, "%11.4E", (block * 10000 + row * 41 + field + 1) * 1.0e-7);
    return text;
}

// A result file as an engine writes it, its grid rows wrapped after `perLine` fields.
std::string Source(int perLine = 41)
{
    std::string text =
        " 2\r\n 0.1234E-01\r\n 90.0\r\n 20.0\r\n 20.0\r\n 80.0\r\n2.5000\r\n 12.0\r\n  2.500\r\n"
        "  1.500\r\n  0.100\r\n 0.2E+06\r\n";
    for (int block = 0; block < 6; ++block) {
        if (block % 2 == 0)
            text += " " + std::to_string(-50 + 25 * block) + ".0 cm\r\n  Gy/min\r\n";
        else
            text += "  Sv/min\r\n";
        for (int row = 0; row < 61; ++row)
            for (int f = 0; f < 41; ++f) {
                text += FieldText(block, row, f);
                if ((f + 1) % perLine == 0 || f == 40) text += "\r\n";
            }
    }
    return text;
}

class CorrectedResultTest : public testsupport::TempFolderTest {
protected:
    // Every file of the folder with its bytes.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder_))
            files[entry.path().filename().string()] = Read(entry.path().filename().string());
        return files;
    }
};

TEST(CorrectedResult, NameAndFactor)
{
    EXPECT_EQ(CorrectedFileName("abc.dsr5"), "abc.dsrC");
    EXPECT_EQ(CorrectedFileName("結果-立位.dsr5"), "結果-立位.dsrC");
    EXPECT_EQ(CorrectedFileName("結果"), "結C");

    // Exactly one positive finite number, blanks around it allowed; the refusal quotes the text.
    struct Case {
        const char* measured;
        const char* current;
        const char* refusal; // part of the dialog's warning; none when the factor is usable
        double factor;
    };
    const Case cases[] = {
        {"24.6", "1.23E+01", nullptr, 2.0},
        {" \t24.6\u3000", "1.23E+01", nullptr, 2.0},
        {"3E0", "1.50E+00", nullptr, 2.0},
        {"", "1.23E+01", NoMeasuredValueWarning, 0.0},
        {" \u3000 ", "1.23E+01", NoMeasuredValueWarning, 0.0},
        {"2,5", "1.23E+01", "「2,5」は数値として読めません", 0.0},
        {"0,0148", "7.431E-03", "「0,0148」は数値として読めません", 0.0},
        {"0.01 4862", "7.431E-03", "「0.01 4862」は数値として読めません", 0.0},
        {"3 μGy/min", "1.50E+00", "「3 μGy/min」は数値として読めません", 0.0},
        {"２４．６", "1.23E+01", "「２４．６」は数値として読めません", 0.0},
        {"abc", "1.23E+01", "「abc」は数値として読めません", 0.0},
        {"0", "1.23E+01", "「0」は 0 より大きい", 0.0},
        {"-3", "1.23E+01", "「-3」は 0 より大きい", 0.0},
        {"1E400", "1.23E+01", "「1E400」は大きすぎます", 0.0},
        {"1E300", "1.23E-300", "比が大きすぎるか小さすぎて", 0.0},
        {"24.6", "0.00E+00", ZeroCurrentValueWarning, 0.0},
        {"24.6", "", ZeroCurrentValueWarning, 0.0},
        {"24.6", "*******", ZeroCurrentValueWarning, 0.0},
    };
    for (const Case& c : cases) {
        const Expected<double> factor = CorrectionFactorOf(c.measured, c.current);
        const std::string refusal = factor ? "" : MessageText(factor.Failure());
        EXPECT_EQ(refusal.empty(), c.refusal == nullptr) << c.measured << " / " << c.current << refusal;
        if (c.refusal) {
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
        }
        EXPECT_EQ(factor ? *factor : 0.0, c.factor) << c.measured << " / " << c.current;
    }
}

TEST_F(CorrectedResultTest, EveryValueIsScaledAndEveryOtherLineCopied)
{
    const std::string source = Source();
    Write("abc.dsr5", source);
    const Expected<std::string> name = CorrectResultFile(folder_, "abc.dsr5", {2.0, 24.6, "空気カーマ率"});
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, "abc.dsrC");
    // The note beside the copy says what it was scaled to.
    const std::optional<CorrectionNote> note = ReadCorrectionNote(folder_, "abc.dsrC");
    ASSERT_TRUE(note);
    EXPECT_EQ(CorrectionCaption(*note), "実測値 24.6 による補正（空気カーマ率、係数 2.000E+00）");
    EXPECT_FALSE(ReadCorrectionNote(folder_, "abc.dsr5"));

    std::istringstream in(source);
    std::istringstream out(Read("abc.dsrC"));
    std::string sourceLine;
    std::string line;
    int block = -1;
    int row = 0;
    int n = 1;
    for (; std::getline(out, line); ++n) {
        ASSERT_EQ(line.back(), '\r') << n;
        line.pop_back();
        std::getline(in, sourceLine);
        sourceLine.pop_back();
        if (n == 2) {
            EXPECT_EQ(line, "2.468E-02");
        } else if (line.size() != 41 * 11) {
            EXPECT_EQ(line, sourceLine) << n;
            block += line == "  Sv/min" || line == "  Gy/min";
            row = 0;
        } else {
            for (int f = 0; f < 41; ++f)
                ASSERT_EQ(line.substr(f * 11, 11),
                    "  " +
                        FormatNumber(2 * std::strtod(FieldText(block, row, f).c_str(), nullptr), "0.000E+00"))
                    << n << ":" << f;
            ++row;
        }
    }
    EXPECT_EQ(n - 1, 387);
    EXPECT_EQ(block, 5);
    EXPECT_TRUE(in.peek() == EOF);

    // Rows wrapped after 10 fields, or after 7, give the same file.
    const std::string corrected = Read("abc.dsrC");
    // An existing copy is replaced only when the question about it is answered yes.
    std::vector<std::string> asked;
    const auto decline = [&asked](const std::string& target) {
        asked.push_back(target);
        return false;
    };
    const Expected<std::string> declined = CorrectResultFile(folder_, "abc.dsr5", {4.0, 1.0, ""}, decline);
    ASSERT_TRUE(declined);
    EXPECT_EQ(*declined, "");
    EXPECT_EQ(asked, std::vector<std::string>{"abc.dsrC"});
    EXPECT_EQ(Read("abc.dsrC"), corrected);
    EXPECT_EQ(ReadCorrectionNote(folder_, "abc.dsrC")->factor, 2.0);
    for (int perLine : {10, 7}) {
        Write("abc.dsr5", Source(perLine));
        ASSERT_TRUE(CorrectResultFile(folder_, "abc.dsr5", {2.0, 24.6, ""}));
        EXPECT_EQ(Read("abc.dsrC"), corrected) << perLine;
    }
}

TEST_F(CorrectedResultTest, RefusalsNameTheFileAndLeaveTheFolderAsItWas)
{
    std::string cut = Source();
    cut.resize(cut.size() / 2);
    std::string letter = Source();
    const std::size_t wrong = letter.find('E', 2000) - 2;
    letter[wrong] = 'x';
    const std::string wrongLine =
        "abc.dsr5 の " + std::to_string(std::count(letter.begin(), letter.begin() + wrong, '\n') + 1) +
        " 行目: ";
    std::string extra = Source();
    extra.insert(extra.find("  Sv/min") - 2, " 0.1000E-02");
    struct Case {
        const char* name;     // the file to correct
        std::string source;   // abc.dsr5
        std::string fragment; // part of the message
        double factor = 2.0;  // the correction
    };
    const Case cases[] = {
        {"gone.dsr5", Source(), "gone.dsr5"},
        {"abc.dsrC", Source(), "abc.dsrC"},
        {"abc.dsr5", cut, "abc.dsr5 が途中で終わっています"},
        {"abc.dsr5", Source().substr(0, Source().size() - 2), "abc.dsr5 が途中で終わっています"},
        {"abc.dsr5", letter, wrongLine},
        {"abc.dsr5", extra, "値が多すぎます"},
        // Beyond the largest rate the refiner reads, and below the exponents a field holds.
        {"abc.dsr5", Source(), "の補正後の値 1.234E+34 が結果ファイルの欄に収まりません", 1e36},
        {"abc.dsr5", Source(), "の補正後の値 1.234E-102 が", 1e-100},
    };
    for (const Case& c : cases) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        Write("abc.dsr5", c.source);
        Write("abc.dsrC", "an earlier correction\r\n");
        const auto before = Snapshot();
        const Expected<std::string> name = CorrectResultFile(folder_, c.name, {c.factor, 1.0, ""});
        ASSERT_FALSE(name) << c.fragment;
        const std::string error = MessageText(name.Failure());
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
        EXPECT_EQ(Snapshot(), before) << c.fragment;
    }
}

} // namespace
