#include "engine/rng.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(RngTest, SeededTableBeforeWarmUp)
{
    engine::Rng rng;
    rng.SeedOnly();
    const int expected[] = {3783, 7568, 15139, 13898, 11417};
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(rng.Entry(i), expected[i - 1]) << "entry " << i;
    EXPECT_EQ(rng.Entry(55), 16327);
    EXPECT_EQ(rng.ShortIndex(), 24);
    EXPECT_EQ(rng.LongIndex(), 55);
}

TEST(RngTest, FirstDeviatesOfARunAreExact)
{
    engine::Rng rng;
    EXPECT_EQ(rng.ShortIndex(), 14);
    EXPECT_EQ(rng.LongIndex(), 45);
    struct Step {
        int entry;
        int value;
        float deviate;
    };
    const Step steps[] = {{45, 11314, 0.69054759f}, {44, 1077, 0.06573446f}, {43, 7144, 0.43603250f},
        {42, 4623, 0.28216380f}, {41, 8326, 0.50817561f}};
    for (const Step& step : steps) {
        const float deviate = rng.Next();
        EXPECT_EQ(rng.Entry(step.entry), step.value) << "entry " << step.entry;
        // Exactly the single-precision quotient, not merely close to it.
        EXPECT_EQ(deviate, static_cast<float>(step.value) / 16384.1f);
        EXPECT_FLOAT_EQ(deviate, step.deviate);
    }
}

TEST(RngTest, EveryDeviateIsTheSinglePrecisionQuotient)
{
    // The draws read a table built at compile time; it must equal the division at run time.
    volatile float divisor = 16384.1f;
    for (int v = 0; v < 16384; ++v) {
        ASSERT_EQ(engine::Rng::Deviate(v), static_cast<float>(v) / divisor) << v;
    }
}

TEST(RngTest, DeviatesStayBelowOneAndCanBeZero)
{
    engine::Rng rng;
    bool zeroSeen = false;
    for (int n = 0; n < 2000000; ++n) {
        const float r = rng.Next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        zeroSeen = zeroSeen || r == 0.0f;
    }
    EXPECT_TRUE(zeroSeen);
}

// The two named draws of a flight take the deviates a plain reading of the algorithm takes,
// in its order: R1 then R2 for the free path, one R for the azimuth, and the same library
// calls on them.
TEST(RngTest, FreePathAndAzimuthDrawTheDeviatesInOrder)
{
    engine::Rng sampler;
    engine::Rng plain;
    for (float mu : {0.2f, 0.35f, 1.7f}) {
        const engine::FreePath flight = engine::SampleFreePath(sampler, mu);
        const float r1 = plain.Next();
        const float r2 = plain.Next();
        ASSERT_GT(r1, 0.0f);
        EXPECT_EQ(flight.length, -std::log(r1) / mu);
        EXPECT_EQ(flight.choice, r2);

        const engine::Azimuth azimuth = engine::SampleAzimuth(sampler);
        const float phi = 2.0f * 3.141592f * plain.Next();
        EXPECT_EQ(azimuth.cosPhi, std::cos(phi));
        EXPECT_EQ(azimuth.sinPhi, std::sin(phi));
    }
}

} // namespace
