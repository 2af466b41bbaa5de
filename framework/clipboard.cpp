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

bool ClipboardWriter::Prepare() {
    if (!scope_.Opened()) return false;
    if (!emptied_) emptied_ = EmptyClipboard() != FALSE;
    return emptied_;
}

bool ClipboardWriter::SetBlock(UINT format, const void* data, size_t size) {
    if (!data || size == 0 || !Prepare()) return false;
    GlobalMemory block = GlobalMemory::FromBytes(data, size);
    if (!block || !SetClipboardData(format, block.Get())) return false;
    block.Detach();
    return true;
}

bool ClipboardWriter::SetText(const std::string& text) {
    const std::wstring wide = WidenCp1252(text);
    return SetBlock(CF_TEXT, text.c_str(), text.size() + 1) &&
           SetBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

bool SetClipboardText(const std::string& text) {
    ClipboardWriter writer(Application()->Handle());
    return writer.SetText(text);
}
