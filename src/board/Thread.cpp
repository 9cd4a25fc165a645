#include "board/Thread.h"

#include "board/ColourMark.h"
#include "board/Palette.h"
#include "board/RightAlign.h"
#include "board/ThreadCtrl.h"
#include "gfx/Picture.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <array>

namespace {

constexpr Color RowFill = Palette::Cream;
constexpr Color GreyedRow = Palette::LightGrey;
constexpr Color CursorPen = Palette::Amber;
constexpr Color TrapColour = Palette::Brown;

bool InRange(int32_t v, int32_t low, int32_t high)
{
    return v >= low && v <= high;
}

} // namespace

Thread::Thread(Game& game, int slot) : game_(game), slot_(slot)
{
}

ThreadState& Thread::State() const
{
    return game_.match.board.threads[slot_];
}

void Thread::ClearThread()
{
    State() = ThreadState{};
}

std::string Thread::GetTitle() const
{
    const int32_t resIndex = State().resIndex;
    if (!InRange(resIndex, 0, static_cast<int32_t>(game_.ThreadTexts.size()) - 1))
        return {};
    return game_.ThreadTexts[resIndex].Title;
}

void Thread::owner(int32_t v)
{
    if (InRange(v, 0, 3))
        State().owner = v;
}

void Thread::Color(int32_t v)
{
    if (InRange(v, 1, 4))
        State().color = v;
}

void Thread::GotFlag(int32_t v)
{
    if (InRange(v, 0, 3))
        State().gotFlag = v;
}

void Thread::FestaFlag(int32_t v)
{
    if (InRange(v, 0, 2))
        State().festaFlag = v;
}

void Thread::JudgeFlag(int32_t v)
{
    if (InRange(v, 0, 2))
        State().judgeFlag = v;
}

bool Thread::IsThreadEnable() const
{
    const ThreadState& t = State();
    if (t.resNum < 1 || t.stopFlag)
        return false;
    if (t.gotFlag != 0)
        return t.gotFlag != 3;
    return t.festaFlag < 2;
}

void Thread::Paint(Picture& pic, int x, int y, int w, int threadIndex, bool isCurrent) const
{
    const int32_t threadMax = game_.threadCtrl->GetThreadMax();
    const ThreadState& t = State();
    const int32_t resNum = t.resNum;
    pic.SetFontSize(9);
    pic.SetFillColor(RowFill);
    pic.SetFillSolid(true);

    const bool open = IsThreadEnable() || resNum <= 0;
    if (!(open && threadIndex < threadMax)) {
        pic.SetForeColor(GreyedRow);
        pic.SetFillColor(GreyedRow);
        pic.Rectangle(x, y, x + w, y + 16);
    }
    if (isCurrent) {
        pic.SetForeColor(CursorPen);
        pic.RoundRect(x, y, x + w, y + 16, 8, 8);
    }
    pic.SetForeColor(Palette::Black);
    if (threadIndex < threadMax)
        pic.TextOutA(x + 5, y + 1, RightAlign(threadIndex + 1, 2));
    if (resNum <= 0)
        return;

    pic.SetBold(true);
    if (t.stopFlag) {
        pic.SetForeColor(Palette::Grey);
        pic.TextOutA(x + 20, y + 1, "DAT逝き");
    } else {
        pic.SetForeColor(Palette::Orange);
        if (t.gotFlag == 1 || t.gotFlag == 2)
            pic.TextOutA(x + 20, y + 1, "神");
        else if (t.festaFlag == 1)
            pic.TextOutA(x + 20, y + 1, "祭");
        if (t.ikusaFlag) {
            pic.SetForeColor(Palette::Red);
            pic.TextOutA(x + 35, y + 1, "戦");
        }
        if (t.judgeFlag == 1) {
            pic.SetForeColor(Palette::Orange);
            pic.TextOutA(x + 50, y + 1, "良");
        } else if (t.judgeFlag == 2) {
            pic.SetForeColor(Palette::Grey);
            pic.TextOutA(x + 50, y + 1, "糞");
        }
        if (t.agesage == 1) {
            pic.SetForeColor(Palette::Blue);
            pic.TextOutA(x + 65, y + 1, "sage");
        }
    }
    pic.SetBold(false);

    pic.SetForeColor(Palette::ThreadColour(t.color));
    pic.TextOutA(x + 95, y + 1, GetTitle());
    if (game_.ColourMarks())
        ColourMark::Thread(pic, t.color, x + 83, y + 3, 10);

    if (InRange(t.owner, 0, 3)) {
        const int32_t colour = game_.playerCtrl->GetPlayerColor(t.owner);
        if (InRange(colour, 0, 3)) {
            pic.SetForeColor(Palette::PlayerOutline(colour));
            pic.SetFillColor(Palette::PlayerFill(colour));
            pic.Rectangle(x + 345, y + 1, x + 389, y + 15);
            if (game_.ColourMarks())
                ColourMark::Player(pic, colour, x + 348, y + 3, 10);
        }
    }
    if (t.browserCrash > 2) {
        pic.SetForeColor(TrapColour);
        pic.TextOutA(x + 362, y + 2, "罠");
    }

    pic.SetForeColor(Palette::Black);
    pic.SetFontFace(FontFace::Gothic);
    pic.TextOutA(x + 390, y + 1, RightAlign(Min(resNum, 1001), 4) + "ﾚｽ");
    pic.TextOutA(x + 430, y + 1, RightAlign(t.size, 3) + "KB");
    pic.SetFontFace(FontFace::PGothic);

    static constexpr std::array<const char*, 3> faces = {"(･∀･)", "(･∀･∀･)", "(･∀･)ｼﾞｻｸｼﾞｴﾝ"};
    if (InRange(t.jienCount, 1, 3))
        pic.TextOutA(x + 465, y + 1, faces[t.jienCount - 1]);
}
