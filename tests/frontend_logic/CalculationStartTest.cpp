#include "logic/start/CalculationStart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShippedTables.h"
#include "logic/start/MeanTubeCurrent.h"
#include "logic/start/RunChoices.h"
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

// The start's files, or the message of its refusal as the window shows it.
const PreparedCalculation& Prepared(const StartPreparation& preparation)
{
    if (!preparation.calculation) ADD_FAILURE() << MessageText(preparation.calculation.Failure());
    return *preparation.calculation;
}

std::string Refusal(const StartPreparation& preparation)
{
    return preparation.calculation ? "" : MessageText(preparation.calculation.Failure());
}

CalculationEntries Named(const std::string& name)
{
    CalculationEntries entries;
    entries.resultName = name;
    return entries;
}

struct CoresCase {
    const char* cores;
    const char* precision;
    const char* refusal;           // empty: the start goes on
    const char* threads;           // BRISCA_THREADS; empty: removed
    const char* precisionVariable; // BRISCA_PRECISION; empty: removed
};

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
        EXPECT_EQ(check.conditions ? "" : MessageText(check.conditions.Failure()), c.warning) << c.what;
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
        const StartPreparation preparation = PrepareCalculation(entries, ShippedTables());
        ASSERT_TRUE(preparation.calculation) << c.what;
        const auto lines = Lines(preparation.calculation->jobFile);
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.lines2to6) << c.what;
    }
}

TEST(JobFile, EmptyOrZeroCurrentGivesZeroOutputAndStillStarts)
{
    for (const char* current : {"", "-0"}) {
        CalculationEntries entries = Named("x");
        entries.meanTubeCurrentMa = current;
        const StartPreparation preparation = PrepareCalculation(entries, ShippedTables());
        const PreparedCalculation& prepared = Prepared(preparation);
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
        const Expected<double> output = ComputeTubeOutputFor(c.v, 1.0, c.rectifier, 1.0, tables);
        ASSERT_TRUE(output);
        EXPECT_DOUBLE_EQ(*output, c.expectedY * 60.0 * 33.97)
            << c.v << " kV, waveform " << static_cast<int>(c.rectifier);
    }
}

TEST(TubeOutput, ScalesByKermaRatioAndCurrent)
{
    const DataTables tables = LinearOutputTable();
    EXPECT_DOUBLE_EQ(*ComputeTubeOutputFor(80.0, 2.5, Rectifier::ConstantPotential, 0.5, tables),
        0.5 * 160.0 * 2.5 * 60.0 * 33.97);
    EXPECT_EQ(*ComputeTubeOutputFor(80.0, 0.0, Rectifier::ConstantPotential, 0.5, tables), 0.0);
}

TEST(TubeOutput, VoltageAboveTheTableIsRefused)
{
    const DataTables tables = LinearOutputTable();
    const Expected<double> above =
        ComputeTubeOutputFor(150.5, 1.0, Rectifier::ConstantPotential, 1.0, tables);
    ASSERT_FALSE(above);
    const std::string message = MessageText(above.Failure());
    EXPECT_NE(message.find("150.5 kV"), std::string::npos) << message;
    EXPECT_NE(message.find("150 kV"), std::string::npos) << message;
    EXPECT_TRUE(ComputeTubeOutputFor(150.0, 1.0, Rectifier::ConstantPotential, 1.0, tables));
}

TEST(CalculationStart, VoltageAboveTheTableWritesNothing)
{
    DataTables tables = ShippedTables();
    for (int row = 1; row <= OutputRows; ++row) tables.outputTable[1][row] = 20.0 + 10.0 * row; // 30..140 kV
    CalculationEntries entries = Named("x");
    entries.tubeVoltageKv = "200";
    const StartPreparation preparation = PrepareCalculation(entries, tables);
    const std::string refusal = Refusal(preparation);
    EXPECT_NE(refusal.find("149.5 kV"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("140 kV"), std::string::npos) << refusal;
    EXPECT_EQ(preparation.corrections.tubeVoltageKv.value_or(""), "149.5")
        << "the window still shows the limited voltage";
}

// Every number box is read once, by the checks: a text that is not one number, or one beyond
// the range of a number, is refused there with the box's name, before the limits, the
// spectrum or a file could turn it into something else.
TEST(CalculationStart, EveryBoxIsReadOnceAndRefusedByTheChecks)
{
    const struct {
        std::string CalculationEntries::*box;
        const char* label;
    } boxes[] = {
        {&CalculationEntries::fsdCm, "FSD（焦点-入射表面間距離）"},
        {&CalculationEntries::fieldLongCm, "照射野サイズ（長軸）"},
        {&CalculationEntries::fieldShortCm, "照射野サイズ（短軸）"},
        {&CalculationEntries::tubeVoltageKv, "Ｘ線管電圧"},
        {&CalculationEntries::targetAngleDegrees, "ターゲット角度"},
        {&CalculationEntries::inherentFiltrationMmAl, "固有ろ過（Al 当量）"},
        {&CalculationEntries::addedAluminiumMm, "アルミ付加フィルタ"},
        {&CalculationEntries::addedCopperMm, "銅付加フィルタ"},
        {&CalculationEntries::meanTubeCurrentMa, "管電流"},
        {&CalculationEntries::histories, "入射光子数（ヒストリー）"},
    };
    for (const auto& b : boxes) {
        for (const char* text : {"1e999", "-1e400", "80kV"}) {
            CalculationEntries entries = Named("x");
            entries.*b.box = text;
            const StartPreparation preparation = PrepareCalculation(entries, ShippedTables());
            const std::string expected =
                std::string(" ") + b.label + " の「" + text + "」" +
                (text[0] == '8' ? "は数値として読めません" : "は桁が大きすぎて扱えません ");
            EXPECT_EQ(Refusal(preparation).substr(0, expected.size()), expected) << b.label << " " << text;
            EXPECT_FALSE(preparation.corrections.tubeVoltageKv || preparation.corrections.histories)
                << b.label << " " << text;
        }
    }
    // Finite entries and table values whose product no number can hold: the tube output is refused.
    DataTables tables = ShippedTables();
    for (int row = 1; row <= OutputRows; ++row) tables.outputTable[2][row] = 1e300;
    CalculationEntries entries = Named("x");
    entries.meanTubeCurrentMa = "1e10";
    EXPECT_EQ(Refusal(PrepareCalculation(entries, tables)), "管出力 の値が大きすぎて扱えません。");
}

TEST(CalculationStart, ChecksStopBeforeTheSpectrum)
{
    CalculationEntries entries;
    entries.histories = "99999999";
    entries.tubeVoltageKv = "500";
    const StartPreparation preparation = PrepareCalculation(entries, ShippedTables());
    EXPECT_EQ(Refusal(preparation), HistoriesWarning);
    EXPECT_EQ(preparation.corrections.histories.value_or(""), "100000000");
    EXPECT_FALSE(preparation.corrections.tubeVoltageKv) << "the spectrum did not run";
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
        const StartPreparation preparation = PrepareCalculation(entries, ShippedTables());
        EXPECT_EQ(Prepared(preparation).question, question) << histories;
    }
}

