// The quick ways the picture draws its commonest shapes must land on exactly the pixels of the
// general ones.
#include "platform/FontEngine.h"
#include "platform/Picture.h"
#include "platform/RowSpans.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

constexpr Color White = 0xFFFFFF;

// The box as the general outline code draws it: the shape's rows, the inner rows pen pixels deep,
// the ring between them in the pen colour and the inside filled.
Picture ReferenceBox(int width, int height, Rect box, int pen, Color penColour, const Color* fill)
{
    Picture picture(&SharedFonts(), width, height);
    const int grow = pen / 2;
    const RowSpans outer = RowSpans::RoundedBox(box.left - grow, box.top - grow, box.right + grow,
                                                box.bottom + grow, 0, 0, -pen - 1, height + pen + 1);
    const RowSpans inner = outer.Inner(pen);
    for (size_t i = 0; i < outer.rows.size(); ++i) {
        const int y = outer.top + static_cast<int>(i);
        for (int x = outer.rows[i].left; x <= outer.rows[i].right; ++x) {
            const bool inside = x >= inner.rows[i].left && x <= inner.rows[i].right;
            if (!inside)
                picture.SetPixel(x, y, penColour);
            else if (fill != nullptr)
                picture.SetPixel(x, y, *fill);
        }
    }
    return picture;
}

void ExpectSamePixels(const Picture& actual, const Picture& expected, const std::string& what)
{
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            ASSERT_EQ(actual.Pixel(x, y), expected.Pixel(x, y)) << what << " at " << x << "," << y;
        }
    }
}

TEST(PictureShortcutTest, SquareBoxesMatchTheGeneralOutlineForEveryPenAndPlacement)
{
    const Color pen = Rgb(10, 20, 30);
    const Color fill = Rgb(200, 100, 50);
    const Rect boxes[] = {{5, 5, 25, 18}, {-7, -3, 12, 9}, {30, 20, 45, 35}, {2, 2, 5, 5}, {10, 10, 11, 30}};
    for (const Rect& box : boxes) {
        for (int width = 1; width <= 5; ++width) {
            for (bool solid : {false, true}) {
                Picture picture(&SharedFonts(), 40, 30);
                picture.SetForeColor(pen);
                picture.SetFillColor(fill);
                picture.SetFillSolid(solid);
                picture.SetPenWidth(width);
                picture.Rectangle(box.left, box.top, box.right, box.bottom);
                const Picture expected = ReferenceBox(40, 30, box, width, pen, solid ? &fill : nullptr);
                ExpectSamePixels(picture, expected,
                                 "box " + std::to_string(box.left) + "," + std::to_string(box.top) + " pen " +
                                     std::to_string(width) + (solid ? " filled" : " hollow"));
            }
        }
    }
}

TEST(PictureShortcutTest, ARoundRectWithOneRadiusZeroIsASquareBox)
{
    Picture square(&SharedFonts(), 30, 30);
    Picture flat(&SharedFonts(), 30, 30);
    for (Picture* picture : {&square, &flat}) {
        picture->SetFillSolid(true);
        picture->SetFillColor(Rgb(0, 0, 255));
    }
    square.Rectangle(3, 4, 20, 25);
    flat.RoundRect(3, 4, 20, 25, 12, 0);
    ExpectSamePixels(flat, square, "one radius zero");
}

TEST(PictureShortcutTest, ClearingAnAreaWhitensOnlyItsPartOnThePicture)
{
    Picture picture(&SharedFonts(), 20, 10);
    picture.BitBlt(0, 0, 20, 10, nullptr, 0, 0, RasterOp::Blackness);
    picture.Clear(Rect{-5, 2, 4, 40});
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool cleared = x < 4 && y >= 2;
            EXPECT_EQ(picture.Pixel(x, y), cleared ? White : 0u) << x << "," << y;
        }
    }
    Picture bare(nullptr, 20, 10);
    bare.Clear(Rect{0, 0, 20, 10});
    EXPECT_EQ(bare.Pixel(0, 0), 0xFFFFFFFFu);
}

// Every text pixel is the exact rounded mix of ink and background by the glyph's coverage.
TEST(PictureShortcutTest, TextMixesInkAndBackgroundExactlyByCoverage)
{
    const Color background = Rgb(37, 201, 118);
    const Color ink = Rgb(250, 3, 129);
    Picture picture(&SharedFonts(), 60, 40);
    picture.SetFillSolid(true);
    picture.SetFillColor(background);
    picture.SetForeColor(background);
    picture.Rectangle(0, 0, 60, 40);
    picture.SetForeColor(ink);
    picture.SetFontSize(20);
    picture.TextOutA(10, 5, "漢");

    SizedFont& font = SharedFonts().Font(FontFace::PGothic, FontEngine::PixelSize(20), false);
    const Glyph& glyph = font.Get(U'漢');
    ASSERT_GT(glyph.width, 0);
    int partial = 0;
    for (int row = 0; row < glyph.height; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            const unsigned alpha = glyph.coverage[static_cast<size_t>(row) * glyph.width + column];
            partial += alpha != 0 && alpha != 255 ? 1 : 0;
            Color expected = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const unsigned over = (ink >> shift) & 0xFF;
                const unsigned under = (background >> shift) & 0xFF;
                expected |= ((over * alpha + under * (255 - alpha) + 127) / 255) << shift;
            }
            const int x = 10 + glyph.left + column;
            const int y = 5 + font.Ascent() - glyph.top + row;
            ASSERT_EQ(picture.Pixel(x, y), expected) << "coverage " << alpha << " at " << x << "," << y;
        }
    }
    EXPECT_GT(partial, 0) << "the glyph should have smoothed edges to check";
}

} // namespace
