#include "gfx/FontEngine.h"
#include "keep/KeptGames.h"
#include "platform/FileSystem.h"
#include "platform/FolderStore.h"
#include "platform/NullAudio.h"
#include "platform/Platform.h"
#include "platform/PngWriter.h"
#include "platform/ProgramExit.h"
#include "platform/ReplayPlatform.h"
#include "platform/StartupLog.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shell/CommandLine.h"
#include "shell/DailyDeal.h"
#include "shell/DataFolder.h"
#include "shell/Game.h"
#include "shell/Narrator.h"
#include "shell/Simulator.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>

namespace {

std::string FolderWithSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

uint64_t ClockSeed()
{
    return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::unique_ptr<Platform> MakePlatform(const CommandLine& line)
{
    if (line.headless) {
        auto headless = std::make_unique<HeadlessPlatform>(std::make_unique<NullAudio>());
        if (!line.script.empty())
            headless->LoadScript(line.script);
        return headless;
    }
    return OpenWindow();
}

// Where the player's games are kept: the folder given, else the player's own, but never for the
// headless program (tests, the simulator) or the autopilot unless a folder is given: the autopilot
// would take up the player's kept game and play it on in his place.
std::unique_ptr<RecordStore> OpenStore(const CommandLine& line)
{
    if (!line.profile.empty())
        return std::make_unique<FolderStore>(line.profile);
    if (line.headless || line.autoplay)
        return nullptr;
    return OpenPlayerStore();
}

int PrintStatistics(const CommandLine& line)
{
    const std::unique_ptr<RecordStore> store = OpenStore(line);
    if (!store) {
        std::fprintf(stderr,
                     "pakaponta: there is no folder to keep statistics in (name one with --profile)\n");
        return 1;
    }
    std::cout << KeptGames::LoadStatistics(*store, std::cerr).Text();
    return 0;
}

// Ends the program the K-th time it waits for the player in the given state.
std::function<void(int)> QuitAtState(Game& game, int state, int count)
{
    return [&game, state, count, seen = 0](int waitingIn) mutable {
        // The title is on the screen once the program waits there (timed by measure-startup.py).
        if (waitingIn == StateTitle)
            StartupLog::Mark("title");
        if (waitingIn == state && ++seen == count)
            game.Quit(0);
    };
}

int Run(const CommandLine& line)
{
    if (line.stats)
        return PrintStatistics(line);
    // Without fonts every picture skips its drawing: the rules run as usual, only faster.
    std::unique_ptr<FontEngine> fonts = line.render ? FontEngine::Create() : nullptr;
    std::unique_ptr<Platform> platform = MakePlatform(line);
    const std::unique_ptr<RecordStore> store = OpenStore(line);
    // Kept games replay through this; without a store the game talks to the platform directly.
    const std::unique_ptr<ReplayPlatform> replay =
        store ? std::make_unique<ReplayPlatform>(*platform) : nullptr;
    const std::string appPath =
        line.dataDir.empty() ? DataFolder(FileSystem::ExecutableDir()) : FolderWithSlash(line.dataDir);
    const uint64_t seed = line.seed.value_or(ClockSeed());
    // A reported game names its seed; the seed only repeats the games if it is never reseeded.
    Game game(replay ? *replay : *platform, fonts.get(), seed, line.seed.has_value() || line.games > 0,
              appPath);
    game.seatOverrides = line.seats;
    game.paceOverride = line.pace;
    game.colourMarksOverride = line.colourMarks;
    if (line.narrate)
        game.narrator = std::make_unique<Narrator>(game);
    if (line.daily) {
        game.dailyDate = line.dailyDate.empty() ? DailyDeal::DateOn(std::time(nullptr)) : line.dailyDate;
        game.shareAddress = line.shareAddress;
        platform->SetTitle(DailyDeal::Title(game.dailyDate));
    }
    std::ofstream trace;
    if (!line.trace.empty()) {
        trace.open(line.trace, std::ios::binary | std::ios::trunc);
        if (!trace) {
            std::fprintf(stderr, "pakaponta: cannot write %s\n", line.trace.c_str());
            return 1;
        }
    }
    const Simulator simulator(game, line, seed, std::cout, trace.is_open() ? &trace : nullptr,
                              line.quitAtState >= 0 ? QuitAtState(game, line.quitAtState, line.quitAtCount)
                                                    : std::function<void(int)>{});
    // A script plays the player's part first; the autopilot takes the seat once it has pressed its last
    // key, so that a game begun by hand can be finished as the autopilot would.
    auto* headless = dynamic_cast<HeadlessPlatform*>(platform.get());
    if (line.autoplay && headless != nullptr && !line.script.empty()) {
        game.onInputWait = [next = std::move(game.onInputWait), headless](int state) {
            if (headless->PendingEvents() == 0)
                next(state);
        };
        headless->onIdle = [&game] { game.onInputWait(game.GameState); };
    }
    const std::unique_ptr<KeptGames> kept =
        store ? std::make_unique<KeptGames>(game, *replay, *store, !line.autoplay, std::cerr) : nullptr;
    int status = 0;
    try {
        game.Start();
        if (kept) {
            kept->Open(line.newGame);
            kept->Run();
        } else {
            game.Run();
        }
    } catch (const ProgramExit& exit) {
        status = exit.status;
    }
    if (!line.screenshot.empty() && !WritePng(game.PictureMain, line.screenshot, ClientWidth, ClientHeight)) {
        std::fprintf(stderr, "pakaponta: cannot write %s\n", line.screenshot.c_str());
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<CommandLine> line = CommandLine::Parse({argv + 1, argv + argc}, error);
    if (!line) {
        std::fprintf(stderr, "pakaponta: %s\n%s", error.c_str(), CommandLine::Usage());
        return 2;
    }
    if (line->help) {
        std::fputs(CommandLine::Usage(), stdout);
        return 0;
    }
    if (line->version) {
        std::printf("pakaponta %s\n", PAKAPONTA_VERSION);
        return 0;
    }
    int status = 1;
    try {
        status = Run(*line);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pakaponta: %s\n", e.what());
    }
    return ProgramEnded(status);
}
