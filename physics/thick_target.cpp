#include "physics/thick_target.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace physics {

int TopSlot(double voltage)
{
    return static_cast<int>(std::min(std::floor(2.0 * voltage), double{kSpectrumSlots}));
}

void ThickTargetIntensity(double vi, double cotTheta, const SlotValues& muTarget, SlotValues& phase)
{
    // Thomson–Whiddington constant: range of the electrons in tungsten.
    const double C = 141766.0 + 12157.0 * vi - 111.046 * vi * vi + 0.552536 * vi * vi * vi -
                     0.000970158 * vi * vi * vi * vi;
    const double shapeScale = 0.03658 + 2.9e-5 * vi;
    const int top = TopSlot(vi);
    // Sum over the electron energies T from the photon energy up to vi.
    for (int i = 2; i <= top; ++i) {
        const double E = 0.5 * i;
        double sum = 0.0;
        for (int k = i; 0.5 * k <= vi; ++k) {
            const double T = 0.5 * k;
            const double x = E / T;
            const double shape =
                (1.0 - 5.049 * x + 10.847 * x * x - 10.516 * x * x * x + 3.842 * x * x * x * x) * shapeScale;
            const double loss = 1036.1 * std::exp(-0.04695 * T) + 202.41;
            const double depth = cotTheta * (vi * vi - T * T) / (C * kTungstenDensity);
            sum +=
                std::exp(-muTarget[static_cast<std::size_t>(i)] * depth) * shape * (1.0 + 511.0 / T) / loss;
        }
        phase[static_cast<std::size_t>(i)] = sum;
    }
}

void AddTungstenKLines(double vi, SlotValues& phase)
{
    if (!(vi > 70.0)) return;
    const double kf = (std::sqrt(8.79856 * vi - 595.149) - 4.55528) / 4.39928;
    double bremsstrahlung = 0.0;
    for (int i = 2; i <= TopSlot(vi); ++i) bremsstrahlung += phase[static_cast<std::size_t>(i)];
    const double A = 0.01 * kf * bremsstrahlung;
    phase[119] += 0.5048 * A; // 59.5 keV
    phase[116] += 0.2908 * A; // 58.0 keV
    phase[134] += 0.162 * A;  // 67.0 keV
    phase[138] += 0.0424 * A; // 69.0 keV
}

} // namespace physics
