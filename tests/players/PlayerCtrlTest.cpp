#include "players/PlayerCtrl.h"

#include "players/CardCtrl.h"
#include "players/PlayersGame.h"

#include <gtest/gtest.h>
#include <set>

namespace {

void SetHand(PlayerCtrl& players, int player, std::initializer_list<int32_t> cards)
{
    std::array<int32_t, 10>& hand = players.Player(player).handCard;
    hand.fill(NO_CARD);
    int i = 0;
    for (int32_t c : cards)
        hand[i++] = c;
}

TEST(PlayerCtrlTest, HandCursorSkipsEmptySlotsAndWrapsOnAFullHand)
{
    PlayersGame g;
    PlayerCtrl& players = g.players();
    SetHand(players, 0, {1, 2, 3, 4, 5, 6, 7});
    players.MoveCurrentCardDirect(0, 0);
    players.MoveCurrentCard(0, -1);
    EXPECT_EQ(players.GetCurrentCard(0), 6);
    players.MoveCurrentCard(0, 1);
    EXPECT_EQ(players.GetCurrentCard(0), 6);

    SetHand(players, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    players.MoveCurrentCardDirect(0, 9);
    players.MoveCurrentCard(0, 1);
    EXPECT_EQ(players.GetCurrentCard(0), 0);
    players.MoveCurrentCard(0, -1);
    EXPECT_EQ(players.GetCurrentCard(0), 9);
    players.MoveCurrentCard(0, -23);
    EXPECT_EQ(players.GetCurrentCard(0), 6);

    players.MoveCurrentCardDirect(0, 10);
    players.MoveCurrentCardDirect(0, -1);
    EXPECT_EQ(players.GetCurrentCard(0), 6);
}

TEST(PlayerCtrlTest, BoardCursorReachesEveryPositionAndIgnoresBadTargets)
{
    PlayersGame g;
    PlayerCtrl& players = g.players();
    players.MoveCurrentThread(1, -1);
    EXPECT_EQ(players.GetCurrentThread(1), 11);
    players.MoveCurrentThread(1, 1);
    EXPECT_EQ(players.GetCurrentThread(1), 0);
    players.MoveCurrentThread(1, -30);
    EXPECT_EQ(players.GetCurrentThread(1), 6);
    players.MoveCurrentThreadDirect(1, 12);
    players.MoveCurrentThreadDirect(1, -1);
    EXPECT_EQ(players.GetCurrentThread(1), 6);
    players.MoveCurrentThreadDirect(1, 11);
    EXPECT_EQ(players.GetCurrentThread(1), 11);
}

TEST(PlayerCtrlTest, WaitCostsRoundUpToTens)
{
    PlayersGame g;
    PlayerCtrl& players = g.players();
    const std::pair<int, int> cases[] = {{0, 0}, {1, 10}, {10, 10}, {11, 20}, {39, 40}, {300, 300}};
    for (auto [cost, added] : cases) {
        const int32_t before = players.GetWaitCount(2);
        players.AddWaitCount(2, cost);
        EXPECT_EQ(players.GetWaitCount(2) - before, added) << cost;
    }
}

TEST(PlayerCtrlTest, HarshTurnGoesToTheLowestPlayerAtOrBelowZero)
{
    PlayersGame g;
    g.game.GameMode = ModeHarsh;
    PlayerCtrl& players = g.players();
    for (int p = 0; p < 4; ++p)
        players.Player(p).waitCount = 10;
    EXPECT_EQ(players.GetCurrentPlayer(), 4);
    players.Player(3).waitCount = 0;
    players.Player(2).waitCount = -10;
    EXPECT_EQ(players.GetCurrentPlayer(), 2);
    players.Player(1).waitCount = 0;
    EXPECT_EQ(players.GetCurrentPlayer(), 1);
}

TEST(PlayerCtrlTest, BanIsCountedInTurns)
{
    PlayersGame g;
    PlayerCtrl& players = g.players();
    EXPECT_FALSE(players.IsPlayerStoped(-1));
    EXPECT_FALSE(players.IsPlayerStoped(3));
    players.AccessStop(3);
    EXPECT_TRUE(players.IsPlayerStoped(3));
    EXPECT_EQ(players.GetPlayerStop(3), 4);
}

TEST(PlayerCtrlTest, CharacterChoiceIsKeptAndTheOthersDiffer)
{
    PlayersGame g;
    PlayerCtrl& players = g.players();
    for (int trial = 0; trial < 50; ++trial) {
        const int name = trial % 8;
        const int colour = trial % 4;
        players.CharacterInit(name, colour);
        EXPECT_EQ(players.Player(0).nameIndex, name);
        EXPECT_EQ(players.GetPlayerColor(0), colour);
        std::set<int32_t> colours;
        std::set<int32_t> names;
        for (int p = 0; p < 4; ++p) {
            colours.insert(players.GetPlayerColor(p));
            names.insert(players.Player(p).nameIndex);
            EXPECT_EQ(players.GetPlayerId(p).size(), 8u);
        }
        EXPECT_EQ(colours.size(), 4u);
        EXPECT_EQ(names.size(), 4u);
        EXPECT_EQ(players.turnCount(), -1);
    }
    players.CharacterInit(9, 5);
    EXPECT_EQ(players.Player(0).nameIndex, 0);
    EXPECT_EQ(players.GetPlayerColor(0), 0);
    EXPECT_EQ(players.GetPlayerName(0), g.game.PlayerNames[0]);
}

TEST(PlayerCtrlTest, SortHandPutsEmptySlotsLast)
{
    PlayersGame g;
    PlayerCtrl& players = g.players();
    players.Player(1).handCard = {240, NO_CARD, 3, 240, 100, NO_CARD, 0, 45, 237, 44};
    players.SortHand(1);
    const std::array<int32_t, 10> sorted = {0, 3, 44, 45, 100, 237, 240, 240, NO_CARD, NO_CARD};
    EXPECT_EQ(players.Player(1).handCard, sorted);
}

TEST(PlayerCtrlTest, PlayabilityTableCoversEverySlotAndPosition)
{
    PlayersGame g;
    g.cards().CardSet();
    PlayerCtrl& players = g.players();
    // An empty board: a thread card opens anywhere within the capacity, a response card nowhere,
    // an empty slot nowhere.
    SetHand(players, 2, {5, 60});
    players.CardEnableCheck(2);
    EXPECT_TRUE(players.IsEnableCard(2));
    EnableArray table{};
    players.CopyEnableArray(2, table);
    for (int t = 0; t < 12; ++t) {
        EXPECT_EQ(table[0][t], t < 8) << t;
        EXPECT_FALSE(table[1][t]) << t;
        EXPECT_FALSE(table[9][t]) << t;
    }
    players.MoveCurrentCardDirect(2, 0);
    players.MoveCurrentThreadDirect(2, 7);
    EXPECT_TRUE(players.IsEnable(2));
    players.MoveCurrentThreadDirect(2, 8);
    EXPECT_FALSE(players.IsEnable(2));

    SetHand(players, 2, {60, 61});
    players.CardEnableCheck(2);
    EXPECT_FALSE(players.IsEnableCard(2));
}

} // namespace
