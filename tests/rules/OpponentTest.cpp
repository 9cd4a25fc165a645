#include "data/FileLoader.h"
#include "rules/Lookahead.h"
#include "rules/Playout.h"
#include "rules/RuleTables.h"
#include "shell/SimulatorRun.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

constexpr int32_t Noon = 12 * 60;

struct Shipped {
    Shipped() : t(false, 1, ShippedDataDir()), loader(t.game)
    {
        loader.DataLoad();
        loader.ThreadPublicLoad();
        tables = RuleTables(t.game.cardDefs, t.game.specialTexts);
        library = loader.Library();
    }

    TestGame t;
    FileLoader loader;
    RuleTables tables;
    ThreadLibrary library;
};

Shipped& Data()
{
    static Shipped shipped;
    return shipped;
}

// A game of standard players dealt from seed and played on until a turn of `seat` after at least
// `turns` turns; the state as that seat starts to choose.
MatchState DecisionOf(int mode, uint64_t seed, int turns, int seat)
{
    const Playout playout(Data().tables, Data().library);
    MatchState s;
    s.rng = Rng(seed, true);
    playout.Deal(s, mode, Noon);
    Rules rules(Data().tables, s);
    rules.PostDate(Noon);
    for (;;) {
        const bool ready = s.turnCount >= turns;
        if (ready) {
            MatchState probe = s;
            Rules next(Data().tables, probe);
            const int cur = next.NextMover();
            next.BeginTurn(cur);
            int playable = 0;
            for (const auto& row : probe.players[cur].enable)
                for (bool on : row)
                    playable += on ? 1 : 0;
            if (cur == seat && playable >= 2)
                return probe;
        }
        EXPECT_TRUE(playout.Turn(rules)) << "the game ended before the seat's turn";
        if (rules.CardsOut())
            return s;
    }
}

// The same game with what `seat` cannot see dealt otherwise: an opponent's card swapped with one of
// the cards still to come, its own deck's order turned round, a trap moved, and another random
// source.
MatchState Disguised(MatchState s, int seat)
{
    const bool deck = (s.GameMode & ModeDeck) != 0;
    const int rows = ((s.GameMode & ModeExtra) != 0 ? 328 : 204) / PlayerCount;
    const int other = (seat + 1) % PlayerCount;
    int32_t& held = s.players[other].handCard[0];
    int32_t& coming =
        deck ? s.cards.pile[PlayerCount * (rows - 1) + other] : s.cards.pile[s.cards.drawCount + 3];
    EXPECT_NE(held, coming);
    std::swap(held, coming);
    if (deck) {
        for (int low = s.players[seat].myCardCount, high = rows - 1; low < high; ++low, --high)
            std::swap(s.cards.pile[PlayerCount * low + seat], s.cards.pile[PlayerCount * high + seat]);
    }
    // A trap moves from one thread card still in the pile or deck to another.
    std::vector<int> trapped;
    std::vector<int> clean;
    for (int i = deck ? 0 : s.cards.drawCount; i < rows * PlayerCount; ++i) {
        const int32_t card = s.cards.pile[i];
        const bool drawn = deck && i / PlayerCount < s.players[i % PlayerCount].myCardCount;
        if (card < ThreadCardCount && !drawn)
            (s.cards.crashMark[card] == 2 ? trapped : clean).push_back(card);
    }
    if (!trapped.empty() && !clean.empty())
        std::swap(s.cards.crashMark[trapped[0]], s.cards.crashMark[clean[0]]);
    s.rng = Rng(s.rng.State() ^ 0xABCDEF, true);
    return s;
}

TEST(Lookahead, TwoGamesThatDifferOnlyInWhatTheSeatCannotSeeAreThoughtAlike)
{
    for (const int mode : {0, ModeDeck | ModeHarsh | ModeExtra}) {
        for (const int seat : {0, 2}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " seat " + std::to_string(seat));
            const MatchState seen = DecisionOf(mode, 21, 24, seat);
            const MatchState disguised = Disguised(seen, seat);
            ASSERT_FALSE(seen == disguised);
            Lookahead a(Data().tables, seen, seat, 99);
            Lookahead b(Data().tables, disguised, seat, 99);
            while (!a.Think(Lookahead::Samples)) {
            }
            while (!b.Think(Lookahead::Samples)) {
            }
            EXPECT_GE(a.Worths().size(), 2u);
            EXPECT_EQ(a.Worths(), b.Worths());
            EXPECT_EQ(a.Choice(), b.Choice());
        }
    }
}

class EveryMode : public testing::TestWithParam<int> {};

// Weak and strong seats (the autopilot's among them) beside a standard one, in whole games: every
// turn of a seat that thinks plays a card that may go where it goes, and a copy taken halfway plays
// on to the same end.
TEST_P(EveryMode, EveryStrengthPlaysOnlyLegalMovesAndAGameRepeats)
{
    const int mode = GetParam();
    const Lineup lineup{{Strength::Strong, Strength::Weak, Strength::Standard, Strength::Weak}, 77};
    const Playout playout(Data().tables, Data().library, lineup);
    MatchState s;
    s.rng = Rng(9, true);
    playout.Deal(s, mode, Noon);
    Rules rules(Data().tables, s);
    rules.PostDate(Noon);
    int illegal = 0;
    bool played = false;
    const Playout::CommitHook check = [&](const CardPlay& play, bool after) {
        if (after)
            return;
        played = true;
        const PlayerData& p = s.players[play.player];
        illegal += (play.discard ? p.enableCard : !p.enable[play.position][play.slot]) ? 1 : 0;
    };
    MatchState half;
    int lost = 0;
    for (int turn = 0;; ++turn) {
        if (turn == 60)
            half = s;
        played = false;
        if (!playout.Turn(rules, check))
            break;
        const int mover = rules.CurrentPlayer();
        if (!played && lineup.seats[mover] != Strength::Standard)
            ++lost;
    }
    EXPECT_EQ(illegal, 0);
    EXPECT_EQ(lost, 0);
    rules.FinishBoard();
    rules.LiftBans();
    playout.Finish(half, Noon);
    EXPECT_TRUE(half == s);
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryMode,
                         testing::Values(0, ModeDeck, ModeHarsh, ModeDeck | ModeHarsh, ModeExtra,
                                         ModeExtra | ModeDeck, ModeExtra | ModeHarsh,
                                         ModeExtra | ModeDeck | ModeHarsh));

} // namespace
