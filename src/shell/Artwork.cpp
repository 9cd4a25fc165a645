#include "shell/Artwork.h"

#include "board/Palette.h"
#include "gfx/Picture.h"
#include "shell/Game.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Vec {
    double x;
    double y;
};

Point Round(Vec v)
{
    return {static_cast<int>(std::lround(v.x)), static_cast<int>(std::lround(v.y))};
}

void Shape(Picture& pic, const std::vector<Point>& points, Color pen, Color fill)
{
    pic.SetForeColor(pen);
    pic.SetFillColor(fill);
    pic.SetFillSolid(true);
    pic.Polygon(points.data(), static_cast<int>(points.size()));
}

void Fill(Picture& pic, int left, int top, int right, int bottom, Color color)
{
    pic.SetForeColor(color);
    pic.SetFillColor(color);
    pic.SetFillSolid(true);
    pic.Rectangle(left, top, right, bottom);
}

// A pencil lying at 45 degrees, its point at (tipX, tipY) and its eraser up and to the right.
void Pencil(Picture& pic, double tipX, double tipY, double length)
{
    const double r = std::sqrt(0.5);
    const Vec along{r, -r};
    const Vec across{r, r};
    auto at = [&](double t, double side) {
        return Round({tipX + along.x * t + across.x * side, tipY + along.y * t + across.y * side});
    };
    const double half = 2.6;
    const Color outline = Rgb(96, 70, 30);
    Shape(pic, {at(5.5, -half), at(length - 5, -half), at(length - 5, half), at(5.5, half)}, outline,
          Rgb(250, 196, 40));
    Shape(pic, {at(length - 5, -half), at(length - 3.5, -half), at(length - 3.5, half), at(length - 5, half)},
          Rgb(120, 120, 130), Rgb(190, 190, 200));
    Shape(pic, {at(length - 3.5, -half), at(length, -half), at(length, half), at(length - 3.5, half)},
          Rgb(170, 80, 90), Rgb(245, 150, 160));
    Shape(pic, {at(0, 0), at(5.5, -half), at(5.5, half)}, Rgb(150, 110, 70), Rgb(238, 204, 160));
    Shape(pic, {at(0, 0), at(2.2, -1.0), at(2.2, 1.0)}, Rgb(50, 50, 50), Rgb(50, 50, 50));
}

// Two square icons: a pencil over a sheet (a thread card opens a thread) and a pencil writing a
// line (any other card posts).
void PaintPencil(Picture& pic)
{
    const int w = pic.Height();
    Fill(pic, 0, 0, pic.Width(), pic.Height(), Palette::White);

    const Color paperEdge = Rgb(120, 120, 130);
    Shape(pic, {{2, 2}, {12, 2}, {16, 6}, {16, 21}, {2, 21}}, paperEdge, Palette::White);
    Shape(pic, {{12, 2}, {12, 6}, {16, 6}}, paperEdge, Rgb(220, 220, 228));
    pic.SetForeColor(Rgb(150, 180, 225));
    for (int y = 9; y <= 18; y += 3) {
        const Point rule[2] = {{4, y}, {14, y}};
        pic.Polyline(rule, 2);
    }
    Pencil(pic, 9, 17, 16);

    const int x = w;
    pic.SetForeColor(Rgb(40, 60, 140));
    const Point stroke[6] = {{x + 1, 19}, {x + 3, 17}, {x + 5, 19}, {x + 7, 17}, {x + 9, 19}, {x + 11, 18}};
    pic.Polyline(stroke, 6);
    Pencil(pic, x + 11, 18, 16);
}

// Ellipses made with RoundRect: corners as large as the box.
void Ellipse(Picture& pic, int left, int top, int right, int bottom)
{
    pic.RoundRect(left, top, right, bottom, right - left, bottom - top);
}

