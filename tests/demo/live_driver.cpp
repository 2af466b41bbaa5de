#include "tests/demo/live_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "demo/png_writer.h"

namespace live {
namespace {

// The screen DC for the time of one read.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A 32-bit top-down DIB selected into a memory DC.
class MemoryBits {
public:
    MemoryBits(HDC like, int w, int h) : dc_(CreateCompatibleDC(like)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bmp_) old_ = SelectObject(dc_, bmp_);
    }
    ~MemoryBits() {
        if (old_) SelectObject(dc_, old_);
        if (bmp_) DeleteObject(bmp_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryBits(const MemoryBits&) = delete;
    MemoryBits& operator=(const MemoryBits&) = delete;
    HDC DC() const { return dc_; }
    const DWORD* Bits() const { return static_cast<const DWORD*>(bits_); }
    bool Ok() const { return old_ != nullptr && bits_ != nullptr; }

private:
    HDC dc_;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

struct FindData {
    DWORD pid;
    HWND main;
    std::string text;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND h, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == d->pid && IsWindowVisible(h)) d->found.push_back(h);
    return TRUE;
}

BOOL CALLBACK CollectByText(HWND h, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    if (Text(h) == d->text || AskedText(h) == d->text) {
        d->found.push_back(h);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of("\\/") + 1);
}

namespace {

std::string GalleryExe() { return ProgramFolder() + "gallery.exe"; }

void Send(INPUT in) {
    SendInput(1, &in, sizeof(INPUT));
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, int ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= static_cast<DWORD>(ms)) return false;
        Sleep(15);
    }
}

Gallery::Gallery(const std::string& page) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "\"" + s.
    std::string cmd = "\"";
    cmd += GalleryExe();
    cmd += "\" --page ";
    cmd += page;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) return;
    WaitForInputIdle(pi_.hProcess, 10000);
    WaitFor(
        [this] {
            FindData d{pi_.dwProcessId, nullptr, {}, {}};
            EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&d));
            for (HWND h : d.found)
                if (Text(h) == "Galerie der Steuerelemente") main_ = h;
            return main_ != nullptr || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0;
        },
        10000);
    if (!main_) return;
    SetForegroundWindow(main_);
    WaitFor([this] { return Active() == main_; }, 2000);
}

Gallery::~Gallery() { Close(); }

bool Gallery::Close() {
    if (!pi_.hProcess) return exit_code_ == 0;
    bool ended = false;
    if (main_ && IsWindow(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
    ended = WaitForSingleObject(pi_.hProcess, 5000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    GetExitCodeProcess(pi_.hProcess, &exit_code_);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = {};
    main_ = nullptr;
    return ended && exit_code_ == 0;
}

HWND Gallery::Child(const std::string& text, HWND under) const {
    FindData d{0, nullptr, text, {}};
    EnumChildWindows(under ? under : main_, CollectByText, reinterpret_cast<LPARAM>(&d));
    return d.found.empty() ? nullptr : d.found.front();
}

std::vector<HWND> Gallery::Popups() const {
    FindData d{pi_.dwProcessId, nullptr, {}, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&d));
    std::vector<HWND> out;
    for (HWND h : d.found)
        if (h != main_) out.push_back(h);
    return out;
}

// Asked of the gallery itself: Wine tells no process the GDI count of another.
int Gallery::GdiObjects() const {
    return static_cast<int>(SendMessageA(main_, RegisterWindowMessageA("GalleryObjectCount"), 0, 0));
}

int Gallery::DCs() const {
    return static_cast<int>(SendMessageA(main_, RegisterWindowMessageA("GalleryObjectCount"), 1, 0));
}

int Gallery::WindowCount() const {
    FindData d{pi_.dwProcessId, nullptr, {}, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&d));
    int n = 0;
    for (HWND h : d.found) {
        ++n;
        EnumChildWindows(h, [](HWND, LPARAM lp) { ++*reinterpret_cast<int*>(lp); return TRUE; },
                         reinterpret_cast<LPARAM>(&n));
    }
    return n;
}

HWND Gallery::Focus() const {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof(gti);
    return GetGUIThreadInfo(pi_.dwThreadId, &gti) ? gti.hwndFocus : nullptr;
}

HWND Gallery::Active() const {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof(gti);
    return GetGUIThreadInfo(pi_.dwThreadId, &gti) ? gti.hwndActive : nullptr;
}

std::string Text(HWND h) {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof(buf));
    return buf;
}

