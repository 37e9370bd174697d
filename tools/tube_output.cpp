#include "tube_output.h"

#include "thick_target.h"

#include "physics/thick_target.h"

#include <cmath>
#include <vector>

namespace tablegen {
namespace {

// The survey fit holds at 40 inches.
constexpr double kSurveyDistanceCm = 101.6;

// One step of the voltage waveform: instantaneous voltage and relative tube current.
struct PhaseStep {
    double Vi;
    double current;
};

// Phase steps of a waveform over a quarter period, with the tube current at each. A
// single-phase tube's current follows the voltage while the cathode is space-charge limited
// (low voltage), rising as V^1.5 until it saturates at three quarters of the peak.
std::vector<PhaseStep> PhaseSteps(Waveform waveform, double kV)
{
    std::vector<PhaseStep> steps;
    int first = 90;
    int stride = 1;
    if (waveform == Waveform::ThreePhase12Peak) first = 75;
    if (waveform == Waveform::SinglePhaseFullWave) {
        first = 2;
        stride = 2;
    }
    for (int phi = first; phi <= 90; phi += stride) {
        const double s = std::sin(physics::kModelPi * phi / 180.0);
        double current = 1.0;
        if (waveform == Waveform::SinglePhaseFullWave) {
            current = std::pow(std::fmin(1.0, s / 0.75), 1.5);
        }
        steps.push_back({s * kV, current});
    }
    return steps;
}

} // namespace

double SurveyAirKermaPerMas(double kV)
{
    const double atSurveyDistance = 0.008373 * std::pow(kV, 1.983);
    return atSurveyDistance * (kSurveyDistanceCm / 100.0) * (kSurveyDistanceCm / 100.0);
}

double WaveformFactor(Waveform waveform, double kV, const MetalAttenuation& mu, const SlotArray& muEnAir)
{
    const double aluminiumCm = 0.1 * kReferenceAluminiumMm;
    auto kerma = [&](double Vi) {
        return FilteredAirKermaPerCharge(Vi, kReferenceTargetAngle, aluminiumCm, mu, muEnAir);
    };
    // The mAs meter reads the mean current, so the output per mAs is the charge-weighted mean
    // of the kerma per charge over the waveform, compared with steady voltage at the peak.
    double weightedKerma = 0.0;
    double charge = 0.0;
    for (const PhaseStep& step : PhaseSteps(waveform, kV)) {
        weightedKerma += step.current * kerma(step.Vi);
        charge += step.current;
    }
    const double peak = kerma(std::sin(physics::kModelPi * 90.0 / 180.0) * kV);
    return (weightedKerma / charge) / peak;
}

double ExposurePerMas(Waveform waveform, double kV, const MetalAttenuation& mu, const SlotArray& muEnAir)
{
    const double kermaGy = SurveyAirKermaPerMas(kV) * 1e-6;
    const double factor =
        waveform == Waveform::ConstantPotential ? 1.0 : WaveformFactor(waveform, kV, mu, muEnAir);
    return kermaGy * factor / kKermaPerExposure;
}

} // namespace tablegen
