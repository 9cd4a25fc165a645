#include "keep/KeptGames.h"

#include "data/FileLoader.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "keep/Envelope.h"
#include "keep/SettingsScreen.h"
#include "keep/StateRecord.h"
#include "keep/StatsScreen.h"
#include "platform/FileSystem.h"
#include "platform/RecordStore.h"
#include "platform/ReplayPlatform.h"
#include "players/CardCtrl.h"
#include "screens/Opening.h"
#include "shell/Autopilot.h"
#include "shell/DailyDeal.h"
#include "shell/FormMain.h"
#include "shell/Game.h"
#include "shell/Narrator.h"
#include "sound/Sounds.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int KeyEnter = 13;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;
constexpr int LeftButton = 1;
// Thread end pop-ups: 50 below 700 responses, then six bands (the last one 1000), each again for a
// good and for a bad thread.
constexpr int FirstThreadEnd = ThreadEnd;
constexpr int LastThreadEnd = ThreadEnd + 18;
constexpr int TopBand = 6;

// Wherever a game is kept a tap acts as the left button, and it is kept as one: a record's inputs
// are those every version reads.
InputEvent AsKept(const InputEvent& input)
{
    return input.kind == InputEvent::Kind::Tap ? InputEvent::Click(input.x, input.y) : input;
}

bool IsPress(const InputEvent& event)
{
    return event.kind == InputEvent::Kind::KeyDown || event.kind == InputEvent::Kind::MouseDown ||
           event.kind == InputEvent::Kind::DblClick;
}

bool IsKey(const InputEvent& event, int code)
{
    return event.kind == InputEvent::Kind::KeyDown && event.code == code;
}

// A click on one of the selection screen's strengths chooses it and starts nothing.
bool ChoosesOpponents(const InputEvent& event)
{
    return event.kind == InputEvent::Kind::MouseDown && FormMain::OpponentsAt(event.x, event.y).has_value();
}

// A game counts in the statistics of its opponents' strength; seats of mixed strengths, which only
// the command line deals, count as standard.
Strength OpponentsOf(const Lineup& lineup)
{
    return lineup.OpponentStrength().value_or(Strength::Standard);
}

// Whether the window acts on the input in this state; only those shape a game.
bool Acts(const InputEvent& event, int state)
{
    switch (event.kind) {
    case InputEvent::Kind::KeyDown: {
        const int command = FormMain::KeyCommand(event.code);
        return state == StatePlayerTurn ? command != 0 : command == CmdOk;
    }
    case InputEvent::Kind::MouseDown:
        return state == StatePlayerTurn || event.code == LeftButton;
    case InputEvent::Kind::DblClick:
        return state == StatePlayerTurn;
    default:
        return false;
    }
}

} // namespace

KeptGames::KeptGames(Game& game, ReplayPlatform& platform, RecordStore& store, bool player,
                     std::ostream& messages)
    : game_(game), platform_(platform), store_(store), player_(player), messages_(messages)
{
    platform_.onInput = [this](const InputEvent& event) { return OnInput(event); };
    // The game waits for the player: the moment to keep it as it stands.
    platform_.onIdle = [this] {
        const int state = game_.GameState;
        if (recording_ && !replaying_ && (state == StateDeckShow || state == StatePlayerTurn))
            Keep(state);
    };
    nextWait_ = std::move(game_.onInputWait);
    game_.onInputWait = [this](int state) { OnInputWait(state); };
    nextEvent_ = std::move(game_.onEvent);
    game_.onEvent = [this](int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                           int32_t eventScore) {
        OnEvent(eventIndex, eventTarget, eventScore);
        if (nextEvent_)
            nextEvent_(eventIndex, eventString, eventTarget, eventScore);
    };
    clock_ = std::move(game_.now);
    game_.now = [this] { return Now(); };
}

KeptGames::~KeptGames()
{
    platform_.onInput = nullptr;
    platform_.onIdle = nullptr;
    game_.onInputWait = std::move(nextWait_);
    game_.onEvent = std::move(nextEvent_);
    game_.now = std::move(clock_);
}

