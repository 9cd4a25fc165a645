#pragma once

#include <string_view>

// The game's virtual key code of a browser key press (0 for a key the game does not know). keyCode
// is the press's keyCode, which browsers give in the same codes for the keys the game plays with;
// code names the physical key ("Numpad5"). The keypad counts by its keys, whatever NumLock says.
int VirtualKeyCode(unsigned long keyCode, std::string_view code);
