#include "platform/web/WebKeyMap.h"

#include "platform/KeyCodes.h"

namespace {

constexpr std::string_view KeypadPrefix = "Numpad";

} // namespace

int VirtualKeyCode(unsigned long keyCode, std::string_view code)
{
    // With NumLock off a keypad key reports itself as an arrow, Home or Clear.
    if (code.starts_with(KeypadPrefix)) {
        const std::string_view rest = code.substr(KeypadPrefix.size());
        if (rest.size() == 1 && rest[0] >= '0' && rest[0] <= '9')
            return KeyCode::Keypad0 + (rest[0] - '0');
        return rest == "Enter" ? KeyCode::Enter : 0;
    }
    switch (keyCode) {
    case KeyCode::Backspace:
    case KeyCode::Enter:
    case KeyCode::Escape:
    case KeyCode::Space:
    case KeyCode::Left:
    case KeyCode::Up:
    case KeyCode::Right:
    case KeyCode::Down:
    case KeyCode::F2:
        return static_cast<int>(keyCode);
    default:
        break;
    }
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9'))
        return static_cast<int>(keyCode);
    return 0;
}
