// The result window's exports: the painted map as a picture and the display grid as CSV.
#include <QRadioButton>

#include "drawing/ResultPicture.h"
#include "logic/AppState.h"
#include "logic/exports/GridCsv.h"
#include "logic/exports/PictureNames.h"
#include "windows/ExportSave.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

namespace brisca {

void ResultWindow::saveImage()
{
    const std::string name =
        ExportFileName(painted_.resultName, painted_.quantity, painted_.layer, false, ".png");
    SaveExport(platform_, "画像保存", name, "PNG (*.png)",
        PngBytes(ComposeResultPicture(mapView->image(), painted_)));
}

void ResultWindow::saveCsv()
{
    const Quantity quantity = kermaOption->isChecked() ? Quantity::Kerma : Quantity::Dose;
    const HeightLayer layer = state_.heightLayer;
    const auto comments = CsvComments(processed_.resultName, quantity, layer, processed_.conditions);
    const DisplayGrid& grid = quantity == Quantity::Kerma ? state_.kermaGrid : state_.doseGrid;
    SaveExport(platform_, "CSV保存", ExportFileName(processed_.resultName, quantity, layer, false, ".csv"),
        "CSV (*.csv)", GridCsvText(grid, layer, comments));
}

} // namespace brisca
