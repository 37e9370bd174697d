#pragma once

#include <array>
#include <cstdint>

namespace engine {

inline constexpr std::int32_t kRngModulus = 16384; // table entries lie in 0 .. 16383
inline constexpr float kRngDivisor = 16384.1f;     // 16384.099609375 in single precision

// Every possible deviate, entry / 16384.1 in single precision, so that a draw needs no division.
constexpr std::array<float, kRngModulus> MakeDeviateTable()
{
    std::array<float, kRngModulus> deviates{};
    for (std::int32_t v = 0; v < kRngModulus; ++v)
        deviates[static_cast<std::size_t>(v)] = static_cast<float>(v) / kRngDivisor;
    return deviates;
}

// The table above, built at compile time.
inline constexpr std::array<float, kRngModulus> kDeviateTable = MakeDeviateTable();

// Additive lagged generator with a fixed seed: every run draws the same deviates.
// The 55 table entries are kept 1-based, as the recurrence is written.
class Rng {
public:
    // Seeds the table and performs the 1000 warm-up steps.
    Rng() { Initialise(); }

    // Seeds the table (entry 1 = 3783, entry i = 2 × entry i-1 + i mod 16384), sets the
    // short and long indices to 24 and 55 and performs the 1000 warm-up steps.
    void Initialise();

    // Advances one step and returns entry k / 16384.1 in single precision, in [0, 0.99994).
    float Next() { return Deviate(NextEntry()); }

    // Advances one step like Next() and returns the new entry k itself (0..16383), for
    // callers that look up a function of the deviate by entry.
    std::int32_t NextEntry()
    {
        // j is always 24 places above k, cyclically; the mirror above entry 55 spares the
        // wrap test, and the arithmetic wrap of k spares a branch.
        const int k = k_;
        const std::int32_t value = (entries_[k + kShortLag] + entries_[k]) & (kModulus - 1);
        entries_[k] = value;
        entries_[k + 55] = value;
        k_ = k - 1 + 55 * static_cast<int>(k == 1);
        return value;
    }

    // Table entry i (1..55), for checks of the state.
    std::int32_t Entry(int i) const { return entries_[i]; }
    // The short lag index j (1..55).
    int ShortIndex() const { return k_ > 55 - kShortLag ? k_ - (55 - kShortLag) : k_ + kShortLag; }
    // The long lag index k (1..55).
    int LongIndex() const { return k_; }

    // Seeds the table without the warm-up (tests compare the seeded entries).
    void SeedOnly();

    // Starts an independent stream: all 55 entries come from a well-mixed hash of `key`, not
    // from the fixed recurrence, since tables seeded from nearby values share many deviates.
    // At least one entry is odd, which the recurrence needs for its full period; then the
    // 1000 warm-up steps.
    void SeedStream(std::uint64_t key);

    // The deviate that a table entry v (0..16383) gives.
    static float Deviate(std::int32_t v) { return kDeviateTable[static_cast<std::size_t>(v)]; }

private:
    static constexpr std::int32_t kModulus = kRngModulus; // a power of two: the remainder is a mask

    static constexpr int kShortLag = 24; // the short index j lies this far above k, modulo 55

    // Entries 1..55, then 56..110 repeating them, so that j = k + 24 needs no wrap; entry 0
    // unused.
    std::array<std::int32_t, 111> entries_{};
    int k_ = 55; // long index; the short index follows from it
};

// The stream key of chunk `chunk` of energy bin `bin` in the chunked mode: a hash of both, so
// that every chunk's stream is fixed by its place in the job alone. A non-zero `seed` is
// hashed in as well, which gives every chunk another stream: a statistically independent
// repeat of the same job. Seed 0 leaves the keys of a run without one.
std::uint64_t ChunkStreamKey(int bin, long long chunk, std::uint64_t seed = 0);

// Cosine and sine of a scattering azimuth φ.
struct Azimuth {
    float cosPhi = 1.0f; // cos φ
    float sinPhi = 0.0f; // sin φ
};

// ln of the deviate of every generator entry, worked out once by the library call a flight
// would make, so that a free path looks it up. Entry 0 (deviate 0) is never looked up.
extern const std::array<float, kRngModulus> kLogDeviates;

// cos φ and sin φ of the azimuth φ = 2π × deviate of every generator entry, worked out once
// by the library calls a rotation would make.
extern const std::array<Azimuth, kRngModulus> kAzimuths;

// One flight's deviates: the free path, and the deviate R2 drawn with it that picks the
// interaction at the end of the flight.
struct FreePath {
    float length = 0.0f; // t = -ln R1 / μ, cm; or, from DrawFlight, -ln R1 alone
    float choice = 0.0f; // R2, compared with the interaction shares
};

// Draws R1 then R2 and gives -ln R1, the free path in mean free paths, with R2. A zero R1
// would give an infinite path, so both are drawn again; entry 0 is the only one whose
// deviate is 0. Generator: Rng, or the chunked mode's BlockStream.
template <class Generator> FreePath DrawFlight(Generator& rng)
{
    std::int32_t e1 = rng.NextEntry();
    float r2 = rng.Next();
    while (e1 == 0) {
        e1 = rng.NextEntry();
        r2 = rng.Next();
    }
    return {-kLogDeviates[static_cast<std::size_t>(e1)], r2};
}

// Draws R1 then R2 as DrawFlight does and turns R1 into a free path in a medium of
// attenuation μ (per cm).
inline FreePath SampleFreePath(Rng& rng, float mu)
{
    const FreePath flight = DrawFlight(rng);
    return {flight.length / mu, flight.choice};
}

// Draws R and gives the scattering azimuth φ = 2π × R as its cosine and sine.
template <class Generator> Azimuth SampleAzimuth(Generator& rng)
{
    return kAzimuths[static_cast<std::size_t>(rng.NextEntry())];
}

} // namespace engine
