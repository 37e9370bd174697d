// The calculation start without its window: the checks, the job and spectrum files, the tube
// output, and brisca-job, which makes the same start from the command line.
#include "logic/start/CalculationStart.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "ShippedTables.h"
#include "TempFolder.h"
#include "commandline/JobOptions.h"
#include "commandline/RunFollower.h"
#include "logic/exports/SpectrumExport.h"
#include "logic/start/BeamQuality.h"
#include "logic/start/MeanTubeCurrent.h"
#include "logic/start/RunChoices.h"
#include "logic/start/StartChecks.h"
#include "logic/start/TubeOutput.h"

using namespace brisca;

namespace {

namespace fs = std::filesystem;

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
        const std::optional<Problem>& asked = Prepared(preparation).question;
        EXPECT_EQ(asked ? MessageText(*asked) : "", question) << histories;
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

struct OptionCase {
    std::vector<std::string> arguments;
    CalculationEntries expected;
};

CalculationEntries Entries(auto change)
{
    CalculationEntries entries;
    change(entries);
    return entries;
}

TEST(JobOptions, EachOptionFillsItsWindowEntry)
{
    const OptionCase cases[] = {
        {{}, CalculationEntries{}},
        {{"--kv", "100", "--angle", "16", "--inherent", "3", "--al", "0", "--cu=0.1"},
            Entries([](CalculationEntries& e) {
                e.tubeVoltageKv = "100";
                e.targetAngleDegrees = "16";
                e.inherentFiltrationMmAl = "3";
                e.addedAluminiumMm = "0";
                e.addedCopperMm = "0.1";
            })},
        {{"--waveform", "three-phase"},
            Entries([](CalculationEntries& e) { e.rectifier = Rectifier::ThreePhase12Peak; })},
        {{"--waveform", "single-phase"},
            Entries([](CalculationEntries& e) { e.rectifier = Rectifier::SinglePhase; })},
        {{"--waveform", "three-phase", "--waveform", "constant"}, CalculationEntries{}},
        {{"--ma", "2.5"}, Entries([](CalculationEntries& e) { e.meanTubeCurrentMa = "2.5"; })},
        {{"--pulse-ma", "2", "--rate", "15", "--width", "5"},
            Entries([](CalculationEntries& e) { e.meanTubeCurrentMa = "0.15"; })},
        {{"--fsd", "60", "--field", "30x12.5", "--histories", "1e8"}, Entries([](CalculationEntries& e) {
             e.fsdCm = "60";
             e.fieldLongCm = "30";
             e.fieldShortCm = "12.5";
             e.histories = "1e8";
         })},
        {{"--position", "standing", "--name", "chest 80kV"}, Entries([](CalculationEntries& e) {
             e.position = PatientPosition::Standing;
             e.resultName = "chest 80kV";
         })},
    };
    for (const auto& c : cases) {
        const Expected<JobOptions> options = ParseJobOptions(c.arguments);
        ASSERT_TRUE(options);
        const Expected<CalculationEntries> entries = JobEntries(*options);
        ASSERT_TRUE(entries);
        const CalculationEntries& e = *entries;
        const CalculationEntries& x = c.expected;
        const std::string where = c.arguments.empty() ? "no options" : c.arguments[0];
        EXPECT_EQ(std::vector<std::string>({e.tubeVoltageKv, e.targetAngleDegrees, e.inherentFiltrationMmAl,
                      e.addedAluminiumMm, e.addedCopperMm, e.meanTubeCurrentMa, e.fsdCm, e.fieldLongCm,
                      e.fieldShortCm, e.histories, e.resultName}),
            std::vector<std::string>({x.tubeVoltageKv, x.targetAngleDegrees, x.inherentFiltrationMmAl,
                x.addedAluminiumMm, x.addedCopperMm, x.meanTubeCurrentMa, x.fsdCm, x.fieldLongCm,
                x.fieldShortCm, x.histories, x.resultName}))
            << where;
        EXPECT_EQ(e.rectifier, x.rectifier) << where;
        EXPECT_EQ(e.position, x.position) << where;
    }
}

TEST(JobOptions, MalformedCommandLinesAndRefusedCurrents)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--kv"}, "option --kv needs a value"},
        {{"--waveform", "dc"}, "--waveform takes constant, three-phase or single-phase, not dc"},
        {{"--position", "prone"}, "--position takes supine or standing, not prone"},
        {{"--field", "20"}, "--field takes LONGxSHORT in cm, for example 20x20, not 20"},
        {{"--threads", "-1"}, "--threads takes a whole number from 0 to 4096, not -1"},
        {{"--threads=4097"}, "--threads takes a whole number from 0 to 4096, not 4097"},
        {{"--threads", "2x"}, "--threads takes a whole number from 0 to 4096, not 2x"},
        {{"--seed", "1e3"}, "--seed: '1e3' is not a whole number of at most 64 bits"},
        {{"--precision=0"}, "--precision: '0' is not a percentage above 0 and at most 100"},
        {{"--precision", "5%"}, "--precision: '5%' is not a percentage above 0 and at most 100"},
        {{"--ma", "1", "--rate", "15"},
            "give either --ma or the pulse entries --pulse-ma, --rate and --width, not both"},
        {{"--out", "beam.csv"}, "--out goes with --spectrum-only"},
        {{"--spectrum-only", "--out="}, "--out needs a file name"},
        {{"--spectrum-only", "--run"}, "--spectrum-only writes no job files, so there is nothing to --run"},
    };
    for (const auto& [arguments, english] : usage) {
        const Expected<JobOptions> options = ParseJobOptions(arguments);
        EXPECT_EQ(options ? "" : options.Failure().english, english);
        EXPECT_NE(options ? "" : options.Failure().japanese, "") << english;
    }
    const auto refusal = [](const std::vector<std::string>& arguments) {
        const Expected<CalculationEntries> entries = JobEntries(*ParseJobOptions(arguments));
        return entries ? "" : MessageText(entries.Failure());
    };
    EXPECT_EQ(refusal({"--ma", ""}), TubeCurrentMissingWarning);
    EXPECT_EQ(refusal({"--pulse-ma", "2", "--rate", "15"}), PulseDataMissingWarning);
    EXPECT_TRUE(ParseJobOptions({"--run"})->run);
    EXPECT_EQ(ParseJobOptions({"--threads", "0"})->threads, "0");
    EXPECT_EQ(ParseJobOptions({"--seed", "-5"})->seed, "-5");
    EXPECT_EQ(ParseJobOptions({"--precision", "2.5"})->precision, "2.5");
    EXPECT_TRUE(ParseJobOptions({"--help"})->help);
}

