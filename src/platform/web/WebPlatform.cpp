#include "platform/web/WebPlatform.h"

#include "gfx/ChangedArea.h"
#include "gfx/Picture.h"
#include "platform/EventSink.h"
#include "platform/NullAudio.h"
#include "platform/web/WebKeyMap.h"

#include <cmath>
#include <emscripten.h>
#include <emscripten/html5.h>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* Canvas = "#canvas";

// Sleeps until ms have passed (forever when negative) or an input wakes it: Asyncify saves the
// program's stack, the browser runs its events, and the program goes on where it stopped.
// An input wakes it through a fresh task, never from inside the input's own callback, which runs
// on the program's code.
// clang-format off
EM_JS(void, pakaponta_sleep, (double ms), {
    Asyncify.handleSleep(function(wakeUp) {
        var timer = 0;
        var wake = function() {
            if (Module.pakapontaWake !== ring)
                return;
            Module.pakapontaWake = null;
            clearTimeout(timer);
            wakeUp();
        };
        var ring = function() { setTimeout(wake, 0); };
        Module.pakapontaWake = ring;
        if (ms >= 0)
            timer = setTimeout(wake, ms);
    });
});

// Returns once the browser has painted: the page shows a frame only when the program lets it.
EM_JS(void, pakaponta_await_paint, (), {
    Asyncify.handleSleep(function(wakeUp) {
        requestAnimationFrame(function() { setTimeout(wakeUp, 0); });
    });
});

EM_JS(void, pakaponta_wake, (), {
    if (Module.pakapontaWake)
        Module.pakapontaWake();
});

// The right button plays a part in the game: the canvas shows no menu of its own. The program draws
// on the canvas's offscreen twin: its frames go to the screen without the page's own compositing
// pass, which made a frame cost the browser a quarter more.
EM_JS(int, pakaponta_open_canvas, (int width, int height), {
    var canvas = Module['canvas'];
    if (!canvas || !canvas.getContext)
        return 0;
    canvas.width = width;
    canvas.height = height;
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    var surface = canvas.transferControlToOffscreen ? canvas.transferControlToOffscreen() : canvas;
    Module.pakapontaContext = surface.getContext('2d');
    return 1;
});

// The image is a view of the program's own memory: nothing is copied before the browser takes the
// block. Memory that grew is a new buffer, and then the view is made anew.
EM_JS(void, pakaponta_put_block, (const uint32_t* rgba, int width, int height, int left, int top, int right,
                                  int bottom), {
    var image = Module.pakapontaImage;
    if (!image || image.data.buffer !== HEAPU8.buffer) {
        image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
        Module.pakapontaImage = image;
    }
    Module.pakapontaContext.putImageData(image, 0, 0, left, top, right - left, bottom - top);
});

// The page shows the message where the player looks, in place of the picture; a page without that
// place has the browser's own box.
EM_JS(void, pakaponta_alert, (const char* title, const char* text), {
    if (Module['showMessage'])
        Module['showMessage'](UTF8ToString(title), UTF8ToString(text));
    else
        window.alert(UTF8ToString(title) + ': ' + UTF8ToString(text));
});

EM_JS(void, pakaponta_set_title, (const char* title), { document.title = UTF8ToString(title); });

// The page shows its Share control for a line and hides it for an empty one.
EM_JS(void, pakaponta_offer_share, (const char* line), {
    if (Module['offerShare'])
        Module['offerShare'](UTF8ToString(line));
});

// The page says the line in its live region.
EM_JS(void, pakaponta_narrate, (const char* line), {
    if (Module['narrate'])
        Module['narrate'](UTF8ToString(line));
});

// The page's on-screen buttons press keys through Module.pakapontaKey(code); with no platform left
// to take them, they press nothing.
EM_JS(void, pakaponta_bind_keys, (void* owner), {
    Module['pakapontaKey'] = function(code) {
        if (owner)
            Module['_pakaponta_key'](owner, code);
    };
});
// clang-format on

bool slept = false;

void Sleep(double ms)
{
    slept = true;
    pakaponta_sleep(ms);
}

