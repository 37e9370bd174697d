#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "logic/room/LayoutPlan.h"
#include "logic/room/RoomLayout.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace brisca {

struct AppState;
class Platform;
class PictureBox;
class PlanShape;

// The room layout editor: the user draws the examination room on a square plan with the
// mouse, takes the plan over as the current room layout, and saves, loads and deletes layout
// files in the working folder. It is made once and then shown and hidden; hiding keeps the
// plan, the mode and the labels.
class LayoutEditor : public QWidget {
    Q_OBJECT
public:
    // Builds the window with its plan and grid, every element hidden, saving and the
    // distribution disabled and the name box empty.
    LayoutEditor(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Opening from the result window: refreshes the file list, empties the cursor read-out
    // and shows the window without blocking the others. The mode, the name box, the enabled
    // buttons and the elements placed so far stay as they were.
    void open();

    // The element buttons: set the mode, show the element and its instructions.
    void chooseObjectCentre();
    // "室の大きさ": the next click sets the room's lower-right corner.
    void chooseRoom();
    // "ベッド位置": left click moves the bed, right click sizes it.
    void chooseBed();
    // "扉の位置": left click moves the staff door, right click sizes it.
    void chooseStaffDoor();
    // "覗き窓": left click moves the viewing window, right click sizes it.
    void chooseViewingWindow();
    // "患者出入口": left click moves the patient entrance, right click sizes it.
    void choosePatientEntrance();
    // "操作室位置": the next click places the control-room label.
    void chooseControlRoomLabel();
    // "任意文字列": asks for the free text; a refused or empty answer keeps the previous one.
    void enterFreeText();
    // "削 除": hides the element of the current mode; it keeps its place in the layout.
    void hideCurrentElement();
    // A mouse button pressed on the plan at (x, y) in plan units: places the current element.
    void placeAt(int button, double x, double y);
    // The pointer moved over the plan: its position in metres, or empty boxes off the plan.
    void readOutAt(int buttons, double x, double y);
    // "数値を設定": the room size and the object centre typed in the boxes beside the plan, in
    // metres, take their place on the plan and show; a refused text is named in a warning and
    // changes nothing.
    void applyTypedValues();
    // "設定終了": the plan becomes the current room layout; saving and the distribution open up.
    void takeOver();
    // "キャンセル": hides the window and changes nothing else.
    void cancel();
    // "保存する": writes the current layout under the name box text followed by ".Room", and its
    // evaluation points beside it.
    void saveLayout();
    // A click on a file of the list: the file becomes the current layout and the plan, and the
    // points saved with it the evaluation points.
    void loadLayoutFile(QListWidgetItem* item);
    // "ファイル削除": deletes the selected file after two confirmations.
    void deleteLayoutFile();
    // "散乱線分布表示": asks for the distribution over the current layout.
    void showDistribution();

    // The editor's own layout: where its elements stand on the plan.
    const RoomLayout& plan() const { return plan_; }
    // What clicks on the plan place now.
    PlacingMode placingMode() const { return mode_; }

signals:
    // "散乱線分布表示" was pressed: the overlay draws the distribution over the current layout
    // and hides this window.
    void distributionRequested();
    // The layout got a name for the overlay's title: on loading a file and on "設定終了".
    void layoutNamed(const QString& name);
    // A loaded layout file brought its evaluation points into the shared state, or none.
    void pointsReplaced();

private:
    void buildPlan();                           // the picture with its grid and the metre labels around it
    void buildElements();                       // the eight elements, hidden
    void buildElementButtons();                 // the element buttons, their hints and the instruction area
    void buildReadout();                        // the cursor read-out boxes
    void buildTypedValues();                    // the boxes for the room size and the centre
    void buildFilePart();                       // the file list, deletion, the name box and saving
    void buildFinishButtons();                  // "設定終了", "散乱線分布表示", "キャンセル"
    void chooseElement(PlacingMode mode);       // what every element button does for its mode
    QWidget* elementOf(PlacingMode mode) const; // the element a mode places; none for None
    void showPlan();                            // moves the elements to where the plan puts them
    void setElementsVisible(bool visible);      // shows or hides all eight elements
    void showElementNames();                    // each shown element's name beside it
    void setInstructions(const QStringList& lines); // replaces the instruction area's lines
    void refreshFileList();                         // lists the working folder's layout files
    void nameLayout(const QString& name);           // the layout's name for the overlay's title
    void warn(const QString& text);                 // a warning box with OK

    QLabel* titleLabel_;              // "Ｘ線透視室のレイアウト設定"
    PictureBox* planView_;            // the plan, -50..850 plan units both ways
    PlanShape* centreMarker_;         // the object centre, a red circle
    PlanShape* roomShape_;            // the room outline
    PlanShape* bedShape_;             // the bed, hatched
    PlanShape* doorShape_;            // the staff door, hatched
    PlanShape* windowShape_;          // the viewing window
    PlanShape* entranceShape_;        // the patient entrance, hatched
    QLabel* controlRoomLabel_;        // the control-room text on the plan
    QLabel* freeTextLabel_;           // the free text on the plan
    QPushButton* roomButton_;         // "室の大きさ"
    QPushButton* bedButton_;          // "ベッド位置"
    QPushButton* centreButton_;       // "被射体中心"
    QPushButton* windowButton_;       // "覗き窓"
    QPushButton* doorButton_;         // "扉の位置"
    QPushButton* entranceButton_;     // "患者出入口"
    QPushButton* controlRoomButton_;  // "操作室位置"
    QPushButton* freeTextButton_;     // "任意文字列"
    QPushButton* hideElementButton_;  // "削 除"
    QLabel* instructionArea_;         // what to click, in blue
    QLineEdit* cursorXEdit_;          // cursor x in metres
    QLineEdit* cursorYEdit_;          // cursor y in metres
    QLineEdit* roomWidthEdit_;        // room size along x, metres
    QLineEdit* roomDepthEdit_;        // room size along y, metres
    QLineEdit* centreXEdit_;          // object centre x, metres
    QLineEdit* centreYEdit_;          // object centre y, metres
    QPushButton* typedButton_;        // "数値を設定"
    QListWidget* layoutFileList_;     // the .Room files of the working folder
    QPushButton* deleteFileButton_;   // "ファイル削除"
    QLineEdit* layoutNameEdit_;       // file name without ".Room"
    QPushButton* saveButton_;         // "保存する"
    QPushButton* takeOverButton_;     // "設定終了"
    QPushButton* distributionButton_; // "散乱線分布表示"
    QPushButton* cancelButton_;       // "キャンセル"

    AppState& state_;                      // holds the current room layout
    Platform& platform_;                   // message boxes, the text question, pending events
    RoomLayout plan_;                      // where the elements stand on the plan
    PlacingMode mode_ = PlacingMode::None; // the element clicks act on

    // Each shape with its name on the plan.
    std::vector<std::pair<QWidget*, QLabel*>> elementNames_;
};

} // namespace brisca
