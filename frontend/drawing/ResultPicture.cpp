#include "drawing/ResultPicture.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>

#include "drawing/CaptionFont.h"
#include "drawing/DistributionMap.h"
#include "drawing/RoomOverlay.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kMargin = 16;         // between the view and the panel, and around the panel's text
constexpr int kLineHeight = 20;     // one line of the conditions
constexpr int kThresholdWidth = 70; // threshold texts, right-aligned beside the legend boxes

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

} // namespace

PictureCaption CaptionOf(const ResultFile& file, const DisplayChoice& choice)
{
    return {file.name, choice.quantity, choice.layer, choice.thresholds, ConditionLines(file.header)};
}

QImage ComposeResultPicture(const QImage& view, const PictureCaption& caption)
{
    const int x = view.width() + kMargin;
    const int conditionsTop = 12 + 28 + 24 + 24 + LegendImageHeight + kMargin;
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
    painter.drawText(QRect(x, y, width, 22), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(QuantityUnit(caption.quantity)));
    y += 24;
    y = DrawLegend(painter, x, y, caption.thresholds) + kMargin;
    for (const std::string& line : caption.conditions) {
        painter.drawText(QRect(x, y, width, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter, Q(line));
        y += kLineHeight;
    }
    return picture;
}

QImage RenderMapView(const DisplayGrid& grid, HeightLayer layer, const Thresholds& thresholds,
    PatientPosition patientPosition, double fsd)
{
    QImage map = NewMapImage();
    PaintMapRows(map, grid, layer, thresholds, FirstPaintedRow, LastPaintedRow + 1);
    PaintMapOverlays(map, patientPosition, fsd);
    return map;
}

QImage RenderOverlayView(const RoomLayout& layout, const DisplayGrid& grid, HeightLayer layer,
    const Thresholds& thresholds, bool bothSides, PatientPosition patientPosition, double fsd,
    const std::vector<PointMark>& marks)
{
    QImage picture(OverlayImageSide, OverlayImageSide, QImage::Format_RGB32);
    OverlayInputs inputs{layout, patientPosition, fsd, {}, {}};
    inputs.row = [&] { return OverlayRow{grid, layer, thresholds, bothSides}; };
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
