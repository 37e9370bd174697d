// MUs.dat and default-output.op read free-format as the front end reads them.
#include "table_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tabletest {
namespace {

constexpr double kAluminiumDensity = 2.699;
constexpr double kKermaPerExposure = 33.97; // Gy per C/kg

std::vector<double> MusNumbers() { return FreeFormNumbers(ReadCrLfLines(DataPath("MUs.dat")), 0); }

TEST(MusDat, ThreeHundredSlotsOfFourNumbers)
{
    const std::vector<double> v = MusNumbers();
    ASSERT_EQ(v.size(), 1200u);
    for (int i = 0; i < 300; ++i) {
        EXPECT_DOUBLE_EQ(v[4 * i], 0.5 * (i + 1)) << "record " << i + 1;
        for (int m = 1; m <= 3; ++m) EXPECT_GT(v[4 * i + m], 0.0) << "record " << i + 1;
    }
}

// Aluminium μ/ρ from NIST SRD 126 (reference-data.md), cm²/g.
TEST(MusDat, AluminiumMatchesNist)
{
    const std::vector<double> v = MusNumbers();
    const struct {
        double E, muRho;
    } cases[] = {{10, 26.23}, {20, 3.441}, {30, 1.128}, {60, 0.2778}, {100, 0.1704}};
    for (const auto& c : cases) {
        const std::size_t slot = static_cast<std::size_t>(std::lround(2.0 * c.E));
        EXPECT_NEAR(v[4 * (slot - 1) + 2] / kAluminiumDensity / c.muRho, 1.0, 0.03) << c.E << " keV";
    }
}

// K edges fall between neighbouring slots: tungsten at 69.5 keV, copper at 8.98 keV.
TEST(MusDat, AbsorptionEdgesAreSteps)
{
    const std::vector<double> v = MusNumbers();
    auto mu = [&](double E, int metal) { return v[4 * (std::lround(2.0 * E) - 1) + metal]; };
    EXPECT_GT(mu(70.0, 1) / mu(69.5, 1), 4.0);
    EXPECT_GT(mu(9.0, 3) / mu(8.5, 3), 5.0);
}

// The output table: voltages, then per waveform 12 outputs and the reference Al and Cu (mm).
struct OutputTable {
    std::vector<double> kV;
    std::vector<double> output[3];
    double refAl[3] = {0, 0, 0};
    double refCu[3] = {0, 0, 0};
};

OutputTable ReadOutputTable()
{
    const std::vector<double> v = FreeFormNumbers(ReadCrLfLines(DataPath("default-output.op")), 1);
    OutputTable t;
    if (v.size() != 54u)
        throw std::runtime_error("default-output.op: " + std::to_string(v.size()) + " numbers");
    t.kV.assign(v.begin(), v.begin() + 12);
    for (int r = 0; r < 3; ++r) {
        const auto first = v.begin() + 12 + 14 * r;
        t.output[r].assign(first, first + 12);
        t.refAl[r] = first[12];
        t.refCu[r] = first[13];
    }
    return t;
}

TEST(DefaultOutput, VoltagesAndReferenceFiltration)
{
    const OutputTable t = ReadOutputTable();
    for (int j = 0; j < 12; ++j) EXPECT_EQ(t.kV[j], 40.0 + 10.0 * j);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(t.refAl[r], 2.5);
        EXPECT_EQ(t.refCu[r], 0.0);
    }
}

// Converted as the front end does (× 33.97 Gy per C/kg), 80 kV constant potential must be a
// realistic 40 to 65 µGy/mAs at 100 cm and agree with the survey fit 0.008373·kV^1.983 µGy/mAs
// at 101.6 cm.
TEST(DefaultOutput, ConstantPotentialFollowsTheSurveyFit)
{
    const OutputTable t = ReadOutputTable();
    const double at80 = t.output[0][4] * kKermaPerExposure * 1e6;
    EXPECT_GT(at80, 40.0);
    EXPECT_LT(at80, 65.0);
    for (int j = 0; j < 12; ++j) {
        const double fit = 0.008373 * std::pow(t.kV[j], 1.983) * 1.016 * 1.016;
        EXPECT_NEAR(t.output[0][j] * kKermaPerExposure * 1e6 / fit, 1.0, 1e-3) << t.kV[j] << " kV";
    }
}

// A 12-peak generator's ripple costs a few per cent; a single-phase generator spends much of
// each half cycle at low voltage and gives markedly less per mAs. Outputs rise with voltage.
TEST(DefaultOutput, RippledWaveformsGiveLessPerMas)
{
    const OutputTable t = ReadOutputTable();
    for (int j = 0; j < 12; ++j) {
        const double twelvePeak = t.output[1][j] / t.output[0][j];
        const double singlePhase = t.output[2][j] / t.output[0][j];
        EXPECT_GT(twelvePeak, 0.95) << t.kV[j];
        EXPECT_LT(twelvePeak, 1.0) << t.kV[j];
        EXPECT_GT(singlePhase, 0.5) << t.kV[j];
        EXPECT_LT(singlePhase, 0.8) << t.kV[j];
        for (int r = 0; r < 3 && j > 0; ++r) {
            EXPECT_GT(t.output[r][j], t.output[r][j - 1]);
        }
    }
}

} // namespace
} // namespace tabletest
