#include "engine/rng.h"

namespace engine {

void Rng::SeedOnly()
{
    entries_[0] = 0;
    entries_[1] = 3783;
    for (int i = 2; i <= 55; ++i) entries_[i] = (2 * entries_[i - 1] + i) % kModulus;
    j_ = 24;
    k_ = 55;
}

void Rng::Initialise()
{
    SeedOnly();
    for (int step = 0; step < 1000; ++step) Next();
}

} // namespace engine
