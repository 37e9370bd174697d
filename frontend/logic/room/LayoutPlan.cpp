#include "logic/room/LayoutPlan.h"

#include <cmath>

#include "logic/text/Language.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// The corner and size of the rectangle that a mode places, as references into the plan.
struct RectangleFields {
    float& left;
    float& top;
    float& width;
    float& height;
};

// Sets the lower-right corner of a rectangle to (right, bottom), axis by axis, where
// that leaves it a positive size.
void SetLowerRight(const RectangleFields& rectangle, double right, double bottom)
{
    const double width = right - rectangle.left;
    const double height = bottom - rectangle.top;
    if (width > 0) rectangle.width = static_cast<float>(width);
    if (height > 0) rectangle.height = static_cast<float>(height);
}

void PlaceRectangle(const RectangleFields& rectangle, bool leftButton, double x, double y)
{
    if (leftButton) {
        rectangle.left = static_cast<float>(x);
        rectangle.top = static_cast<float>(y);
    } else {
        SetLowerRight(rectangle, x, y);
    }
}

// A length typed in metres, in whole centimetres: one number from `lowest` to `highest`
// metres (above `lowest` when `aboveLowest`), or the refusal that names the box.
Expected<float> TypedCentimetres(
    std::string_view text, const BilingualLabel& box, double lowest, double highest, bool aboveLowest)
{
    const double metres = ReadsAsNumber(text) ? LeadingNumber(text) : std::nan("");
    const double centimetres = std::round(metres * 100);
    const bool fits = aboveLowest ? metres > lowest && centimetres > lowest * 100 : metres >= lowest;
    if (fits && metres <= highest) return static_cast<float>(centimetres);
    const std::string range =
        aboveLowest ? PlainNumberText(lowest) + " より大きく " + PlainNumberText(highest) + " 以下"
                    : PlainNumberText(lowest) + " 以上 " + PlainNumberText(highest) + " 以下";
    return TranslatedProblem(std::string(" ") + box.japanese + "「" + std::string(text) + "」は " + range +
                                 " の数値（m）で入力して下さい ",
        std::string("The ") + box.english + " \"" + std::string(text) + "\" must be a number of metres " +
            (aboveLowest ? "above " : "from ") + PlainNumberText(lowest) +
            (aboveLowest ? " and at most " : " to ") + PlainNumberText(highest) + ".");
}

} // namespace

void PlaceClick(RoomLayout& plan, PlacingMode mode, bool leftButton, double x, double y)
{
    // A pixel of the plan is about 1.4 cm: whole centimetres are what the user means.
    x = std::round(x);
    y = std::round(y);
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    switch (mode) {
    case PlacingMode::ObjectCentre:
        plan.centreX = fx;
        plan.centreY = fy;
        break;
    case PlacingMode::Room:
        // Two units beyond the click, so the corner clicked stays inside the outline.
        SetLowerRight({plan.roomLeft, plan.roomTop, plan.roomWidth, plan.roomHeight}, x + 2, y + 2);
        break;
    case PlacingMode::Bed:
        PlaceRectangle({plan.bedLeft, plan.bedTop, plan.bedWidth, plan.bedHeight}, leftButton, x, y);
        break;
    case PlacingMode::StaffDoor:
        PlaceRectangle({plan.doorLeft, plan.doorTop, plan.doorWidth, plan.doorHeight}, leftButton, x, y);
        break;
    case PlacingMode::ViewingWindow:
        PlaceRectangle(
            {plan.windowLeft, plan.windowTop, plan.windowWidth, plan.windowHeight}, leftButton, x, y);
        break;
    case PlacingMode::PatientEntrance:
        PlaceRectangle(
            {plan.entranceLeft, plan.entranceTop, plan.entranceWidth, plan.entranceHeight}, leftButton, x, y);
        break;
    case PlacingMode::ControlRoomLabel:
        plan.controlRoomX = fx;
        plan.controlRoomY = fy;
        break;
    case PlacingMode::FreeTextLabel:
        plan.freeTextX = fx;
        plan.freeTextY = fy;
        break;
    case PlacingMode::None:
        break;
    }
}

std::optional<Problem> TypeRoomSize(
    RoomLayout& plan, std::string_view widthMetres, std::string_view depthMetres)
{
    const double largest = (PlanScaleLeft + PlanScaleSize) / 100;
    const Expected<float> width =
        TypedCentimetres(widthMetres, {"室の幅 X", "room width X"}, 0, largest, true);
    if (!width) return width.Failure();
    const Expected<float> depth =
        TypedCentimetres(depthMetres, {"室の奥行 Y", "room depth Y"}, 0, largest, true);
    if (!depth) return depth.Failure();
    plan.roomWidth = *width;
    plan.roomHeight = *depth;
    return std::nullopt;
}

std::optional<Problem> TypeObjectCentre(RoomLayout& plan, std::string_view xMetres, std::string_view yMetres)
{
    const double lowest = PlanScaleLeft / 100;
    const double highest = (PlanScaleLeft + PlanScaleSize) / 100;
    const Expected<float> x =
        TypedCentimetres(xMetres, {"被射体中心 X", "patient centre X"}, lowest, highest, false);
    if (!x) return x.Failure();
    const Expected<float> y =
        TypedCentimetres(yMetres, {"被射体中心 Y", "patient centre Y"}, lowest, highest, false);
    if (!y) return y.Failure();
    plan.centreX = *x;
    plan.centreY = *y;
    return std::nullopt;
}

std::string MetresText(double centimetres) { return PlainNumberText(centimetres / 100); }

RoomLayout TakeOver(const RoomLayout& plan)
{
    RoomLayout layout = plan;
    layout.roomTop = 0;
    layout.roomLeft = 0;
    layout.controlRoomText = ControlRoomCaption;
    return layout;
}

PlanBox CentreMarker(const RoomLayout& plan)
{
    const double half = CentreMarkerSize / 2;
    return {plan.centreX - half, plan.centreY - half, CentreMarkerSize, CentreMarkerSize};
}

std::vector<PlanGridLine> PlanGridLines()
{
    const PlanColour grey{128, 128, 128};
    const PlanColour lightGrey{192, 192, 192};
    const double right = PlanScaleLeft + PlanScaleSize;
    const double bottom = PlanScaleTop + PlanScaleSize;
    std::vector<PlanGridLine> lines;
    for (int k = 0; k <= 800; k += 50) {
        const PlanColour colour = k == 0 ? PlanColour{} : k % 100 == 0 ? grey : lightGrey;
        lines.push_back({PlanScaleLeft, double(k), right, double(k), colour});
    }
    for (int k = 0; k <= 800; k += 50)
        lines.push_back({double(k), PlanScaleTop, double(k), bottom, k % 100 == 0 ? grey : lightGrey});
    return lines;
}

CursorReadout ReadOutCursor(double x, double y)
{
    const bool onX = x >= PlanScaleLeft && x <= PlanScaleLeft + PlanScaleSize;
    const bool onY = y >= PlanScaleTop && y <= PlanScaleTop + PlanScaleSize;
    if (!onX || !onY) return {};
    return {FormatNumber(x * 0.01, "0.0"), FormatNumber(y * 0.01, "0.0")};
}

} // namespace brisca
