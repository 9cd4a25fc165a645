#include "platform/sdl/SdlAudio.h"

#include "platform/FileSystem.h"
#include "platform/MciCommand.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr int EffectChannel = 0;
constexpr int MixRate = 22050;
constexpr const char* SoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The mixer allocates whatever a wave's chunk headers claim (4 GiB from one damaged size), so an
// image reaches it only as RIFF WAVE whose every chunk lies within the image.
bool ChunksFit(const uint8_t* image, size_t size)
{
    auto word = [image](size_t at) {
        return static_cast<uint32_t>(image[at]) | (static_cast<uint32_t>(image[at + 1]) << 8) |
               (static_cast<uint32_t>(image[at + 2]) << 16) | (static_cast<uint32_t>(image[at + 3]) << 24);
    };
    if (size < 12 || std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0)
        return false;
    // Chunks start on even offsets; the pad byte of the last one may be missing.
    for (size_t at = 12; at + 8 <= size; at += 8 + word(at + 4) + (word(at + 4) & 1)) {
        if (word(at + 4) > size - at - 8)
            return false;
    }
    return true;
}

} // namespace

SdlAudio::SdlAudio()
{
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return;
        ownsAudioSubsystem_ = true;
    }
    std::error_code error;
    if (std::getenv("SDL_SOUNDFONTS") == nullptr && std::filesystem::exists(SoundFont, error))
        Mix_SetSoundFonts(SoundFont);
    Mix_Init(MIX_INIT_MID);
    // The effects are 11025 Hz and the soundfont's samples no finer than 22050 Hz: a higher rate
    // would only double the work of synthesising the music, all the time it plays.
    if (Mix_OpenAudio(MixRate, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        return;
    }
    open_ = true;
    Mix_AllocateChannels(1);
    Mix_ReserveChannels(1);
}

SdlAudio::~SdlAudio()
{
    if (open_) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        for (auto& [address, effect] : effects_)
            Mix_FreeChunk(effect.chunk);
        Unload();
        Mix_CloseAudio();
        Mix_Quit();
    }
    if (ownsAudioSubsystem_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Mix_Chunk* SdlAudio::Decode(const uint8_t* image, size_t size)
{
    auto it = effects_.find(image);
    if (it != effects_.end() && it->second.image.size() == size &&
        std::equal(image, image + size, it->second.image.begin()))
        return it->second.chunk;
    if (it != effects_.end()) {
        Mix_HaltChannel(EffectChannel);
        Mix_FreeChunk(it->second.chunk);
        effects_.erase(it);
    }
    Mix_Chunk* chunk = nullptr;
    if (ChunksFit(image, size)) {
        SDL_RWops* rw = SDL_RWFromConstMem(image, static_cast<int>(size));
        chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    }
    effects_[image] = Effect{std::vector<uint8_t>(image, image + size), chunk};
    return chunk;
}

void SdlAudio::PlayWave(const uint8_t* image, size_t size)
{
    if (!open_ || image == nullptr || size == 0)
        return;
    Mix_Chunk* chunk = Decode(image, size);
    Mix_HaltChannel(EffectChannel);
    if (chunk != nullptr)
        Mix_PlayChannel(EffectChannel, chunk, 0);
}

void SdlAudio::StopWave()
{
    if (open_)
        Mix_HaltChannel(EffectChannel);
}

std::string SdlAudio::SendCommand(std::string_view command)
{
    const auto parsed = MciCommand::Parse(command);
    if (!open_ || !parsed)
        return "";
    const std::string& alias = parsed->alias;
    const auto it = music_.find(alias);
    switch (parsed->verb) {
    case MciCommand::Verb::Open:
        // A folder opens like a file but crashes the mixer's format detection: only regular files
        // are loaded, anything else is a silent slot.
        if (it == music_.end())
            music_[alias] = FileSystem::FileLength(parsed->file) >= 0 ? parsed->file : std::string();
        break;
    case MciCommand::Verb::Status:
        if (it == music_.end())
            return "";
        return current_ == alias && Mix_PlayingMusic() != 0 ? "playing" : "stopped";
    case MciCommand::Verb::Play:
        if (it == music_.end())
            break;
        Load(alias, it->second);
        if (loaded_ != nullptr && Mix_PlayMusic(loaded_, 0) == 0)
            current_ = alias;
        break;
    case MciCommand::Verb::Stop:
        if (current_ == alias) {
            Mix_HaltMusic();
            current_.clear();
        }
        break;
    case MciCommand::Verb::Close:
        if (it == music_.end())
            break;
        if (loadedAlias_ == alias)
            Unload();
        music_.erase(it);
        break;
    }
    return "";
}

void SdlAudio::Load(const std::string& alias, const std::string& file)
{
    if (loadedAlias_ == alias)
        return;
    Unload();
    loadedAlias_ = alias;
    if (!file.empty())
        loaded_ = Mix_LoadMUS(file.c_str());
}

void SdlAudio::Unload()
{
    if (!current_.empty()) {
        Mix_HaltMusic();
        current_.clear();
    }
    if (loaded_ != nullptr)
        Mix_FreeMusic(loaded_);
    loaded_ = nullptr;
    loadedAlias_.clear();
}
