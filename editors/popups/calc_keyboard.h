// Which calculator key a keystroke presses.
//
// Keys that type no character (Backspace, Enter, Esc, Delete, F9 and the
// Ctrl letters of the memory keys) are read from the key code. Everything
// that types a character is read from the character the keyboard layout
// made of it, so the operators work on a German layout as printed on its
// keys: the main-row "+" types "+" (on a US key code table it would be the
// "=" key), Shift+7 types "/", Shift+8 types "(" and multiplies nothing,
// "#" divides nothing; the keypad types the same characters on every
// layout.
#pragma once

// Key codes used here (the system's virtual-key values).
inline constexpr unsigned kCalcVkBack = 0x08;
inline constexpr unsigned kCalcVkReturn = 0x0D;
inline constexpr unsigned kCalcVkEscape = 0x1B;
inline constexpr unsigned kCalcVkDelete = 0x2E;
inline constexpr unsigned kCalcVkF9 = 0x78;

// The calculator key for a key going down, or -1 when the key is left to
// its character.
int CalcKeyForKeyDown(unsigned vk, bool shift, bool ctrl, bool alt);
// The calculator key for a typed character, or -1: digits, "+", "-", "*",
// "/", "%", "=", "@" (square root, Shift+2 on a US keyboard), "r"/"R"
// (1/x), and "," or "." (and the locale separator) for the separator.
int CalcKeyForChar(unsigned char ch, char separator);
