#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Game;

// The six effects, held in memory from sound.dat, and the background music: five game tracks that
// take turns and one ending track, named in [MIDI] of resource.ini. Everything is optional and
// silent when missing.
class Sounds {
public:
    explicit Sounds(Game& game);
    ~Sounds();
    Sounds(const Sounds&) = delete;
    Sounds& operator=(const Sounds&) = delete;

    static constexpr std::array<size_t, 6> WaveSizes{11124, 4152, 14892, 2930, 15180, 11846};

    void playSound(int index);
    void playBGM(int kind);
    void PauseBGM();
    void ResumeBGM();

private:
    static std::string BgmAlias(int i);
    std::string BgmPath(int i) const;
    void Send(const std::string& command);

    Game& game_;
    // An effect whose image was not wholly in sound.dat stays empty and silent.
    std::array<std::vector<uint8_t>, 6> waveData;
    std::array<bool, 6> musicOpen{};
    int32_t bgmKind = 0;
    int32_t resumeKind = 0;
    bool paused = false;
    int32_t bgmTrack = 0;
};
