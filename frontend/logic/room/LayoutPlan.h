#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// Geometry of the layout editor's plan. The editor keeps its elements in a RoomLayout of
// its own (the plan), which clicks change and "設定終了" copies into the current layout.

// User scale of the plan, in plan units: x and y run from -50 to 850.
inline constexpr double PlanScaleLeft = -50;
// Top edge of the plan's user scale.
inline constexpr double PlanScaleTop = -50;
// Width and height of the plan's user scale.
inline constexpr double PlanScaleSize = 900;
// Side of the object-centre marker, a circle drawn in a square box.
inline constexpr double CentreMarkerSize = 30;

// What the next clicks on the plan place.
enum class PlacingMode {
    None,             // nothing: clicks are ignored
    ObjectCentre,     // the phantom's centre
    Room,             // the room's lower-right corner
    Bed,              // the bed's corners
    StaffDoor,        // the staff door's corners
    ViewingWindow,    // the viewing window's corners
    ControlRoomLabel, // the "操作室" label
    FreeTextLabel,    // the free text
    PatientEntrance,  // the patient entrance's corners
};

// An axis-aligned box in plan units: upper-left corner and size.
struct PlanBox {
    double left = 0;   // left edge
    double top = 0;    // top edge
    double width = 0;  // extent along x
    double height = 0; // extent along y
};

// A colour as red, green and blue, 0..255.
struct PlanColour {
    int r = 0; // red
    int g = 0; // green
    int b = 0; // blue
};

// One line of the plan's fixed grid.
struct PlanGridLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // end points in plan units
    PlanColour colour;                     // line colour
};

// The two cursor read-out texts, in metres; both empty off the plan.
struct CursorReadout {
    std::string x; // text of the X box
    std::string y; // text of the Y box
};

// Applies a click at (x, y) in plan units, taken to the nearest whole centimetre, to the
// element of `mode`. A room click sets
// the lower-right corner 2 units beyond the click; for the bed, door, window and
// entrance a left click moves the upper-left corner keeping the size and any other
// button sets the lower-right corner. A size that would be 0 or less is left unchanged.
void PlaceClick(RoomLayout& plan, PlacingMode mode, bool leftButton, double x, double y);

// Sets the room size from the texts of the boxes beside the plan, in metres: each one number
// above 0 and at most 8.5, taken to whole centimetres. Refused, naming the box and its text,
// with the plan unchanged.
std::optional<Problem> TypeRoomSize(
    RoomLayout& plan, std::string_view widthMetres, std::string_view depthMetres);

// Sets the object centre from the texts of the boxes beside the plan, in metres: each one
// number within the plan, -0.5 to 8.5, taken to whole centimetres. Refused as TypeRoomSize.
std::optional<Problem> TypeObjectCentre(RoomLayout& plan, std::string_view xMetres, std::string_view yMetres);

// A plan length in centimetres as the boxes beside the plan show it, in metres: 599 gives "5.99".
std::string MetresText(double centimetres);

// The layout "設定終了" stores from the plan: the plan with the room's corner at the
// origin and the control-room label's text reset to "操作室".
RoomLayout TakeOver(const RoomLayout& plan);

// Where the object-centre marker is drawn: the 30 x 30 box centred on the object centre.
PlanBox CentreMarker(const RoomLayout& plan);

// The plan's grid: horizontal lines y = 0, 50, ..., 800, then vertical lines x = 0, 50,
// ..., 800, each across the whole plan; grey at multiples of 100, light grey otherwise,
// and the line y = 0 black.
std::vector<PlanGridLine> PlanGridLines();

// The read-out for the pointer at (x, y) in plan units: metres with one decimal, or both
// texts empty when the pointer is outside -50..850 on either axis.
CursorReadout ReadOutCursor(double x, double y);

} // namespace brisca
