#include "windows/LayoutEditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "logic/AppState.h"
#include "logic/room/RoomFile.h"
#include "platform/Platform.h"
#include "windows/Controls.h"
#include "windows/JapaneseFont.h"
#include "windows/PictureBox.h"
#include "windows/PlanShape.h"

namespace brisca {

namespace {

// Where the plan's picture stands in the window and its side in pixels: 0.7 pixel per cm.
constexpr int PlanX = 44;
constexpr int PlanY = 80;
constexpr int PlanPixels = 630;
// Left edge of the column of element buttons and of the file part.
constexpr int ButtonColumnX = 700;
constexpr int FileColumnX = 1060;

const QColor ElementBorder(64, 64, 64);
const QColor HatchColour(192, 192, 192);
const char* const ElementButtonStyle = "background-color: rgb(255, 255, 192);";
const char* const DeleteButtonStyle = "background-color: rgb(192, 255, 255);";

QLabel* PlanLabel(PictureBox& plan, const char* name)
{
    auto* label = new QLabel(&plan);
    label->setObjectName(name);
    label->setFont(WindowFont(15.75));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

// A label of the plan moved to its text's upper-left corner at (x, y) in plan units.
void PlaceLabel(QLabel* label, const PictureBox& plan, const std::string& text, double x, double y)
{
    label->setText(QString::fromStdString(text));
    label->adjustSize();
    label->move(plan.toPixel(x, y));
}

// The lines an element button writes into the instruction area.
QStringList InstructionLines(PlacingMode mode)
{
    switch (mode) {
    case PlacingMode::ObjectCentre:
        return {"被射体中心", "", "被射体中心位置を", "　クリックで設定する"};
    case PlacingMode::Room:
        return {"室の大きさ", "", "部屋の右下位置を", "クリックして設定する"};
    case PlacingMode::Bed:
        return {"ベッド位置", "", "ベッドの左上端を左クリックで", "右下端を右クリックで設定する"};
    case PlacingMode::StaffDoor:
        return {"職員出入扉の位置", "", "左クリックで扉位置の左上端を", "右クリックで右下端を設定する"};
    case PlacingMode::ViewingWindow:
        return {"覗き窓", "", "左クリックで覗き窓の左上端を", "右クリック右下端をで設定する"};
    case PlacingMode::PatientEntrance:
        return {"患者出入口の位置", "", "左クリックで出入口の左上端を", "右クリックで右下端を設定する"};
    case PlacingMode::ControlRoomLabel:
        return {"「操作室」の位置", "", "文字列の位置をクリックで設定する"};
    case PlacingMode::FreeTextLabel:
        return {"任意文字列", "", "文字列の位置をクリックで設定"};
    case PlacingMode::None:
        break;
    }
    return {};
}

} // namespace

LayoutEditor::LayoutEditor(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform)
{
    setObjectName("layoutEditor");
    setWindowTitle("    透視室レイアウト");
    setFixedSize(1250, 740);

    titleLabel = Caption(this, "Ｘ線透視室のレイアウト設定", 16, 8, 520, 40);
    titleLabel->setObjectName("titleLabel");
    QFont titleFont = WindowFont(16);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);

    buildPlan();
    buildElements();
    buildElementButtons();
    buildReadout();
    buildFilePart();
    buildFinishButtons();

    connect(centreButton, &QPushButton::clicked, this, &LayoutEditor::chooseObjectCentre);
    connect(roomButton, &QPushButton::clicked, this, &LayoutEditor::chooseRoom);
    connect(bedButton, &QPushButton::clicked, this, &LayoutEditor::chooseBed);
    connect(doorButton, &QPushButton::clicked, this, &LayoutEditor::chooseStaffDoor);
    connect(windowButton, &QPushButton::clicked, this, &LayoutEditor::chooseViewingWindow);
    connect(entranceButton, &QPushButton::clicked, this, &LayoutEditor::choosePatientEntrance);
    connect(controlRoomButton, &QPushButton::clicked, this, &LayoutEditor::chooseControlRoomLabel);
    connect(freeTextButton, &QPushButton::clicked, this, &LayoutEditor::enterFreeText);
    connect(hideElementButton, &QPushButton::clicked, this, &LayoutEditor::hideCurrentElement);
    connect(planView, &PictureBox::mouseDown, this, &LayoutEditor::placeAt);
    connect(planView, &PictureBox::mouseMove, this, &LayoutEditor::readOutAt);
    connect(takeOverButton, &QPushButton::clicked, this, &LayoutEditor::takeOver);
    connect(cancelButton, &QPushButton::clicked, this, &LayoutEditor::cancel);
    connect(saveButton, &QPushButton::clicked, this, &LayoutEditor::saveLayout);
    connect(layoutFileList, &QListWidget::itemClicked, this, &LayoutEditor::loadLayoutFile);
    connect(deleteFileButton, &QPushButton::clicked, this, &LayoutEditor::deleteLayoutFile);
    connect(distributionButton, &QPushButton::clicked, this, &LayoutEditor::showDistribution);

