#include "engine/rng.h"

namespace engine {

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
