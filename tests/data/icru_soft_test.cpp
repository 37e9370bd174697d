// ICRUSoft.dat against its layout, NIST SRD 126 and the elemental xraylib data it comes from.
#include "icru_soft_table.h"
#include "soft_tissue.h"
#include "table_reader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tabletest {
namespace {

constexpr double kAvogadro = 6.02214076e23;

// Standard atomic weights, g/mol, independent of the generator's source.
double StandardAtomicWeight(int Z)
{
    switch (Z) {
    case 1:
        return 1.008;
    case 6:
        return 12.011;
    case 7:
        return 14.007;
    case 8:
        return 15.999;
    case 11:
        return 22.990;
    case 15:
        return 30.974;
    case 16:
        return 32.06;
    case 17:
        return 35.45;
    case 19:
        return 39.098;
    }
    return 0.0;
}

TEST(IcruSoft, RecordsFollowTheLayout)
{
    const IcruSoftTable t = ReadIcruSoft();
    EXPECT_EQ(t.rows, 25);
    EXPECT_DOUBLE_EQ(t.density, 1.06);
    EXPECT_EQ(t.recordLengths[0], 3);
    EXPECT_EQ(t.recordLengths[1], 9);
    for (int r = 0; r < t.rows; ++r) EXPECT_EQ(t.recordLengths[2 + r], 39) << "row " << r + 1;
    for (int r = 0; r < 45; ++r) EXPECT_EQ(t.recordLengths[2 + t.rows + r], 34) << "x row " << r + 1;
}

TEST(IcruSoft, EnergiesAscendAndCoverTheSpectrum)
{
    const IcruSoftTable t = ReadIcruSoft();
    EXPECT_LE(t.energy.front(), 5.0);
    EXPECT_GT(t.energy.back(), 150.0);
    for (std::size_t k = 1; k < t.energy.size(); ++k) EXPECT_GT(t.energy[k], t.energy[k - 1]);
}

// NIST SRD 126 total μ/ρ of ICRU-44 soft tissue (reference-data.md), cm²/g.
TEST(IcruSoft, TotalMassAttenuationMatchesNist)
{
    const IcruSoftTable t = ReadIcruSoft();
    const struct {
        double E, nist;
    } cases[] = {{50, 0.2264}, {60, 0.2048}, {80, 0.1823}, {100, 0.1693}};
    for (const auto& c : cases) {
        const double total = LogLogAt(t.energy, t.coherent, c.E) + LogLogAt(t.energy, t.incoherent, c.E) +
                             LogLogAt(t.energy, t.photoelectric, c.E);
        EXPECT_NEAR(total / 1.06 / c.nist, 1.0, 0.03) << c.E << " keV";
    }
}

// Between rows the engine interpolates log-log; the printed rows must carry the elemental sums
// to within 1 % everywhere, not only at the nodes.
TEST(IcruSoft, LogLogInterpolationFollowsTheElementalData)
{
    const IcruSoftTable t = ReadIcruSoft();
    for (std::size_t k = 1; k < t.energy.size(); ++k) {
        for (double s : {0.0, 0.25, 0.5, 0.75}) {
            const double E = t.energy[k - 1] * std::pow(t.energy[k] / t.energy[k - 1], s);
            const tablegen::InteractionCoefficients exact = tablegen::SoftTissueCoefficients(E);
            EXPECT_NEAR(LogLogAt(t.energy, t.coherent, E) / exact.coherent, 1.0, 0.01) << E;
            EXPECT_NEAR(LogLogAt(t.energy, t.incoherent, E) / exact.incoherent, 1.0, 0.01) << E;
            EXPECT_NEAR(LogLogAt(t.energy, t.photoelectric, E) / exact.photoelectric, 1.0, 0.01) << E;
        }
    }
}

TEST(IcruSoft, ScatteringFunctionsStartAtZeroAndRiseMonotonically)
{
    const IcruSoftTable t = ReadIcruSoft();
    EXPECT_EQ(t.x.front(), 0.0);
    EXPECT_GE(t.x.back(), 10.0);
    EXPECT_EQ(t.cumulative.front(), 0.0);
    EXPECT_EQ(t.incoherentS.front(), 0.0);
    for (std::size_t k = 1; k < t.x.size(); ++k) {
        EXPECT_GT(t.x[k], t.x[k - 1]);
        EXPECT_GE(t.cumulative[k], t.cumulative[k - 1]);
        EXPECT_GE(t.incoherentS[k], t.incoherentS[k - 1]);
    }
}

// Limits that follow from the composition alone: S(x) tends to the electrons per gram, and near
// x = 0 the cumulative of F²·2x is F²(0)·x² with F²(0) = Σ atoms per gram × Z².
TEST(IcruSoft, ScatteringFunctionsMeetTheirAnalyticLimits)
{
    const IcruSoftTable t = ReadIcruSoft();
    double electrons = 0.0;
    double zSquared = 0.0;
    for (const tablegen::ElementFraction& e : tablegen::kSoftTissue) {
        const double atoms = e.massFraction * kAvogadro / StandardAtomicWeight(e.Z);
        electrons += atoms * e.Z;
        zSquared += atoms * e.Z * e.Z;
    }
    EXPECT_NEAR(t.incoherentS.back() / electrons, 1.0, 0.002);
    EXPECT_NEAR(t.cumulative[1] / (zSquared * t.x[1] * t.x[1]), 1.0, 0.01);
}

} // namespace
} // namespace tabletest
