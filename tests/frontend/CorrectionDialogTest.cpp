// The measured-value correction dialog: opening from the result window, its options, "OK"
// with each choice of value, and the refusals that leave the working folder as it was.
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <map>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "windows/CorrectionDialog.h"
#include "windows/ResultWindow.h"
#include "windows/SavedNotice.h"

using namespace brisca;

namespace {

class CorrectionDialogTest : public WorkingFolder {
protected:
    // The engine's small result as abc.dsr5, selected, and a map of it on show under the name
    // `painted`, with the display grids' reference point at `kerma` and `dose`; the dialog
    // opened by the result window's button.
    CorrectionDialog& Open(double kerma = 12.3, double dose = 0.0456, const char* painted = "abc.dsr5")
    {
        QFile::copy(BRISCA_ENGINE_RESULT, Path("abc.dsr5"));
        Window().showResults();
        ResultWindow& results = Window().resultWindow();
        QListWidget* list = Find<QListWidget>(results, "resultList");
        list->setCurrentItem(list->findItems("abc.dsr5", Qt::MatchExactly).value(0));
        state.display.painted = PaintedMap{{painted, state.display.selected->header}, {}};
        state.display.kermaGrid.At(2, 80, 300) = kerma;
        state.display.doseGrid.At(2, 80, 300) = dose;
        Find<QPushButton>(results, "correctionButton")->setEnabled(true);
        Click(results, "correctionButton");
        return Window().correctionDialog();
    }

    // Every file of the working folder with its bytes.
    std::map<QString, QByteArray> Snapshot() const
    {
        std::map<QString, QByteArray> files;
        for (const QString& name : QDir::current().entryList(QDir::Files)) files[name] = Read(name);
        return files;
    }

    // The second line of the corrected file: the scaled free-air kerma rate.
    QByteArray CorrectedKermaRate() const { return Read("abc.dsrC").split('\n').value(1); }
};

TEST_F(CorrectionDialogTest, OpensWithCurrentValuesAndTheKindsFollowTheScatterChoice)
{
    CorrectionDialog& d = Open();
    ASSERT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), "   実測値による散乱線量率の補正");
    EXPECT_EQ(Find<QLabel>(d, "fileNameLabel")->text(), "補正する結果ファイル：　abc.dsr5");
    EXPECT_EQ(Find<QLabel>(d, "primaryCurrentLabel")->text(), "1.523E-02");
    EXPECT_EQ(Find<QLabel>(d, "kermaCurrentLabel")->text(), "1.23E+01");
    EXPECT_EQ(Find<QLabel>(d, "doseCurrentLabel")->text(), "4.56E-02");
    int currentCaptions = 0;
    for (const QLabel* label : Find<QGroupBox>(d, "kindGroup")->findChildren<QLabel*>()) {
        EXPECT_FALSE(label->text().contains("現在地"));
        currentCaptions += label->text() == "現在値                     ⇒  実測値";
    }
    EXPECT_EQ(currentCaptions, 2);
    // With BRISCA_SCREENSHOT_DIR set (by hand, to look at the dialog), saves it as it opens.
    const QString shots = qEnvironmentVariable("BRISCA_SCREENSHOT_DIR");
    if (!shots.isEmpty()) d.grab().save(QDir(shots).filePath("correction-dialog.png"));

    const auto expectKinds = [&d](bool enabled, bool kerma, bool dose) {
        EXPECT_EQ(Find<QRadioButton>(d, "kermaOption")->isEnabled(), enabled);
        EXPECT_EQ(Find<QRadioButton>(d, "doseOption")->isEnabled(), enabled);
        EXPECT_EQ(Find<QRadioButton>(d, "kermaOption")->isChecked(), kerma);
        EXPECT_EQ(Find<QRadioButton>(d, "doseOption")->isChecked(), dose);
    };
    EXPECT_TRUE(Find<QRadioButton>(d, "primaryOption")->isChecked());
    expectKinds(false, false, false);
    Click(d, "scatterOption");
    expectKinds(true, true, false);
    Click(d, "doseOption");
    expectKinds(true, false, true);
    Click(d, "primaryOption");
    expectKinds(false, false, false);

    // Each opening starts afresh.
    Click(d, "scatterOption");
    Find<QLineEdit>(d, "kermaMeasuredEdit")->setText("5");
    Click(d, "cancelButton");
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(Exists("abc.dsrC"));
    Click(Window().resultWindow(), "correctionButton");
    EXPECT_TRUE(Find<QRadioButton>(d, "primaryOption")->isChecked());
    expectKinds(false, false, false);
    EXPECT_TRUE(Find<QLineEdit>(d, "kermaMeasuredEdit")->text().isEmpty());
}

