#include "board/Thread.h"

#include "board/Card.h"
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

Thread::Thread(Game& game) : game_(game)
{
}

void Thread::CreateThread(int32_t owner, int32_t resIndex, int32_t itaColor, int32_t browserCrash)
{
    resIndex_ = resIndex;
    owner_ = owner;
    color_ = itaColor;
    browserCrash_ = browserCrash;
    resNum_ = 0;
}

void Thread::ClearThread()
{
    size_ = 0;
    resNum_ = -1;
    resIndex_ = -1;
    owner_ = -1;
    color_ = -1;
    agesage_ = 0;
    jienCount_ = 0;
    gotFlag_ = 0;
    festaFlag_ = 0;
    ikusaFlag_ = false;
    stopFlag_ = false;
    judgeFlag_ = 0;
    browserCrash_ = 0;
}

std::string Thread::GetTitle() const
{
    if (!InRange(resIndex_, 0, static_cast<int32_t>(game_.ThreadTexts.size()) - 1))
        return {};
    return game_.ThreadTexts[resIndex_].Title;
}

void Thread::owner(int32_t v)
{
    if (InRange(v, 0, 3))
        owner_ = v;
}

void Thread::Color(int32_t v)
{
    if (InRange(v, 1, 4))
        color_ = v;
}

void Thread::GotFlag(int32_t v)
{
    if (InRange(v, 0, 3))
        gotFlag_ = v;
}

void Thread::FestaFlag(int32_t v)
{
    if (InRange(v, 0, 2))
        festaFlag_ = v;
}

void Thread::JudgeFlag(int32_t v)
{
    if (InRange(v, 0, 2))
        judgeFlag_ = v;
}

bool Thread::IsThreadEnable() const
{
    if (resNum_ < 1 || stopFlag_)
        return false;
    if (gotFlag_ != 0)
        return gotFlag_ != 3;
    return festaFlag_ < 2;
}

bool Thread::IsCardEnable(const Card& card) const
{
    const int index = card.cardIndex();
    if (index < AdminCard) {
        if (!IsThreadEnable())
            return false;
        if (gotFlag_ == 1 || gotFlag_ == 2)
            return true;
        const bool rainbow = card.cardColor() == 0;
        return (card.cardColor() == color_ || rainbow) && card.Agesage() >= agesage_ &&
               (!rainbow || jienCount_ != 3);
    }
    switch (index) {
    case AdminCard:
    case TrueStopperCard:
    case DeleteCard:
        return IsThreadEnable() && gotFlag_ == 0;
    case GodCard:
        return IsThreadEnable() && gotFlag_ == 0 && card.cardColor() == color_;
    case AccessBanCard:
        return IsThreadEnable() && gotFlag_ == 0 && owner_ != game_.playerCtrl->GetCurrentPlayer();
    case CapacityUpCard:
    case CapacityDownCard:
        return true;
    case AboneCard:
        return IsThreadEnable();
    case TrollCard:
        return gotFlag_ == 0 && game_.threadCtrl->GetThreadCount() > 0;
    default:
        return false;
    }
}

void Thread::Paint(Picture& pic, int x, int y, int w, int threadIndex, bool isCurrent) const
{
    const int32_t threadMax = game_.threadCtrl->GetThreadMax();
    pic.SetFontSize(9);
    pic.SetFillColor(RowFill);
    pic.SetFillSolid(true);

    const bool open = IsThreadEnable() || resNum_ <= 0;
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
    if (resNum_ <= 0)
        return;

    pic.SetBold(true);
    if (stopFlag_) {
        pic.SetForeColor(Palette::Grey);
        pic.TextOutA(x + 20, y + 1, "DAT逝き");
    } else {
        pic.SetForeColor(Palette::Orange);
        if (gotFlag_ == 1 || gotFlag_ == 2)
            pic.TextOutA(x + 20, y + 1, "神");
        else if (festaFlag_ == 1)
            pic.TextOutA(x + 20, y + 1, "祭");
        if (ikusaFlag_) {
            pic.SetForeColor(Palette::Red);
            pic.TextOutA(x + 35, y + 1, "戦");
        }
        if (judgeFlag_ == 1) {
            pic.SetForeColor(Palette::Orange);
            pic.TextOutA(x + 50, y + 1, "良");
        } else if (judgeFlag_ == 2) {
            pic.SetForeColor(Palette::Grey);
            pic.TextOutA(x + 50, y + 1, "糞");
        }
        if (agesage_ == 1) {
            pic.SetForeColor(Palette::Blue);
            pic.TextOutA(x + 65, y + 1, "sage");
        }
    }
    pic.SetBold(false);

    pic.SetForeColor(Palette::ThreadColour(color_));
    pic.TextOutA(x + 95, y + 1, GetTitle());

    if (InRange(owner_, 0, 3)) {
        const int32_t colour = game_.playerCtrl->GetPlayerColor(owner_);
        if (InRange(colour, 0, 3)) {
            pic.SetForeColor(Palette::PlayerOutline(colour));
            pic.SetFillColor(Palette::PlayerFill(colour));
            pic.Rectangle(x + 345, y + 1, x + 389, y + 15);
        }
    }
    if (browserCrash_ > 2) {
        pic.SetForeColor(TrapColour);
        pic.TextOutA(x + 362, y + 2, "罠");
    }

    pic.SetForeColor(Palette::Black);
    pic.SetFontFace(FontFace::Gothic);
    pic.TextOutA(x + 390, y + 1, RightAlign(Min(resNum_, 1001), 4) + "ﾚｽ");
    pic.TextOutA(x + 430, y + 1, RightAlign(size_, 3) + "KB");
    pic.SetFontFace(FontFace::PGothic);

    static constexpr std::array<const char*, 3> faces = {"(･∀･)", "(･∀･∀･)", "(･∀･)ｼﾞｻｸｼﾞｴﾝ"};
    if (InRange(jienCount_, 1, 3))
        pic.TextOutA(x + 465, y + 1, faces[jienCount_ - 1]);
}
