#include "board/BoardGame.h"
#include "board/Ink.h"
#include "players/PlayerCtrl.h"
#include "shell/ModuleCommon.h"

#include <gtest/gtest.h>

namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Black = 0x000000;
constexpr Color Greyed = 0xE0E0E0;
constexpr Color LightYellow = 0xC0FFFF;
constexpr Color Cursor = 0x00B0FF;
constexpr Color Orange = 0x0060FF;
constexpr Color Grey = 0x808080;
constexpr Color Red = 0x0000C0;
constexpr Color Blue = 0xC00000;

// A board in every state a thread can be in, painted as the game shows it.
class BoardPaintTest : public testing::Test {
protected:
    BoardPaintTest()
    {
        for (int i = 0; i < 6; ++i)
            b.Open(0, i % 4 + 1);
        // Position 5 is finished and sinks to the first place past the capacity.
        b.probe.FinishThread(5);
        b.probe.SortThreads();

        Thread& festival = board.GetThread(0);
        festival.FestaFlag(1);
        festival.IkusaFlag(true);
        festival.JudgeFlag(1);
        festival.Agesage(1);
        festival.Color(3);
        Thread& admin = board.GetThread(1);
        admin.GotFlag(1);
        admin.JudgeFlag(2);
        board.GetThread(2).FestaFlag(2);
        Thread& trap = board.GetThread(3);
        trap.browserCrash(3);
        for (int i = 0; i < 3; ++i)
            trap.AddJienFlag();
        b.Grow(4, 57, 123);

        PlayerCtrl& players = *b.game.playerCtrl;
        players.MoveCurrentThreadDirect(0, 4);
        players.Player(0).enableCard = true;
        Paint();
    }

    void Paint()
    {
        pic.Clear();
        board.Paint(pic, 0);
    }

    static int RowY(int pos) { return 2 + 16 * pos; }
    Color At(int pos, int dx, int dy = 8) const { return pic.Pixel(69 + dx, RowY(pos) + dy); }
    bool Ink(int pos, Color fore, int from, int to, Color back = White) const
    {
        return ShowsInk(pic, fore, back, 69 + from, RowY(pos), 69 + to, RowY(pos) + 16);
    }

    BoardGame b{true};
    ThreadCtrl& board = b.board;
    Picture& pic = b.game.PictureMain;
};

TEST_F(BoardPaintTest, RowsAreGreyedWhenFinishedBlockedOrBeyondTheCapacity)
{
    EXPECT_EQ(At(0, 300), White);
    EXPECT_EQ(At(1, 300), White);
    EXPECT_EQ(At(2, 300), Greyed);
    EXPECT_EQ(At(2, 0, 0), Greyed);
    EXPECT_EQ(At(2, 549, 15), Greyed);
    EXPECT_EQ(At(5, 300), White);
    EXPECT_EQ(At(8, 300), Greyed);
    EXPECT_EQ(At(9, 300), Greyed);
    EXPECT_EQ(At(11, 300), Greyed);
    // The cursor row: a rounded orange outline around light yellow.
    EXPECT_EQ(At(4, 300), LightYellow);
    EXPECT_EQ(At(4, 300, 0), Cursor);
    EXPECT_EQ(At(4, 300, 15), Cursor);
    EXPECT_EQ(At(4, 0, 8), Cursor);
    EXPECT_NE(At(4, 0, 0), Cursor);
}

TEST_F(BoardPaintTest, PositionNumbersStopAtTheCapacity)
{
    EXPECT_TRUE(Ink(0, Black, 5, 19));
    EXPECT_TRUE(Ink(7, Black, 5, 19));
    EXPECT_FALSE(Ink(8, Black, 5, 19, Greyed));
    EXPECT_FALSE(Ink(9, Black, 0, 549, Greyed));
    // An empty row below the capacity shows its number and nothing else.
    EXPECT_FALSE(Ink(6, Black, 20, 549));
}

