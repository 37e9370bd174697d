#pragma once

#include <string>

namespace brisca {

// Caption of the control-room label; every take-over of the editor's plan stores it.
inline constexpr const char* ControlRoomCaption = "操作室";
// Caption of the free-text label until the user enters a text.
inline constexpr const char* DefaultFreeText = "任意文字列";

// Top view of the examination room, in plan units (1 unit = 1 cm, x to the right, y
// downwards, the room's upper-left corner at the origin). The members stand in the order
// of the 28 lines of a .Room file. The initial values are the positions the layout editor
// gives its elements before the user places any, so a default layout is what the editor
// takes over when nothing was placed.
struct RoomLayout {
    float roomWidth = 600;                            // room size along x
    float roomHeight = 600;                           // room size along y
    float roomTop = 0;                                // room top edge, 0 once taken over
    float roomLeft = 0;                               // room left edge, 0 once taken over
    float bedWidth = 200;                             // bed size along x
    float bedHeight = 90;                             // bed size along y
    float bedTop = 209;                               // bed top edge
    float bedLeft = 194;                              // bed left edge
    float centreX = 300;                              // centre of the irradiated object, x
    float centreY = 250;                              // centre of the irradiated object, y
    float windowWidth = 189;                          // viewing window, size along x
    float windowHeight = 29;                          // viewing window, size along y
    float windowLeft = 266;                           // viewing window, left edge
    float windowTop = 584;                            // viewing window, top edge
    float doorWidth = 101;                            // staff door, size along x
    float doorHeight = 23;                            // staff door, size along y
    float doorLeft = 51;                              // staff door, left edge
    float doorTop = 586;                              // staff door, top edge
    float entranceWidth = 180;                        // patient entrance, size along x
    float entranceHeight = 20;                        // patient entrance, size along y
    float entranceLeft = 22;                          // patient entrance, left edge
    float entranceTop = -7;                           // patient entrance, top edge
    std::string controlRoomText = ControlRoomCaption; // text of the control-room label
    float controlRoomX = 252;                         // control-room label, left of the text
    float controlRoomY = 669;                         // control-room label, top of the text
    std::string freeText = DefaultFreeText;           // free text, one line
    float freeTextX = 640;                            // free text, left of the text
    float freeTextY = 554;                            // free text, top of the text

    // Member-wise equality, for checks that a layout came back unchanged.
    bool operator==(const RoomLayout&) const = default;
};

} // namespace brisca
