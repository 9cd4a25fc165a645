// Whole games on the headless platform, with and without drawing, and the computer player's two
// hot calls. Run: pakaponta_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "gfx/FontEngine.h"
#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "shell/CommandLine.h"
#include "shell/Game.h"
#include "shell/Simulator.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace {

std::string DataDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir();
}

FontEngine* Fonts(bool draw)
{
    static std::unique_ptr<FontEngine> fonts = FontEngine::Create();
    return draw ? fonts.get() : nullptr;
}

CommandLine OneGame(int mode)
{
    CommandLine line;
    line.headless = true;
    line.autoplay = true;
    line.mode = mode & 3;
    line.extra = mode >= 4;
    line.games = 1;
    return line;
}

// Runs until the program would end (ProgramExit), as main does.
void RunUntilExit(Game& game)
{
    try {
        game.Run();
    } catch (const ProgramExit&) {
    }
}

// One iteration is one game from the title back to the title, on a program started once.
void WholeGame(benchmark::State& state, bool draw)
{
    const int mode = static_cast<int>(state.range(0));
    HeadlessPlatform platform;
    Game game(platform, Fonts(draw), 1, true, DataDir());
    game.Start();
    std::ostringstream report;
    for (auto _ : state) {
        const Simulator simulator(game, OneGame(mode), 1, report, nullptr);
        RunUntilExit(game);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(report.str().empty() ? "no game finished" : "");
}

void BM_WholeGameNoRender(benchmark::State& state)
{
    WholeGame(state, false);
}
BENCHMARK(BM_WholeGameNoRender)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

void BM_WholeGameFullRender(benchmark::State& state)
{
    WholeGame(state, true);
}
BENCHMARK(BM_WholeGameFullRender)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(3);

// A program stopped at seat 0's turn in the middle of a game.
struct MidGame {
    HeadlessPlatform platform;
    Game game{platform, nullptr, 7, true, DataDir()};
    std::ostringstream report;

    MidGame()
    {
        int turns = 0;
        const Simulator simulator(game, OneGame(0), 7, report, nullptr, [this, &turns](int state) {
            if (state == StatePlayerTurn && ++turns == 60)
                game.Quit(0);
        });
        game.Start();
        RunUntilExit(game);
    }
};

void BM_GetBestCard(benchmark::State& state)
{
    MidGame mid;
    for (auto _ : state)
        benchmark::DoNotOptimize(mid.game.comp->GetBestCard(0));
}
BENCHMARK(BM_GetBestCard)->Unit(benchmark::kNanosecond);

void BM_CardEnableCheck(benchmark::State& state)
{
    MidGame mid;
    for (auto _ : state) {
        mid.game.playerCtrl->CardEnableCheck(0);
        benchmark::DoNotOptimize(mid.game.playerCtrl->IsEnableCard(0));
    }
}
BENCHMARK(BM_CardEnableCheck)->Unit(benchmark::kNanosecond);

} // namespace
