#include "sound/Sounds.h"

#include "platform/FileSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "shell/Game.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

class SoundsTest : public ::testing::Test {
protected:
    // A program folder holding the given [MIDI] lines and, when given, sound.dat.
    Sounds& Create(const std::string& midiLines, const std::string* soundDat = nullptr)
    {
        Require(FileSystem::WriteFile(dir + "resource.ini", "[MIDI]\r\n" + midiLines));
        if (soundDat != nullptr)
            Require(FileSystem::WriteFile(dir + "sound.dat", *soundDat));
        auto recorder = std::make_unique<RecordingAudio>();
        audio = recorder.get();
        platform = std::make_unique<HeadlessPlatform>(std::move(recorder));
        game = std::make_unique<Game>(*platform, nullptr, 1, true, dir);
        game->sounds = std::make_unique<Sounds>(*game);
        return *game->sounds;
    }

    static void Require(bool ok)
    {
        if (!ok)
            throw std::runtime_error("cannot write the test's files");
    }

    // The commands sent since the last call.
    std::vector<std::string> Sent()
    {
        std::vector<std::string> commands = audio->Commands();
        audio->ClearLog();
        return commands;
    }

    // One move of the game: the turn flow asks for the game music after every move.
    std::vector<std::string> Move()
    {
        game->sounds->playBGM(BgmGame);
        return Sent();
    }

    static std::string AllFive()
    {
        std::string lines;
        for (int i = 1; i <= 5; ++i)
            lines += "MidiPath" + std::to_string(i) + "=.\\music\\t" + std::to_string(i) + ".mid\r\n";
        return lines;
    }

    std::string dir = MakeTempDir();
    RecordingAudio* audio = nullptr;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Game> game;
};

using Commands = std::vector<std::string>;

TEST_F(SoundsTest, OpensEveryNamedSlotWithExactCommandsAndClosesThemAtTheEnd)
{
    Create(AllFive() + "MidiEnding=.\\music\\end.mid\r\n");
    Commands expected;
    for (int i = 0; i < 5; ++i)
        expected.push_back("Open \"" + dir + "music/t" + std::to_string(i + 1) + ".mid\" alias BGM" +
                           std::to_string(i));
    expected.push_back("Open \"" + dir + "music/end.mid\" alias BGM5");
    EXPECT_EQ(Sent(), expected);

    game->sounds.reset();
    expected.clear();
    for (int i = 0; i <= 5; ++i) {
        expected.push_back("Stop BGM" + std::to_string(i));
        expected.push_back("Close BGM" + std::to_string(i));
    }
    EXPECT_EQ(Sent(), expected);
}

TEST_F(SoundsTest, GameMusicStartsWithTheSecondTrackAndRotatesThroughAllFive)
{
    Create(AllFive());
    Sent();
    EXPECT_EQ(Move(), (Commands{"Status BGM0 mode", "Play BGM1 from 0 notify"}));
    // While a track plays, a move only asks.
    EXPECT_EQ(Move(), (Commands{"Status BGM1 mode"}));
    EXPECT_EQ(Move(), (Commands{"Status BGM1 mode"}));

    std::vector<std::string> order;
    for (int n = 0; n < 6; ++n) {
        audio->EndTrack();
        Move();
        order.push_back(audio->Playing());
    }
    EXPECT_EQ(order, (Commands{"bgm2", "bgm3", "bgm4", "bgm0", "bgm1", "bgm2"}));
}

TEST_F(SoundsTest, OnlyTheFirstTrackRepeatsAfterItEnds)
{
    Create("MidiPath1=.\\music\\only.mid\r\n");
    Sent();
    EXPECT_EQ(Move(), (Commands{"Status BGM0 mode", "Play BGM0 from 0 notify"}));
    EXPECT_EQ(Move(), (Commands{"Status BGM0 mode"}));
    audio->EndTrack();
    EXPECT_EQ(Move(), (Commands{"Status BGM0 mode", "Play BGM0 from 0 notify"}));
}

