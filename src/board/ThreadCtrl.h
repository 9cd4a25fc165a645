#pragma once

#include "board/Res.h"
#include "board/Thread.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class Card;
class Game;
class Picture;
enum class CardFamily;

// The board: twelve thread slots with their responses, the display order, capacity and live count.
// Public operations take board positions (0 = top) and translate them through order.
class ThreadCtrl {
public:
    explicit ThreadCtrl(Game& game);

    void ClassInit(Picture* pic);
    void GameInit();
    int32_t GetThreadMax() const { return threadMax_; }
    int32_t GetThreadCount() const { return threadCount_; }
    Thread& GetThread(int threadIndex);
    Res& GetRes(int threadIndex);
    bool IsEnableCard(int cardIndex, int threadIndex);
    void AllDat();
    void PayCard(int threadIndex, int cIndex, int plIndex);
    void Paint(Picture& pic, int plIndex);

    // The slot shown at a position; always a permutation of 0..11.
    const std::array<int32_t, 12>& Order() const { return order_; }

private:
    friend struct ThreadCtrlProbe;

    void SetGotFlags(int slot, int32_t value);
    void ClearGotFlags();
    void StartFesta(int slot);
    void EndFesta(int32_t color);
    void MoveUp(int from, int to);
    void MoveDown(int from, int to);
    void NewThread(int plIndex, int cIndex, int32_t itaColor, int32_t browserCrash);
    void RemoveThread(int pos);
    void FinishThread(int pos);
    void SortThreads();
    // A played card's own effect, one function per family, and what follows every card: its
    // responses land, its pop-up and points, the end of the thread, the board's new order.
    struct Payment;
    void PaySecondPost(Payment& play);
    void PayFestival(Payment& play);
    void PayCalmDown(Payment& play);
    void PayJudge(Payment& play, bool good);
    void PaySage(Payment& play);
    void PayPresent(Payment& play);
    void PayThousandRace(Payment& play);
    void PayDescent(Payment& play);
    void PayTrueStopper(Payment& play);
    void PayAccessBan(Payment& play);
    void PayCapacityUp(Payment& play);
    void PayCapacityDown(Payment& play);
    void PayDelete(Payment& play);
    void PayAbone(Payment& play);
    void PayTroll(Payment& play);
    void PayThreadCard(Payment& play);
    void Settle(Payment& play, CardFamily family);
    // The lucky-number payment of a response card that leaves the thread at a multiple of 100.
    void PayMilestone(Thread& thread, int threadIndex, int plIndex);
    // Shuffles the live threads and posts a burst of responses into each.
    void TrollRaid(const Card& card);

    Game& game_;
    std::array<std::unique_ptr<Thread>, 12> threads_;
    std::array<std::unique_ptr<Res>, 12> resLists_;
    std::array<int32_t, 12> order_{};
    int32_t threadCount_ = 0;
    int32_t threadMax_ = 8;
};
