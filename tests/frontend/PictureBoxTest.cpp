// The picture surface: user scale, figures and text checked pixel by pixel on an offscreen
// image, persistence and mouse positions in user units.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <numbers>

#include "windows/PictureBox.h"

using brisca::FillStyle;
using brisca::PictureBox;

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
        picture.SetScale(-100, -14, 525, 629);
        picture.Cls();
    }
    QColor At(double x, double y) { return picture.Image().pixelColor(picture.ToPixel(x, y)); }

    PictureBox picture;
};

TEST_F(MapPicture, UserPointsLandOnTheirPixels)
{
    const std::tuple<double, double, QPoint> cases[] = {{-100, -14, QPoint(0, 0)}, {0, 300, QPoint(100, 314)},
        {395, 590, QPoint(495, 604)}, {424, 614, QPoint(524, 628)}, {20.4, 10.6, QPoint(120, 25)},
        {-99.6, -13.5, QPoint(0, 1)}};
    for (const auto& [x, y, pixel] : cases) EXPECT_EQ(picture.ToPixel(x, y), pixel) << x << "," << y;
    EXPECT_EQ(picture.Image().size(), QSize(525, 629));
}

TEST_F(MapPicture, DotsSetOnePixelOrADotOfTheLineWidth)
{
    picture.PSet(20, 10, Red);
    EXPECT_EQ(At(20, 10), Red);
    EXPECT_EQ(At(21, 10), White);
    EXPECT_EQ(At(20, 11), White);
    EXPECT_EQ(picture.CurrentX, 20);

    picture.SetDrawWidth(3);
    picture.PSet(100, 100, Blue);
    EXPECT_EQ(At(100, 100), Blue);
    EXPECT_EQ(At(101, 100), Blue);
    EXPECT_EQ(At(103, 100), White);

    picture.PSet(2000, 2000, Red); // outside the picture: nothing, no crash
}

TEST_F(MapPicture, LinesRunBetweenTheirEndsInTheirColour)
{
    picture.Line(0, 0, 400, 0);
    EXPECT_EQ(At(0, 0), Black);
    EXPECT_EQ(At(200, 0), Black);
    EXPECT_EQ(At(400, 0), Black);
    EXPECT_EQ(At(401, 0), White);
    EXPECT_EQ(At(200, 1), White);
    EXPECT_EQ(picture.CurrentX, 400);

    picture.SetDrawWidth(2);
    picture.Line(0, 240, 0, 290, Red);
    EXPECT_EQ(At(0, 265), Red);
    EXPECT_EQ(At(0, 300), White);
    EXPECT_EQ(At(3, 265), White);
}

TEST_F(MapPicture, BoxesOutlineOrFill)
{
    // Outline only while the fill style is transparent.
    picture.Box(-15, 270, 15, 330, Black);
    EXPECT_EQ(At(-15, 270), Black);
    EXPECT_EQ(At(15, 330), Black);
    EXPECT_EQ(At(0, 270), Black);
    EXPECT_EQ(At(-15, 300), Black);
    EXPECT_EQ(At(0, 300), White);

    picture.SetFillStyle(FillStyle::Solid);
    picture.SetFillColor(Red);
    picture.Box(100, 100, 120, 110, Blue);
    EXPECT_EQ(At(100, 105), Blue);
    EXPECT_EQ(At(110, 105), Red);

    // A filled box takes its own colour, corners included, whatever the fill style.
    picture.BoxFilled(200, 200, 230, 210, QColor(146, 208, 80));
    EXPECT_EQ(At(200, 200), QColor(146, 208, 80));
    EXPECT_EQ(At(230, 210), QColor(146, 208, 80));
    EXPECT_EQ(At(231, 210), White);
    EXPECT_EQ(At(215, 211), White);
}

TEST_F(MapPicture, CirclesAndArcs)
{
    picture.SetFillStyle(FillStyle::Solid);
    picture.SetFillColor(Red);
    picture.Circle(0, 300, 10, Black);
    EXPECT_EQ(At(0, 300), Red);
    EXPECT_EQ(At(10, 300), Black);
    EXPECT_EQ(At(0, 290), Black);
    EXPECT_EQ(At(12, 300), White);
    EXPECT_EQ(At(8, 308), White); // outside the circle, inside its square

    // Left half: from straight up, counter-clockwise over the left, to straight down.
    picture.SetFillStyle(FillStyle::Transparent);
    picture.Arc(100, 100, 10, Black, 1.570795, 4.712385);
    EXPECT_EQ(At(90, 100), Black);
    EXPECT_EQ(At(110, 100), White);
    // An end below the start passes through angle 0: the right half.
    picture.Arc(200, 100, 10, Black, 4.712385, 1.570795);
    EXPECT_EQ(At(210, 100), Black);
    EXPECT_EQ(At(190, 100), White);
}

TEST_F(MapPicture, TextStartsAtTheCurrentPointAndMovesToTheNextLine)
{
    picture.CurrentX = 290;
    picture.CurrentY = -14;
    const double height = picture.TextHeight();
    picture.Print("300 cm");
    EXPECT_GT(height, 5);
    EXPECT_DOUBLE_EQ(picture.CurrentY, -14 + height);
    EXPECT_EQ(picture.CurrentX, -100);
    int dark = 0;
    int darkOutside = 0;
    const QImage image = picture.Image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() > 128) continue;
            const bool inside = x >= 390 && x < 390 + picture.TextWidth("300 cm") + 1 && y < height;
            (inside ? dark : darkOutside)++;
        }
    }
    EXPECT_GT(dark, 20);
    EXPECT_EQ(darkOutside, 0);
}

TEST_F(MapPicture, ClearingPaintsTheBackgroundAndResetsTheCurrentPoint)
{
    picture.Line(0, 0, 100, 100, Red);
    picture.SetBackColor(QColor(192, 255, 255));
    picture.Cls();
    EXPECT_EQ(At(50, 50), QColor(192, 255, 255));
    EXPECT_EQ(picture.CurrentX, 0);
    EXPECT_EQ(picture.CurrentY, 0);
}

TEST_F(MapPicture, DrawingSurvivesHidingAndGrowing)
{
    picture.PSet(0, 0, Red);
    picture.show();
    picture.hide();
    picture.resize(600, 700);
    EXPECT_EQ(picture.Image().size(), QSize(596, 696));
    EXPECT_EQ(picture.Image().pixelColor(100, 14), Red);
    EXPECT_EQ(picture.Image().pixelColor(590, 690), White);
}

TEST_F(MapPicture, MousePositionsArriveInUserUnits)
{
    QSignalSpy moves(&picture, &PictureBox::MouseMove);
    QSignalSpy presses(&picture, &PictureBox::MouseDown);
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

TEST(PictureScale, NonPixelScalesStretchBothAxes)
{
    // The legend strip: 30 × 110 units on 57 × 265 pixels (no border).
    PictureBox legend;
    legend.SetBorder(false);
    legend.resize(57, 265);
    legend.SetScale(0, 0, 30, 110);
    legend.Cls();
    legend.BoxFilled(0, 100, 30, 110, QColor(200, 200, 200));
    EXPECT_EQ(legend.Image().pixelColor(28, 260), QColor(200, 200, 200));
    EXPECT_EQ(legend.Image().pixelColor(28, 238), White);
    EXPECT_EQ(legend.ToPixel(15, 55), QPoint(29, 133));
}

} // namespace
