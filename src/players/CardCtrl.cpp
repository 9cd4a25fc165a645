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

constexpr int ThreadCardCount = 45;
constexpr int RainbowFirst = 45;
constexpr int ColouredFirst = 93;
constexpr int SpecialFirst = 237;
constexpr int VariableGodCard = 238;

// Response definitions left out of a normal game.
constexpr std::array<int, 12> NormalExcluded = {0, 4, 9, 10, 12, 17, 21, 26, 29, 31, 34, 39};

bool IsExcluded(int m)
{
    for (int e : NormalExcluded) {
        if (e == m)
            return true;
    }
    return false;
}

} // namespace

CardCtrl::CardCtrl(Game& game) : game_(game)
{
    game_.rng.Randomize(game_.GetTickCount());
    pile_.fill(NO_CARD);
}

int32_t CardCtrl::GetCardMax() const
{
    return (game_.GameMode & ModeExtra) != 0 ? 328 : 204;
}

void CardCtrl::ClassInit(const Picture* mask, const Picture* rainbow)
{
    for (int cardNo = 0; cardNo < static_cast<int>(cards_.size()); ++cardNo) {
        cards_[cardNo] = std::make_unique<Card>(game_.rng);
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
    Rng& rng = game_.rng;
    const bool extra = (game_.GameMode & ModeExtra) != 0;

    game_.fileLoader->ThreadGameLoad();
    for (int i = 0; i < 3; ++i) {
        for (int b = 0; b < 15; ++b)
            cards_[15 * i + b]->Load(game_.cardDefs, ThreadCard, i + 1, game_.ThreadTexts[15 * i + b].Body);
    }
    cards_[VariableGodCard]->Load(game_.cardDefs, GodCard, rng.Below(3) + 1, "");

    std::array<int32_t, 3> counts{};
    counts.fill(extra ? 15 : 9);
    counts[rng.Below(3)] = extra ? 14 : 10;
    const int32_t threadTotal = counts[0] + counts[1] + counts[2];

    pile_.fill(NO_CARD);
    int at = 0;
    for (int i = 0; i < 3; ++i) {
        for (int b = 0; b < counts[i]; ++b)
            pile_[at++] = 15 * i + b;
    }
    const auto appendDefinition = [&](int m) {
        for (int colour = 0; colour < 4; ++colour)
            pile_[at++] = RainbowFirst + 48 * colour + m;
    };
    const auto appendCopies = [&](int cardNo, int copies) {
        for (int k = 0; k < copies; ++k)
            pile_[at++] = cardNo;
    };
    if (!extra) {
        for (int m = 0; m < 48; ++m) {
            if (!IsExcluded(m))
                appendDefinition(m);
        }
        appendCopies(237, 1);
        appendCopies(238, 1);
        appendCopies(239, 6);
        for (int cardNo = 240; cardNo <= 245; ++cardNo)
            appendCopies(cardNo, 4);
    } else {
        for (int m = 0; m < 48; ++m)
            appendDefinition(m);
        for (int m = 0; m < 48; ++m)
            appendCopies(RainbowFirst + m, 1);
        appendCopies(237, 1);
        appendCopies(238, 1);
        appendCopies(243, 2);
        appendCopies(239, 8);
        appendCopies(240, 4);
        appendCopies(241, 6);
        appendCopies(242, 6);
        appendCopies(243, 4);
        appendCopies(244, 6);
        appendCopies(245, 6);
    }

    // Thread cards stay in the top rows, mixed within each column.
    const int rowsOfThreads = threadTotal / 4;
    for (int k = 0; k < 4; ++k) {
        for (int o = 0; o < rowsOfThreads; ++o)
            Swap(pile_[4 * o + k], pile_[4 * rng.Below(rowsOfThreads) + k]);
    }

    const int lastMarked = extra ? 15 : 11;
    for (int t = 8; t <= lastMarked; ++t)
        cards_[pile_[t]]->browserCrash(2);

    const int n = GetCardMax();
    const int rows = n / 4;
    if ((game_.GameMode & ModeDeck) != 0) {
        // Without this pass a response row holds one definition in all four colours, column by
        // column, so every deck would be of a single colour.
        for (int j = rowsOfThreads; j < rows; ++j) {
            for (int k = 0; k < 4; ++k)
                Swap(pile_[4 * j + k], pile_[4 * j + rng.Below(4)]);
        }
        // Rows 0 and 1 stay: every deck opens with two thread cards.
        for (int k = 0; k < 4; ++k) {
            for (int b = 2; b < rows; ++b)
                Swap(pile_[4 * b + k], pile_[4 * (rng.Below(rows - 2) + 2) + k]);
        }
    } else {
        for (int t = 8; t < n; ++t)
            Swap(pile_[t], pile_[rng.Below(n - 8) + 8]);
    }
    drawCount_ = 0;
}

int32_t CardCtrl::NextCardIndex(int player)
{
    if (EOC())
        return -1;
    int32_t card = 0;
    if ((game_.GameMode & ModeDeck) != 0) {
        const int32_t n = game_.playerCtrl->GetMyCardCount(player);
        // An exhausted own deck gives nothing and counts nothing.
        if (n >= GetCardMax() / 4)
            return NO_CARD;
        card = pile_[4 * n + player];
        game_.playerCtrl->AddMyCardCount(player);
    } else {
        card = pile_[drawCount_];
    }
    if (player == 0) {
        Card& drawn = *cards_[card];
        if (drawn.cardIndex() == ThreadCard && drawn.browserCrash() == 2)
            drawn.browserCrash(6);
    }
    ++drawCount_;
    return card;
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
    const bool extra = (game_.GameMode & ModeExtra) != 0;
    const int n = GetCardMax() / 4;
    std::vector<int32_t> list(n);
    for (int i = 0; i < n; ++i)
        list[i] = pile_[column + 4 * i];

    for (int32_t cardNo : list) {
        Card& card = *cards_[cardNo];
        if (card.cardIndex() == ThreadCard && card.browserCrash() == 2)
            card.browserCrash(6);
    }
    for (int i = n - 2; i >= 0; --i) {
        for (int j = 0; j <= i; ++j) {
            if (list[j] > list[j + 1])
                Swap(list[j], list[j + 1]);
        }
    }
    // One special card of every deck stays a surprise.
    const int32_t hiddenKind = extra ? 243 : 239;
    for (int i = 0; i < n; ++i) {
        if (list[i] == 237 || list[i] == 238 || list[i] == hiddenKind) {
            for (int j = i; j < n - 1; ++j)
                list[j] = list[j + 1];
            list[n - 1] = -1;
            break;
        }
    }

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
