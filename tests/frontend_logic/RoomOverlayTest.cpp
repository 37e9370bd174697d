// Drawing the distribution over the room plan into an image, offscreen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "drawing/PlanAnnotations.h"
#include "drawing/RoomOverlay.h"
#include "drawing/UserScaleCanvas.h"
#include "logic/result/ColourBands.h"
#include "logic/result/ErrorShading.h"
#include "logic/room/GridPlace.h"

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
    const Thresholds& t = Descending, double fsd = 60, const MapShading& shading = {})
{
    Drawing d;
    OverlayInputs inputs{room, position, fsd, {}, {}};
    inputs.row = [&] { return OverlayRow{grid, HeightLayer::Centre, t, bothSides, shading}; };
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
    // Within 20 cm of the axis white may carry the hatching of the unscored strip.
    const QRgb hatch = NoDoseHatchColour.rgb();
    for (const Case& c : cases) {
        Drawing d = Draw(c.room, empty, c.position, false);
        const QRgb seen = d.At(c.room, c.x, c.y);
        EXPECT_TRUE(seen == c.colour || (c.colour == white && seen == hatch))
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

TEST(RoomOverlay, DotsShowTheErrorBandOrTheGreyOutOfTheirCell)
{
    // Every rate in band 1; the rows before the phantom known to 1 %, the others to 60 %.
    const DisplayGrid grid = Uniform(100);
    DisplayGrid errors;
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) errors.At(2, c, r) = r < 300 ? 1.0 : 60.0;
    const auto rgb = [](const Rgb& c) { return qRgb(c.r, c.g, c.b); };
    // Bed along x: row r at x = 300 − r.
    const RoomLayout along = Room(900, 900, 450, 450, 200, 90);
    const struct {
        MapShading shading;
        QRgb precise;   // at the cell known to 1 %
        QRgb uncertain; // at the cell known to 60 %
    } cases[] = {{{&errors, true}, rgb(ErrorBandColour(1)), rgb(ErrorBandColour(6))},
        {{&errors, false, 50.0}, Colour(1), rgb(GreyedOutColour)}, {{&errors}, Colour(1), Colour(1)}};
    for (const auto& c : cases) {
        Drawing d = Draw(along, grid, Supine, false, Descending, 60, c.shading);
        EXPECT_EQ(d.At(along, 150, 120), c.precise) << c.shading.showErrors;
        EXPECT_EQ(d.At(along, -150, 120), c.uncertain) << c.shading.showErrors;
    }
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

TEST(RoomOverlay, APlanPointReadsTheGridElementDrawnThere)
{
    // Each element's dot, on the side drawn and on the mirrored side, maps back to the element.
    for (const RoomLayout& room : {Room(900, 700, 317, 243, 200, 90), Room(900, 700, 317, 243, 90, 200)})
        for (const auto& [c, r] : {std::pair{1, 1}, {1, 600}, {380, 1}, {380, 600}, {57, 312}})
            for (const bool mirrored : {false, true}) {
                const QPointF at = OverlayPointOfElement(c, r, BedOrientation(room), mirrored);
                const GridPlace place = GridPlaceOf(room, room.centreX + at.x(), room.centreY + at.y());
                EXPECT_EQ(place.coverage, GridCoverage::Scored) << c << "," << r;
                EXPECT_EQ(place.column, c) << room.bedWidth << " " << mirrored;
                EXPECT_EQ(place.row, r) << room.bedWidth << " " << mirrored;
            }

    // Whether the drawn room (5 cm inside the walls) reaches beyond 400 cm across or 299..300 cm along.
    const struct {
        RoomLayout room;
        bool beyond;
    } rooms[] = {{Room(600, 600, 300, 250), false}, {Room(1000, 600, 300, 300), true},
        {Room(609, 600, 304.5, 300), false}, {Room(610, 600, 305, 300), true},
        {Room(900, 600, 100, 300, 90, 200), true}, {Room(600, 900, 300, 450, 90, 200), true},
        {Room(600, 600, 300, 300, 90, 200), false}};
    for (const auto& c : rooms)
        EXPECT_EQ(RoomBeyondScoredRange(c.room), c.beyond)
            << c.room.roomWidth << " x " << c.room.roomHeight << " at " << c.room.centreX << ", "
            << c.room.centreY;
}

TEST(RoomOverlay, AreasWithoutAScoredDoseAreHatchedInsideTheRoomOnly)
{
    // Every dot in band 1. A 10 m room with the bed along x and the object 3 m from the left
    // wall: beyond x = 600 the row axis has run out; the strip lies along y = 300.
    const DisplayGrid grid = Uniform(100);
    RoomLayout room = Room(1000, 600, 300, 300);
    room.controlRoomText.clear();
    room.freeText.clear();
    const Drawing d = Draw(room, grid, Standing, false);
    const QRgb band1 = Colour(1);
    const QRgb hatch = NoDoseHatchColour.rgb();
    const OverlayScale s = RoomSystem(room);
    const double unitsPerPixel = s.side / Side;
    // Hatched and band-1 pixels counted per region of the plan.
    struct Count {
        int hatched = 0;
        int dots = 0;
    };
    // Outside the room counts below the key block, whose swatch is hatched.
    Count beyond, strip, scored, outside;
    for (int py = 0; py < Side; ++py)
        for (int px = 0; px < Side; ++px) {
            const QRgb seen = d.image.pixel(px, py);
            const double x = s.left + (px + 0.5) * unitsPerPixel;
            const double y = s.top + (py + 0.5) * unitsPerPixel;
            const bool inRoom = x > 6 && x < 994 && y > 6 && y < 594;
            const bool wellInRoom = x > 12 && x < 988 && y > 12 && y < 588;
            Count* region = !inRoom
                                ? (py > 110 && (x < -2 || x > 1002 || y < -2 || y > 602) ? &outside : nullptr)
                            : !wellInRoom                                   ? nullptr
                            : x > 603                                       ? &beyond
                            : x < 597 && std::fabs(y - 300) < 18            ? &strip
                            : x < 597 && y > 323 && std::fabs(x - 300) > 60 ? &scored
                                                                            : nullptr;
            if (!region) continue;
            region->hatched += seen == hatch;
            region->dots += seen == band1;
        }
    EXPECT_GT(beyond.hatched, 1000);
    EXPECT_EQ(beyond.dots, 0);
    EXPECT_GT(strip.hatched, 200);
    EXPECT_EQ(strip.dots, 0);
    EXPECT_EQ(scored.hatched, 0);
    EXPECT_GT(scored.dots, 10000);
    EXPECT_EQ(outside.hatched, 0);
}

// The longest run of black pixels along a row of the band [top, bottom).
int LongestBlackRun(const QImage& image, int top, int bottom)
{
    int longest = 0;
    for (int py = top; py < bottom; ++py)
        for (int px = 0, run = 0; px < image.width(); ++px) {
            run = image.pixel(px, py) == qRgb(0, 0, 0) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

TEST(RoomOverlay, TheScaleBarIsAWholeNumberOfMetresAtThePicturesScale)
{
    // 0.5, 1, 2, 5 or 10 m, the longest under 170 pixels; above a wide room, below any other.
    const struct {
        RoomLayout room;
        double metres;
        bool atTop;
    } cases[] = {{Room(600, 600, 300, 300), 2, false}, {Room(300, 300, 150, 150), 1, false},
        {Room(1000, 800, 500, 400), 2, true}, {Room(200, 150, 100, 75), 0.5, true}};
    for (const auto& c : cases) {
        RoomLayout room = c.room;
        room.controlRoomText.clear();
        room.freeText.clear();
        const Drawing d = Draw(room, DisplayGrid{}, Supine, false);
        const double pixels = c.metres * 100 * Side / RoomSystem(room).side;
        const int band = 100;
        const int bar = LongestBlackRun(d.image, c.atTop ? 0 : Side - band, c.atTop ? band : Side);
        EXPECT_NEAR(bar, pixels, 2.5) << room.roomWidth << " x " << room.roomHeight;
    }
}

TEST(RoomOverlay, PointsAreRingsInTheColourOfTheirVerdict)
{
    const RoomLayout room = Room(600, 600, 300, 300);
    QImage image(Side, Side, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::vector<PointMark> marks = {{"pass", 100, 100, PointMarkState::Pass},
        {"fail", 200, 200, PointMarkState::Fail}, {"none", 300, 100, PointMarkState::NoDose},
        {"", 400, 200, PointMarkState::NotEvaluated}};
    DrawPointMarks(image, room, marks);
    const OverlayScale s = RoomSystem(room);
    const UserScaleCanvas canvas(image, s.left, s.top, s.side, s.side);
    const auto close = [](QRgb a, const QColor& b) {
        return std::abs(qRed(a) - b.red()) < 40 && std::abs(qGreen(a) - b.green()) < 40 &&
               std::abs(qBlue(a) - b.blue()) < 40;
    };
    for (const PointMark& mark : marks) {
        const QPoint at = canvas.ToPixel(mark.xCm, mark.yCm);
        const QColor ring = PointMarkColour(mark.state);
        EXPECT_TRUE(close(image.pixel(at + QPoint(7, 0)), ring)) << mark.name;
        EXPECT_TRUE(close(image.pixel(at + QPoint(0, -7)), ring)) << mark.name;
        // A white disc inside, crossed for a failing point.
        const QRgb centre = image.pixel(at);
        EXPECT_EQ(
            mark.state == PointMarkState::Fail ? close(centre, ring) : centre == qRgb(255, 255, 255), true)
            << mark.name;
    }
    const std::set<QRgb> rings = {PointMarkColour(PointMarkState::Pass).rgb(),
        PointMarkColour(PointMarkState::Fail).rgb(), PointMarkColour(PointMarkState::NoDose).rgb(),
        qRgb(0, 0, 0)};
    EXPECT_EQ(rings.size(), 4u);
}

} // namespace
