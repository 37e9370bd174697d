// Mass energy-absorption coefficient of dry air from the NIST tables (Hubbell and Seltzer,
// SRD 126, Table 4), interpolated log-log with the argon K edge as a step.
#pragma once

namespace tablegen {

// μen/ρ of dry air at E keV, cm²/g; below 1 keV extrapolated from the first two points.
double AirEnergyAbsorption(double E);

} // namespace tablegen
