#include "logic/start/XraySpectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "logic/text/NumberText.h"
#include "physics/thick_target.h"

namespace brisca {

namespace {

// Phase angles (degrees) at which the waveform is sampled.
std::vector<int> PhaseAngles(Rectifier rectifier)
{
    std::vector<int> angles;
    switch (rectifier) {
    case Rectifier::ConstantPotential:
        angles = {90};
        break;
    case Rectifier::ThreePhase12Peak:
        for (int phi = 75; phi <= 90; ++phi) angles.push_back(phi);
        break;
    case Rectifier::SinglePhase:
        for (int phi = 2; phi <= 90; phi += 2) angles.push_back(phi);
        break;
    }
    return angles;
}

} // namespace

SpectrumLimits ApplySpectrumLimits(const CalculationConditions& conditions)
{
    SpectrumLimits limits{conditions, {}, {}, {}};
    // 2V <= 299 keeps the spectrum inside the 300 slots.
    double& V = limits.conditions.tubeVoltageKv;
    if (V >= 150.0) {
        limits.correctedTubeVoltage.emplace("149.5");
        V = 149.5;
    } else if (V <= 30.0) {
        limits.correctedTubeVoltage.emplace("30");
        V = 30.0;
    }
    if (V != conditions.tubeVoltageKv)
        limits.tubeVoltageNotice =
            TranslatedProblem(" 管電圧 " + PlainNumberText(conditions.tubeVoltageKv) +
                                  " kV はスペクトルを計算できる範囲（30～149.5 kV）の外なので、" +
                                  PlainNumberText(V) + " kV で計算します",
                "A tube voltage of " + PlainNumberText(conditions.tubeVoltageKv) +
                    " kV is outside the range the spectrum can be calculated for (30 to 149.5 kV); the "
                    "calculation uses " +
                    PlainNumberText(V) + " kV");
    if (limits.conditions.inherentFiltrationMmAl * 0.1 < 0.1) {
        // Emplaced, not assigned: assigning makes GCC 12 see a false overlap at -O3.
        limits.correctedInherentFiltration.emplace("1");
        limits.conditions.inherentFiltrationMmAl = 1.0;
    }
    return limits;
}

Expected<XraySpectrum> ComputeXraySpectrum(const CalculationConditions& conditions, const DataTables& tables)
{
    XraySpectrum s;
    s.conditions = ApplySpectrumLimits(conditions).conditions;
    const CalculationConditions& limited = s.conditions;
    // Filtrations in cm, as the attenuation coefficients are per cm.
    const double V = limited.tubeVoltageKv;
    const double tInh = limited.inherentFiltrationMmAl * 0.1;
    const double tAl = limited.addedAluminiumMm * 0.1;
    const double tCu = limited.addedCopperMm * 0.1;
    const double theta = limited.targetAngleDegrees;

    const std::vector<int> angles = PhaseAngles(limited.rectifier);

    // Depth of the emission point below the target surface scales with cot(theta); the
    // photons leave through the target only for an angle between 0 and 90 degrees.
    const double tanTheta = std::tan(physics::kModelPi * theta / 180.0);
    const double cotTheta = 1.0 / tanTheta;
    if (!(tanTheta > 0.0) || !std::isfinite(tanTheta) || !std::isfinite(cotTheta))
        return TranslatedProblem("ターゲット角度 " + PlainNumberText(theta) +
                                     " 度ではＸ線スペクトルを計算できません。0 度より大きく 90 "
                                     "度以下の角度を入力して下さい。",
            "No X-ray spectrum can be calculated for a target angle of " + PlainNumberText(theta) +
                " degrees. Enter an angle above 0 and at most 90 degrees.");

    // Waveform average: one thick-target spectrum per phase step, weighted by the tube
    // current at that step (single-phase only), divided by the number of steps.
    double vi = 0.0;
    for (const int phi : angles) {
        ++s.phaseSteps;
        const double sine = std::sin(physics::kModelPi * phi / 180.0);
        vi = sine * V;
        const double w =
            limited.rectifier == Rectifier::SinglePhase ? std::pow(std::min(1.0, sine / 0.75), 1.5) : 1.0;
        physics::ThickTargetIntensity(vi, cotTheta, tables.muTarget, s.phaseSpectrum);
        physics::AddTungstenKLines(vi, s.phaseSpectrum);
        for (int i = 2; i <= physics::TopSlot(vi); ++i)
            s.spectrum[static_cast<std::size_t>(i)] += w * s.phaseSpectrum[static_cast<std::size_t>(i)];
    }
    for (int i = 2; i <= physics::TopSlot(vi); ++i) s.spectrum[static_cast<std::size_t>(i)] /= s.phaseSteps;

    // Air kerma behind the reference filtration of the waveform and behind the user's.
    const auto r = static_cast<std::size_t>(limited.rectifier);
    const int top = physics::TopSlot(V);
    double sumRef = 0.0;
    double sumUser = 0.0;
    for (int i = 2; i <= top; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        s.kermaRef[slot] =
            s.spectrum[slot] *
            std::exp(-tables.refAl[r] * tables.muAl[slot] - tables.refCu[r] * tables.muCu[slot]) *
            tables.muEnAir[slot];
        s.kermaUser[slot] = s.spectrum[slot] *
                            std::exp(-(tInh + tAl) * tables.muAl[slot] - tCu * tables.muCu[slot]) *
                            tables.muEnAir[slot];
        sumRef += s.kermaRef[slot];
        sumUser += s.kermaUser[slot];
    }
    if (!(sumRef > 0.0) || !std::isfinite(sumRef))
        return TranslatedProblem(
            "基準ろ過（default-output.op）を透過するＸ線が計算できないため、管出力を求められません。",
            "No X-rays pass the reference filtration of default-output.op, so the tube output cannot be "
            "found.");
    s.kermaRatio = sumUser / sumRef;

    // Filtration, then energy fluence to photon number (divide by the photon energy).
    for (int i = 2; i <= top; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        s.spectrum[slot] = s.spectrum[slot] * std::exp(-(tInh + tAl) * tables.muAl[slot]) *
                           std::exp(-tCu * tables.muCu[slot]) / (0.5 * i);
    }
    for (int i = 2; i <= top; ++i) s.smax = std::max(s.smax, s.spectrum[static_cast<std::size_t>(i)]);

    const bool finite =
        std::all_of(s.spectrum.begin(), s.spectrum.end(), [](double v) { return std::isfinite(v); });
    if (!finite || !std::isfinite(s.smax) || !std::isfinite(s.kermaRatio))
        return TranslatedProblem(
            "Ｘ線スペクトルの計算で数値があふれました。フィルタの厚さなどの条件を見直して下さい。",
            "The X-ray spectrum overflowed the range of numbers. Check the filter thicknesses and the "
            "other conditions.");
    if (!(s.smax > 0.0))
        return TranslatedProblem("フィルタを透過するＸ線がありません（スペクトルの最大値が "
                                 "0）。フィルタの厚さやターゲット角度を見直して下さい。",
            "No X-rays pass the filters (the spectrum's maximum is 0). Check the filter thicknesses "
            "and the target angle.");
    return s;
}

std::string SpectrumFileText(const XraySpectrum& s)
{
    std::string text;
    text.reserve(16 * 310);
    for (int i = 1; i <= EnergySlots; ++i) {
        text += FormatNumber(0.5 * i, "0000.0");
        text += ", ";
        text += FormatNumber(s.spectrum[static_cast<std::size_t>(i)] / s.smax, "0.00000");
        text += "\r\n";
    }
    text += PlainNumberText(1000.0 * s.smax) + "\r\n";
    const CalculationConditions& c = s.conditions;
    text += FormatNumber(c.tubeVoltageKv, "000.0") + "\r\n";
    text += FormatNumber(c.meanTubeCurrentMa, "##0.00") + "\r\n";
    text += FormatNumber(c.targetAngleDegrees, "00.0") + "\r\n";
    text += FormatNumber(c.inherentFiltrationMmAl, "00.000") + "\r\n";
    text += FormatNumber(c.addedAluminiumMm, "00.000") + "\r\n";
    text += FormatNumber(c.addedCopperMm, "00.000") + "\r\n";
    return text;
}

} // namespace brisca
