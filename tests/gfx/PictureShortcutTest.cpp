// The quick ways the picture draws its commonest shapes must land on exactly the pixels of the
// general ones, and the record of what changed must hold every pixel written.
#include "gfx/FontEngine.h"
#include "gfx/Picture.h"
#include "gfx/RowSpans.h"
#include "support/TestGame.h"
#include "text/Utf8.h"

#include <functional>
#include <gtest/gtest.h>
#include <iterator>

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

// Every text pixel is the exact rounded mix of ink and background by the glyph's coverage, at
// glyph widths that do and do not fill whole groups of four pixels.
TEST(PictureShortcutTest, TextMixesInkAndBackgroundExactlyByCoverage)
{
    const Color background = Rgb(37, 201, 118);
    const Color ink = Rgb(250, 3, 129);
    int partial = 0;
    for (double points : {8.0, 9.0, 12.0, 20.0}) {
        for (const char* text : {"漢", "あ", "W", "i"}) {
            Picture picture(&SharedFonts(), 60, 40);
            picture.SetFillSolid(true);
            picture.SetFillColor(background);
            picture.SetForeColor(background);
            picture.Rectangle(0, 0, 60, 40);
            picture.SetForeColor(ink);
            picture.SetFontSize(points);
            picture.TextOutA(10, 5, text);

            SizedFont& font = SharedFonts().Font(FontFace::PGothic, FontEngine::PixelSize(points), false);
            const Glyph& glyph = font.Get(Utf8::Decode(text, 0).code);
            ASSERT_GT(glyph.width, 0) << text;
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
                    ASSERT_EQ(picture.Pixel(x, y), expected)
                        << text << " at " << points << " pt, coverage " << alpha << " at " << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(partial, 0) << "the glyphs should have smoothed edges to check";
}

// A picture with something on every pixel, so that any write shows.
Picture Patterned(int width, int height)
{
    Picture picture(&SharedFonts(), width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, Rgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
    }
    return picture;
}

TEST(PictureShortcutTest, EveryWriteStaysInsideTheChangedBoxAndRestoringUndoesIt)
{
    const Picture source = Patterned(30, 20);
    const Point triangle[3] = {{5, 40}, {30, 45}, {12, 60}};
    const Point zigzag[4] = {{60, 5}, {70, 15}, {80, 5}, {95, 30}};
    const std::function<void(Picture&)> writes[] = {
        [](Picture& p) { p.TextOutA(10, 10, "漢字かなABC"); },
        [](Picture& p) {
            Rect r{40, 50, 90, 60};
            p.DrawTextA("一行目\r\n二行目の方が長い", r, DT_NOCLIP);
        },
        [](Picture& p) {
            p.SetFillSolid(true);
            p.SetPenWidth(3);
            p.Rectangle(100, 3, 130, 25);
        },
        [](Picture& p) { p.RoundRect(-10, 70, 20, 95, 8, 8); },
        [&triangle](Picture& p) {
            p.SetFillSolid(true);
            p.Polygon(triangle, 3);
        },
        [&zigzag](Picture& p) {
            p.SetPenWidth(2);
            p.Polyline(zigzag, 4);
        },
        [&source](Picture& p) { p.BitBlt(140, 90, 30, 20, &source, 0, 0, RasterOp::SrcCopy); },
        [&source](Picture& p) { p.BitBlt(150, -5, 30, 20, &source, 0, 0, RasterOp::SrcPaint); },
        [](Picture& p) { p.BitBlt(60, 70, 12, 9, nullptr, 0, 0, RasterOp::Blackness); },
        [](Picture& p) { p.SetPixel(199, 119, 0x123456); },
        [](Picture& p) {
            p.Clear(Rect{170, 40, 260, 50});
        },
    };
    for (size_t k = 0; k < std::size(writes); ++k) {
        Picture picture = Patterned(200, 120);
        const Picture saved = picture;
        picture.ForgetChanges();
        writes[k](picture);
        const Rect box = picture.Changed();
        int written = 0;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 200; ++x) {
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                const bool same = picture.Pixel(x, y) == saved.Pixel(x, y);
                written += same ? 0 : 1;
                ASSERT_TRUE(inside || same)
                    << "write " << k << " changed " << x << "," << y << " outside the box";
            }
        }
        EXPECT_GT(written, 0) << "write " << k << " should draw something";
        picture.RestoreChanges(saved);
        ExpectSamePixels(picture, saved, "restored after write " + std::to_string(k));
        const Rect none = picture.Changed();
        EXPECT_TRUE(none.left >= none.right || none.top >= none.bottom);
    }
}

TEST(PictureShortcutTest, ANewClearedOrResizedPictureIsChangedAllOver)
{
    Picture picture(&SharedFonts(), 12, 8);
    EXPECT_EQ(picture.Changed().right, 12);
    EXPECT_EQ(picture.Changed().bottom, 8);
    picture.ForgetChanges();
    picture.Clear();
    EXPECT_EQ(picture.Changed().left, 0);
    EXPECT_EQ(picture.Changed().bottom, 8);
    picture.ForgetChanges();
    picture.Resize(20, 5);
    EXPECT_EQ(picture.Changed().right, 20);
    EXPECT_EQ(picture.Changed().bottom, 5);
}

} // namespace
