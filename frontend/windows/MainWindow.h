#pragma once

#include <QWidget>
#include <memory>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationEntries.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace brisca {

struct AppState;
class Platform;
class PictureBox;
class ReadmeViewer;
class ResultWindow;
class RunsWindow;
struct PreparedCalculation;
class LayoutEditor;
class OverlayWindow;
class SavedNotice;
class CorrectionDialog;
class SpectrumWindow;

// The main window: the conditions of a calculation in four steps, the calculation start, the
// way to the results and to the readme, and the end of the program.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Builds every control with its caption and the result and overlay windows; the entries are
    // filled by loadTablesAndDefaults.
    MainWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
    // Closes the readme viewer and the result windows with the window.
    ~MainWindow() override;

    // Start-up: loads the data tables, then fills the default conditions; ends the program
    // when a table cannot be loaded.
    void loadTablesAndDefaults();
    // Continuous fluoroscopy: pulse entries off, the mean current is the tube current.
    void chooseContinuous();
    // Pulsed fluoroscopy: pulse entries on, the mean current waits for "OK →".
    void choosePulsed();
    // Supine: the result name becomes the date followed by "-臥位".
    void chooseSupine();
    // Standing: the result name becomes the date followed by "-立位".
    void chooseStanding();
    // "OK →": the mean tube current into its box, or a warning.
    void computeMeanCurrent();
    // "計算スタート": checks, a question before a very long run, spectrum, tube output, job
    // file, engine start and two notices.
    void startCalculation();
    // "計算結果 検索・表示": resets and shows the result window, resets the overlay window and
    // hides this one.
    void showResults();
    // "readme.txt を読む": fills and shows the readme viewer.
    void showReadme();
    // "スペクトル表示": shows the spectrum view of the conditions on the window.
    void showSpectrum();
    // "Exit": asks what becomes of running calculations, deletes the exchange files and ends the
    // program.
    void exitProgram();
    // Closing the window: deletes the exchange files and B2F.dat and ends the program.
    void closeProgram();
    // "表示" of a finished run: the result window opens with its result converted and processed.
    void showRunResult(const QString& resultFile);
    // The conditions as the boxes and options hold them now.
    CalculationEntries entries() const;
    // The same read as numbers, or why they do not read.
    Expected<CalculationConditions> conditions() const;
    // The readme viewer this window opens.
    ReadmeViewer& readmeViewer() { return *readmeViewer_; }
    // The result window this window opens.
    ResultWindow& resultWindow() { return *resultWindow_; }
    // The overlay window the result window fills.
    OverlayWindow& overlayWindow() { return *overlayWindow_; }
    // The room layout editor the result window opens.
    LayoutEditor& layoutEditor() { return *layoutEditor_; }
    // The measured-value correction the result window opens.
    CorrectionDialog& correctionDialog() { return *correctionDialog_; }
    // The notice naming a saved corrected file.
    SavedNotice& savedNotice() { return *savedNotice_; }
    // The spectrum view "スペクトル表示" opens.
    SpectrumWindow& spectrumWindow() { return *spectrumWindow_; }
    // The runs started from this window.
    RunsWindow& runsWindow() { return *runsWindow_; }

signals:
    // Any entry of the tube, its filtration, current or the FSD changed: the conditions now.
    void conditionsChanged(const brisca::Expected<brisca::CalculationConditions>& conditions);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTitle();
    void buildStepGuide();
    void buildStep1();
    void buildStep2();
    void buildStep3();
    void buildButtons();
    void buildSpectrumView();
    void drawIcon();
    bool startEngine(const PreparedCalculation& prepared);
    // Before the program ends with calculations running: stops them or leaves them, as the
    // user answers; false when the user keeps the program open.
    bool settleRuns();
    void warn(const QString& text);
    QLabel* caption(QWidget* parent, const QString& text, int x, int y, int w, int h);

    QLineEdit* tubeVoltageEdit_;            // tube voltage, kV
    QLineEdit* inherentFiltrationEdit_;     // inherent filtration, mm Al equivalent
    QLineEdit* aluminiumFilterEdit_;        // added aluminium filter, mm
    QLineEdit* copperFilterEdit_;           // added copper filter, mm
    QLineEdit* targetAngleEdit_;            // target angle, degrees
    QLineEdit* pulseWidthEdit_;             // pulse width, ms
    QLineEdit* fsdEdit_;                    // focus-to-entrance-surface distance, cm
    QLineEdit* meanCurrentEdit_;            // mean tube current used for the calculation, mA
    QLineEdit* historiesEdit_;              // number of incident photons
    QLineEdit* resultNameEdit_;             // result name without extension
    QLineEdit* pulseRateEdit_;              // pulse rate, fps
    QLineEdit* fieldLongEdit_;              // field size along the long axis, cm
    QLineEdit* fieldShortEdit_;             // field size along the short axis, cm
    QLineEdit* tubeCurrentEdit_;            // fluoroscopy tube current, mA
    QLineEdit* precisionEdit_;              // precision to stop at, percent; empty: none
    QSpinBox* coresBox_;                    // cores the engine may use
    QRadioButton* continuousOption_;        // continuous fluoroscopy
    QRadioButton* pulsedOption_;            // pulsed fluoroscopy
    QRadioButton* supineOption_;            // supine, vertical beam
    QRadioButton* standingOption_;          // standing, horizontal beam
    QRadioButton* constantPotentialOption_; // constant potential
    QRadioButton* threePhaseOption_;        // three-phase 12-peak
    QRadioButton* singlePhaseOption_;       // single-phase full-wave
    QGroupBox* tubeCurrentGroup_;           // tube current
    QGroupBox* rectificationGroup_;         // high-voltage rectification
    QGroupBox* positionGroup_;              // patient position (no caption)
    QPushButton* startButton_;              // start calculation
    QPushButton* resultsButton_;            // find and show results
    QPushButton* readmeButton_;             // read readme.txt
    QPushButton* exitButton_;               // Exit
    QPushButton* meanCurrentButton_;        // OK →: mean tube current
    QPushButton* spectrumButton_;           // show the spectrum view
    PictureBox* iconView_;                  // window icon

    AppState& state_;                                    // shared state of the program
    Platform& platform_;                                 // message boxes, program start, end
    std::unique_ptr<ReadmeViewer> readmeViewer_;         // the viewer "readme.txt を読む" opens
    std::unique_ptr<OverlayWindow> overlayWindow_;       // distribution over the room plan
    std::unique_ptr<ResultWindow> resultWindow_;         // the window "計算結果 検索・表示" opens
    std::unique_ptr<LayoutEditor> layoutEditor_;         // the room plan the result window opens
    std::unique_ptr<SavedNotice> savedNotice_;           // names the file a correction saved
    std::unique_ptr<CorrectionDialog> correctionDialog_; // the correction the result window opens
    std::unique_ptr<SpectrumWindow> spectrumWindow_;     // the spectrum view
    std::unique_ptr<RunsWindow> runsWindow_;             // the runs started from this window
};

} // namespace brisca
