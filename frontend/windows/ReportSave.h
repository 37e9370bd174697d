#pragma once

#include <optional>

#include "logic/exports/PictureNames.h"
#include "logic/result/DisplayGrid.h"
#include "report/ReportInputs.h"

namespace brisca {

class Platform;
struct ResultDisplayState;
struct ResultFile;

// "報告書保存" of the result window and the overlay: fills the report of `file`, whose processed
// grids `display` holds, as brisca-map fills it for the same result file, the uncertainty file
// beside it, the shipped tables of the working folder, the quantity, the legend and the room
// (none from the result window); then asks where to save it, proposing "<result>_report.pdf",
// and writes it whole. What keeps the report from being made, or written, is shown as a
// warning. True when the file was written.
bool SaveReport(Platform& platform, const ResultDisplayState& display, const ResultFile& file,
    Quantity quantity, const Thresholds& thresholds, std::optional<ReportRoom> room);

} // namespace brisca
