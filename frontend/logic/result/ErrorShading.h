#pragma once

#include <array>
#include <optional>

#include "logic/result/ColourBands.h"
#include "logic/result/DisplayGrid.h"

namespace brisca {

// How the relative errors of a result colour its map: a map of the errors themselves in six
// fixed bands, or the ordinary map of the rates with the cells too uncertain to trust greyed.

// Number of bands of the error map: six of the relative error and one for the cells that have
// no estimate.
inline constexpr int ErrorBandCount = 7;
// The band of a cell without an estimate.
inline constexpr int NotScoredBand = 7;
// Lower edges, in percent, of error bands 2 to 6; band 1 holds what lies below the first.
inline constexpr std::array<double, 5> ErrorBandEdges = {2.0, 5.0, 10.0, 20.0, 50.0};

// Band 1..6 of a relative error in percent: < 2, 2–5, 5–10, 10–20, 20–50, 50 and above, each
// band holding its lower edge; NotScoredBand for NaN (no estimate).
int ErrorBand(double percent);

// Colour of error band 1..7: pale yellow through orange to dark red as the error grows, of
// steadily falling lightness so that the order reads without colour vision; a neutral grey
// for the cells without an estimate.
Rgb ErrorBandColour(int band);

// Text beside the legend box of error band 1..7: "< 2", "2–5", …, "≥ 50", and
// "未計数 [not scored]".
const char* ErrorBandLabel(int band);

// Colour of the cells of the ordinary map whose error exceeds the chosen limit: a dark neutral
// grey, unlike every band of the rates' legend and the no-estimate grey of the error map.
inline constexpr Rgb GreyedOutColour{64, 64, 64};

// What the cells of a map are coloured by. The default is the ordinary map of the rates.
struct MapShading {
    // Relative errors of the quantity shown, % (ResultErrors); none: no cell has an estimate.
    const DisplayGrid* errors = nullptr;
    // Colour every cell by its error band; the rates and the thresholds are then unused.
    bool showErrors = false;
    // With the rates: grey every cell whose error exceeds this, or that has no estimate.
    std::optional<double> greyAbovePercent = std::nullopt;
};

// Colour of cell (column c, row r) of layer `layer`: its error band's colour when the shading
// shows the errors; else GreyedOutColour when it greys out and the cell's error exceeds the
// limit or is unknown; else the map colour of the rate's band against `thresholds`.
Rgb ShadedCellColour(const DisplayGrid& rates, const Thresholds& thresholds, const MapShading& shading,
    HeightLayer layer, int c, int r);

} // namespace brisca
