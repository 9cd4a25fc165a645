#include "shell/Border.h"

#include "gfx/Picture.h"
#include "shell/ModuleCommon.h"

namespace {

constexpr Color Silver = Rgb(192, 192, 192);
constexpr Color White = Rgb(255, 255, 255);
constexpr Color Shadow = Rgb(48, 48, 48);
constexpr Color Green = Rgb(0, 153, 51);
constexpr Color Orange = Rgb(255, 176, 0);

void SolidBox(Picture& pic, const AreaRect& r, Color colour)
{
    pic.SetForeColor(colour);
    pic.SetFillColor(colour);
    pic.SetFillSolid(true);
    pic.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

} // namespace

void Border::PaintBoard(Picture& pic) const
{
    pic.SetForeColor(Silver);
    pic.SetFillColor(White);
    for (int index = 0; index <= 5; ++index) {
        const AreaRect r = GetArea(index);
        pic.Rectangle(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2);
    }
    pic.SetForeColor(Shadow);
    pic.SetFillSolid(true);
    for (int index = 0; index <= 5; ++index) {
        const AreaRect r = GetArea(index);
        const Point shadow[3] = {{r.Left - 1, r.Bottom}, {r.Left - 1, r.Top - 1}, {r.Right, r.Top - 1}};
        pic.Polyline(shadow, 3);
    }
    SolidBox(pic, GetArea(AreaScore), Green);
}

void Border::PaintCardArea(Picture& pic, bool enable) const
{
    SolidBox(pic, GetArea(AreaHand), Green);
    SolidBox(pic, GetArea(AreaSelected), enable ? Orange : Green);
    pic.SetFillSolid(false);
}
