#include "rules/Lineup.h"

std::string_view StrengthName(Strength strength)
{
    switch (strength) {
    case Strength::Weak:
        return "weak";
    case Strength::Strong:
        return "strong";
    default:
        return "standard";
    }
}

std::optional<Strength> ParseStrength(std::string_view name)
{
    for (Strength strength : Strengths) {
        if (StrengthName(strength) == name)
            return strength;
    }
    return std::nullopt;
}

Lineup Lineup::Opponents(Strength strength, uint64_t seed)
{
    Lineup lineup;
    for (int seat = 1; seat < PlayerCount; ++seat)
        lineup.seats[seat] = strength;
    lineup.seed = seed;
    return lineup;
}

std::optional<Strength> Lineup::OpponentStrength() const
{
    if (seats[1] != seats[2] || seats[2] != seats[3])
        return std::nullopt;
    return seats[1];
}

uint64_t Lineup::SeedFor(const Rng& gameRng)
{
    // Another stream than the game's: its draws are never the game's draws.
    return (gameRng.State() ^ 0x5DEECE66DULL) * 0xD6E8FEB86659FD93ULL + 0x632BE59BD9B4E019ULL;
}
