// "スペクトル表示": the view follows the main window's conditions, shows the figures of the
// beam they make, and saves its picture and its CSV.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "drawing/SpectrumPlot.h"
#include "logic/exports/SpectrumExport.h"
#include "windows/PictureBox.h"
#include "windows/SpectrumWindow.h"

using namespace brisca;

namespace {

class SpectrumView : public WorkingFolder {
protected:
    // The view opened from the loaded main window.
    SpectrumWindow& Opened()
    {
        Click(Loaded(), "spectrumButton");
        return Window().spectrumWindow();
    }

    // What the view must show for the main window's conditions now.
    void ExpectShowsTheBeamOfTheConditions(const SpectrumWindow& view, const std::string& where)
    {
        const Expected<CalculationConditions> conditions = Window().conditions();
        const BeamQuality expected = conditions ? ComputeBeamQuality(*conditions, state.tables)
                                                : BeamOfUnreadEntries(conditions.Failure());
        EXPECT_EQ(view.beam().hvl.firstMm, expected.hvl.firstMm) << where;
        EXPECT_EQ(view.beam().tubeOutputGyPerMin, expected.tubeOutputGyPerMin) << where;
        const std::vector<BeamFigure> figures = BeamFigures(expected);
        // One row a figure, and none more.
        EXPECT_EQ(view.findChild<QLabel*>(QString("figureValue%1").arg(figures.size() + 1)), nullptr);
        for (std::size_t row = 0; row < figures.size(); ++row) {
            EXPECT_EQ(Find<QLabel>(view, "figureLabel", row + 1)->text().toStdString(), figures[row].label)
                << where;
            EXPECT_EQ(Find<QLabel>(view, "figureValue", row + 1)->text().toStdString(),
                figures[row].value + (figures[row].unit.empty() ? "" : " " + figures[row].unit))
                << where;
        }
        EXPECT_EQ(Find<PictureBox>(view, "plotView")->image(), RenderSpectrumPlot(expected)) << where;
    }
};

TEST_F(SpectrumView, FollowsTheConditionsOfTheMainWindow)
{
    SpectrumWindow& view = Opened();
    MainWindow& form = Window();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), "スペクトル表示");
    EXPECT_EQ(Find<QPushButton>(form, "spectrumButton")->text(), "スペクトル表示");
    ExpectShowsTheBeamOfTheConditions(view, "defaults");
    EXPECT_EQ(Find<QLabel>(view, "figureValue", 1)->text(), "3.48 mm Al");

    const struct {
        const char* what;
        std::function<void()> change;
        bool newSpectrum; // false: only the output figures change
    } changes[] = {
        {"voltage", [&] { Find<QLineEdit>(form, "tubeVoltageEdit")->setText("100"); }, true},
        {"target angle", [&] { Find<QLineEdit>(form, "targetAngleEdit")->setText("16"); }, true},
        {"inherent filtration", [&] { Find<QLineEdit>(form, "inherentFiltrationEdit")->setText("3"); }, true},
        {"aluminium", [&] { Find<QLineEdit>(form, "aluminiumFilterEdit")->setText("0"); }, true},
        {"copper", [&] { Find<QLineEdit>(form, "copperFilterEdit")->setText("0.1"); }, true},
        {"three-phase", [&] { Click(form, "threePhaseOption"); }, true},
        {"single-phase", [&] { Click(form, "singlePhaseOption"); }, true},
        {"FSD", [&] { Find<QLineEdit>(form, "fsdEdit")->setText("60"); }, false},
        {"pulsed, no mean current yet", [&] { Click(form, "pulsedOption"); }, false},
    };
    for (const auto& c : changes) {
        const double before = view.beam().hvl.firstMm;
        c.change();
        ExpectShowsTheBeamOfTheConditions(view, c.what);
        EXPECT_EQ(view.beam().hvl.firstMm != before, c.newSpectrum) << c.what;
    }
    EXPECT_EQ(view.beam().tubeOutputGyPerMin, 0.0) << "an empty mean current, as the job file would carry it";

    // Hidden, the view keeps its beam and catches up when shown again.
    Click(view, "closeButton");
    EXPECT_FALSE(view.isVisible());
    const double hiddenHvl = view.beam().hvl.firstMm;
    Find<QLineEdit>(form, "tubeVoltageEdit")->setText("60");
    EXPECT_EQ(view.beam().hvl.firstMm, hiddenHvl);
    Click(form, "spectrumButton");
    ExpectShowsTheBeamOfTheConditions(view, "shown again");
}

