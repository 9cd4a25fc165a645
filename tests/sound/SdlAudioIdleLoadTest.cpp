// Tracks load when first played or in the idle time the window gives them, never while opening.
#include "platform/AudioOutput.h"
#include "platform/FileSystem.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

std::string MusicDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return (dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir()) + "music/";
}

TEST(SdlAudioIdleLoadTest, OpenedTracksLoadOneByOneInIdleTimeOrWhenPlayed)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    {
        SdlAudio audio;
        ASSERT_TRUE(audio.IsOpen());
        EXPECT_FALSE(audio.Prepare()) << "nothing opened, nothing to prepare";
        audio.SendCommand("Open \"" + MusicDir() + "game1.mid\" alias BGM0");
        audio.SendCommand("Open \"" + MusicDir() + "game2.mid\" alias BGM1");
        audio.SendCommand("Open \"" + MusicDir() + "game3.mid\" alias BGM2");
        audio.SendCommand("Open \"" + MusicDir() + "none.mid\" alias BGM3");
        EXPECT_EQ(audio.SendCommand("Status BGM1 mode"), "stopped");

        // Played before its turn: loaded on the spot.
        audio.SendCommand("Play BGM2 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM2 mode"), "playing");
        // Closed before it was ever loaded: nothing left to load for it.
        audio.SendCommand("Close BGM1");
        EXPECT_FALSE(audio.Prepare()) << "BGM0 was the last track to load";
        EXPECT_FALSE(audio.Prepare());
        audio.SendCommand("Play BGM0 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM0 mode"), "playing");
        EXPECT_EQ(audio.SendCommand("Status BGM1 mode"), "");
        audio.SendCommand("Play BGM3 from 0 notify");
        EXPECT_EQ(audio.SendCommand("Status BGM3 mode"), "stopped");
    }
    SDL_Quit();
}

// Says it has work three times over and counts how often it is asked.
class SlowStartAudio : public AudioOutput {
public:
    void PlayWave(const uint8_t*, size_t) override {}
    void StopWave() override {}
    std::string SendCommand(std::string_view) override { return ""; }
    bool Prepare() override { return ++prepared < 3; }

    int prepared = 0;
};

uint32_t PushKey(uint32_t, void*)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_SPACE;
    event.key.keysym.scancode = SDL_SCANCODE_SPACE;
    SDL_PushEvent(&event);
    return 0;
}

TEST(SdlAudioIdleLoadTest, WaitingForInputGivesTheSoundItsIdleTimeButInputComesFirst)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto owned = std::make_unique<SlowStartAudio>();
    SlowStartAudio& audio = *owned;
    SdlPlatform platform(std::move(owned));
    platform.PumpEvents();

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    SDL_PushEvent(&key);
    platform.WaitForEventForever();
    EXPECT_EQ(audio.prepared, 0) << "input was waiting: the sound waits";
    platform.PumpEvents();

    const SDL_TimerID timer = SDL_AddTimer(50, PushKey, nullptr);
    platform.WaitForEventForever();
    SDL_RemoveTimer(timer);
    EXPECT_EQ(audio.prepared, 3);
}

} // namespace
