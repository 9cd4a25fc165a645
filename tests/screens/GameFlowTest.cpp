#include "events/Score.h"
#include "platform/EventSink.h"
#include "platform/ProgramExit.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "screens/ScreenGame.h"
#include "shell/FormMain.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

bool IdleState(int state)
{
    return state == StateTitle || state == StateSelect || state == StatePlayerTurn;
}

// Plays seat 0 from the tests' side of the window: each wait for input gets one input. At the
// outermost level (the idle window) inputs are sent until the game waits somewhere nested.
class SeatZero {
public:
    explicit SeatZero(ScreenGame& s) : s_(s) {}

    // The input for one wait; an empty action lets the wait run out (or, without a limit, ends the run).
    std::map<int, std::function<void()>> actions;
    // First tick at which the program waited in each state, and how often it did.
    std::map<int, uint32_t> firstWait;
    std::map<int, int> waits;
    int titlesSeen = 0;

    // Runs from the title until the program is back on the title after a game.
    void PlayFromTitle()
    {
        s_.game.onInputWait = [this](int state) { OnWait(state); };
        try {
            s_.game.Run();
        } catch (const ProgramExit&) {
        }
        s_.game.onInputWait = nullptr;
    }

private:
    void OnWait(int state)
    {
        if (driving_) {
            Act(state);
            return;
        }
        driving_ = true;
        do
            Act(s_.game.GameState);
        while (IdleState(s_.game.GameState));
        driving_ = false;
    }

    void Act(int state)
    {
        if (!firstWait.count(state))
            firstWait[state] = s_.platform.GetTickCount();
        ++waits[state];
        if (state == StateTitle && waits[StateSelect] > 0 && waits[StatePlayerTurn] > 0)
            throw ProgramExit{0};
        const auto action = actions.find(state);
        if (action != actions.end() && action->second)
            action->second();
        else if (IdleState(state))
            throw ProgramExit{1};
    }

    ScreenGame& s_;
    bool driving_ = false;
};

// A playable slot and board position of the human's hand (any card when none can be played).
std::pair<int, int> ChooseMove(PlayerCtrl& players)
{
    const PlayerData& me = players.Player(0);
    for (int slot = 0; slot < 10; ++slot)
        for (int position = 0; position < 12; ++position)
            if (me.enable[position][slot])
                return {slot, position};
    return {players.GetCurrentCard(0), players.GetCurrentThread(0)};
}

// One key towards the chosen move, Enter when the cursors are on it.
void KeyTowardsMove(ScreenGame& s)
{
    PlayerCtrl& players = *s.game.playerCtrl;
    const auto [slot, position] = ChooseMove(players);
    if (players.GetCurrentThread(0) != position)
        s.Key(KeyCode::Down);
    else if (players.GetCurrentCard(0) != slot)
        s.Key(KeyCode::Left);
    else
        s.Key(KeyCode::Enter);
}

// Points at the chosen thread and card, then double-clicks the card.
void ClickMove(ScreenGame& s)
{
    FormMain& form = *s.game.formMain;
    const auto [slot, position] = ChooseMove(*s.game.playerCtrl);
    form.MouseDown(1, 300, 2 + 16 * position + 8);
    ASSERT_EQ(s.game.GameState, StatePlayerTurn);
    form.MouseDown(1, slot == 9 ? 720 : 147 + 59 * slot + 30, 520);
    ASSERT_EQ(s.game.GameState, StatePlayerTurn);
    ASSERT_EQ(s.game.playerCtrl->GetCurrentCard(0), slot);
    ASSERT_EQ(s.game.playerCtrl->GetCurrentThread(0), position);
    form.DblClick();
}

void PressEnter(ScreenGame& s)
{
    s.Key(KeyCode::Enter);
}

TEST(GameFlow, AnExtraDeckGameByKeysAndMouseReturnsToTheTitleWithoutExtra)
{
    ScreenGame s(false, 7);
    s.ShowTitle();
    SeatZero player(s);
    std::vector<int> titleKeys = {KeyCode::Up,    KeyCode::Right, KeyCode::Right,
                                  KeyCode::Right, KeyCode::Right, KeyCode::Right,
                                  KeyCode::Up,    KeyCode::Right, KeyCode::Enter};
    size_t nextTitleKey = 0;
    player.actions[StateTitle] = [&] { s.Key(titleKeys.at(nextTitleKey++)); };
    std::vector<int> selectKeys = {KeyCode::Down, KeyCode::Right, KeyCode::Enter};
    size_t nextSelectKey = 0;
    player.actions[StateSelect] = [&] { s.Key(selectKeys.at(nextSelectKey++)); };
    player.actions[StateDeckShow] = [&] {
        EXPECT_EQ(s.game.GameMode, ModeExtra + 3);
        PressEnter(s);
    };
    int turns = 0;
    player.actions[StatePlayerTurn] = [&] {
        if (++turns % 2 == 0)
            ClickMove(s);
        else
            KeyTowardsMove(s);
    };
    for (int state : {StateGameOver, StateEnding, StateEndScore, StateEndText})
        player.actions[state] = [&] { PressEnter(s); };

    player.PlayFromTitle();

    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(s.game.GameMode, 3);
    EXPECT_EQ(s.game.opening->extraCount(), 0);
    EXPECT_EQ(player.waits[StateDeckShow], 1);
    EXPECT_GT(player.waits[StatePlayerTurn], 60);
    EXPECT_EQ(player.waits[StateGameOver], 1);
    EXPECT_EQ(player.waits[StateEndScore], 1);
    EXPECT_EQ(player.waits[StateEndText], 1);
    EXPECT_EQ(s.game.opening->selectedName(), 1);
    EXPECT_EQ(s.game.opening->selectedColor(), 1);
    EXPECT_EQ(s.game.playerCtrl->GetPlayerColor(0), 1);
}

