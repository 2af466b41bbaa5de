// Whether the thread shows a menu window now: tests that play keys inside a
// menu's own loop wait for it before they type.
#pragma once

#include <windows.h>

#include <cstring>

inline bool ThreadShowsMenuWindow() {
    bool shown = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM found) -> BOOL {
            char name[16] = {};
            GetClassNameA(h, name, sizeof(name));
            if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(h)) *reinterpret_cast<bool*>(found) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}
