#include "players/CardCtrl.h"

#include "players/PlayerCtrl.h"
#include "players/PlayersGame.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

struct Composition {
    std::array<int, 3> threadsPerColour{};
    int responses = 0;
    std::map<int32_t, int> specials;
    std::set<int> definitions;
    int empty = 0;
};

Composition Count(CardCtrl& cards)
{
    Composition c;
    for (int i = 0; i < 328; ++i) {
        const int32_t no = cards.Pile()[i];
        if (no == NO_CARD) {
            ++c.empty;
        } else if (no < 45) {
            ++c.threadsPerColour[cards.GetCard(no).cardColor() - 1];
        } else if (no < 237) {
            ++c.responses;
            c.definitions.insert(cards.GetCard(no).cardIndex());
        } else {
            ++c.specials[no];
        }
    }
    return c;
}

class PileTest : public ::testing::TestWithParam<int> {};

TEST_P(PileTest, HoldsTheCardsOfTheGame)
{
    PlayersGame g;
    g.game.GameMode = GetParam();
    const bool extra = (GetParam() & ModeExtra) != 0;
    for (int round = 0; round < 5; ++round) {
        g.cards().CardSet();
        const Composition c = Count(g.cards());
        std::array<int, 3> threads = c.threadsPerColour;
        std::sort(threads.begin(), threads.end());
        if (extra) {
            EXPECT_EQ(threads, (std::array<int, 3>{14, 15, 15}));
            EXPECT_EQ(c.responses, 240);
            EXPECT_EQ(c.empty, 0);
            EXPECT_EQ(c.definitions.size(), 48u);
            const std::map<int32_t, int> copies = {{237, 1}, {238, 1}, {239, 8}, {240, 4}, {241, 6},
                                                   {242, 6}, {243, 6}, {244, 6}, {245, 6}};
            EXPECT_EQ(c.specials, copies);
        } else {
            EXPECT_EQ(threads, (std::array<int, 3>{9, 9, 10}));
            EXPECT_EQ(c.responses, 144);
            EXPECT_EQ(c.empty, 328 - 204);
            for (int excluded : {0, 4, 9, 10, 12, 17, 21, 26, 29, 31, 34, 39})
                EXPECT_EQ(c.definitions.count(excluded), 0u) << excluded;
            EXPECT_EQ(c.definitions.size(), 36u);
            const std::map<int32_t, int> copies = {{237, 1}, {238, 1}, {239, 6}, {240, 4}, {241, 4},
                                                   {242, 4}, {243, 4}, {244, 4}, {245, 4}};
            EXPECT_EQ(c.specials, copies);
            for (int i = 204; i < 328; ++i)
                EXPECT_EQ(g.cards().Pile()[i], NO_CARD);
        }
        const int god = g.cards().GetCard(238).cardColor();
        EXPECT_TRUE(god >= 1 && god <= 3) << god;
        EXPECT_EQ(g.cards().GetRestCard(), g.cards().GetCardMax());
    }
}

TEST_P(PileTest, FirstDrawsAreThreadCardsAndEveryDeckHidesItsBrowserCrash)
{
    PlayersGame g;
    g.game.GameMode = GetParam();
    const bool extra = (GetParam() & ModeExtra) != 0;
    const CardCtrl& cards = g.cards();
    for (int round = 0; round < 5; ++round) {
        g.cards().CardSet();
        const auto& pile = cards.Pile();
        int marked = 0;
        for (int no = 0; no < 45; ++no)
            marked += g.cards().GetCard(no).browserCrash() == 2 ? 1 : 0;
        EXPECT_EQ(marked, extra ? 8 : 4);

        if ((GetParam() & ModeDeck) == 0) {
            for (int i = 0; i < 8; ++i)
                EXPECT_LT(pile[i], 45) << i;
            continue;
        }
        const int rows = cards.GetCardMax() / 4;
        for (int column = 0; column < 4; ++column) {
            EXPECT_LT(pile[column], 45);
            EXPECT_LT(pile[4 + column], 45);
            int own = 0;
            for (int row = 2; row < rows; ++row) {
                const int32_t no = pile[4 * row + column];
                own += no < 45 && g.cards().GetCard(no).browserCrash() == 2 ? 1 : 0;
            }
            EXPECT_EQ(own, extra ? 2 : 1) << column;
        }
    }
}

TEST_P(PileTest, DrawsEndExactlyAtTheLastCard)
{
    PlayersGame g;
    g.game.GameMode = GetParam();
    CardCtrl& cards = g.cards();
    cards.CardSet();
    const int max = cards.GetCardMax();
    for (int k = 0; k < max; ++k) {
        EXPECT_FALSE(cards.EOC());
        const int32_t no = cards.NextCardIndex(k % 4);
        ASSERT_TRUE(no >= 0 && no < 246) << k;
    }
    EXPECT_TRUE(cards.EOC());
    EXPECT_EQ(cards.GetRestCard(), 0);
    EXPECT_EQ(cards.NextCardIndex(0), -1);
    EXPECT_EQ(cards.DrawCount(), max);
    if ((GetParam() & ModeDeck) != 0) {
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(g.players().GetMyCardLast(p), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, PileTest, ::testing::Values(0, ModeDeck, ModeExtra, ModeExtra | ModeDeck));

TEST(CardCtrlTest, DeckDrawsFollowTheColumnAndStopAtAnEmptyDeck)
{
    PlayersGame g;
    g.game.GameMode = ModeDeck;
    CardCtrl& cards = g.cards();
    cards.CardSet();
    for (int row = 0; row < 51; ++row)
        ASSERT_EQ(cards.NextCardIndex(1), cards.Pile()[4 * row + 1]);
    EXPECT_EQ(g.players().GetMyCardLast(1), 0);
    EXPECT_EQ(cards.NextCardIndex(1), NO_CARD);
    EXPECT_EQ(cards.DrawCount(), 51);
    EXPECT_EQ(g.players().GetMyCardCount(1), 51);
    EXPECT_EQ(cards.NextCardIndex(2), cards.Pile()[2]);
}

int MarkedAfter(CardCtrl& cards, int from)
{
    for (int i = from; i < cards.GetCardMax(); ++i) {
        const int32_t no = cards.Pile()[i];
        if (no < 45 && cards.GetCard(no).browserCrash() == 2)
            return i;
    }
    return -1;
}

TEST(CardCtrlTest, OnlyTheHumanUncoversABrowserCrash)
{
    PlayersGame g;
    CardCtrl& cards = g.cards();
    cards.CardSet();
    const int first = MarkedAfter(cards, 0);
    const int second = MarkedAfter(cards, first + 1);
    ASSERT_GE(second, 0);
    while (cards.DrawCount() < first)
        cards.NextCardIndex(1);
    const int32_t human = cards.NextCardIndex(0);
    while (cards.DrawCount() < second)
        cards.NextCardIndex(2);
    const int32_t computer = cards.NextCardIndex(3);
    EXPECT_EQ(cards.GetCard(human).browserCrash(), 6);
    EXPECT_EQ(cards.GetCard(computer).browserCrash(), 2);

    // A new game loads the thread cards again: no mark survives from the last one.
    cards.CardSet();
    int marked = 0;
    for (int no = 0; no < 45; ++no) {
        EXPECT_NE(cards.GetCard(no).browserCrash(), 6) << no;
        marked += cards.GetCard(no).browserCrash() == 2 ? 1 : 0;
    }
    EXPECT_EQ(marked, 4);
}

} // namespace
