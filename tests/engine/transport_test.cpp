#include "engine/input_error.h"
#include "engine/input_files.h"
#include "engine/transport.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float Length(const engine::Direction& d)
{
    const float u = d.sinPolar * d.cosAzimuth;
    const float v = d.sinPolar * d.sinAzimuth;
    return std::sqrt(u * u + v * v + d.cosPolar * d.cosPolar);
}

engine::Job DefaultJob(float width)
{
    engine::Job job;
    job.fsd = 90.0f;
    job.fieldLength = 20.0f;
    job.fieldWidth = width;
    return job;
}

TEST(EnterPhantomTest, NarrowFieldsOnlyMeetTheFlatFace)
{
    // W × F / (F + 10) = 11.1 × 0.9 ≤ 10: every entry lies on z = -10.
    const engine::Job job = DefaultJob(11.1f);
    for (float r1 = 0.0f; r1 < 1.0f; r1 += 0.01f) {
        for (float r2 : {0.0f, 0.3f, 0.999f}) {
            engine::Photon photon;
            if (engine::EnterPhantom(r1, r2, job, photon) != engine::Entry::Entered) continue;
            EXPECT_EQ(photon.z, -10.0f) << r1;
            EXPECT_NEAR(Length(photon.direction), 1.0f, 1e-6f);
        }
    }
}

TEST(EnterPhantomTest, DirectionIsAUnitVectorOnBothRoundedSides)
{
    const engine::Job job = DefaultJob(20.0f);
    int rounded = 0;
    for (float r1 : {0.0f, 0.05f, 0.15f, 0.2f, 0.8f, 0.85f, 0.95f, 0.9999f}) {
        for (float r2 : {0.0f, 0.25f, 0.5f, 0.9999f}) {
            engine::Photon photon;
            ASSERT_EQ(engine::EnterPhantom(r1, r2, job, photon), engine::Entry::Entered);
            if (std::fabs(photon.x) > 5.0f) {
                ++rounded;
                // On the circle (x ∓ 5)² + z² = 100, on the focus side.
                const float cx = photon.x > 0 ? 5.0f : -5.0f;
                EXPECT_NEAR((photon.x - cx) * (photon.x - cx) + photon.z * photon.z, 100.0f, 1e-3f);
                EXPECT_LT(photon.z, 0.0f);
            }
            EXPECT_NEAR(Length(photon.direction), 1.0f, 1e-6f) << r1 << " " << r2;
            EXPECT_EQ(photon.direction.cosAzimuth >= 0.0f, photon.x >= 0.0f);
        }
    }
    EXPECT_GT(rounded, 8);
}

TEST(EnterPhantomTest, AxisPointIsRedrawnAndAMissedSideAbandoned)
{
    engine::Photon photon;
    EXPECT_EQ(engine::EnterPhantom(0.5f, 0.5f, DefaultJob(20.0f), photon), engine::Entry::Redraw);
    // x0 = 22.5: the ray from the focus passes the rounded side.
    EXPECT_EQ(engine::EnterPhantom(0.0f, 0.5f, DefaultJob(50.0f), photon), engine::Entry::Abandoned);
    EXPECT_EQ(engine::EnterPhantom(0.9999f, 0.5f, DefaultJob(50.0f), photon), engine::Entry::Abandoned);
}

