// Air kerma to ambient dose equivalent H*(10)/Ka for monoenergetic photons, ICRP
// Publication 74 Table A.21 (the same values as ICRU Report 57), interpolated log-log.
#pragma once

namespace tablegen {

// H*(10)/Ka at E keV (10 to 200 keV), Sv/Gy; throws outside the tabulated range.
double AmbientDosePerAirKerma(double E);

} // namespace tablegen
