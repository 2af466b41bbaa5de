// Keys and characters delivered the way a user's keys arrive: posted to the
// window with the focus and handled by the application's own loop, so every
// stage of the key pipeline runs (CN_KEYDOWN, CM_CHILDKEY, the dialog codes,
// the form's Tab/Enter/Escape) and TranslateMessage makes the characters.
// Key tests use these instead of sending WM_KEYDOWN/WM_CHAR to a control:
// a message sent straight to a window skips everything a real key meets.
#pragma once

#include <windows.h>

#include <string>

#include "framework/application.h"

namespace user_input {

enum Modifier : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// The thread's key state (what GetKeyState answers) shows the modifiers
// while the scope lives, as it would while a user holds them.
class ModifierScope {
public:
    explicit ModifierScope(unsigned mods) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        auto set = [&](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
        set(VK_SHIFT, mods & kShift);
        set(VK_LSHIFT, mods & kShift);
        set(VK_CONTROL, mods & kCtrl);
        set(VK_LCONTROL, mods & kCtrl);
        set(VK_MENU, mods & kAlt);
        set(VK_LMENU, mods & kAlt);
        SetKeyboardState(state);
    }
    ~ModifierScope() { SetKeyboardState(saved_); }
    ModifierScope(const ModifierScope&) = delete;
    ModifierScope& operator=(const ModifierScope&) = delete;

private:
    BYTE saved_[256];
};

inline bool IsExtendedKey(WORD vk) {
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

// The lParam a keyboard gives a key message: repeat 1, the scan code, the
// extended bit, Alt as context code, and for a release the previous-state
// and transition bits.
inline LPARAM KeyLParam(WORD vk, bool up, bool alt) {
    LPARAM l = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (IsExtendedKey(vk)) l |= 1L << 24;
    if (alt) l |= 1L << 29;
    if (up) l |= (1L << 30) | (1L << 31);
    return l;
}

inline HWND FocusOr(HWND hwnd) { return hwnd ? hwnd : GetFocus(); }

// Handles everything the posted message caused, as the application's loop
// does (characters made by TranslateMessage included).
inline void PumpKeys() { Application()->ProcessMessages(); }

// One key pressed and released with the modifiers held. The press goes to
// the window with the focus (or hwnd), and everything it causes is handled
// before the release is posted, to whichever window has the focus then:
// a keyboard's release comes after the characters of its press.
inline void PressKey(WORD vk, unsigned mods = kNone, HWND hwnd = nullptr) {
    ModifierScope held(mods);
    const bool alt = (mods & kAlt) != 0;
    // Alt makes a system key, as F10 does; with no focus the active window
    // gets system keys.
    auto post = [&](bool up) {
        HWND target = FocusOr(hwnd && IsWindow(hwnd) ? hwnd : nullptr);
        bool sys = alt || vk == VK_F10;
        if (!target) {
            target = GetActiveWindow();
            sys = true;
        }
        if (!target) return;
        const UINT msg = sys ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
        PostMessageA(target, msg, vk, KeyLParam(vk, up, alt));
        PumpKeys();
    };
    post(false);
    post(true);
}

// Each CP1252 byte as the character a keyboard layout gives for it, posted
// to the window with the focus at that moment and handled before the next.
inline void TypeText(const std::string& text, HWND hwnd = nullptr) {
    for (char ch : text) {
        HWND target = FocusOr(hwnd && IsWindow(hwnd) ? hwnd : nullptr);
        if (!target) return;
        PostMessageA(target, WM_CHAR, static_cast<unsigned char>(ch), 1);
        PumpKeys();
    }
}

}  // namespace user_input
