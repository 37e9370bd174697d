#include "refiner/refine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace refiner {
namespace {

struct Layers {
    CoarseLayer coarse;
    FineLayer fine;
    LateralPass scratch;
};

// A fresh coarse layer holding `rate` everywhere, refined on demand.
class RefineLayerTest : public ::testing::Test {
protected:
    void Fill(float rate)
    {
        for (auto& row : w->coarse.rows) row.fill(rate);
    }
    void Refine() { RefineLayer(w->coarse, w->fine, w->scratch); }
    // Fine value at lateral position x and beam-axis position z, in cm.
    float At(int x, int z) const { return w->fine.records[z + 299][x - 21]; }

    std::unique_ptr<Layers> w = std::make_unique<Layers>();
};

TEST(Interpolate, GeometricBetweenPositivesLinearOtherwise)
{
    struct Case {
        float a, b, f, expected;
    } cases[] = {
        {1, 100, 0.5f, 10},
        {1, 100, 0, 1},
        {1, 100, 1, 100},
        {2, 8, 0.5f, 4},
        {0, 1, 0.3f, 0.3f},
        {4, 0, 0.25f, 3},
        {0, 0, 0.5f, 0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Interpolate(MakeNode(c.a), MakeNode(c.b), c.f).value, c.expected, 1e-5f * c.expected)
            << c.a << " to " << c.b << " at " << c.f;
    }
}

TEST_F(RefineLayerTest, CoarsePointsLandOnTheirFineCellsInMicroUnits)
{
    for (int b = 0; b < kCoarseBeam; ++b)
        for (int i = 0; i < kCoarseLateral; ++i)
            w->coarse.rows[b][i] = 1.0e-6f * static_cast<float>(1 + i + 3 * b);
    w->coarse.rows[30][10] = 2.0e-6f;
    Refine();
    EXPECT_FLOAT_EQ(w->fine.records[299][79], 2.0f); // record 300 is the beam axis, value 80 lateral 100 cm
    for (int z = -290; z <= 300; z += 10)
        for (int x = 30; x <= 400; x += 10)
            EXPECT_NEAR(At(x, z), w->coarse.rows[(z + 300) / 10][x / 10] * 1e6f, 2e-6f * At(x, z))
                << x << ", " << z;
}

TEST_F(RefineLayerTest, HalfwayBetweenOneAndHundredIsTenAlongBothAxes)
{
    Fill(1.0e-6f);
    for (auto& row : w->coarse.rows) row[11] = 1.0e-4f;                       // lateral 110 cm
    for (int i = 2; i < kCoarseLateral; ++i) w->coarse.rows[41][i] = 1.0e-4f; // beam axis +110 cm
    Refine();
    EXPECT_NEAR(At(105, -200), 10.0f, 1e-4f);
    EXPECT_NEAR(At(300, 105), 10.0f, 1e-4f);
}

TEST_F(RefineLayerTest, LateralColumnsZeroAndTenPlayNoPart)
{
    Fill(3.0e-6f);
    Refine();
    const auto baseline = std::make_unique<FineLayer>(w->fine);
    for (const float junk : {0.0f, -5.0f, 1.0e30f}) {
        for (auto& row : w->coarse.rows) row[0] = row[1] = junk;
        Refine();
        EXPECT_EQ(std::memcmp(&baseline->records, &w->fine.records, sizeof(FineLayer)), 0) << junk;
    }
}

TEST_F(RefineLayerTest, CellsBeyondTheGridCopyTheirNeighboursInside)
{
    for (int b = 0; b < kCoarseBeam; ++b) w->coarse.rows[b].fill(1.0e-8f * static_cast<float>(1 + b));
    Refine();
    for (int r = 0; r < kFineBeam; ++r) EXPECT_EQ(w->fine.records[r][380], w->fine.records[r][379]) << r;
    EXPECT_EQ(w->fine.records[600], w->fine.records[599]);
    EXPECT_NEAR(At(401, 301), 0.61f, 1e-6f); // corner repeats lateral 400, beam axis +300 cm
}

TEST_F(RefineLayerTest, NonPositiveCellsRampLinearlyAndNeverGiveNaN)
{
    struct Case {
        int x, z;
        float expected;
    } cases[] = {
        {100, 0, 0},
        {95, 0, 0.5f},
        {103, 0, 0.3f},
        {100, 5, 0.5f},
        {100, -8, 0.8f},
        {95, 5, std::sqrt(0.5f)}, // the lateral ramps meet geometrically along the beam axis
        {200, 200, 1},
        {250, -100, 0},
        {300, -95, 0.5f},
        {300, -104, 0.4f},
    };
    Fill(1.0e-6f);
    w->coarse.rows[30][10] = 0.0f;     // lateral 100 cm on the beam axis
    w->coarse.rows[20].fill(-4.0e-6f); // beam axis -100 cm: no dose at all
    Refine();
    for (const Case& c : cases) EXPECT_NEAR(At(c.x, c.z), c.expected, 1e-6f) << c.x << ", " << c.z;
    for (const auto& record : w->fine.records)
        for (const float v : record) ASSERT_TRUE(std::isfinite(v) && v >= 0.0f && !std::signbit(v));
    Fill(0.0f);
    Refine();
    EXPECT_EQ(At(150, 150), 0.0f);
}

// The whole refinement in the logarithm, written out directly: for grids without empty
// cells the refiner must agree with it bit for bit.
TEST_F(RefineLayerTest, PositiveGridsMatchThePlainLogarithmicRefinementExactly)
{
    for (int b = 0; b < kCoarseBeam; ++b)
        for (int i = 0; i < kCoarseLateral; ++i)
            w->coarse.rows[b][i] =
                1e-5f * std::exp(-0.07f * static_cast<float>(i) - 0.013f * static_cast<float>(b * b % 97));
    Refine();
    static float lateral[61][381], full[601][381];
    for (int b = 0; b < 61; ++b)
        for (int i = 2; i < 40; ++i)
            for (int t = 0; t <= 10; ++t) {
                const float left = std::log(w->coarse.rows[b][i] * 1000000.0f);
                const float right = std::log(w->coarse.rows[b][i + 1] * 1000000.0f);
                lateral[b][(i - 2) * 10 + t] = left + (right - left) * (static_cast<float>(t) * 0.1f);
            }
    for (int b = 0; b < 60; ++b)
        for (int l = 0; l <= 10; ++l)
            for (int p = 0; p < 381; ++p)
                full[b * 10 + l][p] =
                    lateral[b][p] + (lateral[b + 1][p] - lateral[b][p]) * (static_cast<float>(l) * 0.1f);
    for (int q = 1; q < 601; ++q)
        for (int p = 1; p < 381; ++p)
            ASSERT_EQ(w->fine.records[q - 1][p - 1], std::exp(full[q][p])) << q << ", " << p;
}

} // namespace
} // namespace refiner
