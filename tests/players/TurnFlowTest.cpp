#include "board/ThreadCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "players/PlayersGame.h"
#include "shell/GameAudit.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

namespace {

// A game whose first mover is the given player.
void StartWithFirstPlayer(PlayersGame& g, int mode, int first)
{
    do
        g.StartGame(mode);
    while (g.players().firstPlayer() != first);
}

// A hand of thread cards only, while slot 0 carries the admin's mark, so that no thread card may
// open a thread: the player holds nothing playable.
void HoldNothingPlayable(PlayersGame& g, int player)
{
    ThreadCtrl& board = *g.game.threadCtrl;
    const int slot0 =
        static_cast<int>(std::find(board.Order().begin(), board.Order().end(), 0) - board.Order().begin());
    board.GetThread(slot0).GotFlag(1);
    g.players().Player(player).handCard = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

// Plays the human's turns with the computer's choice until the game is over.
int PlayToTheEnd(PlayersGame& g)
{
    g.game.onInputWait = [&g](int state) {
        if (state == StateGameOver)
            g.game.GameState = StateRunning;
    };
    int humanTurns = 0;
    g.players().NextStandBy();
    while (g.game.GameState == StatePlayerTurn && humanTurns < 1000) {
        EXPECT_TRUE(g.PlayHumanAsComputer());
        ++humanTurns;
        g.players().NextStandBy();
    }
    return humanTurns;
}

bool IsLive(Thread& t)
{
    return t.resNum() >= 1 && !t.StopFlag();
}

int32_t TotalResponses(ThreadCtrl& board)
{
    int32_t total = 0;
    for (int t = 0; t < 12; ++t)
        total += std::max(board.GetThread(t).resNum(), 0);
    return total;
}

// The mover of every turn as the board shows it when the turn begins, and the wait counters at
// every picture shown.
struct MoverLog {
    explicit MoverLog(PlayersGame& g) : game(g), lastTurn(g.players().turnCount())
    {
        g.platform.onPresent = [this] {
            PlayerCtrl& players = game.players();
            const int cur = players.GetCurrentPlayer();
            waits.push_back({players.GetWaitCount(0), players.GetWaitCount(1), players.GetWaitCount(2),
                             players.GetWaitCount(3)});
            if (players.turnCount() != lastTurn && cur < 4) {
                lastTurn = players.turnCount();
                movers.push_back(cur);
                snapshots.push_back(players.Player(cur));
                responses.push_back(TotalResponses(*game.game.threadCtrl));
                draws.push_back(game.cards().DrawCount());
            }
        };
    }
    ~MoverLog() { game.platform.onPresent = nullptr; }

    PlayersGame& game;
    int32_t lastTurn;
    std::vector<int> movers;
    std::vector<PlayerData> snapshots;
    std::vector<int32_t> responses;
    std::vector<int32_t> draws;
    std::vector<std::array<int32_t, 4>> waits;
};

TEST(TurnFlowTest, GentleRotationStartsAtTheFirstPlayer)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 2);
    MoverLog log(g);
    g.players().NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    for (int human = 0; human < 2; ++human) {
        EXPECT_EQ(g.players().GetCurrentPlayer(), 0);
        EXPECT_EQ((2 + g.players().turnCount()) % 4, 0);
        ASSERT_TRUE(g.PlayHumanAsComputer());
        g.players().NextStandBy();
    }
    const std::vector<int> expected = {2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0};
    EXPECT_EQ(log.movers, expected);
}

TEST(TurnFlowTest, RefusedCommitChangesNothing)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 0);
    g.players().NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    PlayerCtrl& players = g.players();
    // Position 11 is beyond the capacity: nothing can go there.
    players.MoveCurrentThreadDirect(0, 11);
    const PlayerData before = players.Player(0);
    const int32_t drawn = g.cards().DrawCount();
    EXPECT_FALSE(players.CardCommit(0));
    EXPECT_EQ(players.Player(0).handCard, before.handCard);
    EXPECT_EQ(g.cards().DrawCount(), drawn);
}

