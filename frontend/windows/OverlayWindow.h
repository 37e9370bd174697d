#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "drawing/ResultPicture.h"
#include "logic/room/PointDoses.h"
#include "windows/ShadingLegend.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisca {

struct AppState;
class EvaluationPointsPanel;
class PictureBox;
class Platform;
struct ResultFile;
struct ResultHeader;

// The distribution of the loaded result laid over the room plan at one height, with the
// legend, the conditions of the result and the choice of height and of both sides; under them
// the cursor read-out and the evaluation points with their doses.
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window and paints its legend strip once.
    OverlayWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Empties the condition and threshold captions and clears the plan, as opening the result
    // display does; a drawing in progress stops.
    void reset();
    // The layout's name in the title.
    void showLayoutName(const QString& name);
    // "散乱線分布表示" of the layout editor: one-sided drawing at the shared height, then this
    // window is shown and `editor` hidden.
    void showDistribution(QWidget& editor);
    // A height option: the shared height, announced, and a new drawing.
    void chooseHeight(HeightLayer layer);
    // The shared display choice into the legend (the rates' unit and thresholds, the grey key, or
    // the error bands) and the height option.
    void showDisplayChoice();
    // "再描画", and every drawing: the map on show of the result window over the current
    // layout, with its conditions, at the shared quantity, height, thresholds and content (the
    // rates, their errors or the rates greyed out), yielding per row. Without a map on show, or
    // with errors asked of a result that has none, the plan stays empty and a warning says why.
    void drawOverlay();
    // "画像保存": the plan with the distribution, its legend, unit and conditions as a PNG file.
    void saveImage();
    // "Exit": hides the window.
    void closeOverlay();

    // A mouse button pressed on the plan at (x, y), plan cm: the left button picks up the point
    // there to move it, or elsewhere asks for a name and adds a point; the right button deletes
    // the point there after asking. Only over a drawing on show.
    void pressOnPlan(int button, double x, double y);
    // The mouse moved over the plan: the point picked up follows, to the nearest centimetre, and
    // the read-out shows the rate under the cursor, or why the grid holds none there.
    void moveOnPlan(int buttons, double x, double y);
    // A mouse button released: the point picked up is put down.
    void releaseOnPlan(int button, double x, double y);
    // The points of the shared state, replaced by a loaded layout, into the table and onto the plan.
    void showPoints();
    // The points' rates, and with a workload their doses, from the drawing on show into the table
    // and onto the plan.
    void evaluatePoints();
    // "報告書保存": the report of the drawing on show with the points, their doses and the workload.
    void saveReport();

signals:
    // The shared height was chosen here.
    void displayChoiceChanged();

private:
    // The conditions of the loaded result beside their captions, from the top at x = `side`.
    int buildConditions(int side);
    // The legend strip with the thresholds and their unit, from the top at `top`.
    void buildLegend(int side, int top);
    // The height options with their frames, both sides, "再描画" and "Exit".
    void buildChoices(int side, int top);
    // Selects the option of a height and shows only its frame.
    void showHeight(HeightLayer layer);
    // The conditions of a result header beside their captions; none empties them.
    void showConditions(const ResultHeader* header);
    // The cursor read-out, the warning of a room beyond the scored range and "報告書保存", in a row
    // from the top at `top`.
    void buildPlanReadout(int top);
    // What the drawing on show of `file` was drawn from, kept for the points: the layout, the
    // sides and the result's uncertainties.
    void keepDrawing(const ResultFile& file);
    // Forgets the drawing on show: the points are worked out no more.
    void forgetDrawing();
    // Whether a drawing is on show and the displayed grids are still of its result.
    bool planOnShow() const;
    // The index of the point whose mark is under plan point (x, y); -1 for none.
    int pointAt(double x, double y) const;
    // The drawing on show with the marks of the points as they stand.
    void drawMarks();

    PictureBox* planView_;                    // the room plan with the distribution
    PictureBox* legendView_;                  // the legend strip
    std::array<QLabel*, 11> thresholdLabels_; // thresholds 1..11 beside the legend boxes
    QLabel* legendUnitLabel_;                 // unit after "μ" above the thresholds, or the errors'
    ShadingLegend legend_;                    // the legend's parts that follow the map content
    QLabel* uncertaintyLabel_;                // the uncertainty file of the drawing, or why there is none
    QLabel* positionLabel_;                   // patient position in words
    QLabel* freeAirKermaLabel_;               // free-air kerma rate at the FSD, Gy/min
    QLabel* fsdLabel_;                        // focus-to-entrance-surface distance, cm
    QLabel* fieldFirstLabel_;                 // field size, first side, cm
    QLabel* fieldSecondLabel_;                // field size, second side, cm
    QLabel* tubeVoltageLabel_;                // kV
    QLabel* tubeCurrentLabel_;                // mA
    QLabel* inherentFiltrationLabel_;         // mm Al
    QLabel* aluminiumFilterLabel_;            // mm
    QLabel* copperFilterLabel_;               // mm
    QLabel* layoutNameLabel_;                 // name of the room layout
    QGroupBox* heightGroup_;                  // height of the plane shown
    QRadioButton* aboveOption_;               // 50 cm above the phantom centre
    QRadioButton* centreOption_;              // at the phantom centre
    QRadioButton* belowOption_;               // 50 cm below the phantom centre
    QFrame* aboveFrame_;                      // red frame of the chosen height: above
    QFrame* centreFrame_;                     // red frame of the chosen height: centre
    QFrame* belowFrame_;                      // red frame of the chosen height: below
    QCheckBox* bothSidesCheck_;               // "両側の分布を表示"
    QPushButton* redrawButton_;               // "再描画"
    QPushButton* exitButton_;                 // "Exit"
    QPushButton* imageSaveButton_;            // "画像保存"

    QLineEdit* cursorXEdit_;             // read-out: plan x, cm
    QLineEdit* cursorYEdit_;             // read-out: plan y, cm
    QLineEdit* cursorValueEdit_;         // read-out: the rate, or why there is none
    QLabel* readoutUnitLabel_;           // unit of the read-out value
    QLabel* rangeWarningLabel_;          // part of the room lies beyond the scored range
    QPushButton* reportSaveButton_;      // "報告書保存"
    EvaluationPointsPanel* pointsPanel_; // the workload and the table of the points

    AppState& state_;                        // layout, displayed result and display choice
    Platform& platform_;                     // pending events between the rows, warnings, the save dialog
    int resets_ = 0;                         // number of resets; a drawing stops when it changes
    PictureCaption drawn_;                   // what the last drawing showed, for "画像保存"
    std::optional<RoomLayout> drawnLayout_;  // the layout of the drawing on show; none without one
    bool drawnBothSides_ = false;            // whether it shows both sides of the bed's axis
    std::optional<DisplayGrid> drawnErrors_; // relative errors of its effective dose rates, %
    std::string uncertaintyNote_;            // where those errors come from, or why there are none
    QImage planBase_;                        // the drawing on show without the points' marks
    std::vector<PointDose> doses_;           // the points' doses; empty without a workload
    int pickedPoint_ = -1;                   // the point being moved with the mouse; -1 for none
    int drawingsUnderWay_ = 0;               // drawings between their rows, one inside another's yield
};

} // namespace brisca
