#include "shell/FormMain.h"

#include "platform/KeyCodes.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"
#include "shell/Narrator.h"
#include "sound/Sounds.h"

#include <cmath>

namespace {

constexpr int LeftButton = 1;

// Title menu rows and columns as the pointer sees them.
constexpr int MenuSplitX = 404;
constexpr int MenuUpperRowEnd = 450;
constexpr int MenuLowerRowEnd = 490;
constexpr int TitleMoveStep = 15;

constexpr int GestureStep = 20;

// The hand's slots are 59 pixels wide from 24 pixels inside the area; the last one is wider.
constexpr int HandFirstSlotOffset = 24;
constexpr int HandLastSlotOffset = 555;
constexpr int HandEndOffset = 651;
constexpr int HandSlotWidth = 59;
constexpr int LastHandSlot = 9;
constexpr int ThreadRowHeight = 16;
constexpr int CommitBoxOffset = 60;
constexpr int CommitBoxHeight = 40;
// Tap targets of thread rows start here, past every hand slot.
constexpr int TapRowTargets = 100;
constexpr int TapQuitTarget = 200;

// The one command that brings the title cursor a step nearer to item.
int TitleStepToward(int item, int cur)
{
    if (item == MenuQuit)
        return cur <= 1 ? CmdUp : CmdDown;
    if (cur == MenuQuit)
        return CmdUp;
    if (std::abs(item - cur) == 1)
        return CmdLeft;
    return item < cur ? CmdUp : CmdDown;
}

} // namespace

FormMain::FormMain(Game& game) : game_(game)
{
}

int FormMain::TitleItemAt(double x, double y)
{
    const int yi = RoundHalfEven(y);
    if (yi >= MenuLowerRowEnd)
        return MenuQuit;
    const int column = x < MenuSplitX ? 0 : 1;
    return (yi < MenuUpperRowEnd ? 0 : 2) + column;
}

std::optional<Strength> FormMain::OpponentsKey(int keyCode)
{
    if (keyCode < '1' || keyCode >= '1' + static_cast<int>(Strengths.size()))
        return std::nullopt;
    return Strengths[static_cast<size_t>(keyCode - '1')];
}

std::optional<Strength> FormMain::OpponentsAt(double x, double y)
{
    for (const Strength opponents : Strengths) {
        const Rect box = Opening::OpponentsBox(opponents);
        if (box.left <= x && x < box.right && box.top <= y && y < box.bottom)
            return opponents;
    }
    return std::nullopt;
}

int FormMain::ThreadRowAt(double x, double y)
{
    const AreaRect list = GetArea(AreaThreadList);
    if (list.Left < x && x < list.Right && list.Top < y && y < list.Bottom)
        return RoundHalfEven(y - list.Top) / ThreadRowHeight;
    return -1;
}

int FormMain::HandSlotAt(double x, double y)
{
    const AreaRect hand = GetArea(AreaHand);
    if (!(hand.Left + HandFirstSlotOffset <= x && x <= hand.Left + HandEndOffset && hand.Top < y &&
          y < hand.Bottom))
        return -1;
    if (x >= hand.Left + HandLastSlotOffset)
        return LastHandSlot;
    return RoundHalfEven(x - (hand.Left + HandFirstSlotOffset)) / HandSlotWidth;
}

bool FormMain::InCommitBox(double x, double y)
{
    const AreaRect selected = GetArea(AreaSelected);
    return selected.Left + CommitBoxOffset < x && x < selected.Right && selected.Top < y &&
           y < selected.Top + CommitBoxHeight;
}

int FormMain::KeyCommand(int keyCode)
{
    switch (keyCode) {
    case KeyCode::Left:
    case KeyCode::Keypad4:
        return CmdLeft;
    case KeyCode::Up:
    case KeyCode::Keypad8:
        return CmdUp;
    case KeyCode::Right:
    case KeyCode::Keypad6:
        return CmdRight;
    case KeyCode::Down:
    case KeyCode::Keypad2:
        return CmdDown;
    case KeyCode::Enter:
    case KeyCode::Space:
    case KeyCode::Keypad5:
        return CmdOk;
    case KeyCode::Backspace:
    case KeyCode::Escape:
        return CmdCancel;
    case KeyCode::H:
        return CmdHint;
    default:
        return 0;
    }
}

void FormMain::KeyDown(int keyCode)
{
    ++game_.presses;
    if (game_.narrator && game_.GameState == StatePlayerTurn && !closing_ &&
        game_.narrator->ReadOnDemand(keyCode))
        return;
    if (const std::optional<Strength> opponents = OpponentsKey(keyCode)) {
        if (game_.GameState == StateSelect && !closing_)
            SelectOpponents(*opponents);
        return;
    }
    const int command = KeyCommand(keyCode);
    if (command == CmdHint && game_.GameState != StatePlayerTurn)
        return;
    if (command != 0 && !closing_)
        DoCommand(command);
}

