// How long a strong computer player thinks: every decision of seat 1 in two games of each mode, each
// thought through whole on one core. Run:
// pakaponta_bench --benchmark_filter=StrongDecision
#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "rules/Lookahead.h"
#include "rules/Opponent.h"
#include "rules/Playout.h"
#include "shell/Game.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Decisions {
    HeadlessPlatform platform;
    Game game{platform, nullptr, 1, true, DataDir()};
    RuleTables tables;
    // The game as seat 1 starts each of its turns.
    std::vector<MatchState> states;

    Decisions()
    {
        FileLoader loader(game);
        loader.DataLoad();
        loader.ThreadPublicLoad();
        tables = RuleTables(game.cardDefs, game.specialTexts);
        const ThreadLibrary library = loader.Library();
        const Playout playout(tables, library);
        for (int mode : {0, 1, 2, 3, 64, 65, 66, 67}) {
            for (uint64_t seed : {3, 4}) {
                MatchState s;
                s.rng = Rng(seed, true);
                playout.Deal(s, mode, 0);
                Rules rules(tables, s);
                while (!rules.CardsOut()) {
                    MatchState next = s;
                    Rules ahead(tables, next);
                    const int cur = ahead.NextMover();
                    ahead.BeginTurn(cur);
                    if (cur == 1 && !ahead.CardsOut())
                        states.push_back(next);
                    if (!playout.Turn(rules))
                        break;
                }
            }
        }
    }

    static std::string DataDir()
    {
        const char* dir = std::getenv("PAKAPONTA_DATA");
        return dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir();
    }
};

void BM_StrongDecision(benchmark::State& state)
{
    static const Decisions decisions;
    std::vector<double> ms;
    for (auto _ : state) {
        for (const MatchState& s : decisions.states) {
            const auto start = std::chrono::steady_clock::now();
            Lookahead lookahead(decisions.tables, s, 1, Opponent::DecisionSeed(Lineup{}, s, 1));
            while (!lookahead.Think(Lookahead::Samples)) {
            }
            benchmark::DoNotOptimize(lookahead.Choice());
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["decisions"] = static_cast<double>(ms.size());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters["worst_ms"] = ms.back();
}
BENCHMARK(BM_StrongDecision)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
