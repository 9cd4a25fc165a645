#include "events/EventCtrl.h"

#include "board/ColourMark.h"
#include "board/Palette.h"
#include "board/Res.h"
#include "board/Thread.h"
#include "board/ThreadCtrl.h"
#include "gfx/Picture.h"
#include "platform/Platform.h"
#include "players/PlayerCtrl.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"
#include "sound/Sounds.h"

#include <cstdlib>

namespace {

enum class Plate { None, Player, Group };

struct EventLook {
    std::string title;
    std::string message;
    bool threadContent = false;
    Plate plate = Plate::Player;
    bool points = false;
    int sound = 0;
};

constexpr Color TitleShadow = Palette::Red;
constexpr Color TitleFace = Palette::Orange;
constexpr Color PointsFace = Palette::Blue;

std::string FinishedThreadMessage(int32_t eventIndex)
{
    static const char* const Bonus[6] = {"700ﾚｽ達成 20p", "800ﾚｽ達成 30p", "850ﾚｽ達成 50p",
                                         "900ﾚｽ達成 70p", "950ﾚｽ達成 80p", "1000ﾚｽ達成 100p"};
    static const char* const Multiplier[3] = {"×1", "×1.5", "×0.5"};
    const int32_t k = (eventIndex - 51) % 6;
    const int32_t m = (eventIndex - 51) / 6;
    return std::string(Bonus[k]) + Multiplier[m];
}

std::string CapacityMessage(int32_t capacity)
{
    return "スレッド容量を" + std::to_string(capacity) + "個に変更";
}

EventLook Describe(int32_t id, int32_t eventTarget)
{
    if (id >= 21 && id <= 29)
        return {std::to_string((id - 20) * 100) + "番ゲット", "", true, Plate::Player, true, 5};
    if (id >= 51 && id <= 68)
        return {"スレッド終了", FinishedThreadMessage(id), true, Plate::Player, true, 6};
    switch (id) {
    case SecondPost:
        return {"　２ゲット", "", true, Plate::Player, true, 5};
    case GoodThread:
        return {"良スレ認定", "(･∀･)おめ  スレッド評価点×1.5", false, Plate::Player, false, 5};
    case BadThread:
        return {"糞スレ認定", ">>1は反省しる  スレッド評価点×0.5", false, Plate::Player, false, 6};
    case SageDone:
        return {"sage進行", "またーりいこうよ", false, Plate::Player, false, 6};
    case SageFailed:
        return {"　　失敗", "ageていくぞｺﾞﾙｧ", false, Plate::None, false, 6};
    case FestivalStart:
        return {"　　祭り", "このグループは祭り開始だｺﾞﾙｧ", false, Plate::Group, false, 5};
    case ThousandRace:
        return {"1000取り合戦", "このスレは1000取り合戦中だｺﾞﾙｧ", false, Plate::Player, false, 5};
    case FestivalEnd:
        return {"祭り飽きた", "このグループの祭り飽きた", false, Plate::Group, false, 6};
    case ThousandRaceEnd:
        return {"1000取りやめ", "このスレの1000取り合戦やめ", false, Plate::Player, false, 6};
    case AdminDescends:
        return {"ぬこまる降臨", "", false, Plate::None, false, 5};
    case GodDescends:
        return {"Gomapon降臨", "", false, Plate::None, false, 5};
    case TrueStopper:
        return {"真・スレスト", "このスレ終了", true, Plate::Player, false, 6};
    case ProviderBan:
        return {"プロバイダ規制", "連続投稿ですか？", false, Plate::Player, false, 6};
    case BanLifted:
        return {"　規制解除", "解除しました", false, Plate::Player, false, 5};
    case CapacityUp:
        return {"スレ容量増加", CapacityMessage(eventTarget), false, Plate::None, false, 5};
    case CapacityDown:
        return {"スレ容量減少", CapacityMessage(eventTarget), false, Plate::None, false, 5};
    case ThreadDeleted:
        return {"スレッド削除", "このスレ削除しますた", false, Plate::Player, false, 6};
    case AboneAll:
        return {"　あぼーん", ">>1-1000 あぼーん", true, Plate::Player, false, 6};
    case TrollRevealed:
        return {"荒らし厨房", "↑荒らしの正体", false, Plate::Player, true, 6};
    case Deadlock:
        return {"　手詰まり", "選択したカードを破棄します", false, Plate::Player, false, 6};
    case 30:
        return {"　１０００", "", true, Plate::Player, true, 5};
    case ThousandRaceBonus:
        return {"　１０００", "1000取り合戦ボーナス", true, Plate::Player, true, 5};
    case SizeOver:
        return {" 512KB越え", "もう書けませんです", true, Plate::Player, false, 6};
    case ThreadEnd:
        return {"スレッド終了", "", true, Plate::Player, true, 6};
    case Present:
        return {"プレゼント", "", false, Plate::Player, true, 5};
    case StillBanned:
        return {"　規制中…", "", false, Plate::Player, false, 6};
    case GameEnd:
        return {"ゲーム終了", "残ったスレッドの評価をします", false, Plate::None, false, 5};
    case BrowserCrashHit:
        return {"ブラクラ", ">>1 はブラクラ", false, Plate::Player, true, 6};
    default:
        return {"", "", false, Plate::None, false, 0};
    }
}

// The number at the start of a text, blanks skipped, rounded the way the rules round; no number
// reads as 0.
int32_t LeadingNumber(const std::string& text)
{
    return RoundHalfEven(std::strtod(text.c_str(), nullptr));
}

} // namespace

