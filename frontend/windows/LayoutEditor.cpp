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
#include "windows/ScreenFit.h"

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
        return {LayoutEditor::tr("被射体中心"), "", LayoutEditor::tr("被射体中心位置を"),
            LayoutEditor::tr("　クリックで設定する")};
    case PlacingMode::Room:
        return {LayoutEditor::tr("室の大きさ"), "", LayoutEditor::tr("部屋の右下位置を"),
            LayoutEditor::tr("クリックして設定する")};
    case PlacingMode::Bed:
        return {LayoutEditor::tr("ベッド位置"), "", LayoutEditor::tr("ベッドの左上端を左クリックで"),
            LayoutEditor::tr("右下端を右クリックで設定する")};
    case PlacingMode::StaffDoor:
        return {LayoutEditor::tr("職員出入扉の位置"), "", LayoutEditor::tr("左クリックで扉位置の左上端を"),
            LayoutEditor::tr("右クリックで右下端を設定する")};
    case PlacingMode::ViewingWindow:
        return {LayoutEditor::tr("覗き窓"), "", LayoutEditor::tr("左クリックで覗き窓の左上端を"),
            LayoutEditor::tr("右クリック右下端をで設定する")};
    case PlacingMode::PatientEntrance:
        return {LayoutEditor::tr("患者出入口の位置"), "", LayoutEditor::tr("左クリックで出入口の左上端を"),
            LayoutEditor::tr("右クリックで右下端を設定する")};
    case PlacingMode::ControlRoomLabel:
        return {
            LayoutEditor::tr("「操作室」の位置"), "", LayoutEditor::tr("文字列の位置をクリックで設定する")};
    case PlacingMode::FreeTextLabel:
        return {LayoutEditor::tr("任意文字列"), "", LayoutEditor::tr("文字列の位置をクリックで設定")};
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
    setWindowTitle(tr("    透視室レイアウト"));
    setFixedSize(1250, 740);

    titleLabel_ = Caption(this, tr("Ｘ線透視室のレイアウト設定"), 16, 8, 520, 40);
    titleLabel_->setObjectName("titleLabel");
    QFont titleFont = WindowFont(16);
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);

    buildPlan();
    buildElements();
    buildElementButtons();
    buildReadout();
    buildFilePart();
    buildTypedValues();
    buildFinishButtons();

    connect(centreButton_, &QPushButton::clicked, this, &LayoutEditor::chooseObjectCentre);
    connect(roomButton_, &QPushButton::clicked, this, &LayoutEditor::chooseRoom);
    connect(bedButton_, &QPushButton::clicked, this, &LayoutEditor::chooseBed);
    connect(doorButton_, &QPushButton::clicked, this, &LayoutEditor::chooseStaffDoor);
    connect(windowButton_, &QPushButton::clicked, this, &LayoutEditor::chooseViewingWindow);
    connect(entranceButton_, &QPushButton::clicked, this, &LayoutEditor::choosePatientEntrance);
    connect(controlRoomButton_, &QPushButton::clicked, this, &LayoutEditor::chooseControlRoomLabel);
    connect(freeTextButton_, &QPushButton::clicked, this, &LayoutEditor::enterFreeText);
    connect(hideElementButton_, &QPushButton::clicked, this, &LayoutEditor::hideCurrentElement);
    connect(planView_, &PictureBox::mouseDown, this, &LayoutEditor::placeAt);
    connect(planView_, &PictureBox::mouseMove, this, &LayoutEditor::readOutAt);
    connect(takeOverButton_, &QPushButton::clicked, this, &LayoutEditor::takeOver);
    connect(cancelButton_, &QPushButton::clicked, this, &LayoutEditor::cancel);
    connect(saveButton_, &QPushButton::clicked, this, &LayoutEditor::saveLayout);
    connect(layoutFileList_, &QListWidget::itemClicked, this, &LayoutEditor::loadLayoutFile);
    connect(deleteFileButton_, &QPushButton::clicked, this, &LayoutEditor::deleteLayoutFile);
    connect(distributionButton_, &QPushButton::clicked, this, &LayoutEditor::showDistribution);
    connect(typedButton_, &QPushButton::clicked, this, &LayoutEditor::applyTypedValues);
    for (QLineEdit* box : {roomWidthEdit_, roomDepthEdit_, centreXEdit_, centreYEdit_})
        connect(box, &QLineEdit::returnPressed, this, &LayoutEditor::applyTypedValues);

    showPlan();
    saveButton_->setEnabled(false);
    distributionButton_->setEnabled(false);
    FitOnScreen(*this, 3);
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

    planView_ = new PictureBox(this);
    planView_->setObjectName("planView");
    planView_->setBorder(false);
    planView_->setGeometry(PlanX, PlanY, PlanPixels, PlanPixels);
    planView_->setScale(PlanScaleLeft, PlanScaleTop, PlanScaleSize, PlanScaleSize);
    planView_->clear();
    UserScaleCanvas canvas = planView_->canvas();
    for (const PlanGridLine& line : PlanGridLines()) {
        const QColor colour(line.colour.r, line.colour.g, line.colour.b);
        canvas.Line(line.x1, line.y1, line.x2, line.y2, colour);
    }
    planView_->update();

    for (int metre = 0; metre <= 8; ++metre) {
        const QPoint at = planView_->toPixel(metre * 100.0, metre * 100.0);
        const QString top = metre == 8 ? "8 m" : QString::number(metre);
        Caption(this, top, PlanX + at.x() - 4, PlanY - 24, 40, 20);
        QLabel* left = Caption(this, QString::number(metre), PlanX - 26, PlanY + at.y() - 10, 20, 20);
        left->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    QLabel* metres = Caption(this, "m", PlanX - 26, PlanY + planView_->toPixel(0, 800).y() + 8, 20, 20);
    metres->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Caption(this, "X", PlanX + PlanPixels - 12, PlanY - 24, 14, 20);
    QLabel* y = Caption(this, "Y", PlanX - 26, PlanY + PlanPixels - 2, 20, 20);
    y->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// The eight elements, made in drawing order: the room beneath, the labels on top.
void LayoutEditor::buildElements()
{
    const QBrush hatch(HatchColour, Qt::BDiagPattern);
    roomShape_ = new PlanShape(PlanShape::Outline::Rectangle, Qt::black, Qt::NoBrush, *planView_);
    roomShape_->setObjectName("roomShape");
    bedShape_ = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, hatch, *planView_);
    bedShape_->setObjectName("bedShape");
    doorShape_ = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, hatch, *planView_);
    doorShape_->setObjectName("doorShape");
    windowShape_ = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, Qt::NoBrush, *planView_);
    windowShape_->setObjectName("windowShape");
    entranceShape_ = new PlanShape(PlanShape::Outline::Rectangle, ElementBorder, hatch, *planView_);
    entranceShape_->setObjectName("entranceShape");
    const QColor red(255, 0, 0);
    centreMarker_ = new PlanShape(PlanShape::Outline::Circle, red, red, *planView_);
    centreMarker_->setObjectName("centreMarker");
    controlRoomLabel_ = PlanLabel(*planView_, "controlRoomLabel");
    freeTextLabel_ = PlanLabel(*planView_, "freeTextLabel");

    // Each shape's name, so that the user sees which element a click places.
    const std::pair<QWidget*, QString> names[] = {{roomShape_, tr("室")}, {bedShape_, tr("ベッド")},
        {doorShape_, tr("扉")}, {windowShape_, tr("覗き窓")}, {entranceShape_, tr("患者出入口")},
        {centreMarker_, tr("被射体中心")}};
    for (const auto& [shape, name] : names) {
        auto* label = new QLabel(name, planView_);
        label->setObjectName(shape->objectName() + "Name");
        label->setFont(WindowFont(8));
        label->setStyleSheet("color: rgb(0, 0, 160);");
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->adjustSize();
        label->hide();
        elementNames_.emplace_back(shape, label);
    }
}

