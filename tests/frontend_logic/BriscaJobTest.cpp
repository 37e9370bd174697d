// brisca-job: its options, and the files it writes compared with the calculation start's.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ShippedTables.h"
#include "commandline/JobOptions.h"
#include "logic/exports/SpectrumExport.h"
#include "logic/start/BeamQuality.h"
#include "logic/start/CalculationStart.h"
#include "logic/start/MeanTubeCurrent.h"
#include "logic/start/StartChecks.h"

using namespace brisca;

namespace {

namespace fs = std::filesystem;

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
    EXPECT_TRUE(ParseJobOptions({"--help"})->help);
}

TEST(JobOptions, HelpListsEveryOption)
{
    const std::string help = JobOptionsHelp();
    for (const char* option : {"--kv", "--waveform", "--angle", "--inherent", "--al", "--cu", "--ma",
             "--pulse-ma", "--rate", "--width", "--fsd", "--field", "--histories", "--position", "--name",
             "--run", "--threads", "--yes", "--spectrum-only", "--out", "--help"})
        EXPECT_NE(help.find(std::string("  ") + option + " "), std::string::npos) << option;
}

// Runs the real program in a scratch working directory holding the shipped tables.
class BriscaJobRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ =
            fs::temp_directory_path() /
            ("brisca-job-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        work_ = root_ / "work";
        fs::create_directories(work_);
        for (const char* table : {"MUs.dat", "Air.eac", "default-output.op"})
            fs::copy_file(fs::path(BRISCA_DATA_DIR) / table, work_ / table);
    }
    void TearDown() override { fs::remove_all(root_); }

    // Exit status of `program arguments`, run in the working directory; output is kept.
    int Run(const fs::path& program, const std::string& arguments)
    {
        const std::string command = "cd '" + work_.string() + "' && '" + program.string() + "' " + arguments +
                                    " > stdout.txt 2> stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string Read(const fs::path& path)
    {
        std::ifstream stream(path, std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    fs::path root_;
    fs::path work_;
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
        {"--histories 99999999", "ヒストリー数は少なくても１億個以上が必要です。\n"},
        {"--field 30.5x20", " 照射野（透視時）は 30×30 以下に設定して下さい \n"},
        {"--name ''", " 結果保存ファイル名を入力して下さい \n"},
        {"--angle 0 --name x", "ターゲット角度 0 度ではＸ線スペクトルを計算できません。0 度より大きく 90 "
                               "度以下の角度を入力して下さい。\n"},
        {"--pulse-ma 2 --rate 15", "　データを入力してください　\n"},
        {"--histories 2e11 --name x",
            " 入射光子数 2.000E+11 の計算には、1 コアで約 20 時間かかります。計算を始めますか？ \n"
            "（確認なしで続けるには --yes を付けて実行して下さい）\n"},
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
    EXPECT_EQ(Read(work_ / "stderr.txt"), "Air.eac を開けません [Air.eac: the file cannot be opened]\n");
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
            "149.5 kV で計算します\n"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(BRISCA_JOB_PROGRAM, c.arguments), 0) << c.arguments << "\n"
                                                           << Read(work_ / "stderr.txt");
        const BeamQuality beam = ComputeBeamQuality(*ReadCalculationEntries(c.entries), ShippedTables());
        EXPECT_TRUE(Read(work_ / "stderr.txt").ends_with(c.voltage)) << Read(work_ / "stderr.txt");
        std::string printed;
        for (const std::string& line : BeamConditionLines(beam)) printed += line + "\n";
        for (const BeamFigure& figure : BeamFigures(beam)) printed += BeamFigureLine(figure) + "\n";
        EXPECT_EQ(Read(work_ / "stdout.txt"), printed + c.csv + " にスペクトルを書き込みました。\n");
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

} // namespace
