#include "icrp74.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace tablegen {
namespace {

struct Point {
  double E;      // keV
  double ratio;  // Sv/Gy
};

constexpr std::array<Point, 11> kIcrp74 = {{
    {10.0, 0.008}, {15.0, 0.26}, {20.0, 0.61}, {30.0, 1.10},  {40.0, 1.47},  {50.0, 1.67},
    {60.0, 1.74},  {80.0, 1.72}, {100.0, 1.65}, {150.0, 1.49}, {200.0, 1.40},
}};

}  // namespace

double AmbientDosePerAirKerma(double E) {
  if (E < kIcrp74.front().E || E > kIcrp74.back().E) {
    throw std::out_of_range("H*(10)/Ka asked outside 10-200 keV");
  }
  std::size_t k = 1;
  while (k + 1 < kIcrp74.size() && kIcrp74[k].E <= E) ++k;
  const Point& a = kIcrp74[k - 1];
  const Point& b = kIcrp74[k];
  const double f = std::log(E / a.E) / std::log(b.E / a.E);
  return std::exp(std::log(a.ratio) + f * std::log(b.ratio / a.ratio));
}

}  // namespace tablegen
