#include "screens/Opening.h"

#include "board/Palette.h"
#include "board/ThreadCtrl.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "screens/EndingTexts.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "shell/DailyDeal.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"
#include "sound/Sounds.h"

namespace {

constexpr Color CursorColor = Palette::Amber;
constexpr Color ModeNameColor = Palette::Grey;

constexpr int ExtraSwitchPresses = 5;

constexpr std::array<const char*, 5> MenuLabels = {"またーりと山札式で遊ぶ", "またーりとデッキ式で遊ぶ",
                                                   "殺伐と山札式で遊ぶ", "殺伐とデッキ式で遊ぶ",
                                                   "回線切って首吊ってくる"};
constexpr std::array<const char*, 5> ExtraMenuLabels = {
    "またーりと山札式Extraゲーム", "またーりとデッキ式Extraゲーム", "殺伐と山札式Extraゲーム",
    "殺伐とデッキ式Extraゲーム", "回線切って首吊ってくる"};
constexpr std::array<Point, 5> MenuLabelAt = {{{180, 430}, {480, 430}, {180, 470}, {480, 470}, {330, 510}}};
constexpr std::array<Point, 5> CursorAt = {{{150, 420}, {450, 420}, {150, 460}, {450, 460}, {300, 500}}};
constexpr std::array<Point, 7> CursorArrow = {
    {{25, 20}, {15, 10}, {15, 15}, {0, 15}, {0, 25}, {15, 25}, {15, 30}}};

constexpr std::array<const char*, 4> ModeNames = {"またーりモード 山札式", "またーりモード デッキ式",
                                                  "殺伐モード 山札式", "殺伐モード デッキ式"};

// The opponents' row of the selection screen, in the free band between the hints and the mode line.
constexpr int OpponentsRowTop = 426;
constexpr int OpponentsRowHeight = 32;
constexpr int OpponentsFirstLeft = 360;
constexpr int OpponentsStep = 80;
constexpr int OpponentsBoxWidth = 64;

void Blacken(Picture& pic)
{
    pic.BitBlt(0, 0, pic.Width(), pic.Height(), nullptr, 0, 0, RasterOp::Blackness);
}

} // namespace

std::array<ResEntry, 8> Opening::StaffEntries(int32_t number, const std::string& text,
                                              const std::string& date)
{
    // Posted like a thread's responses, as many as the number says, so the roll draws its IDs and
    // its (empty) filler texts from the game's random source in the same order a post would.
    const auto id = [this] {
        const std::array<char, 8> drawn = game_.rules.MakeId();
        return std::string(drawn.begin(), drawn.end());
    };
    std::array<ResEntry, 8> entries{};
    const int32_t last = Min(number, 1000);
    if (last >= 2) {
        for (int i = Min(number, 8) - 1; i >= 1; --i) {
            entries[i] = ResEntry{last - i, "", 0, id(), date, ""};
            game_.rng.Below(20);
        }
    }
    entries[0] = ResEntry{last, "スタッフロール", 0, id(), date, text};
    if (text.empty())
        game_.rng.Below(20);
    if (last == 1000) {
        for (int i = 7; i >= 1; --i)
            entries[i] = entries[i - 1];
        entries[0] = ResEntry{1001, "１００１", 0, "*", "Over 1000 Thread", Res::ClosingText};
    }
    return entries;
}

Opening::Opening(Game& game) : game_(game)
{
    endingSchedule_[0] = Consts::TimeEndingFadeStep;
    for (int i = 1; i <= 31; ++i)
        endingSchedule_[i] =
            endingSchedule_[i - 1] + (i % 8 == 0 ? Consts::TimeEndingTextHold : Consts::TimeEndingFadeStep);
    endingSchedule_[32] = endingSchedule_[31] + Consts::TimeEndingTitleHold;
    endingSchedule_[33] = endingSchedule_[32] + Consts::TimeEndingCurtain;
    for (int i = 34; i < 54; ++i)
        endingSchedule_[i] = endingSchedule_[i - 1] +
                             (i % 2 == 0 ? Consts::TimeEndingCardFlight : Consts::TimeEndingStaffPost);
    endingSchedule_[54] = endingSchedule_[52] + Consts::TimeEndingCardFlight + Consts::TimeEndingStaffPost;
}

void Opening::ClassInit(Picture* mainPic, Picture* temppic)
{
    main_ = mainPic;
    temp_ = temppic;
    endingTexts_ = BuildEndingTexts(Game::MakerName());
    static constexpr std::array<int32_t, 10> StaffResNums = {1, 2, 100, 140, 460, 540, 780, 940, 980, 1000};
    const std::string date = Res::DateText(game_.PostDate());
    for (size_t k = 0; k < staffRoll_.size(); ++k) {
        staffRoll_[k] =
            std::make_unique<Res>(game_, StaffEntries(StaffResNums[k], endingTexts_[4 + k], date));
        staffRoll_[k]->ClassInit(temp_);
    }
}

