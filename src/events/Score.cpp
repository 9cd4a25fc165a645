#include "events/Score.h"

#include "board/ColourMark.h"
#include "board/Palette.h"
#include "gfx/Picture.h"
#include "players/PlayerCtrl.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <algorithm>
#include <limits>

namespace {

constexpr Color ColumnGreen = Palette::BoardGreen;
constexpr Color ArrowColour = Palette::Amber;
constexpr Color TotalColour = Palette::Purple;
constexpr Color BanColour = Palette::Red;
constexpr Color WaitColour = Palette::Navy;

constexpr Point BaseArrow[7] = {{27, 50}, {17, 40}, {17, 45}, {2, 45}, {2, 55}, {17, 55}, {17, 60}};

void Overwrite(std::string& line, size_t column, const std::string& field)
{
    const size_t at = column - 1;
    if (at >= line.size())
        return;
    const size_t n = std::min(field.size(), line.size() - at);
    line.replace(at, n, field, 0, n);
}

} // namespace

Score::Score(Game& game) : game_(game)
{
    const AreaRect column = GetArea(AreaScore);
    for (int p = 0; p < 4; ++p)
        for (int i = 0; i < 7; ++i)
            arrowPoints_[p][i] = {BaseArrow[i].x + column.Left + 3, BaseArrow[i].y + column.Top + 80 * p + 3};
}

void Score::ClassInit(Picture* mainPic)
{
    main_ = mainPic;
}

void Score::ScoreInit()
{
    game_.match.scores.fill(PlayerScore{});
}

const PlayerScore& Score::Get(int plIndex) const
{
    return game_.match.scores.at(plIndex);
}

void Score::AddScore(int plIndex, int32_t scores, int32_t scoreMode)
{
    game_.rules.AddScore(plIndex, scores, scoreMode);
}

void Score::AddThread(int plIndex, int32_t resNum)
{
    game_.rules.AddThread(plIndex, resNum);
}

void Score::SetRank()
{
    game_.rules.SetRank();
}

std::string Score::GetRankString(int32_t isRank)
{
    switch (isRank) {
    case 1:
        return "1st.";
    case 2:
        return "2nd.";
    case 3:
        return "3rd.";
    case 4:
        return "4th.";
    default:
        return "";
    }
}

int32_t Score::GetThreadPoint(int32_t resNum)
{
    return Rules::GetThreadPoint(resNum);
}

std::string Score::FormatScore(int32_t value, int width)
{
    std::string digits = std::to_string(value);
    const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
    if (digits.size() >= w)
        return digits;
    return std::string(w - digits.size(), value < 0 ? ' ' : '0') + digits;
}

int32_t Score::WaitBarSegments(int32_t waitCount)
{
    return waitCount > std::numeric_limits<int32_t>::max() - 9 ? 20 : Min((waitCount + 9) / 10, 20);
}

std::string Score::FormatAverage(int32_t finishedRes, int32_t finishedThreads)
{
    // Without a finished thread there is nothing to average: a dash pattern keeps the column's shape.
    if (finishedThreads <= 0)
        return "---.-- ";
    const int64_t hundredths = static_cast<int64_t>(finishedRes) * 100 / finishedThreads;
    const int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
    std::string whole = std::to_string(magnitude / 100);
    if (whole.size() < 3)
        whole.insert(0, 3 - whole.size(), '0');
    const int64_t cents = magnitude % 100;
    std::string text =
        (hundredths < 0 ? "-" : "") + whole + "." + (cents < 10 ? "0" : "") + std::to_string(cents);
    // The field holds seven characters; a four-digit average gives up its trailing blank rather than
    // its leading digit.
    if (text.size() < 7)
        text += " ";
    return text.size() > 7 ? text.substr(text.size() - 7) : text;
}

void Score::Paint(int focusIndex)
{
    Picture& pic = *main_;
    // The simulator's picture draws nothing: the countdown of a harsh game repaints this often.
    if (!pic.Drawing())
        return;
    const double fontSize = pic.FontSize();
    const AreaRect column = GetArea(AreaScore);

    pic.SetPenWidth(1);
    pic.SetFillSolid(true);
    pic.SetForeColor(ColumnGreen);
    pic.SetFillColor(ColumnGreen);
    pic.Rectangle(column.Left, column.Top, column.Right, column.Bottom);

    const bool harsh = (game_.GameMode & ModeHarsh) != 0;
    const bool deck = (game_.GameMode & ModeDeck) != 0;
    for (int p = 0; p < 4; ++p) {
        const int x = column.Left + 28;
        const int y = column.Top + 80 * p + 18;
        PaintPlayerPanel(p, x, y, true);
        if (harsh) {
            PaintWaitBar(p, x, y);
            if (deck) {
                pic.SetForeColor(Palette::Black);
                pic.SetFontSize(9);
                const std::string left = std::to_string(game_.playerCtrl->GetMyCardLast(p));
                pic.TextOutA(x - 2, y + 60, left.size() < 2 ? " " + left : left);
            }
        }
    }

    if (focusIndex >= 0 && focusIndex <= 3) {
        pic.SetForeColor(ArrowColour);
        pic.SetFillColor(ArrowColour);
        pic.SetFillSolid(true);
        pic.Polygon(arrowPoints_[focusIndex].data(), 7);
    }
    pic.SetFontSize(fontSize);
}

