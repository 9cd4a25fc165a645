#include "keep/StatsScreen.h"

#include "gfx/Picture.h"
#include "keep/GreenBoard.h"
#include "keep/Statistics.h"

#include <array>
#include <string>

namespace {

constexpr Color White = GreenBoard::White;
constexpr Color Heading = GreenBoard::Heading;
constexpr Color Figures = GreenBoard::Figures;

constexpr int FirstRowY = 150;
constexpr int RowHeight = 44;
constexpr std::array<int, 9> ColumnX = {232, 292, 352, 404, 476, 540, 604, 668, 728};
constexpr std::array<const char*, 3> OpponentLabels = {"弱い相手", "普通の相手", "強い相手"};
constexpr std::array<const char*, 9> Heads = {"遊んだ", "途中で", "１位",  "平均順位", "最高点",
                                              "平均点", "1000ﾚｽ", "512KB", "最高ｽﾚ"};

} // namespace

std::vector<Strength> StatsScreen::Pages(const Statistics& stats)
{
    std::vector<Strength> pages;
    for (const Strength opponents : Strengths) {
        if (opponents == Strength::Standard || stats.Played(opponents))
            pages.push_back(opponents);
    }
    return pages;
}

void StatsScreen::Paint(Picture& pic, const Statistics& stats, const std::string& today, Strength opponents)
{
    const std::vector<Strength> pages = Pages(stats);
    const bool paged = pages.size() > 1;
    GreenBoard::Clear(pic);

    pic.SetFontSize(32);
    GreenBoard::ShadowedText(pic, 40, 40, "これまでの戦績", Heading);
    if (paged) {
        pic.SetFontSize(16);
        GreenBoard::ShadowedText(pic, 320, 56, OpponentLabels[static_cast<size_t>(opponents)], Figures);
    }

    pic.SetFontSize(12);
    pic.SetForeColor(White);
    for (size_t c = 0; c < Heads.size(); ++c)
        pic.TextOutA(ColumnX[c], 120, Heads[c]);

    for (int i = 0; i < Statistics::GameCount; ++i) {
        const Statistics::Game& g = stats.Against(opponents)[static_cast<size_t>(i)];
        const int y = FirstRowY + RowHeight * i;
        pic.SetForeColor(White);
        pic.SetFontSize(12);
        pic.TextOutA(24, y + 4, Statistics::Name(i));
        const std::array<std::string, 9> cells = {
            std::to_string(g.finished + g.abandoned),
            std::to_string(g.abandoned),
            std::to_string(g.firsts),
            Statistics::Average(g.rankSum, g.finished),
            g.finished > 0 ? std::to_string(g.bestScore) : "-",
            Statistics::Average(g.scoreSum, g.finished),
            std::to_string(g.threads1000),
            std::to_string(g.threads512),
            g.bestThread > 0 ? std::to_string(g.bestThread) : "-",
        };
        pic.SetFontSize(16);
        for (size_t c = 0; c < cells.size(); ++c)
            GreenBoard::ShadowedText(pic, ColumnX[c], y, cells[c], Figures);
    }

    pic.SetFontSize(16);
    const bool playedToday = stats.daily && stats.daily->date == today;
    GreenBoard::ShadowedText(pic, 24, 520,
                             "今日の日替わり: " +
                                 (playedToday ? Statistics::DailyText(*stats.daily) : std::string("まだ")),
                             Figures);

    pic.SetFontSize(12);
    pic.SetForeColor(White);
    if (paged)
        pic.TextOutA(300, 570, "←→キーで相手の強さを切り替え  ほかのキーで戻ります");
    else
        pic.TextOutA(560, 570, "何かキーを押すと戻ります");
}
