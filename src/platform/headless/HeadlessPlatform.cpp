#include "platform/headless/HeadlessPlatform.h"

#include "platform/EventSink.h"
#include "platform/FileSystem.h"
#include "platform/NullAudio.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessScript.h"

#include <iostream>

HeadlessPlatform::HeadlessPlatform(std::unique_ptr<AudioOutput> audio)
    : audio_(audio ? std::move(audio) : std::make_unique<NullAudio>())
{
}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::Present(const Picture&)
{
    ++presents_;
}

void HeadlessPlatform::PumpEvents()
{
    // The sink may pump again from inside a handler or throw: each input leaves the queue before
    // it is delivered, and nothing is held across the call.
    while (!pending_.empty() && pending_.begin()->first <= now_) {
        const InputEvent event = pending_.begin()->second;
        pending_.erase(pending_.begin());
        if (sink_)
            Deliver(*sink_, event);
    }
}

void HeadlessPlatform::WaitForEvent(uint32_t deadline)
{
    if (!pending_.empty() && pending_.begin()->first <= now_)
        return;
    const int32_t ahead = static_cast<int32_t>(deadline - static_cast<uint32_t>(now_));
    // A deadline already reached still lets a millisecond pass, as a real clock would: a caller
    // looping until the clock is past its deadline then always gets there.
    const uint64_t until = now_ + static_cast<uint64_t>(ahead > 0 ? ahead : 1);
    if (!pending_.empty() && pending_.begin()->first < until)
        now_ = pending_.begin()->first;
    else
        now_ = until;
}

void HeadlessPlatform::WaitForEventForever()
{
    if (pending_.empty() && onIdle)
        onIdle();
    if (pending_.empty())
        throw ProgramExit{0};
    if (pending_.begin()->first > now_)
        now_ = pending_.begin()->first;
}

void HeadlessPlatform::MessageBox(std::string_view title, std::string_view text)
{
    lastMessageTitle_ = title;
    lastMessageText_ = text;
    std::cerr << title << ": " << text << '\n';
}

void HeadlessPlatform::OfferShare(std::string_view line)
{
    if (line.empty())
        return;
    shared_.emplace_back(line);
    std::cout << line << std::endl;
}

void HeadlessPlatform::Narrate(std::string_view line)
{
    narrated_.emplace_back(line);
    std::cout << line << std::endl;
}

void HeadlessPlatform::Schedule(uint32_t atTick, InputEvent event)
{
    const int32_t ahead = static_cast<int32_t>(atTick - static_cast<uint32_t>(now_));
    pending_.emplace(now_ + static_cast<uint64_t>(ahead > 0 ? ahead : 0), event);
}

void HeadlessPlatform::ScheduleAfter(uint32_t ms, InputEvent event)
{
    pending_.emplace(now_ + ms, event);
}

std::string HeadlessPlatform::LoadScript(const std::string& path)
{
    const auto text = FileSystem::ReadFile(path);
    if (!text)
        return "cannot read " + path;
    const HeadlessScript script = ParseHeadlessScript(*text);
    if (!script.error.empty())
        return path + ": " + script.error;
    for (const ScriptedEvent& scripted : script.events)
        Schedule(StartTick + scripted.atMs, scripted.event);
    return "";
}