EventCtrl::EventCtrl(Game& game) : game_(game)
{
    // Centred on what the window shows, not on the larger picture behind it.
    const int x0 = (ClientWidth - 540) / 2;
    const int y0 = (ClientHeight - 360) / 2;
    frameRect_ = {x0 + 1, y0 + 1, x0 + 538, y0 + 358};
    contentRect_ = {x0 + 2, y0 + 2, x0 + 537, y0 + 280};
    titleRect_ = {x0 + 2, y0 + 281, x0 + 239, y0 + 357};
    infoRect_ = {x0 + 240, y0 + 281, x0 + 537, y0 + 357};
}

void EventCtrl::ClassInit(Picture* mainPic, Picture* backPic)
{
    main_ = mainPic;
    back_ = backPic;
    width_ = mainPic->Width();
    height_ = mainPic->Height();
}

std::string EventCtrl::EventTitle(int32_t eventIndex)
{
    return Describe(eventIndex, 0).title;
}

std::string EventCtrl::EventMessage(int32_t eventIndex, int32_t eventTarget)
{
    return Describe(eventIndex, eventTarget).message;
}

int EventCtrl::EventSound(int32_t eventIndex)
{
    return Describe(eventIndex, 0).sound;
}

std::string EventCtrl::Spoken(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                              int32_t eventScore) const
{
    const EventLook look = Describe(eventIndex, eventTarget);
    std::string line = look.title;
    if (look.threadContent) {
        const int32_t position = LeadingNumber(eventString);
        if (position >= 0 && position <= 11)
            line += "。" + std::to_string(position + 1) + "行目「" +
                    game_.threadCtrl->GetThread(position).GetTitle() + "」";
    } else if (!eventString.empty()) {
        line += "。" + eventString;
    }
    if (!look.message.empty())
        line += "。" + look.message;
    if (look.plate == Plate::Player && eventTarget >= 0 && eventTarget < PlayerCount)
        line += "。" + game_.playerCtrl->GetPlayerName(eventTarget);
    if (look.plate == Plate::Group && eventTarget >= 1 && eventTarget <= 3)
        line += std::string("。") + ColourNames[static_cast<size_t>(eventTarget)] + "グループ";
    if (look.points)
        line += "。" + std::to_string(eventScore) + "点";
    return line;
}

