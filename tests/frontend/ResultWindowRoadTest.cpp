// From "計算スタート" to a painted map with the real programs: each engine on few histories,
// then the result window with the real refiner, data processing and painting.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <set>
#include <utility>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "drawing/DistributionMap.h"
#include "logic/result/ColourBands.h"
#include "logic/result/ErrorText.h"
#include "logic/text/NumberText.h"
#include "windows/CorrectionDialog.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"
#include "windows/SavedNotice.h"

using namespace brisca;

namespace {

class ResultRoad : public WorkingFolder {
protected:
    // Runs a program the window started, in its working folder, to its end.
    ProgramEnd RunStarted(const ProgramStart& start)
    {
        QProcess run;
        run.setWorkingDirectory(start.workingDirectory);
        run.setStandardInputFile(QProcess::nullDevice());
        run.start(start.program, {});
        EXPECT_TRUE(run.waitForFinished(180000));
        return {run.exitCode(), run.exitStatus() == QProcess::CrashExit,
            QString::fromUtf8(run.readAllStandardError())};
    }

    // "計算スタート" in the given position, then the engine on 20000 histories.
    void Calculate(QRadioButton* position, const QString& name)
    {
        MainWindow& form = Window();
        position->click();
        Find<QLineEdit>(form, "resultNameEdit")->setText(name);
        Click(form, "startButton");
        QByteArray job = Read("B2F.txt");
        job.replace("5.000E+08", "2.000E+04");
        Write("B2F.txt", job);
        ASSERT_EQ(RunStarted(platform.starts.back()).exitCode, 0);
    }

    // Select, "OK" with the refiner run to its end, "データ処理", "散乱線量分布表示".
    void Display(ResultWindow& w, const QString& file)
    {
        const std::size_t shown = platform.messages.size();
        Window().showResults();
        QListWidget* list = Find<QListWidget>(w, "resultList");
        const auto found = list->findItems(file, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found[0]);
        Click(w, "convertButton");
        ASSERT_EQ(platform.starts.back().program, QDir(BRISCA_BIN_DIR).filePath("mcrefine"));
        platform.watchers.back()(RunStarted(platform.starts.back()));
        Click(w, "processButton");
        Click(w, "paintButton");
        ASSERT_EQ(platform.messages.size(), shown) << platform.messages.back().text.toStdString();
    }

    // Pixels of elements away from the grid lines and symbols carry their band's colour, and
    // the read-out at such a pixel gives the element one column left and one row up, with its
    // error from the uncertainty file the engine wrote beside the result.
    void ExpectMapOf(ResultWindow& w)
    {
        const QImage& map = Find<PictureBox>(w, "mapView")->image();
        std::set<QRgb> colours;
        for (int j = 11; j <= 591; ++j)
            for (int i = 1; i <= 376; ++i) colours.insert(map.pixel(MapPixelOfElement(i, j)));
        EXPECT_GE(colours.size(), 5u);
        for (const auto& [i, j] : {std::pair{30, 150}, {150, 450}, {250, 250}, {60, 520}, {350, 40}}) {
            const Rgb c = MapColour(
                ColourBand(state.display.kermaGrid.At(2, i, j), state.display.painted->choice.thresholds));
            EXPECT_EQ(map.pixel(MapPixelOfElement(i, j)), qRgb(c.r, c.g, c.b)) << i << "," << j;
            w.readOutAt(QPointF(i + 19, j - 1));
            const DisplayGrid* errors = state.display.Errors(Quantity::Kerma);
            ASSERT_TRUE(errors);
            EXPECT_EQ(Find<QLineEdit>(w, "cursorValueEdit")->text().toStdString(),
                ValueWithError(PlainNumberText(state.display.kermaGrid.At(2, i - 1, j - 1)),
                    errors->At(2, i - 1, j - 1)));
        }
    }

