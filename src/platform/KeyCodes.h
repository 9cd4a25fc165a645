#pragma once

// The key codes the game receives, the same whatever the back-end: the arrows, Enter, Space,
// Backspace and Escape by these codes, the keypad's digits from Keypad0 on (NumLock or not), and
// letters and digits as their upper-case ASCII codes.
namespace KeyCode {

constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Keypad0 = 96;
constexpr int Keypad2 = Keypad0 + 2;
constexpr int Keypad4 = Keypad0 + 4;
constexpr int Keypad5 = Keypad0 + 5;
constexpr int Keypad6 = Keypad0 + 6;
constexpr int Keypad8 = Keypad0 + 8;
constexpr int F2 = 113;
constexpr int H = 'H';
constexpr int S = 'S';

} // namespace KeyCode