WebPlatform* Owner(void* userData)
{
    return static_cast<WebPlatform*>(userData);
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* event, void* userData)
{
    // The browser's own shortcuts stay the browser's.
    if (event->ctrlKey || event->metaKey || event->altKey)
        return EM_FALSE;
    const int code = VirtualKeyCode(event->keyCode, event->code);
    if (code == 0)
        return EM_FALSE;
    Owner(userData)->Queue(InputEvent::Key(code));
    // The arrows, Space and Backspace would otherwise scroll the page or leave it.
    return EM_TRUE;
}

int GameButton(unsigned short button)
{
    switch (button) {
    case 0:
        return 1;
    case 1:
        return 4;
    case 2:
        return 2;
    default:
        return 0;
    }
}

EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent* event, void* userData)
{
    const int button = GameButton(event->button);
    if (button == 0)
        return EM_FALSE;
    Owner(userData)->Press(button, event->targetX, event->targetY);
    return EM_TRUE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void* userData)
{
    Owner(userData)->Move(event->targetX, event->targetY);
    return EM_FALSE;
}

// A tap is a left click where the finger lands; the browser then makes no mouse events of it.
EM_BOOL OnTouchStart(int, const EmscriptenTouchEvent* event, void* userData)
{
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (touch.isChanged) {
            Owner(userData)->Move(touch.targetX, touch.targetY);
            Owner(userData)->Tap(touch.targetX, touch.targetY);
            break;
        }
    }
    return EM_TRUE;
}

} // namespace

// A key from the page's on-screen buttons, by its key code.
extern "C" EMSCRIPTEN_KEEPALIVE void pakaponta_key(WebPlatform* owner, int code)
{
    owner->Queue(InputEvent::Key(code));
}

namespace {

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* userData)
{
    Owner(userData)->SetHidden(event->hidden);
    return EM_FALSE;
}

} // namespace

WebPlatform::WebPlatform(std::unique_ptr<AudioOutput> audio)
    : audio_(audio ? std::move(audio) : std::make_unique<NullAudio>()),
      shown_(static_cast<size_t>(ClientWidth) * ClientHeight, 0xFFFFFFFF),
      rgba_(static_cast<size_t>(ClientWidth) * ClientHeight)
{
    if (!pakaponta_open_canvas(ClientWidth, ClientHeight))
        throw std::runtime_error("The page has no canvas to draw on.");
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_TRUE, OnKeyDown);
    emscripten_set_mousedown_callback(Canvas, this, EM_TRUE, OnMouseDown);
    emscripten_set_mousemove_callback(Canvas, this, EM_TRUE, OnMouseMove);
    emscripten_set_touchstart_callback(Canvas, this, EM_TRUE, OnTouchStart);
    emscripten_set_visibilitychange_callback(this, EM_TRUE, OnVisibility);
    pakaponta_bind_keys(this);
}

