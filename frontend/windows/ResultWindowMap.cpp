// The result window's display: its reset on opening, the map painting, the quantity and
// height choices, the cursor read-out and the way back to the main window.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/DistributionMap.h"
#include "logic/AppState.h"
#include "logic/result/ColourBands.h"
#include "logic/result/CursorReadout.h"
#include "platform/Platform.h"
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
    // A conversion still running reports to nobody: its file is no longer on show.
    ++conversion_;
    unsetCursor();
    conversionStatusLabel_->clear();
    clearDisplay();
    state_.display.Select(std::nullopt);
    state_.display.converted.reset();
    showHeader(nullptr);
    for (QPushButton* button :
        {paintButton_, processButton_, correctionButton_, layoutButton_, convertButton_})
        button->setEnabled(false);
    closeButton_->setEnabled(true);
    state_.displayChoice.quantity = Quantity::Kerma;
    state_.displayChoice.layer = HeightLayer::Centre;
    state_.displayChoice.content = MapContent::Rates;
    showDisplayChoice();
    legendUnitLabel_->setText(LegendUnit(Quantity::Kerma));
    readoutUnitLabel_->setText(QuantityUnit(Quantity::Kerma));
    refreshFileList();
    emit displayChoiceChanged();
}

void ResultWindow::paintMap()
{
    if (const std::string refusal = state_.display.PaintingRefusal(); !refusal.empty()) {
        warn(Q(refusal));
        return;
    }
    if (const std::string refusal = state_.display.ContentRefusal(state_.displayChoice); !refusal.empty()) {
        warn(Q(refusal));
        return;
    }
    const Thresholds thresholds = state_.displayChoice.thresholds;
    if (const std::string refusal = ThresholdsRefusal(thresholds); !refusal.empty()) {
        warn(Q(refusal));
        return;
    }
    const ResultHeader header = state_.display.processed->header;

    // A second press during the yields would paint into the same image from the start.
    const int painting = ++painting_;
    paintRunning_ = true;
    paintButton_->setEnabled(false);
    mapView_->clear();
    clearReadout();
    for (int row = FirstPaintedRow; row <= LastPaintedRow; row += kRowsPerYield) {
        // Quantity, height and content are looked up anew, so a change during the painting
        // applies to the rows painted after it.
        const DisplayChoice& choice = state_.displayChoice;
        PaintMapRows(mapView_->image(), state_.display.Grid(choice.quantity), choice.layer, thresholds, row,
            row + kRowsPerYield, state_.display.Shading(choice));
        mapView_->update();
        platform_.ProcessPendingEvents();
        // A reset, a conversion or another file has cleared the map meanwhile.
        if (painting != painting_) return;
    }
    PaintMapOverlays(mapView_->image(), header.patientPosition, header.fsd);
    mapView_->update();
    paintRunning_ = false;
    paintButton_->setEnabled(true);

    DisplayChoice painted = state_.displayChoice;
    painted.thresholds = thresholds;
    state_.display.Paint(painted);
    imageSaveButton_->setEnabled(true);
    reportSaveButton_->setEnabled(true);
    layoutButton_->setEnabled(true);
    // A corrected result ("…dsrC") is not corrected again.
    correctionButton_->setEnabled(!state_.display.painted->file.name.ends_with('C'));
}

void ResultWindow::chooseQuantity(Quantity quantity)
{
    state_.displayChoice.quantity = quantity;
    showScale(state_.display.Scale(quantity));
    ShowShadingLegend(legend_, state_.displayChoice);
    readoutUnitLabel_->setText(QuantityUnit(quantity));
    clearReadout();
    emit displayChoiceChanged();
}

void ResultWindow::chooseHeight(HeightLayer layer)
{
    state_.displayChoice.layer = layer;
    clearReadout();
    emit displayChoiceChanged();
}

void ResultWindow::chooseContent(MapContent content)
{
    state_.displayChoice.content = content;
    ShowShadingLegend(legend_, state_.displayChoice);
    clearReadout();
    emit displayChoiceChanged();
}

void ResultWindow::showDisplayChoice()
{
    const DisplayChoice& choice = state_.displayChoice;
    (choice.quantity == Quantity::Kerma ? kermaOption_ : doseOption_)->setChecked(true);
    QRadioButton* height = choice.layer == HeightLayer::Above    ? aboveOption_
                           : choice.layer == HeightLayer::Centre ? centreOption_
                                                                 : belowOption_;
    height->setChecked(true);
    QRadioButton* content = choice.content == MapContent::Rates    ? ratesOption_
                            : choice.content == MapContent::Errors ? errorsOption_
                                                                   : greyOption_;
    content->setChecked(true);
    ShowShadingLegend(legend_, choice);
    clearReadout();
}

void ResultWindow::clearReadout()
{
    for (QLineEdit* box : {cursorXEdit_, cursorYEdit_, cursorValueEdit_}) box->clear();
    horizontalHair_->hide();
    verticalHair_->hide();
}

void ResultWindow::readOutAt(QPointF point)
{
    // Only over a map of the quantity and height chosen now: the value then has the unit shown
    // and is that of the colour under the cursor.
    if (!state_.display.ReadsOut(state_.displayChoice)) return;
    const DisplayChoice& choice = state_.display.painted->choice;
    // The value with its error wherever the result has an uncertainty file.
    const CursorReadout readout = ReadOutAt(point.x(), point.y(), state_.display.Grid(choice.quantity),
        choice.layer, state_.display.Errors(choice.quantity));
    if (!readout.inside) {
        clearReadout();
        return;
    }
    // The lines lie inside the map's sunken border, across its whole picture.
    const QPoint pixel = mapView_->toPixel(point.x(), point.y());
    const int border = (mapView_->width() - MapImageWidth) / 2;
    horizontalHair_->setGeometry(border, border + pixel.y(), MapImageWidth, 1);
    verticalHair_->setGeometry(border + pixel.x(), border, 1, MapImageHeight);
    horizontalHair_->show();
    verticalHair_->show();
    cursorXEdit_->setText(Q(readout.x));
    cursorYEdit_->setText(Q(readout.y));
    cursorValueEdit_->setText(Q(readout.value));
}

void ResultWindow::showCorrectedFile()
{
    refreshFileList();
    correctionButton_->setEnabled(false);
}

void ResultWindow::closeResults()
{
    hide();
    mainWindow_.show();
}

} // namespace brisca
