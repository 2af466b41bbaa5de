// TWindowHook: code that runs around the window procedure of any window of
// the process (comctl32 window subclassing, so hooks of one window can be
// added and removed in any order). The handler sees every message first; it
// answers it itself (returns true with Message.Result set) or lets it go on
// (false). CallNext runs the window's own procedure from inside the handler,
// for work that must come after it. The hook lets go of the window when it
// is destroyed and when the hook object goes. A message to a framework
// control's window is a dispatch to that control while the hook runs, so a
// handler may free the control (see docs/architecture.md).
#pragma once

#include <windows.h>

#include <functional>

#include "framework/messages.h"

class TWindowHook {
public:
    using Handler = std::function<bool(TMessage& Message)>;

    TWindowHook() = default;
    ~TWindowHook() { Detach(); }
    TWindowHook(const TWindowHook&) = delete;
    TWindowHook& operator=(const TWindowHook&) = delete;

    // Hooks hwnd (detaching from a previous window first). False when the
    // window does not exist.
    bool Attach(HWND hwnd, Handler handler);
    void Detach();
    HWND Window() const { return hwnd_; }
    bool Attached() const { return hwnd_ != nullptr; }

    // The window's own procedure for Message (only inside the handler).
    LRESULT CallNext(TMessage& Message);

private:
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR refData);
    HWND hwnd_ = nullptr;
    Handler handler_;
};
