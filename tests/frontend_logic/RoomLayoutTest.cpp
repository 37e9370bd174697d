#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "logic/room/LayoutPlan.h"
#include "logic/room/RoomFile.h"
#include "logic/room/RoomFileList.h"
#include "logic/text/Cp932.h"

#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace brisca;

// A 6 m x 5 m room as a layout file holds it, texts in code page 932.
const std::string ExampleFile =
    "600\r\n500\r\n0\r\n0\r\n200\r\n90\r\n205\r\n200\r\n300\r\n250\r\n"
    "180\r\n30\r\n250\r\n500\r\n100\r\n20\r\n50\r\n500\r\n180\r\n20\r\n20\r\n-10\r\n"
    "\x91\x80\x8d\xec\x8e\xba\r\n250\r\n520\r\n"
    "\x94\x43\x88\xd3\x95\xb6\x8e\x9a\x97\xf1\r\n640\r\n550\r\n";

// The example file with line `line` (1-based) replaced by `text`.
std::string WithLine(int line, const std::string& text)
{
    std::string bytes = ExampleFile;
    std::size_t start = 0;
    for (int k = 1; k < line; ++k) start = bytes.find("\r\n", start) + 2;
    return bytes.replace(start, bytes.find("\r\n", start) - start, text);
}

// The layout of file contents that must read.
RoomLayout Parsed(const std::string& bytes)
{
    const Expected<RoomLayout> layout = ParseRoomFile(bytes, "例.Room");
    if (!layout) {
        ADD_FAILURE() << MessageText(layout.Failure());
        return {};
    }
    return *layout;
}

TEST(RoomFileTest, ExampleFileRoundTripsByteForByte)
{
    const RoomLayout layout = Parsed(ExampleFile);
    EXPECT_EQ(layout.roomHeight, 500);
    EXPECT_EQ(layout.bedTop, 205);
    EXPECT_EQ(layout.entranceTop, -10);
    EXPECT_EQ(layout.controlRoomText, "操作室");
    EXPECT_EQ(layout.freeText, "任意文字列");
    EXPECT_EQ(layout.freeTextY, 550);
    EXPECT_EQ(*RoomFileBytes(layout), ExampleFile);

    // Lines ended by a bare LF, as a hand-edited file may have, read the same.
    std::string unixLines = ExampleFile;
    for (std::size_t at; (at = unixLines.find('\r')) != std::string::npos;) unixLines.erase(at, 1);
    EXPECT_EQ(Parsed(unixLines), layout);
}

