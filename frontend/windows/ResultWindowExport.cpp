// The result window's exports: the painted map as a picture, the processed grids as CSV and the
// report of the map on show as PDF.
#include "drawing/ResultPicture.h"
#include "logic/AppState.h"
#include "logic/exports/ErrorExport.h"
#include "logic/exports/GridCsv.h"
#include "windows/ExportSave.h"
#include "windows/PictureBox.h"
#include "windows/ReportSave.h"
#include "windows/ResultWindow.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

void ResultWindow::saveImage()
{
    // The button is enabled only while a map is on show.
    if (!state_.display.painted) return;
    const PaintedMap& painted = *state_.display.painted;
    const DisplayChoice& choice = painted.choice;
    const std::string name =
        choice.content == MapContent::Errors
            ? ErrorExportFileName(painted.file.name, choice.quantity, choice.layer, false, ".png")
            : ExportFileName(painted.file.name, choice.quantity, choice.layer, false, ".png");
    SaveExport(platform_, tr("画像保存"), name, "PNG (*.png)",
        PngBytes(ComposeResultPicture(mapView_->image(), CaptionOf(painted.file, painted.choice))));
}

void ResultWindow::saveCsv()
{
    // The button is enabled only while processed grids belong to the file on show.
    if (!state_.display.processed) return;
    const ResultFile& file = *state_.display.processed;
    const DisplayChoice& choice = state_.displayChoice;
    if (choice.content == MapContent::Errors) {
        // The errors on the rates' layout, as brisca-map writes them.
        const DisplayGrid* errors = state_.display.Errors(choice.quantity);
        if (!errors) {
            warn(Q(state_.display.ContentRefusal(choice)));
            return;
        }
        SaveExport(platform_, tr("CSV保存"),
            ErrorExportFileName(file.name, choice.quantity, choice.layer, false, ".csv"), "CSV (*.csv)",
            GridCsvText(*errors, choice.layer,
                ErrorCsvComments(file.name, choice.quantity, choice.layer, ConditionLines(file.header))));
        return;
    }
    const auto comments = CsvComments(file.name, choice.quantity, choice.layer, ConditionLines(file.header));
    SaveExport(platform_, tr("CSV保存"),
        ExportFileName(file.name, choice.quantity, choice.layer, false, ".csv"), "CSV (*.csv)",
        GridCsvText(state_.display.Grid(choice.quantity), choice.layer, comments));
}

void ResultWindow::saveReport()
{
    // The button is enabled only while a map is on show; the report's maps are drawn as it was
    // painted, and without a room.
    if (!state_.display.painted) return;
    const PaintedMap& painted = *state_.display.painted;
    SaveReport(platform_, state_.display, painted.file, painted.choice.quantity, painted.choice.thresholds,
        std::nullopt);
}

} // namespace brisca