TEST_F(BoardPaintTest, MarksSitInTheirColumns)
{
    EXPECT_TRUE(Ink(0, Orange, 20, 34));
    EXPECT_TRUE(Ink(0, Red, 35, 49));
    EXPECT_TRUE(Ink(0, Orange, 50, 64));
    EXPECT_TRUE(Ink(0, Blue, 65, 94));
    EXPECT_TRUE(Ink(1, Orange, 20, 34));
    EXPECT_TRUE(Ink(1, Grey, 50, 64));
    EXPECT_FALSE(Ink(1, Red, 35, 49));
    EXPECT_FALSE(Ink(1, Blue, 65, 94));
    EXPECT_TRUE(Ink(8, Grey, 20, 70, Greyed));
    EXPECT_FALSE(Ink(4, Orange, 20, 94, LightYellow));
}

TEST_F(BoardPaintTest, TitlesTakeTheThreadColourAndFiguresFollowTheOwnersBox)
{
    EXPECT_TRUE(Ink(0, 0xFF6E00, 95, 340));
    EXPECT_TRUE(Ink(4, board.GetThread(4).Color() == 1 ? 0x005AFF : 0x339900, 95, 340, LightYellow));
    // Player 0 keeps colour 0: a red-outlined pink box.
    EXPECT_EQ(At(0, 345), 0xFF0000u);
    EXPECT_EQ(At(0, 388), 0xFF0000u);
    EXPECT_EQ(At(0, 360, 1), 0xFF0000u);
    EXPECT_EQ(At(0, 350), 0xFF9999u);
    EXPECT_EQ(At(0, 389), White);
    EXPECT_TRUE(Ink(3, 0x002040, 362, 376, 0xFF9999));
    EXPECT_FALSE(Ink(0, 0x002040, 362, 376, 0xFF9999));
    EXPECT_TRUE(Ink(0, Black, 390, 430));
    EXPECT_TRUE(Ink(0, Black, 430, 465));
    EXPECT_TRUE(Ink(3, Black, 465, 549));
    EXPECT_FALSE(Ink(0, Black, 465, 549));
}

TEST_F(BoardPaintTest, TheSelectedThreadsResponsesAndSizeFillTheView)
{
    const AreaRect view = GetArea(AreaThreadView);
    EXPECT_TRUE(
        ShowsInk(pic, 0x8010E0, White, view.Left + 1, view.Bottom - 20, view.Left + 46, view.Bottom - 2));
    EXPECT_TRUE(ShowsInk(pic, Black, White, view.Left, view.Top, view.Right, view.Bottom));
    EXPECT_EQ(pic.Pixel(view.Right + 2, view.Top + 50), White);

    // An empty selection shows neither responses nor a size badge.
    b.game.playerCtrl->MoveCurrentThreadDirect(0, 6);
    Paint();
    EXPECT_FALSE(ShowsInk(pic, 0x8010E0, White, view.Left, view.Top, view.Right, view.Bottom));
    EXPECT_FALSE(ShowsInk(pic, Black, White, view.Left, view.Top, view.Right, view.Bottom));
    // The cursor follows the selection, but only while the player on turn can play.
    EXPECT_EQ(At(6, 300, 0), Cursor);
    b.game.playerCtrl->Player(0).enableCard = false;
    Paint();
    EXPECT_EQ(At(6, 300, 0), White);
}

TEST_F(BoardPaintTest, WithNobodyOnTurnTheHumansSelectionShowsWithoutACursor)
{
    // In the hurried mode every player may still be waiting: the turn belongs to nobody (player 4).
    b.game.GameMode = ModeHarsh;
    for (int player = 0; player < 4; ++player)
        b.game.playerCtrl->AddWaitCount(player, 10);
    ASSERT_EQ(b.game.playerCtrl->GetCurrentPlayer(), 4);
    pic.Clear();
    board.Paint(pic, 4);
    EXPECT_EQ(At(4, 300), White);
    const AreaRect view = GetArea(AreaThreadView);
    EXPECT_TRUE(
        ShowsInk(pic, 0x8010E0, White, view.Left + 1, view.Bottom - 20, view.Left + 46, view.Bottom - 2));
}

} // namespace
