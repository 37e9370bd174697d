#pragma once

#include <QWidget>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/start/BeamQuality.h"

class QLabel;
class QPushButton;

namespace brisca {

struct AppState;
class Platform;
class PictureBox;

// "スペクトル表示": the tube spectrum of the main window's conditions, plotted, with its
// half-value layers, mean energies and output beside it, and its export as PNG and CSV.
// It knows the conditions only from what it is handed, and follows them while it is shown.
class SpectrumWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window hidden; the spectrum is computed with the shared state's tables.
    SpectrumWindow(const AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Takes new conditions, or why the entries do not read: the view follows at once while
    // shown, otherwise when next shown.
    void showConditions(const Expected<CalculationConditions>& conditions);
    // Shows the window and raises it; the first time it is placed to the right of `beside`,
    // as far as the screen allows, so that the conditions there stay in view.
    void showBeside(const QRect& beside);
    // "画像保存": the plot with the figures as PNG.
    void saveImage();
    // "CSV保存": the spectrum and the figures as CSV.
    void saveCsv();
    // The beam on show.
    const BeamQuality& beam() const { return beam_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    PictureBox* plotView_;              // the spectrum plot
    std::vector<QLabel*> figureLabels_; // what each figure is
    std::vector<QLabel*> figureValues_; // each figure's value with its unit
    QLabel* warningLabel_;              // why a spectrum or an output is missing; empty otherwise
    QPushButton* imageSaveButton_;      // 画像保存
    QPushButton* csvSaveButton_;        // CSV保存
    QPushButton* closeButton_;          // 閉じる, which hides the window

    const AppState& state_;                                               // the data tables
    Platform& platform_;                                                  // the save dialog and its warnings
    Expected<CalculationConditions> conditions_{CalculationConditions{}}; // the conditions last handed over
    BeamQuality beam_;                                                    // their beam, as on show
    bool stale_ = true;   // the conditions changed since the beam was computed
    bool placed_ = false; // the window has been placed beside the main window once
};

} // namespace brisca
