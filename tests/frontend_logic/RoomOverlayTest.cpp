// Drawing the distribution over the room plan into an image, offscreen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "drawing/RoomOverlay.h"
#include "drawing/UserScaleCanvas.h"
#include "logic/result/ColourBands.h"

namespace {

using namespace brisca;

constexpr PatientPosition Supine = PatientPosition::Supine;
constexpr PatientPosition Standing = PatientPosition::Standing;

constexpr int Side = 861;                                             // pixels of the plan picture
const Thresholds Descending = {0, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}; // threshold n is 12 − n

QRgb Colour(int band)
{
    const Rgb c = MapColour(band);
    return qRgb(c.r, c.g, c.b);
}

RoomLayout Room(float w, float h, float cx, float cy, float bedW = 200, float bedH = 90)
{
    RoomLayout room;
    room.roomWidth = w;
    room.roomHeight = h;
    room.centreX = cx;
    room.centreY = cy;
    room.bedWidth = bedW;
    room.bedHeight = bedH;
    room.bedLeft = cx - bedW / 2;
    room.bedTop = cy - bedH / 2;
    return room;
}

struct Drawing {
    QImage image{Side, Side, QImage::Format_RGB32};
    // Pixel colour at centre-system point (x, y).
    QRgb At(const RoomLayout& room, double x, double y)
    {
        const OverlayScale s = CentreSystem(room);
        return image.pixel(UserScaleCanvas(image, s.left, s.top, s.side, s.side).ToPixel(x, y));
    }
};

Drawing Draw(const RoomLayout& room, const DisplayGrid& grid, PatientPosition position, bool bothSides,
    const Thresholds& t = Descending, double fsd = 60)
{
    Drawing d;
    OverlayInputs inputs{room, position, fsd, {}, {}};
    inputs.row = [&] { return OverlayRow{grid, HeightLayer::Centre, t, bothSides}; };
    DrawRoomOverlay(d.image, inputs);
    return d;
}

DisplayGrid Uniform(double value)
{
    DisplayGrid grid;
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) grid.At(2, c, r) = value;
    return grid;
}

TEST(RoomOverlay, RoomAndCentreSystemsAreSquaresAroundTheRoom)
{
    struct Case {
        RoomLayout room;
        OverlayScale roomSystem;
        OverlayScale centreSystem;
    };
    const Case cases[] = {
        {Room(600, 400, 300, 200), {-60, -370, 1140}, {-360, -570, 1140}},
        {Room(500, 700, 250, 350), {-415, -70, 1330}, {-665, -420, 1330}},
        // A square room takes the margin at the top.
        {Room(600, 600, 100, 50), {-270, -60, 1140}, {-370, -110, 1140}},
    };
    for (const Case& c : cases) {
        const OverlayScale room = RoomSystem(c.room);
        const OverlayScale centre = CentreSystem(c.room);
        EXPECT_DOUBLE_EQ(room.left, c.roomSystem.left) << c.room.roomWidth;
        EXPECT_DOUBLE_EQ(room.top, c.roomSystem.top) << c.room.roomWidth;
        EXPECT_DOUBLE_EQ(room.side, c.roomSystem.side) << c.room.roomWidth;
        EXPECT_DOUBLE_EQ(centre.left, c.centreSystem.left) << c.room.roomWidth;
        EXPECT_DOUBLE_EQ(centre.top, c.centreSystem.top) << c.room.roomWidth;
    }
    EXPECT_EQ(BedOrientation(Room(600, 400, 300, 200, 200, 90)), 1);
    EXPECT_EQ(BedOrientation(Room(600, 400, 300, 200, 90, 200)), 2);
    EXPECT_EQ(BedOrientation(Room(600, 400, 300, 200, 100, 100)), 2);
}

