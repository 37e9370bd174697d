#include "drawing/DistributionMap.h"

#include <QFont>
#include <algorithm>
#include <array>

#include "drawing/UserScaleCanvas.h"
#include "logic/result/ColourBands.h"

namespace brisca {

namespace {

QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// Labels of the map in Times New Roman 14.25 pt, 19 pixels at 96 dots per inch.
QFont LabelFont()
{
    QFont font("Times New Roman");
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(19);
    return font;
}

struct DistanceLabel {
    const char* text;
    double x;
    double y;
};

// Distance labels, each with its top left corner at (x, y).
constexpr std::array<DistanceLabel, 12> DistanceLabels = {{{"0", -5, -14}, {"100", 90, -14},
    {"200", 190, -14}, {"300 cm", 290, -14}, {"400", 390, -14}, {"0", -70, 290}, {"-100", -70, 200},
    {"-200", -70, 100}, {"-300", -70, 0}, {"100", -70, 380}, {"200", -70, 480}, {"300 cm", -70, 580}}};

void PaintSupinePhantom(UserScaleCanvas& canvas)
{
    canvas.SetSolidFill(false);
    canvas.Box(-15, 270, 15, 330, Qt::black);
    // The vertical beam seen from above.
    canvas.SetSolidFill(true);
    canvas.Circle(0, 300, 10, Qt::black);
}

void PaintStandingPhantom(UserScaleCanvas& canvas, const QColor& light, double fsd)
{
    // Body section: a 40 × 20 bar with round ends.
    canvas.SetSolidFill(false);
    canvas.Line(-10, 290, 10, 290, Qt::black);
    canvas.Line(-10, 310, 10, 310, Qt::black);
    canvas.Arc(-10, 300, 10, Qt::black, 1.570795, 4.712385);
    canvas.Arc(10, 300, 10, Qt::black, 4.712385, 1.570795);
    // Tube focus, central ray and its arrow head at the skin.
    canvas.SetSolidFill(true);
    canvas.Circle(0, 290 - fsd, 10, Qt::black);
    canvas.Line(0, 300 - fsd, 0, 290, light);
    canvas.Line(-5, 280, 0, 290, light);
    canvas.Line(0, 290, 5, 280, light);
}

} // namespace

QImage NewMapImage()
{
    QImage map(MapImageWidth, MapImageHeight, QImage::Format_RGB32);
    map.fill(Qt::white);
    return map;
}

QPoint MapPixelOfElement(int i, int j)
{
    return QPoint(static_cast<int>(i + 19 - MapLeft), static_cast<int>(j - 1 - MapTop));
}

void PaintMapRows(QImage& map, const DisplayGrid& grid, HeightLayer layer, const Thresholds& thresholds,
    int firstRow, int endRow, const MapShading& shading)
{
    // The plain map looks its colours up by band, as the window repaints it often.
    std::array<QRgb, BandCount + 1> colours{};
    for (int band = 1; band <= BandCount; ++band) colours[band] = ToQColor(MapColour(band)).rgb();
    const bool plain = !shading.showErrors && !shading.greyAbovePercent;
    const int first = std::max(firstRow, FirstPaintedRow);
    const int end = std::min(endRow, LastPaintedRow + 1);
    for (int j = first; j < end; ++j) {
        // One row of the grid is one row of pixels: write them straight into the image.
        const QPoint start = MapPixelOfElement(1, j);
        auto* line = reinterpret_cast<QRgb*>(map.scanLine(start.y()));
        for (int i = 1; i <= LastPaintedColumn; ++i)
            line[start.x() + i - 1] =
                plain ? colours[ColourBand(grid.At(layer, i, j), thresholds)]
                      : ToQColor(ShadedCellColour(grid, thresholds, shading, layer, i, j)).rgb();
    }
}

void PaintMapOverlays(QImage& map, PatientPosition patientPosition, double fsd)
{
    UserScaleCanvas canvas(map, MapLeft, MapTop, MapImageWidth, MapImageHeight);

    // 100 cm grid.
    canvas.SetDrawWidth(1);
    for (int x = 0; x <= 400; x += 100) canvas.Line(x, 0, x, 600, Qt::black);
    for (int y = 0; y <= 600; y += 100) canvas.Line(-50, y, 400, y, Qt::black);

    // Phantom symbol, with the beam in light red.
    const QColor light(255, 0, 0);
    canvas.SetDrawWidth(2);
    canvas.SetFillColor(light);
    if (patientPosition == PatientPosition::Supine) {
        PaintSupinePhantom(canvas);
    } else {
        PaintStandingPhantom(canvas, light, fsd);
    }

    // Distance labels.
    canvas.SetSolidFill(false);
    canvas.SetDrawWidth(1);
    const QFont font = LabelFont();
    for (const DistanceLabel& label : DistanceLabels)
        canvas.Text(label.x, label.y, QString::fromLatin1(label.text), font, Qt::black);
}

void PaintLegendStrip(QImage& legend)
{
    UserScaleCanvas canvas(legend, 0, 0, 30, 110);
    canvas.Clear(Qt::white);
    for (int band = 1; band <= 11; ++band)
        canvas.FilledBox(0, 10 * (band - 1), 30, 10 * band, ToQColor(LegendColour(band)));
}

void PaintErrorLegendStrip(QImage& legend)
{
    UserScaleCanvas canvas(legend, 0, 0, 30, ErrorBandCount);
    canvas.Clear(Qt::white);
    for (int band = 1; band <= ErrorBandCount; ++band)
        canvas.FilledBox(0, band - 1, 30, band, ToQColor(ErrorBandColour(band)));
}

} // namespace brisca
