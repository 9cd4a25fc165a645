#pragma once

#include "board/Res.h"
#include "board/Thread.h"

#include <array>
#include <cstdint>
#include <memory>

class Game;
class Picture;

// The board as shown: twelve thread slots with their responses, read from the game's state.
// Public operations take board positions (0 = top) and translate them through the state's order.
class ThreadCtrl {
public:
    explicit ThreadCtrl(Game& game);

    void ClassInit(Picture* pic);
    void GameInit();
    int32_t GetThreadMax() const;
    int32_t GetThreadCount() const;
    Thread& GetThread(int threadIndex);
    Res& GetRes(int threadIndex);
    bool IsEnableCard(int cardIndex, int threadIndex);
    void AllDat();
    void PayCard(int threadIndex, int cIndex, int plIndex);
    void Paint(Picture& pic, int plIndex);

    // The slot shown at a position; always a permutation of 0..11.
    const std::array<int32_t, 12>& Order() const;

private:
    friend struct ThreadCtrlProbe;

    Game& game_;
    std::array<std::unique_ptr<Thread>, 12> threads_;
    std::array<std::unique_ptr<Res>, 12> resLists_;
};
