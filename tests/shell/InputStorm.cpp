#include "shell/InputStorm.h"

#include "platform/KeyCodes.h"
#include "shell/FormMain.h"
#include "shell/Game.h"

#include <array>

namespace {

using namespace KeyCode;
constexpr std::array<int, 14> MappedKeys = {Left,    Keypad4, Up,    Keypad8, Right,     Keypad6, Down,
                                            Keypad2, Enter,   Space, Keypad5, Backspace, Escape,  H};
constexpr std::array<int, 12> IgnoredKeys = {0, 9, 16, 65, 90, 96, 97, 99, 103, 105, 112, 255};
constexpr std::array<int, 5> Buttons = {1, 1, 1, 2, 4};

} // namespace

StormPlatform::StormPlatform(uint64_t seed) : random_(seed)
{
}

void StormPlatform::SetEventSink(EventSink* sink)
{
    const bool first = window_ == nullptr && sink != nullptr;
    window_ = sink;
    HeadlessPlatform::SetEventSink(sink != nullptr ? this : nullptr);
    if (first)
        Next();
}

int StormPlatform::Pick(int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(random_);
}

double StormPlatform::Between(double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random_);
}

InputEvent StormPlatform::Draw()
{
    const int kind = Pick(100);
    if (kind < 40) {
        if (Pick(5) != 0)
            return InputEvent::Key(MappedKeys[Pick(MappedKeys.size())]);
        return InputEvent::Key(IgnoredKeys[Pick(IgnoredKeys.size())]);
    }
    if (kind < 70) {
        const int button = Buttons[Pick(Buttons.size())];
        switch (Pick(4)) {
        case 0:
            // Slot by slot across the hand, including the gaps beside it.
            return InputEvent::Click(Between(118, 800), Between(440, 600), button);
        case 1:
            return InputEvent::Click(Between(66, 622), Between(0, 202), button);
        case 2:
            return InputEvent::Click(Between(58, 122), Between(440, 486), button);
        default:
            return InputEvent::Click(Between(-10, 818), Between(-10, 640), button);
        }
    }
    if (kind < 80)
        return InputEvent::DoubleClick();
    if (kind < 99)
        return InputEvent::Move(Between(-10, 818), Between(-10, 640));
    minimized_ = !minimized_;
    return minimized_ ? InputEvent::Minimize() : InputEvent::Restore();
}

void StormPlatform::Next()
{
    ScheduleAfter(static_cast<uint32_t>(1 + Pick(20)), Draw());
}

bool StormPlatform::Holds(bool ok) const
{
    if (game_ == nullptr)
        return false;
    if (spareTurns_ && game_->GameState == StatePlayerTurn)
        return true;
    return ok && game_->GameState == StateTitle && (game_->GameMode & 7) == MenuQuit;
}

void StormPlatform::KeyDown(int keyCode)
{
    ++inputs_;
    Next();
    if (beforeInput)
        beforeInput();
    if (Holds(FormMain::KeyCommand(keyCode) == CmdOk)) {
        ++held_;
        return;
    }
    window_->KeyDown(keyCode);
}

void StormPlatform::MouseDown(int button, double x, double y)
{
    ++inputs_;
    Next();
    if (beforeInput)
        beforeInput();
    if (Holds(button == 1)) {
        ++held_;
        return;
    }
    window_->MouseDown(button, x, y);
}

void StormPlatform::MouseMove(double x, double y)
{
    ++inputs_;
    Next();
    if (beforeInput)
        beforeInput();
    if (Holds(false)) {
        ++held_;
        return;
    }
    window_->MouseMove(x, y);
}

void StormPlatform::DblClick()
{
    ++inputs_;
    Next();
    if (beforeInput)
        beforeInput();
    if (Holds(true)) {
        ++held_;
        return;
    }
    window_->DblClick();
}

void StormPlatform::Paint()
{
    window_->Paint();
}

void StormPlatform::Resize(bool minimized)
{
    ++inputs_;
    Next();
    if (beforeInput)
        beforeInput();
    window_->Resize(minimized);
}

void StormPlatform::Unload()
{
    closedIn_ = game_ != nullptr ? game_->GameState : StateInit;
    window_->Unload();
}