TEST(JobOptions, HelpListsEveryOption)
{
    const std::string help = JobOptionsHelp();
    for (const char* option : {"--kv", "--waveform", "--angle", "--inherent", "--al", "--cu", "--ma",
             "--pulse-ma", "--rate", "--width", "--fsd", "--field", "--histories", "--position", "--name",
             "--run", "--threads", "--seed", "--precision", "--yes", "--spectrum-only", "--out", "--help"})
        EXPECT_NE(help.find(std::string("  ") + option + " "), std::string::npos) << option;
}

TEST(RunFollower, LinesOfARunAndOfItsEnd)
{
    records::RunProgress progress;
    progress.done = 50;
    progress.total = 200;
    progress.workShare = 0.42;
    progress.secondsLeft = 83;
    EXPECT_EQ(ProgressLine(progress), "   42%  残り 0:01:23 [ 42% done, 0:01:23 left]");
    progress.precisionAsked = 5;
    progress.secondsLeft = -1;
    EXPECT_EQ(ProgressLine(progress), "   42%  残り —  誤差 — / 5% [ 42% done, — left, error — of 5%]");
    progress.precisionReached = 7.254;
    EXPECT_NE(ProgressLine(progress).find("error 7.25% of 5%]"), std::string::npos);

    records::RunProgress failed;
    failed.state = records::RunProgress::State::Failed;
    failed.message = "書けません [cannot write]";
    const struct {
        int status;
        std::optional<records::RunProgress> last;
        std::string english;
    } endings[] = {
        {0, progress, "[the run finished]"},
        {5, std::nullopt, "[the run was stopped; no result was written]"},
        {1, failed, "計算は失敗しました: 書けません [cannot write]"},
        {1, std::nullopt, "[the engine ended with exit status 1]"},
        {137, progress, "[the engine was ended by signal 9]"},
    };
    for (const auto& e : endings)
        EXPECT_NE(RunEndingLine(e.status, e.last).find(e.english), std::string::npos) << e.english;
}

