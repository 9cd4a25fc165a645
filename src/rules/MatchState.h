#pragma once

#include "rules/Rng.h"
#include "rules/RuleConstants.h"
#include "rules/ThreadDeal.h"

#include <array>
#include <cstdint>
#include <string>

// A text the rules chose, by where it lives: a response is kept as numbers and becomes words only
// when it is shown, so that copying a late game copies no strings.
struct TextRef {
    enum Kind : uint8_t {
        None,
        // card.dat's special text a.
        Special,
        // Response text b of card definition a.
        CardRes,
        // Response b of the game's thread a (a board thread's own texts).
        ThreadRes,
        // " a": the board position a pop-up reads back to show that thread.
        Position,
    };
    uint8_t kind = None;
    int16_t a = 0;
    int16_t b = 0;

    bool operator==(const TextRef&) const = default;
};

// One response as posted.
struct Post {
    enum Kind : uint8_t {
        Plain,
        // The true stopper's closing response: its own name and date, no ID.
        Stopper,
        // Every field wiped by the abone card.
        Abone,
        // The board's own note that the thread passed a thousand.
        Closing,
    };
    int16_t number = 0;
    uint8_t kind = Plain;
    int8_t agesage = 0;
    // A player's name index, or -1 for the thread's anonymous poster.
    int8_t name = -1;
    TextRef text;
    std::array<char, 8> id{};
    // The local date and time posted, in minutes since 1970-01-01 00:00 of the local calendar.
    int32_t date = 0;

    bool operator==(const Post&) const = default;
};

// One thread slot of the board with its marks and its eight newest responses, newest first.
struct ThreadState {
    int32_t resNum = -1;
    int32_t size = 0;
    // The game thread whose texts it shows, -1 for an empty slot.
    int32_t resIndex = -1;
    int32_t owner = -1;
    int32_t color = -1;
    int32_t agesage = 0;
    int32_t jienCount = 0;
    int32_t gotFlag = 0;
    int32_t festaFlag = 0;
    bool ikusaFlag = false;
    bool stopFlag = false;
    int32_t judgeFlag = 0;
    int32_t browserCrash = 0;
    // Whether this thread's responses never take the hour's greeting.
    bool noClockText = false;
    std::array<Post, 8> posts{};

    bool operator==(const ThreadState&) const = default;
};

// The twelve slots, the order they are shown in (position 0 at the top), the capacity and how many
// threads are live.
struct BoardState {
    std::array<ThreadState, BoardPositions> threads{};
    std::array<int32_t, BoardPositions> order{};
    int32_t threadCount = 0;
    int32_t threadMax = 8;

    bool operator==(const BoardState&) const = default;
};

// One player: who they are, the ten cards held, the cursors, what may be played where, and the
// counters that decide the turn order.
struct PlayerData {
    int32_t color = 0;
    int32_t nameIndex = 0;
    std::string id;
    std::array<int32_t, HandSlots> handCard{NO_CARD, NO_CARD, NO_CARD, NO_CARD, NO_CARD,
                                            NO_CARD, NO_CARD, NO_CARD, NO_CARD, NO_CARD};
    int32_t stopCount = 0;
    // enable[position][slot]
    std::array<std::array<bool, HandSlots>, BoardPositions> enable{};
    bool enableCard = false;
    int32_t currentCard = 0;
    int32_t currentThread = 0;
    int32_t waitCount = 0;
    int32_t myCardCount = 0;

    bool operator==(const PlayerData&) const = default;
};

struct PlayerScore {
    int32_t total = 0;
    int32_t threadPoints = 0;
    int32_t resPoints = 0;
    int32_t otherPoints = 0;
    int32_t finishedThreads = 0;
    int32_t finishedRes = 0;
    int32_t rank = 1;

    bool operator==(const PlayerScore&) const = default;
};

// The cards of the game: what varies between deals (the god card's colour, the thread cards'
// traps) and the draw order, one shared pile or four decks interleaved as the columns of rows.
struct CardsState {
    int32_t godColour = 1;
    std::array<int8_t, ThreadCardCount> crashMark{};
    std::array<int32_t, PileSize> pile{};
    int32_t drawCount = 0;

    bool operator==(const CardsState&) const = default;
};

// One card leaving a hand: played onto a board position, or discarded when nothing was playable.
struct CardPlay {
    int player = 0;
    int slot = 0;
    int cardNo = 0;
    int position = 0;
    bool discard = false;

    bool operator==(const CardPlay&) const = default;
};

// Everything a game in progress is: copied, it plays on alike; compared, two games that will show
// and play the same are equal.
struct MatchState {
    int32_t GameMode = 0;
    int32_t LastCardWait = 0;
    int32_t firstPlayer = 0;
    int32_t turnCount = -1;
    Rng rng{0, false};
    ThreadDeal threads;
    std::array<PlayerData, PlayerCount> players{};
    std::array<PlayerScore, PlayerCount> scores{};
    BoardState board;
    CardsState cards;

    bool operator==(const MatchState&) const = default;
};
