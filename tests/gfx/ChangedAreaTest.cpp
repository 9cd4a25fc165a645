#include "gfx/ChangedArea.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int Width = 40;
constexpr int Height = 6;
constexpr int Stride = 43;

// The area found when the frame shown before differs from the next at the given points; the next
// frame's rows are wider than the shown ones, and its extra columns differ as they please.
Rect AreaWith(std::initializer_list<Point> changes)
{
    std::vector<uint32_t> before(Width * Height, 0x123456);
    std::vector<uint32_t> after(Stride * Height, 0x123456);
    for (int y = 0; y < Height; ++y)
        for (int x = Width; x < Stride; ++x)
            after[y * Stride + x] = 0xFF;
    for (const Point& p : changes)
        after[p.y * Stride + p.x] ^= 1;
    return ChangedArea(before.data(), after.data(), Stride, Width, Height);
}

TEST(ChangedAreaTest, BoundsEveryChangeAndIgnoresWhatLiesBeyondTheWidth)
{
    const Rect none = AreaWith({});
    EXPECT_GE(none.left, none.right);
    // Corners and pixels on either side of a 16-pixel block boundary.
    const Rect corners = AreaWith({{0, 0}, {Width - 1, Height - 1}});
    EXPECT_EQ(corners.left, 0);
    EXPECT_EQ(corners.top, 0);
    EXPECT_EQ(corners.right, Width);
    EXPECT_EQ(corners.bottom, Height);
    const Rect inner = AreaWith({{15, 2}, {16, 4}, {31, 3}});
    EXPECT_EQ(inner.left, 15);
    EXPECT_EQ(inner.top, 2);
    EXPECT_EQ(inner.right, 32);
    EXPECT_EQ(inner.bottom, 5);
    // A later row widens what an earlier one found.
    const Rect widened = AreaWith({{20, 1}, {3, 3}, {38, 5}});
    EXPECT_EQ(widened.left, 3);
    EXPECT_EQ(widened.right, 39);
}

} // namespace
