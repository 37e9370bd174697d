// The result window: opening and its reset, the header of a selected file, "OK" and the
// refiner's end, data processing, deletion, painting, the choices and the read-out; and
// the whole road from the engines' results through the real refiner to painted maps.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include "WorkingFolder.h"
#include "drawing/DistributionMap.h"
#include "logic/result/ColourBands.h"
#include "logic/text/NumberText.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

using namespace brisca;

namespace {

const QString kRetry = " もう一度 データ処理ボタン を押してください";

// The twelve header lines of a result file with the given position code.
QByteArray Header(int code)
{
    return QString(" %1\r\n 0.1234E-02\r\n 90.0\r\n 20.0\r\n 15.0\r\n 80.0\r\n 1.500\r\n 12.0\r\n"
                   " 2.500\r\n 1.500\r\n 0.000\r\n 0.1E+07\r\n")
        .arg(code)
        .toUtf8();
}

QRgb Pixel(ResultWindow& w, QPoint p) { return w.mapView->image().pixel(p) & 0xffffff; }

QRgb Colour(int band)
{
    const Rgb c = MapColour(band);
    return qRgb(c.r, c.g, c.b) & 0xffffff;
}

class ResultWindowTest : public WorkingFolder {
protected:
    // Opens the result window from the main window.
    ResultWindow& Open()
    {
        Window().showResults();
        return Window().resultWindow();
    }

    // Chooses the named file of the list.
    void Select(ResultWindow& w, const QString& name)
    {
        const auto found = w.resultList->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        w.resultList->setCurrentItem(found[0]);
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const auto& message : platform.messages) texts << message.text;
        return texts;
    }

    // Layer 2 of the air kerma grid at `value` everywhere, with the window ready to paint.
    ResultWindow& ReadyToPaint(const QString& name, double value)
    {
        Write(name, Header(2));
        ResultWindow& w = Open();
        Select(w, name);
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r) state.kermaGrid.At(2, c, r) = value;
        w.thresholdEdits[0]->setText("50");
        w.paintButton->setEnabled(true);
        return w;
    }
};

