#include "keep/KeptSession.h"

#include "platform/ProgramExit.h"
#include "players/PlayerCtrl.h"
#include "shell/SimulatorRun.h"
#include "support/TestGame.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace {

constexpr int KeyEnter = 13;
constexpr int KeyLeft = 37;
constexpr int KeyUp = 38;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;

} // namespace

testing::AssertionResult SameGameResumed(const std::string& resumedLine, const std::string& unbrokenLine)
{
    nlohmann::json resumed = nlohmann::json::parse(resumedLine, nullptr, false);
    nlohmann::json unbroken = nlohmann::json::parse(unbrokenLine, nullptr, false);
    if (!resumed.is_object() || !unbroken.is_object())
        return testing::AssertionFailure() << "not a report line: " << resumedLine << " / " << unbrokenLine;
    const std::vector<int> tail = resumed["eventOrder"].get<std::vector<int>>();
    const std::vector<int> whole = unbroken["eventOrder"].get<std::vector<int>>();
    if (tail.size() > whole.size() || !std::equal(tail.begin(), tail.end(), whole.end() - tail.size()))
        return testing::AssertionFailure()
               << "the pop-ups differ: " << resumed["eventOrder"] << " / " << unbroken["eventOrder"];
    for (nlohmann::json* line : {&resumed, &unbroken}) {
        line->erase("seed");
        line->erase("events");
        line->erase("eventOrder");
    }
    if (resumed != unbroken)
        return testing::AssertionFailure() << resumed << " / " << unbroken;
    return testing::AssertionSuccess();
}

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
