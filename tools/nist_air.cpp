#include "nist_air.h"

#include "log_log.h"

#include <array>

namespace tablegen {
namespace {

// The argon K edge appears twice: the value just below it, then the value just above it.
constexpr std::array<LogLogPoint, 21> kAir = {{
    {1.0, 3.599e+03},
    {1.5, 1.188e+03},
    {2.0, 5.262e+02},
    {3.0, 1.614e+02},
    {3.2029, 1.330e+02},
    {3.2029, 1.460e+02},
    {4.0, 7.636e+01},
    {5.0, 3.931e+01},
    {6.0, 2.270e+01},
    {8.0, 9.446e+00},
    {10.0, 4.742e+00},
    {15.0, 1.334e+00},
    {20.0, 5.389e-01},
    {30.0, 1.537e-01},
    {40.0, 6.833e-02},
    {50.0, 4.098e-02},
    {60.0, 3.041e-02},
    {80.0, 2.407e-02},
    {100.0, 2.325e-02},
    {150.0, 2.496e-02},
    {200.0, 2.672e-02},
}};

} // namespace

double AirEnergyAbsorption(double E) { return LogLogInterpolate(kAir, E); }

} // namespace tablegen
