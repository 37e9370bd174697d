#pragma once

#include <QWidget>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisca {

struct AppState;
class Platform;
class PictureBox;

// Scales the map on show of the result window to one measured dose rate: the primary air
// kerma rate at the FSD, or the scattered air kerma or effective dose rate 100 cm beside the
// phantom centre, and saves the scaled copy of its result file as a corrected result file.
class CorrectionDialog : public QWidget {
    Q_OBJECT
public:
    // Builds every control, hidden; the current values come from the displayed result of
    // `state` at each opening.
    CorrectionDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Shows the dialog on the result on show, with its name, fresh current values, empty
    // inputs and the primary beam chosen; refuses with a warning when no result is on show
    // or the selection has moved to another file.
    void open();
    // The primary beam: the scattered dose rate's kinds cleared and disabled.
    void choosePrimary();
    // The scattered dose rate: its kinds enabled, air kerma chosen.
    void chooseScatter();
    // "OK": writes the corrected copy of the file the dialog was opened on, while it is
    // still the one on show, and announces it.
    void saveCorrected();

signals:
    // A corrected copy was saved under `name`.
    void correctedFileSaved(const QString& name);

protected:
    // Esc cancels; Enter that no focused button took presses "OK".
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The primary-beam part of the frame, with its measuring hints.
    void buildPrimary();
    // The scattered-dose part of the frame.
    void buildScatter();
    // A warning box with OK.
    void warn(const QString& text);

    QLabel* introLabel_;             // what the dialog asks for
    QLabel* fileNameLabel_;          // the result file the correction works on
    QGroupBox* dataGroup_;           // choice of the data used for the correction
    QRadioButton* primaryOption_;    // primary air kerma rate in air at the FSD
    QLabel* primaryCurrentLabel_;    // its current value, Gy/min
    QLineEdit* primaryMeasuredEdit_; // its measured value
    QRadioButton* scatterOption_;    // scattered dose rate 100 cm beside the phantom centre
    QGroupBox* kindGroup_;           // kind and unit of the scattered dose rate
    QRadioButton* kermaOption_;      // air kerma rate, μGy/min
    QLabel* kermaCurrentLabel_;      // its current value
    QLineEdit* kermaMeasuredEdit_;   // its measured value
    QRadioButton* doseOption_;       // effective dose (H1cm) rate, μSv/min
    QLabel* doseCurrentLabel_;       // its current value
    QLineEdit* doseMeasuredEdit_;    // its measured value
    QPushButton* okButton_;          // writes the corrected file
    QPushButton* cancelButton_;      // hides the dialog
    PictureBox* iconView_;           // the dialog's icon between the buttons

    AppState& state_;    // the displayed result: its file, header and grids
    Platform& platform_; // message boxes and pending events
    std::string file_;   // the result file the dialog was opened on
};

} // namespace brisca
