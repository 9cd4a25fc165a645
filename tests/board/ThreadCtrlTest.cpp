#include "board/BoardGame.h"
#include "events/Score.h"
#include "players/CardCtrl.h"

#include <gtest/gtest.h>

namespace {

class ThreadCtrlTest : public testing::Test {
protected:
    // The slot number of every position, top first.
    std::vector<int32_t> Order() const { return {b.board.Order().begin(), b.board.Order().end()}; }

    BoardGame b;
    ThreadCtrl& board = b.board;
};

TEST_F(ThreadCtrlTest, MovesRotateTheOrder)
{
    b.probe.MoveUp(11, 0);
    EXPECT_EQ(Order(), (std::vector<int32_t>{11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    b.probe.MoveDown(0, 11);
    EXPECT_EQ(Order(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    b.probe.MoveUp(5, 2);
    EXPECT_EQ(Order(), (std::vector<int32_t>{0, 1, 5, 2, 3, 4, 6, 7, 8, 9, 10, 11}));
    b.probe.MoveUp(2, 5);
    b.probe.MoveDown(5, 2);
    EXPECT_EQ(Order(), (std::vector<int32_t>{0, 1, 5, 2, 3, 4, 6, 7, 8, 9, 10, 11}));
}

TEST_F(ThreadCtrlTest, NewThreadsOpenAtTheTopWithOneResponse)
{
    const int cardNo = b.Open(2, 3);
    EXPECT_EQ(board.GetThreadCount(), 1);
    Thread& thread = board.GetThread(0);
    EXPECT_EQ(thread.resNum(), 1);
    EXPECT_EQ(thread.Size(), 1);
    EXPECT_EQ(thread.owner(), 2);
    EXPECT_EQ(thread.Color(), 3);
    EXPECT_EQ(board.GetRes(0).Entry(0).number, 1);
    EXPECT_EQ(board.GetRes(0).Entry(0).text.rfind("thread " + std::to_string(cardNo) + " res ", 0), 0u);
    EXPECT_EQ(b.game.LastCardWait, 1);

    b.Open(1, 1);
    EXPECT_EQ(board.GetThread(0).owner(), 1);
    EXPECT_EQ(board.GetThread(1).owner(), 2);
    EXPECT_TRUE(b.events.empty());
}

TEST_F(ThreadCtrlTest, AFullBoardPushesItsLastLiveThreadOff)
{
    b.OpenMany(8);
    const int32_t lastSlot = board.Order()[7];
    const int32_t lastOwner = board.GetThread(7).owner();
    b.Grow(7, 720, 100);
    b.Open(3, 2);

    EXPECT_EQ(board.GetThreadCount(), 8);
    EXPECT_EQ(board.GetThread(0).owner(), 3);
    EXPECT_EQ(board.GetThread(0).resNum(), 1);
    // The dropped thread is rated and waits at the first position past the capacity.
    EXPECT_EQ(board.Order()[8], lastSlot);
    EXPECT_TRUE(board.GetThread(8).StopFlag());
    ASSERT_EQ(b.events.size(), 1u);
    EXPECT_EQ(b.events[0].id, 51);
    EXPECT_EQ(b.events[0].text, " 7");
    EXPECT_EQ(b.events[0].target, lastOwner);
    EXPECT_EQ(b.events[0].score, 20);
    EXPECT_EQ(b.game.score->Get(lastOwner).threadPoints, 20);
    EXPECT_EQ(b.game.score->Get(lastOwner).finishedThreads, 1);
    EXPECT_EQ(b.game.score->Get(lastOwner).finishedRes, 720);
    EXPECT_TRUE(b.OrderIsPermutation());
}

TEST_F(ThreadCtrlTest, FinishedThreadsLineUpFromTheCapacityNewestFirst)
{
    b.OpenMany(5);
    const int32_t first = board.Order()[3];
    b.probe.FinishThread(3);
    b.probe.SortThreads();
    const int32_t second = board.Order()[1];
    b.probe.FinishThread(1);
    b.probe.SortThreads();

    EXPECT_EQ(board.GetThreadCount(), 3);
    for (int pos = 0; pos < 3; ++pos)
        EXPECT_FALSE(board.GetThread(pos).StopFlag()) << pos;
    for (int pos = 3; pos < 8; ++pos)
        EXPECT_EQ(board.GetThread(pos).resNum(), -1) << pos;
    EXPECT_EQ(board.Order()[8], second);
    EXPECT_EQ(board.Order()[9], first);
    EXPECT_EQ(board.GetThread(10).resNum(), -1);
    EXPECT_TRUE(b.OrderIsPermutation());
}

TEST_F(ThreadCtrlTest, FinishedThreadsAreRatedByCountAndJudgement)
{
    struct Case {
        int32_t resNum;
        int32_t judge;
        int32_t id;
        int32_t points;
    };
    const Case cases[] = {{1, 0, 50, 0},      {699, 1, 50, 0},    {700, 0, 51, 20}, {799, 2, 63, 10},
                          {800, 0, 52, 30},   {849, 1, 58, 45},   {850, 2, 65, 25}, {899, 0, 53, 50},
                          {900, 1, 60, 105},  {949, 2, 66, 35},   {950, 0, 55, 80}, {999, 1, 61, 120},
                          {1001, 0, 56, 100}, {1001, 1, 62, 150}, {1001, 2, 68, 50}};
    for (const Case& c : cases) {
        b.board.GameInit();
        b.events.clear();
        b.Open(1, 2);
        b.Grow(0, c.resNum, 10);
        board.GetThread(0).JudgeFlag(c.judge);
        b.probe.FinishThread(0);
        ASSERT_EQ(b.events.size(), 1u);
        EXPECT_EQ(b.events[0].id, c.id) << c.resNum << " " << c.judge;
        EXPECT_EQ(b.events[0].score, c.points) << c.resNum << " " << c.judge;
        EXPECT_EQ(b.events[0].text, " 0");
        EXPECT_EQ(board.GetThreadCount(), 0);
    }
}

TEST_F(ThreadCtrlTest, FinishingOrRemovingEndsTheAdminAndTheFestival)
{
    b.OpenMany(4);
    b.probe.SetGotFlags(board.Order()[2], 1);
    b.probe.FinishThread(2);
    for (int pos = 0; pos < 12; ++pos)
        EXPECT_EQ(board.GetThread(pos).GotFlag(), 0) << pos;

    b.Open(0, 1);
    b.Open(1, 1);
    b.probe.StartFesta(board.Order()[0]);
    EXPECT_EQ(board.GetThread(0).FestaFlag(), 1);
    EXPECT_EQ(board.GetThread(1).FestaFlag(), 2);
    b.probe.RemoveThread(0);
    EXPECT_EQ(board.GetThread(0).resNum(), -1);
    EXPECT_EQ(board.GetThread(1).FestaFlag(), 0);

    // A thread with no response is neither rated nor removed.
    const size_t before = b.events.size();
    b.probe.FinishThread(0);
    EXPECT_EQ(b.events.size(), before);
}

TEST_F(ThreadCtrlTest, ThreadCardsWaitForTheAdminAndForFestivalsOfTheirColour)
{
    // Thread card 20 is of colour 2.
    EXPECT_TRUE(board.IsEnableCard(20, 0));
    EXPECT_TRUE(board.IsEnableCard(20, 7));
    EXPECT_FALSE(board.IsEnableCard(20, 8));

    b.Open(0, 3);
    b.Open(1, 2);
    b.Open(2, 2);
    EXPECT_TRUE(board.IsEnableCard(20, 5));
    // Only the first slot of the colour counts, whatever its festival part.
    b.probe.StartFesta(board.Order()[0]);
    EXPECT_FALSE(board.IsEnableCard(20, 0));
    b.probe.EndFesta(2);
    EXPECT_TRUE(board.IsEnableCard(20, 0));

    b.probe.SetGotFlags(5, 2);
    EXPECT_FALSE(board.IsEnableCard(20, 0));
    b.probe.SetGotFlags(0, 0);
    EXPECT_TRUE(board.IsEnableCard(20, 0));
}

TEST_F(ThreadCtrlTest, ASlotEmptiedUnderTheAdminStaysClosedToNewThreads)
{
    b.OpenMany(8);
    // The newest thread sits in slot 0, which the thread cards look at for the whole board.
    ASSERT_EQ(board.Order()[0], 0);
    b.probe.FinishThread(0);
    b.probe.SortThreads();
    b.Play(AdminCard, 4, 0, 1);
    ASSERT_EQ(board.GetThread(0).GotFlag(), 1);
    b.probe.MoveDown(8, 11);
    ASSERT_EQ(board.Order()[11], 0);

    // Making room drops the finished thread in slot 0 while the admin is still in.
    b.Play(CapacityUpCard, 4, 0, 2);
    ASSERT_EQ(board.GetThreadMax(), 9);
    ASSERT_EQ(board.GetThread(0).GotFlag(), 1);
    Card& threadCard = b.game.cardCtrl->GetCard(40);
    threadCard.Load(b.game.cardDefs, ThreadCard, 2, "");
    EXPECT_FALSE(board.IsEnableCard(40, 0));
    // Nor may the troll land on the emptied row.
    for (int pos = 0; pos < board.GetThreadMax(); ++pos)
        EXPECT_FALSE(board.IsEnableCard(245, pos)) << pos;
}

TEST_F(ThreadCtrlTest, NothingIsPlayableAtOrBeyondTheCapacity)
{
    b.OpenMany(8);
    for (int cardNo : {0, 50, 100, 237, 241, 242, 245}) {
        EXPECT_FALSE(board.IsEnableCard(cardNo, 8)) << cardNo;
        EXPECT_FALSE(board.IsEnableCard(cardNo, 11)) << cardNo;
    }
    // Capacity cards are playable on any position below it.
    EXPECT_TRUE(board.IsEnableCard(241, 7));
    // A red response card goes on the red threads only (the newest of them at position 3).
    EXPECT_TRUE(board.IsEnableCard(93 + 3, 3));
    EXPECT_TRUE(board.IsEnableCard(93 + 3, 7));
    EXPECT_FALSE(board.IsEnableCard(93 + 3, 2));
}

TEST_F(ThreadCtrlTest, AllDatRatesEveryThreadLeft)
{
    board.AllDat();
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{72}));
    EXPECT_EQ(b.events[0].text, "special 38");

    b.events.clear();
    b.OpenMany(3);
    b.Grow(1, 850, 30);
    board.AllDat();
    EXPECT_EQ(b.EventIds(), (std::vector<int32_t>{72, 50, 53, 50}));
    EXPECT_EQ(b.events[1].text, " 0");
    EXPECT_EQ(b.events[2].text, " 0");
    EXPECT_EQ(board.GetThreadCount(), 0);
    EXPECT_EQ(board.GetThread(0).resNum(), -1);
    int finished = 0;
    for (int pos = 0; pos < 12; ++pos)
        finished += board.GetThread(pos).StopFlag() ? 1 : 0;
    EXPECT_EQ(finished, 3);
    EXPECT_TRUE(b.OrderIsPermutation());
}

} // namespace
