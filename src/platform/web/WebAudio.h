#pragma once

#include "platform/AudioOutput.h"

#include <map>
#include <string>
#include <vector>

// Sound in the browser, through the page's script (web/host.js): effects decoded by Web Audio,
// music from the tracks rendered beside the page, one playing at a time. Silent until the player's
// first key or click, as browsers demand; nothing here ever reports an error.
class WebAudio : public AudioOutput {
public:
    WebAudio();

    void PlayWave(const uint8_t* image, size_t size) override;
    void StopWave() override;
    std::string SendCommand(std::string_view command) override;

private:
    struct Effect {
        std::vector<uint8_t> image;
        int id = 0;
    };

    // The page decodes each image once; the copy tells a new image at a reused address from the old.
    int EffectId(const uint8_t* image, size_t size);

    std::map<const uint8_t*, Effect> effects_;
    int nextEffectId_ = 1;
};
