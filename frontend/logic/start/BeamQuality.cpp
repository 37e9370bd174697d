#include "logic/start/BeamQuality.h"

#include <cmath>

#include "logic/start/TubeOutput.h"

namespace brisca {

namespace {

// Joules per keV.
constexpr double kJoulePerKeV = 1.602176634e-16;
// A mass coefficient in m²/kg per cm²/g.
constexpr double kSiPerCgsCoefficient = 0.1;

// Photon energy of slot i, keV.
double SlotEnergy(int i) { return 0.5 * i; }

// The aluminium thickness, cm, behind which the air kerma falls to `fraction` of its
// unfiltered value. The kerma falls monotonically with thickness, so the thickness is
// bracketed by doubling and then bisected.
double ThicknessForKermaFraction(const SlotTable& photons, const DataTables& tables, double fraction)
{
    const double target = fraction * AirKermaBehindAluminium(photons, tables, 0.0);
    if (!(target > 0.0)) return 0.0;
    double thin = 0.0;
    double thick = 1.0;
    while (AirKermaBehindAluminium(photons, tables, thick) > target) {
        thin = thick;
        thick *= 2.0;
        if (thick > 1e4) return 0.0;
    }
    for (int step = 0; step < 60; ++step) {
        const double middle = 0.5 * (thin + thick);
        (AirKermaBehindAluminium(photons, tables, middle) > target ? thin : thick) = middle;
    }
    return 0.5 * (thin + thick);
}

} // namespace

double AirKermaBehindAluminium(const SlotTable& photons, const DataTables& tables, double aluminiumCm)
{
    double kerma = 0.0;
    for (int i = 1; i <= EnergySlots; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (photons[slot] == 0.0) continue;
        kerma +=
            photons[slot] * SlotEnergy(i) * tables.muEnAir[slot] * std::exp(-tables.muAl[slot] * aluminiumCm);
    }
    return kerma;
}

HalfValueLayers HalfValueLayersInAluminium(const SlotTable& photons, const DataTables& tables)
{
    const double half = ThicknessForKermaFraction(photons, tables, 0.5);
    const double quarter = ThicknessForKermaFraction(photons, tables, 0.25);
    if (!(half > 0.0) || !(quarter > half)) return {};
    return {10.0 * half, 10.0 * (quarter - half)};
}

MeanEnergies MeanPhotonEnergies(const SlotTable& photons, const DataTables& tables)
{
    double count = 0.0;
    double energy = 0.0;
    double kerma = 0.0;
    double kermaEnergy = 0.0;
    for (int i = 1; i <= EnergySlots; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const double E = SlotEnergy(i);
        const double slotKerma = photons[slot] * E * tables.muEnAir[slot];
        count += photons[slot];
        energy += photons[slot] * E;
        kerma += slotKerma;
        kermaEnergy += slotKerma * E;
    }
    if (!(count > 0.0) || !(kerma > 0.0)) return {};
    return {energy / count, kermaEnergy / kerma};
}

BeamQuality ComputeBeamQuality(const CalculationConditions& conditions, const DataTables& tables)
{
    BeamQuality beam;
    beam.conditions = ApplySpectrumLimits(conditions).conditions;
    const CalculationConditions& c = *beam.conditions;
    Expected<XraySpectrum> spectrum = ComputeXraySpectrum(c, tables);
    if (!spectrum) {
        beam.problem = spectrum.Failure();
        return beam;
    }
    beam.spectrum = std::move(*spectrum);
    beam.hvl = HalfValueLayersInAluminium(beam.spectrum.spectrum, tables);
    beam.homogeneity = beam.hvl.secondMm > 0.0 ? beam.hvl.firstMm / beam.hvl.secondMm : 0.0;
    beam.meanEnergy = MeanPhotonEnergies(beam.spectrum.spectrum, tables);
    beam.kermaRatio = beam.spectrum.kermaRatio;
    const auto waveform = static_cast<std::size_t>(c.rectifier);
    beam.referenceAluminiumMm = 10.0 * tables.refAl[waveform];
    beam.referenceCopperMm = 10.0 * tables.refCu[waveform];

    // The output exactly as the calculation start forms it: the table at the limited voltage,
    // times the kerma ratio; one mA for one minute is 60 mAs.
    const Expected<double> perMilliampere =
        ComputeTubeOutputFor(c.tubeVoltageKv, 1.0, c.rectifier, beam.kermaRatio, tables);
    if (!perMilliampere) {
        beam.outputProblem = perMilliampere.Failure();
        return beam;
    }
    beam.kermaPerMasAt100Cm = *perMilliampere / 60.0 * 1e6;
    beam.tubeOutputGyPerMin =
        *ComputeTubeOutputFor(c.tubeVoltageKv, c.meanTubeCurrentMa, c.rectifier, beam.kermaRatio, tables);
    if (c.fsdCm > 0.0)
        beam.kermaPerMasAtFsd = beam.kermaPerMasAt100Cm * (100.0 / c.fsdCm) * (100.0 / c.fsdCm);

    // Fluence from kerma: K = Σ Φ_i E_i μen/ρ_i, with Φ_i proportional to the relative spectrum.
    const double kermaPerRelativeFluence = AirKermaBehindAluminium(beam.spectrum.spectrum, tables, 0.0) /
                                           beam.spectrum.smax * kJoulePerKeV * kSiPerCgsCoefficient;
    const double perSquareMetre = beam.kermaPerMasAt100Cm * 1e-6 / kermaPerRelativeFluence;
    beam.fluencePerRelativeUnit = perSquareMetre * 1e-6;
    return beam;
}

BeamQuality BeamOfUnreadEntries(Problem problem)
{
    BeamQuality beam;
    beam.problem = std::move(problem);
    return beam;
}

std::vector<SpectrumPoint> SpectrumPoints(const BeamQuality& beam)
{
    std::vector<SpectrumPoint> points;
    if (beam.problem) return points;
    points.reserve(EnergySlots);
    for (int i = 1; i <= EnergySlots; ++i) {
        const double relative = beam.spectrum.spectrum[static_cast<std::size_t>(i)] / beam.spectrum.smax;
        points.push_back({SlotEnergy(i), relative, relative * beam.fluencePerRelativeUnit});
    }
    return points;
}

} // namespace brisca
