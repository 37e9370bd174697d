#include "logic/start/CalculationStart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShippedTables.h"
#include "logic/start/MeanTubeCurrent.h"
#include "logic/start/StartChecks.h"
#include "logic/start/TubeOutput.h"

using namespace brisca;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

CalculationEntries Named(const std::string& name)
{
    CalculationEntries entries;
    entries.resultName = name;
    return entries;
}

struct CheckCase {
    const char* what;
    const char* histories;
    const char* fieldLongCm;
    const char* fieldShortCm;
    const char* resultName;
    const char* warning; // empty: all checks pass
    bool resetsHistories;
};

TEST(StartChecks, HistoriesFieldAndNameInThisOrder)
{
    const CheckCase cases[] = {
        {"defaults", "500000000", "20", "20", "x", "", false},
        {"too few histories", "99999999", "20", "20", "x", HistoriesWarning, true},
        {"histories not a number", "many", "20", "20", "x",
            " 入射光子数（ヒストリー） の「many」は数値として読めません。数字だけで入力して下さい（小数は "
            "2.5 "
            "のように半角のピリオドで書きます） ",
            false},
        {"empty histories", "", "20", "20", "x", HistoriesWarning, true},
        {"histories at the engine's limit", "1e15", "20", "20", "x", "", false},
        {"histories beyond the engine's limit", "1.1e15", "20", "20", "x", TooManyHistoriesWarning, false},
        {"just enough histories", "100000000", "20", "20", "x", "", false},
        {"histories as exponent", "1e8", "20", "20", "x", "", false},
        {"field 30 x 30", "1e8", "30", "30", "x", "", false},
        {"long side 30.5", "1e8", "30.5", "20", "x", FieldSizeWarning, false},
        {"short side 30.5", "1e8", "20", "30.5", "x", FieldSizeWarning, false},
        {"empty name", "1e8", "20", "20", "", ResultNameWarning, false},
        {"field side written as 0.1", "1e8", "0.05", "20", "x", "", false},
        {"field side written as 0.0", "1e8", "20", "0.049", "x",
            " 照射野サイズ（短軸） は 0.1 cm 以上にして下さい ", false},
        {"empty field side", "1e8", "", "20", "x", " 照射野サイズ（長軸） は 0.1 cm 以上にして下さい ",
            false},
        {"name of 25 characters", "1e8", "20", "20", "あいうえおかきくけこさしすせそたちつてとなにぬねの", "",
            false},
        {"name of 26 characters", "1e8", "20", "20", "あいうえおかきくけこさしすせそたちつてとなにぬねのは",
            " 結果保存ファイル名は拡張子なしで 25 文字以内にして下さい（26 文字あります） ", false},
        {"name with a line end", "1e8", "20", "20", "a\nb",
            " 結果保存ファイル名にファイル名として使えない文字（制御文字）が含まれています ", false},
        {"histories before field", "1", "31", "20", "", HistoriesWarning, true},
        {"field before name", "1e8", "31", "20", "", FieldSizeWarning, false},
    };
    for (const auto& c : cases) {
        CalculationEntries entries;
        entries.histories = c.histories;
        entries.fieldLongCm = c.fieldLongCm;
        entries.fieldShortCm = c.fieldShortCm;
        entries.resultName = c.resultName;
        const StartCheck check = CheckCalculationEntries(entries);
        EXPECT_EQ(check.warning, c.warning) << c.what;
        EXPECT_EQ(check.correctedHistories.value_or(""), c.resetsHistories ? "100000000" : "") << c.what;
    }
}

struct JobCase {
    const char* what;
    const char* fsdCm;
    const char* fieldLongCm;
    const char* fieldShortCm;
    const char* histories;
    const char* resultName;
    std::vector<std::string> lines2to6;
};

TEST(JobFile, LinesOfTheJobFile)
{
    const JobCase cases[] = {
        {"defaults", "90", "20", "20", "500000000", "run", {"90.0", "20.0", "20.0", "5.000E+08", "run.dsr5"}},
        {"short FSD", "5", "5", "12.25", "100000000", "a", {"05.0", "5.0", "12.3", "1.000E+08", "a.dsr5"}},
        {"long FSD", "120", "30", "0.05", "123456789", "b", {"120.0", "30.0", "0.1", "1.235E+08", "b.dsr5"}},
        {"name with blanks", "90", "20", "20", "5e8", " a b ",
            {"90.0", "20.0", "20.0", "5.000E+08", " a b .dsr5"}},
        {"longest name kept whole", "90", "20", "20", "5e8", "a-result-name-of-25-chars",
            {"90.0", "20.0", "20.0", "5.000E+08", "a-result-name-of-25-chars.dsr5"}},
    };
    for (const auto& c : cases) {
        CalculationEntries entries;
        entries.fsdCm = c.fsdCm;
        entries.fieldLongCm = c.fieldLongCm;
        entries.fieldShortCm = c.fieldShortCm;
        entries.histories = c.histories;
        entries.resultName = c.resultName;
        const PreparedCalculation prepared = PrepareCalculation(entries, ShippedTables());
        ASSERT_EQ(prepared.warning, "") << c.what;
        const auto lines = Lines(prepared.jobFile);
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.lines2to6) << c.what;
    }
}

