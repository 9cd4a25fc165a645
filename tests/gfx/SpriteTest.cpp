// What a recording keeps: the pixels a drawing always gives the same colour, in runs.
#include "gfx/Sprite.h"

#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

TEST(SpriteTest, KeepsWhatTheDrawingDecidesAndLeavesTheRestToTheGround)
{
    const auto sprite = Sprite::Record(&SharedFonts(), 40, 30, DrawingState{}, [](Picture& pic) {
        pic.SetFillSolid(true);
        pic.SetFillColor(Rgb(255, 255, 255));
        pic.RoundRect(5, 5, 35, 25, 10, 10);
        pic.SetForeColor(Rgb(200, 0, 0));
        pic.SetFontSize(9);
        // Smoothed text over the white box: the same whatever lies under the box.
        pic.TextOutA(8, 8, "字");
    });
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->StateAfter().foreColor, Rgb(200, 0, 0));
    EXPECT_TRUE(sprite->StateAfter().fillSolid);

    Picture ground(&SharedFonts(), 60, 40);
    ground.BitBlt(0, 0, 60, 40, nullptr, 0, 0, RasterOp::Blackness);
    ground.SetPixel(10, 10, Rgb(0, 255, 0));
    ground.ForgetChanges();
    ground.Stamp(*sprite, 10, 5);
    EXPECT_EQ(ground.Pixel(10, 10), Rgb(0, 255, 0)) << "a rounded corner is left alone";
    EXPECT_EQ(ground.Pixel(16, 11), 0u) << "the outline";
    EXPECT_EQ(ground.Pixel(30, 20), Rgb(255, 255, 255)) << "the inside";
    EXPECT_EQ(ground.State().foreColor, Rgb(200, 0, 0));
    EXPECT_EQ(ground.Changed().left, 15);
    EXPECT_EQ(ground.Changed().bottom, 30);
}

TEST(SpriteTest, ADrawingMixedWithTheGroundOrReachingTheEdgeCannotBeRecorded)
{
    EXPECT_EQ(Sprite::Record(&SharedFonts(), 40, 30, DrawingState{},
                             [](Picture& pic) { pic.TextOutA(5, 5, "字"); }),
              nullptr);
    EXPECT_EQ(Sprite::Record(&SharedFonts(), 40, 30, DrawingState{},
                             [](Picture& pic) { pic.Rectangle(20, 10, 45, 20); }),
              nullptr);
    EXPECT_EQ(Sprite::Record(nullptr, 40, 30, DrawingState{}, [](Picture&) {}), nullptr);
}

} // namespace
