#include "gfx/Picture.h"

#include "gfx/FontEngine.h"
#include "platform/PngWriter.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Red = Rgb(255, 0, 0);
constexpr Color Blue = Rgb(0, 0, 255);

class PictureTest : public testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = FontEngine::Create().release(); }
    static void TearDownTestSuite()
    {
        delete fonts_;
        fonts_ = nullptr;
    }

    static Picture Make(int width, int height) { return Picture(fonts_, width, height); }

    // The box around every pixel that is not white, or an empty box when there is none.
    static Rect Ink(const Picture& picture)
    {
        Rect ink{picture.Width(), picture.Height(), 0, 0};
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                if (picture.Pixel(x, y) != White) {
                    ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                           std::max(ink.bottom, y + 1)};
                }
            }
        }
        return ink;
    }

    static FontEngine* fonts_;
};

FontEngine* PictureTest::fonts_ = nullptr;

TEST_F(PictureTest, StartsWhiteWithBlackPenAndTransparentFill)
{
    Picture picture = Make(4, 3);
    EXPECT_EQ(picture.Pixel(0, 0), White);
    EXPECT_EQ(picture.Pixel(3, 2), White);
    EXPECT_EQ(picture.ForeColor(), 0u);
    EXPECT_EQ(picture.FillColor(), 0u);
    EXPECT_FALSE(picture.FillSolid());
    EXPECT_EQ(picture.Pixel(4, 0), 0xFFFFFFFFu);
    EXPECT_EQ(picture.Pixel(-1, 0), 0xFFFFFFFFu);
}

TEST_F(PictureTest, StoresPixelsRedFirstForTheScreen)
{
    Picture picture = Make(2, 1);
    picture.SetPixel(1, 0, Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(picture.Pixel(1, 0), Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(picture.Data()[1], 0x123456u);
}

TEST_F(PictureTest, RectangleLeavesRightAndBottomEdgesOut)
{
    Picture picture = Make(30, 30);
    picture.SetForeColor(Red);
    picture.Rectangle(10, 10, 20, 20);
    for (int i = 10; i < 20; ++i) {
        EXPECT_EQ(picture.Pixel(i, 10), Red) << i;
        EXPECT_EQ(picture.Pixel(i, 19), Red) << i;
        EXPECT_EQ(picture.Pixel(10, i), Red) << i;
        EXPECT_EQ(picture.Pixel(19, i), Red) << i;
    }
    EXPECT_EQ(picture.Pixel(20, 15), White);
    EXPECT_EQ(picture.Pixel(15, 20), White);
    EXPECT_EQ(picture.Pixel(9, 15), White);
    EXPECT_EQ(picture.Pixel(15, 15), White) << "a transparent fill leaves the inside alone";
}

TEST_F(PictureTest, SolidFillPaintsTheInsideOnly)
{
    Picture picture = Make(30, 30);
    picture.SetForeColor(Red);
    picture.SetFillColor(Blue);
    picture.SetFillSolid(true);
    picture.Rectangle(20, 20, 10, 10);
    EXPECT_EQ(picture.Pixel(10, 10), Red);
    EXPECT_EQ(picture.Pixel(11, 11), Blue);
    EXPECT_EQ(picture.Pixel(18, 18), Blue);
    EXPECT_EQ(picture.Pixel(19, 18), Red);
    EXPECT_EQ(picture.Pixel(20, 20), White);
}

TEST_F(PictureTest, HugeBoxDrawsItsVisiblePart)
{
    Picture picture = Make(20, 20);
    picture.SetFillColor(Blue);
    picture.SetFillSolid(true);
    picture.SetPenWidth(2);
    picture.RoundRect(5, 5, 2000000000, 2000000000, 8, 8);
    EXPECT_EQ(picture.Pixel(5, 12), 0u);
    EXPECT_EQ(picture.Pixel(12, 12), Blue);
    EXPECT_EQ(picture.Pixel(19, 19), Blue);
}

TEST_F(PictureTest, WidePenStraddlesTheOutline)
{
    Picture picture = Make(40, 40);
    picture.SetPenWidth(3);
    picture.SetForeColor(Red);
    picture.SetFillColor(Blue);
    picture.SetFillSolid(true);
    picture.Rectangle(10, 10, 30, 30);
    Rect ink = Ink(picture);
    EXPECT_GE(ink.left, 10 - 3 / 2);
    EXPECT_LE(ink.right, 30 + 3 / 2);
    EXPECT_GE(ink.top, 10 - 3 / 2);
    EXPECT_LE(ink.bottom, 30 + 3 / 2);
    int penPixels = 0;
    for (int x = ink.left; x < 20; ++x) {
        penPixels += picture.Pixel(x, 20) == Red;
    }
    EXPECT_EQ(penPixels, 3);
    EXPECT_EQ(picture.Pixel(20, 20), Blue);
}

TEST_F(PictureTest, RoundRectSparesCornersAndDrawsEdges)
{
    Picture picture = Make(40, 40);
    picture.SetForeColor(Red);
    picture.SetFillColor(Blue);
    picture.SetFillSolid(true);
    picture.RoundRect(5, 5, 25, 35, 8, 8);
    EXPECT_EQ(picture.Pixel(5, 5), White);
    EXPECT_EQ(picture.Pixel(24, 5), White);
    EXPECT_EQ(picture.Pixel(5, 34), White);
    EXPECT_EQ(picture.Pixel(24, 34), White);
    EXPECT_EQ(picture.Pixel(15, 5), Red);
    EXPECT_EQ(picture.Pixel(15, 34), Red);
    EXPECT_EQ(picture.Pixel(5, 20), Red);
    EXPECT_EQ(picture.Pixel(24, 20), Red);
    EXPECT_EQ(picture.Pixel(25, 20), White);
    EXPECT_EQ(picture.Pixel(15, 20), Blue);
    EXPECT_EQ(picture.Pixel(7, 7), Blue) << "the fill reaches into the rounded corner";
}

TEST_F(PictureTest, RoundRectOutlineHasNoGaps)
{
    Picture picture = Make(40, 40);
    picture.SetForeColor(Red);
    picture.RoundRect(5, 5, 35, 35, 16, 16);
    // Walking inward from each side along every row and column meets the pen before the inside.
    for (int i = 5; i < 35; ++i) {
        int x = 0;
        while (x < 40 && picture.Pixel(x, i) == White) {
            ++x;
        }
        EXPECT_EQ(picture.Pixel(x, i), Red) << "row " << i;
        int y = 0;
        while (y < 40 && picture.Pixel(i, y) == White) {
            ++y;
        }
        EXPECT_EQ(picture.Pixel(i, y), Red) << "column " << i;
    }
    // Every pen pixel touches another one, so the outline is one closed line.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (picture.Pixel(x, y) != Red) {
                continue;
            }
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    neighbours += (dx != 0 || dy != 0) && picture.Pixel(x + dx, y + dy) == Red;
                }
            }
            EXPECT_GE(neighbours, 2) << x << "," << y;
        }
    }
}