    // With BRISCA_SCREENSHOT_DIR set (by hand, to look at the window), saves the window after
    // painting each quantity at each height as <name>-<quantity>-<height>.png, and the error map
    // of the last as <name>-errors.png.
    void SaveScreenshots(ResultWindow& w, const QString& name)
    {
        const QString folder = qEnvironmentVariable("BRISCA_SCREENSHOT_DIR");
        if (folder.isEmpty()) return;
        for (QRadioButton* quantity :
            {Find<QRadioButton>(w, "kermaOption"), Find<QRadioButton>(w, "doseOption")})
            for (QRadioButton* height : {Find<QRadioButton>(w, "aboveOption"),
                     Find<QRadioButton>(w, "centreOption"), Find<QRadioButton>(w, "belowOption")}) {
                quantity->click();
                height->click();
                Click(w, "paintButton");
                w.readOutAt(QPointF(120, 250));
                w.grab().save(QDir(folder).filePath(
                    name + "-" + quantity->objectName() + "-" + height->objectName() + ".png"));
            }
        Click(w, "centreOption");
        Click(w, "errorsOption");
        Click(w, "paintButton");
        w.readOutAt(QPointF(120, 250));
        w.grab().save(QDir(folder).filePath(name + "-errors.png"));
        Click(w, "ratesOption");
    }

    // Where the layout editor's elements go for an overlay screenshot, in plan units.
    struct Plan {
        double width, height;               // the room
        double centreX, centreY;            // the object centre
        double bedLeft, bedTop, bedW, bedH; // the bed
        double doorLeft, doorTop;           // the staff door
        double windowLeft, windowTop;       // the viewing window
        double controlRoomX, controlRoomY;  // the control-room label
        double freeTextX, freeTextY;        // the free text
    };

