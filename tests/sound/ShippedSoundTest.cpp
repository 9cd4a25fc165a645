#include "platform/FileSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "shell/Game.h"
#include "sound/Sounds.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

std::string DataDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : std::string("./");
}

uint32_t Le(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

uint32_t Be(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

TEST(ShippedSoundTest, SoundFileHoldsSixCompleteWaveImagesAtTheirOffsets)
{
    const auto dat = FileSystem::ReadFile(DataDir() + "sound.dat");
    ASSERT_TRUE(dat.has_value());
    ASSERT_EQ(dat->size(), 60124u);
    const size_t offsets[] = {0, 11124, 15276, 30168, 33098, 48278};
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        const std::string image = dat->substr(offsets[i], Sounds::WaveSizes[i]);
        EXPECT_EQ(image.substr(0, 4), "RIFF");
        EXPECT_EQ(Le(image, 4, 4), image.size() - 8);
        EXPECT_EQ(image.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(image, 20, 2), 1u); // PCM
        EXPECT_EQ(Le(image, 22, 2), 1u); // mono
        EXPECT_EQ(Le(image, 34, 2), 8u);
        EXPECT_EQ(image.substr(36, 4), "data");
        EXPECT_EQ(Le(image, 40, 4), image.size() - 44);
        // The effect is heard, and it starts and ends at rest so that it does not click.
        const auto [low, high] = std::minmax_element(image.begin() + 44, image.end(),
                                                     [](char a, char b) { return uint8_t(a) < uint8_t(b); });
        EXPECT_GT(uint8_t(*high) - uint8_t(*low), 100);
        EXPECT_NEAR(uint8_t(image[44]), 128, 2);
        EXPECT_NEAR(uint8_t(image.back()), 128, 2);
    }
}

// Seconds from the start to the end of the longest track chunk, following the tempo changes of
// the first chunk.
double MidiSeconds(const std::string& file)
{
    const uint32_t division = Be(file, 12, 2);
    size_t at = 14;
    uint32_t longest = 0;
    std::vector<std::pair<uint32_t, uint32_t>> tempos{{0, 500000}};
    for (uint32_t track = 0; track < Be(file, 10, 2); ++track) {
        EXPECT_EQ(file.substr(at, 4), "MTrk");
        const size_t end = at + 8 + Be(file, at + 4, 4);
        uint32_t tick = 0;
        uint8_t status = 0;
        for (size_t i = at + 8; i < end;) {
            uint32_t delta = 0;
            uint8_t b = 0;
            do {
                b = static_cast<uint8_t>(file[i++]);
                delta = delta << 7 | (b & 0x7F);
            } while (b & 0x80);
            tick += delta;
            if (static_cast<uint8_t>(file[i]) & 0x80)
                status = static_cast<uint8_t>(file[i++]);
            if (status == 0xFF) {
                const uint8_t type = static_cast<uint8_t>(file[i]);
                const uint8_t length = static_cast<uint8_t>(file[i + 1]);
                if (type == 0x51)
                    tempos.emplace_back(tick, Be(file, i + 2, 3));
                i += 2 + length;
            } else {
                i += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            }
        }
        longest = std::max(longest, tick);
        at = end;
    }
    double seconds = 0;
    for (size_t i = 0; i < tempos.size(); ++i) {
        const uint32_t until = i + 1 < tempos.size() ? tempos[i + 1].first : longest;
        seconds += double(until - tempos[i].first) / division * tempos[i].second / 1e6;
    }
    return seconds;
}

TEST(ShippedSoundTest, MusicFolderHoldsSixStandardMidiTracksOfAPlayableLength)
{
    for (const char* name : {"game1", "game2", "game3", "game4", "game5", "ending"}) {
        SCOPED_TRACE(name);
        const auto file = FileSystem::ReadFile(DataDir() + "music/" + name + ".mid");
        ASSERT_TRUE(file.has_value());
        ASSERT_GT(file->size(), 14u);
        EXPECT_EQ(file->substr(0, 4), "MThd");
        EXPECT_EQ(Be(*file, 8, 2), 1u);
        const double seconds = MidiSeconds(*file);
        EXPECT_GE(seconds, 40.0);
        EXPECT_LE(seconds, 90.0);
    }
}

TEST(ShippedSoundTest, ShippedSettingsOpenEveryTrackBesideTheProgram)
{
    auto recorder = std::make_unique<RecordingAudio>();
    RecordingAudio& audio = *recorder;
    HeadlessPlatform platform(std::move(recorder));
    {
        Game game(platform, nullptr, 1, true, DataDir());
        Sounds sounds(game);
        ASSERT_EQ(audio.Commands().size(), 6u);
        for (int slot = 0; slot < 6; ++slot) {
            const std::string file = audio.OpenFile("bgm" + std::to_string(slot));
            EXPECT_GT(FileSystem::FileLength(file), 0) << "slot " << slot << ": " << file;
        }
        sounds.playBGM(BgmGame);
        EXPECT_EQ(audio.Playing(), "bgm1");
    }
}

} // namespace
