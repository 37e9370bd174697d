#pragma once

#include <QRectF>
#include <filesystem>
#include <string>
#include <vector>

#include "logic/problem/Problem.h"
#include "report/ReportInputs.h"

namespace brisca {

// The report a medical physicist files: one PDF, A4 portrait, written by Qt's own PDF writer with
// the caption font embedded. Page 1: the title block (result, date, software version, the
// result file's SHA-256), the exposure conditions of the header, the beam's quality and the
// method with its statistical uncertainty. Then the map of each height for the chosen
// quantity with its legend, unit and scale; with a room, the distribution over the plan with
// the evaluation points; with judged points, the table of their doses and the workload and
// transmission model with their sources. Sections without data are left out. Every page has
// the result's name and its number in the footer. The pictures are the windows' own
// (RenderMapView, RenderOverlayView, PaintLegendStrip).

// The pictures of a report whose place a check may want.
enum class ReportPicture {
    Map,           // the map of one height
    MapLegend,     // the legend strip of the maps
    Overlay,       // the distribution over the room plan
    OverlayLegend, // the legend strip beside it
};

// Where one picture of the report landed.
struct PlacedPicture {
    ReportPicture picture = ReportPicture::Map; // which picture
    HeightLayer layer = HeightLayer::Centre;    // its height (maps and overlay)
    int page = 1;                               // page number, from 1
    QRectF area; // on the page, in fractions of the page's width and height from its upper-left corner
};

// The report as PDF file contents; empty when the writer fails. `placed`, when given,
// receives where the pictures landed.
std::string ReportPdfBytes(const ReportInputs& inputs, std::vector<PlacedPicture>* placed = nullptr);

// Writes the report to `path` whole or not at all, through a temporary name in the same
// folder. A problem names the file.
std::optional<Problem> WriteReportPdf(const std::filesystem::path& path, const ReportInputs& inputs);

} // namespace brisca
