#include "players/CardCtrl.h"

#include "board/Palette.h"
#include "data/FileLoader.h"
#include "gfx/Picture.h"
#include "players/PlayerCtrl.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"
#include "sound/Sounds.h"

#include <vector>

namespace {

constexpr int RainbowFirst = 45;
constexpr int ColouredFirst = 93;
constexpr int SpecialFirst = 237;
constexpr int VariableGodCard = 238;

} // namespace

CardCtrl::CardCtrl(Game& game) : game_(game)
{
    game_.rng.Randomize(game_.GetTickCount());
}

int32_t CardCtrl::GetCardMax() const
{
    return game_.rules.CardMax();
}

bool CardCtrl::EOC() const
{
    return game_.rules.CardsOut();
}

int32_t CardCtrl::GetRestCard() const
{
    return game_.rules.RestCards();
}

const std::array<int32_t, 328>& CardCtrl::Pile() const
{
    return game_.match.cards.pile;
}

int32_t CardCtrl::DrawCount() const
{
    return game_.match.cards.drawCount;
}

Card& CardCtrl::GetCard(int cardNo)
{
    Card& card = *cards_.at(cardNo);
    if (cardNo < ThreadCardCount)
        card.browserCrash(game_.match.cards.crashMark[cardNo]);
    card.ColourMarks(game_.ColourMarks());
    return card;
}

void CardCtrl::ClassInit(const Picture* mask, const Picture* rainbow)
{
    for (int cardNo = 0; cardNo < static_cast<int>(cards_.size()); ++cardNo) {
        cards_[cardNo] = std::make_unique<Card>();
        Card& card = *cards_[cardNo];
        if (cardNo < ThreadCardCount) {
            card.PictureMask(mask);
        } else if (cardNo < ColouredFirst) {
            card.Load(game_.cardDefs, cardNo - RainbowFirst, 0, "");
            card.PictureRainbow(rainbow);
        } else if (cardNo < SpecialFirst) {
            card.Load(game_.cardDefs, (cardNo - ColouredFirst) % 48, (cardNo - ColouredFirst) / 48 + 1, "");
        } else {
            card.Load(game_.cardDefs, cardNo - 189, 4, "");
        }
    }
}

void CardCtrl::CardSet()
{
    const ThreadDeal threads = game_.fileLoader->ThreadGameLoad();
    game_.rules.DealCards(threads);
    LoadDealt();
}

void CardCtrl::LoadDealt()
{
    for (int cardNo = 0; cardNo < ThreadCardCount; ++cardNo)
        cards_[cardNo]->Load(game_.cardDefs, ThreadCard, cardNo / 15 + 1, game_.ThreadTexts[cardNo].Body);
    cards_[VariableGodCard]->Load(game_.cardDefs, GodCard, game_.match.cards.godColour, "");
}

int32_t CardCtrl::NextCardIndex(int player)
{
    return game_.rules.NextCard(player);
}

void CardCtrl::PaintMoveCard(Picture& pic, int cardNo, int direction, int frame)
{
    const int a = Min(Max(frame, 0), 20);
    int x = 352;
    int y = 232;
    switch (direction) {
    case 0:
        y = 212 + a * a;
        break;
    case 1:
        x = 372 - a * a;
        break;
    case 2:
        y = 252 - a * a;
        break;
    case 3:
        x = 332 + a * a;
        break;
    default:
        break;
    }
    GetCard(cardNo).Paint(pic, x, y);
}

void CardCtrl::PaintOpenCard(Picture& pic, int column)
{
    game_.rules.ShowDeck(column);
    const std::vector<int32_t> list = game_.rules.DeckPreview(column);
    const int n = static_cast<int>(list.size());

    pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness);
    pic.SetForeColor(Palette::White);
    pic.SetFontSize(16);
    Rect textRect{200, 480, 200, 480};
    pic.DrawTextA(game_.specialTexts[SpecialText::Dealing], textRect, DT_CALCRECT);
    pic.DrawTextA(game_.specialTexts[SpecialText::Dealing], textRect, DT_NOCLIP);
    game_.RefreshScreen();
    game_.Wait(game_.GetTickCount(), Consts::TimeDeckHeading);

    const int rows = n / 4 + (n % 4 != 0 ? 1 : 0);
    const int pitch = 684 / (rows - 1);
    for (int i = 0; i < n; ++i) {
        const int x = (i % rows) * pitch + 10;
        const int y = (i / rows) * 90 + 10;
        if (list[i] >= 0) {
            GetCard(list[i]).Paint(pic, x, y);
            continue;
        }
        pic.SetForeColor(Palette::Black);
        pic.SetFillColor(Palette::White);
        pic.SetFillSolid(true);
        pic.RoundRect(x, y, x + 96, y + 136, 8, 8);
        pic.SetForeColor(Palette::Grey);
        const std::string secret = "中身はヒミツ\r\n\r\nSpecialな1枚";
        Rect secretRect{x + 10, y + 50, x + 10, y + 50};
        pic.DrawTextA(secret, secretRect, DT_CALCRECT);
        pic.DrawTextA(secret, secretRect, DT_NOCLIP);
    }

    game_.RefreshScreen();
    if (game_.sounds)
        game_.sounds->playSound(4);
    pic.BitBlt(200, 480, 600, 120, nullptr, 0, 0, RasterOp::Blackness);
    pic.SetForeColor(Palette::White);
    pic.SetFontSize(16);
    Rect doneRect{200, 480, 200, 480};
    pic.DrawTextA(game_.specialTexts[SpecialText::DeckShown], doneRect, DT_CALCRECT);
    pic.DrawTextA(game_.specialTexts[SpecialText::DeckShown], doneRect, DT_NOCLIP);
    game_.RefreshScreen();
}
