#include "sound/Sounds.h"

#include "platform/AudioOutput.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "shell/Game.h"
#include "shell/GameTypes.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

constexpr int GameSlots = 5;
constexpr int EndingSlot = 5;

} // namespace

Sounds::Sounds(Game& game) : game_(game)
{
    const size_t total = std::accumulate(WaveSizes.begin(), WaveSizes.end(), size_t{0});
    const std::string bytes =
        FileSystem::ReadFile(game_.AppPath() + "sound.dat", static_cast<int64_t>(total)).value_or("");
    size_t offset = 0;
    for (size_t i = 0; i < WaveSizes.size(); ++i) {
        if (offset + WaveSizes[i] <= bytes.size())
            waveData[i].assign(bytes.begin() + static_cast<ptrdiff_t>(offset),
                               bytes.begin() + static_cast<ptrdiff_t>(offset + WaveSizes[i]));
        offset += WaveSizes[i];
    }

    for (int i = 0; i <= EndingSlot; ++i) {
        const std::string path = BgmPath(i);
        if (path.empty())
            continue;
        Send("Open \"" + path + "\" alias " + BgmAlias(i));
        musicOpen[static_cast<size_t>(i)] = true;
    }
    bgmKind = BgmStop;
    resumeKind = BgmStop;
}

Sounds::~Sounds()
{
    for (int i = 0; i <= EndingSlot; ++i) {
        if (!musicOpen[static_cast<size_t>(i)])
            continue;
        Send("Stop " + BgmAlias(i));
        Send("Close " + BgmAlias(i));
    }
}

void Sounds::playSound(int index)
{
    if (paused || index < 1 || index > static_cast<int>(waveData.size()))
        return;
    const std::vector<uint8_t>& wave = waveData[static_cast<size_t>(index - 1)];
    if (!wave.empty())
        game_.platform.Audio().PlayWave(wave.data(), wave.size());
}

void Sounds::playBGM(int kind)
{
    switch (kind) {
    case BgmStop:
        if (bgmKind == BgmGame)
            Send("Stop " + BgmAlias(bgmTrack));
        else if (bgmKind == BgmEnding)
            Send("Stop " + BgmAlias(EndingSlot));
        bgmKind = BgmStop;
        break;
    case BgmGame: {
        if (paused)
            return;
        std::string mode =
            game_.platform.Audio().SendCommand("Status " + BgmAlias(bgmTrack) + " mode").substr(0, 7);
        std::transform(mode.begin(), mode.end(), mode.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        // Playing, or a slot that does not answer: the music is left as it is until the next move.
        if (mode != "stopped")
            return;
        bgmTrack = (bgmTrack + 1) % GameSlots;
        for (int attempt = 0; attempt < GameSlots; ++attempt) {
            if (!musicOpen[static_cast<size_t>(bgmTrack)]) {
                bgmTrack = (bgmTrack + 1) % GameSlots;
                game_.DoEvents();
                continue;
            }
            Send("Play " + BgmAlias(bgmTrack) + " from 0 notify");
            game_.DoEvents();
            break;
        }
        bgmKind = BgmGame;
        break;
    }
    case BgmEnding:
        if (paused)
            return;
        Send("Play " + BgmAlias(EndingSlot) + " from 0 notify");
        bgmKind = BgmEnding;
        break;
    default:
        break;
    }
}

void Sounds::PauseBGM()
{
    paused = true;
    resumeKind = bgmKind;
    playBGM(BgmStop);
}

void Sounds::ResumeBGM()
{
    paused = false;
    if (resumeKind != BgmStop) {
        playBGM(resumeKind);
        resumeKind = BgmStop;
    }
}

std::string Sounds::BgmAlias(int i)
{
    if (i < 0 || i > EndingSlot)
        return "";
    return "BGM" + std::to_string(i);
}

std::string Sounds::BgmPath(int i) const
{
    if (i < 0 || i > EndingSlot)
        return "";
    const std::string key = i == EndingSlot ? "MidiEnding" : "MidiPath" + std::to_string(i + 1);
    const std::string value = game_.ReadIni("MIDI", key);
    if (value.starts_with(".\\")) {
        std::string rest = value.substr(2);
        std::replace(rest.begin(), rest.end(), '\\', '/');
        return game_.AppPath() + rest;
    }
    // A drive-letter path is passed on as written (it will not be found here); a path from the root
    // is this system's way of naming a file anywhere.
    if ((value.size() >= 2 && value[1] == ':') || value.starts_with("/"))
        return value;
    return "";
}

void Sounds::Send(const std::string& command)
{
    game_.platform.Audio().SendCommand(command);
}