void LayoutEditor::buildElementButtons()
{
    Caption(this, tr("設定項目"), ButtonColumnX, PlanY - 2, 130, 24);
    const struct {
        QPushButton*& button;
        const char* name;
        QString caption;
    } buttons[] = {
        {roomButton_, "roomButton", tr("室の大きさ")},
        {bedButton_, "bedButton", tr("ベッド位置")},
        {centreButton_, "centreButton", tr("被射体中心")},
        {windowButton_, "windowButton", tr("覗き窓")},
        {doorButton_, "doorButton", tr("扉の位置")},
        {entranceButton_, "entranceButton", tr("患者出入口")},
        {controlRoomButton_, "controlRoomButton", tr("操作室位置")},
        {freeTextButton_, "freeTextButton", tr("任意文字列")},
        {hideElementButton_, "hideElementButton", tr("削 除")},
    };
    int y = PlanY + 28;
    for (const auto& entry : buttons) {
        entry.button = Button(this, entry.name, entry.caption, ButtonColumnX, y, 130, 30);
        entry.button->setStyleSheet(ElementButtonStyle);
        y += 36;
    }
    hideElementButton_->setStyleSheet(DeleteButtonStyle);
    Caption(this, tr("（選択後、修正可）"), ButtonColumnX + 140, PlanY + 32, 200);
    Caption(
        this, tr("（操作室は 下側 または 右側 ）"), ButtonColumnX + 140, controlRoomButton_->y() + 4, 220);

    instructionArea_ = new QLabel(this);
    instructionArea_->setObjectName("instructionArea");
    instructionArea_->setGeometry(ButtonColumnX, y + 8, 330, 100);
    instructionArea_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    instructionArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instructionArea_->setMargin(4);
    instructionArea_->setFont(WindowFont(9.75));
    instructionArea_->setStyleSheet("color: rgb(0, 0, 255);");
}

