#include "board/Thread.h"

#include "board/ThreadCtrl.h"
#include "board/ThreadCtrlProbe.h"
#include "players/PlayerCtrl.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

class ThreadTest : public testing::Test {
protected:
    ThreadTest()
    {
        t.LoadFixtureData();
        t.game.threadCtrl = std::make_unique<ThreadCtrl>(t.game);
        t.game.threadCtrl->ClassInit(&t.game.PictureTemp);
        t.game.playerCtrl = std::make_unique<PlayerCtrl>(t.game);
        ThreadState& state = t.game.match.board.threads[0];
        state.owner = 1;
        state.resIndex = 5;
        state.color = 2;
        state.resNum = 10;
    }

    // Whether the thread takes a card of definition def in colour, age (0) or sage (1).
    bool Accepts(int def, int colour, int agesage = 0)
    {
        t.game.cardDefs[def].Agesage = agesage;
        t.game.UpdateRuleTables();
        int cardNo = 237 + def - AdminCard;
        if (def < AdminCard)
            cardNo = colour == 0 ? 45 + def : 93 + (colour - 1) * 48 + def;
        if (def == GodCard)
            t.game.match.cards.godColour = colour;
        return t.game.rules.IsEnableCard(cardNo, 0);
    }

    TestGame t{false};
    Thread thread{t.game, 0};
};

TEST_F(ThreadTest, LimitedPropertiesIgnoreOutOfRangeWrites)
{
    thread.Color(0);
    thread.Color(5);
    EXPECT_EQ(thread.Color(), 2);
    thread.Color(4);
    EXPECT_EQ(thread.Color(), 4);
    thread.owner(4);
    thread.owner(-1);
    EXPECT_EQ(thread.owner(), 1);
    thread.owner(0);
    EXPECT_EQ(thread.owner(), 0);
    thread.JudgeFlag(3);
    EXPECT_EQ(thread.JudgeFlag(), 0);
    thread.JudgeFlag(2);
    EXPECT_EQ(thread.JudgeFlag(), 2);
    thread.GotFlag(4);
    EXPECT_EQ(thread.GotFlag(), 0);
    thread.GotFlag(3);
    EXPECT_EQ(thread.GotFlag(), 3);
    thread.FestaFlag(3);
    thread.FestaFlag(-1);
    EXPECT_EQ(thread.FestaFlag(), 0);
    thread.Agesage(7);
    EXPECT_EQ(thread.Agesage(), 1);
    thread.Agesage(0);
    EXPECT_EQ(thread.Agesage(), 0);
    thread.browserCrash(6);
    thread.Size(512);
    EXPECT_EQ(thread.browserCrash(), 6);
    EXPECT_EQ(thread.Size(), 512);
}

TEST_F(ThreadTest, ResponseCardsFollowColourAgeAndSelfPosting)
{
    EXPECT_TRUE(Accepts(5, 2));
    EXPECT_TRUE(Accepts(5, 0));
    EXPECT_FALSE(Accepts(5, 3));

    // A sage thread refuses age cards and takes sage cards; an age thread takes both.
    EXPECT_TRUE(Accepts(5, 2, 1));
    thread.Agesage(1);
    EXPECT_FALSE(Accepts(5, 2));
    EXPECT_TRUE(Accepts(5, 2, 1));
    thread.Agesage(0);

    // Three rainbow cards by the owner close the thread to rainbow cards of anyone.
    for (int i = 0; i < 3; ++i)
        thread.AddJienFlag();
    EXPECT_FALSE(Accepts(5, 0));
    EXPECT_TRUE(Accepts(5, 2));
    thread.GotFlag(1);
    EXPECT_TRUE(Accepts(5, 0));
    thread.AddJienFlag();
    thread.GotFlag(0);
    EXPECT_TRUE(Accepts(5, 0));
}

TEST_F(ThreadTest, TheAdminThreadTakesAnyResponseButFewSpecials)
{
    thread.GotFlag(1);
    thread.Agesage(1);
    EXPECT_TRUE(Accepts(5, 3));
    EXPECT_TRUE(Accepts(5, 1, 0));
    for (int def : {AdminCard, GodCard, TrueStopperCard, AccessBanCard, DeleteCard, TrollCard})
        EXPECT_FALSE(Accepts(def, 2)) << def;
    EXPECT_TRUE(Accepts(AboneCard, 4));
    EXPECT_TRUE(Accepts(CapacityUpCard, 4));
    EXPECT_TRUE(Accepts(CapacityDownCard, 4));

    // Every other thread waits while the admin is elsewhere.
    thread.GotFlag(3);
    EXPECT_FALSE(thread.IsThreadEnable());
    for (int def = 0; def < ThreadCard; ++def) {
        const bool capacity = def == CapacityUpCard || def == CapacityDownCard;
        EXPECT_EQ(Accepts(def, 2), capacity) << def;
    }
}

TEST_F(ThreadTest, FestivalMembersTakeOnlyCapacityAndTrollCards)
{
    ThreadCtrlProbe{*t.game.threadCtrl}.threadCount() = 1;
    thread.FestaFlag(2);
    EXPECT_FALSE(thread.IsThreadEnable());
    EXPECT_FALSE(Accepts(5, 2));
    EXPECT_FALSE(Accepts(AboneCard, 2));
    EXPECT_TRUE(Accepts(CapacityUpCard, 2));
    EXPECT_TRUE(Accepts(TrollCard, 2));

    thread.FestaFlag(1);
    EXPECT_TRUE(thread.IsThreadEnable());
    EXPECT_TRUE(Accepts(5, 2));
}

TEST_F(ThreadTest, SpecialCardsByTheirOwnRules)
{
    EXPECT_TRUE(Accepts(AdminCard, 1));
    EXPECT_TRUE(Accepts(TrueStopperCard, 4));
    EXPECT_TRUE(Accepts(DeleteCard, 4));
    EXPECT_TRUE(Accepts(GodCard, 2));
    EXPECT_FALSE(Accepts(GodCard, 4));

    // The access ban cannot hit the thread of the player on turn (player 0 here).
    thread.owner(0);
    EXPECT_FALSE(Accepts(AccessBanCard, 4));
    thread.owner(2);
    EXPECT_TRUE(Accepts(AccessBanCard, 4));

    // The troll needs at least one live thread on the board.
    EXPECT_FALSE(Accepts(TrollCard, 4));

    thread.StopFlag(true);
    for (int def = AdminCard; def < ThreadCard; ++def) {
        const bool capacity = def == CapacityUpCard || def == CapacityDownCard;
        EXPECT_EQ(Accepts(def, 2), capacity) << def;
    }
}

} // namespace
