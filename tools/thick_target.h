// The thick-target tube model of physics/ (the one the front end's spectra use), reduced to
// the air kerma behind a filter at one tube voltage.
#pragma once

#include "energy_slots.h"

namespace tablegen {

// Air kerma per unit tube charge (arbitrary but fixed unit) for an instantaneous voltage Vi kV,
// target angle `targetAngleDeg`, behind `aluminiumCm` of aluminium.
double FilteredAirKermaPerCharge(double Vi, double targetAngleDeg, double aluminiumCm,
    const MetalAttenuation& mu, const SlotArray& muEnAir);

} // namespace tablegen
