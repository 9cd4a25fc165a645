#include "keep/GreenBoard.h"

namespace {

constexpr Color Black = 0x000000;
constexpr Color Shadow = 0x0000C0;

} // namespace

void GreenBoard::Clear(Picture& pic)
{
    pic.SetFontFace(FontFace::PGothic);
    pic.SetBold(false);
    pic.SetUnderline(false);
    pic.SetPenWidth(1);
    pic.SetFillSolid(true);
    pic.SetForeColor(Green);
    pic.SetFillColor(Green);
    pic.Rectangle(0, 0, pic.Width(), pic.Height());
    pic.SetFillSolid(false);
}

void GreenBoard::ShadowedText(Picture& pic, int x, int y, const std::string& text, Color colour)
{
    pic.SetForeColor(Shadow);
    pic.TextOutA(x + 2, y + 2, text);
    pic.SetForeColor(Black);
    pic.TextOutA(x + 1, y + 1, text);
    pic.SetForeColor(colour);
    pic.TextOutA(x, y, text);
}