TEST(TurnFlowTest, CommitOnAnEmptySlotIsRefused)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 0);
    PlayerCtrl& players = g.players();
    players.NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    // A click can put the cursor on a slot that holds nothing: neither a play nor a discard.
    players.Player(0).handCard[9] = NO_CARD;
    players.MoveCurrentCardDirect(0, 9);
    const int32_t drawn = g.cards().DrawCount();
    EXPECT_FALSE(players.CardCommit(0));
    players.Player(0).enableCard = false;
    EXPECT_FALSE(players.CardCommit(0));
    EXPECT_EQ(g.cards().DrawCount(), drawn);
    EXPECT_EQ(players.Player(0).handCard[9], NO_CARD);
}

TEST(TurnFlowTest, BannedPlayerSkipsThreeTurnsAndLosesHisDeckCards)
{
    PlayersGame g;
    StartWithFirstPlayer(g, ModeDeck, 0);
    g.players().AccessStop(1);
    MoverLog log(g);
    PlayToTheEnd(g);

    std::vector<PlayerData> turns;
    for (size_t i = 0; i < log.movers.size(); ++i) {
        if (log.movers[i] == 1)
            turns.push_back(log.snapshots[i]);
    }
    ASSERT_GE(turns.size(), 5u);
    for (int k = 0; k < 4; ++k) {
        // On the fourth turn the ban is lifted before the board is shown.
        EXPECT_EQ(turns[k].stopCount, k < 3 ? 4 - k : 0) << k;
        EXPECT_EQ(turns[k].myCardCount, 11 + k) << k;
        EXPECT_EQ(turns[k].handCard, turns[0].handCard) << k;
    }
    // Released on the fourth turn: he plays, so his hand changes.
    EXPECT_NE(turns[4].handCard, turns[0].handCard);
    EXPECT_EQ(turns[4].myCardCount, 15);
    EXPECT_EQ(g.cards().DrawCount(), 204);
}

TEST(TurnFlowTest, BanInAPileGameDrawsNothing)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 3);
    g.players().AccessStop(0);
    g.players().NextStandBy();
    // The human's turns 1, 5 and 9 are skipped; he is released on turn 13. Ten computer moves
    // have drawn ten cards; the skips drew none.
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    EXPECT_EQ(g.players().turnCount(), 13);
    EXPECT_EQ(g.players().GetPlayerStop(0), 0);
    EXPECT_EQ(g.cards().DrawCount(), 44 + 10);
    EXPECT_EQ(g.players().GetMyCardCount(0), 0);
}

TEST(TurnFlowTest, HarshTurnGoesToTheFirstCounterToReachZero)
{
    PlayersGame g;
    StartWithFirstPlayer(g, ModeHarsh, 0);
    PlayerCtrl& players = g.players();
    players.NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    ASSERT_TRUE(g.PlayHumanAsComputer());

    players.Player(0).waitCount = 0;
    players.Player(1).waitCount = 15;
    players.Player(2).waitCount = 15;
    players.Player(3).waitCount = 30;
    g.game.LastCardWait = 20;
    MoverLog log(g);
    players.NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);

    // The countdown stops at every tens boundary of anyone; 1 and 2 tie and 1 moves first, then
    // 2 at once, still at zero.
    const std::vector<std::array<int32_t, 4>> steps = {{15, 10, 10, 25}, {10, 5, 5, 20}, {5, 0, 0, 15}};
    auto at = std::search(log.waits.begin(), log.waits.end(), steps.begin(), steps.end());
    EXPECT_NE(at, log.waits.end());
    EXPECT_EQ(log.movers, (std::vector<int>{1, 2, 0}));
    ASSERT_EQ(log.snapshots.size(), 3u);
    EXPECT_EQ(log.snapshots[1].waitCount, 0);
}

TEST(TurnFlowTest, HarshFreeCardLetsTheSamePlayerMoveAgain)
{
    PlayersGame g;
    StartWithFirstPlayer(g, ModeHarsh, 0);
    PlayerCtrl& players = g.players();
    players.NextStandBy();
    ASSERT_TRUE(g.PlayHumanAsComputer());
    for (int p = 1; p < 4; ++p)
        players.Player(p).waitCount = 10;
    players.Player(0).waitCount = 0;
    g.game.LastCardWait = 0;
    const int32_t turn = players.turnCount();
    const int32_t drawn = g.cards().DrawCount();
    players.NextStandBy();
    EXPECT_EQ(g.game.GameState, StatePlayerTurn);
    EXPECT_EQ(players.turnCount(), turn + 1);
    EXPECT_EQ(g.cards().DrawCount(), drawn);
    for (int p = 1; p < 4; ++p)
        EXPECT_EQ(players.GetWaitCount(p), 10);
}

