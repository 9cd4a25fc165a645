// Plays many whole games headless and audits each after every move; prints the figures and the
// first violations, and fails when there is any.
//   soak GAMES [SEED]
// The data files are read from $PAKAPONTA_DATA, or else from the folder of this program.

#include "shell/Soak.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Games per program run: later games reuse everything the earlier ones left behind.
constexpr int GamesPerRun = 10;

bool ParseCount(const char* text, uint64_t& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

std::string DataDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir();
}

} // namespace

int main(int argc, char** argv)
{
    uint64_t games = 0;
    uint64_t seed = 1;
    if (argc < 2 || argc > 3 || !ParseCount(argv[1], games) || games == 0 || games > 100'000'000 ||
        (argc == 3 && !ParseCount(argv[2], seed))) {
        std::cerr << "usage: soak GAMES [SEED]\n";
        return 2;
    }
    const uint64_t runs = (games + GamesPerRun - 1) / GamesPerRun;
    const unsigned workers = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    std::vector<Soak> soaks(workers, Soak(DataDir()));
    std::atomic<uint64_t> next{0};
    const auto started = std::chrono::steady_clock::now();
    {
        std::vector<std::jthread> threads;
        for (unsigned w = 0; w < workers; ++w) {
            threads.emplace_back([&, w] {
                for (uint64_t run = next++; run < runs; run = next++) {
                    const uint64_t left = games - run * GamesPerRun;
                    const int count = static_cast<int>(std::min<uint64_t>(left, GamesPerRun));
                    soaks[w].Run(static_cast<int>(run % Soak::Modes), count, seed + run);
                }
            });
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Soak total(DataDir());
    for (const Soak& soak : soaks)
        total.Merge(soak);
    for (const std::string& what : total.Violations())
        std::cout << what << '\n';
    std::printf("%d games in %llu runs (seeds %llu..%llu), %lld checks, %lld violations, %.1f s\n",
                total.Games(), static_cast<unsigned long long>(runs), static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(seed + runs - 1), static_cast<long long>(total.Checks()),
                static_cast<long long>(total.ViolationCount()), seconds);
    return total.ViolationCount() == 0 ? 0 : 1;
}
