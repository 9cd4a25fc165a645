#include "events/EventCtrl.h"

#include "board/Palette.h"
#include "board/ThreadCtrl.h"
#include "platform/KeyCodes.h"
#include "players/PlayerCtrl.h"
#include "screens/ScreenGame.h"
#include "shell/Consts.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

struct EventCtrlTest : ::testing::Test {
    ScreenGame s;
    TestGame& t = s.t;
    Picture& pic = t.game.PictureMain;

    EventCtrlTest()
    {
        for (int p = 0; p < 4; ++p)
            t.game.playerCtrl->Player(p).color = p;
    }

    EventCtrl& events() { return *t.game.eventCtrl; }

    void Blacken() { pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness); }

    // Whether any pixel of the box (right and bottom exclusive) has the colour, or differs from it.
    bool Any(const Rect& box, Color c, bool equal = true) const
    {
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if ((pic.Pixel(x, y) == c) == equal)
                    return true;
        return false;
    }
};

TEST_F(EventCtrlTest, PopUpIsCentredOnWhatTheWindowShows)
{
    // x0 = (800 - 540) \ 2 = 130, y0 = (600 - 360) \ 2 = 120, not the 808 x 630 picture's centre.
    const Rect& f = events().frameRect();
    EXPECT_EQ((std::array{f.left, f.top, f.right, f.bottom}), (std::array{131, 121, 668, 478}));
    const Rect& c = events().contentRect();
    EXPECT_EQ((std::array{c.left, c.top, c.right, c.bottom}), (std::array{132, 122, 667, 400}));
    const Rect& ti = events().titleRect();
    EXPECT_EQ((std::array{ti.left, ti.top, ti.right, ti.bottom}), (std::array{132, 401, 369, 477}));
    const Rect& in = events().infoRect();
    EXPECT_EQ((std::array{in.left, in.top, in.right, in.bottom}), (std::array{370, 401, 667, 477}));
}

TEST_F(EventCtrlTest, FrameIsRaisedAndItsBoxesSunken)
{
    Blacken();
    events().PaintPopUp(GameEnd, "", 0, 0);
    constexpr Color White = 0xFFFFFF, Grey = 0x808080, Black = 0x000000;
    // The light edge outside the frame's top and left, the dark one outside its bottom and right.
    EXPECT_EQ(pic.Pixel(130, 285), White);
    EXPECT_EQ(pic.Pixel(396, 120), White);
    EXPECT_EQ(pic.Pixel(669, 285), Black);
    EXPECT_EQ(pic.Pixel(396, 479), Black);
    // The frame's own outline, and the gap between it and the boxes.
    EXPECT_EQ(pic.Pixel(131, 285), Grey);
    EXPECT_EQ(pic.Pixel(668, 285), Grey);
    EXPECT_EQ(pic.Pixel(396, 478), Grey);
    // Each box: grey outline, dark inner edge top-left, light inner edge bottom-right, white inside.
    EXPECT_EQ(pic.Pixel(132, 285), Grey);
    EXPECT_EQ(pic.Pixel(133, 285), Black);
    EXPECT_EQ(pic.Pixel(396, 123), Black);
    EXPECT_EQ(pic.Pixel(666, 285), White);
    EXPECT_EQ(pic.Pixel(396, 399), White);
    EXPECT_EQ(pic.Pixel(396, 400), Grey);
    EXPECT_EQ(pic.Pixel(369, 435), Grey);
    EXPECT_EQ(pic.Pixel(371, 435), Black);
    EXPECT_EQ(pic.Pixel(370, 435), Grey);
    EXPECT_EQ(pic.Pixel(368, 435), White);
    EXPECT_EQ(pic.Pixel(496, 476), White);
    EXPECT_EQ(pic.Pixel(296, 185), White);
    // The title's three passes: the face on top, the shade peeking out below right.
    const Rect& ti = events().titleRect();
    EXPECT_TRUE(Any({ti.left + 10, ti.top + 20, ti.right - 3, ti.bottom - 3}, 0x0060FF));
    EXPECT_TRUE(Any({ti.left + 10, ti.top + 20, ti.right - 3, ti.bottom - 3}, 0x0000C0));
    EXPECT_FALSE(Any({ti.left + 3, ti.top + 3, ti.right - 3, ti.top + 20}, White, false));
}

TEST_F(EventCtrlTest, TitlesOfTheKiribanAndFinishedThreadEvents)
{
    for (int id = 21; id <= 29; ++id)
        EXPECT_EQ(EventCtrl::EventTitle(id), std::to_string((id - 20) * 100) + "番ゲット");
    EXPECT_EQ(EventCtrl::EventTitle(30), "　１０００");
    EXPECT_EQ(EventCtrl::EventTitle(ThousandRaceBonus), "　１０００");
    for (int id = 50; id <= 68; ++id)
        EXPECT_EQ(EventCtrl::EventTitle(id), "スレッド終了");
    EXPECT_EQ(EventCtrl::EventTitle(SecondPost), "　２ゲット");
    EXPECT_EQ(EventCtrl::EventTitle(SizeOver), " 512KB越え");
    EXPECT_EQ(EventCtrl::EventTitle(BrowserCrashHit), "ブラクラ");
}

