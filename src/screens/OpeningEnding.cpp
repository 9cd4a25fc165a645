#include "board/Palette.h"
#include "events/Score.h"
#include "platform/Platform.h"
#include "players/PlayerCtrl.h"
#include "screens/EndingTexts.h"
#include "screens/Opening.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "shell/DailyDeal.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"
#include "sound/Sounds.h"

namespace {

constexpr int LastStep = 54;
constexpr int CurtainStep = 33;
constexpr int CurtainFrames = 20;
constexpr int FirstStaffStep = 34;
constexpr int LastStaffPost = 9;

bool HumanWon(const Game& game)
{
    return game.score->GetRank(0) == 1;
}

} // namespace

void Opening::PaintEnding()
{
    game_.GameState = StateEnding;
    const auto acknowledged = [this] { return game_.GameState == StateRunning; };
    const auto waiting = [&acknowledged] { return !acknowledged(); };
    if (HumanWon(game_)) {
        game_.sounds->playBGM(BgmEnding);
        PlayEnding();
        game_.AwaitInput(waiting, game_.GetTickCount() + Consts::TimeEndingScreen);
    }

    game_.GameState = StateEndScore;
    game_.score->PaintEndScore();
    if (!game_.dealDate.empty()) {
        game_.platform.OfferShare(DailyDeal::ShareLine(game_.dealDate, game_.GameMode,
                                                       game_.score->GetRank(0), game_.score->Get(0).total,
                                                       game_.shareAddress));
    }
    game_.AwaitInput(waiting);
    if (!game_.dealDate.empty())
        game_.platform.OfferShare({});

    game_.GameState = StateEndText;
    if (HumanWon(game_))
        game_.sounds->playBGM(BgmStop);
    PaintEndText();
    game_.AwaitInput(waiting);

    GotoOpening();
}

void Opening::PlayEnding()
{
    const uint32_t start = game_.GetTickCount();
    Picture& pic = *main_;
    pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness);
    pic.SetFontFace(FontFace::PGothic);
    pic.SetBold(false);
    pic.SetUnderline(false);
    pic.SetFontSize(9);
    for (int step = 1; step <= LastStep; ++step) {
        PaintEndingStep(step);
        game_.RefreshScreen();
        game_.Wait(start, endingSchedule_[step]);
        if (game_.GameState == StateRunning)
            return;
    }
}

void Opening::PaintEndingStep(int step)
{
    Picture& pic = *main_;
    const auto fade = [&](int text, int level, int x, int y) {
        pic.SetForeColor(FadeGrey(level));
        DrawTextAt(endingTexts_[text], x, y);
    };
    // Smoothed glyph edges keep some of a brighter drawing when a text is drawn over itself in a
    // darker grey, so each fade step starts from black: only the texts of this step show.
    if (step < CurtainStep)
        pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness);
    if (step <= 8) {
        fade(0, step, 300, 150);
    } else if (step <= 16) {
        fade(0, 16 - step, 300, 150);
        fade(1, step - 8, 50, 250);
    } else if (step <= 24) {
        fade(1, 24 - step, 50, 250);
        fade(2, step - 16, 150, 50);
    } else if (step <= 32) {
        pic.SetFontSize(9);
        fade(2, 32 - step, 150, 50);
        pic.SetFontSize(24);
        fade(3, step - 24, 130, 200);
    } else if (step == CurtainStep) {
        PlayCurtain();
    } else if (step < LastStep) {
        const int j = step - FirstStaffStep;
        const int k = j / 2;
        if (j % 2 == 0) {
            game_.playerCtrl->PaintMoveCard(pic, endingCards_[k], k % 4, false);
            return;
        }
        game_.border->PaintBoard(pic);
        game_.border->PaintCardArea(pic, false);
        game_.playerCtrl->PaintScore();
        const AreaRect a = GetArea(AreaThreadView);
        staffRoll_[k]->Paint(pic, a.Left, a.Top, a.Right - a.Left, a.Bottom - a.Top);
        if (k == LastStaffPost) {
            const Picture& author = game_.PictureAuthor;
            pic.BitBlt((a.Left + a.Right) / 2 - 170, (a.Top + a.Bottom) / 2 - 20, author.Width(),
                       author.Height(), &author, 0, 0, RasterOp::SrcCopy);
        }
    }
}

void Opening::PlayCurtain()
{
    Picture& pic = *main_;
    pic.SetFillSolid(true);
    pic.SetPenWidth(1);
    for (int f = 0; f < CurtainFrames; ++f) {
        pic.SetForeColor(RiseGrey(f));
        pic.SetFillColor(RiseGrey(f));
        const int w = RoundHalfEven(static_cast<double>(pic.Width()) * (f + 1)) / CurtainFrames;
        const int h = RoundHalfEven(static_cast<double>(pic.Height()) * (f + 1)) / CurtainFrames;
        pic.Rectangle(400 - w, 300 - h, 400 + w, 300 + h);
        game_.RefreshScreen();
        game_.Wait(game_.GetTickCount(), Consts::TimeEndingCurtainFrame);
        if (game_.GameState == StateRunning)
            return;
    }
}

void Opening::PaintEndText()
{
    Picture& pic = *main_;
    pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness);
    pic.SetFontFace(FontFace::PGothic);
    pic.SetBold(false);
    pic.SetUnderline(false);
    pic.SetForeColor(Palette::White);
    pic.SetFontSize(16);
    const int32_t rank = game_.score->GetRank(0);
    if (rank == 1)
        DrawTextAt(game_.specialTexts[SpecialText::Winner], 50, 70);
    else
        DrawTextAt(game_.specialTexts[SpecialText::Loser], 150, 100);

    pic.SetFontSize(24);
    pic.TextOutA(270, 500, "Your rank is " + Score::GetRankString(rank));
    pic.SetFontSize(12);
    pic.TextOutA(400, 570, MakerNotice());
    game_.RefreshScreen();
}

void Opening::DrawTextAt(const std::string& text, int x, int y)
{
    Rect rect{x, y, x, y};
    main_->DrawTextA(text, rect, DT_CALCRECT);
    main_->DrawTextA(text, rect, DT_NOCLIP);
}

Color Opening::FadeGrey(int n)
{
    const int g = Min(32 * n, 255);
    return Rgb(g, g, g);
}

Color Opening::RiseGrey(int f)
{
    const int g = 13 * f + 8;
    return Rgb(g, g, g);
}