void Score::PaintPlayerPanel(int player, int x, int y, bool withRank)
{
    Picture& pic = *main_;
    const PlayerCtrl& players = *game_.playerCtrl;
    const int32_t colour = players.GetPlayerColor(player);

    pic.SetFillSolid(true);
    pic.SetPenWidth(6);
    pic.SetForeColor(Palette::PlayerOutline(colour));
    pic.SetFillColor(Palette::PlayerFill(colour));
    pic.RoundRect(x, y, x + 140, y + 70, 10, 10);
    if (game_.ColourMarks())
        ColourMark::Player(pic, colour, x + 118, y + 8, 14);

    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(12);
    pic.TextOutA(x + 10, y + 10, players.GetPlayerName(player));

    pic.SetFontSize(9);
    const int32_t stop = players.GetPlayerStop(player);
    if (stop < 1) {
        pic.TextOutA(x + 10, y + 30, player == 0 ? "PLAYER" : "COM" + std::to_string(player));
    } else {
        pic.SetForeColor(BanColour);
        pic.TextOutA(x + 10, y + 30, "あと" + std::to_string(stop - 1) + "回");
    }

    const PlayerScore& s = Get(player);
    if (withRank) {
        pic.SetForeColor(Palette::Black);
        pic.SetFontSize(12);
        pic.TextOutA(x + 45, y + 45, GetRankString(s.rank));
    }

    pic.SetForeColor(TotalColour);
    pic.SetFontSize(16);
    pic.SetBold(true);
    // The whole total: four characters would show -1000 as "-100" and 10000 as "1000".
    pic.TextOutA(x + 86, y + 40, FormatScore(s.total, 4));
    pic.SetBold(false);
    pic.SetPenWidth(1);
}

void Score::PaintWaitBar(int player, int x, int y)
{
    Picture& pic = *main_;
    const int32_t n = WaitBarSegments(game_.playerCtrl->GetWaitCount(player));
    if (n < 1)
        return;
    pic.SetFillSolid(true);
    pic.SetForeColor(Palette::White);
    pic.SetFillColor(Palette::White);
    pic.Rectangle(x + 10, y + 61, x + 11 + 6 * n, y + 72);
    pic.SetForeColor(WaitColour);
    pic.SetFillColor(WaitColour);
    for (int i = 0; i < n; ++i)
        pic.Rectangle(x + 11 + 6 * i, y + 62, x + 16 + 6 * i, y + 71);
}

std::array<int, 4> Score::PlacesByRank() const
{
    std::array<int, 4> order{};
    int place = 0;
    // Ranks never skip past the number of players, so four passes place everyone.
    for (int32_t rank = 1; rank <= 4 && place < 4; ++rank)
        for (int p = 0; p < 4 && place < 4; ++p)
            if (Get(p).rank == rank)
                order[place++] = p;
    return order;
}

std::string Score::EndScoreLine(int player) const
{
    const PlayerScore& s = Get(player);
    std::string line(55, ' ');
    Overwrite(line, 1, FormatScore(s.threadPoints, 4));
    Overwrite(line, 8, FormatScore(s.resPoints, 4));
    Overwrite(line, 15, FormatScore(s.otherPoints, 4));
    Overwrite(line, 26, FormatScore(s.finishedThreads, 2));
    Overwrite(line, 39, FormatScore(s.finishedRes, 4));
    Overwrite(line, 49, FormatAverage(s.finishedRes, s.finishedThreads));
    return line;
}

void Score::PaintEndScore()
{
    Picture& pic = *main_;
    const std::array<int, 4> order = PlacesByRank();

    pic.SetPenWidth(1);
    pic.SetFillSolid(true);
    pic.SetForeColor(ColumnGreen);
    pic.SetFillColor(ColumnGreen);
    pic.Rectangle(0, 0, pic.Width(), pic.Height());

    pic.SetFillSolid(false);
    pic.SetForeColor(Palette::White);
    pic.SetFontSize(18);
    pic.TextOutA(265, 120, "ｽﾚｯﾄﾞ   レス   ほか    ｽﾚ本数    取得ﾚｽ     平均");

    static const char* const ModeNames[4] = {"またーりモード山札式", "またーりモードデッキ式",
                                             "殺伐モード山札式", "殺伐モードデッキ式"};
    std::string modeName = ModeNames[game_.GameMode & 3];
    if (game_.GameMode > 63)
        modeName += " Extra";
    pic.SetFontSize(12);
    pic.TextOutA(560, 570, modeName);

    game_.RefreshScreen();
    game_.Wait(game_.GetTickCount(), Consts::TimeEndScoreHeading);

    for (int e = 0; e < 4; ++e) {
        const int q = order[e];
        const int y = 100 * e;
        PaintPlayerPanel(q, 110, y + 150, false);
        pic.SetFillSolid(false);

        const std::string rank = GetRankString(Get(q).rank);
        pic.SetFontSize(32);
        pic.SetForeColor(Palette::Red);
        pic.TextOutA(30, y + 163, rank);
        pic.SetForeColor(Palette::Black);
        pic.TextOutA(29, y + 162, rank);
        pic.SetForeColor(Palette::Orange);
        pic.TextOutA(28, y + 161, rank);

        const std::string line = EndScoreLine(q);
        pic.SetFontSize(18);
        pic.SetForeColor(TotalColour);
        pic.TextOutA(270, y + 180, line);
        pic.SetForeColor(Palette::Black);
        pic.TextOutA(269, y + 179, line);
        pic.SetForeColor(Palette::PlayerFill(3));
        pic.TextOutA(268, y + 178, line);

        pic.SetForeColor(Palette::White);
        pic.SetFontSize(12);
        pic.TextOutA(310, y + 205,
                     "点　　　　　点　　　　　点　　　　　 本 　　　　　　　　　ﾚｽ　　　　　　ﾚｽ/本");

        game_.RefreshScreen();
        game_.Wait(game_.GetTickCount(), Consts::TimeEndScoreRow);
    }
}
