// Legend scale, colour bands and cursor read-out of the result display.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "logic/result/ColourBands.h"
#include "logic/result/CursorReadout.h"
#include "logic/result/ErrorText.h"
#include "logic/result/LegendScale.h"
#include "logic/text/NumberText.h"

namespace {

using namespace brisca;

struct LegendCase {
    double maximum;
    double top;
};

TEST(LegendScale, TopFloorsTheMaximumByItsMagnitude)
{
    const LegendCase cases[] = {
        {3456.7, 3000.0},
        {1000.0, 1000.0}, // ln 1000 = 6.9078 is not above 6.908: the hundreds rule, still 1000
        {1000.5, 1000.0},
        {150.0, 100.0},
        {12.3, 10.0},
        {2.7, 2.0},
        {0.5, 0.5},
        {0.0567, 0.05},
        {0.009, 0.0},
    };
    for (const LegendCase& c : cases) EXPECT_DOUBLE_EQ(LegendTop(c.maximum), c.top) << c.maximum;
}

TEST(LegendScale, ThresholdsAreTheTopTimesTheFixedFactors)
{
    const double expected[] = {2250, 1500, 750, 300, 225, 150, 75, 30, 22.5, 15, 3};
    const Thresholds scale = LegendScale(3456.7);
    for (int n = 1; n <= 11; ++n) EXPECT_DOUBLE_EQ(scale[n], expected[n - 1]) << n;
    for (double t : LegendScale(0.009)) EXPECT_EQ(t, 0.0);
}

TEST(ColourBands, FirstThresholdReachedWins)
{
    const Thresholds descending = {0, 2250, 1500, 750, 300, 225, 150, 75, 30, 22.5, 15, 3};
    Thresholds rising = descending;
    rising[2] = 5000; // threshold 2 above threshold 1: band 2 can never show
    struct Case {
        const Thresholds& t;
        double v;
        int band;
    };
    const Case cases[] = {
        {descending, 2250, 1},
        {descending, 2249.9, 2},
        {descending, 22.5, 9},
        {descending, 3, 11},
        {descending, 2.99, 12},
        {descending, std::numeric_limits<double>::quiet_NaN(), 12},
        {rising, 6000, 1},
        {rising, 2000, 3},
    };
    for (const Case& c : cases) EXPECT_EQ(ColourBand(c.v, c.t), c.band) << c.v;

    // A threshold above the one before it refuses the painting, naming the first such pair;
    // equal ones, such as boxes left empty, only leave a band unused.
    Thresholds equal = descending;
    equal[11] = 15;
    Thresholds risingLater = descending;
    risingLater[10] = 40;
    const Thresholds zeros{};
    const std::pair<const Thresholds*, const char*> refusals[] = {{&descending, ""}, {&equal, ""},
        {&zeros, ""}, {&rising, "2 番目の 5000 が 1 番目の 2250 より大きく"},
        {&risingLater, "10 番目の 40 が 9 番目の 22.5 より大きく"}};
    for (const auto& [thresholds, fragment] : refusals) {
        const std::string refusal = ThresholdsRefusal(*thresholds);
        EXPECT_EQ(refusal.empty(), *fragment == '\0') << refusal;
        EXPECT_NE(refusal.find(fragment), std::string::npos) << refusal;
    }
}

TEST(ColourBands, LegendBoxOfBandFiveIsDarkerThanItsMapColour)
{
    EXPECT_EQ(MapColour(5), (Rgb{164, 208, 80}));
    EXPECT_EQ(LegendColour(5), (Rgb{146, 208, 80}));
    for (int band : {1, 4, 6, 10, 11}) EXPECT_EQ(LegendColour(band), MapColour(band)) << band;
    EXPECT_EQ(MapColour(12), (Rgb{255, 255, 255}));
}

TEST(CursorReadout, RoundsHalvesToEvenAndClearsOutsideThePaintedArea)
{
    DisplayGrid grid;
    for (int c = 1; c <= DisplayGrid::Columns; ++c)
        for (int r = 1; r <= DisplayGrid::Rows; ++r) grid.At(2, c, r) = c * 1000 + r;
    struct Case {
        double mapX, mapY;
        bool inside;
        const char* x;
        const char* y;
        const char* value;
    };
    const Case cases[] = {
        {395, 590, true, "395", "290", "375590"},
        {395.5, 590, false, "", "", ""},
        {100, 300, true, "100", "0", "80300"},
        {30, 10, true, "30", "-290", "10010"},
        {20, 100, true, "20", "-200", ""},     // column 0 holds no value
        {20.5, 100, true, "20.5", "-200", ""}, // 0.5 goes to the even 0
        {21.5, 100.5, true, "21.5", "-199.5", "2100"},
        {22.5, 101.5, true, "22.5", "-198.5", "2102"},
        {19.9, 300, false, "", "", ""},
        {100, 9.5, false, "", "", ""},
    };
    for (const Case& c : cases) {
        const CursorReadout readout = ReadOutAt(c.mapX, c.mapY, grid, HeightLayer::Centre);
        EXPECT_EQ(readout.inside, c.inside) << c.mapX << ", " << c.mapY;
        EXPECT_EQ(readout.x, c.x) << c.mapX << ", " << c.mapY;
        EXPECT_EQ(readout.y, c.y) << c.mapX << ", " << c.mapY;
        EXPECT_EQ(readout.value, c.value) << c.mapX << ", " << c.mapY;
    }
}

TEST(CursorReadout, GivesTheErrorWholeFromTwoPercentToOneDecimalBelowAndMarksAMissingEstimate)
{
    DisplayGrid grid;
    DisplayGrid errors;
    const double none = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value, error;
        const char* text;
    } cases[] = {
        {1.51, 4.4, "1.51 ± 4 %"}, {1.51, 2.0, "1.51 ± 2 %"},
        {1.51, 1.96, "1.51 ± 2.0 %"}, // still below 2 %: its decimal stays
        {1.51, 1.94, "1.51 ± 1.9 %"}, {0.82, 0.04, "0.82 ± 0.0 %"}, {1.51, 99.6, "1.51 ± 100 %"},
        {1.51, none, "1.51 (± ?)"}, {none, 4.0, ""}, // no value, nothing to qualify
    };
    for (const auto& c : cases) {
        grid.At(2, 80, 300) = c.value;
        errors.At(2, 80, 300) = c.error;
        EXPECT_EQ(ReadOutAt(100, 300, grid, HeightLayer::Centre, &errors).value, c.text) << c.error;
        EXPECT_EQ(ReadOutAt(100, 300, grid, HeightLayer::Centre).value,
            std::isnan(c.value) ? "" : PlainNumberText(c.value));
    }
}

} // namespace
