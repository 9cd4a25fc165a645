#include "platform/sdl/SdlKeyMap.h"

#include "platform/KeyCodes.h"

namespace {

// The keypad is told apart by scancode: with NumLock off its keys may report arrow symbols, and the
// game treats keypad 2/4/6/8 the same either way.
int KeypadCode(SDL_Scancode scancode)
{
    switch (scancode) {
    case SDL_SCANCODE_KP_0:
        return KeyCode::Keypad0;
    case SDL_SCANCODE_KP_1:
    case SDL_SCANCODE_KP_2:
    case SDL_SCANCODE_KP_3:
    case SDL_SCANCODE_KP_4:
    case SDL_SCANCODE_KP_5:
    case SDL_SCANCODE_KP_6:
    case SDL_SCANCODE_KP_7:
    case SDL_SCANCODE_KP_8:
    case SDL_SCANCODE_KP_9:
        return KeyCode::Keypad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
    case SDL_SCANCODE_KP_ENTER:
        return KeyCode::Enter;
    default:
        return 0;
    }
}

int SymbolCode(SDL_Keycode sym)
{
    switch (sym) {
    case SDLK_LEFT:
        return KeyCode::Left;
    case SDLK_UP:
        return KeyCode::Up;
    case SDLK_RIGHT:
        return KeyCode::Right;
    case SDLK_DOWN:
        return KeyCode::Down;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return KeyCode::Enter;
    case SDLK_SPACE:
        return KeyCode::Space;
    case SDLK_BACKSPACE:
        return KeyCode::Backspace;
    case SDLK_ESCAPE:
        return KeyCode::Escape;
    case SDLK_KP_0:
        return KeyCode::Keypad0;
    case SDLK_F2:
        return KeyCode::F2;
    default:
        break;
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9)
        return KeyCode::Keypad0 + 1 + (sym - SDLK_KP_1);
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
        return KeyCode::F2;
    if (const int code = KeypadCode(key.scancode))
        return code;
    return SymbolCode(key.sym);
}