    showPlan();
    saveButton->setEnabled(false);
    distributionButton->setEnabled(false);
}

// The plan's picture with its fixed grid, drawn once, and the metre labels around it.
void LayoutEditor::buildPlan()
{
    // The sunken edge is a frame behind a borderless picture, so that the picture's pixels
    // and its child elements share one origin.
    auto* edge = new QLabel(this);
    edge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    edge->setLineWidth(2);
    edge->setGeometry(PlanX - 2, PlanY - 2, PlanPixels + 4, PlanPixels + 4);

    planView = new PictureBox(this);
    planView->setObjectName("planView");
    planView->setBorder(false);
    planView->setGeometry(PlanX, PlanY, PlanPixels, PlanPixels);
    planView->setScale(PlanScaleLeft, PlanScaleTop, PlanScaleSize, PlanScaleSize);
    planView->clear();
    UserScaleCanvas canvas = planView->canvas();
    for (const PlanGridLine& line : PlanGridLines()) {
        const QColor colour(line.colour.r, line.colour.g, line.colour.b);
        canvas.Line(line.x1, line.y1, line.x2, line.y2, colour);
    }
    planView->update();

    for (int metre = 0; metre <= 8; ++metre) {
        const QPoint at = planView->toPixel(metre * 100.0, metre * 100.0);
        const QString top = metre == 8 ? "8 m" : QString::number(metre);
        Caption(this, top, PlanX + at.x() - 4, PlanY - 24, 40, 20);
        QLabel* left = Caption(this, QString::number(metre), PlanX - 26, PlanY + at.y() - 10, 20, 20);
        left->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    QLabel* metres = Caption(this, "m", PlanX - 26, PlanY + planView->toPixel(0, 800).y() + 8, 20, 20);
    metres->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Caption(this, "X", PlanX + PlanPixels - 12, PlanY - 24, 14, 20);
    QLabel* y = Caption(this, "Y", PlanX - 26, PlanY + PlanPixels - 2, 20, 20);
    y->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// The eight elements, made in drawing order: the room beneath, the labels on top.
void LayoutEditor::buildElements()
{
    const QBrush hatch(HatchColour, Qt::BDiagPattern);
    roomShape = new PlanShape(PlanShape::Outline::Rectangle, Qt::black, Qt::NoBrush, *planView);
    roomShape->setObjectName("roomShape");
    bedShape = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, hatch, *planView);
    bedShape->setObjectName("bedShape");
    doorShape = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, hatch, *planView);
    doorShape->setObjectName("doorShape");
    windowShape = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, Qt::NoBrush, *planView);
    windowShape->setObjectName("windowShape");
    entranceShape = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, hatch, *planView);
    entranceShape->setObjectName("entranceShape");
    const QColor red(255, 0, 0);
    centreMarker = new PlanShape(PlanShape::Outline::Circle, red, red, *planView);
    centreMarker->setObjectName("centreMarker");
    controlRoomLabel = PlanLabel(*planView, "controlRoomLabel");
    freeTextLabel = PlanLabel(*planView, "freeTextLabel");
}

