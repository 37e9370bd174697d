// The 0.5 keV energy slots shared by the spectrum, Air.eac and MUs.dat: slot i is i × 0.5 keV.
#pragma once

#include "physics/thick_target.h"

#include <array>

namespace tablegen {

// Number of slots; slot 300 is 150 keV.
inline constexpr int kSlotCount = physics::kSpectrumSlots;

// Photon energy of slot i, keV.
inline constexpr double SlotEnergy(int i) { return 0.5 * i; }

// One value per slot, indexed 1..kSlotCount (index 0 unused); the tube model's slots.
using SlotArray = physics::SlotValues;

// Linear attenuation coefficients (1/cm) of the filter and target metals per slot.
struct MetalAttenuation {
    SlotArray tungsten;
    SlotArray aluminium;
    SlotArray copper;
};

// Densities of the metals, g/cm³.
inline constexpr double kTungstenDensity = physics::kTungstenDensity;
inline constexpr double kAluminiumDensity = 2.699;
inline constexpr double kCopperDensity = 8.96;

// Attenuation of tungsten, aluminium and copper on every slot from xraylib's total cross sections.
MetalAttenuation ComputeMetalAttenuation();

// μen/ρ of dry air on every slot, cm²/g.
SlotArray ComputeAirEnergyAbsorption();

} // namespace tablegen