TEST_F(EventCtrlTest, FinishedThreadMessagesJoinBonusAndMultiplier)
{
    const char* bonus[6] = {"700ﾚｽ達成 20p", "800ﾚｽ達成 30p", "850ﾚｽ達成 50p",
                            "900ﾚｽ達成 70p", "950ﾚｽ達成 80p", "1000ﾚｽ達成 100p"};
    const char* multiplier[3] = {"×1", "×1.5", "×0.5"};
    for (int id = 51; id <= 68; ++id)
        EXPECT_EQ(EventCtrl::EventMessage(id, 0),
                  std::string(bonus[(id - 51) % 6]) + multiplier[(id - 51) / 6])
            << id;
    EXPECT_EQ(EventCtrl::EventMessage(58, 0), "800ﾚｽ達成 30p×1.5");
    EXPECT_EQ(EventCtrl::EventMessage(63, 0), "700ﾚｽ達成 20p×0.5");
    EXPECT_EQ(EventCtrl::EventMessage(ThreadEnd, 0), "");
}

TEST_F(EventCtrlTest, CapacityMessagesCarryTheNewCapacity)
{
    EXPECT_EQ(EventCtrl::EventMessage(CapacityUp, 9), "スレッド容量を9個に変更");
    EXPECT_EQ(EventCtrl::EventMessage(CapacityDown, 5), "スレッド容量を5個に変更");
    EXPECT_EQ(EventCtrl::EventMessage(GoodThread, 9), "(･∀･)おめ  スレッド評価点×1.5");
}

TEST_F(EventCtrlTest, EachEventPlaysItsSound)
{
    for (int id : {1, 2, 6, 7, 10, 11, 14, 15, 16, 21, 25, 29, 30, 31, 70, 72})
        EXPECT_EQ(EventCtrl::EventSound(id), 5) << id;
    for (int id : {3, 4, 5, 8, 9, 12, 13, 17, 18, 19, 20, 40, 50, 51, 60, 68, 71, 73})
        EXPECT_EQ(EventCtrl::EventSound(id), 6) << id;
    for (int id : {0, 32, 39, 41, 49, 69, 74, -1})
        EXPECT_EQ(EventCtrl::EventSound(id), 0) << id;
    EXPECT_EQ(EventCtrl::EventTitle(69), "");
}

TEST_F(EventCtrlTest, CapacityEventLeavesUpperAreaEmptyAndShowsNoPlate)
{
    events().PaintPopUp(CapacityUp, "", 9, 0);
    const Rect& c = events().contentRect();
    EXPECT_FALSE(Any({c.left + 3, c.top + 3, c.right - 3, c.bottom - 3}, 0xFFFFFF, false));
    const Rect& in = events().infoRect();
    EXPECT_FALSE(Any({in.left + 20, in.top + 20, in.left + 100, in.top + 40}, Palette::PlayerOutline(0)));
    // The message line is drawn.
    EXPECT_TRUE(Any({in.left + 20, in.top + 50, in.right - 3, in.bottom - 3}, 0x000000));
}

TEST_F(EventCtrlTest, PlatesInPlayerAndGroupColours)
{
    const Rect& in = events().infoRect();
    events().PaintPopUp(GoodThread, "good", 2, 0);
    EXPECT_EQ(pic.Pixel(in.left + 95, in.top + 30), Palette::PlayerFill(2));
    EXPECT_EQ(pic.Pixel(in.left + 60, in.top + 20), Palette::PlayerOutline(2));

    events().PaintPopUp(FestivalStart, "festa", 3, 0);
    EXPECT_EQ(pic.Pixel(in.left + 50, in.top + 30), Palette::GroupPlateColour(3));
    EXPECT_EQ(pic.Pixel(in.left + 90, in.top + 30), 0xFFFFFFu);

    events().PaintPopUp(FestivalEnd, "", 7, 0);
    EXPECT_EQ(pic.Pixel(in.left + 50, in.top + 30), 0x000000u);
}

TEST_F(EventCtrlTest, PlatesCarryTheirColourMarksWhenAsked)
{
    const Rect& in = events().infoRect();
    const Rect player{in.left + 104, in.top + 23, in.left + 118, in.top + 37};
    const Rect group{in.left + 84, in.top + 23, in.left + 98, in.top + 37};
    events().PaintPopUp(GoodThread, "good", 2, 0);
    EXPECT_FALSE(Any(player, 0x000000));
    t.game.colourMarks = true;
    events().PaintPopUp(GoodThread, "good", 2, 0);
    EXPECT_TRUE(Any(player, 0x000000));
    events().PaintPopUp(FestivalStart, "festa", 3, 0);
    EXPECT_TRUE(Any(group, 0x000000));
}

