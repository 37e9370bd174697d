#include "engine/input_files.h"
#include "engine/scoring.h"
#include "engine_test_support.h"
#include "plain_scorer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

namespace {

class ScoringTest : public ::testing::Test {
protected:
    // A photon at (x, y, z) flying with the given stored direction numbers.
    static engine::Photon Escaping(float x, float y, float z, float c, float n, float s, float w, float E)
    {
        engine::Photon p;
        p.x = x;
        p.y = y;
        p.z = z;
        p.direction = {w, s, c, n};
        p.energy = E;
        p.scattered = true;
        return p;
    }

    static bool SameGrids(const engine::Grids& a, const engine::Grids& b)
    {
        return std::memcmp(a.kerma.data(), b.kerma.data(), sizeof a.kerma) == 0 &&
               std::memcmp(a.dose.data(), b.dose.data(), sizeof a.dose) == 0 &&
               std::memcmp(a.kermaSquares.data(), b.kermaSquares.data(), sizeof a.kermaSquares) == 0 &&
               std::memcmp(a.doseSquares.data(), b.doseSquares.data(), sizeof a.doseSquares) == 0;
    }

    int ScoredCells(const engine::Grids& grids) const
    {
        int cells = 0;
        for (double v : grids.kerma) cells += v != 0.0 ? 1 : 0;
        return cells;
    }

