// Plays the simulator's games on the rules alone and prints what the simulator prints for them: a
// JSON line per game on stdout and, with --trace, a line per card. For the same seed and mode the
// output must equal the program's, byte for byte (both with the same wall clock):
//   modelplay [--data DIR] --games N [--seed S] [--mode M] [--extra] [--trace FILE]
//             [--opponents STRENGTH] [--seat N=STRENGTH]
// The simulator's other flags (--headless, --autoplay, --render) are accepted and change nothing.

#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/NullAudio.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "rules/RuleTables.h"
#include "rules/ThreadDeal.h"
#include "shell/CommandLine.h"
#include "shell/DataFolder.h"
#include "shell/Game.h"
#include "shell/ModelSimulator.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr const char* Usage =
    "usage: modelplay [--data DIR] --games N [--seed S] [--mode M] [--extra] [--trace FILE]\n"
    "                 [--opponents STRENGTH] [--seat N=STRENGTH]\n";

// What the flags ask for that only the program's screens can do.
bool AsksForScreens(const CommandLine& line)
{
    return line.daily || line.stats || !line.profile.empty() || !line.script.empty() ||
           !line.screenshot.empty() || line.quitAtState >= 0;
}

int Play(const CommandLine& line)
{
    std::string dataDir = line.dataDir.empty() ? DataFolder(FileSystem::ExecutableDir()) : line.dataDir;
    if (dataDir.back() != '/')
        dataDir += '/';
    // As the program does without --seed.
    const uint64_t seed = line.seed.value_or(
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));

    // The game is only the loader's: it reads card.dat and the thread files as the program does.
    HeadlessPlatform platform(std::make_unique<NullAudio>());
    Game game(platform, nullptr, seed, true, dataDir);
    FileLoader loader(game);
    loader.DataLoad();
    loader.ThreadPublicLoad();
    const RuleTables tables(game.cardDefs, game.specialTexts);
    const ThreadLibrary library = loader.Library();

    std::ofstream trace;
    if (!line.trace.empty()) {
        trace.open(line.trace, std::ios::binary | std::ios::trunc);
        if (!trace) {
            std::fprintf(stderr, "modelplay: cannot write %s\n", line.trace.c_str());
            return 1;
        }
    }
    const int mode = line.mode | (line.extra ? ModeExtra : 0);
    ModelSimulator simulator(tables, library, seed, line.seats);
    for (int g = 0; g < line.games; ++g)
        std::cout << simulator.PlayGame(mode, game.PostDate(), trace.is_open() ? &trace : nullptr) << '\n';
    std::cout.flush();
    if (trace.is_open()) {
        trace.close();
        if (!trace) {
            std::fprintf(stderr, "modelplay: cannot write %s\n", line.trace.c_str());
            return 1;
        }
    }
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<CommandLine> line = CommandLine::Parse({argv + 1, argv + argc}, error);
    if (line && line->help) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (!line || line->games < 1 || AsksForScreens(*line)) {
        if (line)
            error = line->games < 1 ? "--games is needed" : "that flag needs the program's screens";
        std::fprintf(stderr, "modelplay: %s\n%s", error.c_str(), Usage);
        return 2;
    }
    try {
        return Play(*line);
    } catch (const ProgramExit& exit) {
        return exit.status;
    }
}