TEST_F(SoundsTest, WithoutTheFirstTrackThereIsNoGameMusic)
{
    std::string lines;
    for (int i = 2; i <= 5; ++i)
        lines += "MidiPath" + std::to_string(i) + "=.\\music\\t" + std::to_string(i) + ".mid\r\n";
    Create(lines);
    Sent();
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(Move(), (Commands{"Status BGM0 mode"}));
    EXPECT_EQ(audio->Playing(), "");
    // Nothing plays, so stopping sends nothing either.
    game->sounds->playBGM(BgmStop);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(SoundsTest, MusicPathsMustSayWhereTheyStart)
{
    Create("MidiPath1=music\\a.mid\r\n"
           "MidiPath2=.\\music\\a.mid\r\n"
           "MidiPath3=/srv/tunes/b.mid\r\n"
           "MidiPath4=C:\\tunes\\c.mid\r\n"
           "MidiPath5=\r\n"
           "MidiEnding=ending.mid\r\n");
    EXPECT_EQ(Sent(),
              (Commands{"Open \"" + dir + "music/a.mid\" alias BGM1", "Open \"/srv/tunes/b.mid\" alias BGM2",
                        "Open \"C:\\tunes\\c.mid\" alias BGM3"}));
    // Only the opened slots are closed.
    game->sounds.reset();
    EXPECT_EQ(Sent(),
              (Commands{"Stop BGM1", "Close BGM1", "Stop BGM2", "Close BGM2", "Stop BGM3", "Close BGM3"}));
}

TEST_F(SoundsTest, MinimizingStopsTheMusicAndMutesEffectsAndRestoringMovesToTheNextTrack)
{
    const std::string dat(60124, '\x80');
    Sounds& sounds = Create(AllFive(), &dat);
    Sent();
    Move();
    ASSERT_EQ(audio->Playing(), "bgm1");

    sounds.PauseBGM();
    EXPECT_EQ(Sent(), (Commands{"Stop BGM1"}));
    sounds.playSound(1);
    sounds.playBGM(BgmGame);
    sounds.playBGM(BgmEnding);
    EXPECT_TRUE(audio->Waves().empty());
    EXPECT_TRUE(Sent().empty());

    sounds.ResumeBGM();
    EXPECT_EQ(Sent(), (Commands{"Status BGM1 mode", "Play BGM2 from 0 notify"}));
    sounds.playSound(1);
    EXPECT_EQ(audio->Waves().size(), 1u);

    // A resize that restores nothing that was paused changes nothing.
    sounds.ResumeBGM();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(SoundsTest, MinimizingWithoutMusicResumesNothing)
{
    Sounds& sounds = Create(AllFive());
    Sent();
    sounds.PauseBGM();
    sounds.ResumeBGM();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(SoundsTest, EndingTrackPlaysFromTheStartAndStops)
{
    Sounds& sounds = Create(AllFive() + "MidiEnding=.\\music\\end.mid\r\n");
    Move();
    sounds.playBGM(BgmStop);
    EXPECT_EQ(Sent(), (Commands{"Stop BGM1"}));

    sounds.playBGM(BgmEnding);
    EXPECT_EQ(Sent(), (Commands{"Play BGM5 from 0 notify"}));
    sounds.PauseBGM();
    sounds.ResumeBGM();
    EXPECT_EQ(Sent(), (Commands{"Stop BGM5", "Play BGM5 from 0 notify"}));
    sounds.playBGM(BgmStop);
    sounds.playBGM(BgmStop);
    EXPECT_EQ(Sent(), (Commands{"Stop BGM5"}));
    // Other kinds are no requests at all.
    sounds.playBGM(5);
    sounds.playBGM(-1);
    EXPECT_TRUE(Sent().empty());
}

// Six images, each filled with its own effect number, at the fixed sizes.
std::string NumberedImages()
{
    std::string dat;
    for (size_t i = 0; i < Sounds::WaveSizes.size(); ++i)
        dat += std::string(Sounds::WaveSizes[i], static_cast<char>(i + 1));
    return dat;
}

TEST_F(SoundsTest, EachEffectPlaysItsOwnImage)
{
    const std::string dat = NumberedImages();
    Sounds& sounds = Create("", &dat);
    for (int i = 1; i <= 6; ++i)
        sounds.playSound(i);
    ASSERT_EQ(audio->Waves().size(), 6u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(audio->Waves()[i], std::vector<uint8_t>(Sounds::WaveSizes[i], static_cast<uint8_t>(i + 1)));
    // The same effect is always played from the same image.
    sounds.playSound(3);
    EXPECT_EQ(audio->WaveAddresses()[6], audio->WaveAddresses()[2]);

    audio->ClearLog();
    for (int index : {0, 7, -1, 100})
        sounds.playSound(index);
    EXPECT_TRUE(audio->Waves().empty());
}

TEST_F(SoundsTest, AShortSoundFileSilencesOnlyTheIncompleteEffects)
{
    // Effects 1..4 are complete; effect 5 lacks its last byte, effect 6 is missing.
    const std::string dat = NumberedImages().substr(0, 33098 + 15180 - 1);
    Sounds& sounds = Create("", &dat);
    for (int i = 1; i <= 6; ++i)
        sounds.playSound(i);
    ASSERT_EQ(audio->Waves().size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(audio->Waves()[i].size(), Sounds::WaveSizes[i]);
}

TEST_F(SoundsTest, WithoutAnyFilesEverythingIsSilent)
{
    Sounds& sounds = Create("");
    for (int i = 1; i <= 6; ++i)
        sounds.playSound(i);
    sounds.playBGM(BgmGame);
    sounds.playBGM(BgmEnding);
    EXPECT_TRUE(audio->Waves().empty());
    EXPECT_EQ(Sent(), (Commands{"Status BGM0 mode", "Play BGM5 from 0 notify"}));
}

} // namespace
