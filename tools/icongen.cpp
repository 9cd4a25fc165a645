// Draws the program's icon with the game's own picture code: two of its cards, a thread card behind
// a response card with a large "ぱ", as a PNG with a clear background; maskable, on black, the cards
// kept inside the middle circle that every launcher's mask leaves whole.
//   icongen SIZE OUT.png [maskable]
#include "gfx/FontEngine.h"
#include "gfx/Picture.h"
#include "platform/PngWriter.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

namespace {

constexpr Color Black = 0x000000;
constexpr Color White = 0xFFFFFF;
// The band colours of a blue thread and a red response card, as the board paints them.
constexpr Color Blue = 0xFF6E00;
constexpr Color Red = 0x005AFF;
constexpr Color Grey = 0xB0B0B0;

// A card of the board's proportions (96 x 136), drawn at any size: its face, the two bands with
// their notch and white stripe, and lines standing for its text.
class CardShape {
public:
    CardShape(double left, double top, double height) : left_(left), top_(top), unit_(height / 136.0) {}

    void Paint(Picture& pic, Color band, bool textLines) const
    {
        pic.SetPenWidth(std::max(1, Round(1.5)));
        pic.SetForeColor(Black);
        pic.SetFillColor(White);
        pic.SetFillSolid(true);
        pic.RoundRect(X(0), Y(0), X(96), Y(136), Round(12), Round(12));
        pic.SetPenWidth(1);
        // The top band, then the bottom one: the same shape turned half round.
        static constexpr std::array<Point, 5> bandShape = {{{6, 17}, {6, 28}, {11, 23}, {89, 23}, {89, 17}}};
        static constexpr std::array<Point, 4> stripeShape = {{{6, 20}, {6, 21}, {89, 21}, {89, 20}}};
        for (bool turned : {false, true}) {
            Fill(pic, bandShape.data(), 5, turned, band);
            Fill(pic, stripeShape.data(), 4, turned, White);
        }
        if (!textLines)
            return;
        pic.SetForeColor(Grey);
        pic.SetFillColor(Grey);
        for (int line = 0; line < 6; ++line)
            pic.Rectangle(X(12), Y(38 + 11 * line), X(line % 3 == 2 ? 60 : 84), Y(42 + 11 * line));
    }

    void Letter(Picture& pic, const std::string& text) const
    {
        pic.SetForeColor(Black);
        pic.SetBold(true);
        // Points for a glyph about half the card wide.
        pic.SetFontSize(56 * unit_ * 72.0 / 96.0);
        Rect box{0, 0, 0, 0};
        pic.DrawTextA(text, box, DT_CALCRECT);
        pic.TextOutA(X(48) - (box.right - box.left) / 2, Y(68) - (box.bottom - box.top) / 2, text);
        pic.SetBold(false);
    }

private:
    int X(double x) const { return static_cast<int>(std::lround(left_ + x * unit_)); }
    int Y(double y) const { return static_cast<int>(std::lround(top_ + y * unit_)); }
    int Round(double v) const { return static_cast<int>(std::lround(v * unit_)); }

    void Fill(Picture& pic, const Point* shape, int count, bool turned, Color colour) const
    {
        std::array<Point, 5> at;
        for (int k = 0; k < count; ++k) {
            const Point p = turned ? Point{95 - shape[k].x, 135 - shape[k].y} : shape[k];
            at[k] = {X(p.x), Y(p.y)};
        }
        pic.SetForeColor(colour);
        pic.SetFillColor(colour);
        pic.SetFillSolid(true);
        pic.Polygon(at.data(), count);
    }

    double left_;
    double top_;
    double unit_;
};

// The two cards inside a square of side size whose top left corner is at (origin, origin).
void Draw(Picture& pic, double size, double origin)
{
    const double s = size / 256.0;
    const double height = 200 * s;
    CardShape(origin + 95 * s, origin + 10 * s, height).Paint(pic, Blue, true);
    const CardShape front(origin + 20 * s, origin + 46 * s, height);
    front.Paint(pic, Red, false);
    front.Letter(pic, "ぱ");
}

} // namespace

int main(int argc, char** argv)
{
    const bool maskable = argc == 4 && std::string(argv[3]) == "maskable";
    if (argc != 3 && !maskable) {
        std::fprintf(stderr, "usage: icongen SIZE OUT.png [maskable]\n");
        return 2;
    }
    try {
        const int size = std::stoi(argv[1]);
        if (size < 16 || size > 1024)
            throw std::out_of_range("size");
        auto fonts = FontEngine::Create();
        Picture onBlack(fonts.get(), size, size);
        Picture onWhite(fonts.get(), size, size);
        onBlack.BitBlt(0, 0, size, size, nullptr, 0, 0, RasterOp::Blackness);
        if (maskable)
            onWhite.BitBlt(0, 0, size, size, nullptr, 0, 0, RasterOp::Blackness);
        // A mask may cut all but the circle of 80 % of the side: the cards, 62 % of the side, keep
        // their corners inside it.
        const double drawn = maskable ? size * 0.62 : size;
        const double origin = (size - drawn) / 2;
        Draw(onBlack, drawn, origin);
        Draw(onWhite, drawn, origin);
        if (!WritePngWithAlpha(onBlack, onWhite, argv[2])) {
            std::fprintf(stderr, "icongen: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "icongen: %s\n", e.what());
        return 1;
    }
    return 0;
}
