// The overlay window: opened from the layout editor, its height options, both sides, the
// quantity and thresholds of the result window, and a reset during a drawing.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "logic/result/ColourBands.h"
#include "logic/result/ErrorShading.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

using namespace brisca;

namespace {

class OverlayWindowTest : public WorkingFolder {
protected:
    // A map of r.dsr5 on show, with air kerma in band 1 at the phantom-centre height and
    // nothing elsewhere; the layout editor has taken over its initial plan (a bed along x: the
    // distribution lies towards +y).
    OverlayWindow& Prepared()
    {
        Window().showResults();
        ResultFile file{"r.dsr5", {}};
        file.header.labels[static_cast<int>(HeaderValue::TubeCurrent)] = "3";
        state.display.painted = PaintedMap{file, {}};
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r) state.display.kermaGrid.At(2, c, r) = 100;
        ResultWindow& results = Window().resultWindow();
        Find<QLineEdit>(results, "thresholdEdit", 1)->setText("1.50E-02");
        for (int n = 1; n < 11; ++n)
            Find<QLineEdit>(results, "thresholdEdit", n + 1)->setText(QString::number(11 - n));
        LayoutEditor& editor = Window().layoutEditor();
        Find<QLineEdit>(editor, "layoutNameEdit")->setText("第1透視室");
        editor.show();
        editor.takeOver();
        return Window().overlayWindow();
    }

    // Colour of the plan at centre-system point (x, y).
    QRgb At(OverlayWindow& w, double x, double y)
    {
        const QPoint pixel = Find<PictureBox>(w, "planView")
                                 ->toPixel(state.roomLayout.centreX + x, state.roomLayout.centreY + y);
        return Find<PictureBox>(w, "planView")->image().pixel(pixel);
    }

    // Which of the three red frames show.
    std::vector<bool> Frames(const OverlayWindow& w)
    {
        return {Find<QFrame>(w, "aboveFrame")->isVisibleTo(&w),
            Find<QFrame>(w, "centreFrame")->isVisibleTo(&w), Find<QFrame>(w, "belowFrame")->isVisibleTo(&w)};
    }

    const QRgb band1 = qRgb(255, 0, 255);
    const QRgb white = qRgb(255, 255, 255);
};

