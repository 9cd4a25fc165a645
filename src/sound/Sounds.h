#pragma once

#include <array>
#include <cstdint>
#include <string>

class Game;

// The six effects from sound.dat and the background music driven by media-control command strings.
class Sounds {
public:
    explicit Sounds(Game& game);
    ~Sounds();

    void playSound(int index);
    void playBGM(int kind);
    void PauseBGM();
    void ResumeBGM();

private:
    static std::string BgmAlias(int i);
    std::string BgmPath(int i) const;

    Game& game_;
    std::array<std::string, 6> waveData;
    std::array<bool, 6> musicOpen{};
    int32_t bgmKind = 0;
    int32_t resumeKind = 0;
    bool paused = false;
    int32_t bgmTrack = 0;
};
