#pragma once

#include "shell/Autopilot.h"
#include "shell/GameReport.h"
#include "shell/PlayTrace.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>

class Game;
struct CommandLine;

// What the command line adds around a game: the autopilot, the per-game report and the trace. It
// hangs everything on the game's hooks; observer still sees every input wait.
class Simulator {
public:
    // report gets the game lines when line.games is set; trace (may be null) gets the card lines.
    Simulator(Game& game, const CommandLine& line, uint64_t seed, std::ostream& report, std::ostream* trace,
              std::function<void(int state)> observer = {});
    // Takes its hooks off the game again.
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

private:
    Game& game_;
    GameReport report_;
    std::unique_ptr<PlayTrace> trace_;
    std::unique_ptr<Autopilot> autopilot_;
};
