// The result window: opening and its reset, the header of a selected file, "OK" and the
// refiner's end, data processing, deletion, painting, the choices and the read-out; and
// the whole road from the engines' results through the real refiner to painted maps.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ResultSteps.h"
#include "drawing/DistributionMap.h"
#include "logic/result/ColourBands.h"
#include "logic/result/ErrorShading.h"
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

QRgb Pixel(ResultWindow& w, QPoint p) { return Find<PictureBox>(w, "mapView")->image().pixel(p) & 0xffffff; }

QRgb Rgb24(Rgb c) { return qRgb(c.r, c.g, c.b) & 0xffffff; }

QRgb Colour(int band) { return Rgb24(MapColour(band)); }

class ResultWindowTest : public ResultSteps {
protected:
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const auto& message : platform.messages) texts << message.text;
        return texts;
    }

    // Layer 2 of the air kerma grid at `value` everywhere, with the window ready to paint as
    // though the file had been converted and processed.
    ResultWindow& ReadyToPaint(const QString& name, double value)
    {
        Write(name, Header(2));
        ResultWindow& w = Open();
        Select(name);
        state.display.converted = state.display.selected;
        state.display.processed = state.display.selected;
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r) state.display.kermaGrid.At(2, c, r) = value;
        Find<QLineEdit>(w, "thresholdEdit", 1)->setText("50");
        Find<QPushButton>(w, "paintButton")->setEnabled(true);
        return w;
    }
};