void Opening::GotoOpening()
{
    game_.GameState = StateBusy;
    openingShown_ = false;
    game_.GameMode &= 7;
    extraCount_ = 0;
    PaintOpening();
    game_.GameState = StateTitle;
}

void Opening::PaintOpening()
{
    Picture& pic = *main_;
    const int w = pic.Width();
    const int h = pic.Height();
    pic.SetFontFace(FontFace::PGothic);
    pic.SetBold(false);
    pic.SetUnderline(false);
    pic.SetPenWidth(1);

    if (!openingShown_) {
        Blacken(pic);
        pic.SetForeColor(Palette::White);
        pic.SetFillColor(Palette::White);
        pic.SetFillSolid(true);
        for (int i = 0; i <= 20; ++i) {
            game_.RefreshScreen();
            game_.Wait(game_.GetTickCount(), game_.consts->TimeCardMove());
            pic.Rectangle(400 - i * w / 80, 280 - i * (h - 120) / 80, 400 + i * w / 80,
                          280 + i * (h - 120) / 80);
        }
        openingShown_ = true;
    }

    Blacken(pic);
    pic.SetForeColor(Palette::White);
    pic.SetFillColor(Palette::White);
    pic.SetFillSolid(true);
    pic.Rectangle(400 - w / 4, 280 - (h - 120) / 4, 400 + w / 4, 280 + (h - 120) / 4);

    const bool extra = extraCount_ >= ExtraSwitchPresses;
    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(9);
    const std::string& centre = game_.specialTexts[extra ? SpecialText::ExtraTitle : SpecialText::Title];
    Rect box{w / 4 + 10, h / 4 + 10, 3 * w / 4 - 10, 3 * h / 4 - 10};
    pic.DrawTextA(centre, box, DT_CALCRECT);
    pic.DrawTextA(centre, box, DT_NOCLIP);

    pic.SetForeColor(Palette::White);
    pic.SetFontSize(28);
    pic.TextOutA(100, 80, "Pakaponta");

    pic.SetFontSize(16);
    const auto& labels = extra ? ExtraMenuLabels : MenuLabels;
    for (size_t item = 0; item < labels.size(); ++item)
        pic.TextOutA(MenuLabelAt[item].x, MenuLabelAt[item].y, labels[item]);

    pic.BitBlt(150, 420, 30, 80, nullptr, 0, 0, RasterOp::Blackness);
    pic.BitBlt(450, 420, 30, 80, nullptr, 0, 0, RasterOp::Blackness);
    pic.BitBlt(300, 500, 30, 40, nullptr, 0, 0, RasterOp::Blackness);

    const Point origin = CursorAt[game_.GameMode & 7];
    std::array<Point, 7> arrow = CursorArrow;
    for (Point& p : arrow) {
        p.x += origin.x;
        p.y += origin.y;
    }
    pic.SetForeColor(CursorColor);
    pic.SetFillColor(CursorColor);
    pic.SetFillSolid(true);
    pic.SetPenWidth(1);
    pic.Polygon(arrow.data(), static_cast<int>(arrow.size()));

    game_.RefreshScreen();
}

void Opening::MoveOpening(int keys)
{
    int v = game_.GameMode;
    if (v == MenuQuit) {
        switch (keys) {
        case CmdLeft:
            extraCount_ = 0;
            break;
        case CmdRight:
            extraCount_ = Min(ExtraSwitchPresses, extraCount_ + 1);
            break;
        case CmdUp:
            v = 2;
            break;
        case CmdDown:
            v = 0;
            break;
        case CmdOk:
            game_.Quit(0);
        default:
            break;
        }
    } else {
        switch (keys) {
        case CmdLeft:
        case CmdRight:
            v ^= 1;
            break;
        case CmdUp:
            v -= 2;
            if (v < 0)
                v = MenuQuit;
            break;
        case CmdDown:
            v = Min(v + 2, MenuQuit);
            break;
        case CmdOk:
            if (extraCount_ == ExtraSwitchPresses)
                v += ModeExtra;
            game_.GameMode = v;
            // Nothing before the game draws from the generator, so a mode chosen in a daily program
            // deals the day's game however the title was walked.
            game_.dealDate = game_.dailyDate;
            if (!game_.dailyDate.empty())
                game_.rng.SetState(DailyDeal::Seed(game_.dailyDate));
            PaintSelect();
            return;
        default:
            break;
        }
    }
    game_.GameMode = v;
    PaintOpening();
}