    // With BRISCA_SCREENSHOT_DIR set, draws the room with the mouse in the layout editor (saved
    // as <name>-layout-editor.png), takes it over, shows the distribution at the phantom-centre
    // height on both sides and saves <name>-overlay.png.
    void SaveOverlayScreenshot(const QString& name, const Plan& p)
    {
        const QString folder = qEnvironmentVariable("BRISCA_SCREENSHOT_DIR");
        if (folder.isEmpty()) return;
        Click(Window().resultWindow(), "layoutButton");
        LayoutEditor& editor = Window().layoutEditor();
        editor.chooseRoom();
        editor.placeAt(LeftButton, p.width - 2, p.height - 2);
        editor.chooseObjectCentre();
        editor.placeAt(LeftButton, p.centreX, p.centreY);
        editor.chooseBed();
        editor.placeAt(LeftButton, p.bedLeft, p.bedTop);
        editor.placeAt(RightButton, p.bedLeft + p.bedW, p.bedTop + p.bedH);
        editor.chooseStaffDoor();
        editor.placeAt(LeftButton, p.doorLeft, p.doorTop);
        editor.chooseViewingWindow();
        editor.placeAt(LeftButton, p.windowLeft, p.windowTop);
        editor.chooseControlRoomLabel();
        editor.placeAt(LeftButton, p.controlRoomX, p.controlRoomY);
        platform.textAnswers.push_back("前室");
        editor.enterFreeText();
        editor.placeAt(LeftButton, p.freeTextX, p.freeTextY);
        Find<QLineEdit>(editor, "layoutNameEdit")->setText(name + "-room");
        editor.grab().save(QDir(folder).filePath(name + "-layout-editor.png"));
        editor.takeOver();
        Click(editor, "distributionButton");
        OverlayWindow& overlay = Window().overlayWindow();
        Click(overlay, "bothSidesCheck");
        Click(overlay, "centreOption");
        overlay.grab().save(QDir(folder).filePath(name + "-overlay.png"));
        Click(overlay, "exitButton");
    }
};

TEST_F(ResultRoad, StandingAndSupineResultsArePaintedWithTheirSymbols)
{
#ifndef BRISCA_BIN_DIR
    GTEST_SKIP() << "the engines are not built";
#else
    platform.programFolder = BRISCA_BIN_DIR;
    MainWindow& form = Loaded();
    ASSERT_NO_FATAL_FAILURE(Calculate(Find<QRadioButton>(form, "standingOption"), "stand"));
    ASSERT_NO_FATAL_FAILURE(Calculate(Find<QRadioButton>(form, "supineOption"), "supine"));
    ResultWindow& w = form.resultWindow();

    ASSERT_NO_FATAL_FAILURE(Display(w, "stand.dsr5"));
    ExpectMapOf(w);
    const QImage& map = Find<PictureBox>(w, "mapView")->image();
    // The pixel of user point (0, y) is that of element (−19, y + 1).
    const auto onAxis = [&map](int y) { return map.pixel(MapPixelOfElement(-19, y + 1)); };
    // The tube focus 90 cm in front of the skin and the central ray, light red.
    EXPECT_EQ(onAxis(200), qRgb(255, 0, 0));
    EXPECT_EQ(onAxis(250), qRgb(255, 0, 0));
    SaveScreenshots(w, "stand");
    SaveOverlayScreenshot(
        "stand", {600, 400, 300, 200, 200, 155, 200, 90, 60, 387, 250, 386, 260, 420, 610, 180});

    ASSERT_NO_FATAL_FAILURE(Display(w, "supine.dsr5"));
    ExpectMapOf(w);
    EXPECT_EQ(onAxis(300), qRgb(255, 0, 0)); // the vertical beam at the phantom centre
    EXPECT_EQ(onAxis(250), qRgb(0, 0, 0));   // only the grid line where the standing ray was
    EXPECT_TRUE(Find<QPushButton>(w, "correctionButton")->isEnabled());
    SaveScreenshots(w, "supine");
    SaveOverlayScreenshot(
        "supine", {500, 700, 250, 350, 205, 250, 90, 200, 60, 687, 230, 686, 230, 720, 510, 300});
#endif
}

TEST_F(ResultRoad, ACorrectedResultIsRefinedAndPaintedWithEveryValueScaled)
{
#ifndef BRISCA_BIN_DIR
    GTEST_SKIP() << "the refiner is not built";
#else
    platform.programFolder = BRISCA_BIN_DIR;
    ASSERT_TRUE(QFile::copy(BRISCA_ENGINE_RESULT, Path("real.dsr5")));
    ASSERT_TRUE(QFile::copy(BRISCA_ENGINE_ERRORS, Path("real.dsrE")));
    MainWindow& form = Loaded();
    ResultWindow& w = form.resultWindow();
    ASSERT_NO_FATAL_FAILURE(Display(w, "real.dsr5"));
    SaveScreenshots(w, "real");
    const DisplayGrid kerma = state.display.kermaGrid;
    const DisplayGrid dose = state.display.doseGrid;

    Click(w, "correctionButton");
    Find<QLineEdit>(form.correctionDialog(), "primaryMeasuredEdit")
        ->setText("3.046E-02"); // twice the header's 1.523E-02
    Click(form.correctionDialog(), "okButton");
    ASSERT_EQ(Find<QLabel>(form.savedNotice(), "fileNameLabel")->text(), "real.dsrC");
    ASSERT_NO_FATAL_FAILURE(Display(w, "real.dsrC"));
    EXPECT_TRUE(state.display.painted);
    EXPECT_FALSE(Find<QPushButton>(w, "correctionButton")->isEnabled());
    // Both files hold four significant digits and the refiner interpolates linearly between
    // non-negative values, so each refined value is twice the original to a few parts in 10^4.
    int mismatches = 0;
    for (int k = 1; k <= DisplayGrid::Layers; ++k)
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r)
                for (const auto& [before, after] :
                    {std::pair{&kerma, &state.display.kermaGrid}, {&dose, &state.display.doseGrid}}) {
                    const double expected = 2 * before->At(k, c, r);
                    mismatches += std::abs(after->At(k, c, r) - expected) > 2e-3 * expected + 1e-12;
                }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(state.display.kermaMax, 0.0);
    // A correction scales every value alike: the copy keeps its source's relative errors.
    ASSERT_TRUE(state.display.Errors(Quantity::Kerma));
    EXPECT_TRUE(Find<QLabel>(w, "uncertaintyLabel")->text().contains("real.dsrE"));
#endif
}

} // namespace