TEST_F(EventCtrlTest, ContentShowsTheTextOrTheThreadAtThePosition)
{
    const Rect& c = events().contentRect();
    const Rect inner{c.left + 3, c.top + 3, c.right - 3, c.bottom - 3};
    events().PaintPopUp(GameEnd, "line one\r\nline two", 0, 0);
    EXPECT_TRUE(Any({c.left + 10, c.top + 10, c.left + 100, c.top + 40}, 0x000000));

    const int slot = t.game.match.board.order[2];
    t.game.match.board.threads[slot].resIndex = 0;
    t.game.rules.AddPosts(slot, 1, -1, nullptr, 0, Post::Plain, {TextRef::Special, 0, 0}, true, 0);
    events().PaintPopUp(SecondPost, " 2", 1, 10);
    EXPECT_TRUE(Any(inner, 0xFFFFFF, false));

    // An empty thread, and a position off the board, leave the area white.
    events().PaintPopUp(SecondPost, " 3", 1, 10);
    EXPECT_FALSE(Any(inner, 0xFFFFFF, false));
    events().PaintPopUp(SecondPost, " 12", 1, 10);
    EXPECT_FALSE(Any(inner, 0xFFFFFF, false));
}

TEST_F(EventCtrlTest, PointsKeepTheirLastThreePlacesAndAreNeverCut)
{
    const Rect& in = events().infoRect();
    constexpr Color PointsFace = 0xC00000;
    // Everything left of the three places' start.
    const Rect lead{in.left + 100, in.top + 20, in.right - 122, in.bottom - 3};
    events().PaintPopUp(BrowserCrashHit, "", 0, -20);
    EXPECT_FALSE(Any(lead, PointsFace));
    EXPECT_TRUE(Any({in.right - 122, in.top + 30, in.right - 70, in.top + 70}, PointsFace));
    events().PaintPopUp(BrowserCrashHit, "", 0, -100);
    EXPECT_TRUE(Any(lead, PointsFace));
    events().PaintPopUp(KiribanGet, " 0", 0, 5);
    EXPECT_TRUE(Any({in.right - 122, in.top + 30, in.right - 70, in.top + 70}, PointsFace));
    events().PaintPopUp(GoodThread, "", 0, 50);
    EXPECT_FALSE(Any({in.right - 122, in.top + 30, in.right - 70, in.top + 70}, PointsFace));
}

TEST_F(EventCtrlTest, PopUpZoomsOpenStaysAndZoomsShutOnTheClock)
{
    Game& g = t.game;
    const int presents = t.platform.PresentCount();
    int notified = 0;
    g.onEvent = [&](int32_t id, const std::string& text, int32_t target, int32_t points) {
        EXPECT_EQ(id, GameEnd);
        EXPECT_EQ(text, "special 38");
        EXPECT_EQ(target, 0);
        EXPECT_EQ(points, 0);
        ++notified;
    };
    const uint32_t start = g.GetTickCount();
    events().OpenEvent(GameEnd, "special 38", 0, 0);
    EXPECT_EQ(notified, 1);
    const uint32_t elapsed = g.GetTickCount() - start;
    // Nine zoom steps each way, the still frame, and the final repaint.
    EXPECT_EQ(t.platform.PresentCount() - presents, 20);
    const uint32_t planned = 18 * 25 + 2500;
    EXPECT_GE(elapsed, planned);
    EXPECT_LE(elapsed, planned + 19);

    g.consts->TimePopMove = 0;
    g.consts->TimePopShow = 0;
    const uint32_t again = g.GetTickCount();
    events().OpenEvent(GameEnd, "special 38", 0, 0);
    EXPECT_LE(g.GetTickCount() - again, 19u);
}

TEST_F(EventCtrlTest, PopUpRunsAtThePaceAndAKeyClosesItAtOnce)
{
    Game& g = t.game;
    g.pace = 25;
    uint32_t start = g.GetTickCount();
    events().OpenEvent(GameEnd, "special 38", 0, 0);
    // A quarter of each pause, in whole milliseconds: 25 -> 6, 2500 -> 625.
    const uint32_t quarter = 18 * 6 + 625;
    EXPECT_GE(g.GetTickCount() - start, quarter);
    EXPECT_LE(g.GetTickCount() - start, quarter + 19);

    g.pace = 100;
    const int presents = t.platform.PresentCount();
    t.platform.ScheduleAfter(1000, InputEvent::Key(KeyCode::Enter));
    start = g.GetTickCount();
    events().OpenEvent(GameEnd, "special 38", 0, 0);
    EXPECT_GE(g.GetTickCount() - start, 1000u);
    EXPECT_LE(g.GetTickCount() - start, 1019u);
    // Nine zoom steps and the still frame, then the board at once: no zooming shut.
    EXPECT_EQ(t.platform.PresentCount() - presents, 11);
}

TEST_F(EventCtrlTest, ClosedPopUpLeavesTheBoardRepainted)
{
    Game& g = t.game;
    Blacken();
    events().OpenEvent(BanLifted, "special 31", 1, 0);
    Picture after(&SharedFonts(), pic.Width(), pic.Height());
    after.BitBlt(0, 0, pic.Width(), pic.Height(), &pic, 0, 0, RasterOp::SrcCopy);
    Blacken();
    g.RepaintBoard();
    int differing = 0;
    for (int y = 0; y < pic.Height(); y += 3)
        for (int x = 0; x < pic.Width(); x += 3)
            differing += pic.Pixel(x, y) != after.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}

} // namespace
