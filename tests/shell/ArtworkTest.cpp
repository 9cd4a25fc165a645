#include "shell/Artwork.h"

#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

int Red(Color c)
{
    return static_cast<int>(c & 0xFF);
}
int Green(Color c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(Color c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// Pixels of a block that are neither white nor black.
int Inked(const Picture& pic, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Color c = pic.Pixel(x, y);
            count += (c != Rgb(255, 255, 255) && c != 0) ? 1 : 0;
        }
    }
    return count;
}

TEST(ArtworkTest, PencilHoldsTwoDifferentIconsOnWhite)
{
    TestGame t;
    PaintArtwork(t.game);
    const Picture& pencil = t.game.PicturePencil;
    ASSERT_EQ(pencil.Width(), 46);
    ASSERT_EQ(pencil.Height(), 23);
    for (int x : {0, 22, 23, 45})
        EXPECT_EQ(pencil.Pixel(x, 0), Rgb(255, 255, 255)) << x;
    EXPECT_GT(Inked(pencil, 0, 0, 23, 23), 60);
    EXPECT_GT(Inked(pencil, 23, 0, 46, 23), 40);
    int differing = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x)
            differing += pencil.Pixel(x, y) != pencil.Pixel(x + 23, y) ? 1 : 0;
    }
    EXPECT_GT(differing, 50);
    // The thread icon's sheet fills its left half; the post icon leaves that corner blank above its line.
    EXPECT_NE(pencil.Pixel(2, 12), Rgb(255, 255, 255));
    EXPECT_EQ(pencil.Pixel(23 + 2, 5), Rgb(255, 255, 255));
}

TEST(ArtworkTest, BandPatternsAreLightOnBlack)
{
    TestGame t;
    PaintArtwork(t.game);
    const Picture& mask = t.game.PictureMask;
    ASSERT_EQ(mask.Width(), 85);
    ASSERT_EQ(mask.Height(), 16);
    // Every row both lightens the band somewhere and leaves it as it is elsewhere.
    for (int y = 0; y < 16; ++y) {
        int black = 0;
        for (int x = 0; x < 85; ++x)
            black += mask.Pixel(x, y) == 0 ? 1 : 0;
        EXPECT_GT(black, 20) << y;
        EXPECT_LT(black, 80) << y;
    }

    const Picture& rainbow = t.game.PictureRainbow;
    ASSERT_EQ(rainbow.Width(), 85);
    ASSERT_EQ(rainbow.Height(), 16);
    const Color left = rainbow.Pixel(0, 8);
    const Color right = rainbow.Pixel(84, 8);
    EXPECT_EQ(Red(left), 255);
    EXPECT_EQ(Blue(left), 0);
    EXPECT_EQ(Blue(right), 255);
    EXPECT_EQ(Green(right), 0);
    EXPECT_EQ(rainbow.Pixel(42, 0), rainbow.Pixel(42, 15));
    for (int x = 0; x < 85; ++x)
        EXPECT_EQ(std::max({Red(rainbow.Pixel(x, 8)), Green(rainbow.Pixel(x, 8)), Blue(rainbow.Pixel(x, 8))}),
                  255)
            << x;
}

TEST(ArtworkTest, AuthorLogoShowsACloudAndTheName)
{
    TestGame t;
    PaintArtwork(t.game);
    const Picture& author = t.game.PictureAuthor;
    ASSERT_EQ(author.Width(), 200);
    ASSERT_EQ(author.Height(), 40);
    EXPECT_EQ(author.Pixel(0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(author.Pixel(199, 39), Rgb(255, 255, 255));
    EXPECT_GT(Inked(author, 0, 0, 50, 40), 300) << "the cloud mark";
    int dark = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 54; x < 200; ++x) {
            const Color c = author.Pixel(x, y);
            dark += Red(c) < 100 && Green(c) < 120 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 150) << "the name in a bold face";
}

TEST(ArtworkTest, NothingIsDrawnWithoutFonts)
{
    TestGame t(false);
    PaintArtwork(t.game);
    EXPECT_EQ(t.game.PictureRainbow.Pixel(0, 0), 0xFFFFFFFFu);
}

} // namespace
