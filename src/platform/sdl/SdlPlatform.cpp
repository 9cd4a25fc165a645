#include "platform/sdl/SdlPlatform.h"

#include "gfx/Picture.h"
#include "platform/EventSink.h"
#include "platform/NullAudio.h"
#include "platform/StartupLog.h"
#include "platform/sdl/SdlKeyMap.h"
#include "platform/sdl/WindowPresenter.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what)
{
    throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

int GameButton(uint8_t button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 4;
    default:
        return 0;
    }
}

} // namespace

SdlPlatform::SdlPlatform(std::unique_ptr<AudioOutput> audio)
    : audio_(audio ? std::move(audio) : std::make_unique<NullAudio>())
{
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window's own pixel buffer, not one kept by a GL renderer: with a software GL (a virtual
    // X server, a machine without a graphics driver) every frame would cost milliseconds.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Only these subsystems: with joysticks or sensors open, waiting for events turns into polling.
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER) != 0)
        Fail("SDL_Init");
    try {
        window_ = SDL_CreateWindow("Pakaponta", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ClientWidth,
                                   ClientHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        if (!window_)
            Fail("SDL_CreateWindow");
        SDL_SetWindowMinimumSize(window_, ClientWidth, ClientHeight);
        // An input method would otherwise swallow the key presses the game plays with.
        SDL_StopTextInput();
        presenter_ = std::make_unique<WindowPresenter>(window_, ClientWidth, ClientHeight);
    } catch (...) {
        if (window_)
            SDL_DestroyWindow(window_);
        SDL_Quit();
        throw;
    }
}

SdlPlatform::~SdlPlatform()
{
    audio_.reset();
    presenter_.reset();
    SDL_DestroyWindow(window_);
    SDL_Quit();
}

void SdlPlatform::SetAudio(std::unique_ptr<AudioOutput> audio)
{
    audio_ = audio ? std::move(audio) : std::make_unique<NullAudio>();
}

void SdlPlatform::ShowWindow()
{
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
}

void SdlPlatform::Present(const Picture& picture)
{
    // A picture that does not draw holds no pixels: the window keeps what it shows.
    if (picture.Width() < ClientWidth || picture.Height() < ClientHeight || !picture.Data())
        return;
    presenter_->Show(picture.Data(), picture.Width());
    // The loading screen, then the first step of the title.
    if (presents_ < 2)
        StartupLog::Mark(++presents_ == 1 ? "frame-1" : "frame-2");
}

void SdlPlatform::PumpEvents()
{
    // Not SDL_PollEvent: a wait that only peeked leaves SDL's end-of-poll marker ahead of newer
    // events, and polling would stop there with input still queued. Each event leaves the queue
    // before it is handled, so a handler that pumps again or throws ProgramExit leaves nothing
    // half done.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
        Dispatch(event);
}

void SdlPlatform::WaitForEvent(uint32_t deadline)
{
    const int32_t remaining = static_cast<int32_t>(deadline - SDL_GetTicks());
    if (remaining > 0)
        SDL_WaitEventTimeout(nullptr, remaining);
}

void SdlPlatform::WaitForEventForever()
{
    SDL_WaitEvent(nullptr);
}

void SdlPlatform::MessageBox(std::string_view title, std::string_view text)
{
    const std::string titleText(title);
    const std::string bodyText(text);
    std::cerr << titleText << ": " << bodyText << '\n';
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, titleText.c_str(), bodyText.c_str(), window_);
}

void SdlPlatform::SetTitle(std::string_view title)
{
    SDL_SetWindowTitle(window_, std::string(title).c_str());
}

void SdlPlatform::OfferShare(std::string_view line)
{
    if (!line.empty())
        std::cout << line << std::endl;
}

void SdlPlatform::Narrate(std::string_view line)
{
    std::cout << line << std::endl;
}

void SdlPlatform::Dispatch(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        if (sink_ && !unloadSent_) {
            unloadSent_ = true;
            sink_->Unload();
        }
        break;
    case SDL_WINDOWEVENT:
        DispatchWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
        DispatchKey(event.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
        DispatchButton(event.button);
        break;
    case SDL_MOUSEMOTION: {
        int x = event.motion.x;
        int y = event.motion.y;
        if (sink_ && presenter_->ToPicture(x, y))
            sink_->MouseMove(x, y);
        break;
    }
    default:
        break;
    }
}

void SdlPlatform::DispatchWindowEvent(const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        presenter_->Redraw();
        if (sink_)
            sink_->Paint();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        // One minimize may come as both events; pausing twice would lose the music to resume.
        if (sink_ && !minimized_) {
            minimized_ = true;
            sink_->Resize(true);
        }
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        // A new size (maximised, full screen) takes a new scale and new bars.
        presenter_->Redraw();
        [[fallthrough]];
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MAXIMIZED:
        minimized_ = false;
        if (sink_)
            sink_->Resize(false);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        if (sink_ && !unloadSent_) {
            unloadSent_ = true;
            sink_->Unload();
        }
        break;
    default:
        break;
    }
}

void SdlPlatform::DispatchKey(const SDL_KeyboardEvent& event)
{
    const bool enter = event.keysym.sym == SDLK_RETURN || event.keysym.sym == SDLK_KP_ENTER;
    if (enter && (event.keysym.mod & KMOD_ALT)) {
        if (!event.repeat)
            ToggleFullscreen();
        return;
    }
    const int keyCode = VirtualKeyCode(event.keysym);
    if (sink_ && keyCode != 0)
        sink_->KeyDown(keyCode);
}

void SdlPlatform::DispatchButton(const SDL_MouseButtonEvent& event)
{
    const int button = GameButton(event.button);
    int x = event.x;
    int y = event.y;
    if (!sink_ || button == 0)
        return;
    if (!presenter_->ToPicture(x, y)) {
        // A press on the bars reaches nothing, so it cannot be the first half of a double click.
        doubleClick_.Forget();
        return;
    }
    // The second press of a double click comes as a double click alone, so that it cannot also pick
    // a card or a row. The rule measures in the window's own pixels: how far the hand
    // moved, whatever the scale.
    if (doubleClick_.Press(button, event.x, event.y, event.timestamp) && button == 1)
        sink_->DblClick();
    else
        sink_->MouseDown(button, x, y);
}

void SdlPlatform::ToggleFullscreen()
{
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    presenter_->Redraw();
}
