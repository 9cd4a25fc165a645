// Music slots on the real mixer (dummy audio driver): one track is loaded at a time, the one played
// last, and switching between slots, stopping and closing keep every slot's status right.
#include "platform/FileSystem.h"
#include "platform/sdl/SdlAudio.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string MusicDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return (dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir()) + "music/";
}

TEST(SdlAudioTrackTest, SwitchingStoppingAndClosingSlotsKeepTheirStatusRight)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    {
        SdlAudio audio;
        ASSERT_TRUE(audio.IsOpen());
        audio.SendCommand("Open \"" + MusicDir() + "game1.mid\" alias BGM0");
        audio.SendCommand("Open \"" + MusicDir() + "game2.mid\" alias BGM1");
        audio.SendCommand("Open \"" + MusicDir() + "game3.mid\" alias BGM2");
        audio.SendCommand("Open \"" + MusicDir() + "none.mid\" alias BGM3");
        audio.SendCommand("Open \"" + MusicDir() + "\" alias BGM4");
        for (const char* alias : {"BGM0", "BGM1", "BGM2", "BGM3", "BGM4"})
            EXPECT_EQ(audio.SendCommand(std::string("Status ") + alias + " mode"), "stopped") << alias;

        audio.SendCommand("Play BGM2 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM2 mode"), "playing");
        // Another slot takes the place of the one playing.
        audio.SendCommand("Play BGM0 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "playing");
        EXPECT_EQ(audio.SendCommand("Status BGM2 mode"), "stopped");
        // Stopping a slot that is not playing leaves the one that is.
        audio.SendCommand("Stop BGM2");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "playing");
        // Played again after a stop, a slot starts again, loaded or not.
        audio.SendCommand("Stop BGM0");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "stopped");
        audio.SendCommand("Play BGM0 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "playing");
        audio.SendCommand("Play BGM2 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM2 mode"), "playing");

        // Closing the slot that plays silences it and forgets it; the others stay opened.
        audio.SendCommand("Close BGM2");
        EXPECT_EQ(audio.SendCommand("Status BGM2 mode"), "");
        EXPECT_EQ(audio.SendCommand("Status BGM1 mode"), "stopped");
        audio.SendCommand("Play BGM2 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM2 mode"), "");
        // Closing a slot that is not loaded is as quiet.
        audio.SendCommand("Play BGM1 from 0 notify");
        audio.SendCommand("Close BGM0");
        EXPECT_EQ(audio.SendCommand("Status BGM1 mode"), "playing");

        // Slots without a playable file stay silent, and silence the one playing before them.
        audio.SendCommand("Play BGM3 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM3 mode"), "stopped");
        EXPECT_EQ(audio.SendCommand("Status BGM1 mode"), "stopped");
        audio.SendCommand("Play BGM4 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM4 mode"), "stopped");
    }
    SDL_Quit();
}

} // namespace