std::string AskedText(HWND h) {
    char buf[512] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, sizeof(buf), reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 1000, &got))
        return {};
    return std::string(buf, std::min<size_t>(got, sizeof(buf) - 1));
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

HWND PositionsGridOf(HWND save) {
    HWND best = nullptr;
    int area = 0;
    for (HWND h = GetWindow(GetParent(save), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h == save || !IsWindowVisible(h)) continue;
        RECT r{};
        GetWindowRect(h, &r);
        const int a = (r.right - r.left) * (r.bottom - r.top);
        if (a > area) area = a, best = h;
    }
    return best;
}

void RightClick(HWND h, int x, int y) {
    MoveMouse(h, x, y);
    for (DWORD flag : {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flag;
        SendInput(1, &in, sizeof(INPUT));
        Sleep(30);
    }
}

HWND OpenMenu(const Gallery& g) {
    for (HWND h : g.Popups())
        if (ClassName(h) == "#32768") return h;
    return nullptr;
}

int CharIndexOf(HWND edit, const std::string& Needle) {
    // Asked with WM_GETTEXT: the caption another process sees is not the control's text.
    std::string text(static_cast<size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0'), flat;
    text.resize(static_cast<size_t>(SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) flat += text[i];
    const size_t at = flat.find(Needle);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

std::string ClassName(HWND h) {
    char buf[256] = {};
    GetClassNameA(h, buf, sizeof(buf));
    return buf;
}

RECT RectIn(HWND h, HWND in) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT ScreenPoint(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

int ClientWidth(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return r.right;
}

int ClientHeight(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return r.bottom;
}

void MoveMouse(POINT p) {
    // Absolute input is in 1/65536 of the screen; the centre of a pixel
    // keeps rounding from landing on its neighbour.
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65536LL + 32768) / cx);
    in.mi.dy = static_cast<LONG>((p.y * 65536LL + 32768) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(in);
    WaitFor([p] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
    }, 500);
    Sleep(30);
}

void MoveMouse(HWND h, int x, int y) { MoveMouse(ScreenPoint(h, x, y)); }

void LeftDown() {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(in);
    Sleep(30);
}

void LeftUp() {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(in);
    Sleep(30);
}

void Click(HWND h, int x, int y) {
    MoveMouse(h, x, y);
    LeftDown();
    LeftUp();
}

namespace {
void PressKey(WORD k, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = k;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(k, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    Send(in);
}
}  // namespace

void Key(WORD vk, bool shift) {
    if (shift) PressKey(VK_SHIFT, false);
    PressKey(vk, false);
    PressKey(vk, true);
    if (shift) PressKey(VK_SHIFT, true);
    Sleep(40);
}

void AltKey(WORD vk) {
    PressKey(VK_MENU, false);
    PressKey(vk, false);
    PressKey(vk, true);
    PressKey(VK_MENU, true);
    Sleep(40);
}

void CtrlKey(WORD vk) {
    PressKey(VK_CONTROL, false);
    PressKey(vk, false);
    PressKey(vk, true);
    PressKey(VK_CONTROL, true);
    Sleep(40);
}

void TypeText(const std::wstring& text) {
    for (wchar_t ch : text) {
        for (bool up : {false, true}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = static_cast<WORD>(ch);
            in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            Send(in);
        }
        Sleep(40);
    }
}

Shot::Shot(HWND h, const RECT& r) : w_(r.right - r.left), h_(r.bottom - r.top) {
    if (w_ <= 0 || h_ <= 0) {
        w_ = h_ = 0;
        return;
    }
    const POINT origin = ScreenPoint(h, r.left, r.top);
    ScreenDC screen;
    MemoryBits mem(screen.Get(), w_, h_);
    if (!mem.Ok() || !BitBlt(mem.DC(), 0, 0, w_, h_, screen.Get(), origin.x, origin.y, SRCCOPY)) {
        w_ = h_ = 0;
        return;
    }
    GdiFlush();
    px_.resize(static_cast<size_t>(w_) * h_);
    std::memcpy(px_.data(), mem.Bits(), px_.size() * sizeof(DWORD));
}

COLORREF Shot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return CLR_INVALID;
    const DWORD v = px_[static_cast<size_t>(y) * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool Shot::SavePng(const std::string& path) const {
    return w_ > 0 && WritePng(path, w_, h_, reinterpret_cast<const uint32_t*>(px_.data()));
}

COLORREF PixelAt(HWND h, int x, int y) { return Shot(h, RECT{x, y, x + 1, y + 1}).At(0, 0); }

}  // namespace live
