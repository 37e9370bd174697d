#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisca {

struct AppState;
class Platform;
class PictureBox;
class ResultWindow;
class SavedNotice;

// Scales the result last converted to one measured dose rate: the primary air kerma rate at
// the FSD, or the scattered air kerma or effective dose rate 100 cm beside the phantom centre,
// and saves the scaled copy as a corrected result file.
class CorrectionDialog : public QWidget {
    Q_OBJECT
public:
    // Builds every control, hidden; the current values come from `results` and the display
    // grids of `state` at each opening.
    CorrectionDialog(AppState& state, Platform& platform, ResultWindow& results, SavedNotice& notice,
        QWidget* parent = nullptr);

    // Shows the dialog with fresh current values, empty inputs and the primary beam chosen.
    void open();
    // The primary beam: the scattered dose rate's kinds cleared and disabled.
    void choosePrimary();
    // The scattered dose rate: its kinds enabled, air kerma chosen.
    void chooseScatter();
    // "OK": writes the corrected file, refreshes the result list and shows the saved notice.
    void saveCorrected();

    QLabel* introLabel;             // what the dialog asks for
    QGroupBox* dataGroup;           // choice of the data used for the correction
    QRadioButton* primaryOption;    // primary air kerma rate in air at the FSD
    QLabel* primaryCurrentLabel;    // its current value, Gy/min
    QLineEdit* primaryMeasuredEdit; // its measured value
    QRadioButton* scatterOption;    // scattered dose rate 100 cm beside the phantom centre
    QGroupBox* kindGroup;           // kind and unit of the scattered dose rate
    QRadioButton* kermaOption;      // air kerma rate, μGy/min
    QLabel* kermaCurrentLabel;      // its current value
    QLineEdit* kermaMeasuredEdit;   // its measured value
    QRadioButton* doseOption;       // effective dose (H1cm) rate, μSv/min
    QLabel* doseCurrentLabel;       // its current value
    QLineEdit* doseMeasuredEdit;    // its measured value
    QPushButton* okButton;          // writes the corrected file
    QPushButton* cancelButton;      // hides the dialog
    PictureBox* iconView;           // the dialog's icon between the buttons

private:
    // The primary-beam part of the frame, with its measuring hints.
    void buildPrimary();
    // The scattered-dose part of the frame.
    void buildScatter();
    // A warning box with OK.
    void warn(const QString& text);

    AppState& state_;       // display grids the scattered current values come from
    Platform& platform_;    // message boxes and pending events
    ResultWindow& results_; // its header gives the primary current value; refreshed after saving
    SavedNotice& notice_;   // names the saved file
};

} // namespace brisca