TEST(RoomFileTest, TextsMapToCodePage932)
{
    const struct {
        std::string utf8;
        std::string cp932;
    } cases[] = {
        {"操作室", "\x91\x80\x8d\xec\x8e\xba"},
        {"C:\\temp", "C:\\temp"},     // 0x5C is a backslash, not a yen sign
        {"ソ表", "\x83\x5c\x95\x5c"}, // 0x5C as the second byte of a character
        {"～ｱ", "\x81\x60\xb1"},
        {"a, \"b\"", "a, \"b\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(RoomFileTest, NumberLines)
{
    const struct {
        float value;
        const char* text;
    } written[] = {{600, "600"}, {-10, "-10"}, {0.25f, "0.25"}, {-0.0f, "0"}, {299.666667f, "299.6667"},
        {12345678, "12345680"}, {0.1f, "0.1"}, {1e-6f, "0.000001"}, {-0.0375f, "-0.0375"}};
    for (const auto& c : written) EXPECT_EQ(RoomNumberText(c.value), c.text) << c.value;

    const struct {
        const char* line;
        float value;
    } read[] = {
        {" 600 ", 600}, {"\t-10\t", -10}, {"+5", 5}, {".5", 0.5f}, {"1E2", 100}, {"299.6667", 299.6667f}};
    for (const auto& c : read) EXPECT_EQ(Parsed(WithLine(5, c.line)).bedWidth, c.value) << c.line;
}

TEST(RoomFileTest, RefusedFilesNameTheLine)
{
    const struct {
        std::string bytes;
        int line;
    } cases[] = {
        {ExampleFile.substr(0, ExampleFile.rfind("550\r\n")), 28},
        {"", 1},
        {WithLine(5, ""), 5},
        {WithLine(5, "abc"), 5},
        {WithLine(5, "12abc"), 5},
        {WithLine(5, "1,5"), 5},
        {WithLine(5, "inf"), 5},
        {WithLine(5, "nan"), 5},
        {WithLine(5, "1e50"), 5},
        {WithLine(5, "+-1"), 5},
        {WithLine(24, "操作室"), 24}, // a text where a number belongs
        {WithLine(23, "\x82"), 23},   // a lead byte without its second byte
        {WithLine(26, "\xa0\xfd"), 26},
    };
    for (const auto& c : cases) {
        const Expected<RoomLayout> layout = ParseRoomFile(c.bytes, "部屋.Room");
        ASSERT_FALSE(layout) << c.line;
        const std::string message = MessageText(layout.Failure());
        EXPECT_EQ(message.rfind("部屋.Room の " + std::to_string(c.line) + " 行目: ", 0), 0u) << message;
        EXPECT_NE(message.find(" [部屋.Room, record " + std::to_string(c.line) + ": "), std::string::npos)
            << message;
    }
}

using RoomFolderTest = testsupport::TempFolderTest;

TEST_F(RoomFolderTest, SaveLoadListAndDelete)
{
    const RoomLayout example = Parsed(ExampleFile);
    ASSERT_FALSE(WriteRoomFile(folder_ / RoomFileName("透視室A"), example));
    ASSERT_FALSE(WriteRoomFile(folder_ / RoomFileName("B"), RoomLayout{}));
    std::ofstream(folder_ / "notes.txt") << "not a layout";
    EXPECT_EQ(Read("透視室A.Room"), ExampleFile);

    const Expected<RoomLayout> loaded = ReadRoomFile(folder_ / "透視室A.Room");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, example);
    EXPECT_EQ(ListRoomFiles(folder_), (std::vector<std::string>{"B.Room", "透視室A.Room"}));
    EXPECT_EQ(LayoutNameOf("透視室A.Room"), "透視室A");

    EXPECT_FALSE(DeleteRoomFile(folder_ / "B.Room"));
    EXPECT_EQ(ListRoomFiles(folder_), std::vector<std::string>{"透視室A.Room"});
    EXPECT_EQ(DeleteRoomFile(folder_ / "B.Room")->file, "B.Room");
    EXPECT_EQ(ReadRoomFile(folder_ / "B.Room").Failure().file, "B.Room");
}

TEST_F(RoomFolderTest, RefusedSavesWriteNothing)
{
    ASSERT_FALSE(WriteRoomFile(folder_ / "old.Room", RoomLayout{}));
    const std::string before = Read("old.Room");
    for (const std::string text : {"二行の\n文字列", "末尾に改行\r", "Café", "絵文字😀"}) {
        RoomLayout layout;
        layout.freeText = text;
        EXPECT_TRUE(WriteRoomFile(folder_ / "old.Room", layout)) << text;
    }
    EXPECT_EQ(Read("old.Room"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);

    EXPECT_TRUE(FreeTextRefusal("一行目\r\n二行目"));
    EXPECT_FALSE(FreeTextRefusal("カンマ, \"引用符\""));
    EXPECT_EQ(MessageText(*RoomNameRefusal("")), "ファイル名を入力して下さい");
    EXPECT_TRUE(RoomNameRefusal("../外"));
    EXPECT_FALSE(RoomNameRefusal("透視室 1"));
}

TEST(LayoutPlanTest, ClicksPlaceTheElementOfTheMode)
{
    struct Click {
        PlacingMode mode;
        bool left;
        double x, y;
    };
    const struct {
        const char* name;
        std::vector<Click> clicks;
        std::function<void(RoomLayout&)> expect;
    } cases[] = {
        {"bed corners", {{PlacingMode::Bed, true, 100, 200}, {PlacingMode::Bed, false, 300, 290}},
            [](RoomLayout& l) { l.bedLeft = 100, l.bedTop = 200, l.bedWidth = 200, l.bedHeight = 90; }},
        {"room beyond the click", {{PlacingMode::Room, false, 599, 499}},
            [](RoomLayout& l) { l.roomWidth = 601, l.roomHeight = 501; }},
        {"object centre", {{PlacingMode::ObjectCentre, true, 320, 240}},
            [](RoomLayout& l) { l.centreX = 320, l.centreY = 240; }},
        {"right click above and left of the door", {{PlacingMode::StaffDoor, false, 40, 500}},
            [](RoomLayout&) {}},
        {"right click right of but above the window", {{PlacingMode::ViewingWindow, false, 400, 100}},
            [](RoomLayout& l) { l.windowWidth = 134; }},
        {"entrance corner keeps its size", {{PlacingMode::PatientEntrance, true, 10, -20}},
            [](RoomLayout& l) { l.entranceLeft = 10, l.entranceTop = -20; }},
        {"labels",
            {{PlacingMode::ControlRoomLabel, false, 610, 300}, {PlacingMode::FreeTextLabel, true, 5, 6}},
            [](RoomLayout& l) {
                l.controlRoomX = 610, l.controlRoomY = 300, l.freeTextX = 5, l.freeTextY = 6;
            }},
        {"no mode yet", {{PlacingMode::None, true, 100, 100}}, [](RoomLayout&) {}},
        {"whole centimetres",
            {{PlacingMode::Room, false, 597.1429, 497.5}, {PlacingMode::ObjectCentre, true, 300.4, -12.5},
                {PlacingMode::Bed, false, 394.2857, 298.6}},
            [](RoomLayout& l) {
                l.roomWidth = 599, l.roomHeight = 500, l.centreX = 300, l.centreY = -13, l.bedWidth = 200,
                l.bedHeight = 90;
            }},
    };
    for (const auto& c : cases) {
        RoomLayout plan;
        for (const Click& click : c.clicks) PlaceClick(plan, click.mode, click.left, click.x, click.y);
        RoomLayout expected;
        c.expect(expected);
        EXPECT_EQ(plan, expected) << c.name;
    }
}

TEST(LayoutPlanTest, RoomSizeAndCentreTypedInMetres)
{
    const struct {
        const char* width;
        const char* depth;
        const char* x;
        const char* y;
        const char* refusal; // part of the warning; none when both are taken
        float roomWidth, roomHeight, centreX, centreY;
    } cases[] = {
        {"6", " 4.5 ", "3", "2.5", nullptr, 600, 450, 300, 250},
        {"5.994", "8.5", "-0.5", "8.5", nullptr, 599, 850, -50, 850},
        {"", "4", "3", "2", "室の幅 X「」", 600, 600, 300, 250},
        {"6,5", "4", "3", "2", "室の幅 X「6,5」は 0 より大きく 8.5 以下", 600, 600, 300, 250},
        {"6", "0", "3", "2", "室の奥行 Y「0」", 600, 600, 300, 250},
        {"6", "0.004", "3", "2", "室の奥行 Y「0.004」", 600, 600, 300, 250},
        {"9", "4", "3", "2", "室の幅 X「9」", 600, 600, 300, 250},
        {"6", "4", "3 m", "2", "被射体中心 X「3 m」は -0.5 以上 8.5 以下", 600, 400, 300, 250},
        {"6", "4", "3", "-1", "被射体中心 Y「-1」", 600, 400, 300, 250},
    };
    for (const auto& c : cases) {
        RoomLayout plan;
        std::optional<Problem> refusal = TypeRoomSize(plan, c.width, c.depth);
        if (!refusal) refusal = TypeObjectCentre(plan, c.x, c.y);
        const std::string text = refusal ? MessageText(*refusal) : "";
        EXPECT_EQ(text.empty(), c.refusal == nullptr) << c.width << " " << text;
        if (c.refusal) {
            EXPECT_NE(text.find(c.refusal), std::string::npos) << text;
        }
        EXPECT_EQ(plan.roomWidth, c.roomWidth) << c.width;
        EXPECT_EQ(plan.roomHeight, c.roomHeight) << c.depth;
        EXPECT_EQ(plan.centreX, c.centreX) << c.x;
        EXPECT_EQ(plan.centreY, c.centreY) << c.y;
    }
    EXPECT_EQ(MetresText(599), "5.99");
    EXPECT_EQ(MetresText(-50), "-0.5");
}

TEST(LayoutPlanTest, MarkerAndTakeOver)
{
    RoomLayout plan;
    EXPECT_EQ(CentreMarker(plan).left, 285);
    EXPECT_EQ(CentreMarker(plan).top, 235);
    EXPECT_EQ(TakeOver(plan), RoomLayout{}) << "untouched plan gives the initial layout";

    PlaceClick(plan, PlacingMode::ObjectCentre, true, 320, 240);
    EXPECT_EQ(CentreMarker(plan).left, 305);
    EXPECT_EQ(CentreMarker(plan).top, 225);

    plan.roomLeft = 30;
    plan.roomTop = 40;
    plan.controlRoomText = "準備室";
    const RoomLayout layout = TakeOver(plan);
    EXPECT_EQ(layout.centreX, 320);
    EXPECT_EQ(layout.centreY, 240);
    EXPECT_EQ(layout.roomLeft, 0);
    EXPECT_EQ(layout.roomTop, 0);
    EXPECT_EQ(layout.controlRoomText, "操作室");
    EXPECT_EQ(plan.roomLeft, 30) << "the plan keeps its on-screen corner";
}

TEST(LayoutPlanTest, CursorReadoutAndGrid)
{
    const struct {
        double x, y;
        const char* textX;
        const char* textY;
    } cases[] = {{850, 0, "8.5", "0.0"}, {851, 0, "", ""}, {0, 850.5, "", ""}, {-50, -50, "-0.5", "-0.5"},
        {-50.01, 300, "", ""}, {25, 849.9, "0.3", "8.5"}};
    for (const auto& c : cases) {
        const CursorReadout readout = ReadOutCursor(c.x, c.y);
        EXPECT_EQ(readout.x, c.textX) << c.x << ", " << c.y;
        EXPECT_EQ(readout.y, c.textY) << c.x << ", " << c.y;
    }

    const std::vector<PlanGridLine> grid = PlanGridLines();
    ASSERT_EQ(grid.size(), 34u);
    const auto red = [](const PlanGridLine& line) { return line.colour.r; };
    EXPECT_EQ(red(grid[0]), 0);    // y = 0 is black
    EXPECT_EQ(red(grid[1]), 192);  // y = 50
    EXPECT_EQ(red(grid[2]), 128);  // y = 100
    EXPECT_EQ(red(grid[17]), 128); // x = 0
}

} // namespace