void LayoutEditor::buildElementButtons()
{
    Caption(this, "設定項目", ButtonColumnX, PlanY - 2, 130, 24);
    const struct {
        QPushButton*& button;
        const char* name;
        const char* caption;
    } buttons[] = {
        {roomButton, "roomButton", "室の大きさ"},
        {bedButton, "bedButton", "ベッド位置"},
        {centreButton, "centreButton", "被射体中心"},
        {windowButton, "windowButton", "覗き窓"},
        {doorButton, "doorButton", "扉の位置"},
        {entranceButton, "entranceButton", "患者出入口"},
        {controlRoomButton, "controlRoomButton", "操作室位置"},
        {freeTextButton, "freeTextButton", "任意文字列"},
        {hideElementButton, "hideElementButton", "削 除"},
    };
    int y = PlanY + 28;
    for (const auto& entry : buttons) {
        entry.button = Button(this, entry.name, entry.caption, ButtonColumnX, y, 130, 30);
        entry.button->setStyleSheet(ElementButtonStyle);
        y += 36;
    }
    hideElementButton->setStyleSheet(DeleteButtonStyle);
    Caption(this, "（選択後、修正可）", ButtonColumnX + 140, PlanY + 32, 200);
    Caption(this, "（操作室は 下側 または 右側 ）", ButtonColumnX + 140, controlRoomButton->y() + 4, 220);

    instructionArea = new QLabel(this);
    instructionArea->setObjectName("instructionArea");
    instructionArea->setGeometry(ButtonColumnX, y + 8, 330, 100);
    instructionArea->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    instructionArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instructionArea->setMargin(4);
    instructionArea->setFont(WindowFont(9.75));
    instructionArea->setStyleSheet("color: rgb(0, 0, 255);");
}

void LayoutEditor::buildReadout()
{
    const int y = instructionArea->y() + instructionArea->height() + 16;
    Caption(this, "カーソル位置", ButtonColumnX, y, 130);
    Caption(this, "X", ButtonColumnX, y + 30, 16);
    cursorXEdit = Entry(this, "cursorXEdit", ButtonColumnX + 18, y + 28, 70);
    Caption(this, "Y", ButtonColumnX + 110, y + 30, 16);
    cursorYEdit = Entry(this, "cursorYEdit", ButtonColumnX + 128, y + 28, 70);
}

void LayoutEditor::buildFilePart()
{
    Caption(this, "レイアウトデータを", FileColumnX, PlanY - 2, 170);
    Caption(this, "ファイルから読み込む", FileColumnX, PlanY + 20, 170);
    Caption(this, "ファイルを選択して下さい", FileColumnX, PlanY + 48, 170);
    layoutFileList = new QListWidget(this);
    layoutFileList->setObjectName("layoutFileList");
    layoutFileList->setGeometry(FileColumnX, PlanY + 72, 170, 200);
    deleteFileButton = Button(this, "deleteFileButton", "ファイル削除", FileColumnX, PlanY + 280, 170, 30);
    deleteFileButton->setStyleSheet(DeleteButtonStyle);

    Caption(this, "レイアウトを保存する", FileColumnX, PlanY + 340, 170);
    Caption(this, "ファイル名（拡張子なし）", FileColumnX, PlanY + 364, 170);
    layoutNameEdit = Entry(this, "layoutNameEdit", FileColumnX, PlanY + 388, 120);
    Caption(this, ".Room", FileColumnX + 124, PlanY + 389, 50);
    saveButton = Button(this, "saveButton", "保存する", FileColumnX, PlanY + 422, 170, 30);
}

void LayoutEditor::buildFinishButtons()
{
    const int y = PlanY + PlanPixels - 44;
    takeOverButton = Button(this, "takeOverButton", "設定終了", ButtonColumnX, y, 160, 44);
    distributionButton =
        Button(this, "distributionButton", "散乱線分布表示", ButtonColumnX + 180, y, 170, 44);
    cancelButton = Button(this, "cancelButton", "キャンセル", FileColumnX, y, 170, 44);
}

void LayoutEditor::open()
{
    refreshFileList();
    setElementsVisible(false);
    cursorXEdit->clear();
    cursorYEdit->clear();
    show();
    raise();
    activateWindow();
}

void LayoutEditor::chooseObjectCentre() { chooseElement(PlacingMode::ObjectCentre); }

void LayoutEditor::chooseRoom() { chooseElement(PlacingMode::Room); }

void LayoutEditor::chooseBed() { chooseElement(PlacingMode::Bed); }

void LayoutEditor::chooseStaffDoor() { chooseElement(PlacingMode::StaffDoor); }

void LayoutEditor::chooseViewingWindow() { chooseElement(PlacingMode::ViewingWindow); }

void LayoutEditor::choosePatientEntrance() { chooseElement(PlacingMode::PatientEntrance); }

void LayoutEditor::chooseControlRoomLabel() { chooseElement(PlacingMode::ControlRoomLabel); }

void LayoutEditor::chooseElement(PlacingMode mode)
{
    mode_ = mode;
    elementOf(mode)->show();
    setInstructions(InstructionLines(mode));
}

