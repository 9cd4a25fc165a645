#pragma once

#include "platform/AudioOutput.h"
#include "platform/DoubleClickRule.h"
#include "platform/Platform.h"

#include <SDL.h>
#include <cstdint>
#include <memory>

class WindowPresenter;

// The real window: a client area of ClientWidth x ClientHeight showing the top-left of the game's
// picture, scaled by whole factors when the window is maximised or full screen, with input turned
// into the game's own key codes and mouse events.
class SdlPlatform : public Platform {
public:
    // Opens the window hidden. Throws std::runtime_error when SDL or the window cannot start.
    // Without an audio output the game is silent until SetAudio gives it one.
    explicit SdlPlatform(std::unique_ptr<AudioOutput> audio = nullptr);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // The sound device needs SDL's audio started, so the real output is made after the platform.
    void SetAudio(std::unique_ptr<AudioOutput> audio);

    uint32_t GetTickCount() override { return SDL_GetTicks(); }
    void SetEventSink(EventSink* sink) override { sink_ = sink; }
    void ShowWindow() override;
    void Present(const Picture& picture) override;
    void PumpEvents() override;
    void WaitForEvent(uint32_t deadline) override;
    void WaitForEventForever() override;
    void MessageBox(std::string_view title, std::string_view text) override;
    AudioOutput& Audio() override { return *audio_; }
    void SetTitle(std::string_view title) override;
    void OfferShare(std::string_view line) override;
    void Narrate(std::string_view line) override;

private:
    void Dispatch(const SDL_Event& event);
    void DispatchWindowEvent(const SDL_WindowEvent& event);
    void DispatchKey(const SDL_KeyboardEvent& event);
    void DispatchButton(const SDL_MouseButtonEvent& event);
    void ToggleFullscreen();

    SDL_Window* window_ = nullptr;
    // Keeps the last picture shown, so that the window can be repainted whatever the game is doing.
    std::unique_ptr<WindowPresenter> presenter_;
    EventSink* sink_ = nullptr;
    std::unique_ptr<AudioOutput> audio_;
    // SDL's own count of clicks allows a far wider spot than the game's rows and cards.
    DoubleClickRule doubleClick_;
    bool unloadSent_ = false;
    bool minimized_ = false;
    int presents_ = 0;
};
