#pragma once

#include <iosfwd>
#include <vector>

#include "commandline/MapOptions.h"
#include "logic/result/DataProcessing.h"
#include "logic/result/ResultHeader.h"
#include "logic/room/EvaluationPoint.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// Writes the report that a .pdf --out asks for, once RunMapCommand has read the result
// (`header`, refined into `processed`), the legend `thresholds`, the room `layout` (null
// without --room) and the points: gathers the result's facts with the shipped tables of the
// working folder when they are there, works out the points' doses with their uncertainties,
// and writes the PDF whole or not at all. What was done goes to `out`, warnings and what went
// wrong to `errors`. Returns brisca-map's exit status.
int WriteMapReport(const MapOptions& options, const ResultHeader& header, const ProcessedResult& processed,
    const Thresholds& thresholds, const RoomLayout* layout, const std::vector<EvaluationPoint>& points,
    std::ostream& out, std::ostream& errors);

} // namespace brisca