std::string KeptGames::DataFingerprint(const Game& game)
{
    std::string digest;
    auto add = [&digest](const std::string& bytes) { digest += Envelope::Checksum(bytes); };
    const std::string& dir = game.AppPath();
    add(FileSystem::ReadFile(dir + "card.dat").value_or(""));
    add(FileSystem::ReadFile(dir + "thread/thread.txt").value_or(""));
    for (int i = 0; i < ThreadFileCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "thread/%03d.txt", i);
        add(FileSystem::ReadFile(dir + name).value_or(""));
    }
    for (const std::string& name : game.PlayerNames)
        add(name);
    return Envelope::Checksum(digest);
}

bool KeptGames::SetAside(RecordStore& store, const std::string& name, const std::string& why,
                         std::ostream& messages)
{
    const std::string aside = store.SetAside(name);
    messages << "pakaponta: " << store.Where(name) << " is " << why << ": "
             << (aside.empty() ? "it could not be set aside, and is left as it is" : "set aside as " + aside)
             << '\n';
    return !aside.empty();
}

template <typename Record>
Record KeptGames::LoadRecord(RecordStore& store, const std::string& name, const std::string& fresh,
                             std::ostream& messages, bool* stuck)
{
    if (stuck != nullptr)
        *stuck = false;
    const RecordStore::Read read = store.Load(name);
    if (!read.exists)
        return {};
    std::string why = "unreadable";
    if (!read.unreadable) {
        if (std::optional<Record> record = Record::Parse(read.bytes, why))
            return *record;
    }
    const bool setAside = SetAside(store, name, why + " (" + fresh + ")", messages);
    if (stuck != nullptr)
        *stuck = !setAside;
    return {};
}

Statistics KeptGames::LoadStatistics(RecordStore& store, std::ostream& messages, bool* stuck)
{
    return LoadRecord<Statistics>(store, StatisticsName, "the statistics start again from zero", messages,
                                  stuck);
}

Preferences KeptGames::LoadPreferences(RecordStore& store, std::ostream& messages, bool* stuck)
{
    return LoadRecord<Preferences>(store, PreferencesName, "the choices start again as new", messages, stuck);
}

void KeptGames::Open(bool newGame)
{
    fingerprint_ = DataFingerprint(game_);
    stats_ = LoadStatistics(store_, messages_, &statisticsStuck_);
    preferences_ = LoadPreferences(store_, messages_, &preferencesStuck_);
    game_.opponents = preferences_.opponents;
    game_.pace = preferences_.pace;
    game_.colourMarks = preferences_.colourMarks;
    const RecordStore::Read read = store_.Load(RecordName);
    if (!read.exists)
        return;
    std::string why = "unreadable";
    std::optional<StateRecord> kept;
    std::optional<GameRecord> journal;
    if (!read.unreadable) {
        kept = StateRecord::Parse(read.bytes, why);
        // A journal of the format before: replayed once, then kept as state.
        std::string journalWhy;
        if (!kept && why == "another version (1)")
            journal = GameRecord::Parse(read.bytes, journalWhy);
        if (!kept && journal && journal->data != fingerprint_) {
            why = "from other data files";
            journal.reset();
        }
    }
    if (!kept && !journal) {
        recordStuck_ = !SetAside(store_, RecordName, why, messages_);
        return;
    }
    const int mode = kept ? kept->match.GameMode : journal->gameMode;
    if (newGame) {
        if (player_) {
            stats_.AddAbandoned(OpponentsOf(kept ? kept->lineup : Lineup{}), mode);
            SaveStatistics();
        }
        store_.Remove(RecordName);
        return;
    }
    recording_ = true;
    ResetTallies();
    if (kept) {
        record_ = GameRecord{};
        record_.gameMode = mode;
        record_.daily = kept->daily;
        pending_ = std::move(kept);
        return;
    }
    record_ = std::move(*journal);
    // A journal's game was played against standard players, whatever the choice is now.
    journalSeats_ = game_.seatOverrides;
    for (int seat = 1; seat < PlayerCount; ++seat)
        game_.seatOverrides[seat] = Strength::Standard;
    dateIndex_ = 0;
    replaying_ = true;
    replayStarted_ = false;
    inputIndex_ = 0;
    titlePilot_ =
        std::make_unique<Autopilot>(game_, record_.gameMode & 3, (record_.gameMode & ModeExtra) != 0, false);
    platform_.BeginReplay();
}

