#pragma once

#include "platform/AudioOutput.h"
#include "platform/InputEvent.h"
#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A platform without window or devices, on a virtual clock: waiting moves the clock on to the next
// scripted input or to the deadline at once, so a whole game runs in a moment and the same script
// always gives the same run.
class HeadlessPlatform : public Platform {
public:
    static constexpr uint32_t StartTick = 1000;

    // Without an audio output the run is silent.
    explicit HeadlessPlatform(std::unique_ptr<AudioOutput> audio = nullptr);
    ~HeadlessPlatform() override;

    uint32_t GetTickCount() override { return static_cast<uint32_t>(now_); }
    void SetEventSink(EventSink* sink) override { sink_ = sink; }
    void ShowWindow() override {}
    void Present(const Picture& picture) override;
    void PumpEvents() override;
    void WaitForEvent(uint32_t deadline) override;
    void WaitForEventForever() override;
    void MessageBox(std::string_view title, std::string_view text) override;
    AudioOutput& Audio() override { return *audio_; }
    // No window, no title.
    void SetTitle(std::string_view) override {}
    // Printed on standard output, as the window does, and kept for tests.
    void OfferShare(std::string_view line) override;
    void Narrate(std::string_view line) override;
    // Every line narrated, in order.
    const std::vector<std::string>& Narrated() const { return narrated_; }

    // An input at tick atTick (compared wrap-safely with the clock; one in the past is due at once).
    // Inputs due at the same tick arrive in the order they were scheduled.
    void Schedule(uint32_t atTick, InputEvent event);
    void ScheduleAfter(uint32_t ms, InputEvent event);
    // Schedules every input of a script file, its times counted from StartTick. Returns "" or
    // what is wrong with the file (nothing is scheduled then).
    std::string LoadScript(const std::string& path);
    void AdvanceClock(uint32_t ms) { now_ += ms; }

    // Called when the run would end for want of input, so that whoever plays next may act.
    std::function<void()> onIdle;

    int PresentCount() const { return presents_; }
    size_t PendingEvents() const { return pending_.size(); }
    const std::string& LastMessageTitle() const { return lastMessageTitle_; }
    const std::string& LastMessageText() const { return lastMessageText_; }
    const std::vector<std::string>& SharedLines() const { return shared_; }

private:
    // The clock runs on 64 bits so that inputs keep their order across the 32-bit wrap.
    uint64_t now_ = StartTick;
    std::multimap<uint64_t, InputEvent> pending_;
    EventSink* sink_ = nullptr;
    std::unique_ptr<AudioOutput> audio_;
    int presents_ = 0;
    std::string lastMessageTitle_;
    std::string lastMessageText_;
    std::vector<std::string> shared_;
    std::vector<std::string> narrated_;
};
