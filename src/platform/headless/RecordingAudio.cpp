#include "platform/headless/RecordingAudio.h"

#include "platform/MciCommand.h"

void RecordingAudio::PlayWave(const uint8_t* image, size_t size)
{
    waves_.emplace_back(image, image + size);
    addresses_.push_back(image);
}

std::string RecordingAudio::SendCommand(std::string_view command)
{
    commands_.emplace_back(command);
    const auto parsed = MciCommand::Parse(command);
    if (!parsed)
        return "";
    const std::string& alias = parsed->alias;
    const bool known = open_.contains(alias);
    switch (parsed->verb) {
    case MciCommand::Verb::Open:
        if (!known)
            open_[alias] = parsed->file;
        break;
    case MciCommand::Verb::Status:
        if (known)
            return playing_ == alias ? "playing" : "stopped";
        break;
    case MciCommand::Verb::Play:
        if (known)
            playing_ = alias;
        break;
    case MciCommand::Verb::Stop:
        if (playing_ == alias)
            playing_.clear();
        break;
    case MciCommand::Verb::Close:
        if (playing_ == alias)
            playing_.clear();
        open_.erase(alias);
        break;
    }
    return "";
}

std::string RecordingAudio::OpenFile(const std::string& alias) const
{
    const auto it = open_.find(alias);
    return it == open_.end() ? "" : it->second;
}

void RecordingAudio::ClearLog()
{
    waves_.clear();
    addresses_.clear();
    waveStops_ = 0;
    commands_.clear();
}
