// Painting the distribution map and the legend strip into images, offscreen.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "drawing/DistributionMap.h"
#include "drawing/PlanAnnotations.h"
#include "logic/result/ColourBands.h"
#include "logic/result/CursorReadout.h"
#include "logic/result/ErrorShading.h"
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

TEST(DistributionMap, LegendStripsShowTheirBoxes)
{
    QImage legend(LegendImageWidth, LegendImageHeight, QImage::Format_RGB32);
    PaintLegendStrip(legend);
    for (int band = 1; band <= 11; ++band) {
        const int y = static_cast<int>((10 * band - 5) * LegendImageHeight / 110.0);
        EXPECT_EQ(legend.pixel(LegendImageWidth / 2, y), Rgb32(LegendColour(band))) << band;
    }
    EXPECT_EQ(legend.pixel(0, LegendImageHeight - 1), qRgb(200, 200, 200));

    PaintErrorLegendStrip(legend);
    for (int band = 1; band <= ErrorBandCount; ++band) {
        const int y = (2 * band - 1) * LegendImageHeight / (2 * ErrorBandCount);
        EXPECT_EQ(legend.pixel(LegendImageWidth / 2, y), Rgb32(ErrorBandColour(band))) << band;
    }
}

constexpr double NoEstimate = std::numeric_limits<double>::quiet_NaN();

TEST(DistributionMap, EachCellOfTheErrorMapTakesTheBandHoldingItsError)
{
    // A band holds its lower edge; a cell without an estimate is not scored, unlike 0 %.
    const struct {
        double percent;
        int band;
    } cases[] = {{0.0, 1}, {1.99, 1}, {2.0, 2}, {4.99, 2}, {5.0, 3}, {9.99, 3}, {10.0, 4}, {19.99, 4},
        {20.0, 5}, {49.99, 5}, {50.0, 6}, {100.0, 6}, {NoEstimate, NotScoredBand}};
    const DisplayGrid rates;
    DisplayGrid errors;
    int column = 30;
    for (const auto& c : cases) errors.At(2, column++, 200) = c.percent;
    QImage map = NewMapImage();
    PaintMapRows(map, rates, HeightLayer::Centre, {}, 1, 700, {&errors, true});
    column = 30;
    for (const auto& c : cases)
        EXPECT_EQ(map.pixel(MapPixelOfElement(column++, 200)), Rgb32(ErrorBandColour(c.band))) << c.percent;
}

TEST(DistributionMap, GreyOutCoversTheCellsAboveTheLimitOrWithoutAnEstimate)
{
    // Every rate is 5, threshold 7 (band 7); each case paints its own row.
    const Thresholds t = {0, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    const struct {
        double percent;
        std::optional<double> limit;
        bool grey;
    } cases[] = {{9.99, 10.0, false}, {10.0, 10.0, false}, {10.01, 10.0, true}, {NoEstimate, 10.0, true},
        {0.0, 0.5, false}, {80.0, std::nullopt, false}, {NoEstimate, std::nullopt, false}};
    DisplayGrid rates;
    DisplayGrid errors;
    QImage map = NewMapImage();
    int row = 100;
    for (const auto& c : cases) {
        rates.At(1, 50, row) = 5.0;
        errors.At(1, 50, row) = c.percent;
        PaintMapRows(map, rates, HeightLayer::Above, t, row, row + 1, {&errors, false, c.limit});
        const QRgb expected = c.grey ? Rgb32(GreyedOutColour) : Rgb32(MapColour(7));
        EXPECT_EQ(map.pixel(MapPixelOfElement(50, row)), expected)
            << c.percent << " against " << c.limit.value_or(-1);
        ++row;
    }
}

// Relative luminance of a colour, 0 to 255, with the usual weights of the three primaries.
double Luma(const Rgb& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

TEST(DistributionMap, ErrorAndGreyOutColoursStandApartFromEveryOtherColourOfTheMaps)
{
    // The error bands darken as the error grows, so the order reads in grey as well.
    for (int band = 2; band < NotScoredBand; ++band)
        EXPECT_LT(Luma(ErrorBandColour(band)) + 15, Luma(ErrorBandColour(band - 1))) << band;
    const Rgb notScored = ErrorBandColour(NotScoredBand);
    EXPECT_TRUE(notScored.r == notScored.g && notScored.g == notScored.b);
    for (int band = 1; band < NotScoredBand; ++band) EXPECT_NE(ErrorBandColour(band), notScored) << band;
    // The grey-out lies on the rates' map and on the plan: unlike all that is drawn there.
    const QColor hatch = NoDoseHatchColour;
    for (const Rgb& other :
        {MapColour(1), MapColour(2), MapColour(3), MapColour(4), MapColour(5), MapColour(6), MapColour(7),
            MapColour(8), MapColour(9), MapColour(10), MapColour(11), MapColour(12), LegendColour(5),
            notScored, Rgb{hatch.red(), hatch.green(), hatch.blue()}, Rgb{0, 0, 0}})
        EXPECT_GT(std::abs(Luma(other) - Luma(GreyedOutColour)) + std::abs(other.r - other.b), 20.0)
            << other.r << "," << other.g << "," << other.b;
}

} // namespace
