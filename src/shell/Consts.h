#pragma once

#include <array>
#include <cstdint>
#include <string>

class Game;

// Every animation step and pause of the game, read once from [WAIT] of resource.ini.
class Consts {
public:
    explicit Consts(const Game& game);

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
