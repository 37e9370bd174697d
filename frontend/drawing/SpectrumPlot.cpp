#include "drawing/SpectrumPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "drawing/ResultPicture.h"
#include "logic/exports/SpectrumExport.h"
#include "logic/text/Language.h"
#include "logic/text/NumberText.h"
#include "physics/thick_target.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The plot frame inside the image.
constexpr int kLeft = 84;
constexpr int kRight = SpectrumPlotWidth - 24;
constexpr int kTop = 70;
constexpr int kBottom = SpectrumPlotHeight - 62;
// Relative fluence at the top of the frame: room above the highest slot for the line names.
constexpr double kTopFluence = 1.12;
// Width of the figure panel beside the plot in the saved picture.
constexpr int kPanelWidth = 470;

// The plot's coordinates: photon energy in keV across, relative fluence up.
struct PlotScale {
    double maxKeV;
    double X(double keV) const { return kLeft + (kRight - kLeft) * keV / maxKeV; }
    double Y(double fluence) const { return kBottom - (kBottom - kTop) * fluence / kTopFluence; }
};

// Conditions on one line: voltage and waveform, target angle, the three filtrations; empty
// when the entries did not read.
QString ConditionsLine(const BeamQuality& beam)
{
    if (!beam.conditions) return {};
    const CalculationConditions& c = *beam.conditions;
    const std::string filters = PlainNumberText(c.inherentFiltrationMmAl) + " mmAl + Al " +
                                PlainNumberText(c.addedAluminiumMm) + " mm + Cu " +
                                PlainNumberText(c.addedCopperMm) + " mm";
    return Q(InMessageLanguage(PlainNumberText(c.tubeVoltageKv) + " kV（" + WaveformName(c.rectifier) +
                                   "）、ターゲット角度 " + PlainNumberText(c.targetAngleDegrees) +
                                   " 度、ろ過: 固有 " + filters,
        PlainNumberText(c.tubeVoltageKv) + " kV (" + WaveformName(c.rectifier, Language::English) +
            "), target " + PlainNumberText(c.targetAngleDegrees) + "°, filters " + filters));
}

void DrawAxes(QPainter& painter, const PlotScale& scale)
{
    const QPen grid(QColor(225, 225, 225), 1);
    const QPen axis(Qt::black, 1);
    painter.setFont(CaptionFont(13));
    const double step = scale.maxKeV > 100.0 ? 20.0 : 10.0;
    for (double keV = 0.0; keV <= scale.maxKeV + 1e-9; keV += step) {
        const double x = scale.X(keV);
        painter.setPen(grid);
        painter.drawLine(QPointF(x, kTop), QPointF(x, kBottom));
        painter.setPen(axis);
        painter.drawLine(QPointF(x, kBottom), QPointF(x, kBottom + 5));
        painter.drawText(QRectF(x - 30, kBottom + 7, 60, 18), Qt::AlignHCenter | Qt::AlignTop,
            QString::number(static_cast<int>(keV)));
    }
    for (int tenth = 0; tenth <= 10; tenth += 2) {
        const double y = scale.Y(0.1 * tenth);
        painter.setPen(grid);
        painter.drawLine(QPointF(kLeft, y), QPointF(kRight, y));
        painter.setPen(axis);
        painter.drawLine(QPointF(kLeft - 5, y), QPointF(kLeft, y));
        painter.drawText(QRectF(kLeft - 48, y - 9, 40, 18), Qt::AlignRight | Qt::AlignVCenter,
            Q(FormatNumber(0.1 * tenth, "0.0")));
    }
    painter.setPen(axis);
    painter.drawRect(QRectF(kLeft, kTop, kRight - kLeft, kBottom - kTop));

    painter.setFont(CaptionFont(14));
    painter.drawText(QRectF(kLeft, kBottom + 30, kRight - kLeft, 22), Qt::AlignHCenter | Qt::AlignVCenter,
        Q(InMessageLanguage("光子エネルギー E（keV）", "Photon energy E (keV)")));
    painter.save();
    painter.translate(18, (kTop + kBottom) / 2.0);
    painter.rotate(-90);
    painter.drawText(QRectF(-(kBottom - kTop) / 2.0 - 40, -10, kBottom - kTop + 80, 22), Qt::AlignCenter,
        Q(InMessageLanguage(
            "相対光子フルエンス（0.5 keV あたり、最大 = 1）", "Relative fluence (per 0.5 keV, max = 1)")));
    painter.restore();
}

