#pragma once

#include "gfx/Picture.h"
#include "rules/CardRecord.h"
#include "rules/Lineup.h"
#include "rules/MatchState.h"
#include "rules/RuleTables.h"
#include "rules/Rules.h"
#include "shell/GameTypes.h"
#include "shell/Stage.h"

#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class Border;
class CardCtrl;
class Comp;
class Consts;
class EventCtrl;
class FileLoader;
class FontEngine;
class FormMain;
class Narrator;
class Opening;
class Platform;
class PlayerCtrl;
class Score;
class Sounds;
class ThreadCtrl;

// Everything the game shares: the state that the screens hand over to each other, the tables loaded
// at start-up, the pictures, and the one instance of every controller. main owns one; a test may
// build as many as it likes.
class Game {
public:
    // fonts may be null: nothing is drawn (the simulator's fast mode).
    Game(Platform& platform, FontEngine* fonts, uint64_t seed, bool fixedSeed, std::string appPath);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The start-up sequence: loading screen, data files, controllers, title.
    void Start();
    // Makes every controller over the tables already loaded and hands each its pictures, as
    // start-up does; tests build their games with it too.
    void MakeControllers();
    // The idle message loop; returns only by ProgramExit.
    void Run();

    void RefreshScreen();
    // Redraws the whole board into PictureMain (without showing it).
    void RepaintBoard();

    // The program folder, ending in '/'.
    const std::string& AppPath() const { return appPath_; }
    std::string ReadIni(std::string_view section, std::string_view key) const;
    static std::string MakerName() { return "Kumoriya"; }

    uint32_t GetTickCount();
    // Pumps window messages at least once and returns no earlier than ms after startTick, or as
    // soon as answered() (when given) turns true.
    void Wait(uint32_t startTick, int ms, const std::function<bool()>& answered = {});
    // A pause of the computer players' turns, the card flights, the countdowns and the pop-ups at
    // the chosen pace: the same whole milliseconds for every game, so a seeded game plays alike at
    // any pace.
    int Paced(int ms) const { return ms * paceOverride.value_or(pace) / 100; }
    // Lets pending window events run once, without blocking.
    void DoEvents();
    // Between slices of long work: the window keeps answering and the page keeps drawing.
    void Breathe();
    // Waits for the player: pumps until stillWaiting() turns false, or the deadline (if any) passes.
    void AwaitInput(const std::function<bool()>& stillWaiting, std::optional<uint32_t> deadline = {});
    // The local calendar minute that responses posted now carry.
    int32_t PostDate();
    // The card definitions and special texts as the rules read them: made again from cardDefs and
    // specialTexts whenever those are loaded.
    void UpdateRuleTables();
    // Who plays the game about to be dealt: the chosen opponents, or the command line's seats over
    // them; the daily deal always against standard ones, so that every player of a day meets the same
    // game. The thinking players' seed is made of the random source as it stands.
    Lineup DealtLineup() const;
    // Ends the program from any depth of nested waits.
    [[noreturn]] void Quit(int status);

    Platform& platform;
    // The game in progress, as the rules see it; the controllers show it.
    MatchState match;
    RuleTables ruleTables;
    Rules rules{ruleTables, match};
    Rng& rng = match.rng;

    // The opponents' strength chosen on the selection screen, kept in the profile.
    Strength opponents = Strength::Standard;
    // Seats the command line sets (--opponents, --seat), over that choice.
    std::array<std::optional<Strength>, PlayerCount> seatOverrides{};
    // Who plays the game in progress: set as it is dealt and kept with it.
    Lineup lineup;
    // How long the paced pauses last, in percent (100, 50 or 25): the choice kept in the profile,
    // and the command line's for this run over it.
    int pace = 100;
    std::optional<int> paceOverride;
    // Shapes beside the colours that tell a rule: the kept choice, and the command line's over it.
    bool colourMarks = false;
    std::optional<bool> colourMarksOverride;
    bool ColourMarks() const { return colourMarksOverride.value_or(colourMarks); }
    // Every key, click and tap the window takes, whatever the state: a pop-up closes at the next.
    uint32_t presses = 0;

    int GameState = StateInit;
    int& GameMode = match.GameMode;
    int& LastCardWait = match.LastCardWait;

    std::array<CardRecord, CardDefCount> cardDefs;
    std::array<std::string, SpecialTextCount> specialTexts;
    std::array<std::string, 1000> PublicRes;
    int PublicResMax = -1;
    std::array<ThreadText, 45> ThreadTexts;
    std::array<std::string, 8> PlayerNames;

    Picture PictureMain;
    Picture PictureTemp;
    Picture PictureTemp2;
    Picture PicturePencil;
    Picture PictureAuthor;
    Picture PictureMask;
    Picture PictureRainbow;

    std::unique_ptr<FormMain> formMain;
    std::unique_ptr<FileLoader> fileLoader;
    std::unique_ptr<Consts> consts;
    std::unique_ptr<ThreadCtrl> threadCtrl;
    std::unique_ptr<CardCtrl> cardCtrl;
    std::unique_ptr<PlayerCtrl> playerCtrl;
    std::unique_ptr<Border> border;
    std::unique_ptr<EventCtrl> eventCtrl;
    std::unique_ptr<Comp> comp;
    std::unique_ptr<Opening> opening;
    std::unique_ptr<Sounds> sounds;
    std::unique_ptr<Score> score;
    // Words for a screen reader (--narrate); null when nobody listens.
    std::unique_ptr<Narrator> narrator;

    // Called whenever the program starts waiting for the player's input, with the GameState it waits
    // in. The command line's --quit-at-state and the autopilot hang here.
    std::function<void(int state)> onInputWait;

    // Observers for the simulator's report and trace; a normal game leaves them empty.
    std::function<void(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                       int32_t eventScore)>
        onEvent;
    // Called just before a card takes effect or is discarded (after = false) and just after.
    std::function<void(const CardPlay& play, bool after)> onCardCommit;
    void NotifyEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                     int32_t eventScore);
    void NotifyCardCommit(const CardPlay& play, bool after);

    // --daily: the date whose deal every game of this program starts from; empty for free deals.
    std::string dailyDate;
    // The date of the daily deal in progress, empty for a free one: set as a game is chosen, and by
    // the replay of a kept game.
    std::string dealDate;
    // Where the page that deals the daily games lives, for the share line; may be empty.
    std::string shareAddress;

    // The wall clock that response dates are taken from; tests replace it to post at a set hour.
    std::function<std::time_t()> now = [] { return std::time(nullptr); };

private:
    std::string appPath_;
    Stage stage_{*this};
};
