#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Sound reaches the speakers only through this: wave images played from memory, and music slots
// driven by media-control command strings ("Open \"file\" alias BGM0", "Status BGM0 mode",
// "Play BGM0 from 0 notify", "Stop BGM0", "Close BGM0"). Failures are silent.
// The commands stay strings: Sounds is their only writer and MciCommand their only reader, shared
// by every back-end, and the strings are what the tests and the sound log record and compare. A
// typed call per verb would save that one small parser but change every back-end and sound test.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // A new wave cuts the one playing. The image must stay valid while it plays.
    virtual void PlayWave(const uint8_t* image, size_t size) = 0;
    virtual void StopWave() = 0;
    // Returns the reply ("playing", "stopped", or "" when a command has none or fails).
    virtual std::string SendCommand(std::string_view command) = 0;
};