    enginetest::JobFolder folder;
    engine::Tables tables = engine::LoadTables(folder.Path());
    std::unique_ptr<engine::Grids> grids = std::make_unique<engine::Grids>();
    std::unique_ptr<engine::Grids> plain = std::make_unique<engine::Grids>();
    engine::GridScorer scorer{tables, engine::kStandingGeometry, *grids};
    enginetest::PlainScorer plainScorer{tables, engine::kStandingGeometry, *plain};
};

TEST_F(ScoringTest, TenKeVScoresAndJustBelowDoesNot)
{
    // Straight along +x in the centre plane: every plane from 20 cm out, disc z = 0, height 0.
    scorer.Score(Escaping(0, 0, 0, 1, 0, 1, 0, 9.99f));
    EXPECT_EQ(ScoredCells(*grids), 0);
    scorer.Score(Escaping(0, 0, 0, 1, 0, 1, 0, 10.0f));
    EXPECT_EQ(ScoredCells(*grids), 39);
    for (int i = 2; i < engine::Grids::kLateral; ++i)
        EXPECT_GT(grids->kerma[engine::Grids::Index(1, 30, i)], 0.0f);
}

TEST_F(ScoringTest, TenMillionEqualScoresSumWithoutDrift)
{
    // A single-precision sum stops growing once the score falls below half its last digit.
    const float q = 0.3f;
    const float h = 1.7f;
    const int cell = engine::Grids::Index(1, 30, 4);
    for (int n = 0; n < 10000000; ++n) scorer.ScorePlane(1, 4, 0.0f, 0.0f, q, h);
    EXPECT_NEAR(grids->kerma[cell] / (1e7 * q), 1.0, 1e-6);
    EXPECT_NEAR(grids->dose[cell] / (1e7 * static_cast<double>(q * h)), 1.0, 1e-6);
}

TEST_F(ScoringTest, TopEnergyUsesTheLastAirEntry)
{
    // At 150 keV the look-up would need entry 301; it holds at 300 and gives A300 exactly.
    scorer.Score(Escaping(0, 0, 0, 1, 0, 1, 0, 150.0f));
    EXPECT_EQ(grids->kerma[engine::Grids::Index(1, 30, 5)], tables.air.coefficient[300] * 150.0f);
}

TEST_F(ScoringTest, MirrorImageScoresTheSameCells)
{
    auto mirrored = std::make_unique<engine::Grids>();
    engine::GridScorer mirrorScorer(tables, engine::kStandingGeometry, *mirrored);
    scorer.Score(Escaping(3.0f, 2.0f, -4.0f, 0.8f, 0.6f, 0.7f, 0.714142f, 60.0f));
    mirrorScorer.Score(Escaping(-3.0f, 2.0f, -4.0f, -0.8f, 0.6f, 0.7f, 0.714142f, 60.0f));
    EXPECT_GT(ScoredCells(*grids), 0);
    EXPECT_TRUE(SameGrids(*grids, *mirrored));
}

TEST_F(ScoringTest, DiscEdgeAtDistanceSquaredTwentyFive)
{
    struct Case {
        float z;   // crossing position along the beam axis
        int discs; // discs hit on each plane at height 0
    };
    // 5 cm from both z = 0 and z = 10: two touching discs score; a little farther, one.
    const Case cases[] = {{5.0f, 2}, {5.0001f, 1}, {4.9999f, 1}, {-295.0f, 2}, {305.0f, 1}, {305.001f, 0}};
    for (const Case& c : cases) {
        auto fastGrids = std::make_unique<engine::Grids>();
        auto plainGrids = std::make_unique<engine::Grids>();
        engine::GridScorer fastAlone(tables, engine::kStandingGeometry, *fastGrids);
        enginetest::PlainScorer plainAlone(tables, engine::kStandingGeometry, *plainGrids);
        fastAlone.Score(Escaping(0, 0, c.z, 1, 0, 1, 0, 30.0f));
        plainAlone.Score(Escaping(0, 0, c.z, 1, 0, 1, 0, 30.0f));
        EXPECT_EQ(ScoredCells(*fastGrids), 39 * c.discs) << c.z << " fast";
        EXPECT_EQ(ScoredCells(*plainGrids), 39 * c.discs) << c.z << " plain";
    }
    // Height offset 3 and along offset 4: 9 + 16 = 25 scores.
    scorer.Score(Escaping(0, 3.0f, 4.0f, 1, 0, 1, 0, 30.0f));
    EXPECT_EQ(ScoredCells(*grids), 39);
}

TEST_F(ScoringTest, FastDiscSearchEqualsAllSixtyOneDiscs)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int n = 0; n < 40000; ++n) {
        const float w = 2.0f * unit(random) - 1.0f;
        const float s = std::sqrt(1.0f - w * w);
        const float phi = 6.283184f * unit(random);
        engine::Photon p = Escaping(30.0f * unit(random) - 15.0f, 60.0f * unit(random) - 30.0f,
            20.0f * unit(random) - 10.0f, std::cos(phi), std::sin(phi), s, w, 10.0f + 140.0f * unit(random));
        if (n % 4 == 0) p.direction.cosPolar = 1e-3f * (unit(random) - 0.5f); // near-perpendicular flights
        scorer.Score(p);
        plainScorer.Score(p);
    }
    // Crossings on and around disc edges, the ends of the axis and the height bands.
    for (float z :
        {-305.0f, -300.0f, -295.0f, -5.0f, 0.0f, 5.0f, 4.99999f, 5.00001f, 295.0f, 305.0f, 305.00003f}) {
        for (float y : {-55.0f, -50.0f, -45.0f, -3.0f, 0.0f, 4.0f, 45.0f, 49.99f, 55.0f, 55.0001f}) {
            const engine::Photon p = Escaping(0.5f, y, z, -1, 0, 1, 0, 80.0f);
            scorer.Score(p);
            plainScorer.Score(p);
        }
    }
    // Flights whose crossing height meets a band edge exactly at some plane.
    for (int i = 2; i < engine::Grids::kLateral; ++i) {
        for (float edge : {-55.0f, -45.0f, -5.0f, 5.0f, 45.0f, 55.0f}) {
            for (float py : {-30.0f, 0.0f, 12.5f}) {
                const float xp = 10.0f * static_cast<float>(i);
                const float rise = edge - py;
                const float norm = std::sqrt(xp * xp + rise * rise);
                const engine::Photon p = Escaping(0.0f, py, 1.0f, xp / norm, rise / norm, 1.0f, 0.0f, 70.0f);
                scorer.Score(p);
                plainScorer.Score(p);
            }
        }
    }
    EXPECT_GT(ScoredCells(*grids), 2000);
    EXPECT_TRUE(SameGrids(*grids, *plain));
}

TEST_F(ScoringTest, WholeRunOfFastAndPlainScoringGivesIdenticalGrids)
{
    engine::Rng fastRng;
    engine::Rng plainRng;
    engine::Transport fast(tables, fastRng, scorer);
    engine::Transport slow(tables, plainRng, plainScorer);
    for (int bin = 40; bin <= 119; bin += 3) {
        for (int n = 0; n < 1500; ++n) {
            fast.RunHistory(static_cast<float>(bin) * 0.5f);
            slow.RunHistory(static_cast<float>(bin) * 0.5f);
        }
    }
    EXPECT_GT(ScoredCells(*grids), 1000);
    EXPECT_TRUE(SameGrids(*grids, *plain));
}

