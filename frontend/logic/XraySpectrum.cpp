#include "logic/XraySpectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "logic/NumberText.h"

namespace brisca {

namespace {

// The generator's value of pi: at 90 degrees the sine stays a hair below 1, so the
// instantaneous voltage never reaches the peak and the top slot stays empty.
constexpr double Pi = 3.14159;

// Density of tungsten, g/cm3.
constexpr double TungstenDensity = 19.3;

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

// Highest slot at or below twice a voltage (the slots a spectrum of that voltage fills),
// never beyond the table.
int TopSlot(double voltage)
{
    return static_cast<int>(std::min(std::floor(2.0 * voltage), double{EnergySlots}));
}

XraySpectrum Refuse(XraySpectrum spectrum, std::string warning)
{
    spectrum.Warning = std::move(warning);
    return spectrum;
}

} // namespace

void ThickTargetIntensity(double vi, double cotTheta, const SlotTable& muTarget, SlotTable& phase)
{
    // Thomson–Whiddington constant: range of the electrons in tungsten.
    const double C = 141766.0 + 12157.0 * vi - 111.046 * vi * vi + 0.552536 * vi * vi * vi -
                     0.000970158 * vi * vi * vi * vi;
    const double shapeScale = 0.03658 + 2.9e-5 * vi;
    const int top = TopSlot(vi);
    // Sum over the electron energies T from the photon energy up to vi.
    for (int i = 2; i <= top; ++i) {
        const double E = 0.5 * i;
        double sum = 0.0;
        for (int k = i; 0.5 * k <= vi; ++k) {
            const double T = 0.5 * k;
            const double x = E / T;
            const double shape =
                (1.0 - 5.049 * x + 10.847 * x * x - 10.516 * x * x * x + 3.842 * x * x * x * x) * shapeScale;
            const double loss = 1036.1 * std::exp(-0.04695 * T) + 202.41;
            const double depth = cotTheta * (vi * vi - T * T) / (C * TungstenDensity);
            sum +=
                std::exp(-muTarget[static_cast<std::size_t>(i)] * depth) * shape * (1.0 + 511.0 / T) / loss;
        }
        phase[static_cast<std::size_t>(i)] = sum;
    }
}

void AddTungstenKLines(double vi, SlotTable& phase)
{
    if (!(vi > 70.0)) return;
    const double kf = (std::sqrt(8.79856 * vi - 595.149) - 4.55528) / 4.39928;
    double bremsstrahlung = 0.0;
    for (int i = 2; i <= TopSlot(vi); ++i) bremsstrahlung += phase[static_cast<std::size_t>(i)];
    const double A = 0.01 * kf * bremsstrahlung;
    phase[119] += 0.5048 * A; // 59.5 keV
    phase[116] += 0.2908 * A; // 58.0 keV
    phase[134] += 0.162 * A;  // 67.0 keV
    phase[138] += 0.0424 * A; // 69.0 keV
}

XraySpectrum ComputeXraySpectrum(const CalculationEntries& entries, const DataTables& tables)
{
    XraySpectrum s;

    // Inputs and their limits; 2V <= 299 keeps the spectrum inside the 300 slots.
    double V = Val(entries.tubeVoltageKv);
    if (V >= 150.0) {
        s.correctedTubeVoltage.emplace("149.5");
        V = 149.5;
    } else if (V <= 30.0) {
        s.correctedTubeVoltage.emplace("30");
        V = 30.0;
    }
    double tInh = Val(entries.inherentFiltrationMmAl) * 0.1;
    if (tInh < 0.1) {
        // Emplaced, not assigned: assigning makes GCC 12 see a false overlap at -O3.
        s.correctedInherentFiltration.emplace("1");
        tInh = 0.1;
    }
    const double tAl = Val(entries.addedAluminiumMm) * 0.1;
    const double tCu = Val(entries.addedCopperMm) * 0.1;
    const double theta = Val(entries.targetAngleDegrees);
    s.Voltage = V;
    s.Angle = theta;
    s.Current = Val(entries.meanTubeCurrentMa);
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
    const double tanTheta = std::tan(Pi * theta / 180.0);
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
        const double sine = std::sin(Pi * phi / 180.0);
        vi = sine * V;
        const double w = entries.rectifierType == 3 ? std::pow(std::min(1.0, sine / 0.75), 1.5) : 1.0;
        ThickTargetIntensity(vi, cotTheta, tables.MuTarget, s.PhaseSpectrum);
        AddTungstenKLines(vi, s.PhaseSpectrum);
        for (int i = 2; i <= TopSlot(vi); ++i)
            s.Spectrum[static_cast<std::size_t>(i)] += w * s.PhaseSpectrum[static_cast<std::size_t>(i)];
    }
    for (int i = 2; i <= TopSlot(vi); ++i) s.Spectrum[static_cast<std::size_t>(i)] /= s.PhaseSteps;

    // Air kerma behind the reference filtration of the waveform and behind the user's.
    const auto r = static_cast<std::size_t>(entries.rectifierType);
    const int top = TopSlot(V);
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