TEST_F(OverlayWindowTest, DistributionButtonDrawsOneSidedShowsTheOverlayAndHidesTheEditor)
{
    OverlayWindow& w = Prepared();
    LayoutEditor& editor = Window().layoutEditor();
    state.displayChoice.layer = HeightLayer::Centre;
    Find<QCheckBox>(w, "bothSidesCheck")->setChecked(true);
    Click(editor, "distributionButton");

    EXPECT_FALSE(Find<QCheckBox>(w, "bothSidesCheck")->isChecked());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(Find<QLabel>(w, "layoutNameLabel")->text(), "第1透視室");
    EXPECT_TRUE(Find<QRadioButton>(w, "centreOption")->isChecked());
    EXPECT_EQ(Frames(w), (std::vector<bool>{false, true, false}));
    // The thresholds as the result window holds them, in plain number text.
    EXPECT_EQ(Find<QLabel>(w, "thresholdLabel", 1)->text(), "0.015");
    EXPECT_EQ(Find<QLabel>(w, "thresholdLabel", 11)->text(), "1");
    EXPECT_EQ(At(w, 150, 120), band1);
    EXPECT_EQ(At(w, 150, -120), white);
    // The conditions are those of the result on show.
    EXPECT_EQ(Find<QLabel>(w, "tubeCurrentLabel")->text(), "3");
    // Pending events ran after every row.
    EXPECT_GE(platform.events.count("pendingevents"), 600);

    // Both sides show after "再描画" only.
    Click(w, "bothSidesCheck");
    EXPECT_EQ(At(w, 150, -120), white);
    Click(w, "redrawButton");
    EXPECT_EQ(At(w, 150, -120), band1);

    // The quantity is the result window's: effective dose is empty here, and the legend's
    // unit follows the choice.
    EXPECT_EQ(Find<QLabel>(w, "legendUnitLabel")->text(), "Gy/min");
    Click(Window().resultWindow(), "doseOption");
    EXPECT_EQ(Find<QLabel>(w, "legendUnitLabel")->text(), "Sv/min");
    Click(w, "redrawButton");
    EXPECT_EQ(At(w, 150, 120), white);
    Click(Window().resultWindow(), "kermaOption");

    // A height option frames itself, sets the shared height, which the result window shows,
    // and draws that plane (empty); a height chosen there is shown here.
    Click(w, "aboveOption");
    EXPECT_EQ(state.displayChoice.layer, HeightLayer::Above);
    EXPECT_EQ(Frames(w), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(Find<QRadioButton>(Window().resultWindow(), "aboveOption")->isChecked());
    Click(Window().resultWindow(), "belowOption");
    EXPECT_TRUE(Find<QRadioButton>(w, "belowOption")->isChecked());
    EXPECT_EQ(Frames(w), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(At(w, 150, 120), white);
    Click(w, "centreOption");
    EXPECT_EQ(At(w, 150, 120), band1);

    // Without a map on show nothing of another file's grids is drawn.
    state.display.painted.reset();
    Click(w, "redrawButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("散乱線量分布がありません"));
    EXPECT_EQ(At(w, 150, 120), white);
    EXPECT_TRUE(Find<QLabel>(w, "tubeCurrentLabel")->text().isEmpty());

    Click(w, "exitButton");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(editor.isVisible());
}

TEST_F(OverlayWindowTest, ARedrawDuringTheYieldsLeavesTheLatestInputsAndAResetStopsTheDrawing)
{
    OverlayWindow& w = Prepared();
    // Both sides ticked and "再描画" pressed while a one-sided drawing yields: the nested drawing
    // shows both sides, and the rows the first one draws afterwards keep them.
    int yields = 0;
    platform.duringEvents = [&] {
        if (++yields == 5) {
            Find<QCheckBox>(w, "bothSidesCheck")->setChecked(true);
            Click(w, "redrawButton");
        }
    };
    w.drawOverlay();
    EXPECT_EQ(At(w, 150, 120), band1);
    EXPECT_EQ(At(w, 150, -120), band1);

    // Opening the result display again clears the plan; the drawing under way ends there.
    yields = 0;
    platform.duringEvents = [&] {
        if (++yields == 5) Window().showResults();
    };
    w.drawOverlay();
    const QImage& plan = Find<PictureBox>(w, "planView")->image();
    for (int y = 0; y < plan.height(); y += 7)
        for (int x = 0; x < plan.width(); x += 7) ASSERT_EQ(plan.pixel(x, y), white) << x << ", " << y;
}

TEST_F(OverlayWindowTest, ThePlanAndItsLegendFollowTheResultWindowsChoiceOfErrorsOrGreyOut)
{
    OverlayWindow& w = Prepared();
    ResultWindow& results = Window().resultWindow();
    auto errors = std::make_shared<ResultErrors>();
    errors->source = UncertaintySource::Read;
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) errors->kerma.At(2, c, r) = 30.0;
    state.display.errors = errors;
    const auto rgb = [](Rgb c) { return qRgb(c.r, c.g, c.b); };
    const struct {
        const char* option;
        const char* limit;
        QRgb dot;        // a dot of the distribution
        bool errorBands; // the error bands' ranges in the legend
        bool greyKey;    // the grey key beside it
    } cases[] = {
        {"errorsOption", "20", rgb(ErrorBandColour(5)), true, false},
        {"greyOption", "20", rgb(GreyedOutColour), false, true},
        {"greyOption", "50", band1, false, true},
        {"ratesOption", "20", band1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.limit);
        Find<QLineEdit>(results, "greyLimitEdit")->setText(c.limit);
        Click(results, c.option);
        Click(w, "redrawButton");
        EXPECT_EQ(At(w, 150, 120), c.dot);
        EXPECT_EQ(Find<QLabel>(w, "errorBandLabel", 1)->isVisibleTo(&w), c.errorBands);
        EXPECT_EQ(Find<QLabel>(w, "thresholdLabel", 1)->isVisibleTo(&w), !c.errorBands);
        EXPECT_EQ(Find<QLabel>(w, "greyKeyLabel")->isVisibleTo(&w), c.greyKey);
    }
    // The read-out gives the value with its error.
    w.moveOnPlan(0, state.roomLayout.centreX + 150, state.roomLayout.centreY + 120);
    EXPECT_EQ(Find<QLineEdit>(w, "cursorValueEdit")->text(), "100 ± 30 %");

    // A result without its errors: the plain value, and no error map drawn in their place.
    errors->source = UncertaintySource::Missing;
    w.moveOnPlan(0, state.roomLayout.centreX + 150, state.roomLayout.centreY + 120);
    EXPECT_EQ(Find<QLineEdit>(w, "cursorValueEdit")->text(), "100");
    Click(results, "errorsOption");
    Click(w, "redrawButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("不確かさファイル"));
    EXPECT_EQ(At(w, 150, 120), white);
}

} // namespace
