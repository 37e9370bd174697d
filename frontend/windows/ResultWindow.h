#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "drawing/ResultPicture.h"
#include "logic/result/DisplayGrid.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace brisca {

struct AppState;
struct ProgramEnd;
struct ResultHeader;
class OverlayWindow;
class Platform;
class PictureBox;

// The result window: a result file is picked, converted by the refiner, processed into the
// display grids and painted as a colour map with its legend and a cursor read-out.
class ResultWindow : public QWidget {
    Q_OBJECT
public:
    // Builds every control and paints the legend strip; "終了" shows `mainWindow` again.
    ResultWindow(AppState& state, Platform& platform, OverlayWindow& overlay, QWidget& mainWindow,
        QWidget* parent = nullptr);

    // The state each opening starts from: captions and texts empty, map cleared, only "終了"
    // enabled, air kerma at the phantom-centre height, file list refreshed.
    void reset();
    // Lists the result files of the working directory.
    void refreshFileList();
    // Choosing a file: its header into the condition captions of both windows, "OK" enabled.
    void selectResultFile();
    // "OK": starts the refiner on the selected file.
    void startConversion();
    // "データ処理": the refined grids, their maxima and default legends.
    void processData();
    // "ファイル削除": deletes the selected file after asking.
    void deleteResultFile();
    // "散乱線量分布表示": paints the map of the chosen quantity and height.
    void paintMap();
    // Air kerma: its legend and units.
    void chooseKerma();
    // Effective dose: its legend and units.
    void chooseDose();
    // The height of the displayed plane: 1 above, 2 at, 3 below the phantom centre.
    void chooseHeight(HeightLayer layer);
    // Cursor read-out and cross-hair at map point (X, Y) in centimetres.
    void readOutAt(QPointF point);
    // "終了": back to the main window.
    void closeResults();
    // "画像保存": the painted map with its legend, unit and conditions as a PNG file.
    void saveImage();
    // "CSV保存": the chosen quantity and height of the display grid as a CSV file.
    void saveCsv();
    // What the last finished painting showed: result, conditions, quantity, height, thresholds.
    const PictureCaption& paintedCaption() const { return painted_; }

    QListWidget* resultList;                   // result files of the working directory
    QPushButton* deleteButton;                 // delete the selected file
    QPushButton* convertButton;                // OK: refine the selected file
    QPushButton* processButton;                // data processing
    QPushButton* paintButton;                  // show the distribution map
    QPushButton* layoutButton;                 // show over the room layout
    QPushButton* correctionButton;             // correction by a measured value
    QPushButton* closeButton;                  // back to the main window
    QPushButton* imageSaveButton;              // save the painted map as a picture
    QPushButton* csvSaveButton;                // save the display grid as CSV
    QGroupBox* quantityGroup;                  // kind and unit of the displayed dose rate
    QRadioButton* kermaOption;                 // air kerma rate
    QRadioButton* doseOption;                  // effective dose (H1cm) rate
    QGroupBox* heightGroup;                    // height of the displayed plane
    QRadioButton* aboveOption;                 // 50 cm above the phantom centre
    QRadioButton* centreOption;                // at the phantom centre
    QRadioButton* belowOption;                 // 50 cm below the phantom centre
    PictureBox* mapView;                       // the distribution map
    QWidget* horizontalHair;                   // cross-hair line across the map at the cursor's y
    QWidget* verticalHair;                     // cross-hair line down the map at the cursor's x
    PictureBox* legendView;                    // the legend strip
    std::array<QLineEdit*, 11> thresholdEdits; // legend thresholds 1..11, editable
    QLabel* legendUnitLabel;                   // unit after "μ" above the thresholds
    QLabel* kermaMaxLabel;                     // largest air kerma rate
    QLabel* doseMaxLabel;                      // largest effective dose rate
    QLineEdit* cursorXEdit;                    // read-out X, cm
    QLineEdit* cursorYEdit;                    // read-out Y − 300, cm
    QLineEdit* cursorValueEdit;                // read-out value
    QLabel* readoutUnitLabel;                  // unit of the read-out value
    QLabel* positionLabel;                     // patient position in words
    std::array<QLabel*, 11> conditionLabels;   // header values 2..12 in their order in the file

signals:
    // "部屋レイアウトに重ねて表示" was pressed.
    void layoutEditorRequested();
    // "実測値による補正" was pressed.
    void correctionRequested();

private:
    // The title, the file list and "ファイル削除".
    void buildFileArea();
    // The light cyan panel of the header values.
    void buildConditions();
    // The quantity and height frames and "散乱線量分布表示".
    void buildDisplayChoices();
    // The map with its cross-hair, the read-out row and the maxima.
    void buildMapArea();
    // The legend strip, the threshold boxes and their units.
    void buildLegend();
    // "OK", "データ処理" and the buttons at the bottom right.
    void buildActions();
    // A header into the captions of both windows.
    void showHeader(const ResultHeader& header);
    // Empties the header captions of both windows.
    void clearHeader();
    // A legend scale into the threshold boxes and the overlay's labels (empty when none).
    void showScale(const std::optional<Thresholds>& scale);
    // The refiner of conversion number `conversion` has ended: a failure is shown.
    void conversionEnded(const ProgramEnd& end, int conversion);
    // A warning box with OK.
    void warn(const QString& text);
    // Closing the window goes back to the main window.
    void closeEvent(QCloseEvent* event) override;

    AppState& state_;           // shared state of the program
    Platform& platform_;        // message boxes, refiner start, events
    OverlayWindow& overlay_;    // receives the header and legend captions
    QWidget& mainWindow_;       // shown again by "終了"
    int conversion_ = 0;        // number of the latest refiner start; older ones report nothing
    int painting_ = 0;          // number of the latest painting; a reset or conversion stops it
    bool paintRunning_ = false; // a painting is between its rows
    PictureCaption selected_;   // name and conditions of the selected file
    PictureCaption converted_;  // those of the file "OK" last handed to the refiner
    PictureCaption processed_;  // those of the file whose grids data processing last read
    PictureCaption painted_;    // what the last finished painting showed
};

} // namespace brisca
