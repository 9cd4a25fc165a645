#pragma once

#include "rules/Rng.h"
#include "rules/RuleConstants.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How strongly a computer player plays. Standard is the one evaluation every computer player had
// before there was a choice; weak plays as a beginner, strong thinks ahead.
enum class Strength : uint8_t { Weak, Standard, Strong };

constexpr std::array<Strength, 3> Strengths{Strength::Weak, Strength::Standard, Strength::Strong};

// "weak", "standard", "strong": the names of the command line and of the records.
std::string_view StrengthName(Strength strength);
std::optional<Strength> ParseStrength(std::string_view name);

// Who sits at the table: a strength for each seat (seat 0 is the player, or the autopilot that plays
// for him) and the seed of the thinking players' own random source, so that a seeded game repeats
// exactly and the game's own random source is never drawn from by a weak or strong player.
struct Lineup {
    std::array<Strength, PlayerCount> seats{Strength::Standard, Strength::Standard, Strength::Standard,
                                            Strength::Standard};
    uint64_t seed = 0;

    // Every computer player the same strength; seat 0 standard.
    static Lineup Opponents(Strength strength, uint64_t seed);
    // The seed a game's thinking players start from: made of the game's random source as the game
    // is dealt, without drawing from it.
    static uint64_t SeedFor(const Rng& gameRng);
    // The three opponents' strength when they agree, else nullopt.
    std::optional<Strength> OpponentStrength() const;

    bool operator==(const Lineup&) const = default;
};