TEST(InsidePhantomTest, RacetrackPrismWithItsBoundary)
{
    struct Case {
        float x, y, z;
        bool inside;
    };
    const Case cases[] = {
        {0, 0, 0, true},
        {5, 30, 10, true},
        {-5, -30, -10, true},
        {0, 30.001f, 0, false},
        {0, -31, 0, false},
        {5, 0, 10.001f, false},
        {15, 0, 0, true},
        {15.001f, 0, 0, false},
        {-15, 0, 0, true},
        {11, 0, 8, true},
        {12, 0, 8, false},
        {-12, 0, -8, false},
        {0, 0, -10.001f, false},
        {100, 50, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::InsidePhantom(c.x, c.y, c.z), c.inside) << c.x << "," << c.y << "," << c.z;
}

TEST(RotateTest, KeepsUnitLengthAndNeverLeavesTheRange)
{
    const engine::Direction start{0.6f, 0.8f, 0.28f, 0.96f};
    for (float cosTheta : {1.0f, 0.5f, 0.0f, -0.7f, -1.0f}) {
        const engine::ScatterAngle angle{cosTheta, std::sqrt(1.0f - cosTheta * cosTheta)};
        for (float phi : {0.0f, 1.0f, 3.141592f, 5.5f}) {
            const engine::Direction d = engine::Rotate(start, angle, phi);
            EXPECT_NEAR(Length(d), 1.0f, 2e-6f);
            // The angle between old and new direction is θ.
            const float dot = start.sinPolar * start.cosAzimuth * d.sinPolar * d.cosAzimuth +
                              start.sinPolar * start.sinAzimuth * d.sinPolar * d.sinAzimuth +
                              start.cosPolar * d.cosPolar;
            EXPECT_NEAR(dot, cosTheta, 2e-6f);
        }
    }
    // A cosine a rounding step below -1 is clamped instead of giving a NaN sine.
    const engine::Direction backward{-0.99999994f, 1e-4f, 1.0f, 0.0f};
    const engine::Direction d = engine::Rotate(backward, {1.0f, 2e-3f}, 3.141592f);
    EXPECT_EQ(d.cosPolar, -1.0f);
    EXPECT_EQ(d.sinPolar, 0.0f);
    EXPECT_EQ(d.cosAzimuth, 1.0f);
    // Along the beam axis the new azimuth is φ itself, turned by half a circle.
    const engine::Direction along = engine::Rotate({1.0f, 0.0f, 1.0f, 0.0f}, {0.0f, 1.0f}, 1.0f);
    EXPECT_FLOAT_EQ(along.sinAzimuth, std::sin(1.0f));
    EXPECT_FLOAT_EQ(along.cosAzimuth, -std::cos(1.0f));
}

class TransportTablesTest : public ::testing::Test {
protected:
    enginetest::JobFolder folder;
    engine::Tables tables = engine::LoadTables(folder.Path());
};

TEST_F(TransportTablesTest, CoefficientsMatchTheRowsAndInterpolateLogLog)
{
    const engine::InteractionTable& t = tables.interaction;
    for (int k = 2; k <= t.rows - 1; ++k) {
        const engine::Coefficients c = engine::CoefficientsAt(t, t.energy[k]);
        const float mu = t.photoelectric[k] + t.incoherent[k] + t.coherent[k];
        EXPECT_NEAR(c.mu, mu, mu * 1e-5f) << k;
        EXPECT_NEAR(c.absorption, t.photoelectric[k] / mu, 1e-5f);
        EXPECT_NEAR(c.absorptionCoh, (t.photoelectric[k] + t.coherent[k]) / mu, 1e-5f);
    }
    // Halfway in ln E between 20 and 50 keV lies the geometric mean of the coefficients.
    const engine::Coefficients mid = engine::CoefficientsAt(t, std::sqrt(20.0f * 50.0f));
    const float mu = std::sqrt(0.55f * 0.04f) + std::sqrt(0.18f * 0.19f) + std::sqrt(0.15f * 0.03f);
    EXPECT_NEAR(mid.mu, mu, mu * 1e-5f);
}

TEST_F(TransportTablesTest, SamplersStayPhysical)
{
    engine::Rng rng;
    for (float E : {5.0f, 20.0f, 60.0f}) {
        for (int n = 0; n < 2000; ++n) {
            const engine::ScatterAngle coherent = engine::SampleCoherent(E, tables.scatter, rng);
            ASSERT_NEAR(
                coherent.cosTheta * coherent.cosTheta + coherent.sinTheta * coherent.sinTheta, 1.0f, 1e-6f);
            const engine::IncoherentResult incoherent = engine::SampleIncoherent(E, tables.scatter, rng);
            ASSERT_LE(incoherent.energy, E);
            // Compton: the photon keeps at least E / (1 + 2E/511).
            ASSERT_GE(incoherent.energy, E / (1.0f + 2.0f * E / 511.0f) * 0.9999f);
            ASSERT_GE(incoherent.angle.sinTheta, 0.0f);
        }
    }
}

TEST_F(TransportTablesTest, AlgebraicSinesGiveTheRoundTripAngles)
{
    // From the same deviates both ways accept the same tries, barring a rare rounding flip
    // of a rejection test, and return the same angle to within a few roundings.
    int agreeing = 0;
    for (float E : {20.0f, 60.0f, 150.0f}) {
        engine::Rng roundTrip;
        engine::Rng algebraic;
        for (int n = 0; n < 1000; ++n) {
            const engine::IncoherentResult a = engine::SampleIncoherent(E, tables.scatter, roundTrip);
            const engine::IncoherentResult b =
                engine::SampleIncoherent<engine::AngleSines::Algebraic>(E, tables.scatter, algebraic);
            if (std::fabs(a.angle.cosTheta - b.angle.cosTheta) < 2e-6f &&
                std::fabs(a.angle.sinTheta - b.angle.sinTheta) < 2e-6f &&
                std::fabs(a.energy - b.energy) < 1e-5f * E)
                ++agreeing;
            roundTrip = algebraic; // a flip must not desynchronise the rest
        }
    }
    EXPECT_GE(agreeing, 2990);
}

TEST_F(TransportTablesTest, HighMomentumTransferSkipsTheScatteringFunctionTest)
{
    // S(x) nearly zero below x = 10 rejects every angle that is tested: only angles with
    // q = sin(θ/2) E / 12.4 ≥ 10 can come back.
    for (int k = 1; k < engine::ScatterTable::kRows; ++k) tables.scatter.incoherent[k] = 1e-12f;
    engine::Rng rng;
    for (int n = 0; n < 200; ++n) {
        const engine::IncoherentResult r = engine::SampleIncoherent(150.0f, tables.scatter, rng);
        const float theta = std::atan2(r.angle.sinTheta, r.angle.cosTheta);
        EXPECT_GE(std::sin(theta / 2.0f) * 150.0f / 12.4f, 9.999f);
    }
}

TEST_F(TransportTablesTest, TablesThatRejectEveryTryStopTheRunInsteadOfHangingIt)
{
    engine::Rng rng;
    engine::ScatterTable coherentOutOfReach = tables.scatter;
    // Every form-factor x gives sin(θ/2) > 1 at 20 keV.
    for (int k = 1; k <= engine::ScatterTable::kRows; ++k)
        coherentOutOfReach.x[k] = 9.0f + 0.1f * static_cast<float>(k);
    coherentOutOfReach.xGuide = engine::MakeLookupGuide(coherentOutOfReach.x, 2, engine::ScatterTable::kRows);
    EXPECT_THROW(engine::SampleCoherent(20.0f, coherentOutOfReach, rng), engine::InputError);
    engine::ScatterTable unbound = tables.scatter;
    // S(x) < 0 below x = 10, which 20 keV never reaches: every angle is thinned away.
    for (int k = 1; k < engine::ScatterTable::kRows; ++k) {
        unbound.x[k] = 0.2f * static_cast<float>(k);
        unbound.incoherent[k] = -1.0f;
    }
    unbound.xGuide = engine::MakeLookupGuide(unbound.x, 2, engine::ScatterTable::kRows);
    EXPECT_THROW(engine::SampleIncoherent(20.0f, unbound, rng), engine::InputError);

    // A focus so near that every entry point rounds onto the axis: the history ends.
    tables.job.fsd = 1e-30f;
    tables.job.fieldWidth = 1e-30f;
    tables.job.fieldLength = 1e-30f;
    class : public engine::EscapeScorer {
        void Score(const engine::Photon&) override { }
    } none;
    engine::Transport transport(tables, rng, none);
    transport.RunHistory(60.0f);
}

class CountingScorer : public engine::EscapeScorer {
public:
    void Score(const engine::Photon& photon) override
    {
        ++count;
        EXPECT_TRUE(photon.scattered);
        EXPECT_NE(photon.direction.cosPolar, 0.0f);
        EXPECT_GE(photon.energy, 5.0f);
    }
    int count = 0;
};

bool SameState(const engine::Rng& a, const engine::Rng& b)
{
    for (int i = 1; i <= 55; ++i) {
        if (a.Entry(i) != b.Entry(i)) return false;
    }
    return a.ShortIndex() == b.ShortIndex() && a.LongIndex() == b.LongIndex();
}

TEST_F(TransportTablesTest, CutOffAtFiveKeV)
{
    tables.job.fieldWidth = 10.0f; // flat face only: the entry takes exactly two deviates
    CountingScorer scorer;
    engine::Rng rng;
    engine::Transport transport(tables, rng, scorer);

    engine::Rng entryOnly = rng;
    transport.RunHistory(4.99f);
    entryOnly.Next();
    entryOnly.Next();
    EXPECT_TRUE(SameState(rng, entryOnly)) << "a photon below 5 keV must not fly";

    entryOnly = rng;
    transport.RunHistory(5.0f);
    entryOnly.Next();
    entryOnly.Next();
    EXPECT_FALSE(SameState(rng, entryOnly)) << "a 5 keV photon flies";
}

TEST_F(TransportTablesTest, UnscatteredPhotonsAreNeverScored)
{
    // A nearly transparent phantom: photons leave on their first flight.
    for (int k = 1; k <= tables.interaction.rows; ++k) {
        tables.interaction.logCoherent[k] = std::log(1e-9f);
        tables.interaction.logIncoherent[k] = std::log(1e-9f);
        tables.interaction.logPhotoelectric[k] = std::log(1e-9f);
    }
    CountingScorer scorer;
    engine::Rng rng;
    engine::Transport transport(tables, rng, scorer);
    for (int n = 0; n < 5000; ++n) transport.RunHistory(60.0f);
    EXPECT_EQ(scorer.count, 0);

    // With the real coefficients scattered photons do reach the scorer.
    const engine::Tables real = engine::LoadTables(folder.Path());
    engine::Transport scattering(real, rng, scorer);
    for (int n = 0; n < 5000; ++n) scattering.RunHistory(60.0f);
    EXPECT_GT(scorer.count, 500);
}

} // namespace
