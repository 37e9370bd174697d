#include "logic/start/XraySpectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "logic/text/NumberText.h"
#include "physics/thick_target.h"

namespace brisca {

namespace {

// Phase angles (degrees) at which the waveform is sampled; empty for an unknown type.
std::vector<int> PhaseAngles(int rectifierType)
{
    std::vector<int> angles;
    if (rectifierType == 1) angles = {90};
    if (rectifierType == 2)
        for (int phi = 75; phi <= 90; ++phi) angles.push_back(phi);
    if (rectifierType == 3)
        for (int phi = 2; phi <= 90; phi += 2) angles.push_back(phi);
    return angles;
}

XraySpectrum Refuse(XraySpectrum spectrum, std::string warning)
{
    spectrum.Warning = std::move(warning);
    return spectrum;
}

} // namespace

XraySpectrum ComputeXraySpectrum(const CalculationEntries& entries, const DataTables& tables)
{
    XraySpectrum s;

    // Inputs and their limits; 2V <= 299 keeps the spectrum inside the 300 slots.
    double V = LeadingNumber(entries.tubeVoltageKv);
    if (V >= 150.0) {
        s.correctedTubeVoltage.emplace("149.5");
        V = 149.5;
    } else if (V <= 30.0) {
        s.correctedTubeVoltage.emplace("30");
        V = 30.0;
    }
    double tInh = LeadingNumber(entries.inherentFiltrationMmAl) * 0.1;
    if (tInh < 0.1) {
        // Emplaced, not assigned: assigning makes GCC 12 see a false overlap at -O3.
        s.correctedInherentFiltration.emplace("1");
        tInh = 0.1;
    }
    const double tAl = LeadingNumber(entries.addedAluminiumMm) * 0.1;
    const double tCu = LeadingNumber(entries.addedCopperMm) * 0.1;
    const double theta = LeadingNumber(entries.targetAngleDegrees);
    s.Voltage = V;
    s.Angle = theta;
    s.Current = LeadingNumber(entries.meanTubeCurrentMa);
    s.InherentCm = tInh;
    s.AluminiumCm = tAl;
    s.CopperCm = tCu;

    if (!std::isfinite(s.Current))
        return Refuse(s, "管電流の値 " + entries.meanTubeCurrentMa + " は大きすぎて扱えません。");
    const std::vector<int> angles = PhaseAngles(entries.rectifierType);
    if (angles.empty())
        return Refuse(
            s, "高電圧整流方式 " + std::to_string(entries.rectifierType) + " は定義されていません。");

    // Depth of the emission point below the target surface scales with cot(theta); the
    // photons leave through the target only for an angle between 0 and 90 degrees.
    const double tanTheta = std::tan(physics::kModelPi * theta / 180.0);
    const double cotTheta = 1.0 / tanTheta;
    if (!(tanTheta > 0.0) || !std::isfinite(tanTheta) || !std::isfinite(cotTheta))
        return Refuse(
            s, "ターゲット角度 " + PlainNumberText(theta) +
                   " 度ではＸ線スペクトルを計算できません。0 度より大きく 90 度以下の角度を入力して下さい。");

    // Waveform average: one thick-target spectrum per phase step, weighted by the tube
    // current at that step (single-phase only), divided by the number of steps.
    double vi = 0.0;
    for (const int phi : angles) {
        ++s.PhaseSteps;
        const double sine = std::sin(physics::kModelPi * phi / 180.0);
        vi = sine * V;
        const double w = entries.rectifierType == 3 ? std::pow(std::min(1.0, sine / 0.75), 1.5) : 1.0;
        physics::ThickTargetIntensity(vi, cotTheta, tables.MuTarget, s.PhaseSpectrum);
        physics::AddTungstenKLines(vi, s.PhaseSpectrum);
        for (int i = 2; i <= physics::TopSlot(vi); ++i)
            s.Spectrum[static_cast<std::size_t>(i)] += w * s.PhaseSpectrum[static_cast<std::size_t>(i)];
    }
    for (int i = 2; i <= physics::TopSlot(vi); ++i) s.Spectrum[static_cast<std::size_t>(i)] /= s.PhaseSteps;

    // Air kerma behind the reference filtration of the waveform and behind the user's.
    const auto r = static_cast<std::size_t>(entries.rectifierType);
    const int top = physics::TopSlot(V);
    double sumRef = 0.0;
    double sumUser = 0.0;
    for (int i = 2; i <= top; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        s.KermaRef[slot] =
            s.Spectrum[slot] *
            std::exp(-tables.RefAl[r] * tables.MuAl[slot] - tables.RefCu[r] * tables.MuCu[slot]) *
            tables.MuEnAir[slot];
        s.KermaUser[slot] = s.Spectrum[slot] *
                            std::exp(-(tInh + tAl) * tables.MuAl[slot] - tCu * tables.MuCu[slot]) *
                            tables.MuEnAir[slot];
        sumRef += s.KermaRef[slot];
        sumUser += s.KermaUser[slot];
    }
    if (!(sumRef > 0.0) || !std::isfinite(sumRef))
        return Refuse(
            s, "基準ろ過（default-output.op）を透過するＸ線が計算できないため、管出力を求められません。");
    s.KermaRatio = sumUser / sumRef;

    // Filtration, then energy fluence to photon number (divide by the photon energy).
    for (int i = 2; i <= top; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        s.Spectrum[slot] = s.Spectrum[slot] * std::exp(-(tInh + tAl) * tables.MuAl[slot]) *
                           std::exp(-tCu * tables.MuCu[slot]) / (0.5 * i);
    }
    for (int i = 2; i <= top; ++i) s.Smax = std::max(s.Smax, s.Spectrum[static_cast<std::size_t>(i)]);

    const bool finite =
        std::all_of(s.Spectrum.begin(), s.Spectrum.end(), [](double v) { return std::isfinite(v); });
    if (!finite || !std::isfinite(s.Smax) || !std::isfinite(s.KermaRatio))
        return Refuse(
            s, "Ｘ線スペクトルの計算で数値があふれました。フィルタの厚さなどの条件を見直して下さい。");
    if (!(s.Smax > 0.0))
        return Refuse(s, "フィルタを透過するＸ線がありません（スペクトルの最大値が "
                         "0）。フィルタの厚さやターゲット角度を見直して下さい。");
    return s;
}

std::string SpectrumFileText(const XraySpectrum& s)
{
    std::string text;
    text.reserve(16 * 310);
    for (int i = 1; i <= EnergySlots; ++i) {
        text += FormatNumber(0.5 * i, "0000.0");
        text += ", ";
        text += FormatNumber(s.Spectrum[static_cast<std::size_t>(i)] / s.Smax, "0.00000");
        text += "\r\n";
    }
    text += PlainNumberText(1000.0 * s.Smax) + "\r\n";
    text += FormatNumber(s.Voltage, "000.0") + "\r\n";
    text += FormatNumber(s.Current, "##0.00") + "\r\n";
    text += FormatNumber(s.Angle, "00.0") + "\r\n";
    text += FormatNumber(10.0 * s.InherentCm, "00.000") + "\r\n";
    text += FormatNumber(10.0 * s.AluminiumCm, "00.000") + "\r\n";
    text += FormatNumber(10.0 * s.CopperCm, "00.000") + "\r\n";
    return text;
}

} // namespace brisca