WebPlatform::~WebPlatform()
{
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, nullptr);
    emscripten_set_mousedown_callback(Canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_mousemove_callback(Canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_touchstart_callback(Canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, nullptr);
    pakaponta_bind_keys(nullptr);
}

bool WebPlatform::HasSlept()
{
    return slept;
}

void WebPlatform::SetAudio(std::unique_ptr<AudioOutput> audio)
{
    audio_ = audio ? std::move(audio) : std::make_unique<NullAudio>();
}

uint32_t WebPlatform::GetTickCount()
{
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

void WebPlatform::Present(const Picture& picture)
{
    // A picture that does not draw holds no pixels: the canvas keeps what it shows.
    if (picture.Width() < ClientWidth || picture.Height() < ClientHeight || !picture.Data())
        return;
    const Rect area = ChangedArea(shown_.data(), picture.Data(), picture.Width(), ClientWidth, ClientHeight);
    if (Empty(area))
        return;
    const int width = area.right - area.left;
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* in = picture.Data() + static_cast<ptrdiff_t>(y) * picture.Width() + area.left;
        const size_t offset = static_cast<size_t>(y) * ClientWidth + area.left;
        uint32_t* shown = shown_.data() + offset;
        // The canvas reads bytes R, G, B, A: little-endian words 0xAABBGGRR.
        uint32_t* out = rgba_.data() + offset;
        for (int x = 0; x < width; ++x) {
            shown[x] = in[x];
            out[x] = 0xFF000000u | (in[x] & 0xFF00u) | ((in[x] & 0xFFu) << 16) | ((in[x] >> 16) & 0xFFu);
        }
    }
    pakaponta_put_block(rgba_.data(), ClientWidth, ClientHeight, area.left, area.top, area.right,
                        area.bottom);
    // The loading screen is up while the data is read, before the program first waits.
    if (!painted_) {
        painted_ = true;
        pakaponta_await_paint();
    }
}

void WebPlatform::PumpEvents()
{
    // Each input leaves the queue before it is delivered: the game may pump again from inside a
    // handler, or end the program by throwing.
    while (!queue_.empty()) {
        const InputEvent input = queue_.front();
        queue_.pop_front();
        if (sink_)
            Deliver(*sink_, input);
    }
}

void WebPlatform::WaitForEvent(uint32_t deadline)
{
    if (!queue_.empty())
        return;
    const int32_t remaining = static_cast<int32_t>(deadline - GetTickCount());
    if (remaining > 0)
        Sleep(remaining);
    lastBreath_ = GetTickCount();
}

void WebPlatform::WaitForEventForever()
{
    if (queue_.empty())
        Sleep(-1);
    lastBreath_ = GetTickCount();
}

void WebPlatform::Breathe()
{
    PumpEvents();
    if (static_cast<int32_t>(GetTickCount() - lastBreath_) < BreathInterval)
        return;
    pakaponta_await_paint();
    lastBreath_ = GetTickCount();
    PumpEvents();
}

void WebPlatform::SetTitle(std::string_view title)
{
    pakaponta_set_title(std::string(title).c_str());
}

void WebPlatform::OfferShare(std::string_view line)
{
    pakaponta_offer_share(std::string(line).c_str());
}

void WebPlatform::Narrate(std::string_view line)
{
    pakaponta_narrate(std::string(line).c_str());
}

void WebPlatform::MessageBox(std::string_view title, std::string_view text)
{
    const std::string heading(title);
    const std::string body(text);
    std::cerr << heading << ": " << body << '\n';
    pakaponta_alert(heading.c_str(), body.c_str());
}

void WebPlatform::Queue(const InputEvent& input)
{
    queue_.push_back(input);
    pakaponta_wake();
}

void WebPlatform::SetHidden(bool hidden)
{
    if (hidden == minimized_)
        return;
    minimized_ = hidden;
    Queue(hidden ? InputEvent::Minimize() : InputEvent::Restore());
}

void WebPlatform::Press(int button, long cssX, long cssY)
{
    double x = 0;
    double y = 0;
    if (!ToPicture(cssX, cssY, x, y)) {
        // A press that reaches nothing cannot be the first half of a double click.
        doubleClick_.Forget();
        return;
    }
    // Judged in the pointer's own pixels, as the desktop judges it in the screen's.
    const bool second =
        doubleClick_.Press(button, static_cast<int>(cssX), static_cast<int>(cssY), GetTickCount());
    if (second && button == 1)
        Queue(InputEvent::DoubleClick());
    else
        Queue(InputEvent::Click(x, y, button));
}

void WebPlatform::Tap(long cssX, long cssY)
{
    double x = 0;
    double y = 0;
    if (!ToPicture(cssX, cssY, x, y)) {
        doubleClick_.Forget();
        return;
    }
    const int target = sink_ ? sink_->TapTarget(x, y) : -1;
    if (doubleClick_.Tap(target, GetTickCount()))
        Queue(InputEvent::DoubleClick());
    else
        Queue(InputEvent::Tap(x, y));
}

void WebPlatform::Move(long cssX, long cssY)
{
    double x = 0;
    double y = 0;
    if (ToPicture(cssX, cssY, x, y))
        Queue(InputEvent::Move(x, y));
}

bool WebPlatform::ToPicture(long cssX, long cssY, double& x, double& y) const
{
    double width = 0;
    double height = 0;
    if (emscripten_get_element_css_size(Canvas, &width, &height) != EMSCRIPTEN_RESULT_SUCCESS || width <= 0 ||
        height <= 0) {
        return false;
    }
    x = std::floor(static_cast<double>(cssX) * ClientWidth / width);
    y = std::floor(static_cast<double>(cssY) * ClientHeight / height);
    return x >= 0 && y >= 0 && x < ClientWidth && y < ClientHeight;
}
