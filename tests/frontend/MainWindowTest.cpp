// The main window: start-up defaults, the tube-current entries, the position and waveform
// options, the Enter-key moves and the end of the program.
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "windows/MainWindow.h"

using brisca::MainWindow;
using brisca::MessageIcon;
using brisca::Rectifier;

namespace {

using MainWindowTest = WorkingFolder;

TEST_F(MainWindowTest, StartsWithTheDefaultConditions)
{
    MainWindow& form = Loaded();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.EndRequested());
    EXPECT_EQ(form.windowTitle(), "Scattered dose distribution");
    EXPECT_EQ(form.size(), QSize(1101, 816));

    const std::pair<const char*, const char*> texts[] = {{"tubeVoltageEdit", "80"}, {"targetAngleEdit", "12"},
        {"inherentFiltrationEdit", "2.5"}, {"aluminiumFilterEdit", "1.5"}, {"copperFilterEdit", "0"},
        {"historiesEdit", "500000000"}, {"resultNameEdit", "2026-12-07-臥位"}, {"fsdEdit", "90"},
        {"fieldLongEdit", "20"}, {"fieldShortEdit", "20"}, {"tubeCurrentEdit", "1"}, {"pulseRateEdit", ""},
        {"pulseWidthEdit", ""}, {"meanCurrentEdit", "1"}};
    for (const auto& [name, text] : texts) {
        const auto* box = form.findChild<QLineEdit*>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_FALSE(Find<QLineEdit>(form, "pulseRateEdit")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(form, "pulseWidthEdit")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(form, "tubeCurrentEdit")->isEnabled());
    for (const char* name : {"constantPotentialOption", "continuousOption", "supineOption"}) {
        EXPECT_TRUE(form.findChild<QRadioButton*>(name)->isChecked()) << name;
    }
    for (const char* name : {"threePhaseOption", "singlePhaseOption", "pulsedOption", "standingOption"}) {
        EXPECT_FALSE(form.findChild<QRadioButton*>(name)->isChecked()) << name;
    }
    EXPECT_EQ(form.entries().rectifier, Rectifier::ConstantPotential);
    EXPECT_TRUE(Find<QPushButton>(form, "resultsButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(form, "startButton")->isEnabled());
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndGroups)
{
    MainWindow& form = Loaded();
    const std::pair<const char*, const char*> buttons[] = {{"startButton", "計算スタート"},
        {"resultsButton", "計算結果 検索・表示"}, {"readmeButton", "readme.txt を読む"},
        {"exitButton", "Exit"}, {"meanCurrentButton", "OK →"}, {"spectrumButton", "スペクトル表示"}};
    for (const auto& [name, caption] : buttons) {
        const auto* button = form.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    }
    EXPECT_EQ(Find<QPushButton>(form, "exitButton")->toolTip(), "   bye   ");

    // Options of one frame exclude each other, and only each other.
    const std::tuple<const char*, const char*, const char*> options[] = {
        {"continuousOption", "連続透視", "tubeCurrentGroup"},
        {"pulsedOption", "パルス透視", "tubeCurrentGroup"},
        {"supineOption", "臥位（垂直方向）", "positionGroup"},
        {"standingOption", "立位（水平方向）", "positionGroup"},
        {"constantPotentialOption", "定電圧", "rectificationGroup"},
        {"threePhaseOption", "三相12ピーク", "rectificationGroup"},
        {"singlePhaseOption", "単相全波", "rectificationGroup"}};
    for (const auto& [name, caption, frame] : options) {
        const auto* option = form.findChild<QRadioButton*>(name);
        ASSERT_NE(option, nullptr) << name;
        EXPECT_EQ(option->text(), QString::fromUtf8(caption));
        EXPECT_EQ(option->parent()->objectName(), frame) << name;
    }
    EXPECT_EQ(Find<QGroupBox>(form, "tubeCurrentGroup")->title(), "Ｘ線管電流");
    EXPECT_EQ(Find<QGroupBox>(form, "rectificationGroup")->title(), "高電圧整流方式");
    Click(form, "singlePhaseOption");
    EXPECT_TRUE(Find<QRadioButton>(form, "continuousOption")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(form, "supineOption")->isChecked());
}

TEST_F(MainWindowTest, WaveformOptionsSetTheRectifierType)
{
    MainWindow& form = Loaded();
    const std::pair<QRadioButton*, Rectifier> cases[] = {
        {Find<QRadioButton>(form, "threePhaseOption"), Rectifier::ThreePhase12Peak},
        {Find<QRadioButton>(form, "singlePhaseOption"), Rectifier::SinglePhase},
        {Find<QRadioButton>(form, "constantPotentialOption"), Rectifier::ConstantPotential},
        {Find<QRadioButton>(form, "singlePhaseOption"), Rectifier::SinglePhase}};
    for (const auto& [option, rectifier] : cases) {
        option->click();
        EXPECT_EQ(form.entries().rectifier, rectifier) << option->objectName().toStdString();
    }
}

struct MeanCurrentCase {
    bool pulsed;
    const char* current; // tubeCurrentEdit
    const char* rate;    // pulseRateEdit
    const char* width;   // pulseWidthEdit
    const char* mean;    // meanCurrentEdit afterwards
    const char* warning; // message shown, empty when none
};

TEST_F(MainWindowTest, OkComputesTheMeanTubeCurrentOrWarns)
{
    const MeanCurrentCase cases[] = {
        {false, "1", "", "", "1", ""},
        {false, "2.5", "", "", "2.5", ""},
        {false, "abc", "", "", "abc", ""}, // copied as typed; the spectrum reads it as 0
        {false, "", "", "", "7", "　管電流を入力してください　"},
        {true, "2", "15", "5", "0.15", ""},
        {true, "3", "30", "4", "0.36", ""},
        {true, "10mA", "7.5", "4", "7",
            " 透視管電流 の「10mA」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
            "のように半角のピリオドで書きます） "},
        {true, "2", "2,5", "5", "7",
            " パルスレート の「2,5」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
            "のように半角のピリオドで書きます） "},
        {true, "2", "15", "2,5", "7",
            " パルス幅 の「2,5」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
            "のように半角のピリオドで書きます） "},
        {true, "2", "15", "", "7", "　データを入力してください　"},
        {true, "", "15", "5", "7", "　データを入力してください　"},
    };
    MainWindow& form = Loaded();
    for (const MeanCurrentCase& c : cases) {
        const std::string label = std::string(c.current) + "/" + c.rate + "/" + c.width;
        (c.pulsed ? Find<QRadioButton>(form, "pulsedOption") : Find<QRadioButton>(form, "continuousOption"))
            ->click();
        Find<QLineEdit>(form, "tubeCurrentEdit")->setText(c.current);
        Find<QLineEdit>(form, "pulseRateEdit")->setText(c.rate);
        Find<QLineEdit>(form, "pulseWidthEdit")->setText(c.width);
        Find<QLineEdit>(form, "meanCurrentEdit")->setText("7");
        platform.messages.clear();
        platform.events.clear();
        Click(form, "meanCurrentButton");
        EXPECT_EQ(Find<QLineEdit>(form, "meanCurrentEdit")->text(), QString::fromUtf8(c.mean)) << label;
        if (*c.warning == '\0') {
            EXPECT_TRUE(platform.messages.empty()) << label;
        } else {
            ASSERT_EQ(platform.messages.size(), 1u) << label;
            EXPECT_EQ(platform.messages[0].text, QString::fromUtf8(c.warning));
            EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
            EXPECT_EQ(platform.messages[0].buttons, brisca::MessageButtons::Ok);
            EXPECT_EQ(platform.events, QStringList({"beep", "message"})) << label;
        }
    }
}

TEST_F(MainWindowTest, SwitchingTheFluoroscopyModeMovesTheMeanCurrent)
{
    MainWindow& form = Loaded();
    Find<QLineEdit>(form, "tubeCurrentEdit")->setText("3");
    Click(form, "pulsedOption");
    EXPECT_TRUE(Find<QLineEdit>(form, "pulseRateEdit")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(form, "pulseWidthEdit")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(form, "meanCurrentEdit")->text(), "");

    Find<QLineEdit>(form, "pulseRateEdit")->setText("15");
    Click(form, "continuousOption");
    EXPECT_EQ(Find<QLineEdit>(form, "meanCurrentEdit")->text(), "3"); // copied at once, without "OK →"
    EXPECT_FALSE(Find<QLineEdit>(form, "pulseRateEdit")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(form, "pulseRateEdit")->text(), "15"); // disabled boxes keep their text
}

TEST_F(MainWindowTest, ChoosingAPositionRewritesTheResultName)
{
    MainWindow& form = Loaded();
    Find<QLineEdit>(form, "resultNameEdit")->setText("my-run");
    Click(form, "standingOption");
    EXPECT_EQ(Find<QLineEdit>(form, "resultNameEdit")->text(), "2026-12-07-立位");
    Find<QLineEdit>(form, "resultNameEdit")->setText("other");
    Click(form, "supineOption");
    EXPECT_EQ(Find<QLineEdit>(form, "resultNameEdit")->text(), "2026-12-07-臥位");
    EXPECT_FALSE(Find<QLineEdit>(form, "resultNameEdit")->text().contains('/'));
}

TEST_F(MainWindowTest, EnterMovesFromPulseRateToPulseWidthToOk)
{
    MainWindow& form = Loaded();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Click(form, "pulsedOption");
    ASSERT_TRUE(Find<QLineEdit>(form, "pulseRateEdit")->hasFocus());
    QTest::keyClick(Find<QLineEdit>(form, "pulseRateEdit"), Qt::Key_A);
    EXPECT_TRUE(Find<QLineEdit>(form, "pulseRateEdit")->hasFocus());
    QTest::keyClick(Find<QLineEdit>(form, "pulseRateEdit"), Qt::Key_Return);
    EXPECT_TRUE(Find<QLineEdit>(form, "pulseWidthEdit")->hasFocus());
    QTest::keyClick(Find<QLineEdit>(form, "pulseWidthEdit"), Qt::Key_Enter);
    EXPECT_TRUE(Find<QPushButton>(form, "meanCurrentButton")->hasFocus());
}

TEST_F(MainWindowTest, EnterOnOkAfterThePulseWidthGivesTheMeanCurrent)
{
    MainWindow& form = Loaded();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Click(form, "pulsedOption");
    QTest::keyClicks(Find<QLineEdit>(form, "pulseRateEdit"), "15");
    QTest::keyClick(Find<QLineEdit>(form, "pulseRateEdit"), Qt::Key_Return);
    QTest::keyClicks(Find<QLineEdit>(form, "pulseWidthEdit"), "5");
    QTest::keyClick(Find<QLineEdit>(form, "pulseWidthEdit"), Qt::Key_Return);
    Find<QLineEdit>(form, "tubeCurrentEdit")->setText("2");
    EXPECT_EQ(Find<QLineEdit>(form, "meanCurrentEdit")->text(), "");
    QTest::keyClick(Find<QPushButton>(form, "meanCurrentButton"), Qt::Key_Return);
    EXPECT_EQ(Find<QLineEdit>(form, "meanCurrentEdit")->text(), "0.15");
    // Every button of the window answers Enter the same way.
    for (const QPushButton* button : form.findChildren<QPushButton*>())
        EXPECT_TRUE(button->autoDefault()) << button->objectName().toStdString();
}

TEST_F(MainWindowTest, ExitDeletesTheExchangeFilesButKeepsB2FDat)
{
    MainWindow& form = Loaded();
    for (const char* name : {"B2F.txt", "FLname.txt", "F2B.dat", "B_SPCTL.dat", "B2F.dat", "run.dsr5"}) {
        Write(name, "x\r\n");
    }
    Click(form, "exitButton");
    for (const char* name : {"B2F.txt", "FLname.txt", "F2B.dat", "B_SPCTL.dat"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    EXPECT_TRUE(Exists("B2F.dat"));
    EXPECT_TRUE(Exists("run.dsr5"));
    EXPECT_EQ(platform.exitCode, 0);

    // The window closing while the program ends does not delete B2F.dat after all.
    form.close();
    EXPECT_TRUE(Exists("B2F.dat"));
}

TEST_F(MainWindowTest, ClosingTheWindowDeletesAllFiveAndSkipsWhatItCannotDelete)
{
    MainWindow& form = Loaded();
    // An F2B.dat that cannot be deleted (a folder with content) does not stop the others.
    ASSERT_TRUE(QDir().mkpath("F2B.dat/inner"));
    for (const char* name : {"B2F.txt", "B2F.dat", "B_SPCTL.dat", "run.dsr5"}) {
        Write(name, "x\r\n");
    }
    form.show();
    form.close();
    for (const char* name : {"B2F.txt", "B2F.dat", "FLname.txt", "B_SPCTL.dat"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    EXPECT_TRUE(Exists("run.dsr5"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.exitCode, 0);
}

struct BrokenTable {
    const char* file;
    QByteArray content; // what the file holds; null: the file is missing
};

TEST_F(MainWindowTest, AMissingOrShortTableGivesOneWarningAndEndsTheProgram)
{
    const BrokenTable cases[] = {
        {"MUs.dat", QByteArray()},
        {"Air.eac", QByteArray()},
        {"default-output.op", QByteArray()},
        {"Air.eac", "0.5, 1.0\r\n1.0, 2.0\r\n"},
        {"MUs.dat", "0.5 1 2 3\r\n"},
        {"default-output.op", "header\r\n40 50 60\r\n"},
    };
    for (const BrokenTable& c : cases) {
        TearDown();
        SetUp();
        if (c.content.isNull()) {
            QFile::remove(c.file);
        } else {
            Write(c.file, c.content);
        }
        MainWindow& form = Loaded();
        ASSERT_EQ(platform.messages.size(), 1u) << c.file;
        EXPECT_TRUE(platform.messages[0].text.contains(c.file)) << platform.messages[0].text.toStdString();
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(platform.exitCode, 1) << c.file;
        EXPECT_EQ(Find<QLineEdit>(form, "tubeVoltageEdit")->text(), "")
            << c.file; // the defaults were not filled
    }
}

} // namespace