TEST(GameFlow, AHarshDeckGamePlayedWithTheMouseAlone)
{
    ScreenGame s(false, 9);
    s.ShowTitle();
    SeatZero player(s);
    FormMain& form = *s.game.formMain;
    player.actions[StateTitle] = [&] {
        form.MouseMove(600, 470);
        ASSERT_EQ(s.game.GameMode, 3);
        form.MouseDown(1, 600, 470);
    };
    int gestures = 0;
    player.actions[StateSelect] = [&] {
        if (gestures++ == 0) {
            form.MouseMove(400, 300);
            s.platform.AdvanceClock(150);
            form.MouseMove(440, 260);
            return;
        }
        form.MouseDown(1, 400, 300);
    };
    player.actions[StatePlayerTurn] = [&] { ClickMove(s); };
    for (int state : {StateDeckShow, StateGameOver, StateEnding, StateEndScore, StateEndText})
        player.actions[state] = [&] { form.MouseDown(1, 400, 300); };

    player.PlayFromTitle();

    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(s.game.GameMode, 3);
    EXPECT_EQ(s.game.opening->selectedColor(), 1);
    EXPECT_EQ(s.game.opening->selectedName(), 7);
    EXPECT_EQ(player.waits[StateDeckShow], 1);
    EXPECT_GT(player.waits[StatePlayerTurn], 30);
    EXPECT_EQ(player.waits[StateEndText], 1);
}

// Notes the state in which every input reached the window.
class StateLoggingSink : public EventSink {
public:
    StateLoggingSink(Game& game, EventSink& inner) : game_(game), inner_(inner) {}
    std::vector<int> states;
    void KeyDown(int keyCode) override { Log(), inner_.KeyDown(keyCode); }
    void MouseDown(int button, double x, double y) override { Log(), inner_.MouseDown(button, x, y); }
    void MouseMove(double x, double y) override { Log(), inner_.MouseMove(x, y); }
    void DblClick() override { Log(), inner_.DblClick(); }
    void Paint() override { inner_.Paint(); }
    void Resize(bool minimized) override { inner_.Resize(minimized); }
    void Unload() override { inner_.Unload(); }

private:
    void Log() { states.push_back(game_.GameState); }
    Game& game_;
    EventSink& inner_;
};

struct GameOutcome {
    std::vector<int32_t> totals;
    std::vector<int32_t> cursorsAtEachTurn;
};

// A pile game in the calm mode played by keys; with noise, every commit is followed by keys and
// clicks that arrive while the computer players move.
GameOutcome PlayWithNoise(bool noise, std::vector<int>& noiseStates)
{
    ScreenGame s(false, 11);
    StateLoggingSink sink(s.game, *s.game.formMain);
    s.platform.SetEventSink(&sink);
    s.ShowTitle();
    SeatZero player(s);
    GameOutcome outcome;
    player.actions[StateTitle] = [&] { PressEnter(s); };
    player.actions[StateSelect] = [&] { PressEnter(s); };
    player.actions[StatePlayerTurn] = [&] {
        outcome.cursorsAtEachTurn.push_back(s.game.playerCtrl->GetCurrentCard(0));
        PlayerCtrl& players = *s.game.playerCtrl;
        const auto [slot, position] = ChooseMove(players);
        const bool cardsLeft = s.game.cardCtrl->GetRestCard() > 8;
        if (noise && cardsLeft && players.GetCurrentThread(0) == position &&
            players.GetCurrentCard(0) == slot) {
            for (uint32_t after : {30u, 200u, 700u, 1500u}) {
                s.platform.ScheduleAfter(after, InputEvent::Key(KeyCode::Enter));
                s.platform.ScheduleAfter(after, InputEvent::Key(KeyCode::Right));
                s.platform.ScheduleAfter(after, InputEvent::Click(90, 460));
                s.platform.ScheduleAfter(after, InputEvent::Click(400, 520));
                s.platform.ScheduleAfter(after, InputEvent::DoubleClick());
            }
        }
        KeyTowardsMove(s);
    };
    for (int state : {StateGameOver, StateEnding, StateEndScore, StateEndText})
        player.actions[state] = [&] { PressEnter(s); };
    player.PlayFromTitle();
    EXPECT_EQ(s.game.GameState, StateTitle);
    for (int p = 0; p < 4; ++p)
        outcome.totals.push_back(s.game.score->Get(p).total);
    noiseStates = sink.states;
    return outcome;
}

