#pragma once

#include <QWidget>
#include <array>

class QLabel;

namespace brisca {

class PictureBox;
struct ResultHeader;

// The distribution laid over the room plan: for now its plan, its legend and the captions that
// the result window fills (the conditions of the loaded result and the legend thresholds).
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window and paints its legend strip once.
    explicit OverlayWindow(QWidget* parent = nullptr);

    // Empties the condition and threshold captions and clears the plan, as opening the result
    // display does.
    void reset();
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
};

} // namespace brisca
