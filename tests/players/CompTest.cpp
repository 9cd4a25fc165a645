#include "players/Comp.h"

#include "board/ThreadCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "players/PlayersGame.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace {

constexpr int32_t Unplayable = std::numeric_limits<int32_t>::min();

// A board of four live threads owned by 0, 2, 3 and 3 (the last one decides lastOwner), all
// plain and small, and player 1 to move.
struct CompBoard {
    CompBoard()
    {
        do
            g.StartGame(0);
        while (g.players().firstPlayer() != 1);
        const int owners[4] = {0, 2, 3, 3};
        const int colours[4] = {1, 1, 2, 3};
        for (int t = 0; t < 4; ++t) {
            Thread& thread = board().GetThread(t);
            thread.owner(owners[t]);
            thread.Color(colours[t]);
            thread.resNum(1);
            thread.Size(1);
        }
    }

    ThreadCtrl& board() { return *g.game.threadCtrl; }
    Comp& comp() { return *g.game.comp; }

    void Hand(std::array<int32_t, 10> cards)
    {
        g.players().Player(1).handCard = cards;
        g.players().CardEnableCheck(1);
    }

    PlayersGame g;
};

// The fixture's definition 0 is a one-response second post, 3 a hundred-response card; card 45 + m
// is the rainbow copy of definition m.
constexpr int32_t RainbowSecondPost = 45;
constexpr int32_t RainbowHundred = 48;

TEST(CompTest, SecondPostOnAFreshThread)
{
    CompBoard b;
    b.Hand({RainbowSecondPost, 60, 61, 62, 63, 64, 65, 66, 67, 68});
    // Another player's thread: base 300, rainbow +10, second post +450.
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 + 10 + 450);
    // Its own thread: rainbow -100, second post +500.
    b.board().GetThread(1).owner(1);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 - 100 + 500);
    // Once the thread has grown, a second post is a poor card.
    b.board().GetThread(1).owner(2);
    b.board().GetThread(1).resNum(2);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 + 10 - 400);
}

TEST(CompTest, ThousandthResponseOnAnotherThread)
{
    CompBoard b;
    b.Hand({RainbowHundred, 60, 61, 62, 63, 64, 65, 66, 67, 68});
    Thread& t = b.board().GetThread(1);
    t.resNum(905);
    t.Size(100);
    // Everyone has 0 points, so every other player leads and the plain-card term loses the bonus.
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 + 800 + 10 - 5);
    t.browserCrash(3);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), -1000 + 800 + 10 - 5);
    t.browserCrash(1);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 350 + 800 + 10 - 5);

    // Owner 2 no longer leads: no bonus.
    t.browserCrash(0);
    b.g.game.score->AddScore(3, 100, 2);
    b.g.game.score->SetRank();
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 + 800 + 10);

    // Past 512 KB on another player's thread pays, with the leader's bonus when 3 owns it.
    t.Size(500);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 + 800 + 150 + 10);
    t.owner(3);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 300 + 800 + 150 + 5 + 10 - 5);
}

TEST(CompTest, ThreadCardOnlyOnTheTopPosition)
{
    CompBoard b;
    // Card 0 is a red thread card; two red threads stand on the board.
    b.Hand({0, 60, 61, 62, 63, 64, 65, 66, 67, 68});
    EXPECT_EQ(b.comp().Evaluate(1, 0, 0), 75 - 2);
    for (int t = 1; t < 8; ++t)
        EXPECT_EQ(b.comp().Evaluate(1, 0, t), -1000) << t;
    for (int t = 8; t < 12; ++t)
        EXPECT_EQ(b.comp().Evaluate(1, 0, t), Unplayable) << t;
}

TEST(CompTest, SpecialCardsTakeTheirTableValue)
{
    CompBoard b;
    // 245 the troll, 242 capacity down, 240 the access ban.
    b.Hand({240, 242, 245, 60, 61, 62, 63, 64, 65, 66});
    EXPECT_EQ(b.comp().Evaluate(1, 2, 0), 150);
    EXPECT_EQ(b.comp().Evaluate(1, 1, 0), 140);
    EXPECT_EQ(b.comp().Evaluate(1, 0, 1), 0 + 5);
    b.board().GetThread(3).owner(1);
    b.g.players().CardEnableCheck(1);
    EXPECT_EQ(b.comp().Evaluate(1, 1, 0), -1000);
    b.g.game.score->AddScore(1, 10, 2);
    b.g.game.score->SetRank();
    EXPECT_EQ(b.comp().Evaluate(1, 2, 0), 150);
    b.g.game.score->AddScore(0, 20, 2);
    b.g.game.score->SetRank();
    EXPECT_EQ(b.comp().Evaluate(1, 2, 0), 100);
}

TEST(CompTest, ChoosesAmongTheBestPairsOnly)
{
    CompBoard b;
    b.Hand({0, 15, RainbowSecondPost, RainbowSecondPost + 1, 60, 61, 62, 63, 64, 65});
    int32_t best = Unplayable;
    std::set<int32_t> bestPairs;
    for (int s = 0; s < 10; ++s) {
        for (int t = 0; t < 12; ++t) {
            const int32_t v = b.comp().Evaluate(1, s, t);
            if (v > best) {
                best = v;
                bestPairs.clear();
            }
            if (v == best)
                bestPairs.insert(t * 10 + s);
        }
    }
    ASSERT_GE(bestPairs.size(), 2u);
    std::set<int32_t> chosen;
    for (int k = 0; k < 100; ++k) {
        const int32_t move = b.comp().GetBestCard(1);
        EXPECT_EQ(bestPairs.count(move), 1u) << move;
        chosen.insert(move);
    }
    EXPECT_EQ(chosen, bestPairs);
}

TEST(CompTest, WithoutAPlayableCardAnySlotOnTheTopPosition)
{
    CompBoard b;
    b.Hand({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    const auto& order = b.board().Order();
    b.board()
        .GetThread(static_cast<int>(std::find(order.begin(), order.end(), 0) - order.begin()))
        .GotFlag(1);
    b.g.players().CardEnableCheck(1);
    ASSERT_FALSE(b.g.players().IsEnableCard(1));
    std::set<int32_t> chosen;
    for (int k = 0; k < 100; ++k)
        chosen.insert(b.comp().GetBestCard(1));
    EXPECT_EQ(chosen.size(), 10u);
    EXPECT_EQ(*chosen.rbegin(), 9);
}

} // namespace
