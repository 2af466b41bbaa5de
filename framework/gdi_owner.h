// Owners for GDI handles: objects, device contexts, selections and saved DC
// states. Every owner is move-only and releases its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

// Debug counters of the handles currently held by these owners, for leak
// tests: objects (pens, brushes, fonts, bitmaps, regions) and device contexts.
int GdiOwnerLiveObjects();
int GdiOwnerLiveDCs();

// True for the handles GetStockObject returns; those are never deleted.
bool IsStockGdiObject(HGDIOBJ h);

namespace gdi_detail {
void CountObject(int delta);
void CountDC(int delta);
}  // namespace gdi_detail

// Owns one GDI object (HPEN, HBRUSH, HFONT, HBITMAP, HRGN...) and deletes it
// with DeleteObject. Stock objects and borrowed handles are kept but never deleted.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) { Reset(h); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept
        : h_(std::exchange(other.h_, nullptr)), owned_(std::exchange(other.owned_, false)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, nullptr);
            owned_ = std::exchange(other.owned_, false);
        }
        return *this;
    }
    ~GdiObject() { Reset(); }

    // A handle somebody else keeps alive (never deleted by this owner).
    static GdiObject Borrow(H h) {
        GdiObject g;
        g.h_ = h;
        g.owned_ = false;
        return g;
    }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    bool Owned() const { return owned_; }

    // Deletes the current handle (when owned) and takes h.
    void Reset(H h = nullptr) {
        if (h_ && owned_) {
            DeleteObject(reinterpret_cast<HGDIOBJ>(h_));
            gdi_detail::CountObject(-1);
        }
        h_ = h;
        owned_ = h && !IsStockGdiObject(reinterpret_cast<HGDIOBJ>(h));
        if (owned_) gdi_detail::CountObject(+1);
    }

    // Gives up ownership without deleting.
    H Release() {
        if (h_ && owned_) gdi_detail::CountObject(-1);
        owned_ = false;
        return std::exchange(h_, nullptr);
    }

private:
    H h_ = nullptr;
    bool owned_ = false;
};

// Selects an object into a DC and selects the previous one back on scope exit.
// Not for regions (SelectObject returns a region type for those).
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ScopedSelect(ScopedSelect&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), old_(std::exchange(other.old_, nullptr)) {}
    ScopedSelect& operator=(ScopedSelect&&) = delete;
    ~ScopedSelect() {
        if (dc_ && old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    HGDIOBJ Previous() const { return old_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GetDC/ReleaseDC owner (hwnd nullptr: the screen); with wholeWindow the DC
// covers the non-client area too (GetWindowDC).
class WindowDC {
public:
    explicit WindowDC(HWND hwnd = nullptr, bool wholeWindow = false)
        : hwnd_(hwnd), dc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {
        if (dc_) gdi_detail::CountDC(+1);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            Release();
            hwnd_ = std::exchange(other.hwnd_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    ~WindowDC() { Release(); }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    void Release() {
        if (dc_) {
            ReleaseDC(hwnd_, dc_);
            gdi_detail::CountDC(-1);
            dc_ = nullptr;
        }
    }
    HWND hwnd_;
    HDC dc_;
};

// CreateCompatibleDC/DeleteDC owner (compatible nullptr: the screen).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {
        if (dc_) gdi_detail::CountDC(+1);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            Release();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    ~MemoryDC() { Release(); }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    void Release() {
        if (dc_) {
            DeleteDC(dc_);
            gdi_detail::CountDC(-1);
            dc_ = nullptr;
        }
    }
    HDC dc_;
};

// BeginPaint/EndPaint owner for one WM_PAINT of a window.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    HDC Get() const { return dc_; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// The header of a 32-bit top-down DIB of the given size (BI_RGB).
BITMAPINFO TopDownDib32Info(int Width, int Height);
// A 32-bit top-down DIB section; Bits receives its pixels (BGRA rows).
GdiObject<HBITMAP> CreateDib32(HDC Dc, int Width, int Height, void** Bits);

// SaveDC on construction, RestoreDC on scope exit (also when unwinding).
class ScopedSaveDC {
public:
    explicit ScopedSaveDC(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ScopedSaveDC(const ScopedSaveDC&) = delete;
    ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
    ~ScopedSaveDC() {
        if (dc_ && saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};