void LayoutEditor::buildReadout()
{
    const int y = instructionArea_->y() + instructionArea_->height() + 16;
    Caption(this, tr("カーソル位置"), ButtonColumnX, y, 130);
    Caption(this, "X", ButtonColumnX, y + 30, 16);
    cursorXEdit_ = Entry(this, "cursorXEdit", ButtonColumnX + 18, y + 28, 70);
    Caption(this, "Y", ButtonColumnX + 110, y + 30, 16);
    cursorYEdit_ = Entry(this, "cursorYEdit", ButtonColumnX + 128, y + 28, 70);
}

void LayoutEditor::buildFilePart()
{
    Caption(this, tr("レイアウトデータを"), FileColumnX, PlanY - 2, 170);
    Caption(this, tr("ファイルから読み込む"), FileColumnX, PlanY + 20, 170);
    Caption(this, tr("ファイルを選択して下さい"), FileColumnX, PlanY + 48, 170);
    layoutFileList_ = new QListWidget(this);
    layoutFileList_->setObjectName("layoutFileList");
    layoutFileList_->setGeometry(FileColumnX, PlanY + 72, 170, 200);
    deleteFileButton_ =
        Button(this, "deleteFileButton", tr("ファイル削除"), FileColumnX, PlanY + 280, 170, 30);
    deleteFileButton_->setStyleSheet(DeleteButtonStyle);

    Caption(this, tr("レイアウトを保存する"), FileColumnX, PlanY + 340, 170);
    Caption(this, tr("ファイル名（拡張子なし）"), FileColumnX, PlanY + 364, 170);
    layoutNameEdit_ = Entry(this, "layoutNameEdit", FileColumnX, PlanY + 388, 120);
    Caption(this, ".Room", FileColumnX + 124, PlanY + 389, 50);
    saveButton_ = Button(this, "saveButton", tr("保存する"), FileColumnX, PlanY + 422, 170, 30);
}

// Under the saving part: the room size and the object centre as numbers, in metres.
void LayoutEditor::buildTypedValues()
{
    const int y = PlanY + 462;
    Caption(this, tr("数値で設定（m）"), FileColumnX, y, 170);
    Caption(this, tr("室の大きさ"), FileColumnX, y + 26, 72);
    roomWidthEdit_ = Entry(this, "roomWidthEdit", FileColumnX + 72, y + 24, 42);
    Caption(this, "×", FileColumnX + 116, y + 26, 12);
    roomDepthEdit_ = Entry(this, "roomDepthEdit", FileColumnX + 128, y + 24, 42);
    Caption(this, tr("被射体中心"), FileColumnX, y + 54, 72);
    centreXEdit_ = Entry(this, "centreXEdit", FileColumnX + 72, y + 52, 42);
    Caption(this, ",", FileColumnX + 118, y + 54, 8);
    centreYEdit_ = Entry(this, "centreYEdit", FileColumnX + 128, y + 52, 42);
    typedButton_ = Button(this, "typedButton", tr("数値を設定"), FileColumnX, y + 82, 170, 28);
    typedButton_->setStyleSheet(ElementButtonStyle);
}

void LayoutEditor::buildFinishButtons()
{
    const int y = PlanY + PlanPixels - 44;
    takeOverButton_ = Button(this, "takeOverButton", tr("設定終了"), ButtonColumnX, y, 160, 44);
    distributionButton_ =
        Button(this, "distributionButton", tr("散乱線分布表示"), ButtonColumnX + 180, y, 170, 44);
    cancelButton_ = Button(this, "cancelButton", tr("キャンセル"), FileColumnX, y, 170, 44);
}

void LayoutEditor::open()
{
    refreshFileList();
    cursorXEdit_->clear();
    cursorYEdit_->clear();
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
    showElementNames();
    setInstructions(InstructionLines(mode));
}

