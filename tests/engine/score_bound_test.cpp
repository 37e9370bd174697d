#include "engine/input_files.h"
#include "engine/score_bound.h"
#include "engine/scoring.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// A scattered photon at `from` flying straight to `to`.
engine::Photon Towards(const float (&from)[3], const float (&to)[3], float energy)
{
    const double dx = to[0] - from[0];
    const double dy = to[1] - from[1];
    const double dz = to[2] - from[2];
    const double across = std::sqrt(dx * dx + dy * dy);
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    engine::Photon photon;
    photon.x = from[0];
    photon.y = from[1];
    photon.z = from[2];
    photon.energy = energy;
    photon.direction = {static_cast<float>(dz / length), static_cast<float>(across / length),
        static_cast<float>(dx / across), static_cast<float>(dy / across)};
    photon.scattered = true;
    return photon;
}

TEST(ScoreBoundTest, TheMostObliqueScoresStayWithinTheBoundAndNearIt)
{
    // Flat air coefficients, so that the bound's only slack is the geometry.
    enginetest::JobFolder folder;
    engine::Tables tables = engine::LoadTables(folder.Path());
    tables.air.coefficient.fill(2.0f);
    const float top = static_cast<float>(tables.spectrum.lastBin) * engine::Spectrum::kBinWidth;
    const engine::CellScoreBound bound = engine::LargestCellScore(
        tables.air, tables.spectrum.lastBin, engine::LargestConversion(tables.conversion));
    EXPECT_EQ(bound.dose, bound.kerma * engine::LargestConversion(tables.conversion));

    // From the phantom's edge to the first plane, grazing the far end of the grid and the
    // edge of a height band: the flattest crossings the grid scores.
    const struct {
        const engine::EngineGeometry* geometry;
        float from[3];
        float to[3];
    } cases[] = {
        {&engine::kStandingGeometry, {15.0f, -30.0f, 0.0f}, {20.0f, 53.0f, 303.9f}},
        {&engine::kStandingGeometry, {-15.0f, 30.0f, 0.0f}, {-20.0f, -53.0f, -303.9f}},
        {&engine::kSupineGeometry, {15.0f, 30.0f, 0.0f}, {20.0f, -303.9f, -53.0f}},
        {&engine::kSupineGeometry, {-15.0f, -30.0f, 0.0f}, {-20.0f, 303.9f, 53.0f}},
    };
    for (const auto& c : cases) {
        auto grids = std::make_unique<engine::Grids>();
        engine::GridScorer scorer(tables, *c.geometry, *grids);
        scorer.Score(Towards(c.from, c.to, top));
        const double kerma = *std::max_element(grids->kerma.begin(), grids->kerma.end());
        const double dose = *std::max_element(grids->dose.begin(), grids->dose.end());
        EXPECT_LE(kerma, bound.kerma) << c.geometry->geometryCode;
        EXPECT_LE(dose, bound.dose) << c.geometry->geometryCode;
        EXPECT_GT(kerma, 0.85 * bound.kerma) << c.geometry->geometryCode;
    }
}

} // namespace