TEST(JobFile, EmptyOrZeroCurrentGivesZeroOutputAndStillStarts)
{
    for (const char* current : {"", "-0"}) {
        CalculationEntries entries = Named("x");
        entries.meanTubeCurrentMa = current;
        const PreparedCalculation prepared = PrepareCalculation(entries, ShippedTables());
        ASSERT_EQ(prepared.warning, "");
        EXPECT_EQ(Lines(prepared.jobFile)[0], "0.000E+00");
        EXPECT_EQ(Lines(prepared.spectrumFile)[302], "0.00");
    }
}

TEST(JobFile, DefaultResultNameHoldsNoSlash)
{
    EXPECT_EQ(DefaultResultName(2026, 12, 7, PatientPosition::Supine), "2026-12-07-臥位");
    EXPECT_EQ(DefaultResultName(2027, 1, 31, PatientPosition::Standing), "2027-01-31-立位");
}

// A table with voltages 40, 50, ..., 150 and outputs 2 x voltage (waveform 1),
// 100 + voltage (waveform 2) and voltage squared (waveform 3).
DataTables LinearOutputTable()
{
    DataTables tables;
    for (int row = 1; row <= OutputRows; ++row) {
        const double kv = 30.0 + 10.0 * row;
        tables.outputTable[1][row] = kv;
        tables.outputTable[2][row] = 2.0 * kv;
        tables.outputTable[3][row] = 100.0 + kv;
        tables.outputTable[4][row] = kv * kv;
    }
    return tables;
}

struct OutputCase {
    double v;
    Rectifier rectifier;
    double expectedY;
};

TEST(TubeOutput, InterpolatesAlongTheVoltageColumn)
{
    const DataTables tables = LinearOutputTable();
    const OutputCase cases[] = {
        {80.0, Rectifier::ConstantPotential, 160.0},
        {150.0, Rectifier::ConstantPotential, 300.0},
        {40.0, Rectifier::ConstantPotential, 80.0},
        {85.0, Rectifier::ThreePhase12Peak, 185.0},
        {30.0, Rectifier::ThreePhase12Peak, 130.0},
        {33.0, Rectifier::ConstantPotential, 66.0},
        {80.0, Rectifier::SinglePhase, 6400.0},
        {85.0, Rectifier::SinglePhase, 7250.0},
        {35.0, Rectifier::SinglePhase,
            1150.0}, // below the first row: the line through rows 1 and 2 (1600, 2500)
        {149.5, Rectifier::SinglePhase, 22355.0},
    };
    for (const auto& c : cases) {
        const TubeOutputResult result = ComputeTubeOutputFor(c.v, 1.0, c.rectifier, 1.0, tables);
        ASSERT_EQ(result.warning, "");
        EXPECT_DOUBLE_EQ(result.tubeOutput, c.expectedY * 60.0 * 33.97)
            << c.v << " kV, waveform " << static_cast<int>(c.rectifier);
    }
}

TEST(TubeOutput, ScalesByKermaRatioAndCurrent)
{
    const DataTables tables = LinearOutputTable();
    EXPECT_DOUBLE_EQ(ComputeTubeOutputFor(80.0, 2.5, Rectifier::ConstantPotential, 0.5, tables).tubeOutput,
        0.5 * 160.0 * 2.5 * 60.0 * 33.97);
    EXPECT_EQ(ComputeTubeOutputFor(80.0, 0.0, Rectifier::ConstantPotential, 0.5, tables).tubeOutput, 0.0);
}

TEST(TubeOutput, VoltageAboveTheTableIsRefused)
{
    const DataTables tables = LinearOutputTable();
    const TubeOutputResult above =
        ComputeTubeOutputFor(150.5, 1.0, Rectifier::ConstantPotential, 1.0, tables);
    EXPECT_NE(above.warning.find("150.5 kV"), std::string::npos) << above.warning;
    EXPECT_NE(above.warning.find("150 kV"), std::string::npos) << above.warning;
    EXPECT_EQ(ComputeTubeOutputFor(150.0, 1.0, Rectifier::ConstantPotential, 1.0, tables).warning, "");
}

TEST(CalculationStart, VoltageAboveTheTableWritesNothing)
{
    DataTables tables = ShippedTables();
    for (int row = 1; row <= OutputRows; ++row) tables.outputTable[1][row] = 20.0 + 10.0 * row; // 30..140 kV
    CalculationEntries entries = Named("x");
    entries.tubeVoltageKv = "200";
    const PreparedCalculation prepared = PrepareCalculation(entries, tables);
    EXPECT_NE(prepared.warning.find("149.5 kV"), std::string::npos) << prepared.warning;
    EXPECT_NE(prepared.warning.find("140 kV"), std::string::npos) << prepared.warning;
    EXPECT_EQ(prepared.correctedTubeVoltage.value_or(""), "149.5")
        << "the window still shows the limited voltage";
    EXPECT_EQ(prepared.spectrumFile, "");
    EXPECT_EQ(prepared.jobFile, "");
}

