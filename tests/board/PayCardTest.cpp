#include "board/BoardGame.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"

#include <gtest/gtest.h>

namespace {

// Fixture definitions by what they carry: 1 response and 1 KB, 10 and 11, 50 and 21, 100 and 31.
constexpr int OneRes = 4;
constexpr int TenRes = 5;
constexpr int HundredRes = 3;

class PayCardTest : public testing::Test {
protected:
    const PlayerScore& ScoreOf(int player) const { return b.game.score->Get(player); }

    BoardGame b;
    ThreadCtrl& board = b.board;
};

TEST_F(PayCardTest, SecondPostAddsExactlyOneResponseAndPays)
{
    b.Open(1, 2);
    b.Play(1, 2, 0, 0);
    Thread& thread = board.GetThread(0);
    EXPECT_EQ(thread.resNum(), 2);
    EXPECT_EQ(board.GetRes(0).Entry(0).text, "special 1");
    ASSERT_EQ(b.EventIds(), (std::vector<int32_t>{1}));
    EXPECT_EQ(b.events[0].text, " 0");
    EXPECT_EQ(b.events[0].target, 0);
    EXPECT_EQ(b.events[0].score, 10);
    EXPECT_EQ(ScoreOf(0).resPoints, 10);
    EXPECT_EQ(thread.browserCrash(), 1);

    // On a thread past its first response the same card is an ordinary ten, landing on a round number.
    b.Play(1, 2, 0, 3);
    EXPECT_EQ(thread.resNum(), 10);
    EXPECT_EQ(b.events.size(), 1u);
    EXPECT_EQ(ScoreOf(3).total, 0);

    b.board.GameInit();
    b.Open(1, 2);
    b.Play(7, 0, 0, 2);
    EXPECT_EQ(board.GetRes(0).Entry(0).text, "special 3");
}

TEST_F(PayCardTest, ABrowserCrashTurnsEveryLuckyNumberIntoALoss)
{
    b.Open(1, 3, 6);
    Thread& thread = board.GetThread(0);
    b.Play(0, 3, 0, 2);
    ASSERT_EQ(b.EventIds(), (std::vector<int32_t>{73}));
    EXPECT_TRUE(b.events[0].text == "special 42" || b.events[0].text == "special 43");
    EXPECT_EQ(b.events[0].score, -20);
    EXPECT_EQ(ScoreOf(2).resPoints, -20);
    EXPECT_EQ(thread.browserCrash(), 3);

    b.Grow(0, 95, 20);
    b.Play(TenRes, 3, 0, 0);
    EXPECT_EQ(thread.resNum(), 100);
    EXPECT_EQ(b.events.back().id, 73);
    EXPECT_EQ(b.events.back().score, -20);

    b.Grow(0, 695, 40);
    b.Play(TenRes, 3, 0, 0);
    EXPECT_EQ(b.events.back().score, -40);

    b.Grow(0, 995, 60);
    thread.IkusaFlag(true);
    b.Play(TenRes, 3, 0, 0);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{73, 73, 73, 73, 56}));
    EXPECT_EQ(b.events[3].score, -200);
    EXPECT_EQ(ScoreOf(0).resPoints, -260);

    // A hidden browser crash goes off at the first lucky number as well.
    b.board.GameInit();
    b.events.clear();
    b.Open(1, 3, 2);
    b.Grow(0, 95, 20);
    b.Play(TenRes, 0, 0, 0);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{73}));
    EXPECT_EQ(board.GetThread(0).browserCrash(), 3);
}

TEST_F(PayCardTest, RoundCardsLandOnMultiplesOfTen)
{
    b.Open(1, 2);
    b.Grow(0, 23, 10);
    b.Play(TenRes, 2, 0, 0);
    EXPECT_EQ(board.GetThread(0).resNum(), 30);
    EXPECT_EQ(board.GetRes(0).Entry(0).number, 30);
    EXPECT_EQ(board.GetRes(0).Entry(1).number, 29);
    EXPECT_EQ(board.GetThread(0).Size(), 21);
    EXPECT_TRUE(b.events.empty());
    EXPECT_EQ(b.game.LastCardWait, 11);
}

