#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "logic/result/DisplayChoice.h"
#include "windows/ShadingLegend.h"

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
class Platform;
class PictureBox;

// The result window: a result file is picked, converted by the refiner, processed into the
// display grids and painted as a colour map with its legend and a cursor read-out.
class ResultWindow : public QWidget {
    Q_OBJECT
public:
    // Builds every control and paints the legend strip; "終了" shows `mainWindow` again.
    ResultWindow(AppState& state, Platform& platform, QWidget& mainWindow, QWidget* parent = nullptr);

    // The state each opening starts from: nothing selected, captions and texts empty, map
    // cleared, only "終了" enabled, air kerma at the phantom-centre height, file list refreshed.
    void reset();
    // Lists the result files of the working directory; the selected file stays selected.
    void refreshFileList();
    // Choosing a file: its header into the condition captions, "OK" enabled, and whatever was
    // on show of another file cleared.
    void selectResultFile();
    // "OK": starts the refiner on the selected file, with a busy cursor and the status text.
    void startConversion();
    // The result file `name` of the working directory selected and converted, and processed as
    // soon as its conversion ends, as "OK" and "データ処理" would; the map waits for its button.
    void showResult(const QString& name);
    // "データ処理": the converted file's refined grids, their maxima and default legends.
    void processData();
    // "ファイル削除": deletes the selected file after asking, and clears its conditions.
    void deleteResultFile();
    // "散乱線量分布表示": paints the map of the processed result at the chosen quantity and height.
    void paintMap();
    // A quantity option: its legend and units.
    void chooseQuantity(Quantity quantity);
    // A height option: the height of the displayed plane.
    void chooseHeight(HeightLayer layer);
    // An option of what the map shows: the rates, their errors or the rates greyed out, with
    // the legend of each.
    void chooseContent(MapContent content);
    // The shared quantity, height and map content into the options and the legend, as another
    // window chose them; the read-out clears.
    void showDisplayChoice();
    // Cursor read-out and cross-hair at map point (X, Y) in centimetres.
    void readOutAt(QPointF point);
    // A corrected copy was saved: the list shows it, and the correction waits for the next map.
    void showCorrectedFile();
    // "終了": back to the main window.
    void closeResults();
    // "画像保存": the painted map with its legend (the rates', or the errors'), unit and
    // conditions as a PNG file.
    void saveImage();
    // "CSV保存": the chosen quantity and height of the processed grids as a CSV file, or of their
    // relative errors while the error map is chosen.
    void saveCsv();
    // "報告書保存": the report of the map on show (conditions, beam, statistics, the three maps) as
    // a PDF file.
    void saveReport();

signals:
    // "部屋レイアウトに重ねて表示" was pressed.
    void layoutEditorRequested();
    // "実測値による補正" was pressed.
    void correctionRequested();
    // The quantity, the height or the legend thresholds of the shared display choice changed.
    void displayChoiceChanged();

private:
    // The title, the file list and "ファイル削除".
    void buildFileArea();
    // The light cyan panel of the header values.
    void buildConditions();
    // The quantity, height and map content frames, "散乱線量分布表示" and the uncertainty note.
    void buildDisplayChoices();
    // The map with its cross-hair, the read-out row and the maxima.
    void buildMapArea();
    // The legend strip, the threshold boxes and their units.
    void buildLegend();
    // "OK", "データ処理", the conversion status and the buttons at the bottom right.
    void buildActions();
    // A header into the captions; none empties them.
    void showHeader(const ResultHeader* header);
    // A legend scale into the threshold boxes (empty when none).
    void showScale(const std::optional<Thresholds>& scale);
    // The map with its read-out and exports, as a conversion starts; a painting stops.
    void clearMap();
    // The map, the maxima, the legend and the read-out of a file no longer on show.
    void clearDisplay();
    // The cursor texts and the cross-hair.
    void clearReadout();
    // The refiner of conversion number `conversion` has ended: the state, the status text and
    // the cursor follow, and a failure is shown.
    void conversionEnded(const ProgramEnd& end, int conversion);
    // How the conversion of the converted file stands, with its name, under "OK".
    void showConversionStatus(const QString& status);
    // The conversion failed: `reason` into the state, the status text and the cursor follow,
    // and `warning` is shown.
    void conversionFailed(const QString& warning, const QString& reason);
    // A warning box with OK.
    void warn(const QString& text);
    // Closing the window goes back to the main window.
    void closeEvent(QCloseEvent* event) override;