struct NonFiniteCase {
    const char* what;
    CalculationEntries entries;
    const char* warning;
};

TEST(CalculationStart, NumbersBeyondRangeNeverReachAFile)
{
    auto with = [](auto change) {
        CalculationEntries entries = Named("x");
        change(entries);
        return entries;
    };
    const NonFiniteCase cases[] = {
        {"histories", with([](CalculationEntries& e) { e.histories = "1e999"; }), TooManyHistoriesWarning},
        {"FSD", with([](CalculationEntries& e) { e.fsdCm = "1e400"; }), "FSD の値が大きすぎて扱えません。"},
        {"field", with([](CalculationEntries& e) { e.fieldShortCm = "-1e999"; }),
            " 照射野サイズ（短軸） は 0.1 cm 以上にして下さい "},
        {"current", with([](CalculationEntries& e) { e.meanTubeCurrentMa = "1e999"; }),
            "管電流の値 1e999 は大きすぎて扱えません。"},
    };
    for (const auto& c : cases) {
        const PreparedCalculation prepared = PrepareCalculation(c.entries, ShippedTables());
        EXPECT_EQ(prepared.warning, c.warning) << c.what;
        EXPECT_EQ(prepared.jobFile, "") << c.what;
    }
}

TEST(CalculationStart, ChecksStopBeforeTheSpectrum)
{
    CalculationEntries entries;
    entries.histories = "99999999";
    entries.tubeVoltageKv = "500";
    const PreparedCalculation prepared = PrepareCalculation(entries, ShippedTables());
    EXPECT_EQ(prepared.warning, HistoriesWarning);
    EXPECT_EQ(prepared.correctedHistories.value_or(""), "100000000");
    EXPECT_FALSE(prepared.correctedTubeVoltage) << "the spectrum did not run";
}

TEST(CalculationStart, OnlyARunOfMoreThan1E11HistoriesAsksWithItsRunTime)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1e11", ""},
        {"1.0001e11", " 入射光子数 1.000E+11 の計算には、1 コアで約 10 時間かかります。計算を始めますか？ "},
        {"1e13", " 入射光子数 1.000E+13 の計算には、1 コアで約 41 日かかります。計算を始めますか？ "},
        {"1e15", " 入射光子数 1.000E+15 の計算には、1 コアで約 11 年かかります。計算を始めますか？ "},
    };
    for (const auto& [histories, question] : cases) {
        CalculationEntries entries = Named("x");
        entries.histories = histories;
        const PreparedCalculation prepared = PrepareCalculation(entries, ShippedTables());
        EXPECT_EQ(prepared.warning, "") << histories;
        EXPECT_EQ(prepared.question, question) << histories;
    }
}

TEST(CalculationStart, PositionPicksTheEngine)
{
    CalculationEntries entries = Named("x");
    EXPECT_EQ(PrepareCalculation(entries, ShippedTables()).engineProgram, "mcsupine");
    entries.position = PatientPosition::Standing;
    EXPECT_EQ(PrepareCalculation(entries, ShippedTables()).engineProgram, "mcstand");
}

TEST(CalculationStart, TubeOutputReadsTheLimitedVoltage)
{
    // 200 kV becomes 149.5 kV for the spectrum and for the output look-up alike.
    CalculationEntries high = Named("x");
    high.tubeVoltageKv = "200";
    CalculationEntries limited = Named("x");
    limited.tubeVoltageKv = "149.5";
    EXPECT_EQ(PrepareCalculation(high, ShippedTables()).jobFile,
        PrepareCalculation(limited, ShippedTables()).jobFile);
}

struct MeanCurrentCase {
    const char* what;
    bool pulsed;
    const char* tubeCurrent;
    const char* pulseRate;
    const char* pulseWidth;
    const char* meanTubeCurrentMa;
    const char* warning;
};

TEST(MeanTubeCurrent, ContinuousCopiesAndPulsedMultiplies)
{
    const MeanCurrentCase cases[] = {
        {"continuous", false, "1", "", "", "1", ""},
        {"continuous letters", false, "abc", "", "", "abc", ""},
        {"continuous empty", false, "", "", "", "", TubeCurrentMissingWarning},
        {"pulsed", true, "2", "15", "5", "0.15", ""},
        {"pulsed thirds", true, "1", "10", "3.3", "0.033", ""},
        {"pulsed without width", true, "2", "15", "", "", PulseDataMissingWarning},
        {"pulsed zero rate", true, "2", "0", "5", "", PulseDataMissingWarning},
        {"pulsed width with a comma", true, "2", "15", "2,5", "",
            " パルス幅 の「2,5」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
            "のように半角のピリオドで書きます） "},
    };
    for (const auto& c : cases) {
        const MeanTubeCurrent mean = c.pulsed ? PulsedMeanCurrent(c.tubeCurrent, c.pulseRate, c.pulseWidth)
                                              : ContinuousMeanCurrent(c.tubeCurrent);
        EXPECT_EQ(mean.meanTubeCurrentMa, c.meanTubeCurrentMa) << c.what;
        EXPECT_EQ(mean.warning, c.warning) << c.what;
    }
}

} // namespace
