// Text of each shipped data table, record by record in its fixed-column layout, with CR LF
// line ends.
#pragma once

#include "energy_slots.h"

#include <array>
#include <string>

namespace tablegen {

// Energies of the tissue interaction rows, keV: log-log interpolation between neighbours stays
// within 0.3 % of the elemental sums (checked against xraylib by the tests).
inline constexpr std::array<double, 25> kInteractionEnergies = {
    5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100, 120, 140, 160, 200};

// Momentum-transfer values x = sin(θ/2)/λ of the scattering-function rows, 1/Å. The engine
// interpolates both columns linearly, so the nodes are spread in equal shares of
// √|B''|/Bmax + √|S''|/Smax (the knot density that evens out linear-interpolation error),
// rounded to three digits: dense where the hydrogen S(x) rises and the form factors fall.
inline constexpr std::array<double, 45> kScatteringX = {0, 0.011, 0.023, 0.034, 0.046, 0.059, 0.073, 0.089,
    0.111, 0.144, 0.174, 0.201, 0.225, 0.248, 0.271, 0.295, 0.319, 0.346, 0.373, 0.404, 0.437, 0.475, 0.518,
    0.57, 0.635, 0.721, 0.839, 0.988, 1.13, 1.27, 1.4, 1.53, 1.67, 1.81, 1.95, 2.11, 2.28, 2.49, 2.75, 3.05,
    3.43, 3.96, 4.72, 6.15, 10};

// Number of rows of Ak2Sv.dat.
inline constexpr int kConversionRows = 1001;

// Energy of conversion row n (0-based), keV: 0.1 keV steps from 10.0 to 99.9, then 1 keV steps
// to 200, so that every energy is exact in the three significant digits of its column.
double ConversionEnergy(int n);

// ICRUSoft.dat: row count, density, interaction rows (MeV, 1/cm), scattering-function rows.
std::string IcruSoftText();

// Air.eac: 300 records of slot energy (keV) and μen/ρ of air (cm²/g).
std::string AirEacText(const SlotArray& muEnAir);

// Ak2Sv.dat: 1001 records of energy (keV) and H*(10)/Ka (Sv/Gy).
std::string Ak2SvText();

// MUs.dat: 300 records of slot energy (keV) and μ (1/cm) of tungsten, aluminium, copper.
std::string MusText(const MetalAttenuation& mu);

// default-output.op: header, voltages, then per waveform its outputs and reference filtration.
std::string DefaultOutputText(const MetalAttenuation& mu, const SlotArray& muEnAir);

} // namespace tablegen
