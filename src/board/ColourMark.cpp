#include "board/ColourMark.h"

#include "board/Palette.h"
#include "gfx/Picture.h"

namespace {

void Ground(Picture& pic, int x, int y, int size)
{
    pic.SetPenWidth(1);
    pic.SetFillSolid(true);
    pic.SetForeColor(Palette::White);
    pic.SetFillColor(Palette::White);
    pic.Rectangle(x - 1, y - 1, x + size + 1, y + size + 1);
    pic.SetForeColor(Palette::Black);
    pic.SetFillColor(Palette::Black);
}

void Shape(Picture& pic, int32_t colour, int x, int y, int s)
{
    switch (colour) {
    case 1:
        pic.RoundRect(x, y, x + s, y + s, s, s);
        break;
    case 2: {
        const Point triangle[3] = {{x + s / 2, y}, {x + s - 1, y + s - 1}, {x, y + s - 1}};
        pic.Polygon(triangle, 3);
        break;
    }
    case 3:
        pic.Rectangle(x + 1, y + 1, x + s - 1, y + s - 1);
        break;
    case 4: {
        const Point diamond[4] = {
            {x + s / 2, y}, {x + s - 1, y + s / 2}, {x + s / 2, y + s - 1}, {x, y + s / 2}};
        pic.Polygon(diamond, 4);
        break;
    }
    default:
        break;
    }
}

} // namespace

void ColourMark::Thread(Picture& pic, int32_t colour, int x, int y, int size)
{
    if (colour < 0 || colour > 4)
        return;
    const DrawingState saved = pic.State();
    if (colour == 0) {
        const int half = size / 2;
        Ground(pic, x, y, 2 * half);
        for (int c = 1; c <= 4; ++c)
            Shape(pic, c, x + half * ((c - 1) % 2), y + half * ((c - 1) / 2), half);
    } else {
        Ground(pic, x, y, size);
        Shape(pic, colour, x, y, size);
    }
    pic.SetState(saved);
}

void ColourMark::Player(Picture& pic, int32_t colour, int x, int y, int size)
{
    if (colour < 0 || colour > 3)
        return;
    const DrawingState saved = pic.State();
    Ground(pic, x, y, size);
    pic.SetPenWidth(2);
    pic.SetFillSolid(false);
    const int s = size - 1;
    switch (colour) {
    case 0: {
        const Point across[2] = {{x, y + s / 2}, {x + s, y + s / 2}};
        const Point down[2] = {{x + s / 2, y}, {x + s / 2, y + s}};
        pic.Polyline(across, 2);
        pic.Polyline(down, 2);
        break;
    }
    case 1: {
        const Point one[2] = {{x, y}, {x + s, y + s}};
        const Point other[2] = {{x + s, y}, {x, y + s}};
        pic.Polyline(one, 2);
        pic.Polyline(other, 2);
        break;
    }
    case 2:
        pic.RoundRect(x + 1, y + 1, x + s, y + s, s, s);
        break;
    default: {
        const Point down[4] = {{x + 1, y + 1}, {x + s - 1, y + 1}, {x + s / 2, y + s - 1}, {x + 1, y + 1}};
        pic.Polyline(down, 4);
        break;
    }
    }
    pic.SetState(saved);
}