void Opening::PaintSelect()
{
    Picture& pic = *main_;
    pic.SetFontFace(FontFace::PGothic);
    pic.SetBold(false);
    pic.SetUnderline(false);
    Blacken(pic);
    pic.SetForeColor(Palette::White);

    pic.SetFontSize(24);
    pic.TextOutA(250, 160, "名前と色を決めるモナー");
    pic.SetFontSize(12);
    pic.TextOutA(250, 360, "↑↓キーで名前を選択  ←→キーで色を選択");
    pic.TextOutA(320, 380, "選択できたらENTERで開始");

    const bool daily = OpponentsFixed();
    const Strength shown = daily ? Strength::Standard : game_.opponents;
    pic.TextOutA(250, OpponentsRowTop + 9, "相手の強さ");
    pic.TextOutA(250, OpponentsRowTop + OpponentsRowHeight + 18,
                 daily ? "日替わりの相手はいつも普通" : "1・2・3キーかクリックで相手の強さを選択");
    pic.SetFontSize(16);
    pic.SetPenWidth(1);
    pic.SetFillSolid(false);
    for (const Strength opponents : Strengths) {
        const Rect box = OpponentsBox(opponents);
        const bool chosen = opponents == shown;
        if (chosen) {
            pic.SetForeColor(CursorColor);
            pic.RoundRect(box.left, box.top, box.right, box.bottom, 10, 10);
        }
        pic.SetForeColor(chosen ? Palette::White : ModeNameColor);
        pic.TextOutA(box.left + 14, box.top + 5, StrengthLabels[static_cast<size_t>(opponents)]);
    }
    pic.SetFontSize(12);

    pic.SetForeColor(ModeNameColor);
    std::string mode = ModeNames[game_.GameMode & 3];
    if (game_.GameMode & ModeExtra)
        mode += " Extra";
    mode += " (選びなおすならESCで戻ろう)";
    pic.TextOutA(250, 540, mode);

    pic.SetFillSolid(true);
    pic.SetPenWidth(1);
    pic.SetForeColor(Palette::PlayerOutline(selectedColor_));
    pic.SetFillColor(Palette::PlayerFill(selectedColor_));
    pic.RoundRect(320, 240, 480, 310, 10, 10);

    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(16);
    pic.TextOutA(340, 260, game_.PlayerNames[selectedName_]);

    game_.RefreshScreen();
}

void Opening::MoveSelect(int keys)
{
    switch (keys) {
    case CmdLeft:
        selectedColor_ = (selectedColor_ - 1) & 3;
        break;
    case CmdRight:
        selectedColor_ = (selectedColor_ + 1) & 3;
        break;
    case CmdUp:
        selectedName_ = (selectedName_ - 1) & 7;
        break;
    case CmdDown:
        selectedName_ = (selectedName_ + 1) & 7;
        break;
    case CmdOk:
        StartGame();
        return;
    default:
        return;
    }
    PaintSelect();
}

void Opening::ChooseOpponents(Strength opponents)
{
    game_.opponents = opponents;
    PaintSelect();
}

bool Opening::OpponentsFixed() const
{
    return !game_.dealDate.empty();
}

Rect Opening::OpponentsBox(Strength opponents)
{
    const int left = OpponentsFirstLeft + OpponentsStep * static_cast<int>(opponents);
    return {left, OpponentsRowTop, left + OpponentsBoxWidth, OpponentsRowTop + OpponentsRowHeight};
}

void Opening::StartGame()
{
    PlayerCtrl& players = *game_.playerCtrl;
    game_.lineup = game_.DealtLineup();
    players.CharacterInit(selectedName_, selectedColor_);
    players.GamePlayInit();
    if (game_.GameMode & ModeDeck)
        PaintOpenCard();
    PlayDealt();
}

void Opening::ResumeDeckShow(int32_t name, int32_t colour)
{
    selectedName_ = name;
    selectedColor_ = colour;
    PaintOpenCard();
    PlayDealt();
}

void Opening::ResumePlayerTurn(int32_t name, int32_t colour)
{
    selectedName_ = name;
    selectedColor_ = colour;
    game_.RepaintBoard();
    game_.RefreshScreen();
    game_.sounds->playBGM(BgmGame);
    game_.GameState = StatePlayerTurn;
}

void Opening::PlayDealt()
{
    PlayerCtrl& players = *game_.playerCtrl;
    players.GamePlayStart();

    Picture& pic = *main_;
    game_.border->PaintBoard(pic);
    game_.border->PaintCardArea(pic, false);
    players.PaintScore();
    game_.threadCtrl->Paint(pic, 0);
    game_.RefreshScreen();

    game_.sounds->playBGM(BgmGame);
    game_.Wait(game_.GetTickCount(), Consts::TimeBeforeStartSound);
    game_.sounds->playSound(3);
    game_.Wait(game_.GetTickCount(), Consts::TimeAfterStartSound);
    game_.LastCardWait = 0;
    players.NextStandBy();
}

void Opening::PaintOpenCard()
{
    game_.GameState = StateDeckShow;
    game_.cardCtrl->PaintOpenCard(*main_, 0);
    game_.AwaitInput([this] { return game_.GameState == StateDeckShow; });
}
