// The layout editor: placing by clicks on the plan, the read-out, hiding, taking over, the
// free text and the layout files.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "logic/room/RoomFile.h"
#include "windows/LayoutEditor.h"
#include "windows/PictureBox.h"
#include "windows/PlanShape.h"

using brisca::LayoutEditor;
using brisca::PictureBox;
using brisca::PlacingMode;
using brisca::PlanShape;
using brisca::RoomLayout;

namespace {

class LayoutEditorTest : public WorkingFolder {
protected:
    // Presses a mouse button on the plan at (x, y) in plan units, or moves the pointer there.
    void Mouse(QEvent::Type type, Qt::MouseButton button, double x, double y)
    {
        brisca::PictureBox& plan = *Find<PictureBox>(*editor, "planView");
        const QPointF at((x + 50) * plan.width() / 900.0, (y + 50) * plan.height() / 900.0);
        QMouseEvent event(type, at, plan.mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(&plan, &event);
    }
    void ClickPlan(Qt::MouseButton button, double x, double y)
    {
        Mouse(QEvent::MouseButtonPress, button, x, y);
    }

    // Clicks a file of the list by its name.
    void ClickFile(const QString& name)
    {
        QListWidget* list = Find<QListWidget>(*editor, "layoutFileList");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    }

    // The elements on the plan that are shown.
    QStringList Shown() const
    {
        QStringList names;
        for (const char* name : {"centreMarker", "roomShape", "bedShape", "doorShape", "windowShape",
                 "entranceShape", "controlRoomLabel", "freeTextLabel"})
            if (!editor->findChild<QWidget*>(name)->isHidden()) names << name;
        return names;
    }

    std::unique_ptr<LayoutEditor> editor = std::make_unique<LayoutEditor>(state, platform);
};

TEST_F(LayoutEditorTest, ElementButtonsSetTheModeShowTheElementAndTellWhatToClick)
{
    struct Case {
        const char* button;
        PlacingMode mode;
        const char* element;
        QString instructions;
    };
    const Case cases[] = {
        {"centreButton", PlacingMode::ObjectCentre, "centreMarker",
            "被射体中心\n\n被射体中心位置を\n　クリックで設定する"},
        {"roomButton", PlacingMode::Room, "roomShape",
            "室の大きさ\n\n部屋の右下位置を\nクリックして設定する"},
        {"bedButton", PlacingMode::Bed, "bedShape",
            "ベッド位置\n\nベッドの左上端を左クリックで\n右下端を右クリックで設定する"},
        {"doorButton", PlacingMode::StaffDoor, "doorShape",
            "職員出入扉の位置\n\n左クリックで扉位置の左上端を\n右クリックで右下端を設定する"},
        {"windowButton", PlacingMode::ViewingWindow, "windowShape",
            "覗き窓\n\n左クリックで覗き窓の左上端を\n右クリック右下端をで設定する"},
        {"entranceButton", PlacingMode::PatientEntrance, "entranceShape",
            "患者出入口の位置\n\n左クリックで出入口の左上端を\n右クリックで右下端を設定する"},
        {"controlRoomButton", PlacingMode::ControlRoomLabel, "controlRoomLabel",
            "「操作室」の位置\n\n文字列の位置をクリックで設定する"},
    };
    EXPECT_EQ(editor->windowTitle(), "    透視室レイアウト");
    EXPECT_TRUE(Shown().isEmpty());
    QStringList shown;
    for (const Case& c : cases) {
        editor->findChild<QPushButton*>(c.button)->click();
        shown << c.element;
        EXPECT_EQ(editor->placingMode(), c.mode) << c.button;
        EXPECT_EQ(Find<QLabel>(*editor, "instructionArea")->text(), c.instructions) << c.button;
        EXPECT_EQ(Shown().size(), shown.size()) << c.button;
        EXPECT_TRUE(Shown().contains(c.element)) << c.button;
    }
}

TEST_F(LayoutEditorTest, ClicksOnThePlanPlaceTheElementOfTheMode)
{
    // Before any element button, clicks do nothing.
    ClickPlan(Qt::LeftButton, 100, 100);
    EXPECT_EQ(editor->plan(), RoomLayout{});

    Click(*editor, "bedButton");
    ClickPlan(Qt::LeftButton, 100, 200);
    ClickPlan(Qt::RightButton, 300, 290);
    ClickPlan(Qt::RightButton, 50, 100); // left of and above the corner: the size stays
    const brisca::PlanBox bed = Find<PlanShape>(*editor, "bedShape")->box();
    EXPECT_EQ(std::tuple(bed.left, bed.top, bed.width, bed.height), std::tuple(100.0, 200.0, 200.0, 90.0));

    Click(*editor, "roomButton");
    ClickPlan(Qt::LeftButton, 599, 499);
    EXPECT_EQ(std::pair(editor->plan().roomWidth, editor->plan().roomHeight), std::pair(601.0f, 501.0f));

    Click(*editor, "centreButton");
    ClickPlan(Qt::LeftButton, 320, 240);
    EXPECT_EQ(std::pair(Find<PlanShape>(*editor, "centreMarker")->box().left,
                  Find<PlanShape>(*editor, "centreMarker")->box().top),
        std::pair(305.0, 225.0));

    Click(*editor, "controlRoomButton");
    ClickPlan(Qt::RightButton, 650, 300);
    EXPECT_EQ(Find<QLabel>(*editor, "controlRoomLabel")->pos(),
        Find<PictureBox>(*editor, "planView")->toPixel(650, 300));

    Click(*editor, "takeOverButton");
    EXPECT_EQ(std::pair(state.roomLayout.centreX, state.roomLayout.centreY), std::pair(320.0f, 240.0f));
    EXPECT_EQ(std::pair(state.roomLayout.bedLeft, state.roomLayout.bedWidth), std::pair(100.0f, 200.0f));
}

TEST_F(LayoutEditorTest, CursorReadoutInMetresEmptyOffThePlan)
{
    struct Case {
        double x, y;
        QString textX, textY;
    };
    const Case cases[] = {
        {850, 100, "8.5", "1.0"}, {-50, 849, "-0.5", "8.5"}, {851, 100, "", ""}, {300, 851, "", ""}};
    for (const Case& c : cases) {
        Mouse(QEvent::MouseMove, Qt::NoButton, c.x, c.y);
        EXPECT_EQ(Find<QLineEdit>(*editor, "cursorXEdit")->text(), c.textX) << c.x << ", " << c.y;
        EXPECT_EQ(Find<QLineEdit>(*editor, "cursorYEdit")->text(), c.textY) << c.x << ", " << c.y;
    }
}

TEST_F(LayoutEditorTest, DeleteHidesOnlyTheCurrentElementWhichStillMoves)
{
    Click(*editor, "roomButton");
    Click(*editor, "centreButton");
    Click(*editor, "hideElementButton");
    EXPECT_EQ(Shown(), QStringList{"roomShape"});
    EXPECT_TRUE(Find<QLabel>(*editor, "instructionArea")->text().isEmpty());
    ClickPlan(Qt::LeftButton, 400, 400);
    EXPECT_EQ(Find<PlanShape>(*editor, "centreMarker")->box().left, 385.0);
    Click(*editor, "takeOverButton");
    EXPECT_EQ(state.roomLayout.centreX, 400.0f);
}

TEST_F(LayoutEditorTest, TakeOverRightAfterOpeningStoresTheInitialLayoutAndOpensSaving)
{
    state.roomLayout.roomWidth = 123;
    state.roomLayout.freeText = "前のレイアウト";
    QSignalSpy named(editor.get(), &LayoutEditor::layoutNamed);
    QSignalSpy distribution(editor.get(), &LayoutEditor::distributionRequested);
    EXPECT_FALSE(Find<QPushButton>(*editor, "saveButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*editor, "distributionButton")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(*editor, "layoutNameEdit")->text().isEmpty());

    editor->open();
    Click(*editor, "takeOverButton");
    EXPECT_EQ(state.roomLayout, RoomLayout{});
    EXPECT_EQ(state.roomLayout.freeText, "任意文字列");
    EXPECT_TRUE(Find<QPushButton>(*editor, "saveButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*editor, "distributionButton")->isEnabled());
    ASSERT_EQ(named.size(), 1);
    EXPECT_EQ(named[0][0].toString(), "");

    Click(*editor, "distributionButton");
    EXPECT_EQ(distribution.size(), 1);
    Click(*editor, "cancelButton");
    EXPECT_FALSE(editor->isVisible());
    editor->open();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(Find<QPushButton>(*editor, "saveButton")->isEnabled());
}

TEST_F(LayoutEditorTest, FreeTextRefusedOrCancelledKeepsThePreviousText)
{
    Click(*editor, "bedButton");
    platform.textAnswers = {"北側, \"A\" 壁", "", "二行\n目"};
    Click(*editor, "freeTextButton");
    EXPECT_EQ(Find<QLabel>(*editor, "freeTextLabel")->text(), "北側, \"A\" 壁");
    EXPECT_FALSE(Find<QLabel>(*editor, "freeTextLabel")->isHidden());
    EXPECT_EQ(editor->placingMode(), PlacingMode::FreeTextLabel);
    EXPECT_EQ(Find<QLabel>(*editor, "instructionArea")->text(), "任意文字列\n\n文字列の位置をクリックで設定");
    EXPECT_EQ(platform.textPrompts, QStringList{"文字列を入力してください"});

    Click(*editor, "bedButton");
    for (int refused = 0; refused < 2; ++refused) {
        Click(*editor, "freeTextButton");
        EXPECT_EQ(platform.messages.back().icon, brisca::MessageIcon::Warning);
        EXPECT_EQ(Find<QLabel>(*editor, "freeTextLabel")->text(), "北側, \"A\" 壁");
        EXPECT_EQ(editor->placingMode(), PlacingMode::Bed);
        EXPECT_TRUE(Find<QLabel>(*editor, "instructionArea")->text().isEmpty());
    }
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "文字列入力をキャンセルします");
    Click(*editor, "takeOverButton");
    EXPECT_EQ(state.roomLayout.freeText, "北側, \"A\" 壁");
}

TEST_F(LayoutEditorTest, LoadingShowsTheFileAndTakeOverStoresTheControlRoomCaption)
{
    RoomLayout stored;
    stored.centreX = 299.5f;
    stored.controlRoomText = "第二操作室";
    stored.freeText = "搬入口";
    ASSERT_FALSE(brisca::WriteRoomFile(Path("手術室.Room").toStdString(), stored));
    QSignalSpy named(editor.get(), &LayoutEditor::layoutNamed);

    editor->open();
    ClickFile("手術室.Room");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(state.roomLayout, stored);
    EXPECT_EQ(editor->plan(), stored);
    EXPECT_EQ(Shown().size(), 8);
    EXPECT_EQ(Find<QLabel>(*editor, "controlRoomLabel")->text(), "第二操作室");
    EXPECT_EQ(Find<QLabel>(*editor, "freeTextLabel")->text(), "搬入口");
    EXPECT_EQ(Find<QLineEdit>(*editor, "layoutNameEdit")->text(), "手術室");
    ASSERT_EQ(named.size(), 1);
    EXPECT_EQ(named[0][0].toString(), "手術室");
    EXPECT_FALSE(Find<QPushButton>(*editor, "saveButton")->isEnabled());

    Click(*editor, "takeOverButton");
    EXPECT_EQ(state.roomLayout.controlRoomText, "操作室");
    EXPECT_EQ(state.roomLayout.centreX, 299.5f);
    EXPECT_EQ(Find<QLabel>(*editor, "controlRoomLabel")->text(), "第二操作室");
}

TEST_F(LayoutEditorTest, UnreadableFileWarnsWithFileAndLineAndChangesNothing)
{
    struct Case {
        QString file;
        QByteArray bytes;
        QString line;
    };
    const std::string example = *brisca::RoomFileBytes(RoomLayout{});
    QByteArray wordForNumber = QByteArray::fromStdString(example);
    wordForNumber.replace("\r\n300\r\n", "\r\nabc\r\n");
    const Case cases[] = {
        {"short.Room", "600\r\n500\r\n", "3 行目"},
        {"word.Room", wordForNumber, "9 行目"},
        {"bytes.Room", QByteArray::fromStdString(example).replace("\x91\x80\x8d\xec", "\x81\xff"), "23 行目"},
    };
    state.roomLayout.roomWidth = 700;
    editor->chooseBed();
    Find<QLineEdit>(*editor, "layoutNameEdit")->setText("いまの名前");
    const RoomLayout before = state.roomLayout;
    for (const Case& c : cases) Write(c.file, c.bytes);
    editor->open();
    for (const Case& c : cases) {
        platform.messages.clear();
        ClickFile(c.file);
        ASSERT_EQ(platform.messages.size(), 1u) << c.file.toStdString();
        EXPECT_TRUE(platform.messages[0].text.contains(c.file)) << platform.messages[0].text.toStdString();
        EXPECT_TRUE(platform.messages[0].text.contains(c.line)) << platform.messages[0].text.toStdString();
        EXPECT_EQ(state.roomLayout, before);
        EXPECT_EQ(editor->plan(), RoomLayout{});
        EXPECT_EQ(Shown(), QStringList{"bedShape"});
        EXPECT_EQ(Find<QLineEdit>(*editor, "layoutNameEdit")->text(), "いまの名前");
    }
}

TEST_F(LayoutEditorTest, SaveUnderTheNameAndDeleteAfterTwoConfirmations)
{
    editor->open();
    Click(*editor, "takeOverButton");
    Click(*editor, "saveButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "ファイル名を入力して下さい");
    EXPECT_EQ(platform.messages[0].icon, brisca::MessageIcon::Warning);

    Find<QLineEdit>(*editor, "layoutNameEdit")->setText("透視室A");
    Click(*editor, "saveButton");
    EXPECT_EQ(platform.messages.back().text, "レイアウトデータを保存しました");
    EXPECT_EQ(Read("透視室A.Room").toStdString(), *brisca::RoomFileBytes(state.roomLayout));
    ASSERT_EQ(Find<QListWidget>(*editor, "layoutFileList")->count(), 1);
    EXPECT_EQ(Find<QListWidget>(*editor, "layoutFileList")->currentItem()->text(), "透視室A.Room");

    // Nothing selected: no question, nothing deleted.
    editor->open();
    platform.messages.clear();
    Click(*editor, "deleteFileButton");
    EXPECT_TRUE(platform.messages.empty());

    ClickFile("透視室A.Room");
    using brisca::MessageAnswer;
    for (const auto& answers :
        {std::deque{MessageAnswer::Cancel}, std::deque{MessageAnswer::Ok, MessageAnswer::Cancel}}) {
        platform.messages.clear();
        platform.messageAnswers = answers;
        Click(*editor, "deleteFileButton");
        EXPECT_EQ(platform.messages.size(), answers.size());
        EXPECT_TRUE(Exists("透視室A.Room"));
    }
    platform.messages.clear();
    platform.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok};
    Click(*editor, "deleteFileButton");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, " 透視室A.Room を削除していいですか？ ");
    EXPECT_EQ(platform.messages[1].text, " 本当に削除しますか？ ");
    EXPECT_EQ(platform.messages[1].buttons, brisca::MessageButtons::OkCancel);
    EXPECT_FALSE(Exists("透視室A.Room"));
    EXPECT_EQ(Find<QListWidget>(*editor, "layoutFileList")->count(), 0);
    EXPECT_EQ(state.roomLayout, RoomLayout{});
}

TEST_F(LayoutEditorTest, TypedRoomSizeAndCentreTakeTheirPlaceAndReopeningKeepsThePlan)
{
    editor->open();
    EXPECT_EQ(Find<QLineEdit>(*editor, "roomWidthEdit")->text(), "6");
    EXPECT_EQ(Find<QLineEdit>(*editor, "centreYEdit")->text(), "2.5");
    const auto type = [this](const char* width, const char* depth, const char* x, const char* y) {
        Find<QLineEdit>(*editor, "roomWidthEdit")->setText(width);
        Find<QLineEdit>(*editor, "roomDepthEdit")->setText(depth);
        Find<QLineEdit>(*editor, "centreXEdit")->setText(x);
        Find<QLineEdit>(*editor, "centreYEdit")->setText(y);
    };
    type("7.2", "5", "3.1", "2");
    Click(*editor, "typedButton");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(editor->plan().roomWidth, 720);
    EXPECT_EQ(editor->plan().roomHeight, 500);
    EXPECT_EQ(editor->plan().centreX, 310);
    EXPECT_EQ(Shown(), QStringList({"centreMarker", "roomShape"}));
    EXPECT_FALSE(Find<QLabel>(*editor, "roomShapeName")->isHidden());

    // A refused text changes nothing; Enter in a box sets the values as the button does.
    type("7,2", "5", "3", "2");
    Click(*editor, "typedButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("「7,2」")) << platform.messages[0].text.toStdString();
    EXPECT_EQ(editor->plan().roomWidth, 720);
    type("6", "5", "3", "2");
    QTest::keyClick(Find<QLineEdit>(*editor, "centreYEdit"), Qt::Key_Return);
    EXPECT_EQ(editor->plan().roomWidth, 600);

    Click(*editor, "cancelButton");
    editor->open();
    EXPECT_EQ(Shown(), QStringList({"centreMarker", "roomShape"}));
}

} // namespace