void LayoutEditor::enterFreeText()
{
    setInstructions({tr("任意文字列")});
    const QString answer = platform_.AskForText(tr("文字列を入力してください"), QString());
    if (answer.isEmpty()) {
        platform_.ShowMessage(tr("文字列入力をキャンセルします"), MessageButtons::Ok, MessageIcon::Warning);
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
    freeTextLabel_->show();
    mode_ = PlacingMode::FreeTextLabel;
    setInstructions(InstructionLines(mode_));
}

void LayoutEditor::hideCurrentElement()
{
    if (QWidget* element = elementOf(mode_)) element->hide();
    showElementNames();
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
    cursorXEdit_->setText(QString::fromStdString(readout.x));
    cursorYEdit_->setText(QString::fromStdString(readout.y));
}

void LayoutEditor::applyTypedValues()
{
    RoomLayout typed = plan_;
    std::optional<Problem> refusal =
        TypeRoomSize(typed, roomWidthEdit_->text().toStdString(), roomDepthEdit_->text().toStdString());
    if (!refusal)
        refusal =
            TypeObjectCentre(typed, centreXEdit_->text().toStdString(), centreYEdit_->text().toStdString());
    if (refusal) {
        warn(QString::fromStdString(MessageText(*refusal)));
        return;
    }
    plan_ = typed;
    roomShape_->show();
    centreMarker_->show();
    showPlan();
}

void LayoutEditor::takeOver()
{
    state_.roomLayout = TakeOver(plan_);
    platform_.ProcessPendingEvents();
    nameLayout(layoutNameEdit_->text());
    setInstructions({});
    saveButton_->setEnabled(true);
    distributionButton_->setEnabled(true);
    distributionButton_->setFocus();
}

void LayoutEditor::cancel() { hide(); }

void LayoutEditor::showDistribution() { emit distributionRequested(); }

QWidget* LayoutEditor::elementOf(PlacingMode mode) const
{
    switch (mode) {
    case PlacingMode::ObjectCentre:
        return centreMarker_;
    case PlacingMode::Room:
        return roomShape_;
    case PlacingMode::Bed:
        return bedShape_;
    case PlacingMode::StaffDoor:
        return doorShape_;
    case PlacingMode::ViewingWindow:
        return windowShape_;
    case PlacingMode::PatientEntrance:
        return entranceShape_;
    case PlacingMode::ControlRoomLabel:
        return controlRoomLabel_;
    case PlacingMode::FreeTextLabel:
        return freeTextLabel_;
    case PlacingMode::None:
        break;
    }
    return nullptr;
}

// Moves every element to where the editor's layout puts it; visibility is left alone.
void LayoutEditor::showPlan()
{
    roomShape_->setBox({plan_.roomLeft, plan_.roomTop, plan_.roomWidth, plan_.roomHeight});
    bedShape_->setBox({plan_.bedLeft, plan_.bedTop, plan_.bedWidth, plan_.bedHeight});
    doorShape_->setBox({plan_.doorLeft, plan_.doorTop, plan_.doorWidth, plan_.doorHeight});
    windowShape_->setBox({plan_.windowLeft, plan_.windowTop, plan_.windowWidth, plan_.windowHeight});
    entranceShape_->setBox(
        {plan_.entranceLeft, plan_.entranceTop, plan_.entranceWidth, plan_.entranceHeight});
    centreMarker_->setBox(CentreMarker(plan_));
    PlaceLabel(controlRoomLabel_, *planView_, plan_.controlRoomText, plan_.controlRoomX, plan_.controlRoomY);
    PlaceLabel(freeTextLabel_, *planView_, plan_.freeText, plan_.freeTextX, plan_.freeTextY);
    roomWidthEdit_->setText(QString::fromStdString(MetresText(plan_.roomWidth)));
    roomDepthEdit_->setText(QString::fromStdString(MetresText(plan_.roomHeight)));
    centreXEdit_->setText(QString::fromStdString(MetresText(plan_.centreX)));
    centreYEdit_->setText(QString::fromStdString(MetresText(plan_.centreY)));
    showElementNames();
}

// The name inside each shown shape's upper-left corner; the room's in its upper-right corner,
// clear of the doors beside the others, and the centre's beside its marker.
void LayoutEditor::showElementNames()
{
    for (const auto& [shape, name] : elementNames_) {
        const QRect at = shape->geometry();
        name->move(shape == centreMarker_ ? at.topRight() + QPoint(3, 0)
                   : shape == roomShape_  ? at.topRight() + QPoint(-name->width() - 4, 3)
                                          : at.topLeft() + QPoint(3, 1));
        name->setVisible(!shape->isHidden());
        name->raise();
    }
}

void LayoutEditor::setElementsVisible(bool visible)
{
    const std::initializer_list<QWidget*> elements{centreMarker_, roomShape_, bedShape_, doorShape_,
        windowShape_, entranceShape_, controlRoomLabel_, freeTextLabel_};
    for (QWidget* element : elements) element->setVisible(visible);
    showElementNames();
}

void LayoutEditor::setInstructions(const QStringList& lines) { instructionArea_->setText(lines.join('\n')); }

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
