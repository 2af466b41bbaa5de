// Drives a running gallery.exe from a second process the way a user does:
// real mouse moves, clicks and keys through SendInput, the result read from
// the gallery's windows (texts, focus, visibility, list state) and from the
// screen's pixels.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace live {

// The folder of this program, with a trailing separator.
std::string ProgramFolder();

// Polls `done` every few milliseconds for up to `ms`; true as soon as it holds.
bool WaitFor(const std::function<bool()>& done, int ms = 2000);

// gallery.exe (next to this program) started on one page. The destructor
// closes it with WM_CLOSE; Close() reports whether it ended by itself with
// exit code 0.
class Gallery {
public:
    explicit Gallery(const std::string& page);
    ~Gallery();
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    bool Started() const { return main_ != nullptr; }
    HWND Main() const { return main_; }
    // The first child window (any depth) of `under` (default: the main
    // window) whose text (Text or AskedText) is `text`.
    HWND Child(const std::string& text, HWND under = nullptr) const;
    // Visible top-level windows of the gallery other than its main window.
    std::vector<HWND> Popups() const;
    HWND Focus() const;
    // The GDI objects and DCs the gallery's library holds, and all its
    // windows (any depth).
    int GdiObjects() const;
    int DCs() const;
    int WindowCount() const;
    HWND Active() const;
    // Posts WM_CLOSE and waits; true when the process ended with exit code 0
    // within a few seconds (else it is terminated).
    bool Close();
    DWORD ExitCode() const { return exit_code_; }

private:
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    DWORD exit_code_ = STILL_ACTIVE;
};

std::string Text(HWND h);
// The text the window itself answers (WM_GETTEXT): what an EDIT of the
// gallery shows now, which Text (the system's copy) does not follow.
std::string AskedText(HWND h);
std::string ClassName(HWND h);
// The bytes of a file ("" when it cannot be read), and whether it exists.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
// The positions page's grid: the largest shown child window of the page
// beside its "Speichern" button.
HWND PositionsGridOf(HWND save);
// The rich edit's character index of Needle (paragraphs end with one CR
// there), or -1.
int CharIndexOf(HWND edit, const std::string& Needle);
// The gallery's open menu window (class "#32768"), or nullptr.
HWND OpenMenu(const Gallery& g);
// The window rectangle of h in the client coordinates of `in`.
RECT RectIn(HWND h, HWND in);
// Client point of h on the screen.
POINT ScreenPoint(HWND h, int x, int y);
int ClientWidth(HWND h);
int ClientHeight(HWND h);

// Real input.
void MoveMouse(POINT screen);
void MoveMouse(HWND h, int x, int y);
void LeftDown();
void LeftUp();
void Click(HWND h, int x, int y);
void RightClick(HWND h, int x, int y);
void Key(WORD vk, bool shift = false);
// A virtual key with Alt held.
void AltKey(WORD vk);
// A virtual key with Ctrl held.
void CtrlKey(WORD vk);
// Types the characters as the keyboard would (KEYEVENTF_UNICODE; non-ASCII
// letters too, whatever the keyboard layout).
void TypeText(const std::wstring& text);

// Pixels of the screen as the X server shows them.
class Shot {
public:
    // A copy of the client rectangle r of window h.
    Shot(HWND h, const RECT& r);
    int Width() const { return w_; }
    int Height() const { return h_; }
    COLORREF At(int x, int y) const;  // relative to r's top-left
    // Writes the pixels as a PNG file (for looking at a failed check).
    bool SavePng(const std::string& path) const;
    bool operator==(const Shot& other) const { return w_ == other.w_ && h_ == other.h_ && px_ == other.px_; }

private:
    int w_ = 0, h_ = 0;
    std::vector<DWORD> px_;
};
// One pixel of window h's client area.
COLORREF PixelAt(HWND h, int x, int y);

}  // namespace live

namespace live {

// Drags the file names `files` (full paths) with the left button from a
// window of this program to the screen point `to`, the way the shell does:
// an OLE drag offering CF_HDROP. `over` runs while the mouse rests over the
// target, before the release. Returns DoDragDrop's result; *effect gets the
// effect the drop took.
HRESULT DragFiles(const std::vector<std::wstring>& files, POINT to, const std::function<void()>& over, DWORD* effect);

}  // namespace live
