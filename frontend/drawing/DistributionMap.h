#pragma once

#include <QImage>
#include <QPoint>

#include "logic/PatientPosition.h"
#include "logic/result/DisplayGrid.h"
#include "logic/result/ErrorShading.h"

namespace brisca {

// The map picture inside its border: 525 × 629 pixels, one pixel per centimetre, user x from
// −100 at the left edge and user y from −14 at the top edge; the phantom centre is (0, 300).
inline constexpr int MapImageWidth = 525;     // pixels
inline constexpr int MapImageHeight = 629;    // pixels
inline constexpr double MapLeft = -100.0;     // user x of the left edge
inline constexpr double MapTop = -14.0;       // user y of the top edge
inline constexpr int FirstPaintedRow = 11;    // first grid row painted
inline constexpr int LastPaintedRow = 591;    // last grid row painted
inline constexpr int LastPaintedColumn = 376; // last grid column painted (from column 1)

// The legend strip inside its border: 53 × 261 pixels over user (0, 0)–(30, 110).
inline constexpr int LegendImageWidth = 53;   // pixels
inline constexpr int LegendImageHeight = 261; // pixels

// A white map image of the picture's size.
QImage NewMapImage();

// Pixel of the map image that grid element (column i, row j) is painted on: the user point
// (i + 19, j − 1), one unit left of and above the point (i + 20, j) where the element lies.
QPoint MapPixelOfElement(int i, int j);

// Paints grid rows [firstRow, endRow) of layer `layer` (limited to the painted rows 11..591
// and columns 1..376) into the map image, each element in the map colour of its band against
// `thresholds`, or as `shading` asks (ShadedCellColour: its error band, or greyed out). The
// window paints a few rows at a time and lets events run in between, so a change of quantity
// or height applies to the rows painted after it.
void PaintMapRows(QImage& map, const DisplayGrid& grid, HeightLayer layer, const Thresholds& thresholds,
    int firstRow, int endRow, const MapShading& shading = {});

// Draws what lies over the painted rows: the 100 cm grid, the phantom symbol of the
// position (standing with the tube focus at 290 − `fsd` and the central ray) and the
// distance labels.
void PaintMapOverlays(QImage& map, PatientPosition patientPosition, double fsd);

// The legend strip: ten boxes in the legend colours of bands 1 to 10 and the eleventh in
// 200, 200, 200, each 10 user units high, over the whole image.
void PaintLegendStrip(QImage& legend);

// The error map's legend strip: seven boxes in the colours of error bands 1 to 7, each a
// seventh of the image's height, band 1 (the smallest error) at the top.
void PaintErrorLegendStrip(QImage& legend);

} // namespace brisca