TEST_F(PayCardTest, PassingAThousandFinishesTheThreadAsOneThousandAndOne)
{
    b.Open(1, 2);
    b.Open(2, 3);
    b.Grow(1, 980, 100);
    b.Play(HundredRes, 2, 1, 0);
    // No lucky number: the count went past 1000 instead of onto it.
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{56}));
    EXPECT_EQ(b.events[0].text, " 1");
    EXPECT_EQ(b.events[0].target, 1);
    EXPECT_EQ(b.events[0].score, 100);
    EXPECT_EQ(board.GetThreadCount(), 1);
    Thread& finished = board.GetThread(8);
    EXPECT_TRUE(finished.StopFlag());
    EXPECT_EQ(finished.resNum(), 1001);
    EXPECT_EQ(board.GetRes(8).Entry(0).number, 1001);
    EXPECT_EQ(board.GetRes(8).Entry(1).number, 1000);
    EXPECT_EQ(ScoreOf(1).finishedRes, 1001);
}

TEST_F(PayCardTest, LuckyNumbersPayByHowFarTheThreadHasCome)
{
    struct Case {
        int32_t from;
        bool race;
        int32_t id;
        int32_t points;
    };
    const Case cases[] = {{95, false, 21, 10},  {595, false, 26, 10}, {695, false, 27, 20},
                          {895, false, 29, 20}, {995, false, 30, 50}, {995, true, 31, 100}};
    for (const Case& c : cases) {
        b.board.GameInit();
        b.game.score->ScoreInit();
        b.events.clear();
        b.Open(1, 2);
        b.Grow(0, c.from, 10);
        board.GetThread(0).IkusaFlag(c.race);
        b.Play(TenRes, 2, 0, 3);
        ASSERT_FALSE(b.events.empty()) << c.from;
        EXPECT_EQ(b.events[0].id, c.id) << c.from;
        EXPECT_EQ(b.events[0].score, c.points) << c.from;
        EXPECT_EQ(b.events[0].target, 3) << c.from;
        EXPECT_EQ(ScoreOf(3).resPoints, c.points) << c.from;
    }
    // The thousandth response also finishes the thread.
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{31, 56}));

    // Special cards never hit a lucky number.
    b.board.GameInit();
    b.events.clear();
    b.Open(1, 2);
    b.Grow(0, 99, 10);
    b.Play(AdminCard, 4, 0, 2);
    EXPECT_EQ(board.GetThread(0).resNum(), 100);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{10}));
}

TEST_F(PayCardTest, TheLastKilobytesTrimTheResponsesAndEndTheThread)
{
    b.Open(1, 2);
    b.Grow(0, 40, 500);
    b.Play(HundredRes, 2, 0, 0);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{40, 50}));
    EXPECT_EQ(b.events[0].text, " 0");
    EXPECT_EQ(b.events[0].target, 1);
    EXPECT_EQ(b.events[0].score, 0);
    Thread& thread = board.GetThread(8);
    EXPECT_TRUE(thread.StopFlag());
    EXPECT_EQ(thread.Size(), 512);
    EXPECT_GE(thread.resNum(), 137);
    EXPECT_LE(thread.resNum(), 139);
    EXPECT_EQ(b.game.LastCardWait, 12);

    // A single response is never trimmed; the race announcement gives way to the size end.
    b.board.GameInit();
    b.events.clear();
    b.Open(1, 2);
    b.Grow(0, 699, 511);
    b.Play(28, 2, 0, 0);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{40, 51}));
    EXPECT_TRUE(board.GetThread(8).IkusaFlag());
    EXPECT_EQ(board.GetThread(8).resNum(), 700);
}

TEST_F(PayCardTest, ATrimmedCardStillPostsOneResponse)
{
    // Three responses trimmed by up to three would leave none; one always lands.
    b.game.cardDefs[OneRes].resNum = 3;
    b.game.cardDefs[OneRes].Size = 40;
    b.game.UpdateRuleTables();
    for (int i = 0; i < 20; ++i) {
        b.board.GameInit();
        b.Open(1, 2);
        b.Grow(0, 50, 500);
        b.Play(OneRes, 2, 0, 0);
        const Thread& thread = board.GetThread(8);
        EXPECT_GE(thread.resNum(), 51);
        EXPECT_LE(thread.resNum(), 52);
        EXPECT_EQ(board.GetRes(8).Entry(0).number, thread.resNum());
        EXPECT_EQ(board.GetRes(8).Entry(thread.resNum() - 50).number, 50);
    }
}

