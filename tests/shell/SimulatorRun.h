#pragma once

#include "shell/CommandLine.h"

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class Game;

// What one headless run of the simulator left behind.
struct SimulatorRun {
    int status = -1;
    int finalState = -1;
    std::vector<std::string> lines;
    std::vector<nlohmann::json> games;
    std::vector<nlohmann::json> trace;
};

// Runs the program's game on the headless platform with the shipped data files, as the command line
// asks (headless is implied), and collects its output. draw: with fonts, so everything is painted;
// observer sees every input wait; atEnd sees the game as the program left it.
SimulatorRun RunSimulator(CommandLine line, bool withTrace = false, bool draw = false,
                          std::function<void(Game& game, int state)> observer = {},
                          const std::function<void(Game& game)>& atEnd = {});

// The folder of the shipped data files.
std::string ShippedDataDir();

// A command line for autoplay games.
CommandLine AutoplayLine(int mode, bool extra, int games, uint64_t seed);