// Runs the real program in a scratch working directory holding the shipped tables.
class BriscaJobRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(work_);
        for (const char* table : {"MUs.dat", "Air.eac", "default-output.op"})
            fs::copy_file(fs::path(BRISCA_DATA_DIR) / table, work_ / table);
    }

    // Exit status of `program arguments`, run in the working directory; output is kept.
    int Run(const fs::path& program, const std::string& arguments)
    {
        const std::string command = "cd '" + work_.string() + "' && '" + program.string() + "' " + arguments +
                                    " > stdout.txt 2> stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string Read(const fs::path& path) { return testsupport::ReadBytes(path); }

    testsupport::TempFolder temp_{"brisca-job"};
    const fs::path root_ = temp_.Path();
    const fs::path work_ = root_ / "work";
};

TEST_F(BriscaJobRun, WritesTheFilesOfTheCalculationStart)
{
    struct Case {
        std::string arguments;
        CalculationEntries entries;
    };
    const Case cases[] = {
        {"--name run1", Entries([](CalculationEntries& e) { e.resultName = "run1"; })},
        {"--kv 120 --waveform single-phase --angle 16 --inherent 3 --al 0 --cu 0.2 --pulse-ma 10 --rate 7.5 "
         "--width 4 "
         "--fsd 5 --field 30x7 --histories 1e8 --position standing --name 'chest 120kV'",
            Entries([](CalculationEntries& e) {
                e.tubeVoltageKv = "120";
                e.rectifier = Rectifier::SinglePhase;
                e.targetAngleDegrees = "16";
                e.inherentFiltrationMmAl = "3";
                e.addedAluminiumMm = "0";
                e.addedCopperMm = "0.2";
                e.meanTubeCurrentMa = "0.3";
                e.fsdCm = "5";
                e.fieldLongCm = "30";
                e.fieldShortCm = "7";
                e.histories = "1e8";
                e.position = PatientPosition::Standing;
                e.resultName = "chest 120kV";
            })},
        {"--kv 200 --inherent 0.2 --waveform three-phase --name limited", Entries([](CalculationEntries& e) {
             e.tubeVoltageKv = "200";
             e.inherentFiltrationMmAl = "0.2";
             e.rectifier = Rectifier::ThreePhase12Peak;
             e.resultName = "limited";
         })},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(BRISCA_JOB_PROGRAM, c.arguments), 0) << c.arguments << "\n"
                                                           << Read(work_ / "stderr.txt");
        const StartPreparation expected = PrepareCalculation(c.entries, ShippedTables());
        ASSERT_TRUE(expected.calculation);
        EXPECT_EQ(Read(work_ / "B_SPCTL.dat"), expected.calculation->spectrumFile) << c.arguments;
        EXPECT_EQ(Read(work_ / "B2F.txt"), expected.calculation->jobFile) << c.arguments;
    }
    EXPECT_NE(Read(work_ / "stderr.txt")
                  .find("管電圧 200 kV はスペクトルを計算できる範囲（30～149.5 kV）の外なので、149.5 kV "
                        "で計算します"),
        std::string::npos)
        << Read(work_ / "stderr.txt");
}

TEST_F(BriscaJobRun, DefaultNameIsTodaysDateAndPosition)
{
    ASSERT_EQ(Run(BRISCA_JOB_PROGRAM, "--position standing"), 0);
    const std::string job = Read(work_ / "B2F.txt");
    const std::string name = job.substr(job.rfind("\r\n", job.size() - 3) + 2);
    EXPECT_EQ(name.size(), std::string("2026-12-07-立位.dsr5\r\n").size()) << name;
    EXPECT_EQ(name.substr(4, 1) + name.substr(7, 1) + name.substr(10), "---立位.dsr5\r\n") << name;
}

