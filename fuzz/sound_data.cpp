// sound.dat: any bytes are cut into the six effects, and every effect, whole or broken, goes through
// the real mixer (on SDL's dummy device) without harm.
#include "FuzzCheck.h"
#include "platform/FileSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/sdl/SdlAudio.h"
#include "shell/Game.h"
#include "sound/Sounds.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// The mixer for one input only: it keeps a decoded copy of every image it was given.
class FreshMixer : public AudioOutput {
public:
    void Reset() { mixer_ = std::make_unique<SdlAudio>(); }
    bool IsOpen() const { return mixer_->IsOpen(); }

    void PlayWave(const uint8_t* image, size_t size) override
    {
        ++waves_;
        mixer_->PlayWave(image, size);
    }
    void StopWave() override { mixer_->StopWave(); }
    std::string SendCommand(std::string_view command) override { return mixer_->SendCommand(command); }

    int waves_ = 0;

private:
    std::unique_ptr<SdlAudio> mixer_;
};

struct Folder {
    Folder()
    {
        char pattern[] = "/tmp/pakaponta-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        dir = std::string(pattern) + "/";
        auto output = std::make_unique<FreshMixer>();
        mixer = output.get();
        platform = std::make_unique<HeadlessPlatform>(std::move(output));
        game = std::make_unique<Game>(*platform, nullptr, 1, true, dir);
    }
    ~Folder() { std::filesystem::remove_all(dir); }

    std::string dir;
    FreshMixer* mixer = nullptr;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Game> game;
};

Folder& TheFolder()
{
    static Folder folder;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Folder& f = TheFolder();
    FUZZ_CHECK(
        FileSystem::WriteFile(f.dir + "sound.dat", std::string(reinterpret_cast<const char*>(data), size)));
    f.mixer->Reset();
    FUZZ_CHECK(f.mixer->IsOpen());
    f.mixer->waves_ = 0;
    f.game->sounds = std::make_unique<Sounds>(*f.game);

    size_t whole = 0;
    for (size_t offset = 0; whole < Sounds::WaveSizes.size() && offset + Sounds::WaveSizes[whole] <= size;)
        offset += Sounds::WaveSizes[whole++];
    for (int effect = 1; effect <= 6; ++effect)
        f.game->sounds->playSound(effect);
    // Only the effects wholly in the file are played.
    FUZZ_CHECK(f.mixer->waves_ == static_cast<int>(whole));
    f.game->sounds.reset();
    return 0;
}