TEST_F(PayCardTest, CapacityChangesStayWithinFiveToEleven)
{
    b.OpenMany(3);
    b.Play(CapacityUpCard, 4, 1, 0);
    EXPECT_EQ(board.GetThreadMax(), 9);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{15}));
    EXPECT_EQ(b.events[0].target, 9);
    EXPECT_EQ(b.events[0].text, "");
    EXPECT_EQ(b.game.LastCardWait, 20);
    b.Play(CapacityDownCard, 4, 1, 0);
    EXPECT_EQ(board.GetThreadMax(), 8);
    EXPECT_EQ(b.events.back().id, 16);
    EXPECT_EQ(b.events.back().target, 8);
    // Neither card moves the thread it was played on.
    EXPECT_EQ(board.GetThread(1).owner(), 1);

    b.events.clear();
    b.probe.threadMax() = 11;
    b.Play(CapacityUpCard, 4, 0, 0);
    EXPECT_EQ(board.GetThreadMax(), 11);
    b.probe.threadMax() = 5;
    b.Play(CapacityDownCard, 4, 0, 0);
    EXPECT_EQ(board.GetThreadMax(), 5);
    EXPECT_TRUE(b.events.empty());
    EXPECT_EQ(board.GetThread(0).resNum(), 1);
    EXPECT_EQ(b.game.LastCardWait, 20);
}

TEST_F(PayCardTest, CapacityUpMakesRoomAboveTheFinishedThreads)
{
    b.OpenMany(8);
    b.Open(0, 1);
    b.Open(1, 2);
    EXPECT_TRUE(board.GetThread(8).StopFlag());
    EXPECT_TRUE(board.GetThread(9).StopFlag());
    b.Play(CapacityUpCard, 4, 0, 2);
    EXPECT_EQ(board.GetThreadMax(), 9);
    EXPECT_EQ(board.GetThread(8).resNum(), -1);
    EXPECT_TRUE(board.GetThread(9).StopFlag());
    EXPECT_TRUE(board.GetThread(10).StopFlag());
    EXPECT_TRUE(b.OrderIsPermutation());
}

TEST_F(PayCardTest, CapacityDownOnAFullBoardDropsTheLastLiveThread)
{
    b.OpenMany(8);
    b.Open(0, 1);
    ASSERT_TRUE(board.GetThread(8).StopFlag());
    const int32_t oldFinished = board.Order()[8];
    const int32_t last = board.Order()[7];
    const int32_t lastOwner = board.GetThread(7).owner();
    b.events.clear();

    b.Play(CapacityDownCard, 4, 2, 3);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{16, 50}));
    EXPECT_EQ(b.events[0].target, 7);
    EXPECT_EQ(b.events[1].text, " 7");
    EXPECT_EQ(b.events[1].target, lastOwner);
    EXPECT_EQ(board.GetThreadMax(), 7);
    EXPECT_EQ(board.GetThreadCount(), 7);
    EXPECT_EQ(board.Order()[7], last);
    EXPECT_EQ(board.Order()[8], oldFinished);
    EXPECT_TRUE(board.GetThread(8).StopFlag());
    EXPECT_TRUE(b.OrderIsPermutation());
}

TEST_F(PayCardTest, DeleteRemovesWithoutRatingAndAboneBlanks)
{
    b.OpenMany(3);
    const int32_t owner = board.GetThread(1).owner();
    b.Play(DeleteCard, 4, 1, 0);
    ASSERT_EQ(b.EventIds(), (std::vector<int32_t>{17}));
    EXPECT_TRUE(b.events[0].text == "special 32" || b.events[0].text == "special 33");
    EXPECT_EQ(b.events[0].target, owner);
    EXPECT_EQ(board.GetThreadCount(), 2);
    EXPECT_EQ(board.GetThread(2).resNum(), -1);
    EXPECT_EQ(ScoreOf(owner).finishedThreads, 0);

    b.events.clear();
    b.Grow(1, 30, 101);
    const int32_t slot = board.Order()[1];
    b.Play(AboneCard, 4, 1, 2);
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{18}));
    EXPECT_EQ(b.events[0].text, " 1");
    EXPECT_EQ(board.Order()[0], slot);
    EXPECT_EQ(board.GetThread(0).Size(), 25);
    EXPECT_EQ(board.GetThread(0).resNum(), 30);
    EXPECT_EQ(board.GetRes(0).Entry(0).text, "あぼーん");
    EXPECT_EQ(board.GetRes(0).Entry(7).text, "あぼーん");
}