TEST_F(ResultWindowTest, OpeningResetsBothWindowsListsResultFilesAndHidesTheMainWindow)
{
    for (const char* name : {"b.dsrC", "a.dsr5", "c.txt", "d.dsr"}) Write(name, Header(2));
    ResultWindow& w = Window().resultWindow();
    w.thresholdEdits[3]->setText("12");
    w.cursorValueEdit->setText("3");
    Window().overlayWindow().thresholdLabels[0]->setText("9");
    state.heightLayer = HeightLayer::Below;
    state.mapDrawn = true;
    Window().show();
    Open();

    QStringList listed;
    for (int n = 0; n < w.resultList->count(); ++n) listed << w.resultList->item(n)->text();
    EXPECT_EQ(listed, QStringList({"a.dsr5", "b.dsrC"}));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(Window().isVisible());
    EXPECT_TRUE(w.thresholdEdits[3]->text().isEmpty());
    EXPECT_TRUE(w.cursorValueEdit->text().isEmpty());
    EXPECT_TRUE(Window().overlayWindow().thresholdLabels[0]->text().isEmpty());
    EXPECT_EQ(w.kermaMaxLabel->text(), "-");
    EXPECT_EQ(w.doseMaxLabel->text(), "-");
    for (QPushButton* b :
        {w.paintButton, w.processButton, w.correctionButton, w.layoutButton, w.convertButton})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(w.closeButton->isEnabled());
    EXPECT_TRUE(w.kermaOption->isChecked());
    EXPECT_TRUE(w.centreOption->isChecked());
    EXPECT_EQ(w.legendUnitLabel->text(), "Gy/min");
    EXPECT_EQ(state.heightLayer, HeightLayer::Centre);
    EXPECT_FALSE(state.mapDrawn);

    w.closeButton->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(ResultWindowTest, SelectingAFileShowsItsHeaderInBothWindows)
{
    const std::tuple<int, const char*, PatientPosition> cases[] = {
        {1, "臥位（垂直照射）", PatientPosition::Supine}, {2, "立位（水平照射）", PatientPosition::Standing}};
    for (const auto& [code, words, expected] : cases) {
        Write("r.dsr5", Header(code));
        ResultWindow& w = Open();
        Select(w, "r.dsr5");
        const QString position = QString::fromUtf8(words);
        EXPECT_EQ(w.positionLabel->text(), position);
        QStringList shown;
        for (QLabel* label : w.conditionLabels) shown << label->text();
        EXPECT_EQ(shown,
            QStringList({"1.234E-03", "90", "20", "15", "80", "1.5", "12", "2.5", "1.5", "0", "1.0E+06"}));
        const OverlayWindow& o = Window().overlayWindow();
        EXPECT_EQ(o.positionLabel->text(), position);
        EXPECT_EQ(o.freeAirKermaLabel->text(), "1.234E-03");
        EXPECT_EQ(o.fieldSecondLabel->text(), "15");
        EXPECT_EQ(o.copperFilterLabel->text(), "0");
        EXPECT_TRUE(w.convertButton->isEnabled());
        EXPECT_EQ(state.patientPosition, expected);
        EXPECT_EQ(state.job.fsd, 90.0);
    }
}

TEST_F(ResultWindowTest, AFileWhoseHeaderCannotBeReadIsNamedAndNotConverted)
{
    Write("good.dsr5", Header(2));
    Write("short.dsr5", " 2\r\n 0.1E-02\r\n");
    ResultWindow& w = Open();
    Select(w, "good.dsr5");
    Select(w, "short.dsr5");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("short.dsr5"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(w.convertButton->isEnabled());
    EXPECT_TRUE(w.positionLabel->text().isEmpty());
    EXPECT_TRUE(Window().overlayWindow().fsdLabel->text().isEmpty());
}

TEST_F(ResultWindowTest, OkClearsTheMapWritesTheListFileAndStartsTheRefinerHidden)
{
    Write("r.dsr5", Header(2));
    Write("F2B.dat", "old");
    Write("mcrefine", "#!/bin/sh\n");
    QFile::setPermissions(Path("mcrefine"), QFile::ReadOwner | QFile::ExeOwner);
    ResultWindow& w = Open();
    Select(w, "r.dsr5");
    w.mapView->image().fill(Qt::red);
    state.mapDrawn = true;
    platform.events.clear();
    w.convertButton->click();

    EXPECT_FALSE(Exists("F2B.dat"));
    EXPECT_EQ(Read("FLname.txt"), "r.dsr5\r\n");
    EXPECT_EQ(Pixel(w, {10, 10}), 0xffffffu);
    EXPECT_FALSE(state.mapDrawn);
    EXPECT_EQ(platform.events, QStringList({"pendingevents", "start", "pendingevents"}));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, Path("mcrefine"));
    EXPECT_EQ(platform.starts[0].style, WindowStyle::Hidden);
    EXPECT_TRUE(w.processButton->isEnabled());
    EXPECT_TRUE(platform.messages.empty());

    // Only the latest conversion's end is reported, and only when it failed.
    w.convertButton->click();
    ASSERT_EQ(platform.watchers.size(), 2u);
    platform.watchers[0]({1, false, "mcrefine: old"});
    platform.watchers[1]({0, false, ""});
    EXPECT_TRUE(platform.messages.empty());
    w.convertButton->click();
    platform.watchers[2]({1, false, "mcrefine: r.dsr5: line 3: not a number"});
    ASSERT_EQ(MessageTexts().size(), 1);
    EXPECT_TRUE(MessageTexts()[0].contains("変換に失敗しました"));
    EXPECT_TRUE(MessageTexts()[0].contains("mcrefine: r.dsr5: line 3: not a number"));
}

TEST_F(ResultWindowTest, ARefinerThatIsMissingOrWillNotStartIsNamedAndTheWindowGoesOn)
{
    const std::pair<bool, const char*> cases[] = {{false, " 変換プログラム mcrefine が見つかりません（brisca "
                                                          "と同じフォルダと作業ディレクトリを探しました） "},
        {true, " 変換プログラム mcrefine を起動できません "}};
    for (const auto& [present, message] : cases) {
        TearDown();
        SetUp();
        if (present) Write("mcrefine", "");
        platform.startSucceeds = false;
        Write("r.dsr5", Header(2));
        ResultWindow& w = Open();
        Select(w, "r.dsr5");
        w.convertButton->click();
        EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(message)});
        EXPECT_EQ(Read("FLname.txt"), "r.dsr5\r\n");
        EXPECT_TRUE(w.processButton->isEnabled());
    }
}

TEST_F(ResultWindowTest, ProcessingAsksAgainForAnIncompleteFileAndExplainsAnAllZeroResult)
{
    QByteArray zeros;
    const QByteArray row = QByteArray(" 0").repeated(DisplayGrid::Columns) + "\r\n";
    for (int block = 0; block < 6; ++block) zeros += row.repeated(DisplayGrid::Rows);
    const std::pair<QByteArray, bool> cases[] = {
        {QByteArray(), false}, {zeros.left(5000), false}, {zeros, true}};
    for (const auto& [file, allZero] : cases) {
        TearDown();
        SetUp();
        if (!file.isEmpty()) Write("F2B.dat", file);
        ResultWindow& w = Open();
        w.processButton->setEnabled(true);
        w.processButton->click();
        ASSERT_EQ(platform.messages.size(), 1u);
        if (allZero) {
            EXPECT_TRUE(platform.messages[0].text.contains("線量率がありません"));
            EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
        } else {
            EXPECT_EQ(platform.messages[0].text, kRetry);
        }
        EXPECT_FALSE(w.paintButton->isEnabled());
        EXPECT_FALSE(state.kermaScale.has_value());
    }
}