void KeptGames::Resume()
{
    const StateRecord kept = std::move(*pending_);
    pending_.reset();
    game_.match = kept.match;
    game_.lineup = kept.lineup;
    game_.dealDate = kept.daily;
    game_.fileLoader->LoadThreads(game_.match.threads);
    game_.cardCtrl->LoadDealt();
    tally_ = kept.tally;
    lastEvent_ = kept.lastEvent;
    resumeInput_ = kept.input;
    // A record of an older format is written in this one as soon as the game waits.
    keptScreen_ = kept.version == StateRecord::Version ? kept.screen : 0;
    keptInput_ = kept.input.has_value();
    keptMatch_ = game_.match;
    if (kept.screen == StateDeckShow) {
        game_.opening->ResumeDeckShow(kept.name, kept.colour);
    } else {
        game_.opening->ResumePlayerTurn(kept.name, kept.colour);
        if (resumeInput_)
            TakeInputAgain();
    }
}

void KeptGames::TakeInputAgain()
{
    // The input the game was playing out when it was closed: played out again, as fast as the
    // journal's replay, up to where the game waits next.
    const InputEvent input = *resumeInput_;
    resumeInput_.reset();
    platform_.BeginReplay();
    Deliver(*game_.formMain, input);
    platform_.EndReplay();
    game_.RefreshScreen();
}

void KeptGames::Run()
{
    for (;;) {
        try {
            game_.Run();
        } catch (const Unwind&) {
            platform_.EndReplay();
            replaying_ = false;
            if (game_.sounds)
                game_.sounds->playBGM(BgmStop);
            game_.opening->GotoOpening();
        }
    }
}

bool KeptGames::OnInput(const InputEvent& input)
{
    const InputEvent event = AsKept(input);
    if (statsShown_) {
        if (event.kind == InputEvent::Kind::Close)
            return false;
        const int command = event.kind == InputEvent::Kind::KeyDown ? FormMain::KeyCommand(event.code) : 0;
        if (statsPages_.size() > 1 && (command == CmdLeft || command == CmdRight)) {
            statsPage_ =
                (statsPage_ + (command == CmdRight ? 1 : statsPages_.size() - 1)) % statsPages_.size();
            if (game_.sounds)
                game_.sounds->playSound(2);
            PaintStatistics();
            return true;
        }
        if (IsPress(event))
            statsShown_ = false;
        return true;
    }
    if (settingsShown_) {
        if (event.kind == InputEvent::Kind::Close)
            return false;
        SettingsInput(event);
        return true;
    }
    const int state = game_.GameState;
    if (event.kind == InputEvent::Kind::Close)
        return false;
    if (IsKey(event, SettingsKey) && state == StateTitle) {
        ShowSettings();
        return true;
    }
    if (IsKey(event, NewGameKey)) {
        if (InGame())
            Abandon();
        return true;
    }
    if (IsKey(event, StatisticsKey) && state == StateTitle) {
        ShowStatistics();
        return true;
    }
    if (state == StateSelect && Acts(event, StateDeckShow) && !ChoosesOpponents(event))
        BeginRecord();
    else if (recording_ && !replaying_ && (state == StatePlayerTurn || state == StateDeckShow) &&
             Acts(event, state))
        Keep(state, event);
    return false;
}

bool KeptGames::InGame() const
{
    const int state = game_.GameState;
    return recording_ && !replaying_ &&
           (state == StateDeckShow || state == StatePlayerTurn || state == StateRunning) &&
           !game_.cardCtrl->EOC();
}

void KeptGames::BeginRecord()
{
    SavePreferences();
    record_ = GameRecord{};
    record_.program = PAKAPONTA_VERSION;
    record_.data = fingerprint_;
    record_.rng = game_.rng.State();
    // The start of a game reseeds from the clock, which a replay cannot read again: a kept game
    // plays from its recorded state alone.
    game_.rng.SetState(record_.rng);
    record_.gameMode = game_.GameMode;
    record_.name = game_.opening->selectedName();
    record_.colour = game_.opening->selectedColor();
    record_.daily = game_.dealDate;
    recording_ = true;
    keptScreen_ = 0;
    ResetTallies();
}

void KeptGames::ResetTallies()
{
    tally_ = Statistics::Result{};
    lastEvent_ = 0;
}

std::time_t KeptGames::Now()
{
    // A journal's replay reads the clock as the game it rebuilds did.
    if (replaying_ && dateIndex_ < record_.DateCount())
        return record_.DateAt(dateIndex_++);
    return clock_();
}