TEST_F(CorrectionDialogTest, OkScalesByTheChosenPairListsTheCopyAndNamesItInTheNotice)
{
    struct Case {
        const char* what;
        std::function<void(CorrectionDialog&)> enter;
        QByteArray kermaRate; // header line 2 of the copy: 1.523E-02 × factor
    };
    const Case cases[] = {
        {"primary",
            [](CorrectionDialog& d) { Find<QLineEdit>(d, "primaryMeasuredEdit")->setText("3.046E-02"); },
            "3.046E-02\r"},
        {"air kerma 24.6 over 1.23E+01",
            [](CorrectionDialog& d) {
                Click(d, "scatterOption");
                Find<QLineEdit>(d, "kermaMeasuredEdit")->setText("24.6");
            },
            "3.046E-02\r"},
        {"dose",
            [](CorrectionDialog& d) {
                Click(d, "scatterOption");
                Click(d, "doseOption");
                Find<QLineEdit>(d, "doseMeasuredEdit")->setText("0.0228");
            },
            "7.615E-03\r"},
        {"primary again after the scatter",
            [](CorrectionDialog& d) {
                Click(d, "scatterOption");
                Find<QLineEdit>(d, "kermaMeasuredEdit")->setText("99");
                Click(d, "primaryOption");
                Find<QLineEdit>(d, "primaryMeasuredEdit")->setText("1.523E-02");
            },
            "1.523E-02\r"},
    };
    for (const Case& c : cases) {
        SetUp();
        CorrectionDialog& d = Open();
        c.enter(d);
        Click(d, "okButton");
        ASSERT_TRUE(platform.messages.empty()) << c.what << platform.messages[0].text.toStdString();
        EXPECT_EQ(CorrectedKermaRate(), c.kermaRate) << c.what;
        ResultWindow& results = Window().resultWindow();
        EXPECT_EQ(Find<QListWidget>(results, "resultList")->findItems("abc.dsrC", Qt::MatchExactly).size(), 1)
            << c.what;
        EXPECT_FALSE(Find<QPushButton>(results, "correctionButton")->isEnabled());
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(Window().savedNotice().isVisible());
        EXPECT_EQ(Find<QLabel>(Window().savedNotice(), "fileNameLabel")->text(), "abc.dsrC");
        TearDown();
    }
}