TEST(GameFlow, InputDuringTheComputerTurnsIsDroppedAndNotReplayed)
{
    std::vector<int> quietStates;
    std::vector<int> noisyStates;
    const GameOutcome quiet = PlayWithNoise(false, quietStates);
    const GameOutcome noisy = PlayWithNoise(true, noisyStates);
    EXPECT_EQ(noisy.totals, quiet.totals);
    EXPECT_EQ(noisy.cursorsAtEachTurn, quiet.cursorsAtEachTurn);
    EXPECT_TRUE(quietStates.empty());
    const auto running = std::count(noisyStates.begin(), noisyStates.end(), StateRunning);
    EXPECT_GT(running, 100);
    EXPECT_EQ(static_cast<size_t>(running) + std::count(noisyStates.begin(), noisyStates.end(), StateBusy),
              noisyStates.size());
}

TEST(GameFlow, ClicksInTheTurnSelectAndOnlyTheDoubleClickCommits)
{
    ScreenGame s(false, 3);
    s.ShowTitle();
    SeatZero player(s);
    player.actions[StateTitle] = [&] { PressEnter(s); };
    player.actions[StateSelect] = [&] { PressEnter(s); };
    bool checked = false;
    player.actions[StatePlayerTurn] = [&] {
        if (checked)
            throw ProgramExit{0};
        checked = true;
        FormMain& form = *s.game.formMain;
        PlayerCtrl& players = *s.game.playerCtrl;
        const int32_t turn = players.turnCount();
        form.MouseDown(1, 147 + 59 * 3 + 1, 520);
        EXPECT_EQ(players.GetCurrentCard(0), 3);
        form.MouseDown(2, 300, 2 + 16 * 2 + 1);
        EXPECT_EQ(players.GetCurrentThread(0), 2);
        const int presents = s.platform.PresentCount();
        form.MouseDown(1, 147 + 59 * 3 + 50, 520);
        EXPECT_EQ(players.GetCurrentCard(0), 3);
        EXPECT_EQ(s.platform.PresentCount(), presents + 1);
        form.MouseDown(1, 146, 520);
        form.MouseDown(1, 775, 520);
        EXPECT_EQ(players.GetCurrentCard(0), 3);
        form.MouseDown(1, 720, 520);
        EXPECT_EQ(players.GetCurrentCard(0), 9);
        EXPECT_EQ(s.game.GameState, StatePlayerTurn);
        EXPECT_EQ(players.turnCount(), turn);

        const auto [slot, position] = ChooseMove(players);
        form.MouseDown(1, 300, 2 + 16 * position + 8);
        form.MouseDown(1, 147 + 59 * slot + 10, 520);
        EXPECT_EQ(s.game.GameState, StatePlayerTurn);
        form.DblClick();
        EXPECT_NE(players.turnCount(), turn);
    };
    player.PlayFromTitle();
    EXPECT_TRUE(checked);
}

struct GameOverTimes {
    bool won = false;
    // From the game-over screen to the next screen that waits for the player.
    uint32_t toNextWait = 0;
    uint32_t endingWait = 0;
};

// The same game every time; only the answer to the game-over screen differs.
GameOverTimes PlayToGameOver(bool answer)
{
    ScreenGame s(false, 5);
    s.ShowTitle();
    SeatZero player(s);
    player.actions[StateTitle] = [&] { PressEnter(s); };
    player.actions[StateSelect] = [&] { PressEnter(s); };
    player.actions[StatePlayerTurn] = [&] { KeyTowardsMove(s); };
    player.actions[StateGameOver] = answer ? std::function<void()>([&] { PressEnter(s); }) : nullptr;
    player.actions[StateEnding] = nullptr;
    for (int state : {StateEndScore, StateEndText})
        player.actions[state] = [&] { PressEnter(s); };
    player.PlayFromTitle();
    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(player.waits[StateGameOver], answer ? 1 : 2);

    GameOverTimes times;
    times.won = s.game.score->GetRank(0) == 1;
    const int next = times.won ? StateEnding : StateEndScore;
    times.toNextWait = player.firstWait[next] - player.firstWait[StateGameOver];
    if (times.won)
        times.endingWait = player.firstWait[StateEndScore] - player.firstWait[StateEnding];
    return times;
}

TEST(GameFlow, AnUnansweredGameOverGoesOnAfter15Seconds)
{
    const GameOverTimes answered = PlayToGameOver(true);
    const GameOverTimes unanswered = PlayToGameOver(false);
    ASSERT_EQ(answered.won, unanswered.won);
    EXPECT_GE(unanswered.toNextWait - answered.toNextWait, 15000u);
    EXPECT_LE(unanswered.toNextWait - answered.toNextWait, 15000u + 30u);
    if (unanswered.won) {
        EXPECT_GE(unanswered.endingWait, 10000u);
    }
}

} // namespace
