#include "windows/SpectrumWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "drawing/ResultPicture.h"
#include "drawing/SpectrumPlot.h"
#include "logic/AppState.h"
#include "logic/exports/SpectrumExport.h"
#include "logic/text/Language.h"
#include "windows/Controls.h"
#include "windows/ExportSave.h"
#include "windows/PictureBox.h"
#include "windows/ScreenFit.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kMargin = 12;
constexpr int kWidth = SpectrumPlotWidth + 4; // the plot's border is 2 pixels each side
constexpr int kRowHeight = 24;

} // namespace

SpectrumWindow::SpectrumWindow(const AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform)
{
    setObjectName("spectrumWindow");
    setWindowTitle(tr("スペクトル表示"));

    plotView_ = new PictureBox(this);
    plotView_->setObjectName("plotView");
    plotView_->setGeometry(kMargin, kMargin, kWidth, SpectrumPlotHeight + 4);

    // The figures under the plot, one a row: what it is on the left, value and unit on the right.
    const int rows = static_cast<int>(BeamFigures(BeamQuality{}).size());
    QGroupBox* figures = Frame(this, "figuresGroup", tr("線質と出力（空中）"), kMargin,
        kMargin + SpectrumPlotHeight + 4 + 8, kWidth, 30 + rows * kRowHeight);
    for (int row = 0; row < rows; ++row) {
        const int y = 26 + row * kRowHeight;
        QLabel* label = Caption(figures, QString(), 12, y, 430, kRowHeight);
        label->setObjectName(QString("figureLabel%1").arg(row + 1));
        figureLabels_.push_back(label);
        QLabel* value = Caption(figures, QString(), 446, y, kWidth - 446 - 14, kRowHeight);
        value->setObjectName(QString("figureValue%1").arg(row + 1));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figureValues_.push_back(value);
    }

    // A warning row, then the buttons at the bottom right.
    const int warningY = figures->geometry().bottom() + 6;
    warningLabel_ = Caption(this, QString(), kMargin, warningY, kWidth, 40);
    warningLabel_->setObjectName("warningLabel");
    warningLabel_->setWordWrap(true);
    warningLabel_->setStyleSheet("color: rgb(160, 0, 0);");
    const int buttonsY = warningY + 44;
    const int buttonsX = kMargin + kWidth - 3 * 112 + 8;
    imageSaveButton_ = Button(this, "imageSaveButton", tr("画像保存"), buttonsX, buttonsY, 104, 36);
    csvSaveButton_ = Button(this, "csvSaveButton", tr("CSV保存"), buttonsX + 112, buttonsY, 104, 36);
    closeButton_ = Button(this, "closeButton", tr("閉じる"), buttonsX + 224, buttonsY, 104, 36);
    setFixedSize(kWidth + 2 * kMargin, buttonsY + 36 + kMargin);
    connect(imageSaveButton_, &QPushButton::clicked, this, &SpectrumWindow::saveImage);
    connect(csvSaveButton_, &QPushButton::clicked, this, &SpectrumWindow::saveCsv);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::hide);
    FitOnScreen(*this, 1);
}

void SpectrumWindow::showConditions(const Expected<CalculationConditions>& conditions)
{
    conditions_ = conditions;
    stale_ = true;
    if (isVisible()) refresh();
}

void SpectrumWindow::showBeside(const QRect& beside)
{
    if (!placed_) {
        placed_ = true;
        const QRect available = screen()->availableGeometry();
        const int x = std::max(
            available.left(), std::min(beside.right() + 8, available.right() - frameGeometry().width()));
        move(x, std::max(available.top(), beside.top()));
    }
    show();
    raise();
}

void SpectrumWindow::showEvent(QShowEvent* event)
{
    if (stale_) refresh();
    QWidget::showEvent(event);
}

void SpectrumWindow::refresh()
{
    stale_ = false;
    beam_ = conditions_ ? ComputeBeamQuality(*conditions_, state_.tables)
                        : BeamOfUnreadEntries(conditions_.Failure());

    QPainter painter(&plotView_->image());
    painter.drawImage(0, 0, RenderSpectrumPlot(beam_));
    painter.end();
    plotView_->update();

    const std::vector<BeamFigure> figures = BeamFigures(beam_);
    for (std::size_t row = 0; row < figures.size(); ++row) {
        figureLabels_[row]->setText(
            Q(MessageLanguage() == Language::English ? figures[row].english : figures[row].label));
        figureValues_[row]->setText(
            Q(figures[row].value + (figures[row].unit.empty() ? "" : " " + figures[row].unit)));
    }
    const std::optional<Problem>& problem = beam_.problem ? beam_.problem : beam_.outputProblem;
    warningLabel_->setText(problem ? Q(MessageText(*problem)) : QString());
    imageSaveButton_->setEnabled(!beam_.problem);
    csvSaveButton_->setEnabled(!beam_.problem);
}

void SpectrumWindow::saveImage()
{
    SaveExport(platform_, tr("画像保存"), SpectrumExportName(beam_, ".png"), "PNG (*.png)",
        PngBytes(ComposeSpectrumPicture(beam_)));
}

void SpectrumWindow::saveCsv()
{
    SaveExport(
        platform_, tr("CSV保存"), SpectrumExportName(beam_, ".csv"), "CSV (*.csv)", SpectrumCsvText(beam_));
}

} // namespace brisca
