// Semi-empirical thick-target bremsstrahlung of a tungsten anode (the model the front end uses
// for its spectra), reduced here to the air kerma behind a filter at one tube voltage.
#pragma once

#include "energy_slots.h"

namespace tablegen {

// Air kerma per unit tube charge (arbitrary but fixed unit) for an instantaneous voltage Vi kV,
// target angle `targetAngleDeg`, behind `aluminiumCm` of aluminium.
double FilteredAirKermaPerCharge(double Vi, double targetAngleDeg, double aluminiumCm,
    const MetalAttenuation& mu, const SlotArray& muEnAir);

} // namespace tablegen
