#include "platform/FileSystem.h"
#include "platform/sdl/SdlAudio.h"
#include "sound/Sounds.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string ShippedEffect(size_t effect)
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    const auto dat =
        FileSystem::ReadFile((dir != nullptr ? std::string(dir) + "/" : std::string("./")) + "sound.dat");
    if (!dat)
        throw std::runtime_error("sound.dat is not built");
    size_t offset = 0;
    for (size_t i = 0; i < effect; ++i)
        offset += Sounds::WaveSizes[i];
    return dat->substr(offset, Sounds::WaveSizes[effect]);
}

void PutSize(std::string& image, size_t at, uint32_t size)
{
    for (size_t i = 0; i < 4; ++i)
        image[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
}

// Found by fuzzing sound.dat: a wave image whose chunk claims 4 GiB made the mixer allocate 4 GiB.
// An image whose chunks do not fit in it is now refused before the mixer sees it.
TEST(SdlAudioRegressionTest, AWaveWhoseChunksDoNotFitIsSilent)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    {
        SdlAudio audio;
        ASSERT_TRUE(audio.IsOpen());
        const std::string good = ShippedEffect(0);
        const size_t data = good.find("data");
        ASSERT_NE(data, std::string::npos);
        audio.PlayWave(reinterpret_cast<const uint8_t*>(good.data()), good.size());
        EXPECT_EQ(Mix_Playing(0), 1) << "the shipped effect plays";

        std::string lying = good;
        PutSize(lying, data + 4, 0xFFFF2B48u);
        audio.PlayWave(reinterpret_cast<const uint8_t*>(lying.data()), lying.size());
        EXPECT_EQ(Mix_Playing(0), 0);

        std::string cut = good.substr(0, good.size() / 2);
        audio.PlayWave(reinterpret_cast<const uint8_t*>(cut.data()), cut.size());
        EXPECT_EQ(Mix_Playing(0), 0);

        std::string format = good;
        PutSize(format, good.find("fmt ") + 4, 0x7FFFFFF0u);
        audio.PlayWave(reinterpret_cast<const uint8_t*>(format.data()), format.size());
        EXPECT_EQ(Mix_Playing(0), 0);
    }
    SDL_Quit();
}

} // namespace
