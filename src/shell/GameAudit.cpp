#include "shell/GameAudit.h"

#include "board/Thread.h"
#include "board/ThreadCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"

#include <algorithm>
#include <array>

namespace {

constexpr int BoardSlots = 12;
constexpr int MinThreadMax = 5;
constexpr int MaxThreadMax = 11;
constexpr int PileDraws = 204;
constexpr int ExtraDraws = 328;

bool IsLive(const Thread& thread)
{
    return thread.resNum() >= 1 && !thread.StopFlag();
}

std::string At(const std::string& what, int index)
{
    return what + " " + std::to_string(index);
}

} // namespace

void GameAudit::Fail(std::string what)
{
    violations_.push_back(std::move(what));
}

void GameAudit::CheckOrder()
{
    std::array<int32_t, BoardSlots> sorted = game_.threadCtrl->Order();
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < BoardSlots; ++i) {
        if (sorted[i] != i) {
            Fail("order is not a permutation of the twelve slots");
            return;
        }
    }
}

void GameAudit::CheckBoard()
{
    ThreadCtrl& board = *game_.threadCtrl;
    const int32_t threadMax = board.GetThreadMax();
    const int32_t threadCount = board.GetThreadCount();
    if (threadMax < MinThreadMax || threadMax > MaxThreadMax)
        Fail("threadMax " + std::to_string(threadMax) + " out of 5..11");
    int live = 0;
    for (int t = 0; t < BoardSlots; ++t) {
        const bool isLive = IsLive(board.GetThread(t));
        live += isLive ? 1 : 0;
        if (t >= threadMax && isLive)
            Fail(At("live thread beyond threadMax at position", t));
        else if (t < threadMax && isLive != (t < threadCount))
            Fail(At(isLive ? "live thread below a finished one at position"
                           : "finished thread among the live at position",
                    t));
    }
    if (live != threadCount)
        Fail("threadCount " + std::to_string(threadCount) + " but " + std::to_string(live) + " live threads");
}

void GameAudit::CheckHands()
{
    const bool cardsLeft = !game_.cardCtrl->EOC();
    for (int p = 0; p < 4; ++p) {
        const auto& hand = game_.playerCtrl->Player(p).handCard;
        // NO_CARD is the largest card number, so a sorted hand keeps its empty slots last.
        if (!std::is_sorted(hand.begin(), hand.end()))
            Fail(At("unsorted hand of player", p));
        if (cardsLeft && std::find(hand.begin(), hand.end(), NO_CARD) != hand.end())
            Fail(At("empty slot while cards remain, player", p));
    }
}

void GameAudit::CheckScores()
{
    const Score& score = *game_.score;
    for (int p = 0; p < 4; ++p) {
        const PlayerScore& s = score.Get(p);
        if (s.total != s.threadPoints + s.resPoints + s.otherPoints)
            Fail(At("total is not the sum of the three kinds, player", p));
        int ahead = 0;
        for (int q = 0; q < 4; ++q)
            ahead += score.Get(q).total > s.total ? 1 : 0;
        if (s.rank != ahead + 1)
            Fail(At("rank does not match the totals, player", p));
    }
}

void GameAudit::CheckState()
{
    if (!IsGameState(game_.GameState))
        Fail("GameState " + std::to_string(game_.GameState) + " is not one of the screens' values");
}

void GameAudit::CheckGameOver()
{
    const int32_t expected = (game_.GameMode & ModeExtra) != 0 ? ExtraDraws : PileDraws;
    const int32_t drawn = game_.cardCtrl->DrawCount();
    if (!game_.cardCtrl->EOC() || drawn != expected)
        Fail("game over after " + std::to_string(drawn) + " draws, not " + std::to_string(expected));
    ThreadCtrl& board = *game_.threadCtrl;
    for (int t = 0; t < BoardSlots; ++t) {
        if (IsLive(board.GetThread(t)))
            Fail(At("thread still live after the game at position", t));
    }
}

void GameAudit::CheckBetweenMoves()
{
    CheckState();
    CheckOrder();
    CheckBoard();
    CheckHands();
    CheckScores();
}
