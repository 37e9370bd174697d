#pragma once

#include "refiner/grids.h"

#include <array>

namespace refiner {

// Coarse rates are in Gy/min and Sv/min; the display wants µGy/min and µSv/min.
inline constexpr float kMicroPerUnit = 1000000.0f;
// Lateral positions the lateral pass fills: 20 to 400 cm.
inline constexpr int kInnerLateral = 381;

// One end of an interpolation interval: a rate in display units and, where it is positive,
// its natural logarithm.
struct Node {
    float value;    // rate, µGy/min or µSv/min
    float logValue; // ln(value); meaningful only when positive
    bool positive;  // value > 0, so that the logarithm exists
};

// Node of a rate already in display units.
Node MakeNode(float microValue);

// The point at fraction f (0 to 1) of the way from a to b: linear in the logarithm when both
// ends are positive, linear in the value itself when either end is zero or negative.
Node Interpolate(const Node& a, const Node& b, float f);

// Fraction of the way across a 10 cm interval at fine step t, formed in single precision.
inline float StepFraction(int t) { return static_cast<float>(t) * 0.1f; }

// Working space of the lateral pass: every coarse beam-axis row refined to lateral 20..400 cm.
struct LateralPass {
    std::array<std::array<Node, kInnerLateral>, kCoarseBeam> rows;
};

// Refines one quantity at one height: along the lateral axis, then along the beam axis, and
// fills the cells beyond the coarse grid (lateral 401 cm, beam axis +301 cm) from their
// nearest neighbour inside it. Negative coarse rates count as zero. Allocates nothing;
// scratch is overwritten.
void RefineLayer(const CoarseLayer& coarse, FineLayer& fine, LateralPass& scratch);

// Refines both quantities at every height.
void RefineResult(const CoarseResult& coarse, FineResult& fine, LateralPass& scratch);

} // namespace refiner
