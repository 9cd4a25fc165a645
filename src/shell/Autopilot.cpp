#include "shell/Autopilot.h"

#include "platform/KeyCodes.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "shell/Consts.h"
#include "shell/FormMain.h"
#include "shell/Game.h"

namespace {

constexpr int ExtraSwitchPresses = 5;
constexpr int BoardRows = 12;

// The states the program idles in between inputs; the other input waits run inside a handler.
bool IsIdleState(int state)
{
    return state == StateTitle || state == StateSelect || state == StatePlayerTurn;
}

// The key that takes the title cursor one step nearer to item.
int TitleStep(int cur, int item)
{
    if (cur == item)
        return 0;
    if (item == MenuQuit)
        return cur <= 1 ? KeyCode::Up : KeyCode::Down;
    if (cur == MenuQuit)
        return item <= 1 ? KeyCode::Down : KeyCode::Up;
    if (cur / 2 != item / 2)
        return item > cur ? KeyCode::Down : KeyCode::Up;
    return KeyCode::Left;
}

} // namespace

Autopilot::Autopilot(Game& game, int mode, bool extra, bool visible)
    : game_(game), mode_(mode), extra_(extra), visible_(visible)
{
}

void Autopilot::Attach(std::function<void(int state)> observer)
{
    observer_ = std::move(observer);
    game_.onInputWait = [this](int) { OnInputWait(); };
}

void Autopilot::OnInputWait()
{
    if (driving_) {
        Step();
        return;
    }
    // The idle loop would block for an input that nobody sends: keep pressing keys while the game
    // idles. The waits inside a key's handler (deck preview, game over, end screens) come back here
    // with driving_ set and get their one key.
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{driving_};
    driving_ = true;
    do
        Step();
    while (IsIdleState(game_.GameState));
}

void Autopilot::Step()
{
    const int state = game_.GameState;
    if (observer_)
        observer_(state);
    if (visible_) {
        game_.Wait(game_.GetTickCount(),
                   IsIdleState(state) ? Consts::TimeAutopilotKey : Consts::TimeAutopilotScreen);
        // Someone at the real keyboard may have answered the wait meanwhile.
        if (game_.GameState != state)
            return;
    }
    const int key = NextKey(state);
    if (key != 0)
        game_.formMain->KeyDown(key);
}

int Autopilot::NextKey(int state)
{
    switch (state) {
    case StateTitle:
        return TitleKey();
    case StatePlayerTurn:
        return TurnKey();
    case StateSelect:
    case StateDeckShow:
    case StateGameOver:
    case StateEnding:
    case StateEndScore:
    case StateEndText:
        return KeyCode::Enter;
    default:
        return 0;
    }
}

int Autopilot::TitleKey() const
{
    const int cur = game_.GameMode & 7;
    const bool extraShown = game_.opening->extraCount() >= ExtraSwitchPresses;
    if (extra_ != extraShown) {
        if (cur != MenuQuit)
            return TitleStep(cur, MenuQuit);
        return extra_ ? KeyCode::Right : KeyCode::Left;
    }
    const int step = TitleStep(cur, mode_);
    return step != 0 ? step : KeyCode::Enter;
}

int Autopilot::TurnKey()
{
    PlayerCtrl& players = *game_.playerCtrl;
    if (!haveTarget_) {
        // The standard autopilot plays the hint's move, so that pressing the hint key and Enter every
        // turn plays this game.
        const Comp::Move move = game_.comp->AutopilotMove();
        targetPosition_ = move.position;
        targetSlot_ = move.slot;
        haveTarget_ = true;
    }
    const int position = players.GetCurrentThread(0);
    if (position != targetPosition_) {
        const int down = (targetPosition_ - position + BoardRows) % BoardRows;
        return down <= BoardRows / 2 ? KeyCode::Down : KeyCode::Up;
    }
    // Empty slots sort last, so every slot up to a held card is held too and a straight walk
    // reaches it.
    const int slot = players.GetCurrentCard(0);
    if (slot != targetSlot_)
        return slot < targetSlot_ ? KeyCode::Right : KeyCode::Left;
    haveTarget_ = false;
    return KeyCode::Enter;
}