TEST_F(ResultWindowTest, OpeningResetsBothWindowsListsResultFilesAndHidesTheMainWindow)
{
    for (const char* name : {"b.dsrC", "a.dsr5", "c.txt", "d.dsr"}) Write(name, Header(2));
    ResultWindow& w = Window().resultWindow();
    Find<QLineEdit>(w, "thresholdEdit", 4)->setText("12");
    Find<QLineEdit>(w, "cursorValueEdit")->setText("3");
    Find<QLabel>(Window().overlayWindow(), "thresholdLabel", 1)->setText("9");
    state.displayChoice.layer = HeightLayer::Below;
    state.display.selected = ResultFile{"a.dsr5", {}};
    state.display.painted = PaintedMap{};
    Window().show();
    Open();

    QStringList listed;
    for (int n = 0; n < Find<QListWidget>(w, "resultList")->count(); ++n)
        listed << Find<QListWidget>(w, "resultList")->item(n)->text();
    EXPECT_EQ(listed, QStringList({"a.dsr5", "b.dsrC"}));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(Window().isVisible());
    EXPECT_TRUE(Find<QLineEdit>(w, "thresholdEdit", 4)->text().isEmpty());
    EXPECT_TRUE(Find<QLineEdit>(w, "cursorValueEdit")->text().isEmpty());
    EXPECT_TRUE(Find<QLabel>(Window().overlayWindow(), "thresholdLabel", 1)->text().isEmpty());
    EXPECT_EQ(Find<QLabel>(w, "kermaMaxLabel")->text(), "-");
    EXPECT_EQ(Find<QLabel>(w, "doseMaxLabel")->text(), "-");
    for (QPushButton* b : {Find<QPushButton>(w, "paintButton"), Find<QPushButton>(w, "processButton"),
             Find<QPushButton>(w, "correctionButton"), Find<QPushButton>(w, "layoutButton"),
             Find<QPushButton>(w, "convertButton")})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(Find<QPushButton>(w, "closeButton")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(w, "kermaOption")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(w, "centreOption")->isChecked());
    EXPECT_EQ(Find<QLabel>(w, "legendUnitLabel")->text(), "Gy/min");
    EXPECT_EQ(state.displayChoice.layer, HeightLayer::Centre);
    EXPECT_FALSE(state.display.selected);
    EXPECT_FALSE(state.display.painted);

    Click(w, "closeButton");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(ResultWindowTest, SelectingAFileShowsItsHeader)
{
    const std::tuple<int, const char*, PatientPosition> cases[] = {
        {1, "臥位（垂直照射）", PatientPosition::Supine}, {2, "立位（水平照射）", PatientPosition::Standing}};
    for (const auto& [code, words, expected] : cases) {
        Write("r.dsr5", Header(code));
        ResultWindow& w = Open();
        Select("r.dsr5");
        const QString position = QString::fromUtf8(words);
        EXPECT_EQ(Find<QLabel>(w, "positionLabel")->text(), position);
        QStringList shown;
        for (const char* name : {"freeAirKermaLabel", "fsdLabel", "fieldFirstLabel", "fieldSecondLabel",
                 "tubeVoltageLabel", "tubeCurrentLabel", "targetAngleLabel", "inherentFiltrationLabel",
                 "aluminiumFilterLabel", "copperFilterLabel", "historiesLabel"})
            shown << Find<QLabel>(w, name)->text();
        EXPECT_EQ(shown,
            QStringList({"1.234E-03", "90", "20", "15", "80", "1.5", "12", "2.5", "1.5", "0", "1.0E+06"}));
        EXPECT_TRUE(Find<QPushButton>(w, "convertButton")->isEnabled());
        ASSERT_TRUE(state.display.selected);
        EXPECT_EQ(state.display.selected->name, "r.dsr5");
        EXPECT_EQ(state.display.selected->header.patientPosition, expected);
        EXPECT_EQ(state.display.selected->header.fsd, 90.0);
    }
}

TEST_F(ResultWindowTest, AFileWhoseHeaderCannotBeReadIsNamedAndNotConverted)
{
    Write("good.dsr5", Header(2));
    Write("short.dsr5", " 2\r\n 0.1E-02\r\n");
    ResultWindow& w = Open();
    Select("good.dsr5");
    Select("short.dsr5");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("short.dsr5"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(Find<QPushButton>(w, "convertButton")->isEnabled());
    EXPECT_TRUE(Find<QLabel>(w, "positionLabel")->text().isEmpty());
    EXPECT_FALSE(state.display.selected);
}

TEST_F(ResultWindowTest, OkClearsTheMapWritesTheListFileStartsTheRefinerHiddenAndShowsItRun)
{
    Write("r.dsr5", Header(2));
    Write("F2B.dat", "old");
    PlaceRefiner();
    ResultWindow& w = Open();
    Select("r.dsr5");
    Find<PictureBox>(w, "mapView")->image().fill(Qt::red);
    state.display.painted = PaintedMap{};
    platform.events.clear();
    Click(w, "convertButton");
    const QLabel* status = Find<QLabel>(w, "conversionStatusLabel");
    EXPECT_EQ(status->text(), "変換中です…（r.dsr5）");
    EXPECT_EQ(w.cursor().shape(), Qt::BusyCursor);

    EXPECT_FALSE(Exists("F2B.dat"));
    EXPECT_EQ(Read("FLname.txt"), "r.dsr5\r\n");
    EXPECT_EQ(Pixel(w, {10, 10}), 0xffffffu);
    EXPECT_FALSE(state.display.painted);
    EXPECT_EQ(state.display.converted->name, "r.dsr5");
    EXPECT_EQ(platform.events, QStringList({"pendingevents", "start", "pendingevents"}));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, Path("mcrefine"));
    EXPECT_EQ(platform.starts[0].style, WindowStyle::Hidden);
    EXPECT_TRUE(Find<QPushButton>(w, "processButton")->isEnabled());
    EXPECT_TRUE(platform.messages.empty());

    // Only the latest conversion's end is reported, and a failure with a warning.
    Click(w, "convertButton");
    ASSERT_EQ(platform.watchers.size(), 2u);
    platform.watchers[0]({1, false, "mcrefine: old"});
    EXPECT_EQ(status->text(), "変換中です…（r.dsr5）");
    platform.watchers[1]({0, false, ""});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(status->text(), "変換が終わりました（r.dsr5）");
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(state.display.conversion, Conversion::Succeeded);
    Click(w, "convertButton");
    platform.watchers[2]({1, false, "mcrefine: r.dsr5: line 3: not a number"});
    ASSERT_EQ(MessageTexts().size(), 1);
    EXPECT_TRUE(MessageTexts()[0].contains("変換に失敗しました"));
    EXPECT_TRUE(MessageTexts()[0].contains("mcrefine: r.dsr5: line 3: not a number"));
    EXPECT_EQ(status->text(), "変換に失敗しました（r.dsr5）");
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(state.display.conversion, Conversion::Failed);
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
        Select("r.dsr5");
        Click(w, "convertButton");
        EXPECT_EQ(MessageTexts(), QStringList{QString::fromUtf8(message)});
        EXPECT_EQ(Read("FLname.txt"), "r.dsr5\r\n");
        EXPECT_TRUE(Find<QPushButton>(w, "processButton")->isEnabled());
        EXPECT_EQ(Find<QLabel>(w, "conversionStatusLabel")->text(), "変換に失敗しました（r.dsr5）");
        EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
        // Processing names the reason rather than asking to press again.
        Click(w, "processButton");
        ASSERT_EQ(MessageTexts().size(), 2);
        EXPECT_TRUE(MessageTexts()[1].endsWith(QString::fromUtf8(message).trimmed()))
            << MessageTexts()[1].toStdString();
    }
}

