#pragma once

#include "platform/InputEvent.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// The journal of one game in progress: everything the game took from outside itself since the
// player started it. The game is deterministic given these, so replaying them rebuilds it exactly.
struct GameRecord {
    static constexpr const char* Kind = "pakaponta-game";
    static constexpr int Version = 1;

    // An input the game acted on, with the state it was waiting in.
    struct Input {
        int state = 0;
        InputEvent event;
    };
    // A run of equal wall-clock readings.
    struct Dates {
        int64_t time = 0;
        uint32_t count = 0;
    };

    // The program and the data files the game was played with; another of either plays differently.
    std::string program;
    std::string data;
    // The random generator when the game started, and what the title and the selection chose.
    uint64_t rng = 0;
    int gameMode = 0;
    int name = 0;
    int colour = 0;
    // The date of the daily deal the game was dealt, empty for a free deal.
    std::string daily;
    std::vector<Input> inputs;
    std::vector<Dates> dates;

    size_t DateCount() const;
    // The index-th reading (index < DateCount()).
    std::time_t DateAt(size_t index) const;
    void AddDate(std::time_t time);

    std::string Serialize() const;
    // nullopt with why when the bytes are not a whole, good record of this version.
    static std::optional<GameRecord> Parse(std::string_view bytes, std::string& why);
};
