#include "rules/Rng.h"

#include <cmath>

int Rng::Rounded(int64_t k, int n)
{
    // Multiplying in double keeps u * n below n even where a float product would round up to it.
    const float u = static_cast<float>(k) * (1.0f / 16777216.0f);
    return static_cast<int>(std::floor(static_cast<double>(u) * n));
}
