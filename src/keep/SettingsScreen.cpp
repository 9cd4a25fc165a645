#include "keep/SettingsScreen.h"

#include "gfx/Picture.h"
#include "keep/GreenBoard.h"
#include "shell/GameTypes.h"

#include <algorithm>
#include <string>

namespace {

constexpr Color White = GreenBoard::White;
constexpr Color Figures = GreenBoard::Figures;
constexpr Color Chosen = 0x00B0FF;

constexpr int FirstRowY = 170;
constexpr int RowHeight = 90;
constexpr int ChoiceX = 260;
constexpr int ChoiceWidth = 150;
constexpr std::array<const char*, SettingsScreen::Rows> RowNames = {"相手の強さ", "進行の速さ", "色の印"};
constexpr std::array<const char*, 3> PaceLabels = {"100%", "50%", "25%"};
constexpr std::array<const char*, 3> MarkLabels = {"オフ", "オン", ""};

int PaceIndex(int pace)
{
    const auto found = std::find(Paces.begin(), Paces.end(), pace);
    return found == Paces.end() ? 0 : static_cast<int>(found - Paces.begin());
}

} // namespace

Strength SettingsScreen::StepOpponents(Strength opponents, int step)
{
    const int index =
        std::clamp(static_cast<int>(opponents) + step, 0, static_cast<int>(Strengths.size()) - 1);
    return Strengths[static_cast<size_t>(index)];
}

int SettingsScreen::StepPace(int pace, int step)
{
    const int index = std::clamp(PaceIndex(pace) + step, 0, static_cast<int>(Paces.size()) - 1);
    return Paces[static_cast<size_t>(index)];
}

void SettingsScreen::Paint(Picture& pic, Strength opponents, int pace, bool colourMarks, int row)
{
    GreenBoard::Clear(pic);
    pic.SetFontSize(32);
    GreenBoard::ShadowedText(pic, 40, 40, "設定", GreenBoard::Heading);

    const std::array<int, Rows> chosen = {static_cast<int>(opponents), PaceIndex(pace), colourMarks ? 1 : 0};
    const std::array<const std::array<const char*, 3>*, Rows> labels = {&StrengthLabels, &PaceLabels,
                                                                        &MarkLabels};
    for (int r = 0; r < Rows; ++r) {
        const int y = FirstRowY + RowHeight * r;
        pic.SetFontSize(16);
        GreenBoard::ShadowedText(pic, 40, y + 8, RowNames[static_cast<size_t>(r)], r == row ? Chosen : White);
        for (int c = 0; c < 3; ++c) {
            const int x = ChoiceX + ChoiceWidth * c;
            // The chosen value sits in a white box, as the selection screen marks its choice.
            if (c == chosen[static_cast<size_t>(r)]) {
                pic.SetFillSolid(true);
                pic.SetForeColor(r == row ? Chosen : White);
                pic.SetFillColor(GreenBoard::Green);
                pic.SetPenWidth(r == row ? 3 : 1);
                pic.Rectangle(x - 12, y, x + ChoiceWidth - 36, y + 40);
                pic.SetPenWidth(1);
            }
            GreenBoard::ShadowedText(pic, x, y + 8, (*labels[static_cast<size_t>(r)])[static_cast<size_t>(c)],
                                     Figures);
        }
    }

    pic.SetFontSize(12);
    pic.SetForeColor(White);
    pic.TextOutA(40, 450, "進行の速さ: コンピュータの手番、カードの動き、カウントダウン、ポップアップの時間");
    pic.TextOutA(260, 570, "↑↓で項目、←→で選択  ほかのキーで戻ります");
}
