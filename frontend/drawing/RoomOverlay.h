#pragma once

#include <QImage>
#include <functional>

#include "logic/PatientPosition.h"
#include "logic/result/DisplayGrid.h"
#include "logic/result/ErrorShading.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// Side of the overlay window's plan picture inside its border, in pixels.
inline constexpr int OverlayImageSide = 861;

// A square user scale of the overlay picture, in plan units (1 unit = 1 cm, y downwards).
struct OverlayScale {
    double left = 0.0; // user x of the left edge
    double top = 0.0;  // user y of the top edge
    double side = 0.0; // width and height of the picture
};

// The room system: a square 1.9 times the longer room side, the room 0.1 of that side from
// the near edge along its longer side and centred along the other; a square room counts as
// taller than wide.
OverlayScale RoomSystem(const RoomLayout& layout);

// The centre system: the room system moved so that the object centre is the origin.
OverlayScale CentreSystem(const RoomLayout& layout);

// 1 for a bed lying along x (wider than deep), 2 otherwise; a square bed counts as 2.
int BedOrientation(const RoomLayout& layout);

// Plan point of grid element (column c, row r) in the centre system: the lateral distance
// c + 20 runs across the bed's axis, the row along it (reversed for a bed lying along x).
// `mirrored` gives the point on the other side of the bed's axis.
QPointF OverlayPointOfElement(int c, int r, int bedOrientation, bool mirrored);

// What the distribution reads before each row: the user may switch the quantity or tick
// "both sides" while the drawing yields, and a drawing started meanwhile refills the thresholds.
struct OverlayRow {
    const DisplayGrid& grid;      // the quantity shown: air kerma or effective dose
    HeightLayer layer;            // height of the plane
    const Thresholds& thresholds; // legend thresholds 1..11
    bool bothSides;               // the distribution also on the other side of the bed's axis
    MapShading shading = {};      // the error bands, or the grey-out; default: the rates' bands
};

// Everything one drawing of the overlay reads.
struct OverlayInputs {
    const RoomLayout& layout; // the current layout, read again at every step
    PatientPosition patientPosition = PatientPosition::Standing; // the phantom symbol drawn
    double fsd = 0.0;                                            // focus to entrance surface distance, cm
    std::function<OverlayRow()> row;                             // asked before every one of the 600 rows
    std::function<bool()> afterRow; // after every row; false ends the drawing there (may be empty)
};

// Draws the distribution over the room plan onto `picture`: the room and its fittings, the
// hatching over the parts of the room without a scored dose, the phantom symbol, the
// distribution dots of 2 pixels on one or both sides of the bed's axis, the 100 cm grid around
// the phantom, a white cut to 5 cm inside the walls, the room and its fittings again on top,
// and a scale bar with the key to the hatching in a corner.
void DrawRoomOverlay(QImage& picture, const OverlayInputs& inputs);

} // namespace brisca