// The spectrum as a histogram: each slot a bar 0.5 keV wide centred on its energy.
void DrawHistogram(QPainter& painter, const PlotScale& scale, const std::vector<SpectrumPoint>& points)
{
    QPainterPath outline;
    outline.moveTo(scale.X(0.0), scale.Y(0.0));
    for (const SpectrumPoint& point : points) {
        if (point.energyKeV - 0.25 > scale.maxKeV) break;
        const double y = scale.Y(point.relativeFluence);
        outline.lineTo(scale.X(point.energyKeV - 0.25), y);
        outline.lineTo(scale.X(std::min(point.energyKeV + 0.25, scale.maxKeV)), y);
    }
    outline.lineTo(scale.X(scale.maxKeV), scale.Y(0.0));
    painter.fillPath(outline, QColor(176, 204, 240));
    painter.setPen(QPen(QColor(20, 60, 150), 1.4));
    painter.drawPath(outline);
}

// Names the tungsten K lines above their slots when the beam carries them: the tube adds
// them only while its voltage is above 70 kV.
void NameKLines(QPainter& painter, const PlotScale& scale, const BeamQuality& beam,
    const std::vector<SpectrumPoint>& points)
{
    if (!(beam.spectrum.conditions.tubeVoltageKv * std::sin(physics::kModelPi / 2.0) > 70.0)) return;
    struct Line {
        const char* name;
        double firstKeV;
        double lastKeV;
    };
    const Line lines[] = {{"W Kα", 58.0, 59.5}, {"W Kβ", 67.0, 69.0}};
    painter.setPen(QColor(150, 20, 20));
    painter.setFont(CaptionFont(13));
    for (const Line& line : lines) {
        double top = 0.0;
        for (const SpectrumPoint& point : points)
            if (point.energyKeV >= line.firstKeV && point.energyKeV <= line.lastKeV)
                top = std::max(top, point.relativeFluence);
        const double x = scale.X(0.5 * (line.firstKeV + line.lastKeV));
        painter.drawText(
            QRectF(x - 40, scale.Y(top) - 20, 80, 18), Qt::AlignHCenter | Qt::AlignBottom, line.name);
    }
}

} // namespace

QImage RenderSpectrumPlot(const BeamQuality& beam)
{
    QImage image(SpectrumPlotWidth, SpectrumPlotHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(Qt::black);
    painter.setFont(CaptionFont(16, true));
    // The title and the conditions start left of the frame: the conditions need the width.
    const QRect heading(16, 8, kRight - 16, 24);
    painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter,
        Q(InMessageLanguage(
            "Ｘ線スペクトル（フィルタ透過後の光子数）", "X-ray spectrum (photons after the filters)")));
    painter.setFont(CaptionFont(13));
    painter.drawText(heading.translated(0, 26), Qt::AlignLeft | Qt::AlignVCenter, ConditionsLine(beam));

    const double voltage = beam.conditions ? beam.conditions->tubeVoltageKv : 150.0;
    const PlotScale scale{std::max(10.0, std::ceil(voltage / 10.0) * 10.0)};
    DrawAxes(painter, scale);
    if (beam.problem) {
        painter.setPen(QColor(150, 20, 20));
        painter.drawText(QRect(kLeft + 20, kTop + 20, kRight - kLeft - 40, kBottom - kTop - 40),
            Qt::AlignCenter | Qt::TextWordWrap, Q(MessageText(*beam.problem)));
        return image;
    }
    const std::vector<SpectrumPoint> points = SpectrumPoints(beam);
    painter.setClipRect(QRect(kLeft, kTop, kRight - kLeft, kBottom - kTop));
    DrawHistogram(painter, scale, points);
    NameKLines(painter, scale, beam, points);
    return image;
}

QImage ComposeSpectrumPicture(const BeamQuality& beam)
{
    const QImage plot = RenderSpectrumPlot(beam);
    QImage picture(plot.width() + kPanelWidth, plot.height(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawImage(0, 0, plot);
    painter.setPen(Qt::black);
    painter.setFont(CaptionFont(14, true));
    painter.drawText(QRect(plot.width(), kTop - 30, kPanelWidth - 16, 22), Qt::AlignLeft | Qt::AlignVCenter,
        Q(InMessageLanguage("線質と出力（空中）", "Beam quality and output (free in air)")));
    painter.setFont(CaptionFont(13));
    // One figure a line: what it is on the left, value and unit on the right.
    const QRect line(plot.width(), kTop, kPanelWidth - 16, 22);
    int row = 0;
    for (const BeamFigure& figure : BeamFigures(beam)) {
        const QRect place = line.translated(0, 26 * row++);
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, Q(figure.label));
        painter.drawText(place, Qt::AlignRight | Qt::AlignVCenter,
            Q(figure.value + (figure.unit.empty() ? "" : " " + figure.unit)));
    }
    return picture;
}

} // namespace brisca
