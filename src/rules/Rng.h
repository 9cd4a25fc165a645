#pragma once

#include <array>
#include <cstdint>
#include <span>

// The game's one random source: uniform reals in [0, 1) with 24 bits, like the single-precision
// generator the rules were tuned with. A fixed seed makes every game reproducible; Randomize then
// keeps the sequence instead of reseeding from the clock.
class Rng {
public:
    explicit Rng(uint64_t seed, bool fixed) : state_(seed), fixed_(fixed) {}

    // The rules reseed from the clock at several points; with a fixed seed that would break replays.
    void Randomize(uint64_t clockNoise)
    {
        if (!fixed_)
            state_ ^= Mix(clockNoise + Step);
    }
    float Next() { return static_cast<float>(Draw()) * (1.0f / 16777216.0f); }
    // floor(u * n) for a fresh u; 0..n-1 for n >= 1.
    int Below(int n) { return Scale(Draw(), n); }
    // The ways a batch of draws can be worked out: one draw at a time, or eight side by side in
    // the processor's vector registers where it has 64-bit lanes that multiply. Both give the same
    // draws; Widest takes the eight where it can.
    enum class Lanes { One, Widest };
    struct Cell {
        int row = 0;
        int column = 0;
    };
    // Draws cells, Below(rows.size()) then Below(columns), until one whose bit is set in its row,
    // and returns it: every set cell is as likely, and the draws taken are those of drawing one cell
    // at a time. At most 16 rows and 32 columns; with no bit set nothing is drawn and {-1, -1}
    // comes back.
    Cell DrawUntilSet(std::span<const uint32_t> rows, int columns, Lanes lanes = Lanes::Widest);
    // Eight draws of Below(n), 1 <= n <= 256, as eight calls would give them.
    std::array<uint8_t, 8> EightBelow(int n, Lanes lanes = Lanes::Widest);
    // R < p, compared in single precision as the rules state.
    bool Chance(double p) { return Next() < static_cast<float>(p); }
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
    static constexpr uint64_t Step = 0x9E3779B97F4A7C15ULL;
    // Below this |n| the integer product k * n stays under 2^53.
    static constexpr int ExactBelow = 1 << 29;

    // SplitMix64's output for an advanced state.
    static uint64_t Mix(uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // The top 24 bits of Mix(z). Mix's last step changes only the low 33 bits (z >> 31 has nothing
    // above them), so it is left out: a draw is most of what the computer player's choice costs.
    static uint32_t Top24(uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<uint32_t>(z >> 40);
    }
    // The next 24-bit draw.
    uint32_t Draw()
    {
        state_ += Step;
        return Top24(state_);
    }
    // floor(k / 2^24 * n) for a 24-bit draw k.
    static int Scale(uint32_t draw, int n)
    {
        // u is k / 2^24, so u * n is k * n / 2^24: in double it is exact while |k * n| < 2^53, and
        // its floor is then the product shifted down. Past that the double product may round, and
        // it is taken as the rules state it.
        const int64_t k = static_cast<int64_t>(draw);
        if (n > -ExactBelow && n < ExactBelow)
            return static_cast<int>((k * n) >> 24);
        return Rounded(k, n);
    }
    static int Rounded(int64_t k, int n);
    // What Below(n) would give at the draw `ahead` places on (1 is the next), without drawing.
    int PeekBelow(int ahead, int n) const
    {
        return Scale(Top24(state_ + Step * static_cast<uint64_t>(ahead)), n);
    }
    void Skip(int draws) { state_ += Step * static_cast<uint64_t>(draws); }

    uint64_t state_;
    bool fixed_;
};
