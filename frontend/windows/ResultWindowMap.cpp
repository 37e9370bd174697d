// The result window's display: its reset on opening, the map painting, the quantity and
// height choices, the cursor read-out and the way back to the main window.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/DistributionMap.h"
#include "logic/AppState.h"
#include "logic/result/CursorReadout.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

namespace brisca {

namespace {

// Rows painted between two yields: the map still grows visibly, while the time spent in the
// event loop stays a small part of the painting.
constexpr int kRowsPerYield = 8;

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

void ResultWindow::reset()
{
    ++painting_;
    paintRunning_ = false;
    positionLabel->clear();
    for (QLabel* label : conditionLabels) label->clear();
    for (QLineEdit* box : thresholdEdits) box->clear();
    for (QLineEdit* box : {cursorXEdit, cursorYEdit, cursorValueEdit}) box->clear();
    kermaMaxLabel->setText("-");
    doseMaxLabel->setText("-");
    mapView->clear();
    horizontalHair->hide();
    verticalHair->hide();
    for (QPushButton* button : {paintButton, processButton, correctionButton, layoutButton, convertButton,
             imageSaveButton, csvSaveButton})
        button->setEnabled(false);
    closeButton->setEnabled(true);
    kermaOption->setChecked(true);
    legendUnitLabel->setText("Gy/min");
    centreOption->setChecked(true);
    state_.heightLayer = HeightLayer::Centre;
    refreshFileList();
    state_.mapDrawn = false;
}

void ResultWindow::paintMap()
{
    Thresholds thresholds{};
    for (int n = 0; n < 11; ++n) thresholds[n + 1] = LeadingNumber(thresholdEdits[n]->text().toStdString());
    state_.mapThresholds = thresholds;

    // A second press during the yields would paint into the same image from the start.
    const int painting = ++painting_;
    paintRunning_ = true;
    paintButton->setEnabled(false);
    mapView->clear();
    for (int row = FirstPaintedRow; row <= LastPaintedRow; row += kRowsPerYield) {
        // Quantity and height are looked up anew, so a change during the painting applies
        // to the rows painted after it.
        const DisplayGrid& grid = kermaOption->isChecked() ? state_.kermaGrid : state_.doseGrid;
        PaintMapRows(mapView->image(), grid, state_.heightLayer, thresholds, row, row + kRowsPerYield);
        mapView->update();
        platform_.ProcessPendingEvents();
        // A reset or a new conversion has cleared the map meanwhile.
        if (painting != painting_) return;
    }
    PaintMapOverlays(mapView->image(), state_.patientPosition, state_.job.fsd);
    mapView->update();
    paintRunning_ = false;
    paintButton->setEnabled(true);

    state_.mapDrawn = true;
    painted_ = processed_;
    painted_.quantity = kermaOption->isChecked() ? Quantity::Kerma : Quantity::Dose;
    painted_.layer = state_.heightLayer;
    painted_.thresholds = thresholds;
    imageSaveButton->setEnabled(true);
    layoutButton->setEnabled(true);
    // A corrected result ("…dsrC") is not corrected again.
    const QListWidgetItem* item = resultList->currentItem();
    correctionButton->setEnabled(!(item && item->text().endsWith('C')));
}

void ResultWindow::chooseKerma()
{
    showScale(state_.kermaScale);
    legendUnitLabel->setText("Gy/min");
    readoutUnitLabel->setText("μGy/min");
    overlay_.legendUnitLabel->setText("Gy/min");
}

void ResultWindow::chooseDose()
{
    showScale(state_.doseScale);
    legendUnitLabel->setText("Sv/min");
    readoutUnitLabel->setText("μSv/min");
    overlay_.legendUnitLabel->setText("Sv/min");
}

void ResultWindow::chooseHeight(HeightLayer layer) { state_.heightLayer = layer; }

void ResultWindow::readOutAt(QPointF point)
{
    if (!state_.mapDrawn) return;
    const DisplayGrid& grid = kermaOption->isChecked() ? state_.kermaGrid : state_.doseGrid;
    const CursorReadout readout = ReadOutAt(point.x(), point.y(), grid, state_.heightLayer);
    if (!readout.inside) {
        for (QLineEdit* box : {cursorXEdit, cursorYEdit, cursorValueEdit}) box->clear();
        horizontalHair->hide();
        verticalHair->hide();
        return;
    }
    // The lines lie inside the map's sunken border, across its whole picture.
    const QPoint pixel = mapView->toPixel(point.x(), point.y());
    const int border = (mapView->width() - MapImageWidth) / 2;
    horizontalHair->setGeometry(border, border + pixel.y(), MapImageWidth, 1);
    verticalHair->setGeometry(border + pixel.x(), border, 1, MapImageHeight);
    horizontalHair->show();
    verticalHair->show();
    cursorXEdit->setText(Q(readout.x));
    cursorYEdit->setText(Q(readout.y));
    cursorValueEdit->setText(Q(readout.value));
}

void ResultWindow::closeResults()
{
    hide();
    mainWindow_.show();
}

} // namespace brisca
