#include "drawing/PlanAnnotations.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "drawing/CaptionFont.h"
#include "drawing/RoomOverlay.h"
#include "drawing/UserScaleCanvas.h"
#include "logic/room/GridPlace.h"

namespace brisca {

namespace {

// The scored area and the strip around the axis in the centre system, before the drawn
// elements' half centimetre: lateral 21..400 cm, along the axis −299..300 cm.
constexpr double ScoredLateral = 400.5;
constexpr double StripLateral = 20.5;
constexpr double AlongLow = -299.5;
constexpr double AlongHigh = 300.5;
// Far enough to pass every edge of the picture.
constexpr double Far = 1e5;
constexpr double WallClearance = 5.0;

// The key block in the corner of the widest margin: the points key, two lines on the
// hatching, then the scale bar.
constexpr int KeyMargin = 12;
constexpr int KeyRowHeight = 18;
constexpr int ScaleRowHeight = 30;
constexpr int KeyBlockHeight = 3 * KeyRowHeight + ScaleRowHeight;
constexpr int SwatchWidth = 30;
constexpr int SwatchHeight = 14;
constexpr int KeyFontPixels = 13;
constexpr int MaxScalePixels = 170;
constexpr int MarkRadius = 7;

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);

// Top of the key block: above the room when it is wider than tall (the room system leaves as
// much room above as below, and labels are seldom placed there), else below it.
int KeyTop(const QImage& picture, const RoomLayout& layout)
{
    if (layout.roomWidth > layout.roomHeight) return KeyMargin;
    return picture.height() - KeyMargin - KeyBlockHeight;
}

QBrush HatchBrush() { return QBrush(NoDoseHatchColour, Qt::BDiagPattern); }

// A rectangle of the centre system in pixels, corners as the canvas rounds them.
QRect PixelRect(const UserScaleCanvas& canvas, double x1, double y1, double x2, double y2)
{
    const QPoint a = canvas.ToPixel(x1, y1);
    const QPoint b = canvas.ToPixel(x2, y2);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

void KeyText(QPainter& painter, int x, int rowTop, const QString& text)
{
    painter.setPen(Black);
    painter.drawText(QRect(x, rowTop, 800, KeyRowHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace

void HatchNoDoseAreas(QImage& picture, const RoomLayout& layout)
{
    const OverlayScale scale = CentreSystem(layout);
    const UserScaleCanvas canvas(picture, scale.left, scale.top, scale.side, scale.side);
    const bool alongX = BedLiesAlongX(layout);
    // Along the axis: row r at r − 300 cm lies at x = 300 − r for a bed along x, at y = r − 300
    // otherwise; across it, the lateral distance.
    const QRect scored = alongX ? PixelRect(canvas, -AlongHigh, -ScoredLateral, -AlongLow, ScoredLateral)
                                : PixelRect(canvas, -ScoredLateral, AlongLow, ScoredLateral, AlongHigh);
    const QRect strip = alongX ? PixelRect(canvas, -AlongHigh, -StripLateral, -AlongLow, StripLateral)
                               : PixelRect(canvas, -StripLateral, AlongLow, StripLateral, AlongHigh);
    QPainterPath outside;
    outside.addRect(PixelRect(canvas, -Far, -Far, Far, Far));
    QPainterPath inside;
    inside.addRect(scored);
    QPainterPath hatched = outside.subtracted(inside);
    QPainterPath axis;
    axis.addRect(strip);
    hatched = hatched.united(axis);

    const QRect room = PixelRect(canvas, layout.roomLeft - layout.centreX + WallClearance,
        layout.roomTop - layout.centreY + WallClearance,
        layout.roomLeft + layout.roomWidth - layout.centreX - WallClearance,
        layout.roomTop + layout.roomHeight - layout.centreY - WallClearance);
    QPainter painter(&picture);
    painter.setClipRect(room);
    painter.fillPath(hatched, HatchBrush());
}

void DrawScaleAndKey(QImage& picture, const RoomLayout& layout)
{
    const OverlayScale scale = RoomSystem(layout);
    const double pixelsPerMetre = 100.0 * picture.width() / scale.side;
    double metres = 0.5;
    for (const double candidate : {1.0, 2.0, 5.0, 10.0})
        if (candidate * pixelsPerMetre <= MaxScalePixels) metres = candidate;

    QPainter painter(&picture);
    painter.setFont(CaptionFont(KeyFontPixels));
    const int top = KeyTop(picture, layout);

    // The key to the hatching, its swatch framed like a legend box.
    const int hatchTop = top + KeyRowHeight;
    const QRect swatch(KeyMargin, hatchTop + (KeyRowHeight - SwatchHeight) / 2, SwatchWidth, SwatchHeight);
    painter.fillRect(swatch, White);
    painter.fillRect(swatch, HatchBrush());
    painter.setPen(Black);
    painter.drawRect(swatch);
    const int textLeft = KeyMargin + SwatchWidth + 8;
    KeyText(painter, textLeft, hatchTop,
        QString::fromUtf8("線量の計算範囲外: 患者の軸から 20 cm 以内と、横 400 cm・軸方向 300 cm より先"));
    KeyText(painter, textLeft, hatchTop + KeyRowHeight,
        "[hatched: no dose scored, within 20 cm of the axis or beyond 400 cm across, 300 cm along it]");

    // The bar with a tick at every metre (every 5 m on the 10 m bar), its length below it.
    const int barTop = top + 3 * KeyRowHeight + 8;
    const int length = static_cast<int>(std::lround(metres * pixelsPerMetre));
    painter.setPen(QPen(Black, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(KeyMargin, barTop, KeyMargin + length, barTop);
    const double step = metres >= 10 ? 5 : metres >= 1 ? 1 : metres;
    for (double m = 0; m <= metres; m += step) {
        const int x = KeyMargin + static_cast<int>(std::lround(m * pixelsPerMetre));
        painter.drawLine(x, barTop - 6, x, barTop);
    }
    painter.setPen(Black);
    const int labelTop = barTop + 4;
    painter.drawText(QRect(KeyMargin - 10, labelTop, 20, KeyRowHeight), Qt::AlignCenter, "0");
    painter.drawText(QRect(KeyMargin + length - 30, labelTop, 60, KeyRowHeight), Qt::AlignCenter,
        QString("%1 m").arg(metres));
}

std::vector<PointMark> PointMarksOf(
    const std::vector<EvaluationPoint>& points, const std::vector<PointDose>& doses)
{
    std::vector<PointMark> marks;
    for (std::size_t n = 0; n < points.size(); ++n) {
        PointMarkState state = PointMarkState::NotEvaluated;
        if (n < doses.size())
            state = doses[n].status == DoseStatus::Pass   ? PointMarkState::Pass
                    : doses[n].status == DoseStatus::Fail ? PointMarkState::Fail
                                                          : PointMarkState::NoDose;
        marks.push_back({points[n].name, points[n].xCm, points[n].yCm, state});
    }
    return marks;
}

QColor PointMarkColour(PointMarkState state)
{
    switch (state) {
    case PointMarkState::Pass:
        return QColor(0, 150, 0);
    case PointMarkState::Fail:
        return QColor(220, 0, 0);
    case PointMarkState::NoDose:
        return QColor(128, 128, 128);
    case PointMarkState::NotEvaluated:
        break;
    }
    return Black;
}

void DrawPointMarks(QImage& picture, const RoomLayout& layout, const std::vector<PointMark>& marks)
{
    if (marks.empty()) return;
    const OverlayScale scale = RoomSystem(layout);
    const UserScaleCanvas canvas(picture, scale.left, scale.top, scale.side, scale.side);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = CaptionFont(KeyFontPixels, true);
    painter.setFont(font);

    // A white disc in a thick ring, a cross inside for a failing point; the name on a white
    // ground to the right, or to the left where it would leave the picture.
    const auto drawMark = [&painter](QPoint at, PointMarkState state) {
        const QColor colour = PointMarkColour(state);
        painter.setPen(QPen(colour, 3));
        painter.setBrush(White);
        painter.drawEllipse(at, MarkRadius, MarkRadius);
        if (state == PointMarkState::Fail) {
            painter.setPen(QPen(colour, 2));
            const int d = MarkRadius - 3;
            painter.drawLine(at + QPoint(-d, -d), at + QPoint(d, d));
            painter.drawLine(at + QPoint(-d, d), at + QPoint(d, -d));
        }
    };
    for (const PointMark& mark : marks) {
        const QPoint at = canvas.ToPixel(mark.xCm, mark.yCm);
        drawMark(at, mark.state);
        if (mark.name.empty()) continue;
        const QString name = QString::fromStdString(mark.name);
        QRect box = painter.fontMetrics().boundingRect(name).adjusted(-3, -1, 3, 1);
        box.moveTo(at.x() + MarkRadius + 4, at.y() - box.height() / 2);
        if (box.right() >= picture.width()) box.moveRight(at.x() - MarkRadius - 4);
        painter.fillRect(box, White);
        painter.setPen(Black);
        painter.drawText(box, Qt::AlignCenter, name);
    }

    // The key: one mark per state with its words.
    painter.setFont(CaptionFont(KeyFontPixels));
    const int top = KeyTop(picture, layout);
    const std::array<std::pair<PointMarkState, const char*>, 4> states = {{
        {PointMarkState::Pass, "限度以下 [pass]"},
        {PointMarkState::Fail, "限度超過 [fail]"},
        {PointMarkState::NoDose, "線量なし [no dose]"},
        {PointMarkState::NotEvaluated, "未評価 [not evaluated]"},
    }};
    int x = KeyMargin + MarkRadius + 2;
    for (const auto& [state, words] : states) {
        drawMark(QPoint(x, top + KeyRowHeight / 2), state);
        const QString text = QString::fromUtf8(words);
        KeyText(painter, x + MarkRadius + 6, top, text);
        x += MarkRadius + 6 + painter.fontMetrics().horizontalAdvance(text) + 24;
    }
}

} // namespace brisca
