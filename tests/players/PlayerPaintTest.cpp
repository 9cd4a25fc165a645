#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "players/PlayersGame.h"
#include "shell/Artwork.h"
#include "support/TestGame.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr Color White = Rgb(255, 255, 255);
constexpr Color Black = Rgb(0, 0, 0);
constexpr Color CrossRed = Rgb(0xC0, 0, 0);

struct Box {
    int left = 10000;
    int top = 10000;
    int right = -1;
    int bottom = -1;
};

// The smallest box around every pixel for which differs(x, y) holds.
template <typename F> Box BoxOf(const Picture& pic, F differs)
{
    Box b;
    for (int y = 0; y < pic.Height(); ++y) {
        for (int x = 0; x < pic.Width(); ++x) {
            if (differs(x, y)) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
        }
    }
    return b;
}

struct PaintGame {
    PaintGame() : g(true)
    {
        PaintArtwork(g.game);
        g.cards().CardSet();
    }

    Picture& main() { return g.game.PictureMain; }

    void Hand(std::initializer_list<int32_t> cards, int current)
    {
        PlayerData& p = g.players().Player(0);
        p.handCard.fill(NO_CARD);
        int i = 0;
        for (int32_t c : cards)
            p.handCard[i++] = c;
        p.currentCard = current;
        p.currentThread = 0;
    }

    PlayersGame g;
};

TEST(PlayerPaintTest, HandRaisesTheSelectedCardAndShowsItAgain)
{
    PaintGame p;
    p.Hand({50, 60, 70, 80, 90, 100, 110}, 2);
    PlayerData& human = p.g.players().Player(0);
    human.enableCard = true;
    human.enable[0][2] = true;
    p.main().Clear();
    p.g.players().PaintCard(0);

    const Picture& pic = p.main();
    // Slot i stands at x = 147 + 59 i; the selected one 10 pixels higher.
    EXPECT_EQ(pic.Pixel(147 + 59 + 20, 458), Black);
    EXPECT_EQ(pic.Pixel(147 + 59 + 20, 448), White);
    EXPECT_EQ(pic.Pixel(147 + 2 * 59 + 48, 448), Black);
    EXPECT_EQ(pic.Pixel(147, 458 + 68), Black);
    // Seven cards: nothing right of the seventh.
    for (int y = 450; y < 598; y += 7)
        EXPECT_EQ(pic.Pixel(147 + 6 * 59 + 100, y), White) << y;
    // The selected card again in the box, and the pencil for a response card.
    EXPECT_EQ(pic.Pixel(14, 451 + 68), Black);
    EXPECT_EQ(pic.Pixel(14 + 48, 451), Black);
    const Picture& pencil = p.g.game.PicturePencil;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x)
            ASSERT_EQ(pic.Pixel(96 + x, 444 + y), pencil.Pixel(23 + x, y)) << x << "," << y;
    }
    EXPECT_NE(pic.Pixel(62, 523), CrossRed);
}

TEST(PlayerPaintTest, ThreadCardGetsTheFirstPencilAndDeadlockTheCross)
{
    PaintGame p;
    p.Hand({3, 60, 70, 80, 90, 100, 110, 120, 130, 140}, 0);
    PlayerData& human = p.g.players().Player(0);
    human.enableCard = true;
    human.enable[0][0] = true;
    p.main().Clear();
    p.g.players().PaintCard(0);
    const Picture& pencil = p.g.game.PicturePencil;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x)
            ASSERT_EQ(p.main().Pixel(96 + x, 444 + y), pencil.Pixel(x, y)) << x << "," << y;
    }

    human.enable[0][0] = false;
    human.enableCard = false;
    p.main().Clear();
    p.g.players().PaintCard(0);
    EXPECT_EQ(p.main().Pixel(62, 523), CrossRed);
    EXPECT_EQ(p.main().Pixel(10, 470), CrossRed);
    // No pencil when the card under the cursor cannot go on the position.
    EXPECT_EQ(p.main().Pixel(118, 444), White);
}

TEST(PlayerPaintTest, HandWithoutCursorKeepsEveryCardLow)
{
    PaintGame p;
    p.Hand({50, 60, 70, 80, 90, 100, 110, 120, 130, 140}, 4);
    p.main().Clear();
    p.g.players().PaintCard2(0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(p.main().Pixel(147 + 59 * i + 20, 458), Black) << i;
        EXPECT_EQ(p.main().Pixel(147 + 59 * i + 20, 448), White) << i;
    }
    // The selected-card box stays empty.
    EXPECT_EQ(p.main().Pixel(14, 451 + 68), White);
}

TEST(PlayerPaintTest, CursorOnAnEmptySlotLeavesTheBoxEmpty)
{
    PaintGame p;
    p.Hand({50, 60, 70}, 8);
    p.main().Clear();
    p.g.players().PaintCard(0);
    EXPECT_EQ(p.main().Pixel(147 + 2 * 59 + 20, 458), Black);
    EXPECT_EQ(p.main().Pixel(14, 451 + 68), White);
}