void FormMain::DoCommand(int command)
{
    switch (game_.GameState) {
    case StateTitle:
        TitleCommand(command);
        break;
    case StateSelect:
        SelectCommand(command);
        break;
    case StateDeckShow:
        if (command == CmdOk)
            game_.GameState = StateBusy;
        break;
    case StatePlayerTurn:
        TurnCommand(command);
        break;
    case StateGameOver:
        if (command == CmdOk) {
            game_.sounds->playSound(1);
            game_.GameState = StateRunning;
        }
        break;
    case StateEnding:
    case StateEndScore:
    case StateEndText:
        if (command == CmdOk)
            game_.GameState = StateRunning;
        break;
    default:
        break;
    }
}

void FormMain::TitleCommand(int command)
{
    game_.sounds->playSound(command == CmdOk ? 1 : 2);
    game_.opening->MoveOpening(command);
    if (command == CmdOk)
        game_.GameState = StateSelect;
}

void FormMain::SelectCommand(int command)
{
    game_.GameState = StateBusy;
    switch (command) {
    case CmdLeft:
    case CmdUp:
    case CmdRight:
    case CmdDown:
        game_.sounds->playSound(2);
        game_.opening->MoveSelect(command);
        game_.GameState = StateSelect;
        break;
    case CmdOk:
        game_.sounds->playSound(1);
        // The whole game runs inside this call; it leaves the state as the game ended it.
        game_.opening->MoveSelect(CmdOk);
        break;
    case CmdCancel:
        game_.opening->GotoOpening();
        break;
    default:
        break;
    }
}

void FormMain::SelectOpponents(Strength opponents)
{
    if (game_.opening->OpponentsFixed())
        return;
    game_.GameState = StateBusy;
    game_.sounds->playSound(2);
    game_.opening->ChooseOpponents(opponents);
    game_.GameState = StateSelect;
}

void FormMain::TurnCommand(int command)
{
    game_.GameState = StateRunning;
    PlayerCtrl& players = *game_.playerCtrl;
    switch (command) {
    case CmdLeft:
    case CmdRight:
    case CmdUp:
    case CmdDown:
        if (command == CmdLeft)
            players.MoveCurrentCard(0, -1);
        else if (command == CmdRight)
            players.MoveCurrentCard(0, 1);
        else if (command == CmdUp)
            players.MoveCurrentThread(0, -1);
        else
            players.MoveCurrentThread(0, 1);
        game_.sounds->playSound(2);
        BackToTurn();
        break;
    case CmdOk:
        if (players.CardCommit(0)) {
            players.NextStandBy();
            return;
        }
        BackToTurn();
        break;
    case CmdHint: {
        const Comp::Move move = game_.comp->SuggestMove(0);
        players.MoveCurrentThreadDirect(0, move.position);
        players.MoveCurrentCardDirect(0, move.slot);
        game_.sounds->playSound(2);
        BackToTurn();
        break;
    }
    default:
        BackToTurn();
        break;
    }
}

void FormMain::BackToTurn()
{
    game_.RepaintBoard();
    game_.RefreshScreen();
    game_.GameState = StatePlayerTurn;
}

void FormMain::MouseDown(int button, double x, double y)
{
    ++game_.presses;
    if (closing_)
        return;
    switch (game_.GameState) {
    case StateTitle:
        if (button == LeftButton)
            DoCommand(CmdOk);
        break;
    case StateSelect:
        // A click on a strength chooses it; anywhere else the left button starts the game.
        if (button != LeftButton)
            DoCommand(CmdCancel);
        else if (const std::optional<Strength> opponents = OpponentsAt(x, y))
            SelectOpponents(*opponents);
        else
            DoCommand(CmdOk);
        break;
    case StatePlayerTurn:
        HitTest(x, y);
        break;
    // The pages that wait for an acknowledgement take the left button as the OK key.
    case StateDeckShow:
    case StateGameOver:
    case StateEnding:
    case StateEndScore:
    case StateEndText:
        if (button == LeftButton)
            DoCommand(CmdOk);
        break;
    default:
        break;
    }
    lastMoveTick_ = 0;
}

