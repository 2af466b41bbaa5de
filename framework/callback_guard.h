// The one place where exceptions caught at a callback boundary (window
// procedure, hook, timer, COM method) are handed on. The application installs
// a handler that forwards the current exception to its exception handler;
// until then the exception text goes to the debugger output.
#pragma once

#include <utility>

// Call only inside a catch block: passes the current exception to the
// installed handler. Never throws.
void HandleCallbackException() noexcept;

using CallbackExceptionHandler = void (*)();
// nullptr restores the default handler. The handler runs inside the catch
// block, so it may rethrow with `throw;` to inspect the exception.
void SetCallbackExceptionHandler(CallbackExceptionHandler handler);
CallbackExceptionHandler GetCallbackExceptionHandler();

// Runs f; any exception goes to HandleCallbackException. Returns true when
// f completed normally.
template <class F>
bool GuardCallback(F&& f) noexcept {
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        HandleCallbackException();
        return false;
    }
}
