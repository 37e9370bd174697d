#include "logic/start/XraySpectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "ShippedTables.h"
#include "physics/thick_target.h"

using namespace brisca;

namespace {

CalculationConditions Defaults() { return CalculationConditions{}; }

// The spectrum of conditions that must give one.
XraySpectrum Spectrum(const CalculationConditions& conditions, const DataTables& tables = ShippedTables())
{
    Expected<XraySpectrum> spectrum = ComputeXraySpectrum(conditions, tables);
    if (!spectrum) {
        ADD_FAILURE() << MessageText(spectrum.Failure());
        return {};
    }
    return *spectrum;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

TEST(XraySpectrum, DefaultConditionsWriteTheDescriptorLines)
{
    const XraySpectrum s = Spectrum(Defaults());
    const auto lines = Lines(SpectrumFileText(s));
    ASSERT_EQ(lines.size(), 307u);
    EXPECT_EQ(lines[0], "0000.5, 0.00000");
    EXPECT_EQ(lines[299].substr(0, 8), "0150.0, ");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 301, lines.end()),
        (std::vector<std::string>{"080.0", "1.00", "12.0", "02.500", "01.500", "00.000"}));
    EXPECT_NEAR(std::stod(lines[300]), 1000.0 * s.smax, 1e-14 * 1000.0 * s.smax) << "15 significant digits";
    const SpectrumLimits limits = ApplySpectrumLimits(Defaults());
    EXPECT_FALSE(limits.correctedTubeVoltage || limits.correctedInherentFiltration);
}

TEST(XraySpectrum, RecordsKeepTheEngineColumns)
{
    // The engine reads the energy from columns 1-6, a separator from column 7 and the
    // intensity from columns 8-15.
    const auto lines = Lines(SpectrumFileText(Spectrum(Defaults())));
    int largest = 0;
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(lines[i].size(), 15u) << lines[i];
        EXPECT_EQ(lines[i][6], ',');
        const double relative = std::stod(lines[i].substr(7));
        EXPECT_GE(relative, 0.0);
        EXPECT_LE(relative, 1.0);
        if (lines[i].substr(8) == "1.00000") ++largest;
    }
    EXPECT_GE(largest, 1) << "the maximum is written as exactly 1.00000";
}

struct LimitCase {
    double voltage;
    double inherent;
    const char* correctedVoltage; // empty: not corrected
    const char* correctedInherent;
    const char* line302;
    const char* line305;
    int lastFilledSlot;
};

TEST(XraySpectrum, VoltageAndInherentFiltrationLimits)
{
    const LimitCase cases[] = {
        {150, 2.5, "149.5", "", "149.5", "02.500", 298},
        {1000, 2.5, "149.5", "", "149.5", "02.500", 298},
        {149.4, 2.5, "", "", "149.4", "02.500", 298},
        {25, 2.5, "30", "", "030.0", "02.500", 59},
        {30, 2.5, "30", "", "030.0", "02.500", 59},
        {0, 2.5, "30", "", "030.0", "02.500", 59},
        {80, 0.5, "", "1", "080.0", "01.000", 159},
        {80, 0, "", "1", "080.0", "01.000", 159},
        {80, 1, "", "", "080.0", "01.000", 159},
    };
    for (const auto& c : cases) {
        CalculationConditions conditions = Defaults();
        conditions.tubeVoltageKv = c.voltage;
        conditions.inherentFiltrationMmAl = c.inherent;
        const XraySpectrum s = Spectrum(conditions);
        const SpectrumLimits limits = ApplySpectrumLimits(conditions);
        EXPECT_EQ(limits.correctedTubeVoltage.value_or(""), c.correctedVoltage) << c.voltage;
        EXPECT_EQ(limits.correctedInherentFiltration.value_or(""), c.correctedInherent) << c.inherent;
        const auto lines = Lines(SpectrumFileText(s));
        EXPECT_EQ(lines[301], c.line302);
        EXPECT_EQ(lines[304], c.line305);
        // The peak voltage is never quite reached, so the slot at 2V stays empty.
        EXPECT_GT(s.spectrum[c.lastFilledSlot], 0.0) << c.voltage;
        EXPECT_EQ(s.spectrum[c.lastFilledSlot + 1], 0.0) << c.voltage;
    }
}

TEST(XraySpectrum, SlotAtEightyKeVStaysEmptyAtEightyKilovolts)
{
    const XraySpectrum s = Spectrum(Defaults());
    EXPECT_EQ(s.spectrum[160], 0.0);
    EXPECT_EQ(Lines(SpectrumFileText(s))[159], "0080.0, 0.00000");
}

