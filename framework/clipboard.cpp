#include "framework/clipboard.h"

#include <cstring>

#include "framework/application.h"
#include "framework/cp1252.h"
#include "framework/global_memory.h"

ClipboardScope::ClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 10 && !opened_; ++attempt) {
        opened_ = OpenClipboard(owner) != FALSE;
        if (!opened_) Sleep(10);
    }
}

ClipboardScope::~ClipboardScope() {
    if (opened_) CloseClipboard();
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

std::string ClipboardText() {
    ClipboardScope scope(nullptr);
    if (!scope.Opened()) return {};
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        GlobalLockScope lock(h);
        if (lock.Data()) {
            const auto* w = reinterpret_cast<const wchar_t*>(lock.Data());
            size_t max = lock.Size() / sizeof(wchar_t);
            size_t len = 0;
            while (len < max && w[len]) ++len;
            return NarrowCp1252(std::wstring(w, len));
        }
    }
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        GlobalLockScope lock(h);
        if (lock.Data()) {
            const char* p = reinterpret_cast<const char*>(lock.Data());
            return std::string(p, strnlen(p, lock.Size()));
        }
    }
    return {};
}

bool SetClipboardText(const std::string& text) {
    // The owner window makes the written data stay after the scope.
    ClipboardScope scope(Application()->Handle());
    if (!scope.Opened() || !EmptyClipboard()) return false;
    GlobalMemory ansi = GlobalMemory::FromBytes(text.c_str(), text.size() + 1);
    std::wstring wide = WidenCp1252(text);
    GlobalMemory unicode = GlobalMemory::FromBytes(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (!ansi || !unicode) return false;
    // The clipboard owns a block once SetClipboardData took it.
    if (!SetClipboardData(CF_TEXT, ansi.Get())) return false;
    ansi.Detach();
    if (!SetClipboardData(CF_UNICODETEXT, unicode.Get())) return false;
    unicode.Detach();
    return true;
}
