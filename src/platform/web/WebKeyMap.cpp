#include "platform/web/WebKeyMap.h"

namespace {

constexpr int KeypadDigitBase = 96;
constexpr std::string_view KeypadPrefix = "Numpad";

} // namespace

int VirtualKeyCode(unsigned long keyCode, std::string_view code)
{
    // With NumLock off a keypad key reports itself as an arrow, Home or Clear.
    if (code.starts_with(KeypadPrefix)) {
        const std::string_view rest = code.substr(KeypadPrefix.size());
        if (rest.size() == 1 && rest[0] >= '0' && rest[0] <= '9')
            return KeypadDigitBase + (rest[0] - '0');
        return rest == "Enter" ? 13 : 0;
    }
    switch (keyCode) {
    case 8:  // Backspace
    case 13: // Enter
    case 27: // Escape
    case 32: // Space
    case 37: // the arrows
    case 38:
    case 39:
    case 40:
    case 113: // F2
        return static_cast<int>(keyCode);
    default:
        break;
    }
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9'))
        return static_cast<int>(keyCode);
    return 0;
}