TEST(RoomOverlay, PhantomSymbolsStandWhereTheBeamComesFrom)
{
    // Nothing in the grid: every dot is white and the symbols show alone. The points looked at
    // keep off the grid lines through the centre.
    const DisplayGrid empty;
    const QRgb black = qRgb(0, 0, 0);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb white = qRgb(255, 255, 255);

    const RoomLayout along = Room(600, 400, 300, 200, 200, 90);
    const RoomLayout across = Room(600, 400, 300, 200, 90, 200);
    struct Case {
        const RoomLayout& room;
        PatientPosition position; // standing with an FSD of 60 cm
        double x, y;              // centre-system point
        QRgb colour;
    };
    // Supine: the body 60 × 30 along the bed, the vertical beam at the centre.
    const Case cases[] = {{along, Supine, -30, 0, black}, {along, Supine, 30, 0, black},
        {along, Supine, 0, -15, black}, {along, Supine, 20, -10, white}, {along, Supine, 3, 3, red},
        {across, Supine, 0, -30, black}, {across, Supine, -15, 0, black},
        // Standing: the tube 70 cm away, its central ray, the upright table 10 cm behind
        // (redrawn over the dots where it reaches beyond 21 cm from the axis).
        {along, Standing, 70, 3, red}, {along, Standing, 45, 0, black}, {along, Standing, -10, 0, black},
        {along, Standing, -10, 40, black}, {along, Standing, 5, -70, white}, {across, Standing, 3, -70, red},
        {across, Standing, 0, 10, black}, {across, Standing, 70, 5, white}};
    for (const Case& c : cases) {
        Drawing d = Draw(c.room, empty, c.position, false);
        EXPECT_EQ(d.At(c.room, c.x, c.y), c.colour)
            << (c.position == Supine ? "supine" : "standing") << ", bed " << c.room.bedWidth << ": " << c.x
            << ", " << c.y;
    }
}

TEST(RoomOverlay, DotsLieAcrossTheBedsAxisOnOneOrBothSides)
{
    // Rows before the phantom reach exactly threshold 3, which is band 3; the others no band.
    DisplayGrid grid;
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) grid.At(2, c, r) = r < 300 ? 9.0 : 0.0;
    const QRgb band3 = Colour(3);
    const QRgb white = Colour(12);

    // Bed along x: column → +y, row r at x = 300 − r.
    const RoomLayout along = Room(900, 900, 450, 450, 200, 90);
    Drawing one = Draw(along, grid, Supine, false);
    EXPECT_EQ(one.At(along, 150, 120), band3);
    EXPECT_EQ(one.At(along, -150, 120), white);
    EXPECT_EQ(one.At(along, 150, -120), white);
    Drawing both = Draw(along, grid, Supine, true);
    EXPECT_EQ(both.At(along, 150, -120), band3);

    // Bed along y: column → +x, row r at y = r − 300.
    const RoomLayout across = Room(900, 900, 450, 450, 90, 200);
    Drawing oneAcross = Draw(across, grid, Supine, false);
    EXPECT_EQ(oneAcross.At(across, 120, -150), band3);
    EXPECT_EQ(oneAcross.At(across, 120, 150), white);
    EXPECT_EQ(oneAcross.At(across, -120, -150), white);
    Drawing bothAcross = Draw(across, grid, Supine, true);
    EXPECT_EQ(bothAcross.At(across, -120, -150), band3);
}

TEST(RoomOverlay, NoDotOutsideTheRoomOrWithinFiveCentimetresOfAWall)
{
    // Every dot in band 1; the texts are empty so that only dots can carry its colour.
    const DisplayGrid grid = Uniform(100);
    const QRgb band1 = Colour(1);
    const RoomLayout cases[] = {Room(600, 400, 300, 200), Room(600, 400, 3, 3), Room(600, 400, 597, 397),
        Room(600, 400, 1, 200, 90, 200), Room(600, 400, 599, 1, 90, 200), Room(500, 700, 250, 650),
        Room(500, 700, 490, 20), Room(300, 300, 150, 150)};
    for (RoomLayout room : cases) {
        room.controlRoomText.clear();
        room.freeText.clear();
        const Drawing d = Draw(room, grid, Standing, true);
        const OverlayScale s = RoomSystem(room);
        const double unitsPerPixel = s.side / Side;
        int painted = 0;
        for (int py = 0; py < Side; ++py)
            for (int px = 0; px < Side; ++px) {
                if (d.image.pixel(px, py) != band1) continue;
                ++painted;
                const double x = s.left + (px + 0.5) * unitsPerPixel;
                const double y = s.top + (py + 0.5) * unitsPerPixel;
                ASSERT_TRUE(x >= 5 && x <= room.roomWidth - 5 && y >= 5 && y <= room.roomHeight - 5)
                    << "centre " << room.centreX << ", " << room.centreY << ": dot at " << x << ", " << y;
            }
        EXPECT_GT(painted, 1000) << room.centreX << ", " << room.centreY;
    }
    // The cut stops at 5 cm: a dot 8 cm from the wall stays.
    const RoomLayout room = Room(600, 400, 300, 200);
    EXPECT_EQ(Draw(room, grid, Standing, true).At(room, 8 - 300, 130 - 200), band1);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