TEST_F(ResultWindowTest, ProcessingAsksAgainOnlyWhileTheRefinerRunsAndExplainsAnAllZeroResult)
{
    QByteArray zeros;
    const QByteArray row = QByteArray(" 0").repeated(DisplayGrid::Columns) + "\r\n";
    for (int block = 0; block < 6; ++block) zeros += row.repeated(DisplayGrid::Rows);
    const struct {
        QByteArray file;  // F2B.dat when "データ処理" is pressed; none when empty
        bool ended;       // the refiner has reported its end without an error
        QString message;  // the start of the one message
        MessageIcon icon; // its icon
    } cases[] = {
        {QByteArray(), false, kRetry, MessageIcon::None},
        {zeros.left(5000), false, kRetry, MessageIcon::None},
        {zeros.left(5000), true, " 変換された結果を読めません \nF2B.dat", MessageIcon::Warning},
        {zeros, false, " この計算結果には線量率がありません", MessageIcon::Warning},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        Write("r.dsr5", Header(2));
        PlaceRefiner();
        ResultWindow& w = Open();
        Select("r.dsr5");
        Click(w, "convertButton");
        if (c.ended) platform.watchers.back()({0, false, ""});
        if (!c.file.isEmpty()) Write("F2B.dat", c.file);
        Click(w, "processButton");
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text.startsWith(c.message))
            << platform.messages[0].text.toStdString();
        EXPECT_EQ(platform.messages[0].icon, c.icon);
        EXPECT_FALSE(Find<QPushButton>(w, "paintButton")->isEnabled());
        EXPECT_FALSE(state.display.processed);
        EXPECT_FALSE(state.display.kermaScale.has_value());
    }
}

