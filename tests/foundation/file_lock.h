// Holds a file open without sharing, as another program might; reset() lets go.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

using HeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;

inline HeldFile HoldOpen(const std::string& name, DWORD access = GENERIC_READ) {
    HANDLE h = CreateFileA(name.c_str(), access, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    return HeldFile(h == INVALID_HANDLE_VALUE ? nullptr : h, &CloseHandle);
}
