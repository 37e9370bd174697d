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

namespace {

// splitmix64's finaliser: every input bit changes about half of the output bits.
std::uint64_t Mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15ULL; // splitmix64's increment

} // namespace

std::uint64_t ChunkStreamKey(int bin, long long chunk, std::uint64_t seed)
{
    const std::uint64_t key =
        Mix(Mix(static_cast<std::uint64_t>(bin) + kGoldenGamma) ^ static_cast<std::uint64_t>(chunk));
    if (seed == 0) return key;
    // Mix is a bijection: distinct seeds give distinct words, and a second mixing spreads
    // each over the whole key.
    return Mix(key ^ Mix(seed + 2 * kGoldenGamma));
}

void Rng::SeedStream(std::uint64_t key)
{
    std::uint64_t state = key;
    entries_[0] = 0;
    for (int i = 1; i <= 55; ++i) {
        state += kGoldenGamma;
        entries_[i] = static_cast<std::int32_t>(Mix(state) >> 50); // the top 14 bits
    }
    entries_[1] |= 1;
    for (int i = 1; i <= 55; ++i) entries_[i + 55] = entries_[i];
    k_ = 55;
    for (int step = 0; step < 1000; ++step) Next();
}

void Rng::Initialise()
{
    SeedOnly();
    for (int step = 0; step < 1000; ++step) Next();
}

} // namespace engine
