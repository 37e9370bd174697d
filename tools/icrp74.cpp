#include "icrp74.h"

#include "log_log.h"

#include <array>
#include <stdexcept>

namespace tablegen {
namespace {

constexpr std::array<LogLogPoint, 11> kIcrp74 = {{
    {10.0, 0.008},
    {15.0, 0.26},
    {20.0, 0.61},
    {30.0, 1.10},
    {40.0, 1.47},
    {50.0, 1.67},
    {60.0, 1.74},
    {80.0, 1.72},
    {100.0, 1.65},
    {150.0, 1.49},
    {200.0, 1.40},
}};

} // namespace

double AmbientDosePerAirKerma(double E)
{
    if (E < kIcrp74.front().E || E > kIcrp74.back().E) {
        throw std::out_of_range("H*(10)/Ka asked outside 10-200 keV");
    }
    return LogLogInterpolate(kIcrp74, E);
}

} // namespace tablegen