TEST_F(PictureTest, PolygonFillsAlternately)
{
    Picture picture = Make(60, 60);
    picture.SetForeColor(Red);
    picture.SetFillColor(Blue);
    picture.SetFillSolid(true);
    // A five-pointed star drawn in one stroke: its centre is enclosed twice, so it stays empty.
    const Point star[] = {{30, 2}, {47, 55}, {2, 22}, {58, 22}, {13, 55}};
    picture.Polygon(star, 5);
    EXPECT_EQ(picture.Pixel(30, 32), White);
    EXPECT_EQ(picture.Pixel(30, 12), Blue) << "inside the top point";
    EXPECT_EQ(picture.Pixel(30, 2), Red);
    EXPECT_EQ(picture.Pixel(13, 55), Red) << "the closing edge reaches the last point";
}

TEST_F(PictureTest, PolygonWithTransparentFillDrawsOnlyTheOutline)
{
    Picture picture = Make(20, 20);
    const Point triangle[] = {{2, 2}, {17, 2}, {2, 17}};
    picture.Polygon(triangle, 3);
    EXPECT_EQ(picture.Pixel(2, 2), 0u);
    EXPECT_EQ(picture.Pixel(10, 9), 0u) << "on the slanted edge";
    EXPECT_EQ(picture.Pixel(5, 5), White);
}

TEST_F(PictureTest, PolylineLeavesItsLastPointOut)
{
    Picture picture = Make(20, 20);
    const Point path[] = {{2, 15}, {2, 2}, {12, 2}};
    picture.Polyline(path, 3);
    EXPECT_EQ(picture.Pixel(2, 15), 0u);
    EXPECT_EQ(picture.Pixel(2, 2), 0u);
    EXPECT_EQ(picture.Pixel(11, 2), 0u);
    EXPECT_EQ(picture.Pixel(12, 2), White);
    EXPECT_EQ(picture.Pixel(2, 16), White);
}

TEST_F(PictureTest, SrcPaintOrsColours)
{
    Picture source = Make(4, 4);
    source.BitBlt(0, 0, 4, 4, nullptr, 0, 0, RasterOp::Blackness);
    source.SetPixel(1, 1, Rgb(0x0F, 0x00, 0xF0));
    Picture target = Make(8, 8);
    target.BitBlt(0, 0, 8, 8, nullptr, 0, 0, RasterOp::Blackness);
    target.SetPixel(3, 3, Rgb(0xF0, 0x0F, 0x00));
    target.SetPixel(4, 4, Red);
    target.BitBlt(2, 2, 4, 4, &source, 0, 0, RasterOp::SrcPaint);
    EXPECT_EQ(target.Pixel(3, 3), Rgb(0xFF, 0x0F, 0xF0));
    EXPECT_EQ(target.Pixel(4, 4), Red) << "black in the source leaves the target as it was";
}

