// Move-only owner of a FindFirstFileA search handle.
#pragma once

#include <windows.h>

#include <string>

class TFindHandle {
public:
    TFindHandle(const std::string& Pattern, WIN32_FIND_DATAA& Data)
        : h_(FindFirstFileA(Pattern.c_str(), &Data)) {}
    TFindHandle(TFindHandle&& other) noexcept : h_(other.h_) { other.h_ = INVALID_HANDLE_VALUE; }
    TFindHandle& operator=(TFindHandle&& other) noexcept {
        if (this != &other) {
            Close();
            h_ = other.h_;
            other.h_ = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;
    ~TFindHandle() { Close(); }

    bool Found() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& Data) { return FindNextFileA(h_, &Data) != FALSE; }

private:
    void Close() {
        if (Found()) FindClose(h_);
        h_ = INVALID_HANDLE_VALUE;
    }
    HANDLE h_;
};
