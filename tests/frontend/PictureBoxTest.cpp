// The picture on a window: user scale, figures and text drawn through its canvas checked pixel
// by pixel on an offscreen image, persistence and mouse positions in user units.
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "windows/PictureBox.h"

using brisca::PictureBox;
using brisca::UserScaleCanvas;

namespace {

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// A picture shaped like the distribution map: inner 525 × 629 pixels, x −100..425 and
// y −14..615, one unit per pixel.
class MapPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        picture.resize(525 + 4, 629 + 4);
        picture.setScale(-100, -14, 525, 629);
        picture.clear();
    }
    QColor At(double x, double y) { return picture.image().pixelColor(picture.toPixel(x, y)); }

    PictureBox picture;
};

TEST_F(MapPicture, UserPointsLandOnTheirPixels)
{
    const std::tuple<double, double, QPoint> cases[] = {{-100, -14, QPoint(0, 0)}, {0, 300, QPoint(100, 314)},
        {395, 590, QPoint(495, 604)}, {424, 614, QPoint(524, 628)}, {20.4, 10.6, QPoint(120, 25)},
        {-99.6, -13.5, QPoint(0, 1)}};
    for (const auto& [x, y, pixel] : cases) {
        EXPECT_EQ(picture.toPixel(x, y), pixel) << x << "," << y;
        EXPECT_EQ(picture.canvas().ToPixel(x, y), pixel) << x << "," << y;
    }
    EXPECT_EQ(picture.image().size(), QSize(525, 629));
}

TEST_F(MapPicture, DotsSetOnePixelOrASquareOfTheLineWidth)
{
    UserScaleCanvas canvas = picture.canvas();
    canvas.SetPixel(20, 10, Red);
    EXPECT_EQ(At(20, 10), Red);
    EXPECT_EQ(At(21, 10), White);
    EXPECT_EQ(At(20, 11), White);

    canvas.SetDrawWidth(3);
    canvas.Dot(100, 100, Blue.rgb());
    EXPECT_EQ(At(99, 99), Blue);
    EXPECT_EQ(At(101, 101), Blue);
    EXPECT_EQ(At(102, 100), White);

    canvas.SetPixel(2000, 2000, Red); // outside the picture: nothing, no crash
    canvas.Dot(424, 614, Red.rgb());  // cut at the picture's edge
    EXPECT_EQ(At(424, 614), Red);
}

TEST_F(MapPicture, LinesRunBetweenTheirEndsInTheirColour)
{
    UserScaleCanvas canvas = picture.canvas();
    canvas.Line(0, 0, 400, 0, Black);
    EXPECT_EQ(At(0, 0), Black);
    EXPECT_EQ(At(200, 0), Black);
    EXPECT_EQ(At(400, 0), Black);
    EXPECT_EQ(At(401, 0), White);
    EXPECT_EQ(At(200, 1), White);

    canvas.SetDrawWidth(2);
    canvas.Line(0, 240, 0, 290, Red);
    EXPECT_EQ(At(0, 265), Red);
    EXPECT_EQ(At(0, 300), White);
    EXPECT_EQ(At(3, 265), White);
}

TEST_F(MapPicture, BoxesOutlineOrFill)
{
    UserScaleCanvas canvas = picture.canvas();
    // Outline only while filling is off.
    canvas.Box(-15, 270, 15, 330, Black);
    EXPECT_EQ(At(-15, 270), Black);
    EXPECT_EQ(At(15, 330), Black);
    EXPECT_EQ(At(0, 270), Black);
    EXPECT_EQ(At(-15, 300), Black);
    EXPECT_EQ(At(0, 300), White);

    canvas.SetSolidFill(true);
    canvas.SetFillColor(Red);
    canvas.Box(100, 100, 120, 110, Blue);
    EXPECT_EQ(At(100, 105), Blue);
    EXPECT_EQ(At(110, 105), Red);

    // A filled box takes its own colour up to its far corner, which belongs to the next box.
    canvas.FilledBox(200, 200, 230, 210, QColor(146, 208, 80));
    EXPECT_EQ(At(200, 200), QColor(146, 208, 80));
    EXPECT_EQ(At(229, 209), QColor(146, 208, 80));
    EXPECT_EQ(At(230, 209), White);
    EXPECT_EQ(At(215, 210), White);
}

