#include "windows/ShadingLegend.h"

#include <QCoreApplication>
#include <QLabel>
#include <filesystem>

#include "drawing/DistributionMap.h"
#include "logic/exports/ErrorExport.h"
#include "logic/result/ErrorGrids.h"
#include "windows/Controls.h"
#include "windows/PictureBox.h"

namespace brisca {

namespace {

// ErrorBandLabel(NotScoredBand), marked for translation.
const char* const kNotScoredLabel = QT_TRANSLATE_NOOP("ShadingLegend", "未計数 [not scored]");

} // namespace

ShadingLegend MakeShadingLegend(QWidget* parent, PictureBox* strip, QLabel* unit, QRect labels, QRect greyKey)
{
    ShadingLegend legend;
    legend.strip = strip;
    legend.unit = unit;
    // Each label is centred on its band, a seventh of the strip.
    for (int band = 1; band <= ErrorBandCount; ++band) {
        const int top = labels.top() + labels.height() * (band - 1) / ErrorBandCount;
        const int bottom = labels.top() + labels.height() * band / ErrorBandCount;
        // The pictures keep the label of the logic; the window shows it in the interface's language.
        const QString text = band == NotScoredBand
                                 ? QCoreApplication::translate("ShadingLegend", kNotScoredLabel)
                                 : QString::fromUtf8(ErrorBandLabel(band));
        QLabel* label = Caption(parent, text, labels.left(), top, labels.width(), bottom - top);
        label->setObjectName(QString("errorBandLabel%1").arg(band));
        label->hide();
        legend.bandLabels[static_cast<std::size_t>(band - 1)] = label;
    }
    const Rgb grey = GreyedOutColour;
    legend.greyBox =
        Caption(parent, QString(), greyKey.left(), greyKey.top(), strip->width(), greyKey.height());
    legend.greyBox->setObjectName("greyKeyBox");
    legend.greyBox->setStyleSheet(
        QString("background: rgb(%1, %2, %3);").arg(grey.r).arg(grey.g).arg(grey.b));
    legend.greyBox->hide();
    const int textLeft = greyKey.left() + strip->width() + 6;
    legend.greyText =
        Caption(parent, QString(), textLeft, greyKey.top(), greyKey.right() - textLeft, greyKey.height());
    legend.greyText->setObjectName("greyKeyLabel");
    legend.greyText->setWordWrap(true);
    legend.greyText->hide();
    return legend;
}

void ShowShadingLegend(ShadingLegend& legend, const DisplayChoice& choice)
{
    const bool errors = choice.content == MapContent::Errors;
    if (errors)
        PaintErrorLegendStrip(legend.strip->image());
    else
        PaintLegendStrip(legend.strip->image());
    legend.strip->update();
    // The window has room for the short unit line; its tip holds the saved picture's whole line.
    legend.unit->setText(errors ? QCoreApplication::translate("ShadingLegend", "相対標準誤差 %")
                                : QString(LegendUnit(choice.quantity)));
    legend.unit->setToolTip(errors ? QString::fromUtf8(ErrorUnitText) : QString());
    for (QLabel* label : legend.bandLabels) label->setVisible(errors);
    for (QWidget* control : legend.rateControls) control->setVisible(!errors);
    const bool greyed = choice.content == MapContent::GreyedRates;
    legend.greyBox->setVisible(greyed);
    legend.greyText->setVisible(greyed);
    legend.greyText->setText(
        greyed ? QString::fromStdString(GreyOutKeyText(choice.greyAbovePercent)) : QString());
}

void ShowUncertaintyNote(QLabel* note, const ResultErrors* errors)
{
    if (!errors) {
        note->clear();
        note->setToolTip(QString());
        return;
    }
    const QString name = QString::fromStdString(std::filesystem::path(errors->fileName).filename().string());
    const char* text =
        errors->source == UncertaintySource::Read
            ? QT_TRANSLATE_NOOP("ShadingLegend", "不確かさ (相対標準誤差) は %1 から")
        : errors->source == UncertaintySource::Missing
            ? QT_TRANSLATE_NOOP("ShadingLegend", "不確かさファイル %1 がありません: 値だけを表示します")
            : QT_TRANSLATE_NOOP("ShadingLegend", "不確かさファイル %1 を読めません: 値だけを表示します");
    note->setText(QCoreApplication::translate("ShadingLegend", text).arg(name));
    note->setToolTip(errors->problem ? QString::fromStdString(MessageText(*errors->problem)) : QString());
}

} // namespace brisca
