#pragma once

#include <array>
#include <string_view>

namespace engine {

// The photon coordinate that the scoring heights are measured along; the beam-axis
// positions of the grid run along the other of y and z.
enum class HeightAxis {
    Y, // heights along the phantom's long axis (standing patient, horizontal beam)
    Z, // heights along the beam axis (supine patient, vertical beam)
};

// What differs between the engines built on this library: the console banner's position
// line, the geometry code of the result file and how the scoring grid lies around the phantom.
struct EngineGeometry {
    std::string_view positionLine; // banner line naming the patient position
    std::string_view geometryCode; // result record 1, e.g. "  2"
    HeightAxis heightAxis;         // coordinate that the three scoring heights are values of
    std::array<float, 3> heights;  // scoring heights in the order their blocks are written, cm
};

// Standing patient, horizontal beam: heights are values of y, blocks -50, 0, +50 cm.
inline constexpr EngineGeometry kStandingGeometry{
    "              立位（Ｘ線：水平方向）", "  2", HeightAxis::Y, {-50.0f, 0.0f, 50.0f}};

// Supine patient on the couch, beam vertical from a tube under the couch travelling up (+z):
// heights are values of z, blocks +50, 0, -50 cm, so the first block is the plane above the
// patient and the last the plane below, on the tube side.
inline constexpr EngineGeometry kSupineGeometry{
    "              臥位（Ｘ線：垂直方向）", "  1", HeightAxis::Z, {50.0f, 0.0f, -50.0f}};

} // namespace engine