TEST_F(CorrectionDialogTest, RefusalsWarnAndLeaveTheFolderAsItWas)
{
    struct Case {
        const char* text; // part of the warning
        double kerma;     // current air kerma at the reference point
        std::function<void(CorrectionDialog&)> enter;
        const char* painted; // the file of the map on show as the dialog opens
    };
    const auto primary = [](const char* text) {
        return [text](CorrectionDialog& d) { Find<QLineEdit>(d, "primaryMeasuredEdit")->setText(text); };
    };
    const Case cases[] = {
        {"実測値を入力して下さい", 12.3, primary(""), "abc.dsr5"},
        {"「about 3」は数値として読めません", 12.3, primary("about 3"), "abc.dsr5"},
        {"「2,5」は数値として読めません", 12.3, primary("2,5"), "abc.dsr5"},
        {"「0」は 0 より大きい", 12.3, primary("0"), "abc.dsr5"},
        {"「-3」は 0 より大きい", 12.3, primary("-3"), "abc.dsr5"},
        {"補正後の値 1.000E+32 が結果ファイルの欄に収まりません", 12.3, primary("1e32"), "abc.dsr5"},
        {"現在値が 0", 0.0,
            [](CorrectionDialog& d) {
                Click(d, "scatterOption");
                Find<QLineEdit>(d, "kermaMeasuredEdit")->setText("5");
            },
            "abc.dsr5"},
        {"abc.dsrC", 12.3, primary("3"), "abc.dsrC"},
        {"abc.dsr5 から other.dsr5 に変わりました", 12.3,
            [this](CorrectionDialog& d) {
                state.display.painted->file.name = "other.dsr5";
                Find<QLineEdit>(d, "primaryMeasuredEdit")->setText("3");
            },
            "abc.dsr5"},
    };
    for (const Case& c : cases) {
        SetUp();
        CorrectionDialog& d = Open(c.kerma, 0.0456, c.painted);
        Write("abc.dsrC", "an earlier correction\r\n");
        const auto before = Snapshot();
        c.enter(d);
        Click(d, "okButton");
        ASSERT_EQ(platform.messages.size(), 1u) << c.text;
        EXPECT_TRUE(platform.messages[0].text.contains(c.text)) << platform.messages[0].text.toStdString();
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(Snapshot(), before) << c.text;
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(Find<QPushButton>(Window().resultWindow(), "correctionButton")->isEnabled());
        EXPECT_FALSE(Window().savedNotice().isVisible());
        TearDown();
    }
}

TEST_F(CorrectionDialogTest, ASecondCorrectionAsksFirstAndTheCopySaysWhatItWasScaledTo)
{
    // Enter in the box presses "OK"; the first copy needs no question.
    CorrectionDialog& d = Open();
    Find<QLineEdit>(d, "primaryMeasuredEdit")->setText(" 3.046E-02 ");
    QTest::keyClick(Find<QLineEdit>(d, "primaryMeasuredEdit"), Qt::Key_Return);
    ASSERT_TRUE(platform.messages.empty()) << platform.messages[0].text.toStdString();
    EXPECT_EQ(CorrectedKermaRate(), "3.046E-02\r");

    // Cancelled, the earlier copy stays and the dialog with it; agreed, the new one replaces it.
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        platform.messages.clear();
        platform.messageAnswers = {answer};
        Open();
        Find<QLineEdit>(d, "primaryMeasuredEdit")->setText("4.569E-02");
        Click(d, "okButton");
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text.contains("abc.dsrC は既にあります"));
        EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
        EXPECT_EQ(CorrectedKermaRate(), answer == MessageAnswer::Ok ? "4.569E-02\r" : "3.046E-02\r");
        EXPECT_EQ(d.isVisible(), answer == MessageAnswer::Cancel);
    }

    // Selected in the list, the copy names the measured value and the factor it was scaled by.
    ResultWindow& results = Window().resultWindow();
    QListWidget* list = Find<QListWidget>(results, "resultList");
    list->setCurrentItem(list->findItems("abc.dsrC", Qt::MatchExactly).value(0));
    EXPECT_EQ(Find<QLabel>(results, "correctionNoteLabel")->text(),
        "実測値 0.04569 による補正（FSD の空中における一次線の空気カーマ率（Gy/min）、係数 3.000E+00）");
    list->setCurrentItem(list->findItems("abc.dsr5", Qt::MatchExactly).value(0));
    EXPECT_TRUE(Find<QLabel>(results, "correctionNoteLabel")->text().isEmpty());

    // Esc cancels.
    Open();
    QTest::keyClick(Find<QLineEdit>(d, "primaryMeasuredEdit"), Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
}

} // namespace