TEST(CalculationStart, PositionPicksTheEngine)
{
    CalculationEntries entries = Named("x");
    EXPECT_EQ(Prepared(PrepareCalculation(entries, ShippedTables())).engineProgram, "mcsupine");
    entries.position = PatientPosition::Standing;
    EXPECT_EQ(Prepared(PrepareCalculation(entries, ShippedTables())).engineProgram, "mcstand");
}

TEST(CalculationStart, TubeOutputReadsTheLimitedVoltage)
{
    // 200 kV becomes 149.5 kV for the spectrum and for the output look-up alike.
    CalculationEntries high = Named("x");
    high.tubeVoltageKv = "200";
    CalculationEntries limited = Named("x");
    limited.tubeVoltageKv = "149.5";
    EXPECT_EQ(Prepared(PrepareCalculation(high, ShippedTables())).jobFile,
        Prepared(PrepareCalculation(limited, ShippedTables())).jobFile);
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
        const Expected<std::string> mean = c.pulsed
                                               ? PulsedMeanCurrent(c.tubeCurrent, c.pulseRate, c.pulseWidth)
                                               : ContinuousMeanCurrent(c.tubeCurrent);
        EXPECT_EQ(mean ? *mean : "", c.meanTubeCurrentMa) << c.what;
        EXPECT_EQ(mean ? "" : MessageText(mean.Failure()), c.warning) << c.what;
    }
}

} // namespace

// The cores and the precision are read with the other checks and reach the engine as its
// variables; one core keeps the single stream unless a precision asks for the parallel mode.
TEST(RunChoices, CoresAndPrecisionBecomeTheEnginesVariables)
{
    const CoresCase cases[] = {
        {"1", "", "", "", ""},
        {"2", "", "", "2", ""},
        {"16", "5", "", "16", "5"},
        {"1", "2.5", "", "1", "2.5"},
        {"1", "100", "", "1", "100"},
        {"0", "", " 使用するコア数 は 1 から 4096 までの整数にして下さい ", "", ""},
        {"2.5", "", " 使用するコア数 は 1 から 4096 までの整数にして下さい ", "", ""},
        {"4097", "", " 使用するコア数 は 1 から 4096 までの整数にして下さい ", "", ""},
        {"2", "0", " 目標精度 は 0 より大きく 100 以下の % で入力して下さい（空欄: 指定なし） ", "", ""},
        {"2", "100.5", " 目標精度 は 0 より大きく 100 以下の % で入力して下さい（空欄: 指定なし） ", "", ""},
        {"2", "five",
            " 目標精度 の「five」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
            "のように半角のピリオドで書きます） ",
            "", ""},
    };
    for (const auto& c : cases) {
        CalculationEntries entries = Named("x");
        entries.cores = c.cores;
        entries.precisionPercent = c.precision;
        const StartCheck check = CheckCalculationEntries(entries);
        const std::string what = std::string(c.cores) + " cores, precision '" + c.precision + "'";
        EXPECT_EQ(check.conditions ? "" : MessageText(check.conditions.Failure()), c.refusal) << what;
        if (!check.conditions) continue;
        const std::vector<EnvironmentSetting> environment = EngineEnvironment(*check.conditions);
        ASSERT_EQ(environment.size(), 2u);
        EXPECT_EQ(environment[0].name, "BRISCA_THREADS");
        EXPECT_EQ(environment[0].value, c.threads) << what;
        EXPECT_EQ(environment[1].name, "BRISCA_PRECISION");
        EXPECT_EQ(environment[1].value, c.precisionVariable) << what;
    }
}