TEST_F(BriscaJobRun, RefusalsGoToStandardErrorAndWriteNothing)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--name ''", " 結果保存ファイル名を入力して下さい  [Enter a name for the result file.]\n"},
        {"--pulse-ma 2 --rate 15",
            "　データを入力してください　 [Enter a tube current, pulse rate and pulse width above zero.]\n"},
        {"--histories 2e11 --name x",
            " 入射光子数 2.000E+11 の計算には、1 コアで約 20 時間かかります。計算を始めますか？  [A "
            "calculation "
            "of 2.000E+11 incident photons takes about 20 hours on one core. Start the calculation?]\n"
            "（確認なしで続けるには --yes を付けて実行して下さい） [add --yes to go on without being "
            "asked]\n"},
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, arguments), 1) << arguments;
        EXPECT_EQ(Read(work_ / "stderr.txt"), message) << arguments;
        EXPECT_FALSE(fs::exists(work_ / "B2F.txt")) << arguments;
        EXPECT_FALSE(fs::exists(work_ / "B_SPCTL.dat")) << arguments;
    }
    EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, "--histories 2e11 --name x --yes"), 0);
    EXPECT_TRUE(fs::exists(work_ / "B2F.txt"));
    EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, "--kv"), 2);
    EXPECT_EQ(Read(work_ / "stderr.txt")
                  .rfind("brisca-job: オプション --kv には値が要ります [option --kv needs a value]\n", 0),
        0u)
        << Read(work_ / "stderr.txt");
    fs::remove(work_ / "Air.eac");
    EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, "--name x"), 3);
    EXPECT_EQ(Read(work_ / "stderr.txt"),
        "Air.eac を開けません（ファイルがありません） [Air.eac: the file cannot be "
        "opened (No such file or directory)]\n");
}

// The figures on standard output and the CSV, and neither job file.
TEST_F(BriscaJobRun, SpectrumOnlyPrintsTheFiguresAndWritesTheCsv)
{
    struct Case {
        std::string arguments;
        std::string csv;
        CalculationEntries entries;
        std::string voltage; // the voltage used, on the error output, when it was limited
    };
    const Case cases[] = {
        {"--spectrum-only", "spectrum.csv", CalculationEntries{}, ""},
        {"--spectrum-only --kv 200 --waveform single-phase --cu 0.1 --fsd 60 --pulse-ma 2 --rate 15 --width "
         "5 "
         "--out 'beam 1.csv'",
            "beam 1.csv", Entries([](CalculationEntries& e) {
                e.tubeVoltageKv = "200";
                e.rectifier = Rectifier::SinglePhase;
                e.addedCopperMm = "0.1";
                e.fsdCm = "60";
                e.meanTubeCurrentMa = "0.15";
            }),
            "149.5 kV で計算します [A tube voltage of 200 kV is outside the range the spectrum can be "
            "calculated for (30 to 149.5 kV); the calculation uses 149.5 kV]\n"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(BRISCA_JOB_PROGRAM, c.arguments), 0) << c.arguments << "\n"
                                                           << Read(work_ / "stderr.txt");
        const BeamQuality beam = ComputeBeamQuality(*ReadCalculationEntries(c.entries), ShippedTables());
        EXPECT_TRUE(Read(work_ / "stderr.txt").ends_with(c.voltage)) << Read(work_ / "stderr.txt");
        std::string printed;
        for (const std::string& line : BeamConditionLines(beam)) printed += line + "\n";
        for (const BeamFigure& figure : BeamFigures(beam)) printed += BeamFigureLine(figure) + "\n";
        EXPECT_EQ(Read(work_ / "stdout.txt"),
            printed + c.csv + " にスペクトルを書き込みました。 [wrote the spectrum to " + c.csv + "]\n");
        EXPECT_EQ(Read(work_ / c.csv), SpectrumCsvText(beam)) << c.arguments;
        EXPECT_FALSE(fs::exists(work_ / "B2F.txt")) << c.arguments;
        EXPECT_FALSE(fs::exists(work_ / "B_SPCTL.dat")) << c.arguments;
    }

    EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, "--spectrum-only --angle 0 --out refused.csv"), 1);
    EXPECT_NE(Read(work_ / "stderr.txt").find("ターゲット角度 0 度"), std::string::npos);
    EXPECT_FALSE(fs::exists(work_ / "refused.csv"));
    EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, "--spectrum-only --out missing/beam.csv"), 3);
}

