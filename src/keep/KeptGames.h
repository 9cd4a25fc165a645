#pragma once

#include "keep/GameRecord.h"
#include "keep/Preferences.h"
#include "keep/StateRecord.h"
#include "keep/Statistics.h"
#include "platform/KeyCodes.h"

#include <ctime>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class Autopilot;
class Game;
class RecordStore;
class ReplayPlatform;

// Keeps the player's games: the state of the game in progress, written whenever it waits for the
// player and taken up there on the next start (a journal of inputs from before is replayed once); the
// new-game key; the statistics and their screen. It sits on the game's hooks and on the platform between the
// game and the window.
class KeptGames {
public:
    // F2, and Ctrl+N, which the window reports as F2: abandons the game in progress.
    static constexpr int NewGameKey = KeyCode::F2;
    // S on the title: the statistics screen.
    static constexpr int StatisticsKey = KeyCode::S;
    // O on the title: the settings screen.
    static constexpr int SettingsKey = 'O';
    static constexpr const char* RecordName = "game";
    static constexpr const char* StatisticsName = "statistics";
    static constexpr const char* PreferencesName = "preferences";

    // player: whether games end up in the statistics (not when the autopilot plays). messages gets
    // one line for each record set aside or that cannot be written.
    KeptGames(Game& game, ReplayPlatform& platform, RecordStore& store, bool player, std::ostream& messages);
    ~KeptGames();
    KeptGames(const KeptGames&) = delete;
    KeptGames& operator=(const KeptGames&) = delete;

    // After Game::Start: reads the kept files; the kept game is rebuilt from the first input wait,
    // or, with newGame, counted as abandoned and dropped.
    void Open(bool newGame);
    // Game::Run, back at the title whenever a game is abandoned; ends only by ProgramExit.
    void Run();

    // The statistics kept in store, zero when there are none; a file that cannot be read is set
    // aside first. stuck, if given, says whether such a file could not be moved and stays.
    static Statistics LoadStatistics(RecordStore& store, std::ostream& messages, bool* stuck = nullptr);
    // The same for the player's preferences, the defaults when there are none.
    static Preferences LoadPreferences(RecordStore& store, std::ostream& messages, bool* stuck = nullptr);
    // A digest of the data files a game is dealt from: another card.dat or thread set plays another
    // game from the same journal.
    static std::string DataFingerprint(const Game& game);

private:
    struct Unwind {};

    bool OnInput(const InputEvent& input);
    void OnInputWait(int state);
    void OnEvent(int32_t eventIndex, int32_t eventTarget, int32_t eventScore);
    std::time_t Now();

    void BeginRecord();
    // Takes up the kept game read at start, in place of the title.
    void Resume();
    void TakeInputAgain();
    // Writes the game as it waits on this screen, if it changed since it was last written, or with the
    // input it takes there.
    void Keep(int screen, std::optional<InputEvent> input = std::nullopt);
    void DriveReplay(int state);
    // Gives the command line's seats back once a journal's replay is over.
    void RestoreSeats();
    void EndReplay(int state);
    [[noreturn]] void BreakReplay(const std::string& why);
    void FinishGame();
    [[noreturn]] void Abandon();
    void ShowStatistics();
    // A screen over the title, painted by paint, until a press clears shown; then the title again.
    void OverTitle(bool& shown, const std::function<void()>& paint);
    void ShowSettings();
    // A key on the settings screen: arrows change them, any other press leaves.
    void SettingsInput(const InputEvent& event);
    // Draws the settings, and says them: opened tells what to do there first.
    void PaintSettings(bool opened);
    void PaintStatistics();
    bool InGame() const;
    void ResetTallies();

    void SaveStatistics();
    // Writes the opponents' strength chosen, if it changed since it was read or last written.
    void SavePreferences();
    // Writes a record; the first that cannot be written costs one message, naming what and pronoun.
    void Save(const std::string& name, const std::string& bytes, const std::string& what,
              const std::string& pronoun);
    void Drop();
    // False when the file could not be moved: it is then left alone, never written over.
    static bool SetAside(RecordStore& store, const std::string& name, const std::string& why,
                         std::ostream& messages);
    // A record of the store by name (Record::Parse reads it): a missing one is a fresh Record, a bad
    // one is set aside with one message saying what starts again.
    template <typename Record>
    static Record LoadRecord(RecordStore& store, const std::string& name, const std::string& fresh,
                             std::ostream& messages, bool* stuck);

    Game& game_;
    ReplayPlatform& platform_;
    RecordStore& store_;
    bool player_;
    std::ostream& messages_;
    std::string fingerprint_;

    std::function<void(int)> nextWait_;
    std::function<void(int32_t, const std::string&, int32_t, int32_t)> nextEvent_;
    std::function<std::time_t()> clock_;

    // The game's mode and daily date; while a journal of the format before is replayed, the journal.
    GameRecord record_;
    bool recording_ = false;
    bool warned_ = false;
    std::optional<StateRecord> pending_;
    MatchState keptMatch_;
    int keptScreen_ = 0;
    bool keptInput_ = false;
    std::optional<InputEvent> resumeInput_;
    // A damaged file that could not be set aside.
    bool recordStuck_ = false;
    bool statisticsStuck_ = false;
    size_t dateIndex_ = 0;

    bool replaying_ = false;
    // The command line's seats, set aside while a journal is replayed against standard players.
    std::optional<std::array<std::optional<Strength>, PlayerCount>> journalSeats_;
    bool replayStarted_ = false;
    size_t inputIndex_ = 0;
    std::unique_ptr<Autopilot> titlePilot_;

    Statistics stats_;
    bool statsShown_ = false;
    // The strengths the statistics screen has a page for, and the one shown.
    std::vector<Strength> statsPages_;
    size_t statsPage_ = 0;

    Preferences preferences_;
    bool preferencesStuck_ = false;
    bool settingsShown_ = false;
    int settingsRow_ = 0;

    // The player's threads of the game in progress, from its pop-ups.
    Statistics::Result tally_;
    int32_t lastEvent_ = 0;
};
