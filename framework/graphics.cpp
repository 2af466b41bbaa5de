#include "framework/graphics.h"

#include "framework/gdi_owner.h"

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return static_cast<TColor>(GetSysColor(SystemColorIndex(color)));
    return color;
}

COLORREF ColorToCOLORREF(TColor color) { return static_cast<COLORREF>(ColorToRGB(color) & 0x00FFFFFFu); }

namespace {
int cached_ppi = 0;
}

int ScreenPixelsPerInch() {
    if (cached_ppi == 0) {
        WindowDC dc(nullptr);
        cached_ppi = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
        if (cached_ppi <= 0) cached_ppi = 96;
    }
    return cached_ppi;
}
