#include "shell/SimulatorRun.h"

#include "platform/ProgramExit.h"
#include "shell/Simulator.h"
#include "support/TestGame.h"

#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

std::string ShippedDataDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : std::string("./");
}

CommandLine AutoplayLine(int mode, bool extra, int games, uint64_t seed)
{
    CommandLine line;
    line.autoplay = true;
    line.mode = mode;
    line.extra = extra;
    line.games = games;
    line.seed = seed;
    line.render = false;
    return line;
}

SimulatorRun RunSimulator(CommandLine line, bool withTrace, bool draw,
                          std::function<void(Game& game, int state)> observer,
                          const std::function<void(Game& game)>& atEnd)
{
    line.headless = true;
    const uint64_t seed = line.seed.value_or(1);
    TestGame t(draw, seed, ShippedDataDir());
    t.game.paceOverride = line.pace;
    std::ostringstream report;
    std::ostringstream trace;
    SimulatorRun run;
    {
        std::function<void(int)> onWait;
        if (observer)
            onWait = [&t, &observer](int state) { observer(t.game, state); };
        const Simulator simulator(t.game, line, seed, report, withTrace ? &trace : nullptr,
                                  std::move(onWait));
        try {
            t.game.Start();
            t.game.Run();
        } catch (const ProgramExit& exit) {
            run.status = exit.status;
        }
    }
    run.finalState = t.game.GameState;
    if (atEnd)
        atEnd(t.game);
    run.lines = Lines(report.str());
    for (const std::string& text : run.lines)
        run.games.push_back(nlohmann::json::parse(text));
    for (const std::string& text : Lines(trace.str()))
        run.trace.push_back(nlohmann::json::parse(text));
    return run;
}
