// Whole games on the rules alone (four computer players, nothing watching) and the cost of copying a
// game in progress, which thinking ahead pays for every line it tries. Run:
// pakaponta_bench --benchmark_filter=Model --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "rules/Playout.h"
#include "rules/RuleTables.h"
#include "shell/Game.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

// The shipped tables and thread files, read once as the program reads them.
struct ShippedModel {
    HeadlessPlatform platform;
    Game game{platform, nullptr, 1, true, DataDir()};
    RuleTables tables;
    ThreadLibrary library;

    ShippedModel()
    {
        FileLoader loader(game);
        loader.DataLoad();
        loader.ThreadPublicLoad();
        tables = RuleTables(game.cardDefs, game.specialTexts);
        library = loader.Library();
    }

    static std::string DataDir()
    {
        const char* dir = std::getenv("PAKAPONTA_DATA");
        return dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir();
    }
};

const ShippedModel& Shipped()
{
    static const ShippedModel shipped;
    return shipped;
}

// 0..3 the modes, 4..7 their Extra games, as the whole-game benchmarks of the program number them.
int GameMode(int64_t range)
{
    return static_cast<int>(range & 3) | (range >= 4 ? ModeExtra : 0);
}

// One iteration is one game dealt and played to its end; the games follow each other from one
// random source, as the program's do.
void BM_ModelWholeGame(benchmark::State& state)
{
    const ShippedModel& shipped = Shipped();
    const Playout playout(shipped.tables, shipped.library);
    const int mode = GameMode(state.range(0));
    MatchState match;
    match.rng = Rng(1, true);
    for (auto _ : state) {
        playout.Deal(match, mode, 0);
        playout.Finish(match, 0);
        benchmark::DoNotOptimize(match.scores);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ModelWholeGame)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

// An Extra game stopped just after seat 0's fortieth play: a late board, every deck half drawn.
void BM_ModelCopyState(benchmark::State& state)
{
    const ShippedModel& shipped = Shipped();
    const Playout playout(shipped.tables, shipped.library);
    MatchState match;
    match.rng = Rng(7, true);
    playout.Deal(match, ModeExtra, 0);
    Rules rules(shipped.tables, match);
    int seatPlays = 0;
    const Playout::CommitHook onCommit = [&seatPlays](const CardPlay& play, bool after) {
        seatPlays += after && play.player == 0 ? 1 : 0;
    };
    while (seatPlays < 40 && playout.Turn(rules, onCommit)) {
    }
    if (seatPlays < 40)
        state.SkipWithError("the game ended before seat 0's fortieth play");
    for (auto _ : state) {
        MatchState copy = match;
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(sizeof(MatchState)));
}
BENCHMARK(BM_ModelCopyState)->Unit(benchmark::kNanosecond);

} // namespace
