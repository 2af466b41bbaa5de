// How many GDI objects and USER windows this process holds, for leak tests.
// GDI objects come from the process's handle table (framework/process_census.h,
// which also serves the gallery's own count); windows are counted by walking
// the process's top-level, child and message-only windows (the system's
// input-method windows left out).
#pragma once

#include <windows.h>

#include <vector>

#include "framework/process_census.h"

namespace gui_counters {

inline int GdiObjects() { return ProcessGdiObjectCount(); }

namespace detail {
inline void AddWindowTree(HWND top, std::vector<HWND>& out) {
    out.push_back(top);
    EnumChildWindows(
        top,
        [](HWND child, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
}

// The system's input-method windows come and go with top-level windows of
// their own accord: they are not the process's to leak.
inline bool OfThisProcess(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId()) return false;
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, "IME") != 0 && lstrcmpiA(cls, "MSCTFIME UI") != 0;
}
}  // namespace detail

// The windows of this process: top-level ones with their children, and
// message-only ones.
inline std::vector<HWND> ProcessWindows() {
    std::vector<HWND> tops;
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            if (detail::OfThisProcess(hwnd)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    for (HWND h = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr))
        if (detail::OfThisProcess(h)) tops.push_back(h);
    std::vector<HWND> all;
    for (HWND top : tops) detail::AddWindowTree(top, all);
    return all;
}

inline int UserWindows() { return static_cast<int>(ProcessWindows().size()); }

// Both counts at one moment.
struct Counts {
    int gdi = 0;
    int windows = 0;
    static Counts Now() { return Counts{GdiObjects(), UserWindows()}; }
};

}  // namespace gui_counters
