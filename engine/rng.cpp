#include "engine/rng.h"

#include "engine/constants.h"

#include <cmath>

namespace engine {

const std::array<float, kRngModulus> kLogDeviates = [] {
    std::array<float, kRngModulus> table{};
    for (std::int32_t v = 1; v < kRngModulus; ++v)
        table[static_cast<std::size_t>(v)] = std::log(Rng::Deviate(v));
    return table;
}();

const std::array<Azimuth, kRngModulus> kAzimuths = [] {
    std::array<Azimuth, kRngModulus> table{};
    for (std::int32_t v = 0; v < kRngModulus; ++v) {
        const float phi = 2.0f * kPi * Rng::Deviate(v);
        table[static_cast<std::size_t>(v)] = {std::cos(phi), std::sin(phi)};
    }
    return table;
}();

void Rng::SeedOnly()
{
    entries_[0] = 0;
    entries_[1] = 3783;
    for (int i = 2; i <= 55; ++i) entries_[i] = (2 * entries_[i - 1] + i) % kModulus;
    for (int i = 1; i <= 55; ++i) entries_[i + 55] = entries_[i];
    k_ = 55; // and j = 24
}

void Rng::Initialise()
{
    SeedOnly();
    for (int step = 0; step < 1000; ++step) Next();
}

} // namespace engine
