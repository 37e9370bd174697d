// Interpolation of published tables whose values vary smoothly on log-log axes.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace tablegen {

// One published point: energy in keV and the tabulated value.
struct LogLogPoint {
    double E;     // keV
    double value; // tabulated quantity
};

// Interpolates log-log in a table ascending in energy. The segment ends at the first point
// above E, so at a repeated energy (an absorption edge) E takes the value above the edge;
// energies outside the table extend the first or last segment.
template <std::size_t N> double LogLogInterpolate(const std::array<LogLogPoint, N>& table, double E)
{
    std::size_t k = 1;
    while (k + 1 < N && table[k].E <= E) ++k;
    const LogLogPoint& a = table[k - 1];
    const LogLogPoint& b = table[k];
    const double f = std::log(E / a.E) / std::log(b.E / a.E);
    return std::exp(std::log(a.value) + f * std::log(b.value / a.value));
}

} // namespace tablegen