    QListWidget* resultList_;                   // result files of the working directory
    QPushButton* deleteButton_;                 // delete the selected file
    QPushButton* convertButton_;                // OK: refine the selected file
    QPushButton* processButton_;                // data processing
    QLabel* conversionStatusLabel_;             // whether the conversion runs, ended or failed
    QPushButton* paintButton_;                  // show the distribution map
    QPushButton* layoutButton_;                 // show over the room layout
    QPushButton* correctionButton_;             // correction by a measured value
    QPushButton* closeButton_;                  // back to the main window
    QPushButton* imageSaveButton_;              // save the painted map as a picture
    QPushButton* csvSaveButton_;                // save the display grid as CSV
    QPushButton* reportSaveButton_;             // save the report of the map on show as PDF
    QGroupBox* quantityGroup_;                  // kind and unit of the displayed dose rate
    QRadioButton* kermaOption_;                 // air kerma rate
    QRadioButton* doseOption_;                  // effective dose (H1cm) rate
    QGroupBox* heightGroup_;                    // height of the displayed plane
    QRadioButton* aboveOption_;                 // 50 cm above the phantom centre
    QRadioButton* centreOption_;                // at the phantom centre
    QRadioButton* belowOption_;                 // 50 cm below the phantom centre
    QGroupBox* contentGroup_;                   // what the map's cells show
    QRadioButton* ratesOption_;                 // the dose rates against the thresholds
    QRadioButton* errorsOption_;                // their relative standard errors
    QRadioButton* greyOption_;                  // the rates, greyed where the error exceeds the limit
    QLineEdit* greyLimitEdit_;                  // the grey-out's limit, %
    QLabel* uncertaintyLabel_;                  // the uncertainty file read, or why there is none
    PictureBox* mapView_;                       // the distribution map
    QWidget* horizontalHair_;                   // cross-hair line across the map at the cursor's y
    QWidget* verticalHair_;                     // cross-hair line down the map at the cursor's x
    PictureBox* legendView_;                    // the legend strip
    std::array<QLineEdit*, 11> thresholdEdits_; // legend thresholds 1..11, editable
    QLabel* legendUnitLabel_;                   // unit after "μ" above the thresholds, or the errors'
    ShadingLegend legend_;                      // the legend's parts that follow the map content
    QLabel* kermaMaxLabel_;                     // largest air kerma rate
    QLabel* doseMaxLabel_;                      // largest effective dose rate
    QLineEdit* cursorXEdit_;                    // read-out X, cm
    QLineEdit* cursorYEdit_;                    // read-out Y − 300, cm
    QLineEdit* cursorValueEdit_;                // read-out value
    QLabel* readoutUnitLabel_;                  // unit of the read-out value
    QLabel* positionLabel_;                     // patient position in words
    std::array<QLabel*, 11> conditionLabels_;   // header values 2..12 in their order in the file
    QLabel* correctionNoteLabel_;               // what a corrected copy was scaled to

    AppState& state_;           // shared state: the display choice and the displayed result
    Platform& platform_;        // message boxes, refiner start, events
    QWidget& mainWindow_;       // shown again by "終了"
    int conversion_ = 0;        // number of the latest refiner start; older ones report nothing
    int processAfter_ = 0;      // number of the conversion whose end processes the data at once
    int painting_ = 0;          // number of the latest painting; a reset or conversion stops it
    bool paintRunning_ = false; // a painting is between its rows
};

} // namespace brisca
