#include "energy_slots.h"

#include "nist_air.h"
#include "xraylib_checked.h"

namespace tablegen {

MetalAttenuation ComputeMetalAttenuation()
{
    MetalAttenuation mu{};
    for (int i = 1; i <= kSlotCount; ++i) {
        const double E = SlotEnergy(i);
        mu.tungsten[i] = TotalCrossSection(74, E) * kTungstenDensity;
        mu.aluminium[i] = TotalCrossSection(13, E) * kAluminiumDensity;
        mu.copper[i] = TotalCrossSection(29, E) * kCopperDensity;
    }
    return mu;
}

SlotArray ComputeAirEnergyAbsorption()
{
    SlotArray muEn{};
    for (int i = 1; i <= kSlotCount; ++i) muEn[i] = AirEnergyAbsorption(SlotEnergy(i));
    return muEn;
}

} // namespace tablegen
