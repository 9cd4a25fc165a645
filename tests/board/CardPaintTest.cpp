#include "board/Card.h"
#include "board/Ink.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Black = 0x000000;

class CardPaintTest : public testing::Test {
protected:
    CardPaintTest() { t.LoadFixtureData(); }

    void Paint(int def, int colour, int x = 100, int y = 50, const std::string& text = "")
    {
        card.Load(t.game.cardDefs, def, colour, text);
        pic.Clear();
        card.Paint(pic, x, y);
    }

    // Whether the box (relative to the card at 100, 50) shows the colour over the background.
    bool Shows(Color colour, int left, int top, int right, int bottom, Color back = White) const
    {
        return ShowsInk(pic, colour, back, 100 + left, 50 + top, 100 + right, 50 + bottom);
    }

    TestGame t;
    Picture& pic = t.game.PictureMain;
    Card card;
};

TEST_F(CardPaintTest, AColourMarkSitsBesideTheTopLabelWhenAsked)
{
    Paint(3, 2);
    EXPECT_FALSE(Shows(Black, 46, 4, 56, 14));
    card.ColourMarks(true);
    Paint(3, 2);
    EXPECT_TRUE(Shows(Black, 46, 4, 56, 14));
    // A special card's colour tells no rule: no mark.
    Paint(AboneCard, 4);
    EXPECT_FALSE(Shows(Black, 46, 4, 56, 14));
}

TEST_F(CardPaintTest, BandsTakeTheCardColourAroundAWhiteLine)
{
    const Color bands[5] = {Black, 0x005AFF, 0x339900, 0xFF6E00, 0x00E8FF};
    for (int colour = 0; colour <= 4; ++colour) {
        Paint(3, colour);
        EXPECT_EQ(pic.Pixel(100 + 50, 50 + 18), bands[colour]) << colour;
        EXPECT_EQ(pic.Pixel(100 + 50, 50 + 20), White) << colour;
        EXPECT_EQ(pic.Pixel(100 + 50, 50 + 22), bands[colour]) << colour;
        // The bottom band is the top one turned half round.
        EXPECT_EQ(pic.Pixel(100 + 45, 50 + 117), bands[colour]) << colour;
        EXPECT_EQ(pic.Pixel(100 + 45, 50 + 115), White) << colour;
        EXPECT_EQ(pic.Pixel(100 + 45, 50 + 113), bands[colour]) << colour;
    }
    // The outline is black with rounded corners.
    EXPECT_EQ(pic.Pixel(100 + 50, 50), Black);
    EXPECT_EQ(pic.Pixel(100 + 95, 50 + 60), Black);
    EXPECT_EQ(pic.Pixel(100, 50), White);
    EXPECT_EQ(pic.Pixel(100 + 96, 50 + 60), White);
}

TEST_F(CardPaintTest, RainbowAndThreadPicturesAreOredOverTheBands)
{
    Picture art(&SharedFonts(), 112, 40);
    art.BitBlt(0, 0, 112, 40, nullptr, 0, 0, RasterOp::Blackness);
    art.SetPixel(50, 1, 0x0000FF);
    art.SetPixel(50, 5, 0x00FF00);
    art.SetPixel(50, 6, 0x0000FF);

    card.PictureRainbow(&art);
    Paint(3, 0);
    // Black band OR red = red; the white face stays white; the lower copy lands 90 pixels down.
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 18), 0x0000FFu);
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 108), White);
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 113), 0x0000FFu);
    EXPECT_EQ(pic.Pixel(100 + 57, 50 + 18), Black);
    Paint(3, 1);
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 18), 0x005AFFu);

    card.PictureMask(&art);
    Paint(ThreadCard, 1);
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 18), 0x005AFFu | 0x0000FF);
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 22), 0x005AFFu | 0x00FF00);
    EXPECT_EQ(pic.Pixel(100 + 56, 50 + 112), 0x005AFFu | 0x00FF00);
}