TEST(TurnFlowTest, HarshPlayerWithAnEmptyDeckNeverMovesAgain)
{
    PlayersGame g;
    StartWithFirstPlayer(g, ModeHarsh | ModeDeck, 0);
    PlayerCtrl& players = g.players();
    players.Player(3).myCardCount = 51;
    MoverLog log(g);
    players.NextStandBy();
    for (int human = 0; human < 10 && g.game.GameState == StatePlayerTurn; ++human) {
        ASSERT_TRUE(g.PlayHumanAsComputer());
        players.NextStandBy();
    }
    EXPECT_GE(log.movers.size(), 30u);
    EXPECT_EQ(std::count(log.movers.begin(), log.movers.end(), 3), 0);
    EXPECT_GE(players.GetWaitCount(3), 300);
}

TEST(TurnFlowTest, HumanWithoutAPlayableCardDiscards)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 0);
    PlayerCtrl& players = g.players();
    ThreadCtrl& board = *g.game.threadCtrl;
    HoldNothingPlayable(g, 0);
    players.NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    EXPECT_FALSE(players.IsEnableCard(0));

    const int32_t responses = TotalResponses(board);
    const int32_t threads = board.GetThreadCount();
    const int32_t drawn = g.cards().DrawCount();
    const int32_t wait = g.game.LastCardWait;
    players.MoveCurrentCardDirect(0, 3);
    players.MoveCurrentThreadDirect(0, 5);
    ASSERT_TRUE(players.CardCommit(0));
    EXPECT_EQ(TotalResponses(board), responses);
    EXPECT_EQ(board.GetThreadCount(), threads);
    EXPECT_EQ(g.cards().DrawCount(), drawn + 1);
    EXPECT_EQ(g.game.LastCardWait, wait);
    const auto& hand = players.Player(0).handCard;
    EXPECT_EQ(std::count(hand.begin(), hand.end(), 3), 0);
    EXPECT_TRUE(std::is_sorted(hand.begin(), hand.end()));
}

TEST(TurnFlowTest, WithoutAPlayableCardTheHintNamesTheComputersDiscardAndLeavesTheBoardCursor)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 0);
    PlayerCtrl& players = g.players();
    HoldNothingPlayable(g, 0);
    players.NextStandBy();
    ASSERT_FALSE(players.IsEnableCard(0));
    players.MoveCurrentThreadDirect(0, 5);

    const uint64_t before = g.game.rng.State();
    const Comp::Move hint = g.game.comp->SuggestMove(0);
    EXPECT_EQ(g.game.rng.State(), before);
    EXPECT_EQ(hint.position, 5);
    EXPECT_EQ(hint.slot, g.game.comp->GetBestCard(0) % 10);
}

