// The main window: start-up defaults, the tube-current entries, the position and waveform
// options, the Enter-key moves and the end of the program.
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Forms.h"
#include "WorkingFolder.h"
#include "setup/Form2.h"

using brisca::form2;
using brisca::Form2;
using brisca::MsgIcon;

namespace {

class Form2Test : public WorkingFolder {
protected:
    Form2& Loaded()
    {
        Form2& form = form2();
        form.Form_Load();
        return form;
    }
};

TEST_F(Form2Test, StartsWithTheDefaultConditions)
{
    Form2& form = Loaded();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.EndRequested());
    EXPECT_EQ(form.windowTitle(), "Scattered dose distribution");
    EXPECT_EQ(form.size(), QSize(1101, 816));

    const std::pair<const char*, const char*> texts[] = {{"Text1", "80"}, {"Text5", "12"}, {"Text2", "2.5"},
        {"Text3", "1.5"}, {"Text4", "0"}, {"Text9", "500000000"}, {"Text10", "2026-12-07-臥位"},
        {"Text7", "90"}, {"Text13", "20"}, {"Text14", "20"}, {"Text15", "1"}, {"Text12", ""}, {"Text6", ""},
        {"Text8", "1"}};
    for (const auto& [name, text] : texts) {
        const auto* box = form.findChild<QLineEdit*>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_FALSE(form.Text12->isEnabled());
    EXPECT_FALSE(form.Text6->isEnabled());
    EXPECT_TRUE(form.Text15->isEnabled());
    for (const char* name : {"Option7", "Option1", "Option3"}) {
        EXPECT_TRUE(form.findChild<QRadioButton*>(name)->isChecked()) << name;
    }
    for (const char* name : {"Option8", "Option9", "Option2", "Option4"}) {
        EXPECT_FALSE(form.findChild<QRadioButton*>(name)->isChecked()) << name;
    }
    EXPECT_EQ(brisca::module1().RectifierType, 1);
    EXPECT_FALSE(form.Command2->isEnabled());
    EXPECT_TRUE(form.Command1->isEnabled());
}

TEST_F(Form2Test, ControlsCarryTheirNamesCaptionsAndGroups)
{
    Form2& form = Loaded();
    const std::pair<const char*, const char*> buttons[] = {{"Command1", "計算スタート"},
        {"Command2", "計算結果 検索・表示"}, {"Command3", "readme.txt を読む"}, {"Command4", "Exit"},
        {"Command5", "OK →"}};
    for (const auto& [name, caption] : buttons) {
        const auto* button = form.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    }
    EXPECT_EQ(form.Command4->toolTip(), "   bye   ");

    // Options of one frame exclude each other, and only each other.
    const std::tuple<const char*, const char*, const char*> options[] = {{"Option1", "連続透視", "Frame1"},
        {"Option2", "パルス透視", "Frame1"}, {"Option3", "臥位（垂直方向）", "Frame3"},
        {"Option4", "立位（水平方向）", "Frame3"}, {"Option7", "定電圧", "Frame2"},
        {"Option8", "三相12ピーク", "Frame2"}, {"Option9", "単相全波", "Frame2"}};
    for (const auto& [name, caption, frame] : options) {
        const auto* option = form.findChild<QRadioButton*>(name);
        ASSERT_NE(option, nullptr) << name;
        EXPECT_EQ(option->text(), QString::fromUtf8(caption));
        EXPECT_EQ(option->parent()->objectName(), frame) << name;
    }
    EXPECT_EQ(form.Frame1->title(), "Ｘ線管電流");
    EXPECT_EQ(form.Frame2->title(), "高電圧整流方式");
    form.Option9->click();
    EXPECT_TRUE(form.Option1->isChecked());
    EXPECT_TRUE(form.Option3->isChecked());
}

TEST_F(Form2Test, WaveformOptionsSetTheRectifierType)
{
    Form2& form = Loaded();
    const std::pair<QRadioButton*, int> cases[] = {
        {form.Option8, 2}, {form.Option9, 3}, {form.Option7, 1}, {form.Option9, 3}};
    for (const auto& [option, type] : cases) {
        option->click();
        EXPECT_EQ(brisca::module1().RectifierType, type) << option->objectName().toStdString();
    }
}

struct MeanCurrentCase {
    bool pulsed;
    const char* current; // Text15
    const char* rate;    // Text12
    const char* width;   // Text6
    const char* mean;    // Text8 afterwards
    const char* warning; // message shown, empty when none
};

TEST_F(Form2Test, OkComputesTheMeanTubeCurrentOrWarns)
{
    const MeanCurrentCase cases[] = {
        {false, "1", "", "", "1", ""},
        {false, "2.5", "", "", "2.5", ""},
        {false, "abc", "", "", "abc", ""}, // copied as typed; the spectrum reads it as 0
        {false, "", "", "", "7", "　管電流を入力してください　"},
        {true, "2", "15", "5", "0.15", ""},
        {true, "3", "30", "4", "0.36", ""},
        {true, "10mA", "7.5", "4", "0.3", ""},
        {true, "2", "15", "", "7", "　データを入力してください　"},
        {true, "x", "15", "5", "7", "　データを入力してください　"},
    };
    Form2& form = Loaded();
    for (const MeanCurrentCase& c : cases) {
        const std::string label = std::string(c.current) + "/" + c.rate + "/" + c.width;
        (c.pulsed ? form.Option2 : form.Option1)->click();
        form.Text15->setText(c.current);
        form.Text12->setText(c.rate);
        form.Text6->setText(c.width);
        form.Text8->setText("7");
        platform.messages.clear();
        platform.events.clear();
        form.Command5->click();
        EXPECT_EQ(form.Text8->text(), QString::fromUtf8(c.mean)) << label;
        if (*c.warning == '\0') {
            EXPECT_TRUE(platform.messages.empty()) << label;
        } else {
            ASSERT_EQ(platform.messages.size(), 1u) << label;
            EXPECT_EQ(platform.messages[0].text, QString::fromUtf8(c.warning));
            EXPECT_EQ(platform.messages[0].icon, MsgIcon::Warning);
            EXPECT_EQ(platform.messages[0].buttons, brisca::MsgButtons::Ok);
            EXPECT_EQ(platform.events, QStringList({"beep", "msgbox"})) << label;
        }
    }
}

TEST_F(Form2Test, SwitchingTheFluoroscopyModeMovesTheMeanCurrent)
{
    Form2& form = Loaded();
    form.Text15->setText("3");
    form.Option2->click();
    EXPECT_TRUE(form.Text12->isEnabled());
    EXPECT_TRUE(form.Text6->isEnabled());
    EXPECT_EQ(form.Text8->text(), "");

    form.Text12->setText("15");
    form.Option1->click();
    EXPECT_EQ(form.Text8->text(), "3"); // copied at once, without "OK →"
    EXPECT_FALSE(form.Text12->isEnabled());
    EXPECT_EQ(form.Text12->text(), "15"); // disabled boxes keep their text
}

TEST_F(Form2Test, ChoosingAPositionRewritesTheResultName)
{
    Form2& form = Loaded();
    form.Text10->setText("my-run");
    form.Option4->click();
    EXPECT_EQ(form.Text10->text(), "2026-12-07-立位");
    form.Text10->setText("other");
    form.Option3->click();
    EXPECT_EQ(form.Text10->text(), "2026-12-07-臥位");
    EXPECT_FALSE(form.Text10->text().contains('/'));
}

TEST_F(Form2Test, EnterMovesFromPulseRateToPulseWidthToOk)
{
    Form2& form = Loaded();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Option2->click();
    ASSERT_TRUE(form.Text12->hasFocus());
    QTest::keyClick(form.Text12, Qt::Key_A);
    EXPECT_TRUE(form.Text12->hasFocus());
    QTest::keyClick(form.Text12, Qt::Key_Return);
    EXPECT_TRUE(form.Text6->hasFocus());
    QTest::keyClick(form.Text6, Qt::Key_Enter);
    EXPECT_TRUE(form.Command5->hasFocus());
}

TEST_F(Form2Test, ExitDeletesTheExchangeFilesButKeepsB2FDat)
{
    Form2& form = Loaded();
    for (const char* name : {"B2F.txt", "FLname.txt", "F2B.dat", "B_SPCTL.dat", "B2F.dat", "run.dsr5"}) {
        Write(name, "x\r\n");
    }
    form.Command4->click();
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

TEST_F(Form2Test, ClosingTheWindowDeletesAllFiveAndSkipsWhatItCannotDelete)
{
    Form2& form = Loaded();
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

TEST_F(Form2Test, AMissingOrShortTableGivesOneWarningAndEndsTheProgram)
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
        Form2& form = form2();
        form.Form_Load();
        ASSERT_EQ(platform.messages.size(), 1u) << c.file;
        EXPECT_TRUE(platform.messages[0].text.contains(c.file)) << platform.messages[0].text.toStdString();
        EXPECT_EQ(platform.messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(platform.exitCode, 1) << c.file;
        EXPECT_EQ(form.Text1->text(), "") << c.file; // the defaults were not filled
    }
}

} // namespace