TEST_F(CardPaintTest, ResponseCardsShowCountSizeAndAge)
{
    // Definition 1 carries 10 responses and 11 KB in the fixture, age.
    Paint(1, 2);
    EXPECT_TRUE(Shows(Black, 8, 2, 50, 16));
    EXPECT_TRUE(Shows(Black, 56, 121, 92, 135));
    EXPECT_TRUE(Shows(0x8010E0, 8, 96, 50, 108));
    EXPECT_TRUE(Shows(0x0000C0, 56, 0, 92, 14));
    EXPECT_FALSE(Shows(0xC00000, 56, 0, 92, 14));

    t.game.cardDefs[5].Agesage = 1;
    Paint(5, 2);
    EXPECT_TRUE(Shows(0xC00000, 56, 0, 92, 14));
    EXPECT_TRUE(Shows(0xC00000, 8, 116, 50, 130));
    EXPECT_FALSE(Shows(0x0000C0, 56, 0, 92, 14));
}

TEST_F(CardPaintTest, SpecialAndThreadCardsHaveTheirCornerWords)
{
    Paint(AccessBanCard, 4);
    EXPECT_TRUE(Shows(0x8010E0, 8, 2, 50, 16));
    EXPECT_TRUE(Shows(0x8010E0, 44, 121, 92, 135));
    EXPECT_FALSE(Shows(0x8010E0, 8, 96, 50, 108));

    Paint(ThreadCard, 3, 100, 50, "first\r\nsecond\r\nthird");
    EXPECT_TRUE(Shows(Black, 8, 2, 50, 16));
    EXPECT_FALSE(Shows(0x8010E0, 0, 0, 96, 136));
    // Three lines of face text ten pixels apart.
    EXPECT_TRUE(Shows(Black, 11, 45, 40, 55));
    EXPECT_FALSE(Shows(Black, 11, 58, 40, 90));
}

TEST_F(CardPaintTest, LabelBadgesByDefinition)
{
    const std::pair<int, Color> labelled[] = {{0, 0x8010E0},
                                              {7, 0x8010E0},
                                              {2, 0x0000C0},
                                              {12, 0x0000C0},
                                              {8, 0xC00000},
                                              {16, 0x0060FF},
                                              {22, 0x808080},
                                              {24, 0xC00000},
                                              {29, 0x0000C0},
                                              {AdminCard, 0x0060FF},
                                              {GodCard, 0x8010E0},
                                              {TrueStopperCard, 0x40B040},
                                              {AccessBanCard, 0x808080},
                                              {CapacityUpCard, 0x0000C0},
                                              {CapacityDownCard, 0xC00000},
                                              {DeleteCard, 0x40B040},
                                              {AboneCard, 0x40B040},
                                              {TrollCard, 0x808080}};
    for (const auto& [def, colour] : labelled) {
        Paint(def, 2);
        EXPECT_EQ(pic.Pixel(100 + 20, 50 + 40), colour) << def;
        EXPECT_EQ(pic.Pixel(100 + 64, 50 + 33), colour) << def;
        EXPECT_TRUE(Shows(White, 15, 27, 63, 40, colour)) << def;
    }
    for (int plain : {3, 5, 13, 27, 36, 47}) {
        Paint(plain, 2);
        EXPECT_EQ(pic.Pixel(100 + 20, 50 + 40), White) << plain;
        EXPECT_EQ(pic.Pixel(100 + 64, 50 + 33), White) << plain;
    }

    // A thread card shows its browser crash only when the mark is the visible one.
    Paint(ThreadCard, 2);
    card.browserCrash(2);
    card.Paint(pic, 100, 50);
    EXPECT_EQ(pic.Pixel(100 + 64, 50 + 33), White);
    card.browserCrash(6);
    card.Paint(pic, 100, 50);
    EXPECT_EQ(pic.Pixel(100 + 64, 50 + 33), 0x002040u);
}

} // namespace
