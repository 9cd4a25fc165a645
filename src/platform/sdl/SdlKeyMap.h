#pragma once

#include <SDL.h>

// The virtual key code the game knows a key by (arrows 37..40, keypad digits 96..105, Enter 13,
// Space 32, Backspace 8, Escape 27, letters and digits as their capitals); 0 for keys it has no use for.
int VirtualKeyCode(const SDL_Keysym& key);
