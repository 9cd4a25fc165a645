// A thread's view painted again from its kept copy must be the view painted afresh, whatever other
// views used the shared canvas meanwhile, and must follow every change of the thread's state.
#include "board/Res.h"
#include "gfx/Picture.h"
#include "support/TestGame.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int W = 300;
constexpr int H = 120;
constexpr int Shown = 4;
constexpr int Other = 9;
constexpr std::array<char, 8> PlayerId{'I', 'D', '0', '0', '0', '0', '0', '0'};

// The view of res, painted at (7, 5) over a black picture.
Picture View(Res& res, int w = W, int h = H)
{
    Picture pic(&SharedFonts(), W + 20, H + 20);
    pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness);
    res.Paint(pic, 7, 5, w, h);
    return pic;
}

void ExpectSame(const Picture& a, const Picture& b, const std::string& what)
{
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << what << " at " << x << "," << y;
    }
}

TEST(ResViewTest, AKeptViewIsTheViewPaintedAfreshAndFollowsEveryChange)
{
    TestGame t;
    t.LoadFixtureData();
    t.game.specialTexts[40] = "一つ目の書き込み\r\n二行目";
    t.game.specialTexts[41] = "別のスレッド";
    t.game.specialTexts[42] = "新しい書き込み";
    t.game.UpdateRuleTables();
    BoardState& board = t.game.match.board;
    board.threads[Shown].resIndex = 3;
    board.threads[Other].resIndex = 4;
    t.game.rules.PostDate(12345678);
    // One response at a time and under a given ID: no filler responses with random IDs.
    auto post = [&t](int slot, int8_t name, int text) {
        t.game.rules.AddPosts(slot, 1, name, &PlayerId, 0, Post::Plain,
                              {TextRef::Special, static_cast<int16_t>(text), 0}, true, 0);
    };
    Picture canvas(&SharedFonts(), PictureWidth, PictureHeight);
    // The slot's view painted again and again, and a new view of it for every check.
    Res shown(t.game, Shown);
    Res other(t.game, Other);
    shown.ClassInit(&canvas);
    other.ClassInit(&canvas);
    auto fresh = [&t, &canvas](int w = W, int h = H) {
        Res res(t.game, Shown);
        res.ClassInit(&canvas);
        return View(res, w, h);
    };

    post(Shown, 1, 40);
    View(shown);
    post(Other, 1, 41);
    View(other);
    ExpectSame(View(shown), fresh(), "painted again after another view used the canvas");

    post(Shown, 1, 42);
    ExpectSame(View(shown), fresh(), "after a post");
    ExpectSame(View(shown, W - 50, H - 30), fresh(W - 50, H - 30), "at another size");
    ExpectSame(View(shown), fresh(), "back at the first size");

    t.game.rules.SetAbone(Shown);
    ExpectSame(View(shown), fresh(), "after あぼーん");
    // The thread's poster signs it; another thread in the slot signs the same posts otherwise.
    post(Shown, -1, 42);
    ExpectSame(View(shown), fresh(), "after the poster's post");
    board.threads[Shown].resIndex = 5;
    ExpectSame(View(shown), fresh(), "another thread's poster");
    board.threads[Shown] = ThreadState{};
    ExpectSame(View(shown), fresh(), "cleared");
}

} // namespace
