#include "framework/window_hook.h"

#include <commctrl.h>

#include <optional>

#include "framework/callback_guard.h"
#include "framework/win_control.h"

bool TWindowHook::Attach(HWND hwnd, Handler handler) {
    Detach();
    if (!hwnd || !IsWindow(hwnd)) return false;
    handler_ = std::move(handler);
    if (!SetWindowSubclass(hwnd, &TWindowHook::HookProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = hwnd;
    return true;
}

void TWindowHook::Detach() {
    if (!hwnd_) return;
    RemoveWindowSubclass(hwnd_, &TWindowHook::HookProc, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = nullptr;
}

LRESULT TWindowHook::CallNext(TMessage& m) {
    m.Result = hwnd_ ? DefSubclassProc(hwnd_, m.Msg, m.WParam, m.LParam) : 0;
    return m.Result;
}

LRESULT CALLBACK TWindowHook::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR refData) {
    auto* self = reinterpret_cast<TWindowHook*>(refData);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    // The message is a dispatch to the window's control, as if it came
    // through the control's own procedure: a handler that frees the control
    // (and with it the hook's owner) leaves the delete until the hook and
    // the window's own procedure have returned.
    TWinControl* control = FindControl(hwnd);
    std::optional<TDispatchScope> scope;
    if (control) scope.emplace(control);
    TMessage m{msg, wParam, lParam, 0};
    bool handled = false;
    if (self->handler_) GuardCallback([&] { handled = self->handler_(m); });
    if (handled) return m.Result;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}
