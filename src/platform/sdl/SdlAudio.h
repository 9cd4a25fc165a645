#pragma once

#include "platform/AudioOutput.h"

#include <map>
#include <string>
#include <vector>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

// Sound through SDL_mixer: effects on one reserved channel (a new one cuts the last), music slots
// of which one plays at a time, MIDI through the General MIDI soundfont. Without an audio device
// everything is silent; nothing here ever reports an error.
class SdlAudio : public AudioOutput {
public:
    SdlAudio();
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool IsOpen() const { return open_; }

    void PlayWave(const uint8_t* image, size_t size) override;
    void StopWave() override;
    std::string SendCommand(std::string_view command) override;

private:
    struct Effect {
        std::vector<uint8_t> image;
        Mix_Chunk* chunk = nullptr;
    };

    Mix_Chunk* Decode(const uint8_t* image, size_t size);
    // Each loaded track holds a synthesiser with the whole soundfont (about 8 MB): only the track
    // played last stays in memory. Loading one takes a few milliseconds.
    void Load(const std::string& alias, const std::string& file);
    void Unload();

    bool ownsAudioSubsystem_ = false;
    bool open_ = false;
    // Decoded once per image; the copy tells a new image at a reused address from the old one.
    std::map<const uint8_t*, Effect> effects_;
    // The file of every opened alias; empty for a slot that plays nothing.
    std::map<std::string, std::string> music_;
    std::string loadedAlias_;
    // Null when the loaded alias has no file or its file did not load.
    Mix_Music* loaded_ = nullptr;
    // The alias playing, if any.
    std::string current_;
};
