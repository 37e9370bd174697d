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
    5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100, 120, 140, 160,
    200};

// Momentum-transfer values x = sin(θ/2)/λ of the scattering-function rows, 1/Å; densest where
// the form factors fall and the hydrogen incoherent function rises.
inline constexpr std::array<double, 45> kScatteringX = {
    0,    0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1,  0.12, 0.14, 0.16, 0.18,
    0.2,  0.23, 0.26, 0.3,  0.35, 0.4,  0.45, 0.5,  0.55, 0.6,  0.7,  0.8,  0.9,  1.0,  1.1,
    1.2,  1.4,  1.6,  1.8,  2.0,  2.3,  2.6,  3.0,  3.5,  4.0,  5.0,  6.0,  7.0,  8.0,  10.0};

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

}  // namespace tablegen
