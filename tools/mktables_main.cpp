// mktables: writes the engine's and the front end's data tables into the working directory.
#include "energy_slots.h"
#include "table_files.h"
#include "write_files.h"

#include "records/file_names.h"

#include <exception>
#include <iostream>

int main()
{
    using namespace tablegen;
    try {
        const MetalAttenuation mu = ComputeMetalAttenuation();
        const SlotArray muEnAir = ComputeAirEnergyAbsorption();
        WriteAllOrNothing({
            {records::kInteractionTableFile, IcruSoftText()},
            {records::kAirTableFile, AirEacText(muEnAir)},
            {records::kConversionTableFile, Ak2SvText()},
            {records::kAttenuationTableFile, MusText(mu)},
            {records::kTubeOutputTableFile, DefaultOutputText(mu, muEnAir)},
        });
    } catch (const std::exception& e) {
        std::cerr << "mktables: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
