#include "engine/rng.h"

#include <gtest/gtest.h>

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

} // namespace
