#include "platform/web/WebAudio.h"

#include "platform/MciCommand.h"

#include <algorithm>

// Defined in web/host.js.
extern "C" {
void host_audio_init();
void host_effect_load(int id, const uint8_t* image, size_t size);
void host_effect_play(int id);
void host_effect_stop();
void host_music_open(const char* alias, const char* url);
int host_music_status(const char* alias);
void host_music_play(const char* alias);
void host_music_stop(const char* alias);
void host_music_close(const char* alias);
}

namespace {

constexpr int StatusUnknown = 0;
constexpr int StatusPlaying = 1;

// The page plays the track rendered at build time from the music file the game names: the file's
// name without folder and extension, under music/ beside the page. Empty when there is no name.
std::string TrackUrl(std::string_view file)
{
    const size_t slash = file.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? file : file.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    if (name.empty())
        return "";
    return "music/" + std::string(name) + ".ogg";
}

} // namespace

WebAudio::WebAudio()
{
    host_audio_init();
}

int WebAudio::EffectId(const uint8_t* image, size_t size)
{
    auto it = effects_.find(image);
    if (it != effects_.end() && it->second.image.size() == size &&
        std::equal(image, image + size, it->second.image.begin()))
        return it->second.id;
    Effect& effect = effects_[image];
    effect.image.assign(image, image + size);
    effect.id = nextEffectId_++;
    host_effect_load(effect.id, image, size);
    return effect.id;
}

void WebAudio::PlayWave(const uint8_t* image, size_t size)
{
    if (image == nullptr || size == 0)
        return;
    host_effect_play(EffectId(image, size));
}

void WebAudio::StopWave()
{
    host_effect_stop();
}

std::string WebAudio::SendCommand(std::string_view command)
{
    const auto parsed = MciCommand::Parse(command);
    if (!parsed)
        return "";
    const char* alias = parsed->alias.c_str();
    switch (parsed->verb) {
    case MciCommand::Verb::Open:
        host_music_open(alias, TrackUrl(parsed->file).c_str());
        break;
    case MciCommand::Verb::Status: {
        const int status = host_music_status(alias);
        if (status == StatusUnknown)
            return "";
        return status == StatusPlaying ? "playing" : "stopped";
    }
    case MciCommand::Verb::Play:
        host_music_play(alias);
        break;
    case MciCommand::Verb::Stop:
        host_music_stop(alias);
        break;
    case MciCommand::Verb::Close:
        host_music_close(alias);
        break;
    }
    return "";
}
