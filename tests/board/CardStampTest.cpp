// A card face stamped from its recording must be the face drawn call by call, over any ground and
// from any drawing state, and must leave the same drawing state behind.
#include "board/Card.h"
#include "gfx/Picture.h"
#include "gfx/Sprite.h"
#include "shell/Artwork.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// A ground with something different on every pixel, so that a stamp that covers too much shows.
void PaintGround(Picture& pic)
{
    for (int y = 0; y < pic.Height(); ++y) {
        for (int x = 0; x < pic.Width(); ++x)
            pic.SetPixel(x, y, Rgb(x * 5 % 256, y * 3 % 256, (x ^ y) % 256));
    }
}

void ExpectSame(const Picture& stamped, const Picture& drawn, const std::string& what)
{
    ASSERT_EQ(stamped.State(), drawn.State()) << what;
    for (int y = 0; y < drawn.Height(); ++y) {
        for (int x = 0; x < drawn.Width(); ++x)
            ASSERT_EQ(stamped.Pixel(x, y), drawn.Pixel(x, y)) << what << " at " << x << "," << y;
    }
}

// The first paint records the face, the second, from the same state over a fresh ground, stamps it;
// the other picture gets the face drawn call by call from that state.
void PaintTwice(const Card& card, Picture& stamped, Picture& drawn, int x, int y)
{
    const DrawingState start = stamped.State();
    PaintGround(stamped);
    card.Paint(stamped, x, y);
    PaintGround(stamped);
    stamped.SetState(start);
    card.Paint(stamped, x, y);
    PaintGround(drawn);
    drawn.SetState(start);
    card.PaintFace(drawn, x, y);
}

TEST(CardStampTest, EveryKindOfFaceStampsAsItDraws)
{
    TestGame t;
    t.LoadFixtureData();
    t.game.cardDefs[3].CardText = "一行目\r\n二行目はカードの端を越えてなお続く長い行\r\n三";
    PaintArtwork(t.game);
    for (int index = 0; index < CardDefCount; ++index) {
        for (int colour = 0; colour <= 4; ++colour) {
            Card card;
            card.Load(t.game.cardDefs, index, colour, "スレッドの\r\n本文");
            card.PictureMask(&t.game.PictureMask);
            card.PictureRainbow(&t.game.PictureRainbow);
            if (index == ThreadCard && colour == 4)
                card.browserCrash(6);
            Picture stamped(&SharedFonts(), 140, 170);
            Picture drawn(&SharedFonts(), 140, 170);
            PaintTwice(card, stamped, drawn, 20, 12);
            // Every face can be recorded, so the stamps are really used; but for the one whose text runs
            // off the card, which is drawn call by call.
            if (index != 3) {
                EXPECT_NE(Sprite::Record(&SharedFonts(), 112, 152, DrawingState{},
                                         [&card](Picture& canvas) { card.PaintFace(canvas, 8, 8); }),
                          nullptr)
                    << "card " << index;
            }
            ExpectSame(stamped, drawn, "card " + std::to_string(index) + " colour " + std::to_string(colour));
        }
    }
}

TEST(CardStampTest, TheStateThatShapesTheFaceGetsItsOwnRecordingAndEdgesClip)
{
    TestGame t;
    t.LoadFixtureData();
    PaintArtwork(t.game);
    Card card;
    card.Load(t.game.cardDefs, 30, 2, "");
    card.PictureMask(&t.game.PictureMask);
    card.PictureRainbow(&t.game.PictureRainbow);
    const struct {
        int pen;
        FontFace face;
        bool bold;
        bool underline;
        int x;
        int y;
    } cases[] = {{1, FontFace::PGothic, false, false, 10, 10},  {3, FontFace::PGothic, false, false, 10, 10},
                 {1, FontFace::Gothic, true, false, 10, 10},    {1, FontFace::PGothic, false, true, 10, 10},
                 {1, FontFace::PGothic, false, false, -30, -5}, {2, FontFace::Gothic, false, false, 60, 40}};
    for (const auto& c : cases) {
        Picture stamped(&SharedFonts(), 120, 160);
        Picture drawn(&SharedFonts(), 120, 160);
        for (Picture* pic : {&stamped, &drawn}) {
            pic->SetPenWidth(c.pen);
            pic->SetFontFace(c.face);
            pic->SetBold(c.bold);
            pic->SetUnderline(c.underline);
            pic->SetForeColor(Rgb(1, 2, 3));
            pic->SetFontSize(31);
        }
        PaintTwice(card, stamped, drawn, c.x, c.y);
        ExpectSame(stamped, drawn, "pen " + std::to_string(c.pen) + " at " + std::to_string(c.x));
    }
}

} // namespace