void EventCtrl::OpenEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                          int32_t eventScore)
{
    game_.NotifyEvent(eventIndex, eventString, eventTarget, eventScore);
    const int sound = EventSound(eventIndex);
    if (sound != 0 && game_.sounds)
        game_.sounds->playSound(sound);

    game_.RepaintBoard();
    // Without drawing (the simulator) only the pauses of the pop-up remain.
    const bool drawing = main_->Drawing();
    if (drawing)
        SaveScreen();

    // A key, click or tap while the pop-up opens, shows or closes puts the board back at once.
    const uint32_t pressed = game_.presses;
    const auto answered = [this, pressed] { return game_.presses != pressed; };
    const int popMove = game_.Paced(game_.consts->TimePopMove);
    for (int n = 9; n >= 1 && !answered(); --n) {
        const uint32_t start = game_.GetTickCount();
        if (drawing) {
            RestoreScreen();
            PaintPopZoom(n);
        }
        game_.RefreshScreen();
        game_.Wait(start, popMove, answered);
    }

    if (!answered()) {
        const uint32_t start = game_.GetTickCount();
        if (drawing)
            PaintPopUp(eventIndex, eventString, eventTarget, eventScore);
        game_.RefreshScreen();
        game_.Wait(start, game_.Paced(game_.consts->TimePopShow), answered);
    }

    for (int n = 1; n <= 9 && !answered(); ++n) {
        const uint32_t tick = game_.GetTickCount();
        if (drawing) {
            RestoreScreen();
            PaintPopZoom(n);
        }
        game_.RefreshScreen();
        game_.Wait(tick, popMove, answered);
    }

    game_.RepaintBoard();
    game_.RefreshScreen();
}

void EventCtrl::PaintPopUp(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                           int32_t eventScore)
{
    PaintPopFrame();
    PaintEventContent(eventIndex, eventString);
    PaintEventTitle(eventIndex);
    PaintEventInfo(eventIndex, eventTarget, eventScore);
}

void EventCtrl::SaveScreen()
{
    back_->BitBlt(0, 0, width_, height_, main_, 0, 0, RasterOp::SrcCopy);
    main_->ForgetChanges();
}

void EventCtrl::RestoreScreen()
{
    // Only what the last frame drew needs the board put back.
    main_->RestoreChanges(*back_);
}

void EventCtrl::PaintPopZoom(int n)
{
    Picture& pic = *main_;
    pic.SetPenWidth(3);
    pic.SetForeColor(Palette::Grey);
    pic.SetFillColor(Palette::White);
    pic.SetFillSolid(true);
    pic.Rectangle(frameRect_.left + 27 * n, frameRect_.top + 18 * n, frameRect_.right - 27 * n,
                  frameRect_.bottom - 18 * n);
    pic.SetPenWidth(1);
}

void EventCtrl::PaintPopFrame()
{
    Picture& pic = *main_;
    pic.SetPenWidth(1);
    pic.SetForeColor(Palette::Grey);
    pic.SetFillColor(Palette::White);
    pic.SetFillSolid(true);
    const Rect* boxes[3] = {&contentRect_, &titleRect_, &infoRect_};
    pic.Rectangle(frameRect_.left, frameRect_.top, frameRect_.right + 1, frameRect_.bottom + 1);
    for (const Rect* r : boxes)
        pic.Rectangle(r->left, r->top, r->right + 1, r->bottom + 1);

    pic.SetFillSolid(false);
    const Rect& f = frameRect_;
    pic.SetForeColor(Palette::White);
    const Point raisedLight[3] = {
        {f.left - 1, f.bottom + 1}, {f.left - 1, f.top - 1}, {f.right + 1, f.top - 1}};
    pic.Polyline(raisedLight, 3);
    for (const Rect* r : boxes) {
        const Point sunkenLight[3] = {
            {r->left + 1, r->bottom - 1}, {r->right - 1, r->bottom - 1}, {r->right - 1, r->top + 1}};
        pic.Polyline(sunkenLight, 3);
    }
    pic.SetForeColor(Palette::Black);
    const Point raisedShade[3] = {{f.left, f.bottom + 1}, {f.right + 1, f.bottom + 1}, {f.right + 1, f.top}};
    pic.Polyline(raisedShade, 3);
    for (const Rect* r : boxes) {
        const Point sunkenShade[3] = {
            {r->left + 1, r->bottom - 1}, {r->left + 1, r->top + 1}, {r->right, r->top + 1}};
        pic.Polyline(sunkenShade, 3);
    }
}

