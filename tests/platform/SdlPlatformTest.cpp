#include "platform/sdl/SdlPlatform.h"

#include "gfx/FontEngine.h"
#include "gfx/Picture.h"
#include "platform/EventSink.h"
#include "platform/ProgramExit.h"
#include "platform/sdl/SdlKeyMap.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The game's pictures: larger than the window, which shows their top-left corner.
constexpr int PictureW = 808;
constexpr int PictureH = 630;

class RecordingSink : public EventSink {
public:
    void KeyDown(int keyCode) override { seen.push_back("key " + std::to_string(keyCode)); }
    void MouseDown(int button, double x, double y) override
    {
        seen.push_back("click " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) + " " +
                       std::to_string(static_cast<int>(y)));
    }
    void MouseMove(double x, double y) override
    {
        seen.push_back("move " + std::to_string(static_cast<int>(x)) + " " +
                       std::to_string(static_cast<int>(y)));
    }
    void DblClick() override { seen.push_back("dblclick"); }
    void Paint() override { seen.push_back("paint"); }
    void Resize(bool minimized) override { seen.push_back(minimized ? "minimize" : "restore"); }
    void Unload() override
    {
        seen.push_back("unload");
        if (exitOnUnload)
            throw ProgramExit{0};
    }

    std::vector<std::string> seen;
    bool exitOnUnload = false;
};

SDL_Keysym Key(SDL_Scancode scancode, SDL_Keycode sym, uint16_t mod = KMOD_NONE)
{
    SDL_Keysym key{};
    key.scancode = scancode;
    key.sym = sym;
    key.mod = mod;
    return key;
}

TEST(SdlKeyMapTest, GameKeysGetTheirVirtualCodes)
{
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_LEFT, SDLK_LEFT)), 37);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_UP, SDLK_UP)), 38);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_RIGHT, SDLK_RIGHT)), 39);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_DOWN, SDLK_DOWN)), 40);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_RETURN, SDLK_RETURN)), 13);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER)), 13);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_SPACE, SDLK_SPACE)), 32);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE)), 8);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE)), 27);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_F1, SDLK_F1)), 0);
}

TEST(SdlKeyMapTest, KeypadGivesKeypadCodesWithNumLockOnOrOff)
{
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_2, SDLK_KP_2, KMOD_NUM)), 98);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_4, SDLK_KP_4, KMOD_NUM)), 100);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NUM)), 101);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_6, SDLK_KP_6, KMOD_NUM)), 102);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM)), 104);
    // NumLock off: the symbols are arrows, the scancodes still say keypad.
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_2, SDLK_DOWN)), 98);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_4, SDLK_LEFT)), 100);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_6, SDLK_RIGHT)), 102);
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_KP_8, SDLK_UP)), 104);
    // A keypad symbol with an unknown scancode still counts.
    EXPECT_EQ(VirtualKeyCode(Key(SDL_SCANCODE_UNKNOWN, SDLK_KP_5)), 101);
}

class SdlPlatformTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }

    static void PushButton(uint8_t button, int clicks, int x, int y)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = button;
        event.button.clicks = static_cast<uint8_t>(clicks);
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }

    static void PushKey(SDL_Keysym key)
    {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym = key;
        SDL_PushEvent(&event);
    }

    // The platform's one window.
    static SDL_Window* TheWindow()
    {
        SDL_Window* window = nullptr;
        for (uint32_t id = 1; id < 100 && window == nullptr; ++id)
            window = SDL_GetWindowFromID(id);
        return window;
    }

    // What the window's buffer holds at a point, as 0xRRGGBB.
    static uint32_t WindowPixel(int x, int y)
    {
        SDL_Surface* surface = SDL_GetWindowSurface(TheWindow());
        if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
            return 0xFFFFFFFF;
        uint32_t pixel = 0;
        SDL_Rect one{x, y, 1, 1};
        SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_RGB888);
        SDL_BlitSurface(surface, &one, copy, nullptr);
        pixel = *static_cast<uint32_t*>(copy->pixels) & 0xFFFFFF;
        SDL_FreeSurface(copy);
        return pixel;
    }

    static void PushWindowEvent(SDL_WindowEventID id)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = id;
        SDL_PushEvent(&event);
    }
};

// A picture draws only when it has fonts; without them the tests that look at drawn pixels are skipped.
class SdlDrawingTest : public SdlPlatformTest {
protected:
    void SetUp() override
    {
        SdlPlatformTest::SetUp();
        try {
            fonts = FontEngine::Create();
        } catch (const std::runtime_error&) {
            GTEST_SKIP() << "no Japanese font installed";
        }
    }

    std::unique_ptr<FontEngine> fonts;
};

TEST_F(SdlPlatformTest, PresentsAndPumpsWithoutADisplay)
{
    SdlPlatform platform;
    RecordingSink sink;
    platform.SetEventSink(&sink);
    platform.ShowWindow();
    Picture picture(nullptr, PictureW, PictureH);
    platform.Present(picture);
    platform.PumpEvents();
    const uint32_t start = platform.GetTickCount();
    platform.WaitForEvent(start + 20);
    platform.PumpEvents();
    EXPECT_GE(platform.GetTickCount() - start, 0u);
    platform.Present(picture);
}

