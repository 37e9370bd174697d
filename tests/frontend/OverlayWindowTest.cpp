// The overlay window: opened from the layout editor, its height options, both sides, the
// quantity and thresholds of the result window, and a reset during a drawing.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "WorkingFolder.h"
#include "logic/result/ColourBands.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

using namespace brisca;

namespace {

class OverlayWindowTest : public WorkingFolder {
protected:
    // Air kerma in band 1 at the phantom-centre height, nothing elsewhere; the layout editor
    // has taken over its initial plan (a bed along x: the distribution lies towards +y).
    OverlayWindow& Prepared()
    {
        Window().showResults();
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r) state.kermaGrid.At(2, c, r) = 100;
        ResultWindow& results = Window().resultWindow();
        results.thresholdEdits[0]->setText("1.50E-02");
        for (int n = 1; n < 11; ++n) results.thresholdEdits[n]->setText(QString::number(11 - n));
        LayoutEditor& editor = Window().layoutEditor();
        editor.layoutNameEdit->setText("第1透視室");
        editor.show();
        editor.takeOver();
        return Window().overlayWindow();
    }

    // Colour of the plan at centre-system point (x, y).
    QRgb At(OverlayWindow& w, double x, double y)
    {
        const QPoint pixel = w.planView->toPixel(state.roomLayout.centreX + x, state.roomLayout.centreY + y);
        return w.planView->image().pixel(pixel);
    }

    // Which of the three red frames show.
    std::vector<bool> Frames(const OverlayWindow& w)
    {
        return {w.aboveFrame->isVisibleTo(&w), w.centreFrame->isVisibleTo(&w), w.belowFrame->isVisibleTo(&w)};
    }

    const QRgb band1 = qRgb(255, 0, 255);
    const QRgb white = qRgb(255, 255, 255);
};

TEST_F(OverlayWindowTest, DistributionButtonDrawsOneSidedShowsTheOverlayAndHidesTheEditor)
{
    OverlayWindow& w = Prepared();
    LayoutEditor& editor = Window().layoutEditor();
    state.heightLayer = HeightLayer::Centre;
    w.bothSidesCheck->setChecked(true);
    editor.distributionButton->click();

    EXPECT_FALSE(w.bothSidesCheck->isChecked());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(w.layoutNameLabel->text(), "第1透視室");
    EXPECT_TRUE(w.centreOption->isChecked());
    EXPECT_EQ(Frames(w), (std::vector<bool>{false, true, false}));
    // The thresholds as the result window holds them, in plain number text.
    EXPECT_EQ(w.thresholdLabels[0]->text(), "0.015");
    EXPECT_EQ(w.thresholdLabels[10]->text(), "1");
    EXPECT_EQ(At(w, 150, 120), band1);
    EXPECT_EQ(At(w, 150, -120), white);
    // Pending events ran after every row.
    EXPECT_GE(platform.events.count("pendingevents"), 600);

    // Both sides show after "再描画" only.
    w.bothSidesCheck->click();
    EXPECT_EQ(At(w, 150, -120), white);
    w.redrawButton->click();
    EXPECT_EQ(At(w, 150, -120), band1);

    // The quantity is the result window's: effective dose is empty here.
    Window().resultWindow().doseOption->setChecked(true);
    w.redrawButton->click();
    EXPECT_EQ(At(w, 150, 120), white);
    Window().resultWindow().kermaOption->setChecked(true);

    // A height option frames itself, sets the shared height and draws that plane (empty).
    w.aboveOption->click();
    EXPECT_EQ(state.heightLayer, HeightLayer::Above);
    EXPECT_EQ(Frames(w), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(At(w, 150, 120), white);
    w.centreOption->click();
    EXPECT_EQ(At(w, 150, 120), band1);

    w.exitButton->click();
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
            w.bothSidesCheck->setChecked(true);
            w.redrawButton->click();
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
    const QImage& plan = w.planView->image();
    for (int y = 0; y < plan.height(); y += 7)
        for (int x = 0; x < plan.width(); x += 7) ASSERT_EQ(plan.pixel(x, y), white) << x << ", " << y;
}

} // namespace
