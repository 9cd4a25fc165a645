#pragma once

#include "rules/MatchState.h"

#include <cstdint>

// Something the rules did that a player would notice, in the order it happened.
struct Happening {
    enum class Kind : uint8_t {
        // A pop-up: its id, text, target (a player, a colour or the new capacity) and points.
        Event,
        // The board changed between two pop-ups and is worth showing (the end of the game clears
        // it thread by thread; a ban is shown on the board before it is announced).
        Board,
        // The harsh mode counted every wait down by one round while nobody could move.
        Countdown,
    };
    Kind kind = Kind::Event;
    int32_t eventIndex = 0;
    TextRef text;
    int32_t target = 0;
    int32_t score = 0;

    bool operator==(const Happening&) const = default;
};

// Sees each happening the moment it happens, with the state as it stands then: a screen shows its
// pop-ups over the board of that moment, mid-card.
class Watcher {
public:
    virtual void Happened(const Happening& happening) = 0;

protected:
    ~Watcher() = default;
};
