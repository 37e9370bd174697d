#pragma once

#include <QWidget>

#include "setup/CalculationEntries.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisca {

class PictureBox;

// The main window: the conditions of a calculation in four steps, the calculation start, the
// way to the results and to the readme, and the end of the program.
class Form2 : public QWidget {
    Q_OBJECT
public:
    // Builds every control with its caption; the entries are filled by Form_Load.
    explicit Form2(QWidget* parent = nullptr);

    // Start-up: loads the data tables, then fills the default conditions; ends the program
    // when a table cannot be loaded.
    void Form_Load();
    // Continuous fluoroscopy: pulse entries off, the mean current is the tube current.
    void Option1_Click();
    // Pulsed fluoroscopy: pulse entries on, the mean current waits for "OK →".
    void Option2_Click();
    // Supine: the result name becomes the date followed by "-臥位".
    void Option3_Click();
    // Standing: the result name becomes the date followed by "-立位".
    void Option4_Click();
    // Constant potential.
    void Option7_Click();
    // Three-phase 12-peak.
    void Option8_Click();
    // Single-phase full-wave.
    void Option9_Click();
    // Enter in the pulse rate moves on to the pulse width.
    void Text12_KeyDown(int KeyCode);
    // Enter in the pulse width moves on to "OK →".
    void Text6_KeyDown(int KeyCode);
    // "OK →": the mean tube current into Text8.
    void Command5_Click();
    // "計算スタート": checks, spectrum, tube output, job file, engine start and two notices.
    void Command1_Click();
    // "readme.txt を読む": fills and shows the readme viewer.
    void Command3_Click();
    // "Exit": deletes the exchange files and ends the program.
    void Command4_Click();
    // Closing the window: deletes the exchange files and B2F.dat and ends the program.
    void Form_Unload();
    // The conditions as the entries, options and RectifierType hold them now.
    CalculationEntries Entries() const;

    QLineEdit* Text1;      // tube voltage, kV
    QLineEdit* Text2;      // inherent filtration, mm Al equivalent
    QLineEdit* Text3;      // added aluminium filter, mm
    QLineEdit* Text4;      // added copper filter, mm
    QLineEdit* Text5;      // target angle, degrees
    QLineEdit* Text6;      // pulse width, ms
    QLineEdit* Text7;      // focus-to-entrance-surface distance, cm
    QLineEdit* Text8;      // mean tube current used for the calculation, mA
    QLineEdit* Text9;      // number of incident photons
    QLineEdit* Text10;     // result name without extension
    QLineEdit* Text12;     // pulse rate, fps
    QLineEdit* Text13;     // field size along the long axis, cm
    QLineEdit* Text14;     // field size along the short axis, cm
    QLineEdit* Text15;     // fluoroscopy tube current, mA
    QRadioButton* Option1; // continuous fluoroscopy
    QRadioButton* Option2; // pulsed fluoroscopy
    QRadioButton* Option3; // supine, vertical beam
    QRadioButton* Option4; // standing, horizontal beam
    QRadioButton* Option7; // constant potential
    QRadioButton* Option8; // three-phase 12-peak
    QRadioButton* Option9; // single-phase full-wave
    QGroupBox* Frame1;     // tube current
    QGroupBox* Frame2;     // high-voltage rectification
    QGroupBox* Frame3;     // patient position (no caption)
    QPushButton* Command1; // start calculation
    QPushButton* Command2; // find and show results (the result display comes later)
    QPushButton* Command3; // read readme.txt
    QPushButton* Command4; // Exit
    QPushButton* Command5; // OK →: mean tube current
    PictureBox* Picture3;  // window icon

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTitle();
    void BuildStepGuide();
    void BuildStep1();
    void BuildStep2();
    void BuildStep3();
    void BuildButtons();
    void DrawIcon();
    bool WriteJobFiles(const std::string& jobFile);
    bool StartEngine();
    QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int w, int h);
};

} // namespace brisca
