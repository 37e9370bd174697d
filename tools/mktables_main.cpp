// mktables: writes the engine's and the front end's data tables into the working directory.
#include "energy_slots.h"
#include "table_files.h"
#include "write_files.h"

#include <exception>
#include <iostream>

int main()
{
    using namespace tablegen;
    try {
        const MetalAttenuation mu = ComputeMetalAttenuation();
        const SlotArray muEnAir = ComputeAirEnergyAbsorption();
        WriteAllOrNothing({
            {"ICRUSoft.dat", IcruSoftText()},
            {"Air.eac", AirEacText(muEnAir)},
            {"Ak2Sv.dat", Ak2SvText()},
            {"MUs.dat", MusText(mu)},
            {"default-output.op", DefaultOutputText(mu, muEnAir)},
        });
    } catch (const std::exception& e) {
        std::cerr << "mktables: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
