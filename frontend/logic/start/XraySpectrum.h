#pragma once

#include <optional>
#include <string>

#include "logic/start/CalculationEntries.h"
#include "logic/start/DataTables.h"

namespace brisca {

// The photon spectrum of a tungsten-target tube for the main window's conditions: thick-
// target bremsstrahlung with target self-absorption and the four K lines, averaged over
// the voltage waveform, filtered, turned into photon numbers and normalised to its maximum.
struct XraySpectrum {
    std::string warning;                             // why no spectrum could be made; empty on success
    std::optional<std::string> correctedTubeVoltage; // voltage text to show after the limits
    std::optional<std::string>
        correctedInherentFiltration; // inherent filtration text to show after the limit

    double voltage = 0.0;     // peak tube voltage after the limits, kV
    double angle = 0.0;       // target angle, degrees
    double current = 0.0;     // mean tube current, mA (written to the file only)
    double inherentCm = 0.0;  // inherent filtration after the 1 mm minimum, cm Al
    double aluminiumCm = 0.0; // added aluminium, cm
    double copperCm = 0.0;    // added copper, cm
    int phaseSteps = 0;       // number of waveform phase steps averaged

    SlotTable spectrum{};      // filtered photon-number spectrum (not normalised)
    SlotTable phaseSpectrum{}; // thick-target intensity of the last phase step
    SlotTable kermaRef{};      // air-kerma weight per slot behind the reference filtration
    SlotTable kermaUser{};     // air-kerma weight per slot behind the user's filtration
    double kermaRatio = 0.0;   // air kerma behind the user's over the reference filtration
    double smax = 0.0;         // largest entry of Spectrum
};

// Computes the spectrum from the entries (voltage, target angle, the three filtrations, mean
// current and waveform) and the loaded tables. The voltage is limited to 30..149.5 kV and
// the inherent filtration to at least 1 mm; the corrected texts come back for the
// window. A target angle whose cotangent is not finite and positive, a spectrum that
// filtration leaves empty, or any overflow gives a warning instead of a spectrum.
XraySpectrum ComputeXraySpectrum(const CalculationEntries& entries, const DataTables& tables);

// The 307 lines of B_SPCTL.dat for a computed spectrum, each ended by CR LF: slot energy
// and relative intensity, 1000 times the maximum, then voltage, current, angle and the
// three filtrations in mm.
std::string SpectrumFileText(const XraySpectrum& spectrum);

} // namespace brisca
