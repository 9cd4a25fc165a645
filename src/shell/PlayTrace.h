#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

class Game;
class GameReport;
struct CardPlay;

// Writes one JSON line for every card that takes effect or is discarded: who played what where,
// the board before and after, the pop-ups it raised, and the players' figures afterwards. Enough
// to check every rule move by move from outside.
class PlayTrace {
public:
    PlayTrace(Game& game, const GameReport& report, std::ostream& out);

    void OnCardCommit(const CardPlay& play, bool after);
    void OnEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget, int32_t eventScore);

private:
    nlohmann::ordered_json Board() const;

    Game& game_;
    const GameReport& report_;
    std::ostream& out_;
    bool inPlay_ = false;
    nlohmann::ordered_json before_;
    nlohmann::ordered_json events_;
};
