#include "shell/Border.h"

#include "support/TestGame.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Silver = 0xC0C0C0;
constexpr Color Shadow = 0x303030;
constexpr Color Green = 0x339900;
constexpr Color Orange = 0x00B0FF;

class BorderTest : public testing::Test {
protected:
    void PaintBoard(bool enable)
    {
        pic.Clear();
        border.PaintBoard(pic);
        border.PaintCardArea(pic, enable);
    }

    TestGame t;
    Picture& pic = t.game.PictureMain;
    Border border;
};

TEST_F(BorderTest, FramesEveryAreaWithAShadowInside)
{
    PaintBoard(false);
    // The thread list (69..619 x 2..199): silver two pixels out, the shadow one pixel in on the left and top.
    EXPECT_EQ(pic.Pixel(67, 100), Silver);
    EXPECT_EQ(pic.Pixel(300, 0), Silver);
    EXPECT_EQ(pic.Pixel(620, 100), Silver);
    EXPECT_EQ(pic.Pixel(300, 200), Silver);
    EXPECT_EQ(pic.Pixel(68, 100), Shadow);
    EXPECT_EQ(pic.Pixel(300, 1), Shadow);
    EXPECT_EQ(pic.Pixel(68, 199), Shadow);
    EXPECT_EQ(pic.Pixel(619, 100), White);
    EXPECT_EQ(pic.Pixel(300, 100), White);
    // The side strip and the thread view.
    EXPECT_EQ(pic.Pixel(0, 300), Silver);
    EXPECT_EQ(pic.Pixel(1, 300), Shadow);
    EXPECT_EQ(pic.Pixel(30, 300), White);
    EXPECT_EQ(pic.Pixel(300, 202), Shadow);
    EXPECT_EQ(pic.Pixel(300, 300), White);
    // The score column is solid green; the gap between areas stays white.
    EXPECT_EQ(pic.Pixel(623, 2), Green);
    EXPECT_EQ(pic.Pixel(797, 438), Green);
    EXPECT_EQ(pic.Pixel(700, 200), Green);
    EXPECT_EQ(pic.Pixel(66, 100), Silver);
    EXPECT_EQ(pic.Pixel(621, 100), Silver);
    // The hand panel and the selected-card box.
    EXPECT_EQ(pic.Pixel(400, 500), Green);
    EXPECT_EQ(pic.Pixel(60, 500), Green);
    EXPECT_EQ(pic.Pixel(121, 500), Silver);
    EXPECT_EQ(pic.Pixel(60, 599), Silver);
    EXPECT_EQ(pic.Pixel(1, 500), Shadow);
    EXPECT_FALSE(pic.FillSolid());
}

TEST_F(BorderTest, TheSelectedCardBoxTurnsOrangeOnlyWhenThePlayerCanPlay)
{
    PaintBoard(false);
    const std::vector<uint32_t> green(pic.Data(), pic.Data() + pic.Width() * pic.Height());
    PaintBoard(true);
    EXPECT_EQ(pic.Pixel(2, 443), Orange);
    EXPECT_EQ(pic.Pixel(60, 500), Orange);
    EXPECT_EQ(pic.Pixel(118, 597), Orange);
    EXPECT_EQ(pic.Pixel(400, 500), Green);
    int differing = 0;
    for (int y = 0; y < pic.Height(); ++y) {
        for (int x = 0; x < pic.Width(); ++x) {
            const bool inBox = x >= 2 && x < 119 && y >= 443 && y < 598;
            if (!inBox && pic.Data()[y * pic.Width() + x] != green[y * pic.Width() + x])
                ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(BorderTest, PaintingTwiceWithoutClearingChangesNothing)
{
    PaintBoard(true);
    const std::vector<uint32_t> once(pic.Data(), pic.Data() + pic.Width() * pic.Height());
    pic.SetFillSolid(true);
    border.PaintBoard(pic);
    border.PaintCardArea(pic, true);
    EXPECT_TRUE(std::equal(once.begin(), once.end(), pic.Data()));
}

} // namespace
