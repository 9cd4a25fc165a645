#include "board/Palette.h"
#include "board/ThreadCtrl.h"
#include "events/Score.h"
#include "gfx/Picture.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <cstdio>

namespace {

constexpr int HandPitch = 59;

std::string RightAligned3(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value);
    return text;
}

} // namespace

void PlayerCtrl::PaintCard(int player)
{
    const PlayerData& p = game_.match.players[player];
    const AreaRect hand = GetArea(AreaHand);
    const int c = p.currentCard;
    for (int i = 0; i < 10 && p.handCard[i] != NO_CARD; ++i) {
        const int y = hand.Top + (i == c ? 5 : 15);
        game_.cardCtrl->GetCard(p.handCard[i]).Paint(*mainPic_, hand.Left + 24 + HandPitch * i, y);
    }

    const AreaRect box = GetArea(AreaSelected);
    const int32_t selected = p.handCard[c];
    if (selected != NO_CARD)
        game_.cardCtrl->GetCard(selected).Paint(*mainPic_, box.Left + 12, box.Top + 8);
    if (IsEnable(player)) {
        const int w = pencilSize_;
        const int k = selected < ThreadCardCount ? 0 : 1;
        mainPic_->BitBlt(box.Right - w, box.Top + 1, w, w, pencil_, w * k, 0, RasterOp::SrcCopy);
    }
    if (!p.enableCard) {
        mainPic_->SetForeColor(Palette::Red);
        mainPic_->SetFillColor(Palette::Red);
        mainPic_->SetFillSolid(true);
        mainPic_->Polygon(crossPoints_.data(), static_cast<int>(crossPoints_.size()));
    }
}

void PlayerCtrl::PaintCard2(int player)
{
    const PlayerData& p = game_.match.players[player];
    const AreaRect hand = GetArea(AreaHand);
    for (int i = 0; i < 10 && p.handCard[i] != NO_CARD; ++i)
        game_.cardCtrl->GetCard(p.handCard[i])
            .Paint(*mainPic_, hand.Left + 24 + HandPitch * i, hand.Top + 15);
}

void PlayerCtrl::PaintScore()
{
    game_.score->Paint(GetCurrentPlayer());

    const AreaRect r = GetArea(AreaScore);
    Picture& pic = *mainPic_;
    pic.SetForeColor(Palette::Felt);
    pic.SetFillColor(Palette::Felt);
    pic.SetFillSolid(true);
    pic.SetPenWidth(1);
    pic.Rectangle(r.Left + 30, r.Bottom - 70, r.Left + 140, r.Bottom - 10);

    pic.SetForeColor(Palette::White);
    pic.SetFontSize(12);
    // Both lines are eleven bytes in CP932: three digits and four double-byte characters.
    pic.TextOutA(r.Left + 50, r.Bottom - 60, RightAligned3(turnCount() / 4 + 1) + "ターン目", 11);
    pic.TextOutA(r.Left + 50, r.Bottom - 30, "残り: " + RightAligned3(game_.cardCtrl->GetRestCard()) + "枚",
                 11);
}

void PlayerCtrl::PaintMoveCard(Picture& pic, int cardNo, int direction, bool withBoard)
{
    // Without drawing (the simulator) only the pauses of the flight remain.
    if (pic.Drawing()) {
        pic.Clear();
        game_.border->PaintBoard(pic);
        game_.border->PaintCardArea(pic, false);
        PaintScore();
        if (withBoard)
            game_.threadCtrl->Paint(pic, GetCurrentPlayer());
        backPic_->BitBlt(0, 0, mainWidth_, mainHeight_, &pic, 0, 0, RasterOp::SrcCopy);
        pic.ForgetChanges();
    }

    for (int n = 20; n >= 0; --n) {
        const uint32_t t0 = game_.GetTickCount();
        if (pic.Drawing()) {
            // Only the card of the last frame needs the board put back.
            pic.RestoreChanges(*backPic_);
            game_.cardCtrl->PaintMoveCard(pic, cardNo, direction, n);
        }
        game_.RefreshScreen();
        game_.Wait(t0, game_.Paced(game_.consts->TimeCardMove()));
    }
}
