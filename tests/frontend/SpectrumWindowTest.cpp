// "スペクトル表示": the view follows the main window's conditions, shows the figures of the
// beam they make, and saves its picture and its CSV.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

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
        Loaded().spectrumButton->click();
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
        ASSERT_EQ(view.figureValues.size(), figures.size());
        for (std::size_t row = 0; row < figures.size(); ++row) {
            EXPECT_EQ(view.figureLabels[row]->text().toStdString(), figures[row].label) << where;
            EXPECT_EQ(view.figureValues[row]->text().toStdString(),
                figures[row].value + (figures[row].unit.empty() ? "" : " " + figures[row].unit))
                << where;
        }
        EXPECT_EQ(view.plotView->image(), RenderSpectrumPlot(expected)) << where;
    }
};

TEST_F(SpectrumView, FollowsTheConditionsOfTheMainWindow)
{
    SpectrumWindow& view = Opened();
    MainWindow& form = Window();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), "スペクトル表示");
    EXPECT_EQ(form.spectrumButton->text(), "スペクトル表示");
    ExpectShowsTheBeamOfTheConditions(view, "defaults");
    EXPECT_EQ(view.figureValues[0]->text(), "3.48 mm Al");

    const struct {
        const char* what;
        std::function<void()> change;
        bool newSpectrum; // false: only the output figures change
    } changes[] = {
        {"voltage", [&] { form.tubeVoltageEdit->setText("100"); }, true},
        {"target angle", [&] { form.targetAngleEdit->setText("16"); }, true},
        {"inherent filtration", [&] { form.inherentFiltrationEdit->setText("3"); }, true},
        {"aluminium", [&] { form.aluminiumFilterEdit->setText("0"); }, true},
        {"copper", [&] { form.copperFilterEdit->setText("0.1"); }, true},
        {"three-phase", [&] { form.threePhaseOption->click(); }, true},
        {"single-phase", [&] { form.singlePhaseOption->click(); }, true},
        {"FSD", [&] { form.fsdEdit->setText("60"); }, false},
        {"pulsed, no mean current yet", [&] { form.pulsedOption->click(); }, false},
    };
    for (const auto& c : changes) {
        const double before = view.beam().hvl.firstMm;
        c.change();
        ExpectShowsTheBeamOfTheConditions(view, c.what);
        EXPECT_EQ(view.beam().hvl.firstMm != before, c.newSpectrum) << c.what;
    }
    EXPECT_EQ(view.beam().tubeOutputGyPerMin, 0.0) << "an empty mean current, as the job file would carry it";

    // Hidden, the view keeps its beam and catches up when shown again.
    view.closeButton->click();
    EXPECT_FALSE(view.isVisible());
    const double hiddenHvl = view.beam().hvl.firstMm;
    form.tubeVoltageEdit->setText("60");
    EXPECT_EQ(view.beam().hvl.firstMm, hiddenHvl);
    form.spectrumButton->click();
    ExpectShowsTheBeamOfTheConditions(view, "shown again");
}

TEST_F(SpectrumView, ConditionsWithoutASpectrumShowWhyAndSaveNothing)
{
    SpectrumWindow& view = Opened();
    const struct {
        QLineEdit* MainWindow::*box;
        const char* text;
        const char* shown; // the start of the warning
    } cases[] = {
        {&MainWindow::targetAngleEdit, "0", "ターゲット角度 0 度"},
        // Read as the calculation start reads it: not silently as 80 kV.
        {&MainWindow::tubeVoltageEdit, "80kV", " Ｘ線管電圧 の「80kV」は数値として読めません"},
    };
    for (const auto& c : cases) {
        (Window().*c.box)->setText(c.text);
        ExpectShowsTheBeamOfTheConditions(view, c.text);
        EXPECT_EQ(view.warningLabel->text().toStdString().rfind(c.shown, 0), 0u) << c.text;
        EXPECT_FALSE(view.imageSaveButton->isEnabled()) << c.text;
        EXPECT_FALSE(view.csvSaveButton->isEnabled()) << c.text;
        EXPECT_EQ(view.figureValues[0]->text(), "— mm Al") << c.text;
        EXPECT_EQ((Window().*c.box)->text(), c.text) << "the view corrects no entry";
        Window().loadTablesAndDefaults();
        EXPECT_EQ(view.warningLabel->text(), "");
        EXPECT_TRUE(view.imageSaveButton->isEnabled());
    }
}

TEST_F(SpectrumView, SavesThePictureAndTheCsvAddingTheExtension)
{
    SpectrumWindow& view = Opened();
    const struct {
        QPushButton* SpectrumWindow::*button;
        const char* typed;
        const char* proposed;
        const char* written;
    } cases[] = {
        {&SpectrumWindow::imageSaveButton, "plot", "spectrum_80kV.png", "plot.png"},
        {&SpectrumWindow::csvSaveButton, "beam", "spectrum_80kV.csv", "beam.csv"},
        {&SpectrumWindow::csvSaveButton, "beam.txt", "spectrum_80kV.csv", "beam.txt"},
    };
    for (const auto& c : cases) {
        platform.saveAnswers.push_back(Path(c.typed));
        (view.*c.button)->click();
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
        view.csvSaveButton->click();
        EXPECT_EQ(platform.messages.back().buttons, MessageButtons::OkCancel);
        EXPECT_EQ(Read("beam.csv") == "kept", answer == MessageAnswer::Cancel);
    }
}

} // namespace
