#include "platform/sdl/SdlAudio.h"

#include "platform/FileSystem.h"
#include "platform/MciCommand.h"
#include "sound/Sounds.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string DataDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : std::string("./");
}

TEST(MciCommandTest, ReadsTheFiveCommandsAndRejectsTheRest)
{
    const auto open = MciCommand::Parse("Open \"/a folder/x \"q\".mid\" alias BGM3");
    ASSERT_TRUE(open.has_value());
    EXPECT_EQ(open->verb, MciCommand::Verb::Open);
    EXPECT_EQ(open->file, "/a folder/x \"q\".mid");
    EXPECT_EQ(open->alias, "bgm3");

    const auto play = MciCommand::Parse("PLAY Bgm1 from 0 notify");
    ASSERT_TRUE(play.has_value());
    EXPECT_EQ(play->verb, MciCommand::Verb::Play);
    EXPECT_EQ(play->alias, "bgm1");
    EXPECT_EQ(MciCommand::Parse("status BGM0 MODE")->verb, MciCommand::Verb::Status);
    EXPECT_EQ(MciCommand::Parse("Stop BGM0")->verb, MciCommand::Verb::Stop);
    EXPECT_EQ(MciCommand::Parse("Close BGM0")->verb, MciCommand::Verb::Close);

    for (const char* bad :
         {"", "Open", "Open x alias BGM0", "Open \"\" alias BGM0", "Open \"x\" BGM0", "Status BGM0",
          "Status BGM0 length", "Play BGM0 from 5", "Stop", "Seek BGM0", "Close BGM0 now"})
        EXPECT_FALSE(MciCommand::Parse(bad).has_value()) << bad;
}

// The real mixer on the dummy audio driver: the shipped effect and a shipped track load and play.
TEST(SdlAudioTest, PlaysAShippedEffectAndAShippedTrack)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    {
        SdlAudio audio;
        ASSERT_TRUE(audio.IsOpen());

        const auto dat = FileSystem::ReadFile(DataDir() + "sound.dat");
        ASSERT_TRUE(dat.has_value());
        const auto* bytes = reinterpret_cast<const uint8_t*>(dat->data());
        audio.PlayWave(bytes, Sounds::WaveSizes[0]);
        audio.PlayWave(bytes, Sounds::WaveSizes[0]);
        audio.PlayWave(bytes + Sounds::WaveSizes[0], Sounds::WaveSizes[1]);
        audio.StopWave();

        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "");
        audio.SendCommand("Open \"" + DataDir() + "music/game1.mid\" alias BGM0");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "stopped");
        audio.SendCommand("Play BGM0 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "playing");
        audio.SendCommand("Stop BGM0");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "stopped");
        audio.SendCommand("Play BGM0 from 0 notify");
        audio.SendCommand("Close BGM0");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "");

        // A file that is not there opens a silent slot, which the game then passes over.
        audio.SendCommand("Open \"" + DataDir() + "music/none.mid\" alias BGM1");
        audio.SendCommand("Play BGM1 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM1 mode"), "stopped");
        EXPECT_EQ(audio.SendCommand("Dance BGM1"), "");
    }
    SDL_Quit();
}

TEST(SdlAudioTest, ANewImageAtAnOldAddressIsDecodedAfresh)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    {
        SdlAudio audio;
        const auto dat = FileSystem::ReadFile(DataDir() + "sound.dat");
        ASSERT_TRUE(dat.has_value());
        std::string buffer = dat->substr(0, Sounds::WaveSizes[1]);
        audio.PlayWave(reinterpret_cast<const uint8_t*>(buffer.data()), buffer.size());
        buffer.replace(0, Sounds::WaveSizes[1], dat->substr(Sounds::WaveSizes[0], Sounds::WaveSizes[1]));
        audio.PlayWave(reinterpret_cast<const uint8_t*>(buffer.data()), buffer.size());
        // A broken image plays nothing and breaks nothing.
        const std::string junk(100, 'x');
        audio.PlayWave(reinterpret_cast<const uint8_t*>(junk.data()), junk.size());
    }
    SDL_Quit();
}

} // namespace
