#include "shell/Soak.h"

#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "players/PlayerCtrl.h"
#include "shell/CommandLine.h"
#include "shell/Game.h"
#include "shell/GameAudit.h"
#include "shell/Simulator.h"

#include <exception>
#include <sstream>

void Soak::Run(int mode, int games, uint64_t seed)
{
    HeadlessPlatform platform;
    Game game(platform, nullptr, seed, true, dataDir_);
    CommandLine line;
    line.headless = true;
    line.autoplay = true;
    line.mode = mode & 3;
    line.extra = mode >= 4;
    line.games = games;
    line.render = false;

    GameAudit audit(game);
    int64_t checks = 0;
    const auto betweenMoves = [&] {
        audit.CheckBetweenMoves();
        ++checks;
    };
    std::ostringstream report;
    int status = -1;
    int finished = 0;
    // The game-over wait is seen once per key the autopilot presses; a game ends once.
    bool overSeen = false;
    std::string failure;
    {
        const Simulator simulator(game, line, seed, report, nullptr, [&](int state) {
            audit.CheckState();
            if (state == StateGameOver && !overSeen) {
                ++finished;
                betweenMoves();
                audit.CheckGameOver();
            } else if (state == StatePlayerTurn) {
                betweenMoves();
            }
            overSeen = state == StateGameOver;
        });
        // Before a card the previous move is complete; after it the card's effect is. The opening
        // threads are laid from hands not yet sorted, so their hands are left alone.
        game.onCardCommit = [&](const CardPlay&, bool after) {
            if (!after) {
                if (game.playerCtrl->turnCount() >= 0)
                    betweenMoves();
                return;
            }
            audit.CheckState();
            audit.CheckOrder();
            audit.CheckBoard();
            audit.CheckScores();
            ++checks;
        };
        try {
            game.Start();
            game.Run();
        } catch (const ProgramExit& exit) {
            status = exit.status;
        } catch (const std::exception& e) {
            failure = e.what();
        }
    }

    std::vector<std::string> found = audit.Violations();
    if (!failure.empty())
        found.push_back("the run failed: " + failure);
    else if (status != 0)
        found.push_back("the program ended with status " + std::to_string(status));
    if (finished != games)
        found.push_back(std::to_string(finished) + " of " + std::to_string(games) + " games finished");
    games_ += finished;
    checks_ += checks;
    Record("mode " + std::to_string(mode) + " seed " + std::to_string(seed), found);
}

void Soak::Record(const std::string& run, const std::vector<std::string>& found)
{
    violationCount_ += static_cast<int64_t>(found.size());
    for (const std::string& what : found) {
        if (violations_.size() < KeptViolations)
            violations_.push_back(run + ": " + what);
    }
}

void Soak::Merge(const Soak& other)
{
    games_ += other.games_;
    checks_ += other.checks_;
    violationCount_ += other.violationCount_;
    for (const std::string& what : other.violations_) {
        if (violations_.size() < KeptViolations)
            violations_.push_back(what);
    }
}
