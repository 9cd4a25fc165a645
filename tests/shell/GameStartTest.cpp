#include "platform/ProgramExit.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

constexpr Color Black = 0x000000;
constexpr Color White = 0xFFFFFF;

int WhitePixelsIn(const Picture& pic, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += pic.Pixel(x, y) == White ? 1 : 0;
    }
    return count;
}

// Without card.dat the start-up stops while reading it, so the window still shows what it showed
// during the loading: the loading text, white on black, at the bottom right.
TEST(GameStart, TheLoadingTextIsShownWhileTheDataIsRead)
{
    TestGame t(true, 1, MakeTempDir());
    EXPECT_THROW(t.game.Start(), ProgramExit);
    EXPECT_EQ(t.platform.LastMessageTitle(), "Pakaponta");
    EXPECT_EQ(t.game.GameState, StateInit);
    EXPECT_EQ(t.platform.PresentCount(), 1);

    const Picture& pic = t.game.PictureMain;
    EXPECT_EQ(pic.Pixel(0, 0), Black);
    EXPECT_EQ(pic.Pixel(400, 300), Black);
    EXPECT_EQ(pic.Pixel(807, 629), Black);
    EXPECT_EQ(pic.Pixel(599, 560), Black);
    EXPECT_GT(WhitePixelsIn(pic, 600, 550, 808, 580), 50);
    EXPECT_EQ(WhitePixelsIn(pic, 0, 0, 808, 549), 0);
    EXPECT_EQ(WhitePixelsIn(pic, 0, 550, 600, 630), 0);
}

} // namespace
