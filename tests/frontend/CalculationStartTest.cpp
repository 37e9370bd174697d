// "計算スタート": the three checks, the files it writes, the faults it refuses, the engine
// start and the two notices; the files match brisca-job's, and both engines run on them.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <cmath>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "logic/text/NumberText.h"
#include "windows/MainWindow.h"

using namespace brisca;

using brisca::MainWindow;
using brisca::MessageIcon;

namespace {

const QString kLongTime = " 計算には長時間を要します。";
const QString kThreads =
    " cpuスレッド数以内であれば、同時に異なる条件下でシミュレーションを行なうことができます ";

QStringList Lines(const QByteArray& file)
{
    QStringList lines = QString::fromUtf8(file).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

class CalculationStart : public WorkingFolder {
protected:
    // An engine program in the working folder that does nothing.
    void PlaceEngine(const QString& name)
    {
        Write(name, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(Path(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const auto& message : platform.messages) texts << message.text;
        return texts;
    }

    // Checks that the start was the given engine beside the program, then runs it on the two
    // files just written with few histories, so that the run takes a moment.
    void RunStartedEngine(const QString& expectedProgram)
    {
        ASSERT_EQ(platform.starts.size(), 1u);
        const QString engine = platform.starts[0].program;
        EXPECT_EQ(engine, expectedProgram);

        QStringList job = Lines(Read("B2F.txt"));
        job[4] = "2.000E+04";
        Write("B2F.txt", (job.join("\r\n") + "\r\n").toUtf8());

        QProcess run;
        run.setWorkingDirectory(platform.starts[0].workingDirectory);
        run.setStandardInputFile(QProcess::nullDevice());
        run.start(engine, {});
        ASSERT_TRUE(run.waitForFinished(120000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    }
};

struct CheckCase {
    const char* box;
    const char* text;
    const char* warning;        // empty: the start goes through
    const char* historiesAfter; // historiesEdit afterwards
};

TEST_F(CalculationStart, ChecksStopTheStartBeforeAnyFileIsWritten)
{
    const CheckCase cases[] = {
        {"historiesEdit", "99999999", "ヒストリー数は少なくても１億個以上が必要です。", "100000000"},
        {"historiesEdit", "", "ヒストリー数は少なくても１億個以上が必要です。", "100000000"},
        {"historiesEdit", "100000000", "", "100000000"},
        {"fieldLongEdit", "30.5", " 照射野（透視時）は 30×30 以下に設定して下さい ", "500000000"},
        {"fieldShortEdit", "30.5", " 照射野（透視時）は 30×30 以下に設定して下さい ", "500000000"},
        {"fieldLongEdit", "30", "", "500000000"},
        {"resultNameEdit", "", " 結果保存ファイル名を入力して下さい ", "500000000"},
        {"resultNameEdit", "あいうえおかきくけこあいうえおかきくけこあいうえおかきくけこあいうえおかきくけこ",
            " 結果保存ファイル名は拡張子なしで 25 文字以内にして下さい（40 文字あります） ", "500000000"},
        {"resultNameEdit", "あいうえおかきくけこさしすせそたちつてとなにぬねの", "", "500000000"},
    };
    for (const CheckCase& c : cases) {
        TearDown();
        SetUp();
        PlaceEngine("mcsupine");
        MainWindow& form = Loaded();
        form.findChild<QLineEdit*>(c.box)->setText(QString::fromUtf8(c.text));
        Click(form, "startButton");
        const std::string label = std::string(c.box) + "=" + c.text;
        EXPECT_EQ(Find<QLineEdit>(form, "historiesEdit")->text(), c.historiesAfter) << label;
        if (*c.warning == '\0') {
            EXPECT_EQ(MessageTexts(), QStringList({kLongTime, kThreads})) << label;
            EXPECT_TRUE(Exists("B2F.txt")) << label;
            continue;
        }
        EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(c.warning)}) << label;
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
        EXPECT_FALSE(Exists("B2F.txt")) << label;
        EXPECT_FALSE(Exists("B_SPCTL.dat")) << label;
        EXPECT_TRUE(platform.starts.empty()) << label;
    }
    // The longest name the engine keeps whole reaches the job file with its extension.
    EXPECT_EQ(Lines(Read("B2F.txt")).value(5), "あいうえおかきくけこさしすせそたちつてとなにぬねの.dsr5");
}

TEST_F(CalculationStart, ACommaDecimalInAnyNumberBoxIsRefusedNamingTheBox)
{
    const std::pair<const char*, const char*> startBoxes[] = {
        {"fsdEdit", "FSD"},
        {"fieldLongEdit", "照射野サイズ（長軸）"},
        {"fieldShortEdit", "照射野サイズ（短軸）"},
        {"tubeVoltageEdit", "Ｘ線管電圧"},
        {"targetAngleEdit", "ターゲット角度"},
        {"inherentFiltrationEdit", "固有ろ過"},
        {"aluminiumFilterEdit", "アルミ付加フィルタ"},
        {"copperFilterEdit", "銅付加フィルタ"},
        {"meanCurrentEdit", "管電流"},
        {"historiesEdit", "入射光子数"},
    };
    for (const auto& [box, label] : startBoxes) {
        TearDown();
        SetUp();
        PlaceEngine("mcsupine");
        MainWindow& form = Loaded();
        form.findChild<QLineEdit*>(box)->setText("2,5");
        Click(form, "startButton");
        ASSERT_EQ(platform.messages.size(), 1u) << box;
        const QString text = platform.messages[0].text;
        EXPECT_TRUE(text.startsWith(QString(" ") + label) && text.contains("「2,5」") && text.contains("2.5"))
            << text.toStdString();
        EXPECT_FALSE(Exists("B2F.txt")) << box;
        EXPECT_TRUE(platform.starts.empty()) << box;
    }
}

TEST_F(CalculationStart, AVeryLongRunIsStartedOnlyAfterConfirmation)
{
    PlaceEngine("mcsupine");
    MainWindow& form = Loaded();
    Find<QLineEdit>(form, "historiesEdit")->setText("2e11");
    platform.messageAnswers = {brisca::MessageAnswer::Cancel};
    Click(form, "startButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("約 20 時間")) << platform.messages[0].text.toStdString();
    EXPECT_EQ(platform.messages[0].buttons, brisca::MessageButtons::OkCancel);
    EXPECT_FALSE(Exists("B2F.txt"));
    EXPECT_TRUE(platform.starts.empty());

    Click(form, "startButton"); // answered OK
    EXPECT_EQ(MessageTexts().mid(1), QStringList({platform.messages[0].text, kLongTime, kThreads}));
    EXPECT_EQ(Lines(Read("B2F.txt")).value(4), "2.000E+11");
    EXPECT_EQ(platform.starts.size(), 1u);
}

TEST_F(CalculationStart, DefaultsWriteBothFilesStartTheEngineAndShowTwoNotices)
{
    PlaceEngine("mcsupine");
    MainWindow& form = Loaded();
    Click(form, "startButton");

    const QStringList job = Lines(Read("B2F.txt"));
    ASSERT_EQ(job.size(), 6);
    EXPECT_EQ(job[0].toStdString(), FormatNumber(state.job.tubeOutput, "0.000E+00"));
    EXPECT_EQ(job.mid(1), QStringList({"90.0", "20.0", "20.0", "5.000E+08", "2026-12-07-臥位.dsr5"}));

    const QStringList spectrum = Lines(Read("B_SPCTL.dat"));
    ASSERT_EQ(spectrum.size(), 307);
    EXPECT_EQ(spectrum[0], "0000.5, 0.00000");
    EXPECT_EQ(spectrum[299], "0150.0, 0.00000");
    EXPECT_EQ(spectrum.mid(301), QStringList({"080.0", "1.00", "12.0", "02.500", "01.500", "00.000"}));
    EXPECT_EQ(spectrum.mid(0, 300).filter(", 1.00000").size(), 1);
    EXPECT_FALSE(Read("B_SPCTL.dat").contains("nan"));

    EXPECT_EQ(state.job.fsd, 90.0);
    EXPECT_EQ(state.job.fieldLong, 20.0);
    EXPECT_EQ(state.job.histories, 5e8);
    EXPECT_GT(state.job.tubeOutput, 0.0);
    EXPECT_GT(state.spectrum.kermaRatio, 0.0);

    ASSERT_EQ(platform.starts.size(), 1u);
    const brisca::ProgramStart& start = platform.starts[0];
    EXPECT_EQ(start.program, Path("mcsupine"));
    EXPECT_EQ(QDir(start.workingDirectory), QDir::current());
    EXPECT_EQ(start.style, brisca::WindowStyle::NormalFocus);
    EXPECT_EQ(start.logFile, Path("2026-12-07-臥位.log"));

    // Files first, then the start, then the two notices without icon.
    EXPECT_EQ(platform.events.filter(QRegularExpression("start|message")),
        QStringList({"start", "message", "message"}));
    EXPECT_EQ(MessageTexts(), QStringList({kLongTime, kThreads}));
    // In front of the engine's console window, which has just opened.
    for (const auto& message : platform.messages) {
        EXPECT_TRUE(message.inFront);
        EXPECT_EQ(message.icon, MessageIcon::None);
        EXPECT_EQ(message.buttons, brisca::MessageButtons::Ok);
    }
}

TEST_F(CalculationStart, AVoltageOutsideTheSpectrumIsUsedOnlyWhenTheUserAgrees)
{
    PlaceEngine("mcsupine");
    MainWindow& form = Loaded();
    for (const brisca::MessageAnswer answer : {brisca::MessageAnswer::Cancel, brisca::MessageAnswer::Ok}) {
        platform.messages.clear();
        platform.messageAnswers = {answer};
        Find<QLineEdit>(form, "tubeVoltageEdit")->setText("200");
        Click(form, "startButton");
        ASSERT_FALSE(platform.messages.empty());
        const QString& notice = platform.messages[0].text;
        EXPECT_TRUE(notice.contains("管電圧 200 kV は") && notice.contains("149.5 kV で計算します"))
            << notice.toStdString();
        EXPECT_EQ(platform.messages[0].buttons, brisca::MessageButtons::OkCancel);
        EXPECT_EQ(Find<QLineEdit>(form, "tubeVoltageEdit")->text(), "149.5");
        const bool goesOn = answer == brisca::MessageAnswer::Ok;
        EXPECT_EQ(Exists("B2F.txt"), goesOn);
        EXPECT_EQ(platform.starts.size(), goesOn ? 1u : 0u);
        EXPECT_EQ(platform.messages.size(), goesOn ? 3u : 1u);
    }
}

struct EntryCase {
    const char* box;
    const char* text;
    int line; // 1-based line of the file that shows it
    const char* file;
    const char* expected;  // that line's text
    const char* shownText; // the box afterwards
};

TEST_F(CalculationStart, EntriesReachTheFilesInTheirPatternsAndLimits)
{
    const EntryCase cases[] = {
        {"fsdEdit", "5", 2, "B2F.txt", "05.0", "5"},
        {"fsdEdit", "120", 2, "B2F.txt", "120.0", "120"},
        {"fieldLongEdit", "5", 3, "B2F.txt", "5.0", "5"},
        {"historiesEdit", "100000000", 5, "B2F.txt", "1.000E+08", "100000000"},
        {"tubeVoltageEdit", "150", 302, "B_SPCTL.dat", "149.5", "149.5"},
        {"tubeVoltageEdit", "25", 302, "B_SPCTL.dat", "030.0", "30"},
        {"inherentFiltrationEdit", "0.5", 305, "B_SPCTL.dat", "01.000", "1"},
        {"targetAngleEdit", "15", 304, "B_SPCTL.dat", "15.0", "15"},
        {"copperFilterEdit", "0.1", 307, "B_SPCTL.dat", "00.100", "0.1"},
        {"meanCurrentEdit", "0.15", 303, "B_SPCTL.dat", "0.15", "0.15"},
        {"meanCurrentEdit", "", 1, "B2F.txt", "0.000E+00", ""},
    };
    PlaceEngine("mcsupine");
    for (const EntryCase& c : cases) {
        TearDown();
        SetUp();
        PlaceEngine("mcsupine");
        MainWindow& form = Loaded();
        QLineEdit* box = form.findChild<QLineEdit*>(c.box);
        box->setText(QString::fromUtf8(c.text));
        Click(form, "startButton");
        const std::string label = std::string(c.box) + "=" + c.text;
        EXPECT_EQ(Lines(Read(c.file)).value(c.line - 1), c.expected) << label;
        EXPECT_EQ(box->text(), QString::fromUtf8(c.shownText)) << label;
        EXPECT_EQ(platform.starts.size(), 1u) << label; // an empty current still starts
    }
}

TEST_F(CalculationStart, WaveformAndPulsedCurrentShapeTheSpectrum)
{
    PlaceEngine("mcsupine");
    MainWindow& form = Loaded();
    Click(form, "startButton");
    const QStringList constant = Lines(Read("B_SPCTL.dat"));
    const double constantOutput = state.job.tubeOutput;

    Click(form, "singlePhaseOption");
    Click(form, "pulsedOption"); // pulsed without "OK →": no mean current yet
    Click(form, "startButton");
    const QStringList singlePhase = Lines(Read("B_SPCTL.dat"));
    EXPECT_NE(singlePhase.mid(0, 300), constant.mid(0, 300));
    EXPECT_EQ(singlePhase[302], "0.00");
    EXPECT_EQ(Lines(Read("B2F.txt"))[0], "0.000E+00");

    Find<QLineEdit>(form, "pulseRateEdit")->setText("15");
    Find<QLineEdit>(form, "pulseWidthEdit")->setText("5");
    Find<QLineEdit>(form, "tubeCurrentEdit")->setText("2");
    Click(form, "meanCurrentButton");
    Click(form, "constantPotentialOption");
    Click(form, "startButton");
    EXPECT_EQ(Lines(Read("B_SPCTL.dat"))[302], "0.15");
    EXPECT_NEAR(state.job.tubeOutput, 0.15 * constantOutput, 1e-12 * constantOutput);
}

struct FaultCase {
    const char* box;
    const char* text;
    const char* said; // a word the warning must contain
};

TEST_F(CalculationStart, ArithmeticFaultsWarnWriteNothingAndStartNothing)
{
    const FaultCase cases[] = {
        {"targetAngleEdit", "0", ""},    // cotangent of 0° is not finite
        {"targetAngleEdit", "95", ""},   // beyond 90° the target faces away
        {"copperFilterEdit", "1e6", ""}, // filtration leaves nothing
        {"fsdEdit", "1e999", "FSD"},
    };
    for (const FaultCase& c : cases) {
        TearDown();
        SetUp();
        PlaceEngine("mcsupine");
        Write("B2F.txt", "old job\r\n");
        MainWindow& form = Loaded();
        form.findChild<QLineEdit*>(c.box)->setText(c.text);
        Click(form, "startButton");
        const std::string label = std::string(c.box) + "=" + c.text;
        ASSERT_EQ(platform.messages.size(), 1u) << label;
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning) << label;
        EXPECT_TRUE(platform.messages[0].text.contains(c.said)) << label;
        EXPECT_FALSE(platform.messages[0].text.isEmpty()) << label;
        EXPECT_EQ(Read("B2F.txt"), "old job\r\n") << label;
        EXPECT_FALSE(Exists("B_SPCTL.dat")) << label;
        EXPECT_TRUE(platform.starts.empty()) << label;
    }
}

TEST_F(CalculationStart, AVoltageBeyondTheOutputTableIsRefused)
{
    // A tube output table that ends at 140 kV.
    QByteArray table = "header\r\n40 50 60 70 80 90 100 110 120 130 135 140\r\n";
    for (int waveform = 0; waveform < 3; ++waveform) table += "1 1 1 1 1 1 1 1 1 1 1 1 2.5 0\r\n";
    Write("default-output.op", table);
    PlaceEngine("mcsupine");
    MainWindow& form = Loaded();
    Find<QLineEdit>(form, "tubeVoltageEdit")->setText("145");
    Click(form, "startButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(Exists("B_SPCTL.dat"));
    EXPECT_FALSE(Exists("B2F.txt"));
    EXPECT_TRUE(platform.starts.empty());

    // Exactly at a tabulated voltage the table's output holds, times the kerma ratio.
    platform.messages.clear();
    Find<QLineEdit>(form, "tubeVoltageEdit")->setText("140");
    Click(form, "startButton");
    EXPECT_NEAR(state.job.tubeOutput, state.spectrum.kermaRatio * 1.0 * 1.0 * 60 * 33.97, 1e-12);
}

TEST_F(CalculationStart, AnUnwritableFileOrAMissingEngineWarnsAndStartsNothing)
{
    MainWindow& form = Loaded();
    Click(form, "startButton"); // no mcsupine anywhere
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("mcsupine"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(platform.starts.empty());

    platform.messages.clear();
    PlaceEngine("mcstand");
    platform.startSucceeds = false;
    Click(form, "standingOption");
    Click(form, "startButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("mcstand"));
    EXPECT_EQ(platform.starts.size(), 1u);

    platform = brisca::ScriptedPlatform{};
    QFile::remove("B2F.txt");
    ASSERT_TRUE(QDir().mkdir("B2F.txt"));
    Click(form, "startButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("B2F.txt")) << platform.messages[0].text.toStdString();
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_EQ(QDir().entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList());
}

// The window and brisca-job, given the same conditions, write the same bytes.
struct TwinCase {
    std::vector<std::pair<const char*, const char*>> entries; // box, text
    const char* option;                                       // option clicked first, or ""
    QStringList arguments;                                    // brisca-job options
};

TEST_F(CalculationStart, TheWindowAndBriscaJobWriteIdenticalFiles)
{
#ifndef BRISCA_JOB
    GTEST_SKIP() << "brisca-job is not built";
#else
    const TwinCase cases[] = {
        {{}, "", {}},
        {{{"tubeVoltageEdit", "120"}, {"aluminiumFilterEdit", "0"}, {"copperFilterEdit", "0.2"}},
            "threePhaseOption", {"--kv", "120", "--al", "0", "--cu", "0.2", "--waveform", "three-phase"}},
        {{{"tubeVoltageEdit", "60"}, {"targetAngleEdit", "10"}, {"inherentFiltrationEdit", "0.5"},
             {"fsdEdit", "65"}},
            "singlePhaseOption",
            {"--kv", "60", "--angle", "10", "--inherent", "0.5", "--fsd", "65", "--waveform",
                "single-phase"}},
        {{{"tubeVoltageEdit", "200"}, {"fieldLongEdit", "25"}, {"fieldShortEdit", "12.5"},
             {"historiesEdit", "1e9"}},
            "standingOption",
            {"--kv", "200", "--field", "25x12.5", "--histories", "1e9", "--position", "standing"}},
        {{{"tubeCurrentEdit", "2"}, {"pulseRateEdit", "15"}, {"pulseWidthEdit", "5"}}, "pulsedOption",
            {"--pulse-ma", "2", "--rate", "15", "--width", "5"}},
    };
    QTemporaryDir jobFolder;
    for (const char* name : {"MUs.dat", "Air.eac", "default-output.op"}) {
        QFile::copy(QString(BRISCA_DATA_DIR) + "/" + name, jobFolder.filePath(name));
    }
    int index = 0;
    for (const TwinCase& c : cases) {
        TearDown();
        SetUp();
        PlaceEngine("mcsupine");
        PlaceEngine("mcstand");
        MainWindow& form = Loaded();
        if (*c.option != '\0') form.findChild<QRadioButton*>(c.option)->click();
        for (const auto& [box, text] : c.entries) form.findChild<QLineEdit*>(box)->setText(text);
        if (Find<QRadioButton>(form, "pulsedOption")->isChecked()) Click(form, "meanCurrentButton");
        const QString name = QString("twin%1").arg(index++);
        Find<QLineEdit>(form, "resultNameEdit")->setText(name);
        Click(form, "startButton");
        ASSERT_EQ(platform.starts.size(), 1u) << name.toStdString();

        QProcess job;
        job.setWorkingDirectory(jobFolder.path());
        job.start(BRISCA_JOB, QStringList(c.arguments) << "--name" << name);
        ASSERT_TRUE(job.waitForFinished(30000));
        ASSERT_EQ(job.exitCode(), 0) << job.readAllStandardError().toStdString();
        for (const char* file : {"B_SPCTL.dat", "B2F.txt"}) {
            QFile written(jobFolder.filePath(file));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            EXPECT_EQ(Read(file), written.readAll()) << name.toStdString() << " " << file;
        }
    }
#endif
}

// Each condition the start refuses, the window and brisca-job refuse with the same words.
struct RefusalCase {
    const char* box;
    const char* text;
    QStringList arguments; // brisca-job options for the same condition
    const char* said;      // words the message must hold
};

TEST_F(CalculationStart, TheWindowAndBriscaJobRefuseWithTheSameMessage)
{
#ifndef BRISCA_JOB
    GTEST_SKIP() << "brisca-job is not built";
#else
    const RefusalCase cases[] = {
        {"resultNameEdit", "abcdefghijklmnopqrstuvwxyz", {"--name", "abcdefghijklmnopqrstuvwxyz"},
            "25 文字以内"},
        {"resultNameEdit", "a/b", {"--name", "a/b"}, "「/」"},
        {"resultNameEdit", "a\\b", {"--name", "a\\b"}, "「\\」"},
        {"resultNameEdit", "..", {"--name", ".."}, "「..」"},
        {"resultNameEdit", "   ", {"--name", "   "}, "空白だけ"},
        {"resultNameEdit", "a\tb", {"--name", "a\tb"}, "制御文字"},
        {"fsdEdit", "0", {"--fsd", "0"}, "FSD"},
        {"fsdEdit", "-10", {"--fsd", "-10"}, "FSD"},
        {"fieldLongEdit", "0", {"--field", "0x20"}, "長軸"},
        {"fieldShortEdit", "-5", {"--field", "20x-5"}, "短軸"},
        {"meanCurrentEdit", "-1", {"--ma", "-1"}, "管電流"},
        {"copperFilterEdit", "2,5", {"--cu", "2,5"}, "2.5"},
        {"tubeVoltageEdit", "80kV", {"--kv", "80kV"}, "Ｘ線管電圧"},
        {"historiesEdit", "1.5.2", {"--histories", "1.5.2"}, "入射光子数"},
        {"historiesEdit", "5", {"--histories", "5"}, "１億個以上"},
        {"historiesEdit", "2e15", {"--histories", "2e15"}, "1E+15"},
        {"fieldLongEdit", "31", {"--field", "31x20"}, "30×30"},
        {"targetAngleEdit", "0", {"--angle", "0"}, "ターゲット角度"},
        {"copperFilterEdit", "1e6", {"--cu", "1e6"}, ""},
        {"fsdEdit", "1e999", {"--fsd", "1e999"}, "大きすぎ"},
        {"tubeVoltageEdit", "1e400", {"--kv", "1e400"}, "Ｘ線管電圧 の「1e400」"},
    };
    for (const RefusalCase& c : cases) {
        TearDown();
        SetUp();
        MainWindow& form = Loaded();
        form.findChild<QLineEdit*>(c.box)->setText(QString::fromUtf8(c.text));
        Click(form, "startButton");
        const std::string label = std::string(c.box) + "=" + c.text;
        ASSERT_EQ(platform.messages.size(), 1u) << label;
        EXPECT_TRUE(platform.messages[0].text.contains(QString::fromUtf8(c.said))) << label;
        EXPECT_FALSE(Exists("B2F.txt")) << label;

        QStringList arguments = c.arguments;
        if (!arguments.contains("--name"))
            arguments << "--name"
                      << "x";
        QProcess job;
        job.setWorkingDirectory(QDir::currentPath());
        job.start(BRISCA_JOB, arguments);
        ASSERT_TRUE(job.waitForFinished(30000));
        EXPECT_EQ(job.exitCode(), 1) << label;
        // The console adds the English in brackets to the window's Japanese.
        EXPECT_TRUE(
            QString::fromUtf8(job.readAllStandardError()).startsWith(platform.messages[0].text + " ["))
            << label;
        EXPECT_FALSE(Exists("B2F.txt")) << label;
    }
#endif
}

// Standing position, "計算スタート", then the real mcstand on the two files just written.
TEST_F(CalculationStart, TheStandingEngineRunsOnTheWindowsFiles)
{
#ifndef BRISCA_BIN_DIR
    GTEST_SKIP() << "mcstand is not built";
#else
    platform.programFolder = BRISCA_BIN_DIR;
    MainWindow& form = Loaded();
    Click(form, "standingOption");
    Click(form, "startButton");
    ASSERT_NO_FATAL_FAILURE(RunStartedEngine(QDir(BRISCA_BIN_DIR).filePath("mcstand")));

    const QStringList result = Lines(Read("2026-12-07-立位.dsr5"));
    ASSERT_EQ(result.size(), 387);
    EXPECT_EQ(result[0], "  2");
    const double header2 = state.job.tubeOutput * 10000 / (90.0 * 90.0);
    EXPECT_NEAR(result[1].toDouble(), header2, 1e-4 * header2);
    EXPECT_EQ(result.mid(2, 3), QStringList({" 90.0", " 20.0", " 20.0"}));
    EXPECT_EQ(result[5].trimmed(), "80.0");
    EXPECT_DOUBLE_EQ(result[6].toDouble(), 1.0);
    EXPECT_EQ(result[7].trimmed(), "12.0");
    EXPECT_EQ(result.mid(8, 3), QStringList({"  2.500", "  1.500", "  0.000"}));
    EXPECT_DOUBLE_EQ(result[11].toDouble(), 20000.0);
    EXPECT_EQ(result[12], " -50.0 cm");
#endif
}

// The default supine position, "計算スタート", then the real mcsupine found beside the program.
TEST_F(CalculationStart, TheSupineEngineRunsOnTheWindowsFiles)
{
#ifndef BRISCA_BIN_DIR
    GTEST_SKIP() << "the engines are not built";
#else
    platform.programFolder = BRISCA_BIN_DIR;
    MainWindow& form = Loaded();
    Click(form, "startButton");
    ASSERT_NO_FATAL_FAILURE(RunStartedEngine(QDir(BRISCA_BIN_DIR).filePath("mcsupine")));

    const QStringList result = Lines(Read("2026-12-07-臥位.dsr5"));
    ASSERT_EQ(result.size(), 387);
    EXPECT_EQ(result[0], "  1");
    EXPECT_EQ(result.mid(2, 3), QStringList({" 90.0", " 20.0", " 20.0"}));
    EXPECT_EQ(result[12], "  50.0 cm");
    EXPECT_EQ(result[262], " -50.0 cm");
#endif
}

} // namespace
