#include "drawing/ResultPicture.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>

#include "drawing/CaptionFont.h"
#include "drawing/DistributionMap.h"
#include "drawing/RoomOverlay.h"
#include "logic/exports/ErrorExport.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kMargin = 16;         // between the view and the panel, and around the panel's text
constexpr int kLineHeight = 20;     // one line of the conditions
constexpr int kThresholdWidth = 70; // threshold texts, right-aligned beside the legend boxes

constexpr int kGreyBoxGap = 6;                         // between the thresholds' strip and the grey box
constexpr int kGreyBoxHeight = LegendImageHeight / 11; // the grey box, as high as a box of the strip

// Draws the legend strip with threshold n beside box n; returns the y below it.
int DrawLegend(QPainter& painter, int x, int y, const Thresholds& thresholds)
{
    QImage strip(LegendImageWidth, LegendImageHeight, QImage::Format_RGB32);
    PaintLegendStrip(strip);
    painter.drawImage(x, y, strip);
    painter.setFont(CaptionFont(14));
    for (int n = 1; n <= 11; ++n) {
        const int top = y + LegendImageHeight * (n - 1) / 11;
        const int bottom = y + LegendImageHeight * n / 11;
        const QRect box(x + LegendImageWidth + 4, top, kThresholdWidth, bottom - top);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, Q(PlainNumberText(thresholds[n])));
        painter.drawText(box.translated(kThresholdWidth + 4, 0), Qt::AlignLeft | Qt::AlignVCenter, "～");
    }
    return y + LegendImageHeight;
}

// Draws the error bands' strip with each band's range beside its box; returns the y below it.
int DrawErrorLegend(QPainter& painter, int x, int y, int width)
{
    QImage strip(LegendImageWidth, LegendImageHeight, QImage::Format_RGB32);
    PaintErrorLegendStrip(strip);
    painter.drawImage(x, y, strip);
    painter.setFont(CaptionFont(14));
    for (int band = 1; band <= ErrorBandCount; ++band) {
        const int top = y + LegendImageHeight * (band - 1) / ErrorBandCount;
        const int bottom = y + LegendImageHeight * band / ErrorBandCount;
        const QRect box(x + LegendImageWidth + 8, top, width - LegendImageWidth - 8, bottom - top);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(ErrorBandLabel(band)));
    }
    return y + LegendImageHeight;
}

// Draws the grey box of the grey-out with its limit beside it; returns the y below it.
int DrawGreyOutKey(QPainter& painter, int x, int y, int width, double limitPercent)
{
    const int top = y + kGreyBoxGap;
    const Rgb grey = GreyedOutColour;
    painter.fillRect(QRect(x, top, LegendImageWidth, kGreyBoxHeight), QColor(grey.r, grey.g, grey.b));
    painter.setFont(CaptionFont(14));
    painter.drawText(QRect(x + LegendImageWidth + 8, top, width - LegendImageWidth - 8, kGreyBoxHeight),
        Qt::AlignLeft | Qt::AlignVCenter, Q(GreyOutKeyText(limitPercent)));
    return top + kGreyBoxHeight;
}

// Height of the legend a caption has: the strip, and the grey box below it when greyed out.
int LegendHeight(const MapShading& shading)
{
    const bool greyBox = !shading.showErrors && shading.greyAbovePercent;
    return LegendImageHeight + (greyBox ? kGreyBoxGap + kGreyBoxHeight : 0);
}

} // namespace

PictureCaption CaptionOf(const ResultFile& file, const DisplayChoice& choice)
{
    PictureCaption caption{
        file.name, choice.quantity, choice.layer, choice.thresholds, ConditionLines(file.header)};
    caption.shading.showErrors = choice.content == MapContent::Errors;
    if (choice.content == MapContent::GreyedRates) caption.shading.greyAbovePercent = choice.greyAbovePercent;
    return caption;
}

QImage ComposeResultPicture(const QImage& view, const PictureCaption& caption)
{
    const int x = view.width() + kMargin;
    const int conditionsTop = 12 + 28 + 24 + 24 + LegendHeight(caption.shading) + kMargin;
    const int height = std::max(
        view.height(), conditionsTop + kLineHeight * static_cast<int>(caption.conditions.size()) + 8);
    QImage picture(view.width() + kMargin + CaptionPanelWidth, height, QImage::Format_RGB32);
    picture.fill(Qt::white);

    QPainter painter(&picture);
    painter.drawImage(0, 0, view);
    painter.setPen(Qt::black);
    const int width = CaptionPanelWidth - kMargin;
    int y = 12;
    painter.setFont(CaptionFont(17, true));
    painter.drawText(QRect(x, y, width, 26), Qt::AlignLeft | Qt::AlignVCenter, Q(caption.resultName));
    y += 28;
    painter.setFont(CaptionFont(14));
    painter.drawText(QRect(x, y, width, 22), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(QuantityCaption(caption.quantity)) + "  " +
            QString::fromUtf8(HeightCaption(caption.layer)));
    y += 24;
    const MapShading& shading = caption.shading;
    painter.drawText(QRect(x, y, width, 22), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(shading.showErrors ? ErrorUnitText : QuantityUnit(caption.quantity)));
    y += 24;
    if (shading.showErrors) {
        y = DrawErrorLegend(painter, x, y, width);
    } else {
        y = DrawLegend(painter, x, y, caption.thresholds);
        if (shading.greyAbovePercent) y = DrawGreyOutKey(painter, x, y, width, *shading.greyAbovePercent);
    }
    y += kMargin;
    for (const std::string& line : caption.conditions) {
        painter.drawText(QRect(x, y, width, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter, Q(line));
        y += kLineHeight;
    }
    return picture;
}

QImage RenderMapView(const DisplayGrid& grid, HeightLayer layer, const Thresholds& thresholds,
    PatientPosition patientPosition, double fsd, const MapShading& shading)
{
    QImage map = NewMapImage();
    PaintMapRows(map, grid, layer, thresholds, FirstPaintedRow, LastPaintedRow + 1, shading);
    PaintMapOverlays(map, patientPosition, fsd);
    return map;
}

QImage RenderOverlayView(const RoomLayout& layout, const DisplayGrid& grid, HeightLayer layer,
    const Thresholds& thresholds, bool bothSides, PatientPosition patientPosition, double fsd,
    const std::vector<PointMark>& marks, const MapShading& shading)
{
    QImage picture(OverlayImageSide, OverlayImageSide, QImage::Format_RGB32);
    OverlayInputs inputs{layout, patientPosition, fsd, {}, {}};
    inputs.row = [&] { return OverlayRow{grid, layer, thresholds, bothSides, shading}; };
    DrawRoomOverlay(picture, inputs);
    DrawPointMarks(picture, layout, marks);
    return picture;
}

std::string PngBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return {};
    return bytes.toStdString();
}

} // namespace brisca