TEST_F(ResultWindowTest, DeletingAsksFirstDisablesOkAndClearsTheFilesConditions)
{
    Write("r.dsr5", Header(2));
    PlaceRefiner();
    ResultWindow& w = Open();
    Select("r.dsr5");
    Click(w, "convertButton");
    platform.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    Click(w, "deleteButton");
    EXPECT_TRUE(Exists("r.dsr5"));
    EXPECT_TRUE(Find<QPushButton>(w, "convertButton")->isEnabled());
    Click(w, "deleteButton");
    EXPECT_FALSE(Exists("r.dsr5"));
    EXPECT_FALSE(Find<QPushButton>(w, "convertButton")->isEnabled());
    EXPECT_EQ(Find<QListWidget>(w, "resultList")->count(), 0);
    EXPECT_TRUE(Find<QLabel>(w, "positionLabel")->text().isEmpty());
    EXPECT_TRUE(Find<QLabel>(w, "fsdLabel")->text().isEmpty());
    EXPECT_FALSE(state.display.selected);
    EXPECT_EQ(platform.messages[0].text, " このファイルを削除していいですか？ ");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
    // Its conversion is forgotten: the status goes, and the refiner's end reports nothing.
    EXPECT_TRUE(Find<QLabel>(w, "conversionStatusLabel")->text().isEmpty());
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    platform.watchers.back()({1, false, "mcrefine: r.dsr5 cannot be opened"});
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(ResultWindowTest, PaintingEnablesTheNextStepsExceptCorrectingACorrectedFile)
{
    const std::pair<const char*, bool> cases[] = {{"r.dsr5", true}, {"r.dsrC", false}};
    for (const auto& [name, correctable] : cases) {
        TearDown();
        SetUp();
        ResultWindow& w = ReadyToPaint(name, 100.0);
        Click(w, "paintButton");
        ASSERT_TRUE(state.display.painted);
        EXPECT_EQ(state.display.painted->file.name, name);
        EXPECT_TRUE(Find<QPushButton>(w, "layoutButton")->isEnabled());
        EXPECT_EQ(Find<QPushButton>(w, "correctionButton")->isEnabled(), correctable) << name;
        EXPECT_TRUE(Find<QPushButton>(w, "paintButton")->isEnabled());
        EXPECT_EQ(state.display.painted->choice.thresholds[1], 50.0);
    }
}

TEST_F(ResultWindowTest, RisingThresholdsWarnInsteadOfPaintingAndEnterRepaints)
{
    ResultWindow& w = ReadyToPaint("r.dsr5", 100.0);
    Find<QLineEdit>(w, "thresholdEdit", 3)->setText("80");
    Click(w, "paintButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("3 番目の 80 が 2 番目の 0 より大きく"))
        << platform.messages[0].text.toStdString();
    EXPECT_FALSE(state.display.painted);

    Find<QLineEdit>(w, "thresholdEdit", 2)->setText("40");
    Find<QLineEdit>(w, "thresholdEdit", 3)->setText("30");
    QTest::keyClick(Find<QLineEdit>(w, "thresholdEdit", 3), Qt::Key_Return);
    ASSERT_TRUE(state.display.painted);
    EXPECT_EQ(state.display.painted->choice.thresholds[2], 40.0);
    EXPECT_EQ(Pixel(w, MapPixelOfElement(150, 300)), Colour(1));
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ResultWindowTest, PaintingLocksItsButtonAndAHeightChosenMeanwhileAppliesToTheLaterRows)
{
    ResultWindow& w = ReadyToPaint("r.dsr5", 100.0);
    int yields = 0;
    bool lockedThroughout = true;
    platform.duringEvents = [&] {
        lockedThroughout = lockedThroughout && !Find<QPushButton>(w, "paintButton")->isEnabled();
        if (++yields == 10) Click(w, "aboveOption");
    };
    Click(w, "paintButton");
    EXPECT_TRUE(lockedThroughout);
    EXPECT_GT(yields, 10);
    EXPECT_EQ(Pixel(w, MapPixelOfElement(150, 11)), Colour(1));
    EXPECT_EQ(Pixel(w, MapPixelOfElement(150, 591)), Colour(12)); // layer 1 holds no values
    EXPECT_EQ(state.displayChoice.layer, HeightLayer::Above);
}

TEST_F(ResultWindowTest, QuantityChoiceSwapsLegendsAndUnits)
{
    ResultWindow& w = Open();
    Click(w, "doseOption");
    EXPECT_TRUE(Find<QLineEdit>(w, "thresholdEdit", 1)->text().isEmpty()); // no data processed yet
    state.display.kermaScale = Thresholds{0, 2250, 1500, 750, 300, 225, 150, 75, 30, 22.5, 15, 3};
    state.display.doseScale = Thresholds{
        0, 0.0375, 0.025, 0.0125, 0.005, 0.00375, 0.0025, 0.00125, 0.0005, 0.000375, 0.00025, 0.00005};
    Click(w, "doseOption");
    EXPECT_EQ(Find<QLineEdit>(w, "thresholdEdit", 11)->text(), "0.00005");
    EXPECT_EQ(Find<QLabel>(w, "legendUnitLabel")->text(), "Sv/min");
    EXPECT_EQ(Find<QLabel>(w, "readoutUnitLabel")->text(), "μSv/min");
    EXPECT_EQ(Find<QLabel>(Window().overlayWindow(), "legendUnitLabel")->text(), "Sv/min");
    Find<QLineEdit>(w, "thresholdEdit", 1)->setText("7");
    Click(w, "kermaOption");
    EXPECT_EQ(Find<QLineEdit>(w, "thresholdEdit", 1)->text(), "2250");
    EXPECT_EQ(Find<QLineEdit>(w, "thresholdEdit", 9)->text(), "22.5");
    EXPECT_EQ(Find<QLabel>(Window().overlayWindow(), "thresholdLabel", 9)->text(), "22.5");
    EXPECT_EQ(Find<QLabel>(w, "readoutUnitLabel")->text(), "μGy/min");
}

TEST_F(ResultWindowTest, ReadOutWorksOnlyOverAPaintedMapAndClearsOutsideIt)
{
    ResultWindow& w = ReadyToPaint("r.dsr5", 100.0);
    w.readOutAt({100, 100});
    EXPECT_TRUE(Find<QLineEdit>(w, "cursorXEdit")->text().isEmpty()); // nothing painted yet
    Click(w, "paintButton");
    w.readOutAt({395, 590});
    EXPECT_EQ(Find<QLineEdit>(w, "cursorXEdit")->text(), "395");
    EXPECT_EQ(Find<QLineEdit>(w, "cursorYEdit")->text(), "290");
    EXPECT_EQ(Find<QLineEdit>(w, "cursorValueEdit")->text(), "100");
    EXPECT_FALSE(Find<QWidget>(w, "horizontalHair")->isHidden());
    EXPECT_EQ(Find<QWidget>(w, "verticalHair")->geometry().x(), 2 + 495);
    EXPECT_EQ(Find<QWidget>(w, "horizontalHair")->geometry().y(), 2 + 604);
    w.readOutAt({20.5, 300});
    EXPECT_EQ(Find<QLineEdit>(w, "cursorYEdit")->text(), "0");
    EXPECT_TRUE(Find<QLineEdit>(w, "cursorValueEdit")->text().isEmpty()); // column 0 holds no value
    w.readOutAt({395.5, 590});
    EXPECT_TRUE(Find<QLineEdit>(w, "cursorXEdit")->text().isEmpty());
    EXPECT_TRUE(Find<QWidget>(w, "verticalHair")->isHidden());
}

TEST_F(ResultWindowTest, TheMapShowsTheRatesTheirErrorsOrTheRatesGreyedEachWithItsLegend)
{
    ResultWindow& w = ReadyToPaint("r.dsr5", 100.0);
    auto errors = std::make_shared<ResultErrors>();
    errors->source = UncertaintySource::Read;
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) errors->kerma.At(2, c, r) = 30.0;
    errors->kerma.At(2, 150, 300) = std::numeric_limits<double>::quiet_NaN(); // no estimate
    state.display.errors = errors;

    const QRgb grey = Rgb24(GreyedOutColour);
    const struct {
        const char* option;
        const char* limit;
        QRgb at30Percent;    // the colour of a cell with a 30 % error
        QRgb withoutError;   // that of the cell without an estimate
        const char* unit;    // the legend's unit line
        const char* greyKey; // the grey key's text; empty: hidden
    } cases[] = {
        {"ratesOption", "20", Colour(1), Colour(1), "Gy/min", ""},
        {"errorsOption", "20", Rgb24(ErrorBandColour(5)), Rgb24(ErrorBandColour(NotScoredBand)),
            "相対標準誤差 %", ""},
        {"greyOption", "20", grey, grey, "Gy/min", "誤差 20 % 超"},
        {"greyOption", "50", Colour(1), grey, "Gy/min", "誤差 50 % 超"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.limit);
        Find<QLineEdit>(w, "greyLimitEdit")->setText(c.limit);
        Click(w, c.option);
        Click(w, "paintButton");
        EXPECT_EQ(Pixel(w, MapPixelOfElement(100, 200)), c.at30Percent);
        EXPECT_EQ(Pixel(w, MapPixelOfElement(150, 300)), c.withoutError);
        const bool errorMap = c.option == std::string("errorsOption");
        EXPECT_EQ(Find<QLabel>(w, "legendUnitLabel")->text(), c.unit);
        EXPECT_EQ(Find<QLabel>(w, "errorBandLabel", 7)->isVisibleTo(&w), errorMap);
        EXPECT_EQ(Find<QLineEdit>(w, "thresholdEdit", 1)->isVisibleTo(&w), !errorMap);
        const QRgb legendTop =
            Find<PictureBox>(w, "legendView")->image().pixel(LegendImageWidth / 2, 2) & 0xffffff;
        EXPECT_EQ(legendTop == Rgb24(ErrorBandColour(1)), errorMap);
        EXPECT_EQ(Find<QLabel>(w, "greyKeyLabel")->isVisibleTo(&w), c.greyKey[0] != '\0');
        const QString key = QString::fromUtf8(c.greyKey);
        EXPECT_EQ(Find<QLabel>(w, "greyKeyLabel")->text().left(key.size()), key);
    }
    // Every value with its error, whatever the map shows.
    w.readOutAt({120, 200});
    EXPECT_EQ(Find<QLineEdit>(w, "cursorValueEdit")->text(), "100 ± 30 %");
    w.readOutAt({170, 300});
    EXPECT_EQ(Find<QLineEdit>(w, "cursorValueEdit")->text(), "100 (± ?)");

    // A limit that greys nothing sensible is refused, and the map on show stays.
    Find<QLineEdit>(w, "greyLimitEdit")->setText("0");
    Click(w, "paintButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("灰色にする誤差の上限"));
    EXPECT_EQ(Pixel(w, MapPixelOfElement(100, 200)), Colour(1));
}

} // namespace
