#include "framework/pattern_brush.h"

#include "framework/graphics_base.h"

GdiObject<HBRUSH> CreateCheckerBrush(TColor first, TColor second) {
    void* bits = nullptr;
    GdiObject<HBITMAP> bmp = CreateDib32(nullptr, 8, 8, &bits);
    if (!bmp || !bits) return {};
    auto* px = static_cast<uint32_t*>(bits);
    const COLORREF a = ColorToCOLORREF(first), b = ColorToCOLORREF(second);
    auto dib = [](COLORREF c) { return static_cast<uint32_t>(GetBValue(c) | (GetGValue(c) << 8) | (GetRValue(c) << 16)); };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) px[y * 8 + x] = ((x + y) & 1) ? dib(b) : dib(a);
    GdiFlush();
    return GdiObject<HBRUSH>(CreatePatternBrush(bmp.Get()));
}
