#pragma once

#include "rules/Lineup.h"

#include <optional>
#include <string>
#include <string_view>

// What the player chose for the games to come, kept between runs in a record of its own.
struct Preferences {
    static constexpr const char* Kind = "pakaponta-preferences";
    static constexpr int Version = 1;

    Strength opponents = Strength::Standard;
    // The paced pauses in percent: 100, 50 or 25.
    int pace = 100;
    bool colourMarks = false;

    std::string Serialize() const;
    // Fields a later program adds are passed over; a known field with a value this one cannot use
    // makes the record damaged.
    static std::optional<Preferences> Parse(std::string_view bytes, std::string& why);

    bool operator==(const Preferences&) const = default;
};