TEST(PlayerPaintTest, FooterShowsTheTurnAndTheCardsLeft)
{
    PaintGame p;
    for (int k = 0; k < 44; ++k)
        p.g.cards().NextCardIndex(k % 4);
    p.main().Clear();
    p.g.players().PaintScore();

    Picture expected(&SharedFonts(), 808, 630);
    expected.Clear();
    expected.SetForeColor(Rgb(0, 0x66, 0));
    expected.SetFillColor(Rgb(0, 0x66, 0));
    expected.SetFillSolid(true);
    expected.Rectangle(653, 369, 763, 429);
    expected.SetForeColor(White);
    expected.SetFontSize(12);
    expected.TextOutA(673, 379, "  1ターン目");
    expected.TextOutA(673, 409, "残り: 160枚");
    EXPECT_EQ(p.main().Pixel(653, 369), Rgb(0, 0x66, 0));
    EXPECT_EQ(p.main().Pixel(762, 428), Rgb(0, 0x66, 0));
    int white = 0;
    for (int y = 369; y < 429; ++y) {
        for (int x = 653; x < 763; ++x) {
            ASSERT_EQ(p.main().Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
            white += p.main().Pixel(x, y) == White ? 1 : 0;
        }
    }
    EXPECT_GT(white, 50);
}

TEST(PlayerPaintTest, FlightFramesFollowTheSeat)
{
    PaintGame p;
    Picture& pic = p.main();
    const auto cardAt = [&](int direction, int frame) {
        pic.Clear();
        p.g.cards().PaintMoveCard(pic, 60, direction, frame);
        const Box b = BoxOf(pic, [&](int x, int y) { return pic.Pixel(x, y) != White; });
        return std::pair<int, int>{b.left, b.top};
    };
    using P = std::pair<int, int>;
    EXPECT_EQ(cardAt(0, 0), P(352, 212));
    EXPECT_EQ(cardAt(1, 0), P(372, 232));
    EXPECT_EQ(cardAt(2, 0), P(352, 252));
    EXPECT_EQ(cardAt(3, 0), P(332, 232));
    EXPECT_EQ(cardAt(7, 9), P(352, 232));
    EXPECT_EQ(cardAt(0, 4), P(352, 228));
    EXPECT_EQ(cardAt(1, 4), P(356, 232));
    EXPECT_EQ(cardAt(2, 4), P(352, 236));
    EXPECT_EQ(cardAt(3, 4), P(348, 232));
    // Frames beyond the ends stay at the ends.
    EXPECT_EQ(cardAt(2, -5), P(352, 252));
    EXPECT_EQ(cardAt(0, 25), P(352, 612));
}

TEST(PlayerPaintTest, PlayedCardFliesInTwentyOneFrames)
{
    PaintGame p;
    const int presents = p.g.platform.PresentCount();
    const uint32_t start = p.g.game.GetTickCount();
    p.g.players().PaintMoveCard(p.main(), 60, 1, true);
    EXPECT_EQ(p.g.platform.PresentCount() - presents, 21);
    EXPECT_GE(p.g.game.GetTickCount() - start, 21u * 25u);

    // The back picture keeps the board without the card; the last frame leaves it at rest.
    const Picture& back = p.g.game.PictureTemp2;
    const Box b = BoxOf(p.main(), [&](int x, int y) { return p.main().Pixel(x, y) != back.Pixel(x, y); });
    EXPECT_EQ(b.left, 372);
    EXPECT_EQ(b.top, 232);
    EXPECT_LE(b.right, 372 + 95);
    EXPECT_LE(b.bottom, 232 + 135);
}

// True when the box shows nothing but greys on white (the hidden card's face).
bool OnlyGreys(const Picture& pic, int left, int top, int right, int bottom, int& darker)
{
    darker = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Color c = pic.Pixel(x, y);
            const int r = c & 0xFF;
            if (((c >> 8) & 0xFF) != static_cast<Color>(r) || ((c >> 16) & 0xFF) != static_cast<Color>(r))
                return false;
            darker += r < 0xC0 ? 1 : 0;
        }
    }
    return true;
}

class DeckPreviewTest : public ::testing::TestWithParam<int> {};

TEST_P(DeckPreviewTest, ShowsTheDeckWithOneSpecialHidden)
{
    PaintGame p;
    p.g.game.GameMode = GetParam();
    p.g.cards().CardSet();
    CardCtrl& cards = p.g.cards();
    const bool extra = (GetParam() & ModeExtra) != 0;
    p.g.cards().PaintOpenCard(p.main(), 0);

    // The hidden card is the last of four rows: 13 to a row at a pitch of 57, or 21 at 34.
    const int x = extra ? 18 * 34 + 10 : 11 * 57 + 10;
    const int y = 3 * 90 + 10;
    EXPECT_EQ(p.main().Pixel(x, y + 68), Black);
    EXPECT_EQ(p.main().Pixel(x + 1, y + 68), White);
    int darker = 0;
    EXPECT_TRUE(OnlyGreys(p.main(), x + 2, y + 40, x + 94, y + 134, darker));
    EXPECT_GT(darker, 30);
    // The entry before it stands one pitch to the left, a card face with its colour bands.
    const int before = x - (extra ? 34 : 57);
    EXPECT_FALSE(OnlyGreys(p.main(), before + 2, y + 2, x, y + 134, darker));
    EXPECT_EQ(p.main().Pixel(805, 620), Black);

    // Having seen them, the human knows his browser-crash threads; the other decks keep theirs hidden.
    const int rows = cards.GetCardMax() / 4;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int32_t no = cards.Pile()[4 * row + column];
            if (no >= 45 || cards.GetCard(no).browserCrash() == 0)
                continue;
            EXPECT_EQ(cards.GetCard(no).browserCrash(), column == 0 ? 6 : 2) << row << "," << column;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DeckPreviewTest, ::testing::Values(ModeDeck, ModeDeck | ModeExtra));

} // namespace
