// Tube output table: exposure per mAs at 100 cm for the three rectifier waveforms, behind the
// reference filtration, as the front end multiplies it into an air kerma rate.
#pragma once

#include "energy_slots.h"

#include <array>

namespace tablegen {

// Rectifier waveforms in the front end's order (1 = constant potential).
enum class Waveform { ConstantPotential = 1, ThreePhase12Peak = 2, SinglePhaseFullWave = 3 };

// Air kerma per unit exposure, Gy per C/kg (mean energy per ion pair in air, J/C).
inline constexpr double kKermaPerExposure = 33.97;

// Reference filtration at which every waveform's outputs hold: aluminium and copper, mm.
inline constexpr double kReferenceAluminiumMm = 2.5;
inline constexpr double kReferenceCopperMm = 0.0;

// Target angle, degrees, at which the waveform factors are evaluated (the window's default).
inline constexpr double kReferenceTargetAngle = 12.0;

// Tube voltages of the table, kV: 40, 50, …, 150.
inline constexpr std::array<double, 12> kOutputVoltages = {
    40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150};

// Survey fit of constant-potential air kerma output, µGy/mAs at 100 cm, at peak voltage kV.
double SurveyAirKermaPerMas(double kV);

// Air kerma per mAs of a waveform relative to constant potential at the same peak voltage.
double WaveformFactor(Waveform waveform, double kV, const MetalAttenuation& mu, const SlotArray& muEnAir);

// Exposure per mAs at 100 cm, C/kg/mAs, of a waveform at peak voltage kV.
double ExposurePerMas(Waveform waveform, double kV, const MetalAttenuation& mu, const SlotArray& muEnAir);

} // namespace tablegen
