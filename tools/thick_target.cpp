#include "thick_target.h"

#include "physics/thick_target.h"

#include <cmath>

namespace tablegen {

double FilteredAirKermaPerCharge(double Vi, double targetAngleDeg, double aluminiumCm,
    const MetalAttenuation& mu, const SlotArray& muEnAir)
{
    // The same rounded π as the spectra, so that both describe the same target.
    const double cotTheta = 1.0 / std::tan(physics::kModelPi * targetAngleDeg / 180.0);
    SlotArray intensity{};
    physics::ThickTargetIntensity(Vi, cotTheta, mu.tungsten, intensity);
    physics::AddTungstenKLines(Vi, intensity);

    double kerma = 0.0;
    for (int i = 2; i <= physics::TopSlot(Vi); ++i) {
        kerma += intensity[i] * std::exp(-aluminiumCm * mu.aluminium[i]) * muEnAir[i];
    }
    return kerma;
}

} // namespace tablegen
