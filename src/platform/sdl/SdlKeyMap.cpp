#include "platform/sdl/SdlKeyMap.h"

namespace {

constexpr int KeypadDigitBase = 96;

// The keypad is told apart by scancode: with NumLock off its keys may report arrow symbols, and the
// game treats keypad 2/4/6/8 the same either way.
int KeypadCode(SDL_Scancode scancode)
{
    switch (scancode) {
    case SDL_SCANCODE_KP_0:
        return KeypadDigitBase;
    case SDL_SCANCODE_KP_1:
    case SDL_SCANCODE_KP_2:
    case SDL_SCANCODE_KP_3:
    case SDL_SCANCODE_KP_4:
    case SDL_SCANCODE_KP_5:
    case SDL_SCANCODE_KP_6:
    case SDL_SCANCODE_KP_7:
    case SDL_SCANCODE_KP_8:
    case SDL_SCANCODE_KP_9:
        return KeypadDigitBase + 1 + (scancode - SDL_SCANCODE_KP_1);
    case SDL_SCANCODE_KP_ENTER:
        return 13;
    default:
        return 0;
    }
}

int SymbolCode(SDL_Keycode sym)
{
    switch (sym) {
    case SDLK_LEFT:
        return 37;
    case SDLK_UP:
        return 38;
    case SDLK_RIGHT:
        return 39;
    case SDLK_DOWN:
        return 40;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_SPACE:
        return 32;
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_ESCAPE:
        return 27;
    case SDLK_KP_0:
        return KeypadDigitBase;
    case SDLK_F2:
        return 113;
    default:
        break;
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9)
        return KeypadDigitBase + 1 + (sym - SDLK_KP_1);
    if (sym >= SDLK_a && sym <= SDLK_z)
        return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return sym;
    return 0;
}

} // namespace

int VirtualKeyCode(const SDL_Keysym& key)
{
    // Ctrl+N asks for a new game as F2 does; the game knows the one code.
    if (key.sym == SDLK_n && (key.mod & KMOD_CTRL) != 0)
        return 113;
    if (const int code = KeypadCode(key.scancode))
        return code;
    return SymbolCode(key.sym);
}