TEST(TurnFlowTest, ComputerWithoutAPlayableCardDiscards)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 1);
    PlayerCtrl& players = g.players();
    ThreadCtrl& board = *g.game.threadCtrl;
    HoldNothingPlayable(g, 1);
    const int32_t responses = TotalResponses(board);
    MoverLog log(g);
    players.NextStandBy();
    ASSERT_GE(log.movers.size(), 2u);
    EXPECT_EQ(log.movers[0], 1);
    EXPECT_EQ(log.movers[1], 2);
    // When 2 begins, 1 has thrown a card away and drawn another; the board is as it was.
    EXPECT_EQ(log.responses[1], responses);
    EXPECT_EQ(log.draws[1], log.draws[0] + 1);
    EXPECT_NE(players.Player(1).handCard, (std::array<int32_t, 10>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(TurnFlowTest, CommitPutsTheCursorOnTheDrawnCardOrOnTheFirstSlot)
{
    PlayersGame g;
    StartWithFirstPlayer(g, 0, 0);
    PlayerCtrl& players = g.players();
    players.NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);

    // The card about to be drawn is already held twice elsewhere: the cursor takes the first copy.
    const int32_t next = g.cards().Pile()[g.cards().DrawCount()];
    const int32_t best = g.game.comp->GetBestCard(0);
    const int played = best % 10;
    auto& hand = players.Player(0).handCard;
    for (int s = 0; s < 10; ++s) {
        if (s != played && (s == 7 || s == 9))
            hand[s] = next;
    }
    players.MoveCurrentThreadDirect(0, best / 10);
    players.MoveCurrentCardDirect(0, played);
    ASSERT_TRUE(players.CardCommit(0));
    const auto first = std::find(hand.begin(), hand.end(), next);
    ASSERT_NE(first, hand.end());
    EXPECT_EQ(players.GetCurrentCard(0), first - hand.begin());
    EXPECT_GE(std::count(hand.begin(), hand.end(), next), 2);

    // With the cards gone the played slot stays empty, sorts last and the cursor goes home.
    g.game.onInputWait = [&g](int state) {
        if (state == StateGameOver)
            g.game.GameState = StateRunning;
    };
    players.NextStandBy();
    ASSERT_EQ(g.game.GameState, StatePlayerTurn);
    while (!g.cards().EOC())
        g.cards().NextCardIndex(1);
    const int32_t turn = players.turnCount();
    ASSERT_TRUE(g.PlayHumanAsComputer());
    EXPECT_EQ(hand[9], NO_CARD);
    EXPECT_TRUE(std::is_sorted(hand.begin(), hand.end()));
    EXPECT_EQ(players.GetCurrentCard(0), 0);
    players.NextStandBy();
    EXPECT_EQ(players.turnCount(), turn);
    EXPECT_EQ(g.game.GameState, StateRunning);
}

struct GameCheck {
    int presents = 0;
    int boardChecks = 0;
};

// After every move: the board's order is a permutation, live threads stand only above threadMax
// and number threadCount, hands are sorted (and full while cards remain), GameState is one of the
// table's values.
void CheckBetweenMoves(PlayersGame& g, GameCheck& check, bool moveEnded)
{
    ++check.presents;
    GameAudit audit(g.game);
    audit.CheckState();
    audit.CheckOrder();
    audit.CheckHands();
    if (moveEnded) {
        ++check.boardChecks;
        audit.CheckBoard();
    }
    ASSERT_EQ(audit.Violations(), std::vector<std::string>{});
}

class FullGameTest : public ::testing::TestWithParam<std::tuple<int, uint64_t>> {};

TEST_P(FullGameTest, ComputerOnlyGameEndsConsistently)
{
    const auto [mode, seed] = GetParam();
    PlayersGame g(false, seed);
    g.StartGame(mode);
    GameCheck check;
    int32_t lastTurn = g.players().turnCount();
    g.platform.onPresent = [&] {
        const bool moveEnded = g.players().turnCount() != lastTurn;
        lastTurn = g.players().turnCount();
        CheckBetweenMoves(g, check, moveEnded);
    };
    PlayToTheEnd(g);
    g.platform.onPresent = nullptr;

    EXPECT_TRUE(g.cards().EOC());
    EXPECT_EQ(g.cards().DrawCount(), (mode & ModeExtra) != 0 ? 328 : 204);
    EXPECT_EQ(g.game.GameState, StateRunning);
    EXPECT_GT(check.boardChecks, 40);

    ThreadCtrl& board = *g.game.threadCtrl;
    for (int t = 0; t < 12; ++t)
        EXPECT_FALSE(IsLive(board.GetThread(t))) << t;
    EXPECT_EQ(board.GetThreadCount(), 0);

    const Score& score = *g.game.score;
    for (int p = 0; p < 4; ++p) {
        const PlayerScore& s = score.Get(p);
        EXPECT_EQ(s.total, s.threadPoints + s.resPoints + s.otherPoints) << p;
        int above = 0;
        for (int q = 0; q < 4; ++q)
            above += score.Get(q).total > s.total ? 1 : 0;
        EXPECT_EQ(s.rank, above + 1) << p;
        EXPECT_EQ(g.players().GetPlayerStop(p), 0) << p;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, FullGameTest,
                         ::testing::Combine(::testing::Values(0, ModeDeck, ModeHarsh, ModeHarsh | ModeDeck,
                                                              ModeExtra, ModeExtra | ModeDeck,
                                                              ModeExtra | ModeHarsh,
                                                              ModeExtra | ModeHarsh | ModeDeck),
                                            ::testing::Values(1u, 2u, 3u)));

} // namespace