// A small cloud: the same puffs drawn twice, first with a thick outline, then without one, so
// that only the outer edge of the outline stays.
void Cloud(Picture& pic, int x, int y)
{
    const Color edge = Rgb(70, 110, 160);
    const Color body = Rgb(214, 232, 248);
    auto puffs = [&] {
        Ellipse(pic, x, y + 10, x + 18, y + 26);
        Ellipse(pic, x + 8, y + 2, x + 28, y + 22);
        Ellipse(pic, x + 20, y + 7, x + 38, y + 24);
        pic.Rectangle(x + 8, y + 14, x + 30, y + 26);
    };
    pic.SetFillSolid(true);
    pic.SetFillColor(body);
    pic.SetForeColor(edge);
    pic.SetPenWidth(3);
    puffs();
    pic.SetForeColor(body);
    pic.SetPenWidth(1);
    puffs();
    pic.SetForeColor(Palette::White);
    const Point shine[3] = {{x + 13, y + 9}, {x + 16, y + 6}, {x + 21, y + 5}};
    pic.Polyline(shine, 3);
}

// The maker's name as a logo: a cloud and "Kumoriya" in a bold face, underlined by a thin rule.
void PaintAuthor(Picture& pic, const std::string& name)
{
    Fill(pic, 0, 0, pic.Width(), pic.Height(), Palette::White);
    const Color sun = Rgb(250, 190, 60);
    pic.SetForeColor(sun);
    pic.SetFillColor(sun);
    pic.SetFillSolid(true);
    Ellipse(pic, 30, 3, 46, 19);
    Cloud(pic, 6, 6);

    pic.SetFontFace(FontFace::PGothic);
    pic.SetFontSize(20);
    pic.SetBold(true);
    Rect box{0, 0, 0, 0};
    pic.DrawTextA(name, box, DT_CALCRECT);
    const int textX = 54;
    const int textY = std::max(0, (pic.Height() - (box.bottom - box.top)) / 2 - 2);
    pic.SetForeColor(Rgb(190, 205, 225));
    pic.TextOutA(textX + 2, textY + 2, name);
    pic.SetForeColor(Rgb(40, 64, 110));
    pic.TextOutA(textX, textY, name);
    pic.SetBold(false);
    const int ruleEnd = std::min(pic.Width() - 4, textX + (box.right - box.left));
    Fill(pic, textX, pic.Height() - 5, ruleEnd, pic.Height() - 4, Rgb(120, 160, 210));
}

// Diagonal strands, like the twist of a thread, in grey: ORed onto a band they lighten it in
// stripes and keep its colour.
void PaintMask(Picture& pic)
{
    for (int y = 0; y < pic.Height(); ++y) {
        for (int x = 0; x < pic.Width(); ++x) {
            const int phase = (x + y) % 6;
            const Color c = phase == 0 ? Rgb(150, 150, 150) : phase == 1 ? Rgb(80, 80, 80) : Palette::Black;
            pic.SetPixel(x, y, c);
        }
    }
}

Color Hue(double h)
{
    const double sector = std::fmod(h, 360.0) / 60.0;
    const double f = sector - std::floor(sector);
    auto level = [](double v) { return static_cast<int>(std::lround(255.0 * v)); };
    switch (static_cast<int>(sector)) {
    case 0:
        return Rgb(255, level(f), 0);
    case 1:
        return Rgb(level(1 - f), 255, 0);
    case 2:
        return Rgb(0, 255, level(f));
    case 3:
        return Rgb(0, level(1 - f), 255);
    case 4:
        return Rgb(level(f), 0, 255);
    default:
        return Rgb(255, 0, level(1 - f));
    }
}

// Red through violet from left to right, on black.
void PaintRainbow(Picture& pic)
{
    const int last = std::max(1, pic.Width() - 1);
    for (int x = 0; x < pic.Width(); ++x) {
        pic.SetForeColor(Hue(280.0 * x / last));
        const Point column[2] = {{x, 0}, {x, pic.Height()}};
        pic.Polyline(column, 2);
    }
}

} // namespace

void PaintArtwork(Game& game)
{
    PaintPencil(game.PicturePencil);
    PaintAuthor(game.PictureAuthor, Game::MakerName());
    PaintMask(game.PictureMask);
    PaintRainbow(game.PictureRainbow);
}