void EventCtrl::PaintEventContent(int32_t eventIndex, const std::string& eventString)
{
    const Rect& c = contentRect_;
    if (Describe(eventIndex, 0).threadContent) {
        const int32_t position = LeadingNumber(eventString);
        // A position off the board has no responses to show; the area stays white.
        if (position < 0 || position > 11)
            return;
        game_.threadCtrl->GetRes(position).Paint(*main_, c.left + 5, c.top + 5, c.right - c.left - 10,
                                                 c.bottom - c.top - 10);
        return;
    }
    if (eventString.empty())
        return;
    Picture& pic = *main_;
    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(9);
    Rect area{c.left + 10, c.top + 10, c.right, c.bottom};
    pic.DrawTextA(eventString, area, DT_NOCLIP);
}

void EventCtrl::PaintEventTitle(int32_t eventIndex)
{
    Picture& pic = *main_;
    const std::string title = EventTitle(eventIndex);
    const int x = titleRect_.left + 15;
    const int y = titleRect_.top + 25;
    pic.SetFontSize(20);
    pic.SetForeColor(TitleShadow);
    pic.TextOutA(x, y, title);
    pic.SetForeColor(Palette::Black);
    pic.TextOutA(x - 1, y - 1, title);
    pic.SetForeColor(TitleFace);
    pic.TextOutA(x - 2, y - 2, title);
}

void EventCtrl::PaintEventInfo(int32_t eventIndex, int32_t eventTarget, int32_t eventScore)
{
    const EventLook look = Describe(eventIndex, eventTarget);
    if (look.plate == Plate::Group)
        PaintGroupBadge(eventTarget);
    if (look.plate == Plate::Player)
        PaintPlayerBadge(eventTarget);
    if (look.points)
        PaintEventPoints(eventScore);
    if (!look.message.empty())
        PaintEventMessage(look.message);
}

void EventCtrl::PaintGroupBadge(int32_t group)
{
    Picture& pic = *main_;
    const Color colour = Palette::GroupPlateColour(group);
    pic.SetFillSolid(true);
    pic.SetForeColor(colour);
    pic.SetFillColor(colour);
    pic.RoundRect(infoRect_.left + 20, infoRect_.top + 20, infoRect_.left + 80, infoRect_.top + 40, 8, 8);
    if (game_.ColourMarks())
        ColourMark::Thread(pic, group, infoRect_.left + 84, infoRect_.top + 23, 14);
}

void EventCtrl::PaintPlayerBadge(int32_t player)
{
    // Only the four players have a plate to show.
    if (player < 0 || player > 3)
        return;
    Picture& pic = *main_;
    const PlayerCtrl& players = *game_.playerCtrl;
    const int32_t colour = players.GetPlayerColor(player);
    pic.SetFontSize(9);
    pic.SetFillSolid(true);
    pic.SetForeColor(Palette::PlayerOutline(colour));
    pic.SetFillColor(Palette::PlayerFill(colour));
    pic.RoundRect(infoRect_.left + 20, infoRect_.top + 20, infoRect_.left + 100, infoRect_.top + 40, 8, 8);
    pic.SetForeColor(Palette::Black);
    pic.TextOutA(infoRect_.left + 25, infoRect_.top + 25, players.GetPlayerName(player));
    if (game_.ColourMarks())
        ColourMark::Player(pic, colour, infoRect_.left + 104, infoRect_.top + 23, 14);
}

void EventCtrl::PaintEventPoints(int32_t eventScore)
{
    Picture& pic = *main_;
    std::string text = std::to_string(eventScore);
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), ' ');
    pic.SetFontSize(20);
    // A figure wider than its three places grows to the left, so that its last three characters
    // keep their places and none is cut off.
    int x = infoRect_.right - 120;
    if (text.size() > 3) {
        Rect extra{0, 0, 0, 0};
        pic.DrawTextA(text.substr(0, text.size() - 3), extra, DT_CALCRECT);
        x -= extra.right - extra.left;
    }
    const int y = infoRect_.top + 40;
    pic.SetForeColor(TitleFace);
    pic.TextOutA(x, y, text);
    pic.SetForeColor(Palette::Black);
    pic.TextOutA(x - 1, y - 1, text);
    pic.SetForeColor(PointsFace);
    pic.TextOutA(x - 2, y - 2, text);
    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(16);
    pic.TextOutA(infoRect_.right - 70, infoRect_.top + 45, "points");
}

void EventCtrl::PaintEventMessage(const std::string& message)
{
    Picture& pic = *main_;
    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(10);
    pic.TextOutA(infoRect_.left + 20, infoRect_.top + 50, message);
}
