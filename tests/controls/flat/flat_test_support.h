// Helpers of the flat control tests: the application environment, pixel
// reading through PaintTo and a shown, active test form.
#pragma once

#include <windows.h>

#include "framework/control_test_support.h"

// Pixel (x, y) of a PaintTo picture of width w (0x00RRGGBB from the DIB).
inline uint32_t PixelAt(const std::vector<uint32_t>& px, int w, int x, int y) {
    return px[static_cast<size_t>(y * w + x)];
}

// 0x00BBGGRR colour value as the DIB stores it (0x00RRGGBB).
constexpr uint32_t Dib(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// A shown test form in the foreground.
inline TForm* ActiveForm() {
    TForm* f = ShowTestForm();
    SetForegroundWindow(f->Handle());
    Pump();
    return f;
}
