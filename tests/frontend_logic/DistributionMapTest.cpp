// Painting the distribution map and the legend strip into images, offscreen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "drawing/DistributionMap.h"
#include "logic/result/ColourBands.h"
#include "logic/result/CursorReadout.h"
#include "logic/text/NumberText.h"

namespace {

using namespace brisca;

QRgb Rgb32(const Rgb& c) { return qRgb(c.r, c.g, c.b); }

// Pixel of user point (x, y) of the map picture.
QPoint MapPixel(double x, double y)
{
    return QPoint(static_cast<int>(x - MapLeft), static_cast<int>(y - MapTop));
}

TEST(DistributionMap, ElementIsPaintedOneUnitLeftAndAboveWhereTheReadOutFindsIt)
{
    // Neighbouring elements fall in different bands.
    DisplayGrid grid;
    const Thresholds t = {0, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) grid.At(1, c, r) = (c + r) % 12;
    QImage map = NewMapImage();
    PaintMapRows(map, grid, HeightLayer::Above, t, 1, 300);
    PaintMapRows(map, grid, HeightLayer::Above, t, 300, 700);

    EXPECT_EQ(MapPixelOfElement(1, 11), QPoint(120, 24));
    const int elements[][2] = {{1, 11}, {2, 11}, {80, 300}, {200, 450}, {375, 590}, {376, 591}};
    for (const auto& e : elements) {
        const int i = e[0];
        const int j = e[1];
        const QPoint pixel = MapPixelOfElement(i, j);
        EXPECT_EQ(pixel, MapPixel(i + 19, j - 1));
        EXPECT_EQ(map.pixel(pixel), Rgb32(MapColour(ColourBand(grid.At(1, i, j), t)))) << i << ", " << j;
        if (i <= 375 && j <= 590) {
            EXPECT_EQ(ReadOutAt(i + 20, j, grid, HeightLayer::Above).value, PlainNumberText(grid.At(1, i, j)))
                << i << ", " << j;
        }
    }
    // Rows 1..10 and 592..601 and columns from 377 on stay white.
    for (const QPoint& pixel :
        {MapPixelOfElement(5, 10), MapPixelOfElement(5, 592), MapPixelOfElement(377, 300)})
        EXPECT_EQ(map.pixel(pixel), qRgb(255, 255, 255)) << pixel.x() << ", " << pixel.y();
}

TEST(DistributionMap, OverlaysDrawTheGridAndThePhantomOfEachPosition)
{
    const QRgb black = qRgb(0, 0, 0);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    QImage supine = NewMapImage();
    PaintMapOverlays(supine, PatientPosition::Supine, 60.0);
    QImage standing = NewMapImage();
    PaintMapOverlays(standing, PatientPosition::Standing, 60.0);
    struct Case {
        const QImage& map;
        double x, y;
        QRgb colour;
    };
    const Case cases[] = {
        {supine, 100, 50, black},                         // grid line x = 100
        {supine, -50, 600, black},                        // left end of the last horizontal line
        {supine, -60, 600, white}, {supine, 0, 300, red}, // the beam seen from above
        {supine, 15, 320, black}, {supine, 5, 230, white}, {standing, 0, 230, red}, // tube focus at 290 − FSD
        {standing, 0, 260, red},                                                    // central ray
        {standing, 5, 295, white},                                                  // inside the body section
        {standing, -20, 300, black}, // left end of the rounded bar
        {standing, 0, 290, red},     // arrow tip at the skin
    };
    for (const Case& c : cases) EXPECT_EQ(c.map.pixel(MapPixel(c.x, c.y)), c.colour) << c.x << ", " << c.y;
}

TEST(DistributionMap, LegendStripShowsElevenBoxes)
{
    QImage legend(LegendImageWidth, LegendImageHeight, QImage::Format_RGB32);
    PaintLegendStrip(legend);
    for (int band = 1; band <= 11; ++band) {
        const int y = static_cast<int>((10 * band - 5) * LegendImageHeight / 110.0);
        EXPECT_EQ(legend.pixel(LegendImageWidth / 2, y), Rgb32(LegendColour(band))) << band;
    }
    EXPECT_EQ(legend.pixel(0, LegendImageHeight - 1), qRgb(200, 200, 200));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
