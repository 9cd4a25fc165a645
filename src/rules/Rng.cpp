#include "rules/Rng.h"

#include <cmath>

namespace {

uint64_t SplitMix(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

Rng::Rng(uint64_t seed, bool fixed) : state_(seed), fixed_(fixed)
{
}

void Rng::Randomize(uint64_t clockNoise)
{
    if (!fixed_)
        state_ ^= SplitMix(clockNoise);
}

float Rng::Next()
{
    return static_cast<float>(SplitMix(state_) >> 40) * (1.0f / 16777216.0f);
}

int Rng::Below(int n)
{
    // Multiplying in double keeps u * n below n even where a float product would round up to it.
    return static_cast<int>(std::floor(static_cast<double>(Next()) * n));
}

bool Rng::Chance(double p)
{
    return Next() < static_cast<float>(p);
}