TEST(XraySpectrum, PhaseStepsOfEachWaveform)
{
    for (const auto& [rectifier, steps] : {std::pair{Rectifier::ConstantPotential, 1},
             std::pair{Rectifier::ThreePhase12Peak, 16}, std::pair{Rectifier::SinglePhase, 45}}) {
        CalculationConditions conditions = Defaults();
        conditions.rectifier = rectifier;
        EXPECT_EQ(Spectrum(conditions).phaseSteps, steps) << "waveform " << static_cast<int>(rectifier);
    }
}

// With aluminium and copper made transparent the filtered spectrum times the slot energy
// is the waveform average itself, which the description fixes phase by phase.
TEST(XraySpectrum, WaveformAverageWeightsEachPhaseStep)
{
    DataTables transparent = ShippedTables();
    transparent.muAl.fill(0.0);
    transparent.muCu.fill(0.0);
    const double cotTheta = 1.0 / std::tan(3.14159 * 12.0 / 180.0);

    struct WaveformCase {
        Rectifier rectifier;
        std::vector<int> angles;
    };
    std::vector<int> threePhase, singlePhase;
    for (int phi = 75; phi <= 90; ++phi) threePhase.push_back(phi);
    for (int phi = 2; phi <= 90; phi += 2) singlePhase.push_back(phi);
    for (const WaveformCase& c : {WaveformCase{Rectifier::ThreePhase12Peak, threePhase},
             WaveformCase{Rectifier::SinglePhase, singlePhase}}) {
        CalculationConditions conditions = Defaults();
        conditions.tubeVoltageKv = 100;
        conditions.rectifier = c.rectifier;
        const XraySpectrum s = Spectrum(conditions, transparent);

        SlotTable expected{};
        for (const int phi : c.angles) {
            const double sine = std::sin(3.14159 * phi / 180.0);
            const double weight =
                c.rectifier == Rectifier::SinglePhase ? std::pow(std::min(1.0, sine / 0.75), 1.5) : 1.0;
            SlotTable phase{};
            physics::ThickTargetIntensity(sine * 100.0, cotTheta, transparent.muTarget, phase);
            physics::AddTungstenKLines(sine * 100.0, phase);
            for (int i = 2; i <= 300; ++i)
                expected[i] += weight * phase[i] / static_cast<double>(c.angles.size());
        }
        for (int i : {2, 20, 60, 116, 119, 150, 199}) {
            EXPECT_NEAR(s.spectrum[i] * 0.5 * i, expected[i], 1e-12 * expected[119])
                << "waveform " << static_cast<int>(c.rectifier) << " slot " << i;
        }
    }
}

TEST(XraySpectrum, SinglePhaseIsSofterThanConstantPotential)
{
    CalculationConditions single = Defaults();
    single.rectifier = Rectifier::SinglePhase;
    const XraySpectrum a = Spectrum(Defaults());
    const XraySpectrum b = Spectrum(single);
    double meanA = 0, meanB = 0, sumA = 0, sumB = 0;
    for (int i = 2; i <= 300; ++i) {
        meanA += a.spectrum[i] * i;
        sumA += a.spectrum[i];
        meanB += b.spectrum[i] * i;
        sumB += b.spectrum[i];
    }
    EXPECT_LT(meanB / sumB, meanA / sumA);
}

struct KLineCase {
    double vi;
    bool lines;
};

TEST(XraySpectrum, KLinesOnlyAboveSeventyKilovolts)
{
    for (const KLineCase& c : {KLineCase{60.0, false}, KLineCase{70.0, false}, KLineCase{70.25, true},
             KLineCase{80.0, true}, KLineCase{149.5, true}}) {
        SlotTable phase{};
        const int top = static_cast<int>(std::floor(2 * c.vi));
        for (int i = 2; i <= top; ++i) phase[i] = 1.0;
        physics::AddTungstenKLines(c.vi, phase);
        const double kf = (std::sqrt(8.79856 * c.vi - 595.149) - 4.55528) / 4.39928;
        const double A = c.lines ? 0.01 * kf * (top - 1) : 0.0;
        const auto flat = [&](int slot) { return slot <= top ? 1.0 : 0.0; };
        EXPECT_DOUBLE_EQ(phase[119], flat(119) + 0.5048 * A) << c.vi;
        EXPECT_DOUBLE_EQ(phase[116], flat(116) + 0.2908 * A) << c.vi;
        EXPECT_DOUBLE_EQ(phase[134], flat(134) + 0.162 * A) << c.vi;
        EXPECT_DOUBLE_EQ(phase[138], flat(138) + 0.0424 * A) << c.vi;
        EXPECT_EQ(phase[117], 1.0);
        EXPECT_EQ(phase[top + 1], 0.0);
    }
}