TEST_F(MapPicture, CirclesAndArcs)
{
    UserScaleCanvas canvas = picture.canvas();
    canvas.SetSolidFill(true);
    canvas.SetFillColor(Red);
    canvas.Circle(0, 300, 10, Black);
    EXPECT_EQ(At(0, 300), Red);
    EXPECT_EQ(At(10, 300), Black);
    EXPECT_EQ(At(0, 290), Black);
    EXPECT_EQ(At(12, 300), White);
    EXPECT_EQ(At(8, 308), White); // outside the circle, inside its square

    // Left half: from straight up, counter-clockwise over the left, to straight down.
    canvas.SetSolidFill(false);
    canvas.Arc(100, 100, 10, Black, 1.570795, 4.712385);
    EXPECT_EQ(At(90, 100), Black);
    EXPECT_EQ(At(110, 100), White);
    // An end below the start passes through angle 0: the right half.
    canvas.Arc(200, 100, 10, Black, 4.712385, 1.570795);
    EXPECT_EQ(At(210, 100), Black);
    EXPECT_EQ(At(190, 100), White);
}

TEST_F(MapPicture, TextHangsFromItsTopLeftCorner)
{
    const QFont font;
    const QFontMetrics metrics(font);
    picture.canvas().Text(290, -14, "300 cm", font, Black);
    int dark = 0;
    int darkOutside = 0;
    const QImage& image = picture.image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() > 128) continue;
            const bool inside =
                x >= 390 && x < 390 + metrics.horizontalAdvance("300 cm") + 1 && y < metrics.height();
            (inside ? dark : darkOutside)++;
        }
    }
    EXPECT_GT(dark, 20);
    EXPECT_EQ(darkOutside, 0);
}

TEST_F(MapPicture, ClearingPaintsWhite)
{
    picture.canvas().Line(0, 0, 100, 100, Red);
    picture.clear();
    EXPECT_EQ(At(50, 50), White);
}

TEST_F(MapPicture, DrawingSurvivesHidingAndGrowing)
{
    picture.canvas().SetPixel(0, 0, Red);
    picture.show();
    picture.hide();
    picture.resize(600, 700);
    EXPECT_EQ(picture.image().size(), QSize(596, 696));
    EXPECT_EQ(picture.image().pixelColor(100, 14), Red);
    EXPECT_EQ(picture.image().pixelColor(590, 690), White);
}

TEST_F(MapPicture, MousePositionsArriveInUserUnits)
{
    QSignalSpy moves(&picture, &PictureBox::mouseMove);
    QSignalSpy presses(&picture, &PictureBox::mouseDown);
    picture.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picture));
    QTest::mouseMove(&picture, QPoint(2 + 100, 2 + 314));
    ASSERT_GE(moves.count(), 1);
    EXPECT_DOUBLE_EQ(moves.last().at(1).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(moves.last().at(2).toDouble(), 300.0);
    QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(2 + 120, 2 + 24));
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses[0].at(0).toInt(), brisca::RightButton);
    EXPECT_DOUBLE_EQ(presses[0].at(1).toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(presses[0].at(2).toDouble(), 10.0);
}

TEST(PictureScale, NonPixelScalesStretchBothAxesAndRoundHalvesUp)
{
    // The legend strip: 30 × 110 units on 57 × 265 pixels (no border).
    PictureBox legend;
    legend.setBorder(false);
    legend.resize(57, 265);
    legend.setScale(0, 0, 30, 110);
    legend.clear();
    legend.canvas().FilledBox(0, 100, 30, 110, QColor(200, 200, 200));
    EXPECT_EQ(legend.image().pixelColor(28, 260), QColor(200, 200, 200));
    EXPECT_EQ(legend.image().pixelColor(28, 238), White);

    // The layout plan: −50..850 units on 630 pixels. Points that fall on half a pixel round
    // up on both pictures, the widget's and its canvas's, so labels and lines agree.
    PictureBox plan;
    plan.setBorder(false);
    plan.resize(630, 630);
    plan.setScale(-50, -50, 900, 900);
    const std::tuple<PictureBox*, double, double, QPoint> cases[] = {{&legend, 15, 55, QPoint(29, 133)},
        {&plan, -5, 35, QPoint(32, 60)}, {&plan, 125, 595, QPoint(123, 452)},
        {&plan, 800, 0, QPoint(595, 35)}};
    for (const auto& [picture, x, y, pixel] : cases) {
        EXPECT_EQ(picture->toPixel(x, y), pixel) << x << "," << y;
        EXPECT_EQ(picture->canvas().ToPixel(x, y), pixel) << x << "," << y;
    }
}

} // namespace
