#pragma once

#include "platform/AudioOutput.h"
#include "platform/DoubleClickRule.h"
#include "platform/InputEvent.h"
#include "platform/Platform.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// The web page: the picture on the page's canvas (Module.canvas), input from the browser's events
// turned into the game's own key codes and mouse events, and waits that hand the browser its turn.
// Every wait sleeps through Asyncify until its deadline or the next input; the program's own stack,
// nested waits and all, stays where it was meanwhile.
class WebPlatform : public Platform {
public:
    // Throws std::runtime_error when the page has no canvas.
    explicit WebPlatform(std::unique_ptr<AudioOutput> audio = nullptr);
    ~WebPlatform() override;
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    void SetAudio(std::unique_ptr<AudioOutput> audio);
    // Whether the program has slept: after that, main's return no longer ends it for the page.
    static bool HasSlept();

    uint32_t GetTickCount() override;
    void SetEventSink(EventSink* sink) override { sink_ = sink; }
    void ShowWindow() override {}
    void Present(const Picture& picture) override;
    void PumpEvents() override;
    void WaitForEvent(uint32_t deadline) override;
    void WaitForEventForever() override;
    void Breathe() override;
    void MessageBox(std::string_view title, std::string_view text) override;
    AudioOutput& Audio() override { return *audio_; }
    void SetTitle(std::string_view title) override;
    void OfferShare(std::string_view line) override;
    void Narrate(std::string_view line) override;

    // From the browser's callbacks: queues the input, delivered in order by PumpEvents, and ends
    // the current wait.
    void Queue(const InputEvent& input);
    // A hidden tab is the page's minimized window: the music pauses until it shows again.
    void SetHidden(bool hidden);
    // A press of a mouse button (1 left, 2 right, 4 middle) at a point of the canvas in CSS pixels.
    void Press(int button, long cssX, long cssY);
    // A tap of a finger there: a left click, or a double click on the target of the tap before it.
    void Tap(long cssX, long cssY);
    void Move(long cssX, long cssY);

private:
    // The canvas point in picture pixels; false outside the picture.
    bool ToPicture(long cssX, long cssY, double& x, double& y) const;

    EventSink* sink_ = nullptr;
    std::unique_ptr<AudioOutput> audio_;
    std::deque<InputEvent> queue_;
    DoubleClickRule doubleClick_;
    // The frame on the canvas, to send the browser only the block that changed, and the same in the
    // canvas's byte order.
    std::vector<uint32_t> shown_;
    std::vector<uint32_t> rgba_;
    bool minimized_ = false;
    bool painted_ = false;
    // When the page last had its turn; a computer player that thinks for longer than BreathInterval
    // hands it a frame.
    static constexpr int32_t BreathInterval = 50;
    uint32_t lastBreath_ = 0;
};
