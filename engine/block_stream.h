#pragma once

#include "engine/rng.h"

#include <array>
#include <cstdint>

namespace engine {

// The additive lagged generator of Rng, run ahead a block of steps at a time for the chunked
// mode: a seeded stream gives exactly the entries and deviates that Rng gives from the same
// seed, but a draw is a read from the block instead of a step of the recurrence with its
// index bookkeeping, and the block's steps are independent enough to be computed in bulk.
class BlockStream {
public:
    // Starts the stream that Rng::SeedStream(key) starts.
    void SeedStream(std::uint64_t key);

    // The next deviate, as Rng::Next() would give it.
    float Next()
    {
        if (next_ == kBlock) [[unlikely]]
            Refill();
        return deviates_[static_cast<std::size_t>(next_++)];
    }

    // The next entry (0..16383), as Rng::NextEntry() would give it.
    std::int32_t NextEntry()
    {
        if (next_ == kBlock) [[unlikely]]
            Refill();
        return entries_[static_cast<std::size_t>(kLongLag + next_++)];
    }

private:
    static constexpr int kLongLag = 55;  // x(n) = x(n − 24) + x(n − 55) mod 16384
    static constexpr int kShortLag = 24; // the nearer of the two earlier steps
    static constexpr int kBlock = 1024;  // steps computed at a time

    // Computes the next block from the last 55 entries of the previous one.
    void Refill();

    // Entries in the order they are drawn: the 55 before the block, then the block.
    std::array<std::int32_t, kLongLag + kBlock> entries_{};
    std::array<float, kBlock> deviates_{}; // the block's entries as deviates
    int next_ = kBlock;                    // the block's next step; kBlock: none left
};

} // namespace engine
