// How many GDI objects and USER windows this process holds, for leak tests.
//
// The system's per-process GUI resource count answers 0 under Wine 8, so a
// count built on it never fails. GDI objects are counted from the handle
// table the system maps into every process (the process environment block's
// GDI shared handle table, on Windows as under Wine): an entry with a type
// gives a full handle (its index and the entry's upper word), and
// GetObjectType tells whether that handle is a live object of this process.
// Stock objects and DCs count too; a leak test compares two counts.
//
// Windows are counted by walking the process's top-level, child and
// message-only windows (the system's input-method windows left out).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace gui_counters {

namespace table {
// One entry of the 64-bit GDI shared handle table (24 bytes).
struct Entry {
    uint64_t kernel_object;
    uint16_t process_id;
    uint16_t count;
    uint16_t upper;  // the handle's upper word
    uint8_t type;
    uint8_t flags;
    uint64_t user_object;
};
static_assert(sizeof(Entry) == 24);
constexpr unsigned kEntries = 0x10000;

inline const Entry* SharedHandleTable() {
#if defined(_WIN64) && defined(__GNUC__)
    // The thread block's process block (gs:0x60), read directly: the
    // header's intrinsic draws a false bounds warning from g++.
    const uint8_t* peb = nullptr;
    asm("movq %%gs:0x60, %0" : "=r"(peb));
    return peb ? *reinterpret_cast<const Entry* const*>(peb + 0xF8) : nullptr;
#else
    return nullptr;
#endif
}
}  // namespace table

inline int GdiObjects() {
    GdiFlush();
    int count = 0;
    if (const table::Entry* entries = table::SharedHandleTable()) {
        for (unsigned index = 1; index < table::kEntries; ++index) {
            if (entries[index].type == 0) continue;
            const auto handle = static_cast<uintptr_t>(index | (static_cast<uint32_t>(entries[index].upper) << 16));
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0) ++count;
        }
        return count;
    }
    // No table to read: Wine also finds a handle by its low word alone.
    for (uintptr_t index = 1; index < table::kEntries; ++index)
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
