#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

class Game;
struct PlayerScore;

// The simulator's account of the games played: one JSON line per finished game, written when the
// final scores are known, and the end of the program once the requested games are done.
class GameReport {
public:
    // games: how many games before the program ends (0: no end); out: where the lines go (null:
    // nowhere).
    GameReport(Game& game, uint64_t seed, int games, std::ostream* out);

    // To be called on every input wait: the game-over wait closes a game, the title after the
    // last game ends the program.
    void OnInputWait(int state);
    void OnEvent(int32_t eventIndex);

    int GamesFinished() const { return finished_; }
    // The line of the game in progress (or just finished), without the line break.
    std::string GameLine() const;

    static nlohmann::ordered_json ScoreJson(const PlayerScore& score);

private:
    Game& game_;
    uint64_t seed_;
    int games_;
    std::ostream* out_;
    int finished_ = 0;
    // The game-over wait may be entered many times before it is answered; one line per game.
    bool reported_ = false;
    std::map<int32_t, int> events_;
    // The same pop-ups in the order shown: what precedes a thread's end pop-up tells how it ended.
    std::vector<int32_t> eventOrder_;
};
