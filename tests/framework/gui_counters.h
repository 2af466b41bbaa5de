// How many GDI objects and USER windows this process holds, for leak tests.
//
// GetGuiResources answers 0 under Wine 8, so a count built on it never
// fails. Under Wine the process's GDI handle table is probed instead: Wine
// finds a handle by the low word of its value alone when the high word is 0,
// so GetObjectType on every index tells which entries hold a live object
// (stock objects and DCs included; a leak test compares two counts). On
// Windows GetGuiResources counts.
//
// Windows are counted by walking the process's top-level, child and
// message-only windows (the system's input-method windows left out).
#pragma once

#include <windows.h>

#include <vector>

namespace gui_counters {

inline bool RunsOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

inline int GdiObjects() {
    GdiFlush();
    if (!RunsOnWine()) return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    int count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    return count;
}

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
