// Holds a file open as another program might (no sharing unless Share says
// so); reset() lets go.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

using HeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;

inline HeldFile HoldOpen(const std::string& name, DWORD access = GENERIC_READ, DWORD share = 0) {
    HANDLE h = CreateFileA(name.c_str(), access, share, nullptr, OPEN_ALWAYS, 0, nullptr);
    return HeldFile(h == INVALID_HANDLE_VALUE ? nullptr : h, &CloseHandle);
}
