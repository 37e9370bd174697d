#pragma once

#include <QFont>
#include <QImage>
#include <string>
#include <vector>

#include "drawing/CaptionFont.h"
#include "drawing/PlanAnnotations.h"
#include "logic/PatientPosition.h"
#include "logic/exports/PictureNames.h"
#include "logic/result/DisplayGrid.h"
#include "logic/result/ErrorShading.h"
#include "logic/result/ResultDisplayState.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// What a saved picture says beside the map or overlay.
struct PictureCaption {
    std::string resultName;                  // result file name, the picture's title
    Quantity quantity = Quantity::Kerma;     // the dose rate shown, with its unit
    HeightLayer layer = HeightLayer::Centre; // the height shown
    Thresholds thresholds{};                 // legend thresholds 1..11 the view was drawn with
    std::vector<std::string> conditions;     // the result's conditions, one line each
    MapShading shading = {}; // how the view was shaded, for its legend (the errors are not read)
};

// The caption of a picture of `file` that shows `choice`: its name, conditions and choice, with
// the legend of the errors or of the grey-out when the choice shows them.
PictureCaption CaptionOf(const ResultFile& file, const DisplayChoice& choice);

// Width of the panel beside the view that holds the caption.
inline constexpr int CaptionPanelWidth = 360;

// The picture that "画像保存" and brisca-map write: the view on the left, and beside it the
// title, the quantity with its height, the unit, the legend strip with its thresholds and the
// conditions, on white. One function for both, so that both give the same pixels. A view of
// the relative errors has the error unit and the error bands' strip with their labels; a view
// greyed out above a limit has the grey box with the limit below the thresholds' strip.
QImage ComposeResultPicture(const QImage& view, const PictureCaption& caption);

// The result window's map of one layer of `grid`, painted whole: rows (shaded as `shading`
// asks), grid, phantom symbol (standing ones with the tube at `fsd`) and labels.
QImage RenderMapView(const DisplayGrid& grid, HeightLayer layer, const Thresholds& thresholds,
    PatientPosition patientPosition, double fsd, const MapShading& shading = {});

// The overlay window's plan picture: the distribution of one layer over `layout` (shaded as
// `shading` asks), with the evaluation points marked on top.
QImage RenderOverlayView(const RoomLayout& layout, const DisplayGrid& grid, HeightLayer layer,
    const Thresholds& thresholds, bool bothSides, PatientPosition patientPosition, double fsd,
    const std::vector<PointMark>& marks = {}, const MapShading& shading = {});

// The picture as PNG file contents; empty when it cannot be encoded.
std::string PngBytes(const QImage& picture);

} // namespace brisca