void KeptGames::OnEvent(int32_t eventIndex, int32_t eventTarget, int32_t eventScore)
{
    if (eventIndex >= FirstThreadEnd && eventIndex <= LastThreadEnd && eventTarget == 0) {
        const int band = eventIndex == ThreadEnd ? 0 : (eventIndex - ThreadEnd - 1) % 6 + 1;
        if (lastEvent_ == SizeOver)
            ++tally_.threads512;
        else if (band == TopBand)
            ++tally_.threads1000;
        tally_.bestThread = std::max<int64_t>(tally_.bestThread, eventScore);
    }
    lastEvent_ = eventIndex;
}

void KeptGames::OnInputWait(int state)
{
    // The selection screen waits again after every change of the choice.
    if (state == StateSelect && !replaying_)
        SavePreferences();
    if (pending_ && state == StateTitle) {
        Resume();
        // The game now waits where it was kept, and whoever plays on is told so.
        state = game_.GameState;
    }
    if (resumeInput_ && state == keptScreen_) {
        TakeInputAgain();
        return;
    }
    if (replaying_) {
        DriveReplay(state);
        if (replaying_)
            return;
    }
    if (recording_ && (state == StateDeckShow || state == StatePlayerTurn))
        Keep(state);
    if (recording_ && state == StateEndScore)
        FinishGame();
    if (nextWait_)
        nextWait_(state);
}

void KeptGames::DriveReplay(int state)
{
    switch (state) {
    case StateTitle:
        if (replayStarted_)
            BreakReplay("ended before its last move");
        game_.formMain->KeyDown(titlePilot_->NextKey(StateTitle));
        return;
    case StateSelect:
        if (replayStarted_)
            BreakReplay("ended before its last move");
        if (game_.opening->selectedName() != record_.name) {
            game_.formMain->KeyDown(KeyDown);
        } else if (game_.opening->selectedColor() != record_.colour) {
            game_.formMain->KeyDown(KeyRight);
        } else {
            replayStarted_ = true;
            game_.rng.SetState(record_.rng);
            // A daily game stays the deal of its day, whatever this program deals.
            game_.dealDate = record_.daily;
            game_.formMain->KeyDown(KeyEnter);
        }
        return;
    case StateDeckShow:
    case StatePlayerTurn:
        break;
    default:
        if (inputIndex_ < record_.inputs.size())
            BreakReplay("ended before its last move");
        EndReplay(state);
        return;
    }
    if (inputIndex_ >= record_.inputs.size()) {
        EndReplay(state);
        return;
    }
    const GameRecord::Input& input = record_.inputs[inputIndex_++];
    if (input.state != state)
        BreakReplay("not the game it claims to be");
    Deliver(*game_.formMain, input.event);
}

void KeptGames::EndReplay(int state)
{
    replaying_ = false;
    RestoreSeats();
    titlePilot_.reset();
    platform_.EndReplay();
    game_.RefreshScreen();
    if (state == StatePlayerTurn && game_.sounds)
        game_.sounds->playBGM(BgmGame);
}

void KeptGames::RestoreSeats()
{
    if (journalSeats_) {
        game_.seatOverrides = *journalSeats_;
        journalSeats_.reset();
    }
}

void KeptGames::BreakReplay(const std::string& why)
{
    recording_ = false;
    replaying_ = false;
    RestoreSeats();
    titlePilot_.reset();
    platform_.EndReplay();
    recordStuck_ = !SetAside(store_, RecordName, why, messages_);
    throw Unwind{};
}

void KeptGames::FinishGame()
{
    if (player_) {
        tally_.rank = game_.score->GetRank(0);
        tally_.score = game_.score->Get(0).total;
        stats_.AddFinished(OpponentsOf(game_.lineup), record_.gameMode, tally_);
        if (!record_.daily.empty())
            stats_.AddDaily(record_.daily, record_.gameMode, tally_);
        SaveStatistics();
    }
    recording_ = false;
    Drop();
}

void KeptGames::Abandon()
{
    if (player_) {
        stats_.AddAbandoned(OpponentsOf(game_.lineup), record_.gameMode);
        SaveStatistics();
    }
    recording_ = false;
    Drop();
    throw Unwind{};
}

void KeptGames::OverTitle(bool& shown, const std::function<void()>& paint)
{
    const Picture title = game_.PictureMain;
    game_.GameState = StateBusy;
    paint();
    shown = true;
    game_.AwaitInput([&shown] { return shown; });
    game_.PictureMain = title;
    game_.RefreshScreen();
    game_.GameState = StateTitle;
}