TEST_F(BriscaJobRun, HelpExitsWithoutWriting)
{
    EXPECT_EQ(Run(BRISCA_JOB_PROGRAM, "--help"), 0);
    EXPECT_EQ(Read(work_ / "stdout.txt"), JobOptionsHelp());
    EXPECT_FALSE(fs::exists(work_ / "B2F.txt"));
}

// --run with a stand-in engine that records whether its input was at its end and where it ran.
TEST_F(BriscaJobRun, RunStartsTheEngineWithEmptyInputAndWaits)
{
    const fs::path programs = root_ / "bin";
    fs::create_directories(programs);
    const fs::path job = programs / "brisca-job";
    fs::copy_file(BRISCA_JOB_PROGRAM, job);
    const auto writeEngine = [](const fs::path& path, const std::string& tag, int status) {
        std::ofstream(path) << "#!/bin/sh\nif read line; then input=line; else input=end; fi\n"
                            << "echo \"" << tag << " $input $(pwd) $(head -c 9 B2F.txt)\" > engine.txt\nexit "
                            << status << "\n";
        fs::permissions(path, fs::perms::owner_all);
    };

    EXPECT_EQ(Run(job, "--position standing --name x --run"), 4) << "no engine anywhere";
    EXPECT_NE(Read(work_ / "stderr.txt").find("mcstand"), std::string::npos);

    writeEngine(work_ / "mcstand", "working", 0);
    EXPECT_EQ(Run(job, "--position standing --name x --run"), 0);
    EXPECT_EQ(Read(work_ / "engine.txt"), "working end " + work_.string() + " 2.006E-03\n");

    writeEngine(programs / "mcsupine", "beside", 7);
    writeEngine(work_ / "mcsupine", "working", 0);
    EXPECT_EQ(Run(job, "--name x --run"), 7) << "the engine's own exit status";
    EXPECT_EQ(Read(work_ / "engine.txt"), "beside end " + work_.string() + " 2.006E-03\n");
}

// --run follows the engine's progress file, hands on the seed and the precision, says how
// the run ended and clears a failed run's progress file once it has shown the message.
TEST_F(BriscaJobRun, RunFollowsTheProgressFileAndSaysHowTheRunEnded)
{
    const struct {
        const char* label;
        std::string script; // after writing a running file at 50 %
        int status;
        std::string ending;
    } cases[] = {
        {"finished", "exit 0", 0, "[the run finished]"},
        {"failed",
            "printf 'brisca-progress 1\\npid 1\\ndone 0\\ntotal 0\\nelapsed_s 0\\nleft_s -1\\n"
            "precision_asked 5\\nprecision_reached -1\\nstate failed\\nmessage 書けません [cannot write]\\n'"
            " > x.dsr5.progress; exit 1",
            1, "計算は失敗しました: 書けません [cannot write]"},
    };
    // Away from the real engines beside the built brisca-job.
    fs::create_directories(root_ / "bin");
    fs::copy_file(BRISCA_JOB_PROGRAM, root_ / "bin" / "brisca-job");
    for (const auto& c : cases) {
        std::ofstream(work_ / "mcsupine")
            << "#!/bin/sh\necho \"$BRISCA_SEED $BRISCA_PRECISION\" > engine.txt\n"
            << "printf 'brisca-progress 1\\npid 1\\ndone 50\\ntotal 100\\nelapsed_s 1\\nleft_s 1\\n"
               "precision_asked 5\\nprecision_reached 7.5\\nstate running\\n' > x.dsr5.progress\n"
            << "sleep 1\n"
            << c.script << "\n";
        fs::permissions(work_ / "mcsupine", fs::perms::owner_all);
        EXPECT_EQ(Run(root_ / "bin" / "brisca-job", "--name x --seed 17 --precision 5 --run"), c.status)
            << c.label;
        EXPECT_EQ(Read(work_ / "engine.txt"), "17 5\n") << c.label;
        const std::string shown = Read(work_ / "stderr.txt");
        EXPECT_NE(shown.find(" 50%  残り 0:00:01  誤差 7.50% / 5%"), std::string::npos) << c.label << shown;
        EXPECT_NE(shown.find(c.ending + "\n"), std::string::npos) << c.label << shown;
        EXPECT_FALSE(fs::exists(work_ / "x.dsr5.progress") && c.status != 0) << c.label;
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