TEST(XraySpectrum, KermaRatioIsOneAtTheReferenceFiltration)
{
    DataTables tables = ShippedTables();
    tables.refAl = {0.0, 0.25, 0.2, 0.3};
    tables.refCu = {0.0, 0.0, 0.01, 0.02};
    const double filters[4][3] = {{}, {2.5, 0, 0}, {1.5, 0.5, 0.1}, {3, 0, 0.2}};
    for (int type = 1; type <= 3; ++type) {
        CalculationConditions conditions = Defaults();
        conditions.rectifier = static_cast<Rectifier>(type); // the reference rows 1..3
        conditions.inherentFiltrationMmAl = filters[type][0];
        conditions.addedAluminiumMm = filters[type][1];
        conditions.addedCopperMm = filters[type][2];
        EXPECT_NEAR(Spectrum(conditions, tables).kermaRatio, 1.0, 1e-14) << "waveform " << type;
    }
}

TEST(XraySpectrum, CopperChangesTheRatioNotTheReference)
{
    CalculationConditions copper = Defaults();
    copper.addedCopperMm = 0.1;
    const XraySpectrum a = Spectrum(Defaults());
    const XraySpectrum b = Spectrum(copper);
    EXPECT_EQ(a.kermaRef, b.kermaRef);
    EXPECT_LT(b.kermaRatio, a.kermaRatio);
    EXPECT_EQ(Lines(SpectrumFileText(b))[306], "00.100");
}

struct FaultCase {
    const char* what;
    double targetAngleDegrees;
    double addedAluminiumMm;
    const char* problemStart;
};

TEST(XraySpectrum, ArithmeticFaultsGiveAProblemInsteadOfNumbers)
{
    const FaultCase cases[] = {
        {"angle 0", 0, 1.5, "ターゲット角度 0 度"},
        {"angle above 90", 91, 1.5, "ターゲット角度 91 度"},
        {"angle 180", 180, 1.5, "ターゲット角度 180 度"},
        {"negative angle", -12, 1.5, "ターゲット角度 -12 度"},
        {"filter stops everything", 12, 1e6, "フィルタを透過するＸ線がありません"},
        {"negative filter overflows", 12, -1e6, "Ｘ線スペクトルの計算で数値があふれました"},
    };
    for (const auto& c : cases) {
        CalculationConditions conditions = Defaults();
        conditions.targetAngleDegrees = c.targetAngleDegrees;
        conditions.addedAluminiumMm = c.addedAluminiumMm;
        const Expected<XraySpectrum> s = ComputeXraySpectrum(conditions, ShippedTables());
        ASSERT_FALSE(s) << c.what;
        EXPECT_EQ(MessageText(s.Failure()).rfind(c.problemStart, 0), 0u)
            << c.what << ": " << MessageText(s.Failure());
    }
    CalculationConditions steep = Defaults();
    steep.targetAngleDegrees = 90;
    EXPECT_TRUE(ComputeXraySpectrum(steep, ShippedTables())) << "90 degrees still has a positive cotangent";
}

TEST(XraySpectrum, ExtremeButValidEntriesWriteOnlyFiniteNumbers)
{
    const std::vector<std::pair<double, double>> filters = {{0, 0}, {30, 0}, {0, 3}, {-0.5, 0}};
    for (const auto& [aluminium, copper] : filters) {
        for (int type = 1; type <= 3; ++type) {
            CalculationConditions conditions = Defaults();
            conditions.addedAluminiumMm = aluminium;
            conditions.addedCopperMm = copper;
            conditions.rectifier = static_cast<Rectifier>(type); // the reference rows 1..3
            conditions.tubeVoltageKv = 149;
            const XraySpectrum s = Spectrum(conditions);
            const std::string text = SpectrumFileText(s);
            EXPECT_EQ(text.find("inf"), std::string::npos) << aluminium << " " << copper;
            EXPECT_EQ(text.find("nan"), std::string::npos) << aluminium << " " << copper;
        }
    }
}

} // namespace
