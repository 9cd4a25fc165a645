#pragma once

#include <array>
#include <cstdint>
#include <string>

class Game;

// Every animation step and pause of the game, in milliseconds: those [WAIT] of resource.ini sets,
// read once, and the fixed ones below it.
class Consts {
public:
    explicit Consts(const Game& game);

    // Dealing: after the first hands are shown, before the first turn.
    static constexpr int32_t TimeAfterDeal = 300;
    // Starting a game: between the music and the starting sound, and after the sound.
    static constexpr int32_t TimeBeforeStartSound = 100;
    static constexpr int32_t TimeAfterStartSound = 1500;
    // The deck preview's heading alone, before the cards are laid out.
    static constexpr int32_t TimeDeckHeading = 800;
    // The game's end: the last board, then the game-over screen until a key (or this long).
    static constexpr int32_t TimeBeforeGameOver = 1500;
    static constexpr int32_t TimeGameOver = 15000;
    // The result table: its heading, then each player's row.
    static constexpr int32_t TimeEndScoreHeading = 1000;
    static constexpr int32_t TimeEndScoreRow = 600;
    // The winner's ending: its texts fade in a line at a time and hold at each page's end, the
    // title holds, a curtain of frames closes, then cards fly in and staff posts stay; the whole
    // ending waits this long for a key before moving on.
    static constexpr int32_t TimeEndingFadeStep = 240;
    static constexpr int32_t TimeEndingTextHold = 2100;
    static constexpr int32_t TimeEndingTitleHold = 1600;
    static constexpr int32_t TimeEndingCurtain = 500;
    static constexpr int32_t TimeEndingCurtainFrame = 25;
    static constexpr int32_t TimeEndingCardFlight = 945;
    static constexpr int32_t TimeEndingStaffPost = 6615;
    static constexpr int32_t TimeEndingScreen = 10000;
    // Pointer gestures on the selection screen: moves closer together than this count as one.
    static constexpr int32_t TimeGestureDelay = 100;
    // The autopilot in a window pauses before each key, so a person can follow the cursor, and
    // leaves the end screens up long enough to be read; fixed, so that a watched game looks the
    // same whatever [WAIT] says.
    static constexpr int32_t TimeAutopilotKey = 200;
    static constexpr int32_t TimeAutopilotScreen = 2500;

    int32_t TimePopMove = 25;
    int32_t TimePopShow = 2500;
    int32_t TimeBarClear = 100;
    int32_t TimeCompNext = 800;
    int32_t TimeCompThread = 200;
    int32_t TimeCardMove() const { return timeCardMove_; }

    // The leading number of a [WAIT] value: blanks skipped, halves to even; empty text gives -1 so
    // that the default applies, text without a number gives 0.
    static int32_t ParseWait(const std::string& text);

private:
    int32_t ReadWait(const Game& game, int kind) const;
    int32_t timeCardMove_ = 25;
};
