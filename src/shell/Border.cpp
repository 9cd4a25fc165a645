#include "shell/Border.h"

#include "board/Palette.h"
#include "gfx/Picture.h"
#include "shell/ModuleCommon.h"

namespace {

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
    pic.SetForeColor(Palette::Silver);
    pic.SetFillColor(Palette::White);
    for (int index = 0; index <= 5; ++index) {
        const AreaRect r = GetArea(index);
        pic.Rectangle(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2);
    }
    pic.SetForeColor(Palette::Shadow);
    pic.SetFillSolid(true);
    for (int index = 0; index <= 5; ++index) {
        const AreaRect r = GetArea(index);
        const Point shadow[3] = {{r.Left - 1, r.Bottom}, {r.Left - 1, r.Top - 1}, {r.Right, r.Top - 1}};
        pic.Polyline(shadow, 3);
    }
    SolidBox(pic, GetArea(AreaScore), Palette::BoardGreen);
}

void Border::PaintCardArea(Picture& pic, bool enable) const
{
    SolidBox(pic, GetArea(AreaHand), Palette::BoardGreen);
    SolidBox(pic, GetArea(AreaSelected), enable ? Palette::Amber : Palette::BoardGreen);
    pic.SetFillSolid(false);
}
