#include "engine/block_stream.h"

#include <algorithm>

namespace engine {

void BlockStream::SeedStream(std::uint64_t key)
{
    Rng rng;
    rng.SeedStream(key);
    // Rng's entry k (its long index) was written 55 steps before the draw to come, entry k + m
    // (cyclically) m steps before it; they become the 55 entries before the first block.
    const int k = rng.LongIndex();
    for (int m = 1; m <= kLongLag; ++m) {
        const int entry = (k - 1 + m) % kLongLag + 1;
        entries_[static_cast<std::size_t>(kBlock + kLongLag - m)] = rng.Entry(entry);
    }
    next_ = kBlock;
}

void BlockStream::Refill()
{
    std::copy(entries_.end() - kLongLag, entries_.end(), entries_.begin());
    // Each step reads entries at least 24 places back, so 24 steps in a row depend on none of
    // each other and the loop runs several at once.
    for (int i = 0; i < kBlock; ++i) {
        const std::size_t n = static_cast<std::size_t>(kLongLag + i);
        entries_[n] = (entries_[n - kShortLag] + entries_[n - kLongLag]) & (kRngModulus - 1);
    }
    for (int i = 0; i < kBlock; ++i) {
        deviates_[static_cast<std::size_t>(i)] =
            static_cast<float>(entries_[static_cast<std::size_t>(kLongLag + i)]) / kRngDivisor;
    }
    next_ = 0;
}

} // namespace engine