TEST_F(PayCardTest, TheTrollRaidShufflesAndFloodsTheLiveThreads)
{
    b.OpenMany(6);
    b.probe.FinishThread(5);
    b.probe.SortThreads();
    b.Grow(0, 992, 30);
    b.Grow(1, 960, 30);
    std::vector<int32_t> before;
    for (int pos = 0; pos < 5; ++pos)
        before.push_back(board.GetThread(pos).resNum());
    const int32_t finishedSlot = board.Order()[8];
    b.events.clear();

    b.Play(TrollCard, 4, 2, 1);
    EXPECT_TRUE(b.OrderIsPermutation());
    ASSERT_EQ(b.EventIds(), (std::vector<int32_t>{19}));
    EXPECT_EQ(b.events[0].target, 1);
    EXPECT_EQ(b.events[0].score, -10);
    EXPECT_EQ(ScoreOf(1).threadPoints, -10);
    EXPECT_EQ(board.GetThreadCount(), 5);
    EXPECT_EQ(board.Order()[8], finishedSlot);
    EXPECT_EQ(board.GetThread(8).resNum(), 1);

    std::vector<int32_t> after;
    for (int pos = 0; pos < 5; ++pos) {
        const Thread& thread = board.GetThread(pos);
        EXPECT_FALSE(thread.StopFlag());
        EXPECT_EQ(thread.Agesage(), 0);
        EXPECT_EQ(board.GetRes(pos).Entry(0).number, thread.resNum());
        after.push_back(thread.resNum());
    }
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    // The thread near the end gets one response, the one in the 950s ten, the others 10 to 40.
    EXPECT_EQ(after[4], 993);
    EXPECT_EQ(after[3], 970);
    for (int i = 0; i < 3; ++i) {
        const int32_t added = after[i] - 1;
        EXPECT_TRUE(added == 10 || added == 20 || added == 30 || added == 40) << added;
    }
}

TEST_F(PayCardTest, ATrollThatPushesItsTargetToAThousandFinishesThatThread)
{
    // The raid reshuffles the board, so the target is rarely still at the position it was played on.
    for (int round = 0; round < 12; ++round) {
        board.GameInit();
        b.nextThreadCard = {};
        b.OpenMany(4);
        b.Grow(2, 999, 30);
        Thread& target = board.GetThread(2);
        b.events.clear();

        b.Play(TrollCard, 4, 2, 1);
        EXPECT_TRUE(target.StopFlag()) << round;
        EXPECT_EQ(target.resNum(), 1001) << round;
        ASSERT_EQ(b.events.size(), 2u) << round;
        EXPECT_EQ(b.events[0].id, 19);
        // The raid may have judged the thread on its way.
        EXPECT_TRUE(b.events[1].id == 56 || b.events[1].id == 62 || b.events[1].id == 68) << b.events[1].id;
        EXPECT_EQ(b.events[1].target, target.owner());
        EXPECT_EQ(board.GetThreadCount(), 3);
        for (int pos = 0; pos < 3; ++pos) {
            EXPECT_FALSE(board.GetThread(pos).StopFlag()) << round;
            EXPECT_LT(board.GetThread(pos).resNum(), 1000) << round;
        }
    }
}