void FormMain::HitTest(double x, double y)
{
    game_.GameState = StateRunning;
    PlayerCtrl& players = *game_.playerCtrl;

    const int row = ThreadRowAt(x, y);
    if (row >= 0 && row != players.GetCurrentThread(0)) {
        players.MoveCurrentThreadDirect(0, row);
        game_.sounds->playSound(2);
    }
    const int slot = HandSlotAt(x, y);
    if (slot >= 0 && slot != players.GetCurrentCard(0)) {
        players.MoveCurrentCardDirect(0, slot);
        game_.sounds->playSound(2);
    }
    if (InCommitBox(x, y) && players.CardCommit(0)) {
        players.NextStandBy();
        return;
    }
    BackToTurn();
}

void FormMain::MouseMove(double x, double y)
{
    if (closing_)
        return;
    if (game_.GameState == StateTitle)
        TitleMouseMove(x, y);
    else if (game_.GameState == StateSelect)
        SelectMouseMove(x, y);
}

void FormMain::TitleMouseMove(double x, double y)
{
    const bool movedX = RoundHalfEven(std::abs(x - lastMoveX_)) / TitleMoveStep != 0;
    const bool movedY = RoundHalfEven(std::abs(y - lastMoveY_)) / TitleMoveStep != 0;
    if (!movedX && !movedY)
        return;
    lastMoveX_ = static_cast<int16_t>(RoundHalfEven(x));
    lastMoveY_ = static_cast<int16_t>(RoundHalfEven(y));

    const int item = TitleItemAt(x, y);
    // Each step repaints the title; the state check stops the walk if a step leaves the title.
    while (game_.GameState == StateTitle && item != (game_.GameMode & 7))
        DoCommand(TitleStepToward(item, game_.GameMode & 7));
}

void FormMain::SelectMouseMove(double x, double y)
{
    const uint32_t now = game_.GetTickCount();
    if (lastMoveTick_ == 0) {
        RecordMove(now, x, y);
        return;
    }
    // Wrap-safe: the clock may pass 2^31 while the pointer rests.
    if (static_cast<int32_t>(now - static_cast<uint32_t>(lastMoveTick_)) <= Consts::TimeGestureDelay)
        return;
    const int dx = RoundHalfEven(std::abs(x - lastMoveX_));
    const int dy = RoundHalfEven(std::abs(y - lastMoveY_));
    if (dx / GestureStep > 0)
        DoCommand(lastMoveX_ > x ? CmdLeft : CmdRight);
    if (dy / GestureStep > 0)
        DoCommand(lastMoveY_ > y ? CmdUp : CmdDown);
    RecordMove(game_.GetTickCount(), x, y);
}

void FormMain::RecordMove(uint32_t tick, double x, double y)
{
    lastMoveTick_ = static_cast<int32_t>(tick);
    lastMoveX_ = static_cast<int16_t>(RoundHalfEven(x));
    lastMoveY_ = static_cast<int16_t>(RoundHalfEven(y));
}

void FormMain::Tap(double x, double y)
{
    // One stray tap must not end the program: on the quit item it only brings the cursor there,
    // and a second tap (a double tap) quits.
    if (!closing_ && game_.GameState == StateTitle && TitleItemAt(x, y) == MenuQuit) {
        ++game_.presses;
        while (game_.GameState == StateTitle && (game_.GameMode & 7) != MenuQuit)
            DoCommand(TitleStepToward(MenuQuit, game_.GameMode & 7));
        return;
    }
    MouseDown(LeftButton, x, y);
}

void FormMain::DblClick()
{
    ++game_.presses;
    if (closing_)
        return;
    if (game_.GameState == StatePlayerTurn || (game_.GameState == StateTitle && game_.GameMode == MenuQuit))
        DoCommand(CmdOk);
}

int FormMain::TapTarget(double x, double y) const
{
    if (game_.GameState == StateTitle)
        return TitleItemAt(x, y) == MenuQuit ? TapQuitTarget : -1;
    if (game_.GameState != StatePlayerTurn)
        return -1;
    // Slots and rows are numbered apart: a card and a row are never the same target.
    const int slot = HandSlotAt(x, y);
    if (slot >= 0)
        return slot;
    const int row = ThreadRowAt(x, y);
    return row >= 0 ? TapRowTargets + row : -1;
}

void FormMain::Paint()
{
    game_.RefreshScreen();
}

void FormMain::Resize(bool minimized)
{
    if (game_.GameState == StateInit)
        return;
    if (minimized)
        game_.sounds->PauseBGM();
    else
        game_.sounds->ResumeBGM();
}

void FormMain::Unload()
{
    closing_ = true;
    if (game_.sounds) {
        game_.sounds->playSound(0);
        game_.sounds->playBGM(BgmStop);
    }
    game_.DoEvents();
    game_.sounds.reset();
    game_.Quit(0);
}
