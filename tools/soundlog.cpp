// Prints every sound call of headless autoplay games, in order: the waves (size and a hash of the
// bytes), the wave stops and the music commands with their replies. scripts/check-unchanged.sh
// compares this log before and after a change that must not touch what is heard.
//   soundlog MODE EXTRA(0|1) GAMES SEED
// The data files are read from $PAKAPONTA_DATA, or else from the folder of this program.

#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "shell/CommandLine.h"
#include "shell/Game.h"
#include "shell/Simulator.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

namespace {

// Answers as the recording output does and writes each call as one line.
class LoggingAudio : public AudioOutput {
public:
    void PlayWave(const uint8_t* image, size_t size) override
    {
        uint64_t hash = 14695981039346656037ULL;
        for (size_t i = 0; i < size; ++i)
            hash = (hash ^ image[i]) * 1099511628211ULL;
        std::printf("wave %zu %016llx\n", size, static_cast<unsigned long long>(hash));
        recorder_.PlayWave(image, size);
    }
    void StopWave() override
    {
        std::printf("stop\n");
        recorder_.StopWave();
    }
    std::string SendCommand(std::string_view command) override
    {
        std::string reply = recorder_.SendCommand(command);
        std::printf("command %.*s -> %s\n", static_cast<int>(command.size()), command.data(), reply.c_str());
        return reply;
    }

private:
    RecordingAudio recorder_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: soundlog MODE EXTRA(0|1) GAMES SEED\n", stderr);
        return 2;
    }
    CommandLine line;
    line.headless = true;
    line.autoplay = true;
    line.render = false;
    line.mode = std::atoi(argv[1]);
    line.extra = std::atoi(argv[2]) != 0;
    line.games = std::atoi(argv[3]);
    line.seed = std::strtoull(argv[4], nullptr, 10);
    const char* dir = std::getenv("PAKAPONTA_DATA");
    const std::string appPath = dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir();

    HeadlessPlatform platform(std::make_unique<LoggingAudio>());
    Game game(platform, nullptr, *line.seed, true, appPath);
    const Simulator simulator(game, line, *line.seed, std::cout, nullptr);
    try {
        game.Start();
        game.Run();
    } catch (const ProgramExit& exit) {
        return exit.status;
    }
    return 0;
}
