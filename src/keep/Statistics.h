#pragma once

#include "rules/Lineup.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// How the player has done in each of the eight games (four modes, normal and Extra), against each
// strength of opponents apart.
struct Statistics {
    static constexpr const char* Kind = "pakaponta-statistics";
    static constexpr int Version = 2;
    static constexpr int GameCount = 8;

    struct Game {
        int64_t finished = 0;
        int64_t abandoned = 0;
        // Shared first places count as first places.
        int64_t firsts = 0;
        int64_t rankSum = 0;
        int64_t scoreSum = 0;
        // Of finished games; meaningless while finished is 0.
        int64_t bestScore = 0;
        int64_t threads1000 = 0;
        int64_t threads512 = 0;
        // The points of the player's best finished thread; 0 before the first.
        int64_t bestThread = 0;
    };

    // What one finished game adds.
    struct Result {
        int rank = 0;
        int64_t score = 0;
        int64_t threads1000 = 0;
        int64_t threads512 = 0;
        int64_t bestThread = 0;
    };

    // The best daily deal of the latest day one was finished on: a better rank, then more points.
    struct Daily {
        std::string date;
        int gameMode = 0;
        int rank = 0;
        int64_t score = 0;
    };

    using Table = std::array<Game, GameCount>;

    // games[strength][game]: Strength's order (weak, standard, strong).
    std::array<Table, Strengths.size()> games{};
    std::optional<Daily> daily;

    Table& Against(Strength opponents) { return games[static_cast<size_t>(opponents)]; }
    const Table& Against(Strength opponents) const { return games[static_cast<size_t>(opponents)]; }
    // Whether any game against these opponents was finished or abandoned.
    bool Played(Strength opponents) const;

    // The entry of a GameMode (ModeDeck, ModeHarsh, ModeExtra bits).
    static int Index(int gameMode);
    static std::string Name(int index);

    void AddFinished(Strength opponents, int gameMode, const Result& result);
    void AddAbandoned(Strength opponents, int gameMode);
    // A finished daily game of the given date (which AddFinished counts like any other).
    void AddDaily(const std::string& date, int gameMode, const Result& result);
    // "殺伐 山札式 1位 123点": the daily result as the statistics show it.
    static std::string DailyText(const Daily& result);

    // "12.3" or "-" when nothing was finished.
    static std::string Average(int64_t sum, int64_t count);
    // The table that --stats prints: the standard opponents' games, and a table for each other
    // strength that was played, each then under a heading.
    std::string Text() const;

    std::string Serialize() const;
    // Reads the version before strengths too, whose games were all against standard opponents.
    static std::optional<Statistics> Parse(std::string_view bytes, std::string& why);
};