void LayoutEditor::enterFreeText()
{
    setInstructions({"任意文字列"});
    const QString answer = platform_.AskForText("文字列を入力してください", QString());
    if (answer.isEmpty()) {
        platform_.ShowMessage("文字列入力をキャンセルします", MessageButtons::Ok, MessageIcon::Warning);
        setInstructions({});
        return;
    }
    // A layout file holds each text on one line, so a line break could never be loaded back.
    const std::string text = answer.toStdString();
    if (const std::optional<Problem> refusal = FreeTextRefusal(text)) {
        warn(QString::fromStdString(MessageText(*refusal)));
        setInstructions({});
        return;
    }
    plan_.freeText = text;
    showPlan();
    freeTextLabel->show();
    mode_ = PlacingMode::FreeTextLabel;
    setInstructions(InstructionLines(mode_));
}

void LayoutEditor::hideCurrentElement()
{
    if (QWidget* element = elementOf(mode_)) element->hide();
    setInstructions({});
}

void LayoutEditor::placeAt(int button, double x, double y)
{
    PlaceClick(plan_, mode_, button == LeftButton, x, y);
    showPlan();
}

void LayoutEditor::readOutAt(int, double x, double y)
{
    const CursorReadout readout = ReadOutCursor(x, y);
    cursorXEdit->setText(QString::fromStdString(readout.x));
    cursorYEdit->setText(QString::fromStdString(readout.y));
}

void LayoutEditor::takeOver()
{
    state_.roomLayout = TakeOver(plan_);
    platform_.ProcessPendingEvents();
    nameLayout(layoutNameEdit->text());
    setInstructions({});
    saveButton->setEnabled(true);
    distributionButton->setEnabled(true);
    distributionButton->setFocus();
}

void LayoutEditor::cancel() { hide(); }

void LayoutEditor::showDistribution() { emit distributionRequested(); }

QWidget* LayoutEditor::elementOf(PlacingMode mode) const
{
    switch (mode) {
    case PlacingMode::ObjectCentre:
        return centreMarker;
    case PlacingMode::Room:
        return roomShape;
    case PlacingMode::Bed:
        return bedShape;
    case PlacingMode::StaffDoor:
        return doorShape;
    case PlacingMode::ViewingWindow:
        return windowShape;
    case PlacingMode::PatientEntrance:
        return entranceShape;
    case PlacingMode::ControlRoomLabel:
        return controlRoomLabel;
    case PlacingMode::FreeTextLabel:
        return freeTextLabel;
    case PlacingMode::None:
        break;
    }
    return nullptr;
}

// Moves every element to where the editor's layout puts it; visibility is left alone.
void LayoutEditor::showPlan()
{
    roomShape->setBox({plan_.roomLeft, plan_.roomTop, plan_.roomWidth, plan_.roomHeight});
    bedShape->setBox({plan_.bedLeft, plan_.bedTop, plan_.bedWidth, plan_.bedHeight});
    doorShape->setBox({plan_.doorLeft, plan_.doorTop, plan_.doorWidth, plan_.doorHeight});
    windowShape->setBox({plan_.windowLeft, plan_.windowTop, plan_.windowWidth, plan_.windowHeight});
    entranceShape->setBox({plan_.entranceLeft, plan_.entranceTop, plan_.entranceWidth, plan_.entranceHeight});
    centreMarker->setBox(CentreMarker(plan_));
    PlaceLabel(controlRoomLabel, *planView, plan_.controlRoomText, plan_.controlRoomX, plan_.controlRoomY);
    PlaceLabel(freeTextLabel, *planView, plan_.freeText, plan_.freeTextX, plan_.freeTextY);
}

void LayoutEditor::setElementsVisible(bool visible)
{
    const std::initializer_list<QWidget*> elements{centreMarker, roomShape, bedShape, doorShape, windowShape,
        entranceShape, controlRoomLabel, freeTextLabel};
    for (QWidget* element : elements) element->setVisible(visible);
}

void LayoutEditor::setInstructions(const QStringList& lines) { instructionArea->setText(lines.join('\n')); }

void LayoutEditor::nameLayout(const QString& name)
{
    state_.roomLayoutName = name.toStdString();
    emit layoutNamed(name);
}

void LayoutEditor::warn(const QString& text)
{
    platform_.ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace brisca
