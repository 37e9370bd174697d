#include "drawing/RoomOverlay.h"

#include <QFont>

#include "drawing/PlanAnnotations.h"
#include "drawing/UserScaleCanvas.h"
#include "logic/result/ErrorShading.h"
#include "logic/room/GridPlace.h"

namespace brisca {

namespace {

constexpr double HalfTurn = 3.14159;
constexpr double QuarterTurn = 1.570795;
constexpr double ThreeQuarterTurn = 4.712385;
const QColor Foreground = Qt::black;
const QColor Red(255, 0, 0);

// The overlay's texts in Meiryo 18 pt, 24 pixels at 96 dots per inch.
QFont TextFont()
{
    QFont font("Meiryo");
    font.setPixelSize(24);
    return font;
}

UserScaleCanvas Canvas(QImage& picture, const OverlayScale& scale)
{
    return UserScaleCanvas(picture, scale.left, scale.top, scale.side, scale.side);
}

// The room, the bed, the fittings and the two texts in the room system; the first pass also
// marks the object centre, which the second pass leaves out.
void DrawLayout(
    UserScaleCanvas& canvas, const RoomLayout& room, PatientPosition patientPosition, bool markCentre)
{
    canvas.SetSolidFill(false);
    canvas.SetDrawWidth(4);
    canvas.Box(room.roomLeft, room.roomTop, room.roomLeft + room.roomWidth, room.roomTop + room.roomHeight,
        Foreground);
    canvas.SetDrawWidth(2);
    if (markCentre) canvas.Circle(room.centreX, room.centreY, 2, Red);

    // A standing patient stands before an upright table: a thin bar 10 cm behind the centre.
    if (patientPosition == PatientPosition::Supine) {
        canvas.Box(room.bedLeft, room.bedTop, room.bedLeft + room.bedWidth, room.bedTop + room.bedHeight,
            Foreground);
    } else if (BedOrientation(room) == 1) {
        canvas.Box(
            room.centreX - 11, room.bedTop, room.centreX - 9, room.bedTop + room.bedHeight, Foreground);
    } else {
        canvas.Box(
            room.bedLeft, room.centreY + 11, room.bedLeft + room.bedWidth, room.centreY + 9, Foreground);
    }

    canvas.Box(room.windowLeft, room.windowTop, room.windowLeft + room.windowWidth,
        room.windowTop + room.windowHeight, Foreground);
    canvas.Box(room.doorLeft, room.doorTop, room.doorLeft + room.doorWidth, room.doorTop + room.doorHeight,
        Foreground);
    canvas.Box(room.entranceLeft, room.entranceTop, room.entranceLeft + room.entranceWidth,
        room.entranceTop + room.entranceHeight, Foreground);

    const QFont font = TextFont();
    canvas.Text(
        room.controlRoomX, room.controlRoomY, QString::fromStdString(room.controlRoomText), font, Foreground);
    if (!room.freeText.empty())
        canvas.Text(room.freeTextX, room.freeTextY, QString::fromStdString(room.freeText), font, Foreground);
    canvas.SetDrawWidth(1);
}

// The phantom seen from above, in the centre system: the supine body with the vertical beam,
// or the standing body's section with the tube focus and the central ray pointing at it.
void DrawPhantom(UserScaleCanvas& canvas, int bedOrientation, PatientPosition patientPosition, double fsd)
{
    canvas.SetDrawWidth(1);
    canvas.SetSolidFill(false);
    canvas.SetFillColor(Red);
    if (patientPosition == PatientPosition::Supine) {
        if (bedOrientation == 1) {
            canvas.Box(-30, -15, 30, 15, Foreground);
        } else {
            canvas.Box(-15, -30, 15, 30, Foreground);
        }
        canvas.SetSolidFill(true);
        canvas.Circle(0, 0, 6, Foreground);
    } else if (bedOrientation == 1) {
        // Beam along +x: the tube lies to the right.
        canvas.Line(-10, -10, -10, 10, Foreground);
        canvas.Line(10, -10, 10, 10, Foreground);
        canvas.Arc(0, -10, 10, Foreground, 0, HalfTurn);
        canvas.Arc(0, 10, 10, Foreground, HalfTurn, 0);
        canvas.SetSolidFill(true);
        canvas.Circle(fsd + 10, 0, 6, Foreground);
        canvas.Line(0, 0, fsd + 10, 0, Foreground);
        canvas.Line(30, -10, 10, 0, Foreground);
        canvas.Line(10, 0, 30, 10, Foreground);
    } else {
        // Beam along −y: the tube lies above.
        canvas.Line(-10, -10, 10, -10, Foreground);
        canvas.Line(-10, 10, 10, 10, Foreground);
        canvas.Arc(-10, 0, 10, Foreground, QuarterTurn, ThreeQuarterTurn);
        canvas.Arc(10, 0, 10, Foreground, ThreeQuarterTurn, QuarterTurn);
        canvas.SetSolidFill(true);
        canvas.Circle(0, -fsd - 10, 6, Red);
        canvas.Line(0, 0, 0, -fsd - 10, Foreground);
        canvas.Line(-10, -30, 0, -10, Foreground);
        canvas.Line(0, -10, 10, -30, Foreground);
    }
    canvas.SetDrawWidth(2);
    canvas.SetSolidFill(false);
}

// One grid row as dots of the current line width, on one or both sides of the bed's axis.
void DrawRow(UserScaleCanvas& canvas, const OverlayRow& row, int r, int bedOrientation)
{
    for (int c = 1; c <= 380; ++c) {
        const Rgb shade = ShadedCellColour(row.grid, row.thresholds, row.shading, row.layer, c, r);
        const QRgb colour = qRgb(shade.r, shade.g, shade.b);
        const QPointF at = OverlayPointOfElement(c, r, bedOrientation, false);
        canvas.Dot(at.x(), at.y(), colour);
        if (row.bothSides) {
            const QPointF mirror = OverlayPointOfElement(c, r, bedOrientation, true);
            canvas.Dot(mirror.x(), mirror.y(), colour);
        }
    }
}

// The 100 cm grid centred on the phantom, then white over everything from 5 cm inside the
// walls outwards, so that no dot stands in or beyond a wall.
void DrawGridAndCut(UserScaleCanvas& canvas, const RoomLayout& room)
{
    canvas.SetDrawWidth(1);
    for (int k = -400; k <= 400; k += 100) canvas.Line(k, -400, k, 400, Foreground);
    for (int k = -400; k <= 400; k += 100) canvas.Line(-400, k, 400, k, Foreground);

    const QColor white(255, 255, 255);
    const double left = room.roomLeft - room.centreX + 5;
    const double right = room.roomLeft + room.roomWidth - room.centreX - 5;
    const double top = room.roomTop - room.centreY + 5;
    const double bottom = room.roomTop + room.roomHeight - room.centreY - 5;
    canvas.FilledBox(-500, -500, left, 500, white);
    canvas.FilledBox(right, -500, 500, 500, white);
    canvas.FilledBox(-500, -500, 500, top, white);
    canvas.FilledBox(-500, bottom, 500, 500, white);
}

} // namespace

OverlayScale RoomSystem(const RoomLayout& layout)
{
    const double w = layout.roomWidth;
    const double h = layout.roomHeight;
    if (w > h) return {-0.1 * w, (h - 1.9 * w) / 2, 1.9 * w};
    return {(w - 1.9 * h) / 2, -0.1 * h, 1.9 * h};
}

OverlayScale CentreSystem(const RoomLayout& layout)
{
    const OverlayScale room = RoomSystem(layout);
    return {room.left - layout.centreX, room.top - layout.centreY, room.side};
}

int BedOrientation(const RoomLayout& layout) { return BedLiesAlongX(layout) ? 1 : 2; }

QPointF OverlayPointOfElement(int c, int r, int bedOrientation, bool mirrored)
{
    const double lateral = mirrored ? -(c + 20.0) : c + 20.0;
    if (bedOrientation == 1) return {300.0 - r, lateral};
    return {lateral, r - 300.0};
}

void DrawRoomOverlay(QImage& picture, const OverlayInputs& inputs)
{
    picture.fill(Qt::white);
    {
        UserScaleCanvas room = Canvas(picture, RoomSystem(inputs.layout));
        DrawLayout(room, inputs.layout, inputs.patientPosition, true);
    }
    HatchNoDoseAreas(picture, inputs.layout);
    {
        UserScaleCanvas centre = Canvas(picture, CentreSystem(inputs.layout));
        DrawPhantom(centre, BedOrientation(inputs.layout), inputs.patientPosition, inputs.fsd);
    }

    // Every input is read again for each row: a change made while the drawing yields applies to
    // the rows drawn after it.
    for (int r = 1; r <= 600; ++r) {
        UserScaleCanvas centre = Canvas(picture, CentreSystem(inputs.layout));
        centre.SetDrawWidth(2);
        DrawRow(centre, inputs.row(), r, BedOrientation(inputs.layout));
        if (inputs.afterRow && !inputs.afterRow()) return;
    }

    UserScaleCanvas centre = Canvas(picture, CentreSystem(inputs.layout));
    DrawGridAndCut(centre, inputs.layout);
    UserScaleCanvas room = Canvas(picture, RoomSystem(inputs.layout));
    DrawLayout(room, inputs.layout, inputs.patientPosition, false);
    DrawScaleAndKey(picture, inputs.layout);
}

} // namespace brisca
