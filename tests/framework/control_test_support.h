// Helpers shared by the control, form, key and paint tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

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

// A message as the loop would get it.
inline MSG MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

// Runs a synthetic key-down through the application's pipeline.
inline void RouteKey(HWND hwnd, WORD key) {
    MSG m = MakeMsg(hwnd, WM_KEYDOWN, key, 1);
    Application()->ProcessMessage(m);
}

// Pixels of a 32-bit DIB, row by row.
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

// A form shown at a fixed place for tests that need windows on screen.
inline TForm* ShowTestForm(int w = 300, int h = 200) {
    TForm* f = Create<TForm>(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(20, 20, w, h);
    f->Show();
    Pump();
    return f;
}
