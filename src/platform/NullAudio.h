#pragma once

#include "platform/AudioOutput.h"

// Silence: for the headless runs, and for a machine where no sound device opens.
class NullAudio : public AudioOutput {
public:
    void PlayWave(const uint8_t*, size_t) override {}
    void StopWave() override {}
    std::string SendCommand(std::string_view) override { return ""; }
};
