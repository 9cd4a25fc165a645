#pragma once

#include "platform/EventSink.h"
#include "platform/InputEvent.h"
#include "platform/NullAudio.h"
#include "platform/Platform.h"

#include <functional>

// Stands between the game and its real platform. Live, it passes everything through and shows the
// game every input first. While replaying, the game runs on a virtual clock that jumps to every
// deadline at once, shows nothing, makes no sound and gets no input from the window, so that a
// kept game is rebuilt in a moment; the clock then goes on from the virtual time, never backwards.
class ReplayPlatform : public Platform {
public:
    explicit ReplayPlatform(Platform& inner);
    ~ReplayPlatform() override;
    ReplayPlatform(const ReplayPlatform&) = delete;
    ReplayPlatform& operator=(const ReplayPlatform&) = delete;

    // Sees every input the window reports before the game does; true takes it from the game. A
    // close is seen too, but always reaches the game.
    std::function<bool(const InputEvent&)> onInput;

    // Called, when live, just before the program sits waiting for an input with no deadline: the
    // moment the game has settled after the last one.
    std::function<void()> onIdle;

    void BeginReplay();
    void EndReplay();

    uint32_t GetTickCount() override;
    void SetEventSink(EventSink* sink) override;
    void ShowWindow() override { inner_.ShowWindow(); }
    void Present(const Picture& picture) override;
    void PumpEvents() override;
    void WaitForEvent(uint32_t deadline) override;
    void WaitForEventForever() override;
    void Breathe() override;
    void MessageBox(std::string_view title, std::string_view text) override
    {
        inner_.MessageBox(title, text);
    }
    AudioOutput& Audio() override;
    void SetTitle(std::string_view title) override { inner_.SetTitle(title); }
    // A replayed game offers nothing: the player never saw its screens.
    void OfferShare(std::string_view line) override
    {
        if (!replaying_)
            inner_.OfferShare(line);
    }
    void Narrate(std::string_view line) override
    {
        if (!replaying_)
            inner_.Narrate(line);
    }

private:
    class Gate : public EventSink {
    public:
        explicit Gate(ReplayPlatform& owner) : owner_(owner) {}
        void KeyDown(int keyCode) override { Pass(InputEvent::Key(keyCode)); }
        void MouseDown(int button, double x, double y) override { Pass(InputEvent::Click(x, y, button)); }
        void Tap(double x, double y) override { Pass(InputEvent::Tap(x, y)); }
        void MouseMove(double x, double y) override { Pass(InputEvent::Move(x, y)); }
        void DblClick() override { Pass(InputEvent::DoubleClick()); }
        int TapTarget(double x, double y) const override
        {
            return owner_.sink_ != nullptr ? owner_.sink_->TapTarget(x, y) : -1;
        }
        void Paint() override;
        void Resize(bool minimized) override;
        void Unload() override;

    private:
        void Pass(const InputEvent& event);
        ReplayPlatform& owner_;
    };

    Platform& inner_;
    Gate gate_;
    EventSink* sink_ = nullptr;
    NullAudio silence_;
    bool replaying_ = false;
    uint32_t virtualNow_ = 0;
    // Added to the real clock once a replay has run ahead of it.
    uint32_t offset_ = 0;
};