void KeptGames::ShowStatistics()
{
    // The page of the strength chosen, if it has one.
    statsPages_ = StatsScreen::Pages(stats_);
    const auto chosen = std::find(statsPages_.begin(), statsPages_.end(), game_.opponents);
    const auto standard = std::find(statsPages_.begin(), statsPages_.end(), Strength::Standard);
    statsPage_ = static_cast<size_t>((chosen != statsPages_.end() ? chosen : standard) - statsPages_.begin());
    OverTitle(statsShown_, [this] { PaintStatistics(); });
}

void KeptGames::ShowSettings()
{
    settingsRow_ = 0;
    OverTitle(settingsShown_, [this] { PaintSettings(true); });
    SavePreferences();
}

void KeptGames::SettingsInput(const InputEvent& event)
{
    const int command = event.kind == InputEvent::Kind::KeyDown ? FormMain::KeyCommand(event.code) : 0;
    if (command == CmdUp || command == CmdDown) {
        settingsRow_ =
            (settingsRow_ + (command == CmdDown ? 1 : SettingsScreen::Rows - 1)) % SettingsScreen::Rows;
    } else if (command == CmdLeft || command == CmdRight) {
        const int step = command == CmdRight ? 1 : -1;
        if (settingsRow_ == 0)
            game_.opponents = SettingsScreen::StepOpponents(game_.opponents, step);
        else if (settingsRow_ == 1)
            game_.pace = SettingsScreen::StepPace(game_.pace, step);
        else
            game_.colourMarks = step > 0;
    } else {
        if (IsPress(event))
            settingsShown_ = false;
        return;
    }
    if (game_.sounds)
        game_.sounds->playSound(2);
    PaintSettings(false);
}

void KeptGames::PaintSettings(bool opened)
{
    SettingsScreen::Paint(game_.PictureMain, game_.opponents, game_.pace, game_.colourMarks, settingsRow_);
    game_.RefreshScreen();
    if (game_.narrator)
        game_.narrator->Settings(opened, settingsRow_, game_.opponents, game_.pace, game_.colourMarks);
}

void KeptGames::PaintStatistics()
{
    StatsScreen::Paint(game_.PictureMain, stats_, DailyDeal::DateOn(clock_()), statsPages_[statsPage_]);
    game_.RefreshScreen();
}

void KeptGames::Keep(int screen, std::optional<InputEvent> input)
{
    // The loop that waits asks again and again; only a changed game is written.
    if (!input && !keptInput_ && keptScreen_ == screen && keptMatch_ == game_.match)
        return;
    keptInput_ = input.has_value();
    keptScreen_ = screen;
    keptMatch_ = game_.match;
    if (recordStuck_)
        return;
    StateRecord kept;
    kept.program = PAKAPONTA_VERSION;
    kept.screen = screen;
    kept.name = game_.opening->selectedName();
    kept.colour = game_.opening->selectedColor();
    kept.daily = record_.daily;
    kept.tally = tally_;
    kept.lastEvent = lastEvent_;
    kept.input = input;
    kept.lineup = game_.lineup;
    kept.match = game_.match;
    Save(RecordName, kept.Serialize(), "the game", "it");
}

void KeptGames::SaveStatistics()
{
    if (statisticsStuck_)
        return;
    Save(StatisticsName, stats_.Serialize(), "the statistics", "them");
}

void KeptGames::SavePreferences()
{
    const Preferences chosen{game_.opponents, game_.pace, game_.colourMarks};
    if (chosen == preferences_)
        return;
    preferences_ = chosen;
    if (preferencesStuck_)
        return;
    Save(PreferencesName, preferences_.Serialize(), "the choices", "them");
}

void KeptGames::Save(const std::string& name, const std::string& bytes, const std::string& what,
                     const std::string& pronoun)
{
    std::string error;
    if (store_.Save(name, bytes, error) || warned_)
        return;
    // One message for the whole run: a folder that cannot take one record cannot take the others.
    warned_ = true;
    messages_ << "pakaponta: cannot keep " << what << " in " << store_.Where(name) << " (" << error
              << "); the game plays on without " << pronoun << "\n";
}

void KeptGames::Drop()
{
    store_.Remove(RecordName);
}
