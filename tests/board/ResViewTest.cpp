// A thread's view painted again from its kept copy must be the view painted afresh, whatever other
// views used the shared canvas meanwhile, and must follow every change of the responses.
#include "board/Res.h"
#include "gfx/Picture.h"
#include "support/TestGame.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int W = 300;
constexpr int H = 120;

using Change = std::function<void(Res&)>;

Change Post(const std::string& text)
{
    // One response at a time: no filler responses with random IDs.
    return [text](Res& res) { res.AddRes(1, "名無し", "ID", 0, "01/02/03 04:05", text, true, 3); };
}

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
    Picture canvas(&SharedFonts(), PictureWidth, PictureHeight);
    // The list painted again and again, and a new list for every check, with the same changes.
    Res shown(t.game);
    Res other(t.game);
    shown.ClassInit(&canvas);
    other.ClassInit(&canvas);
    std::vector<Change> changes;
    auto fresh = [&t, &canvas, &changes](int w = W, int h = H) {
        Res res(t.game);
        res.ClassInit(&canvas);
        for (const Change& change : changes)
            change(res);
        return View(res, w, h);
    };
    auto apply = [&shown, &changes](Change change) {
        change(shown);
        changes.push_back(std::move(change));
    };

    apply(Post("一つ目の書き込み\r\n二行目"));
    View(shown);
    Post("別のスレッド")(other);
    View(other);
    ExpectSame(View(shown), fresh(), "painted again after another view used the canvas");

    apply(Post("新しい書き込み"));
    ExpectSame(View(shown), fresh(), "after a post");
    ExpectSame(View(shown, W - 50, H - 30), fresh(W - 50, H - 30), "at another size");
    ExpectSame(View(shown), fresh(), "back at the first size");

    apply([](Res& res) { res.SetAbone(); });
    ExpectSame(View(shown), fresh(), "after あぼーん");
    apply([](Res& res) { res.ClearRes(); });
    ExpectSame(View(shown), fresh(), "cleared");
}

} // namespace
