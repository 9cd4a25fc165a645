#pragma once

#include <cstdint>

// The game's one random source: uniform reals in [0, 1) with 24 bits, like the single-precision
// generator the rules were tuned with. A fixed seed makes every game reproducible; Randomize then
// keeps the sequence instead of reseeding from the clock.
class Rng {
public:
    explicit Rng(uint64_t seed, bool fixed);

    // The rules reseed from the clock at several points; with a fixed seed that would break replays.
    void Randomize(uint64_t clockNoise);
    float Next();
    // floor(u * n) for a fresh u; 0..n-1 for n >= 1.
    int Below(int n);
    // R < p, compared in single precision as the rules state.
    bool Chance(double p);

    // The whole state: a game started from the same state deals and plays the same. A state set
    // is a seed: the sequence is never reseeded from the clock afterwards, as with a fixed seed.
    uint64_t State() const { return state_; }
    void SetState(uint64_t state)
    {
        state_ = state;
        fixed_ = true;
    }

    bool operator==(const Rng&) const = default;

private:
    uint64_t state_;
    bool fixed_;
};
