#include "keep/KeptSession.h"

#include "platform/ProgramExit.h"
#include "players/PlayerCtrl.h"
#include "shell/SimulatorRun.h"
#include "support/TestGame.h"

namespace {

constexpr int KeyEnter = 13;
constexpr int KeyLeft = 37;
constexpr int KeyUp = 38;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;

} // namespace

KeptSession::KeptSession(const std::string& profile, uint64_t seed, bool draw, std::time_t clock, int games)
    : store(profile), game(replay, draw ? &SharedFonts() : nullptr, seed, true, ShippedDataDir()),
      report(game, seed, games, &lines), pilot(game, 0, false, false)
{
    game.now = [clock]() mutable { return clock++; };
}

void KeptSession::Play(bool newGame)
{
    game.onEvent = [this](int32_t eventIndex, const std::string&, int32_t, int32_t) {
        report.OnEvent(eventIndex);
        if (onPopUp)
            onPopUp(eventIndex);
    };
    game.onInputWait = [this](int state) { report.OnInputWait(state); };
    // A person at the keyboard presses a key whenever the program waits with nothing else to come.
    headless.onIdle = [this] { Press(game.GameState); };
    KeptGames kept(game, replay, store, true, messages);
    try {
        game.Start();
        kept.Open(newGame);
        kept.Run();
    } catch (const ProgramExit&) {
    }
}

void KeptSession::Press(int state)
{
    if (beforeKey && !beforeKey(state))
        return;
    const int key = state == StatePlayerTurn ? TurnKey() : pilot.NextKey(state);
    if (key == 0)
        return;
    if (state == StatePlayerTurn && key == KeyEnter)
        ++commits;
    headless.ScheduleAfter(0, InputEvent::Key(key));
}

int KeptSession::TurnKey()
{
    PlayerCtrl& players = *game.playerCtrl;
    if (!haveTarget_) {
        // The first playable pair; without one, the card under the cursor is thrown away.
        EnableArray enable{};
        players.CopyEnableArray(0, enable);
        targetSlot_ = players.GetCurrentCard(0);
        targetPosition_ = players.GetCurrentThread(0);
        for (int slot = 9; slot >= 0; --slot) {
            for (int position = 11; position >= 0; --position) {
                if (enable[slot][position]) {
                    targetSlot_ = slot;
                    targetPosition_ = position;
                }
            }
        }
        haveTarget_ = true;
    }
    if (players.GetCurrentThread(0) != targetPosition_)
        return players.GetCurrentThread(0) < targetPosition_ ? KeyDown : KeyUp;
    if (players.GetCurrentCard(0) != targetSlot_)
        return players.GetCurrentCard(0) < targetSlot_ ? KeyRight : KeyLeft;
    haveTarget_ = false;
    return KeyEnter;
}

std::vector<uint32_t> KeptSession::Screen() const
{
    const uint32_t* data = game.PictureMain.Data();
    std::vector<uint32_t> screen;
    for (int y = 0; y < ClientHeight; ++y)
        screen.insert(screen.end(), data + y * game.PictureMain.Width(),
                      data + y * game.PictureMain.Width() + ClientWidth);
    return screen;
}