TEST_F(SpectrumView, ConditionsWithoutASpectrumShowWhyAndSaveNothing)
{
    SpectrumWindow& view = Opened();
    const struct {
        const char* box;
        const char* text;
        const char* shown; // the start of the warning
    } cases[] = {
        {"targetAngleEdit", "0", "ターゲット角度 0 度"},
        // Read as the calculation start reads it: not silently as 80 kV.
        {"tubeVoltageEdit", "80kV", " Ｘ線管電圧 の「80kV」は数値として読めません"},
    };
    for (const auto& c : cases) {
        Find<QLineEdit>(Window(), c.box)->setText(c.text);
        ExpectShowsTheBeamOfTheConditions(view, c.text);
        EXPECT_EQ(Find<QLabel>(view, "warningLabel")->text().toStdString().rfind(c.shown, 0), 0u) << c.text;
        EXPECT_FALSE(Find<QPushButton>(view, "imageSaveButton")->isEnabled()) << c.text;
        EXPECT_FALSE(Find<QPushButton>(view, "csvSaveButton")->isEnabled()) << c.text;
        EXPECT_EQ(Find<QLabel>(view, "figureValue", 1)->text(), "— mm Al") << c.text;
        EXPECT_EQ(Find<QLineEdit>(Window(), c.box)->text(), c.text) << "the view corrects no entry";
        Window().loadTablesAndDefaults();
        EXPECT_EQ(Find<QLabel>(view, "warningLabel")->text(), "");
        EXPECT_TRUE(Find<QPushButton>(view, "imageSaveButton")->isEnabled());
    }
}

TEST_F(SpectrumView, SavesThePictureAndTheCsvAddingTheExtension)
{
    SpectrumWindow& view = Opened();
    const struct {
        const char* button;
        const char* typed;
        const char* proposed;
        const char* written;
    } cases[] = {
        {"imageSaveButton", "plot", "spectrum_80kV.png", "plot.png"},
        {"csvSaveButton", "beam", "spectrum_80kV.csv", "beam.csv"},
        {"csvSaveButton", "beam.txt", "spectrum_80kV.csv", "beam.txt"},
    };
    for (const auto& c : cases) {
        platform.saveAnswers.push_back(Path(c.typed));
        Click(view, c.button);
        EXPECT_EQ(platform.saveProposals.back(), QDir::current().filePath(c.proposed));
        ASSERT_TRUE(Exists(c.written)) << c.written;
    }
    EXPECT_EQ(
        QImage(Path("plot.png")).convertToFormat(QImage::Format_RGB32), ComposeSpectrumPicture(view.beam()));
    EXPECT_EQ(Read("beam.csv").toStdString(), SpectrumCsvText(view.beam()));
    EXPECT_TRUE(platform.messages.empty());

    // The dialog asked about "beam", not "beam.csv": replacing that file needs a yes.
    Write("beam.csv", "kept");
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        platform.saveAnswers.push_back(Path("beam"));
        platform.messageAnswers.push_back(answer);
        Click(view, "csvSaveButton");
        EXPECT_EQ(platform.messages.back().buttons, MessageButtons::OkCancel);
        EXPECT_EQ(Read("beam.csv") == "kept", answer == MessageAnswer::Cancel);
    }
}

} // namespace
