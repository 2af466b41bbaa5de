#include "framework/callback_guard.h"

#include <windows.h>

#include <exception>
#include <string>

namespace {

void DefaultCallbackExceptionHandler() {
    std::string text = "Ausnahme in Rückruf: ";
    try {
        throw;
    } catch (const std::exception& e) {
        text += e.what();
    } catch (...) {
        text += "unbekannt";
    }
    text += "\n";
    OutputDebugStringA(text.c_str());
}

CallbackExceptionHandler current_handler = nullptr;

}  // namespace

void HandleCallbackException() noexcept {
    try {
        if (current_handler)
            current_handler();
        else
            DefaultCallbackExceptionHandler();
    } catch (...) {
        // A failing handler must not take the process down from a callback.
        OutputDebugStringA("Ausnahme im Ausnahmebehandler eines Rückrufs\n");
    }
}

void SetCallbackExceptionHandler(CallbackExceptionHandler handler) { current_handler = handler; }

CallbackExceptionHandler GetCallbackExceptionHandler() { return current_handler; }