TEST_F(SdlDrawingTest, WindowShowsThePictureInItsColours)
{
    SdlPlatform platform;
    Picture picture(fonts.get(), PictureW, PictureH);
    picture.Clear();
    picture.SetPixel(10, 20, Rgb(255, 0, 0));
    picture.SetPixel(799, 599, Rgb(0, 0, 255));
    picture.SetPixel(800, 20, Rgb(255, 0, 0));
    picture.SetPixel(20, 600, Rgb(255, 0, 0));
    platform.Present(picture);

    int width = 0;
    int height = 0;
    SDL_GetWindowSize(TheWindow(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(WindowPixel(10, 20), 0xFF0000u);
    EXPECT_EQ(WindowPixel(799, 599), 0x0000FFu);
    EXPECT_EQ(WindowPixel(400, 300), 0xFFFFFFu);

    // Only what changed is sent again; what did not change stays on the screen. A change outside
    // the corner shown is no change at all.
    picture.SetPixel(10, 20, Rgb(0, 255, 0));
    picture.SetPixel(805, 300, Rgb(0, 255, 0));
    platform.Present(picture);
    EXPECT_EQ(WindowPixel(10, 20), 0x00FF00u);
    EXPECT_EQ(WindowPixel(799, 599), 0x0000FFu);
}

TEST_F(SdlDrawingTest, TheWindowKeepsUpWithEveryFrameOfAnAnimation)
{
    SdlPlatform platform;
    Picture picture(fonts.get(), PictureW, PictureH);
    picture.Clear();
    platform.Present(picture);
    picture.SetFillSolid(true);
    // Boxes here and there, one frame each, as a card or a pop-up moves; some frames change nothing.
    uint32_t seed = 12345;
    auto next = [&seed](int below) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(below));
    };
    for (int frame = 0; frame < 40; ++frame) {
        if (frame % 5 != 4) {
            const int x = next(ClientWidth + 40) - 20;
            const int y = next(ClientHeight + 40) - 20;
            picture.SetForeColor(Rgb(next(256), next(256), next(256)));
            picture.SetFillColor(Rgb(next(256), next(256), next(256)));
            picture.Rectangle(x, y, x + 1 + next(120), y + 1 + next(90));
        }
        platform.Present(picture);
        for (int y = 0; y < ClientHeight; y += 3) {
            for (int x = frame % 3; x < ClientWidth; x += 3) {
                const Color c = picture.Pixel(x, y);
                const uint32_t expected = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
                ASSERT_EQ(WindowPixel(x, y), expected) << "frame " << frame << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(SdlDrawingTest, ALargerWindowShowsThePictureScaledAndMapsThePointerBack)
{
    SdlPlatform platform;
    RecordingSink sink;
    platform.SetEventSink(&sink);
    Picture picture(fonts.get(), PictureW, PictureH);
    picture.Clear();
    picture.SetPixel(0, 0, Rgb(255, 0, 0));
    picture.SetPixel(799, 599, Rgb(0, 0, 255));
    platform.Present(picture);

    // Twice the client area and 20 pixels more each way: scale 2, bars of 10 pixels all round.
    SDL_SetWindowSize(TheWindow(), 2 * ClientWidth + 20, 2 * ClientHeight + 20);
    platform.PumpEvents();
    sink.seen.clear();
    picture.SetPixel(400, 300, Rgb(0, 255, 0));
    platform.Present(picture);
    EXPECT_EQ(WindowPixel(0, 0), 0x000000u);
    EXPECT_EQ(WindowPixel(9, 9), 0x000000u);
    EXPECT_EQ(WindowPixel(10, 10), 0xFF0000u);
    EXPECT_EQ(WindowPixel(11, 11), 0xFF0000u);
    EXPECT_EQ(WindowPixel(12, 12), 0xFFFFFFu);
    EXPECT_EQ(WindowPixel(10 + 800, 10 + 600), 0x00FF00u);
    EXPECT_EQ(WindowPixel(10 + 801, 10 + 601), 0x00FF00u);
    EXPECT_EQ(WindowPixel(10 + 2 * 799 + 1, 10 + 2 * 599 + 1), 0x0000FFu);
    EXPECT_EQ(WindowPixel(10 + 2 * 800, 10 + 2 * 600), 0x000000u);

    PushButton(SDL_BUTTON_LEFT, 1, 10 + 2 * 150 + 1, 10 + 2 * 450);
    PushButton(SDL_BUTTON_LEFT, 1, 9, 100);
    PushButton(SDL_BUTTON_LEFT, 1, 10 + 2 * 800, 100);
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = 10 + 2 * 799 + 1;
    move.motion.y = 10;
    SDL_PushEvent(&move);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"click 1 150 450", "move 799 0"}));
}

TEST_F(SdlPlatformTest, TurnsInputIntoTheGamesEvents)
{
    SdlPlatform platform;
    RecordingSink sink;
    platform.SetEventSink(&sink);
    platform.PumpEvents();
    sink.seen.clear();

    PushKey(Key(SDL_SCANCODE_KP_4, SDLK_LEFT));
    PushKey(Key(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));
    PushButton(SDL_BUTTON_LEFT, 1, 150, 450);
    PushButton(SDL_BUTTON_LEFT, 2, 150, 450);
    PushButton(SDL_BUTTON_LEFT, 3, 150, 450);
    PushButton(SDL_BUTTON_RIGHT, 1, 10, 20);
    PushButton(SDL_BUTTON_MIDDLE, 1, 10, 20);
    PushButton(SDL_BUTTON_LEFT, 1, 800, 100);
    PushButton(SDL_BUTTON_LEFT, 1, 100, 600);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen,
              (std::vector<std::string>{"key 100", "click 1 150 450", "dblclick", "click 1 150 450",
                                        "click 2 10 20", "click 4 10 20", "minimize", "restore", "paint"}));
}

