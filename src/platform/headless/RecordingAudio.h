#pragma once

#include "platform/AudioOutput.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Sound for tests: remembers every wave played and every command sent, and answers "Status" the way
// a music player would. A track plays until it is stopped, closed, replaced by another, or ended
// with EndTrack; an alias that was never opened does not answer.
class RecordingAudio : public AudioOutput {
public:
    void PlayWave(const uint8_t* image, size_t size) override;
    void StopWave() override { ++waveStops_; }
    std::string SendCommand(std::string_view command) override;

    // The track playing now reaches its end.
    void EndTrack() { playing_.clear(); }
    // The alias (lower case) of the track playing now, or "".
    const std::string& Playing() const { return playing_; }
    // The file last opened under the alias, or "" when it is not open.
    std::string OpenFile(const std::string& alias) const;

    // A copy of every image played, in order.
    const std::vector<std::vector<uint8_t>>& Waves() const { return waves_; }
    const std::vector<const uint8_t*>& WaveAddresses() const { return addresses_; }
    int WaveStops() const { return waveStops_; }
    const std::vector<std::string>& Commands() const { return commands_; }
    void ClearLog();

private:
    std::vector<std::vector<uint8_t>> waves_;
    std::vector<const uint8_t*> addresses_;
    int waveStops_ = 0;
    std::vector<std::string> commands_;
    std::map<std::string, std::string> open_;
    std::string playing_;
};