TEST_F(ScoringTest, SquaresAreThoseOfEachHistorysWholeContribution)
{
    // The same histories once into the run's grids and once into a grid cleared before each
    // history: a cell scored twice in one history would make the sum of squares differ from
    // the sum of the squared history totals.
    auto one = std::make_unique<engine::Grids>();
    auto totals = std::make_unique<engine::Grids>();
    engine::GridScorer oneScorer(tables, engine::kStandingGeometry, *one);
    engine::Rng runRng;
    engine::Rng oneRng;
    engine::Transport run(tables, runRng, scorer);
    engine::Transport single(tables, oneRng, oneScorer);
    for (int n = 0; n < 4000; ++n) {
        const float energy = 20.0f + 0.5f * static_cast<float>(n % 200);
        run.RunHistory(energy);
        *one = engine::Grids{};
        single.RunHistory(energy);
        for (int cell = 0; cell < engine::Grids::kCells; ++cell) {
            totals->kermaSquares[cell] += one->kerma[cell] * one->kerma[cell];
            totals->doseSquares[cell] += one->dose[cell] * one->dose[cell];
        }
    }
    EXPECT_GT(ScoredCells(*grids), 1000);
    EXPECT_TRUE(totals->kermaSquares == grids->kermaSquares);
    EXPECT_TRUE(totals->doseSquares == grids->doseSquares);
}

TEST_F(ScoringTest, NearLateralPositionsStayZeroAndNormalisingScalesLinearly)
{
    engine::Rng rng;
    engine::Transport transport(tables, rng, scorer);
    for (int n = 0; n < 20000; ++n) transport.RunHistory(50.0f);
    for (int block = 0; block < 3; ++block) {
        for (int b = 0; b < engine::Grids::kAlong; ++b) {
            EXPECT_EQ(grids->kerma[engine::Grids::Index(block, b, 0)], 0.0f);
            EXPECT_EQ(grids->kerma[engine::Grids::Index(block, b, 1)], 0.0f);
        }
    }

    // Doubling the tube output doubles every value exactly.
    *plain = *grids;
    engine::Normalise(tables, *grids);
    tables.job.tubeOutput *= 2.0f;
    engine::Normalise(tables, *plain);
    int compared = 0;
    for (int cell = 0; cell < engine::Grids::kCells; ++cell) {
        ASSERT_EQ(plain->kerma[cell], 2.0f * grids->kerma[cell]);
        ASSERT_EQ(plain->dose[cell], 2.0f * grids->dose[cell]);
        compared += grids->kerma[cell] > 0.0f ? 1 : 0;
    }
    EXPECT_GT(compared, 100);
}

TEST(SupineGeometryTest, HeightsAlongTheBeamAxisScoreDiscsAlongTheLongAxis)
{
    // The same library with heights measured along z: a photon crossing at z = 50, y = 20
    // lands in the +50 cm block at the long-axis position 20 cm.
    const engine::EngineGeometry supine{"supine", "  1", engine::HeightAxis::Z, {-50.0f, 0.0f, 50.0f}};
    enginetest::JobFolder folder;
    const engine::Tables tables = engine::LoadTables(folder.Path());
    auto grids = std::make_unique<engine::Grids>();
    engine::GridScorer scorer(tables, supine, *grids);
    engine::Photon p;
    p.z = 50.0f;
    p.y = 20.0f;
    p.direction = {0.0f, 1.0f, 1.0f, 0.0f};
    p.energy = 40.0f;
    scorer.Score(p);
    EXPECT_GT(grids->kerma[engine::Grids::Index(2, 32, 10)], 0.0f);
    EXPECT_EQ(grids->kerma[engine::Grids::Index(1, 30, 10)], 0.0f);
}

// The guided search of the conversion look-up finds what a scan from the first
// row upward finds: on repeated energies, on the rows themselves, between, below and beyond.
TEST(ConversionLookupTest, GuidedSearchEqualsScan)
{
    std::array<float, 12> energy{};
    const float rows[] = {10.0f, 10.5f, 11.0f, 11.0f, 11.0f, 12.0f, 13.5f, 13.5f, 14.0f, 15.0f, 20.0f};
    for (int i = 1; i <= 11; ++i) energy[static_cast<std::size_t>(i)] = rows[i - 1];
    for (int last = 1; last <= 11; ++last) {
        for (float v = 9.0f; v <= 21.0f; v += 0.25f) {
            int scan = 1;
            while (scan < last && !(energy[static_cast<std::size_t>(scan)] > v)) ++scan;
            EXPECT_EQ(
                engine::FirstAboveGuided(energy,
                    engine::MakeLookupGuide<engine::BasicLookupGuide<64, std::uint16_t>>(energy, 1, last), 1,
                    last, v),
                scan)
                << "last " << last << ", v " << v;
        }
    }
}

} // namespace