// SDL calls two presses 32 pixels apart a double click; the game's rows lie 16 pixels apart.
TEST_F(SdlPlatformTest, ADoubleClickIsTwoPressesOnOneSpot)
{
    SdlPlatform platform;
    RecordingSink sink;
    platform.SetEventSink(&sink);
    platform.PumpEvents();
    sink.seen.clear();

    PushButton(SDL_BUTTON_LEFT, 1, 300, 42);
    PushButton(SDL_BUTTON_LEFT, 2, 300, 58);
    PushButton(SDL_BUTTON_LEFT, 3, 301, 59);
    // A press outside the client area ends the pair it would have been the second of.
    PushButton(SDL_BUTTON_LEFT, 1, 300, 200);
    PushButton(SDL_BUTTON_LEFT, 2, 300, 600);
    PushButton(SDL_BUTTON_LEFT, 3, 300, 200);
    PushButton(SDL_BUTTON_RIGHT, 1, 300, 200);
    PushButton(SDL_BUTTON_RIGHT, 2, 300, 200);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen,
              (std::vector<std::string>{"click 1 300 42", "click 1 300 58", "dblclick", "click 1 300 200",
                                        "click 1 300 200", "click 2 300 200", "click 2 300 200"}));
}

// An X11 window manager reports a minimize as "hidden" and "minimized", a restore as "shown" and
// "restored". A second minimize notice would make the music forget what it was playing.
TEST_F(SdlPlatformTest, OneMinimizeReachesTheGameOnceHoweverManyWaysItIsReported)
{
    SdlPlatform platform;
    RecordingSink sink;
    platform.SetEventSink(&sink);
    platform.PumpEvents();
    sink.seen.clear();

    PushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(SDL_WINDOWEVENT_SHOWN);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"minimize", "restore", "restore", "minimize", "restore"}));
}

TEST_F(SdlPlatformTest, AltEnterStaysInsideThePlatform)
{
    SdlPlatform platform;
    RecordingSink sink;
    platform.SetEventSink(&sink);
    platform.PumpEvents();
    sink.seen.clear();
    PushKey(Key(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT));
    PushKey(Key(SDL_SCANCODE_RETURN, SDLK_RETURN));
    platform.PumpEvents();
    // The switch to full screen reports its own size changes; only the plain Enter is a key.
    std::vector<std::string> keys;
    std::copy_if(sink.seen.begin(), sink.seen.end(), std::back_inserter(keys),
                 [](const std::string& what) { return what.starts_with("key"); });
    EXPECT_EQ(keys, std::vector<std::string>{"key 13"});
}

TEST_F(SdlPlatformTest, CloseUnloadsOnceAndExitStopsThePump)
{
    SdlPlatform platform;
    RecordingSink sink;
    sink.exitOnUnload = true;
    platform.SetEventSink(&sink);
    platform.PumpEvents();
    sink.seen.clear();
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    PushKey(Key(SDL_SCANCODE_SPACE, SDLK_SPACE));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_THROW(platform.PumpEvents(), ProgramExit);
    EXPECT_EQ(sink.seen, std::vector<std::string>{"unload"});
    sink.exitOnUnload = false;
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"unload", "key 32"}));
}

TEST_F(SdlPlatformTest, WaitReturnsByTheDeadline)
{
    SdlPlatform platform;
    platform.PumpEvents();
    const uint32_t start = platform.GetTickCount();
    platform.WaitForEvent(start + 30);
    const uint32_t waited = platform.GetTickCount() - start;
    EXPECT_LT(waited, 1000u);
    platform.WaitForEvent(start - 5);
    PushKey(Key(SDL_SCANCODE_SPACE, SDLK_SPACE));
    platform.WaitForEventForever();
    RecordingSink sink;
    platform.SetEventSink(&sink);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, std::vector<std::string>{"key 32"});
}

} // namespace
