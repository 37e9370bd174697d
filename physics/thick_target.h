#pragma once

#include <array>

namespace physics {

// Photon-energy slots of the spectrum: slot i is 0.5 i keV, slot 300 is 150 keV.
inline constexpr int kSpectrumSlots = 300;
// One value per slot, indexed 1..kSpectrumSlots (index 0 unused).
using SlotValues = std::array<double, kSpectrumSlots + 1>;

// The rounded π of the tube model. At 90 degrees its sine stays a hair below 1, so the
// instantaneous voltage never reaches the peak and the top slot stays empty; the target
// angle and the waveform phases both use it.
inline constexpr double kModelPi = 3.14159;
// Density of the tungsten target, g/cm3.
inline constexpr double kTungstenDensity = 19.3;

// Highest slot at or below twice a voltage in kV (the slots a spectrum of that voltage
// fills), never beyond the table.
int TopSlot(double voltage);

// Thick-target bremsstrahlung intensity of a tungsten target at the instantaneous
// voltage vi (kV), for the slots 2..TopSlot(vi) of `phase` (other slots are left as they
// are): the Thomson–Whiddington slowing-down of the electrons, a polynomial shape of the
// cross-section and the attenuation of each photon on its way out of the target, whose
// path grows with cot(theta).
void ThickTargetIntensity(double vi, double cotTheta, const SlotValues& muTarget, SlotValues& phase);

// Adds the four tungsten K lines (58.0, 59.5, 67.0, 69.0 keV) in proportion to the
// bremsstrahlung in slots 2..TopSlot(vi) when vi is above 70 kV.
void AddTungstenKLines(double vi, SlotValues& phase);

} // namespace physics
