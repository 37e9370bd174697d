#include "thick_target.h"

#include <cmath>

namespace tablegen {
namespace {

// The front end's spectrum model uses this rounded π; the kerma here follows it so that the
// waveform factors describe the same instantaneous voltages.
constexpr double kPi = 3.14159;

// Intensity of slot i (energy fluence per electron, arbitrary unit) for voltage Vi: the
// Thomson–Whiddington slowing-down integral over electron energies T from E to Vi, with the
// polynomial cross-section shape and self-absorption on the way out of the target.
double ThickTargetIntensity(int i, double Vi, double cotTheta, double C, const SlotArray& muW)
{
    const double E = SlotEnergy(i);
    double sum = 0.0;
    for (int m = 0;; ++m) {
        const double T = E + 0.5 * m;
        if (T > Vi) break;
        const double x = E / T;
        const double shape = (1.0 - 5.049 * x + 10.847 * x * x - 10.516 * x * x * x + 3.842 * x * x * x * x) *
                             (0.03658 + 2.9e-5 * Vi);
        const double loss = 1036.1 * std::exp(-0.04695 * T) + 202.41;
        const double depth = cotTheta * (Vi * Vi - T * T) / (C * kTungstenDensity);
        sum += std::exp(-muW[i] * depth) * shape * (1.0 + 511.0 / T) / loss;
    }
    return sum;
}

} // namespace

double FilteredAirKermaPerCharge(double Vi, double targetAngleDeg, double aluminiumCm,
    const MetalAttenuation& mu, const SlotArray& muEnAir)
{
    const double cotTheta = 1.0 / std::tan(kPi * targetAngleDeg / 180.0);
    const double C = 141766.0 + 12157.0 * Vi - 111.046 * Vi * Vi + 0.552536 * Vi * Vi * Vi -
                     0.000970158 * Vi * Vi * Vi * Vi;
    const int top = static_cast<int>(std::floor(2.0 * Vi));

    SlotArray intensity{};
    double bremsstrahlung = 0.0;
    for (int i = 2; i <= top; ++i) {
        intensity[i] = ThickTargetIntensity(i, Vi, cotTheta, C, mu.tungsten);
        bremsstrahlung += intensity[i];
    }
    // Tungsten K lines (Kα2, Kα1, Kβ1, Kβ2) once the voltage exceeds the K edge well enough.
    if (Vi > 70.0) {
        const double kf = (std::sqrt(8.79856 * Vi - 595.149) - 4.55528) / 4.39928;
        const double A = 0.01 * kf * bremsstrahlung;
        intensity[119] += 0.5048 * A;
        intensity[116] += 0.2908 * A;
        intensity[134] += 0.162 * A;
        intensity[138] += 0.0424 * A;
    }

    double kerma = 0.0;
    for (int i = 2; i <= top; ++i) {
        kerma += intensity[i] * std::exp(-aluminiumCm * mu.aluminium[i]) * muEnAir[i];
    }
    return kerma;
}

} // namespace tablegen
