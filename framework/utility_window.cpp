#include "framework/utility_window.h"

#include <map>

#include "framework/callback_guard.h"

namespace {

constexpr char kClassName[] = "UiFrameworkUtilityWindow";

HWND utility_window = nullptr;
bool class_registered = false;
UINT_PTR next_timer_id = 1;
std::map<UINT_PTR, UtilityTimerCallback> timers;

void FireTimer(UINT_PTR id) {
    auto it = timers.find(id);
    if (it == timers.end()) return;
    // A copy: the callback may stop its timer (erasing the map entry) or
    // free the object that owns it.
    UtilityTimerCallback callback = it->second;
    GuardCallback(callback);
}

LRESULT CALLBACK UtilityWndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_TIMER) {
        FireTimer(static_cast<UINT_PTR>(wparam));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

}  // namespace

HWND UtilityWindow() {
    if (utility_window) return utility_window;
    if (!class_registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = UtilityWndProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kClassName;
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
        class_registered = true;
    }
    utility_window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), nullptr);
    return utility_window;
}

bool UtilityWindowAllocated() { return utility_window != nullptr; }

void ShutdownUtilityWindow() {
    if (utility_window) {
        for (auto& entry : timers) KillTimer(utility_window, entry.first);
        DestroyWindow(utility_window);
        utility_window = nullptr;
    }
    timers.clear();
    if (class_registered) {
        UnregisterClassA(kClassName, ModuleInstance());
        class_registered = false;
    }
}

UINT_PTR StartUtilityTimer(UINT interval, UtilityTimerCallback callback) {
    HWND hwnd = UtilityWindow();
    if (!hwnd || !callback) return 0;
    UINT_PTR id = next_timer_id++;
    if (next_timer_id == 0) next_timer_id = 1;
    if (!SetTimer(hwnd, id, interval, nullptr)) return 0;
    timers[id] = std::move(callback);
    return id;
}

void StopUtilityTimer(UINT_PTR id) {
    if (id == 0) return;
    auto it = timers.find(id);
    if (it == timers.end()) return;
    // A WM_TIMER already generated for this id finds no entry and is
    // ignored (ids are not reused).
    if (utility_window) KillTimer(utility_window, id);
    timers.erase(it);
}

bool UtilityTimerActive(UINT_PTR id) { return id != 0 && timers.count(id) != 0; }

int UtilityTimerCount() { return static_cast<int>(timers.size()); }