TEST_F(ResultWindowTest, DeletingAsksFirstAndDisablesOk)
{
    Write("r.dsr5", Header(2));
    ResultWindow& w = Open();
    Select(w, "r.dsr5");
    platform.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    w.deleteButton->click();
    EXPECT_TRUE(Exists("r.dsr5"));
    EXPECT_TRUE(w.convertButton->isEnabled());
    w.deleteButton->click();
    EXPECT_FALSE(Exists("r.dsr5"));
    EXPECT_FALSE(w.convertButton->isEnabled());
    EXPECT_EQ(w.resultList->count(), 0);
    EXPECT_EQ(platform.messages[0].text, " このファイルを削除していいですか？ ");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
}

TEST_F(ResultWindowTest, PaintingEnablesTheNextStepsExceptCorrectingACorrectedFile)
{
    const std::pair<const char*, bool> cases[] = {{"r.dsr5", true}, {"r.dsrC", false}};
    for (const auto& [name, correctable] : cases) {
        TearDown();
        SetUp();
        ResultWindow& w = ReadyToPaint(name, 100.0);
        w.paintButton->click();
        EXPECT_TRUE(state.mapDrawn);
        EXPECT_TRUE(w.layoutButton->isEnabled());
        EXPECT_EQ(w.correctionButton->isEnabled(), correctable) << name;
        EXPECT_TRUE(w.paintButton->isEnabled());
        EXPECT_EQ(state.mapThresholds[1], 50.0);
    }
}

TEST_F(ResultWindowTest, PaintingLocksItsButtonAndAHeightChosenMeanwhileAppliesToTheLaterRows)
{
    ResultWindow& w = ReadyToPaint("r.dsr5", 100.0);
    int yields = 0;
    bool lockedThroughout = true;
    platform.duringEvents = [&] {
        lockedThroughout = lockedThroughout && !w.paintButton->isEnabled();
        if (++yields == 10) w.aboveOption->click();
    };
    w.paintButton->click();
    EXPECT_TRUE(lockedThroughout);
    EXPECT_GT(yields, 10);
    EXPECT_EQ(Pixel(w, MapPixelOfElement(150, 11)), Colour(1));
    EXPECT_EQ(Pixel(w, MapPixelOfElement(150, 591)), Colour(12)); // layer 1 holds no values
    EXPECT_EQ(state.heightLayer, HeightLayer::Above);
}

TEST_F(ResultWindowTest, QuantityChoiceSwapsLegendsAndUnits)
{
    ResultWindow& w = Open();
    w.doseOption->click();
    EXPECT_TRUE(w.thresholdEdits[0]->text().isEmpty()); // no data processed yet
    state.kermaScale = Thresholds{0, 2250, 1500, 750, 300, 225, 150, 75, 30, 22.5, 15, 3};
    state.doseScale = Thresholds{
        0, 0.0375, 0.025, 0.0125, 0.005, 0.00375, 0.0025, 0.00125, 0.0005, 0.000375, 0.00025, 0.00005};
    w.doseOption->click();
    EXPECT_EQ(w.thresholdEdits[10]->text(), "0.00005");
    EXPECT_EQ(w.legendUnitLabel->text(), "Sv/min");
    EXPECT_EQ(w.readoutUnitLabel->text(), "μSv/min");
    EXPECT_EQ(Window().overlayWindow().legendUnitLabel->text(), "Sv/min");
    w.thresholdEdits[0]->setText("7");
    w.kermaOption->click();
    EXPECT_EQ(w.thresholdEdits[0]->text(), "2250");
    EXPECT_EQ(w.thresholdEdits[8]->text(), "22.5");
    EXPECT_EQ(Window().overlayWindow().thresholdLabels[8]->text(), "22.5");
    EXPECT_EQ(w.readoutUnitLabel->text(), "μGy/min");
}

TEST_F(ResultWindowTest, ReadOutWorksOnlyOverAPaintedMapAndClearsOutsideIt)
{
    ResultWindow& w = ReadyToPaint("r.dsr5", 100.0);
    w.readOutAt({100, 100});
    EXPECT_TRUE(w.cursorXEdit->text().isEmpty()); // nothing painted yet
    w.paintButton->click();
    w.readOutAt({395, 590});
    EXPECT_EQ(w.cursorXEdit->text(), "395");
    EXPECT_EQ(w.cursorYEdit->text(), "290");
    EXPECT_EQ(w.cursorValueEdit->text(), "100");
    EXPECT_FALSE(w.horizontalHair->isHidden());
    EXPECT_EQ(w.verticalHair->geometry().x(), 2 + 495);
    EXPECT_EQ(w.horizontalHair->geometry().y(), 2 + 604);
    w.readOutAt({20.5, 300});
    EXPECT_EQ(w.cursorYEdit->text(), "0");
    EXPECT_TRUE(w.cursorValueEdit->text().isEmpty()); // column 0 holds no value
    w.readOutAt({395.5, 590});
    EXPECT_TRUE(w.cursorXEdit->text().isEmpty());
    EXPECT_TRUE(w.verticalHair->isHidden());
}

} // namespace