TEST_F(PictureTest, BlacknessNeedsNoSourceAndStaysInItsBlock)
{
    Picture picture = Make(10, 10);
    picture.BitBlt(-2, 3, 5, 2, nullptr, 0, 0, RasterOp::Blackness);
    EXPECT_EQ(picture.Pixel(0, 3), 0u);
    EXPECT_EQ(picture.Pixel(2, 4), 0u);
    EXPECT_EQ(picture.Pixel(3, 4), White);
    EXPECT_EQ(picture.Pixel(0, 5), White);
}

TEST_F(PictureTest, SrcCopyClipsToBothPictures)
{
    Picture source = Make(85, 16);
    source.BitBlt(0, 0, 85, 16, nullptr, 0, 0, RasterOp::Blackness);
    Picture target = Make(120, 60);
    target.SetForeColor(Red);
    target.SetFillColor(Red);
    target.SetFillSolid(true);
    target.Rectangle(0, 0, 120, 60);
    target.BitBlt(6, 17, 112, 40, &source, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(target.Pixel(6, 17), 0u);
    EXPECT_EQ(target.Pixel(90, 32), 0u);
    EXPECT_EQ(target.Pixel(91, 32), Red) << "beyond the source's width";
    EXPECT_EQ(target.Pixel(50, 33), Red) << "beyond the source's height";
    EXPECT_EQ(target.Pixel(5, 17), Red);

    Picture edge = Make(10, 10);
    source.SetPixel(3, 3, Blue);
    edge.BitBlt(-3, -3, 20, 20, &source, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(edge.Pixel(0, 0), Blue);
    EXPECT_EQ(edge.Pixel(9, 9), 0u);
}

TEST_F(PictureTest, SrcCopyWithinOnePictureReadsTheOldPixels)
{
    Picture picture = Make(10, 1);
    for (int x = 0; x < 10; ++x) {
        picture.SetPixel(x, 0, static_cast<Color>(x));
    }
    picture.BitBlt(2, 0, 6, 1, &picture, 0, 0, RasterOp::SrcCopy);
    for (int x = 2; x < 8; ++x) {
        EXPECT_EQ(picture.Pixel(x, 0), static_cast<Color>(x - 2));
    }
}

TEST_F(PictureTest, TextStaysInItsCellInTheTextColour)
{
    Picture picture = Make(200, 60);
    picture.SetForeColor(Blue);
    picture.SetFontSize(16);
    picture.TextOutA(20, 10, "漢字のテスト");
    SizedFont& font = fonts_->Font(FontFace::PGothic, 21, false);
    Rect ink = Ink(picture);
    EXPECT_GE(ink.top, 10);
    EXPECT_GE(ink.left, 19);
    EXPECT_LE(ink.bottom, 10 + font.Height());
    EXPECT_LT(ink.top, 10 + font.Ascent());
    bool exact = false;
    for (int y = ink.top; y < ink.bottom; ++y) {
        for (int x = ink.left; x < ink.right; ++x) {
            exact = exact || picture.Pixel(x, y) == Blue;
        }
    }
    EXPECT_TRUE(exact);
}

TEST_F(PictureTest, JapaneseTextDoesNotFallBackToQuestionMarks)
{
    Picture kanji = Make(40, 20);
    Picture question = Make(40, 20);
    kanji.TextOutA(0, 0, "漢");
    question.TextOutA(0, 0, "?");
    Rect a = Ink(kanji);
    Rect b = Ink(question);
    EXPECT_GT(a.right - a.left, b.right - b.left);
}

TEST_F(PictureTest, CalcRectMeasuresLinesWithoutDrawing)
{
    Picture picture = Make(100, 100);
    picture.SetFontFace(FontFace::Gothic);
    picture.SetFontSize(9);
    SizedFont& font = fonts_->Font(FontFace::Gothic, 12, false);

    Rect rect{5, 7, 5, 7};
    picture.DrawTextA("あいう", rect, DT_CALCRECT);
    EXPECT_EQ(rect.right, 5 + 36);
    EXPECT_EQ(rect.bottom, 7 + font.Height());

    rect = {5, 7, 5, 7};
    picture.DrawTextA("あ\r\nあいう", rect, DT_CALCRECT);
    EXPECT_EQ(rect.right, 5 + 36);
    EXPECT_EQ(rect.bottom, 7 + 2 * font.Height());
    EXPECT_EQ(Ink(picture).right, 0) << "measuring draws nothing";

    rect = {5, 7, 5, 7};
    picture.DrawTextA("ab\nc\rd\r\n", rect, DT_CALCRECT);
    EXPECT_EQ(rect.bottom, 7 + 3 * font.Height()) << "lone breaks count, a final break does not";

    rect = {5, 7, 50, 50};
    picture.DrawTextA("", rect, DT_CALCRECT);
    EXPECT_EQ(rect.right, 5);
    EXPECT_EQ(rect.bottom, 7);
}

TEST_F(PictureTest, DrawTextPutsEachLineOneCellLower)
{
    Picture picture = Make(100, 100);
    SizedFont& font = fonts_->Font(FontFace::PGothic, 13, false);
    Rect rect{10, 10, 10, 10};
    picture.DrawTextA("\r\n\r\nあ", rect, DT_NOCLIP);
    Rect ink = Ink(picture);
    EXPECT_GE(ink.top, 10 + 2 * font.Height());
    EXPECT_LE(ink.bottom, 10 + 3 * font.Height());
}

TEST_F(PictureTest, DrawTextClipsToItsRectangleUnlessTold)
{
    Picture clipped = Make(100, 40);
    Rect rect{10, 10, 20, 30};
    clipped.DrawTextA("ああああ", rect, 0);
    Rect ink = Ink(clipped);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 20);

    Picture free = Make(100, 40);
    free.DrawTextA("ああああ", rect, DT_NOCLIP);
    EXPECT_GT(Ink(free).right, 40);
}

TEST_F(PictureTest, TextOutStopsAtTheByteCount)
{
    Picture cut = Make(100, 20);
    Picture whole = Make(100, 20);
    cut.TextOutA(0, 0, "あいう", 5);
    whole.TextOutA(0, 0, "あい");
    EXPECT_TRUE(std::equal(cut.Data(), cut.Data() + 100 * 20, whole.Data()));
}

TEST_F(PictureTest, BoldIsOnePixelWiderPerCharacter)
{
    Picture picture = Make(100, 20);
    Rect regular{0, 0, 0, 0};
    picture.DrawTextA("sage", regular, DT_CALCRECT);
    picture.SetBold(true);
    Rect bold{0, 0, 0, 0};
    picture.DrawTextA("sage", bold, DT_CALCRECT);
    EXPECT_EQ(bold.right, regular.right + 4);
}

TEST_F(PictureTest, UnderlineRunsUnderTheWholeText)
{
    Picture picture = Make(100, 30);
    picture.SetUnderline(true);
    picture.SetForeColor(Red);
    picture.TextOutA(10, 5, "a b");
    Rect width{0, 0, 0, 0};
    picture.DrawTextA("a b", width, DT_CALCRECT);
    SizedFont& font = fonts_->Font(FontFace::PGothic, 13, false);
    int row = 5 + font.Ascent() + font.UnderlineOffset();
    EXPECT_EQ(picture.Pixel(10, row), Red);
    EXPECT_EQ(picture.Pixel(10 + width.right - 1, row), Red);
    EXPECT_EQ(picture.Pixel(10 + width.right, row), White);
    EXPECT_LT(row, 5 + font.Height());
}

TEST_F(PictureTest, PictureWithoutFontsDrawsNothing)
{
    Picture picture(nullptr, 50, 50);
    picture.Rectangle(0, 0, 10, 10);
    picture.TextOutA(0, 0, "あ");
    picture.BitBlt(0, 0, 50, 50, nullptr, 0, 0, RasterOp::Blackness);
    Rect rect{1, 2, 3, 4};
    picture.DrawTextA("あいう\r\nえ", rect, DT_CALCRECT);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_FALSE(WritePng(picture, "/dev/null"));
}

TEST_F(PictureTest, ResizeKeepsWhatFitsAndWhitensTheRest)
{
    Picture picture = Make(4, 4);
    picture.SetPixel(1, 1, Red);
    picture.SetPixel(3, 3, Red);
    picture.Resize(6, 3);
    EXPECT_EQ(picture.Pixel(1, 1), Red);
    EXPECT_EQ(picture.Pixel(5, 2), White);
    EXPECT_EQ(picture.Pixel(3, 3), 0xFFFFFFFFu);
}

TEST_F(PictureTest, WritesAPngFile)
{
    Picture picture = Make(3, 2);
    std::string path = testing::TempDir() + "picture_test.png";
    ASSERT_TRUE(WritePng(picture, path));
    std::ifstream file(path, std::ios::binary);
    char signature[8] = {};
    file.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    std::remove(path.c_str());
    EXPECT_FALSE(WritePng(picture, "/nonexistent-folder/picture.png"));
}

} // namespace
