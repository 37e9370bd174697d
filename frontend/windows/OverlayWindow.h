#pragma once

#include <QWidget>
#include <array>

#include "drawing/ResultPicture.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace brisca {

struct AppState;
class PictureBox;
class Platform;
class ResultWindow;
struct ResultHeader;

// The distribution of the loaded result laid over the room plan at one height, with the
// legend, the conditions of the result and the choice of height and of both sides.
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window and paints its legend strip once.
    OverlayWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // The result window whose quantity option and threshold boxes every drawing reads.
    void readDisplayFrom(const ResultWindow& results) { results_ = &results; }
    // Empties the condition and threshold captions and clears the plan, as opening the result
    // display does; a drawing in progress stops.
    void reset();
    // The layout's name in the title.
    void showLayoutName(const QString& name);
    // "散乱線分布表示" of the layout editor: one-sided drawing at the shared height, then this
    // window is shown and `editor` hidden.
    void showDistribution(QWidget& editor);
    // A height option: its red frame, the shared height and a new drawing.
    void chooseHeight(HeightLayer layer);
    // "再描画", and every drawing: the distribution over the current layout, yielding per row.
    void drawOverlay();
    // "画像保存": the plan with the distribution, its legend, unit and conditions as a PNG file.
    void saveImage();
    // "Exit": hides the window.
    void closeOverlay();
    // Shows the conditions of a result header beside their captions.
    void showHeader(const ResultHeader& header);
    // Shows legend thresholds 1..11 (texts as the result window's threshold boxes hold them).
    void showThresholds(const std::array<QString, 11>& texts);

    PictureBox* planView;                    // the room plan with the distribution
    PictureBox* legendView;                  // the legend strip
    std::array<QLabel*, 11> thresholdLabels; // thresholds 1..11 beside the legend boxes
    QLabel* legendUnitLabel;                 // unit after "μ" above the thresholds
    QLabel* positionLabel;                   // patient position in words
    QLabel* freeAirKermaLabel;               // free-air kerma rate at the FSD, Gy/min
    QLabel* fsdLabel;                        // focus-to-entrance-surface distance, cm
    QLabel* fieldFirstLabel;                 // field size, first side, cm
    QLabel* fieldSecondLabel;                // field size, second side, cm
    QLabel* tubeVoltageLabel;                // kV
    QLabel* tubeCurrentLabel;                // mA
    QLabel* inherentFiltrationLabel;         // mm Al
    QLabel* aluminiumFilterLabel;            // mm
    QLabel* copperFilterLabel;               // mm
    QLabel* layoutNameLabel;                 // name of the room layout
    QGroupBox* heightGroup;                  // height of the plane shown
    QRadioButton* aboveOption;               // 50 cm above the phantom centre
    QRadioButton* centreOption;              // at the phantom centre
    QRadioButton* belowOption;               // 50 cm below the phantom centre
    QFrame* aboveFrame;                      // red frame of the chosen height: above
    QFrame* centreFrame;                     // red frame of the chosen height: centre
    QFrame* belowFrame;                      // red frame of the chosen height: below
    QCheckBox* bothSidesCheck;               // "両側の分布を表示"
    QPushButton* redrawButton;               // "再描画"
    QPushButton* exitButton;                 // "Exit"
    QPushButton* imageSaveButton;            // "画像保存"

private:
    // The conditions of the loaded result beside their captions, from the top at x = `side`.
    int buildConditions(int side);
    // The legend strip with the thresholds and their unit, from the top at `top`.
    void buildLegend(int side, int top);
    // The height options with their frames, both sides, "再描画" and "Exit".
    void buildChoices(int side, int top);
    // Selects the option of a height and shows only its frame.
    void showHeight(HeightLayer layer);

    AppState& state_;                       // layout, grids, height and thresholds
    Platform& platform_;                    // pending events between the rows
    const ResultWindow* results_ = nullptr; // quantity and thresholds; none: air kerma, thresholds 0
    int resets_ = 0;                        // number of resets; a drawing stops when it changes
    PictureCaption drawn_;                  // what the last drawing showed, for "画像保存"
};

} // namespace brisca
