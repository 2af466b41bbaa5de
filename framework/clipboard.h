// The clipboard's text in the library's CP1252. Writing puts the bytes as
// CF_TEXT and their UTF-16 form as CF_UNICODETEXT; reading prefers
// CF_UNICODETEXT (converted to CP1252, characters outside it become '?'),
// so the text is the same whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

#include <string>

// Opens the clipboard for a scope (a few retries while another program
// holds it). Opened() is false when it could not be opened.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND Owner);
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    ~ClipboardScope();
    bool Opened() const { return opened_; }

private:
    bool opened_ = false;
};

// Writes one set of data to the clipboard: opened for Owner (the data stays
// after the scope), emptied on the first Set, closed at the end. A block the
// clipboard took is its own; a block it refused is freed here.
class ClipboardWriter {
public:
    explicit ClipboardWriter(HWND Owner) : scope_(Owner) {}
    bool Opened() const { return scope_.Opened(); }
    // CF_TEXT and CF_UNICODETEXT of the CP1252 text.
    bool SetText(const std::string& Text);
    // The bytes as one block under Format; an empty block is not written
    // (the clipboard would take a null block as a promise to render later).
    bool SetBlock(UINT Format, const void* Data, size_t Size);

private:
    bool Prepare();
    ClipboardScope scope_;
    bool emptied_ = false;
};

// The text on the clipboard; empty when there is none or it cannot be opened.
std::string ClipboardText();
bool ClipboardHasText();
// Replaces the clipboard's contents by the text; false when the clipboard
// could not be opened or written.
bool SetClipboardText(const std::string& Text);
