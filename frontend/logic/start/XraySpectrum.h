#pragma once

#include <optional>
#include <string>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationConditions.h"
#include "logic/start/DataTables.h"

namespace brisca {

// The photon spectrum of a tungsten-target tube for the main window's conditions: thick-
// target bremsstrahlung with target self-absorption and the four K lines, averaged over
// the voltage waveform, filtered, turned into photon numbers and normalised to its maximum.
struct XraySpectrum {
    CalculationConditions conditions; // what it was computed for, after the voltage and filtration limits
    int phaseSteps = 0;               // number of waveform phase steps averaged

    SlotTable spectrum{};      // filtered photon-number spectrum (not normalised)
    SlotTable phaseSpectrum{}; // thick-target intensity of the last phase step
    SlotTable kermaRef{};      // air-kerma weight per slot behind the reference filtration
    SlotTable kermaUser{};     // air-kerma weight per slot behind the user's filtration
    double kermaRatio = 0.0;   // air kerma behind the user's over the reference filtration
    double smax = 0.0;         // largest entry of Spectrum
};

// The conditions as the spectrum model takes them, and the texts the window shows where a
// limit changed an entry.
struct SpectrumLimits {
    CalculationConditions conditions;                       // voltage and inherent filtration limited
    std::optional<std::string> correctedTubeVoltage;        // voltage text to show after the limits
    std::optional<std::string> correctedInherentFiltration; // inherent filtration text after the limit
    // Which voltage the calculation uses instead of the one entered, as the window and
    // brisca-job say it; empty when the entered voltage is used.
    std::optional<Problem> tubeVoltageNotice;
};

// Limits the voltage to 30..149.5 kV, which keeps the spectrum inside its 300 slots (a voltage
// of exactly 30 kV counts as limited), and the inherent filtration to at least 1 mm.
SpectrumLimits ApplySpectrumLimits(const CalculationConditions& conditions);

// Computes the spectrum from the conditions (voltage, target angle, the three filtrations,
// mean current and waveform) after ApplySpectrumLimits, with the loaded tables. A target angle
// whose cotangent is not finite and positive, a spectrum that filtration leaves empty, or any
// overflow gives a problem instead of a spectrum.
Expected<XraySpectrum> ComputeXraySpectrum(const CalculationConditions& conditions, const DataTables& tables);

// The 307 lines of B_SPCTL.dat for a computed spectrum, each ended by CR LF: slot energy
// and relative intensity, 1000 times the maximum, then voltage, mean current (written to the
// file only), angle and the three filtrations in mm, as the spectrum's conditions hold them.
std::string SpectrumFileText(const XraySpectrum& spectrum);

} // namespace brisca