TEST_F(PayCardTest, EffectCardsMarkTheirThreads)
{
    b.Open(0, 2);
    b.Open(1, 2);
    b.Open(2, 3);
    // The festival takes every thread of the colour along.
    b.Play(2, 2, 1, 3);
    EXPECT_EQ(b.events.back().id, 6);
    EXPECT_EQ(b.events.back().target, 2);
    EXPECT_EQ(board.GetThread(0).FestaFlag(), 1);
    EXPECT_EQ(board.GetThread(2).FestaFlag(), 2);
    EXPECT_EQ(board.GetThread(1).FestaFlag(), 0);
    b.Play(8, 2, 0, 3);
    EXPECT_EQ(b.events.back().id, 8);
    EXPECT_EQ(board.GetRes(0).Entry(0).text, "special 5");
    EXPECT_EQ(board.GetThread(2).FestaFlag(), 0);

    b.Play(GoodThreadCard, 3, 1, 0);
    EXPECT_EQ(b.events.back().id, 2);
    EXPECT_EQ(b.events.back().target, 2);
    EXPECT_EQ(board.GetThread(0).JudgeFlag(), 1);
    const size_t seen = b.events.size();
    b.Play(BadThreadCard, 3, 0, 0);
    EXPECT_EQ(board.GetThread(0).JudgeFlag(), 1);
    EXPECT_EQ(b.events.size(), seen);

    b.Play(25, 3, 0, 1);
    EXPECT_EQ(b.events.back().id, 4);
    EXPECT_EQ(board.GetThread(0).Agesage(), 1);

    b.Play(AdminCard, 4, 1, 0);
    EXPECT_EQ(b.events.back().id, 10);
    EXPECT_EQ(board.GetThread(0).GotFlag(), 1);
    EXPECT_EQ(board.GetThread(0).Color(), 4);
    EXPECT_EQ(board.GetThread(1).GotFlag(), 3);
    EXPECT_EQ(board.GetThread(11).GotFlag(), 3);

    b.Play(TrueStopperCard, 4, 0, 3);
    EXPECT_EQ(b.events[b.events.size() - 2].id, 12);
    EXPECT_EQ(b.events.back().id, 50);
    EXPECT_TRUE(board.GetThread(8).StopFlag());
    EXPECT_EQ(board.GetRes(8).Entry(0).name, "真・スレッドストッパー");
    EXPECT_EQ(board.GetRes(8).Entry(0).id, "*");
    EXPECT_EQ(board.GetThread(1).GotFlag(), 0);
}

TEST_F(PayCardTest, TheAccessBanHitsTheOwnerByMode)
{
    b.Open(2, 1);
    b.Open(3, 2);
    b.Play(AccessBanCard, 4, 1, 0);
    EXPECT_EQ(b.events.back().id, 13);
    EXPECT_EQ(b.events.back().target, 2);
    EXPECT_EQ(b.game.playerCtrl->GetPlayerStop(2), 4);
    EXPECT_EQ(board.GetThread(1).owner(), 2);
    EXPECT_EQ(board.GetThread(1).resNum(), 1);

    b.game.GameMode = ModeHarsh;
    b.Play(AccessBanCard, 4, 0, 0);
    EXPECT_EQ(b.game.playerCtrl->GetWaitCount(3), 300);
    EXPECT_EQ(b.game.playerCtrl->GetPlayerStop(3), 0);
}

TEST_F(PayCardTest, PlayedThreadsRiseAndRainbowsByTheOwnerCount)
{
    b.OpenMany(4);
    const int32_t slot = board.Order()[3];
    b.Play(OneRes, 0, 3, 0);
    EXPECT_EQ(board.Order()[0], slot);
    EXPECT_EQ(board.GetThread(0).jienCount(), 1);
    b.Play(OneRes, 1, 0, 0);
    b.Play(OneRes, 0, 0, 2);
    EXPECT_EQ(board.GetThread(0).jienCount(), 1);
    EXPECT_EQ(board.GetThread(0).resNum(), 4);
}

TEST_F(PayCardTest, WaitCostFollowsTheSizeOfTheResponses)
{
    b.game.cardDefs[OneRes].Size = 60;
    b.game.UpdateRuleTables();
    b.Open(0, 1);
    b.Play(OneRes, 1, 0, 0);
    EXPECT_EQ(b.game.LastCardWait, 50);
    b.game.cardDefs[OneRes].Size = 40;
    b.game.UpdateRuleTables();
    b.Play(OneRes, 1, 0, 0);
    EXPECT_EQ(b.game.LastCardWait, 40);
    b.Play(AboneCard, 4, 0, 0);
    EXPECT_EQ(b.game.LastCardWait, 20);
}

} // namespace
