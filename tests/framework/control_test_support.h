// Helpers shared by the framework tests (and the control and grid tests built
// on them): the message of a raised exception, then, in the Windows build,
// the application set-up, message pumps, synthetic messages and pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The message of the E raised by f, or "<nothing raised>".
template <class E, class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

#ifdef _WIN32
#include <windows.h>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/control.h"
#include "framework/form.h"

// Every test that touches windows runs with the application initialised.
// Exceptions caught at callback boundaries are collected instead of being
// shown in a message box.
class ControlTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Application()->Initialize();
        Application()->ExceptionHook = [](const std::exception& e) { CaughtExceptions().push_back(e.what()); };
    }
    void TearDown() override {
        Application()->ExceptionHook = nullptr;
        Application()->Finalize();
    }
    static std::vector<std::string>& CaughtExceptions() {
        static std::vector<std::string> list;
        return list;
    }
};

// Handles the queued messages.
inline void Pump() { Application()->ProcessMessages(); }

// Handles messages until pred() holds or limitMs pass; whether it held.
template <class Pred>
bool WaitUntil(Pred pred, DWORD limitMs = 10000) {
    const DWORD start = GetTickCount();
    while (!pred()) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (pred()) return true;
        }
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// A message as the loop would get it.
inline MSG MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    return MSG{hwnd, message, wParam, lParam, 0, {}};
}

// Runs a synthetic key-down through the application's pipeline.
inline void RouteKey(HWND hwnd, WORD key) {
    MSG m = MakeMsg(hwnd, WM_KEYDOWN, key, 1);
    Application()->ProcessMessage(m);
}

// Pixels of a 32-bit DIB, row by row (0x00RRGGBB).
inline std::vector<uint32_t> BitmapPixels(TBitmap& bmp) {
    GdiFlush();
    std::vector<uint32_t> px;
    for (int y = 0; y < bmp.Height(); ++y) {
        const uint32_t* row = bmp.ScanLine(y);
        px.insert(px.end(), row, row + bmp.Width());
    }
    for (auto& p : px) p &= 0x00FFFFFF;
    return px;
}

// The control painted by PaintTo into a fresh DIB (background magenta).
inline std::vector<uint32_t> PaintToPixels(TControl* c, int w, int h) {
    TBitmap bmp(w, h);
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(bmp.DC(), &r, b);
    DeleteObject(b);
    c->PaintTo(bmp.DC(), 0, 0);
    return BitmapPixels(bmp);
}

// What the window shows on the screen (client area).
inline std::vector<uint32_t> ScreenPixels(HWND hwnd, int w, int h) {
    TBitmap bmp(w, h);
    HDC dc = GetDC(hwnd);
    BitBlt(bmp.DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return BitmapPixels(bmp);
}

// Selected objects of a DC, to compare before and after.
struct DCSelection {
    HGDIOBJ font, pen, brush, bitmap;
    explicit DCSelection(HDC dc)
        : font(GetCurrentObject(dc, OBJ_FONT)),
          pen(GetCurrentObject(dc, OBJ_PEN)),
          brush(GetCurrentObject(dc, OBJ_BRUSH)),
          bitmap(GetCurrentObject(dc, OBJ_BITMAP)) {}
    bool operator==(const DCSelection& o) const {
        return font == o.font && pen == o.pen && brush == o.brush && bitmap == o.bitmap;
    }
};

// A control of class T owned by owner, put on parent at x, y, sized w x h.
template <class T, class... Args>
T* Place(TComponent* owner, TWinControl* parent, int x, int y, int w, int h, Args&&... args) {
    T* c = Create<T>(owner, std::forward<Args>(args)...);
    c->SetBounds(x, y, w, h);
    c->SetParent(parent);
    return c;
}

// A form shown at a fixed place for tests that need windows on screen.
inline TForm* ShowTestForm(int w = 300, int h = 200) {
    TForm* f = Create<TForm>(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(20, 20, w, h);
    f->Show();
    Pump();
    return f;
}
#endif
