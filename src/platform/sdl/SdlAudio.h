#pragma once

#include "platform/AudioOutput.h"

#include <map>
#include <string>
#include <vector>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

// Sound through SDL_mixer: effects on one reserved channel (a new one cuts the last), music slots
// as loaded tracks of which one plays at a time, MIDI through the General MIDI soundfont. Without
// an audio device everything is silent; nothing here ever reports an error.
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
    bool Prepare() override;

private:
    struct Effect {
        std::vector<uint8_t> image;
        Mix_Chunk* chunk = nullptr;
    };

    Mix_Chunk* Decode(const uint8_t* image, size_t size);
    // Loads a track opened but not loaded yet; nothing for any other alias.
    void Load(const std::string& alias);

    bool ownsAudioSubsystem_ = false;
    bool open_ = false;
    // Decoded once per image; the copy tells a new image at a reused address from the old one.
    std::map<const uint8_t*, Effect> effects_;
    // Every opened alias; a track that did not load is kept as null and plays nothing.
    std::map<std::string, Mix_Music*> music_;
    // The files of the opened tracks that are not loaded yet, by alias.
    std::map<std::string, std::string> unloaded_;
    std::string current_;
};
