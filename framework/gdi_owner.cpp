#include "framework/gdi_owner.h"

namespace {
int live_objects = 0;
int live_dcs = 0;
}  // namespace

int GdiOwnerLiveObjects() { return live_objects; }
int GdiOwnerLiveDCs() { return live_dcs; }

namespace gdi_detail {
void CountObject(int delta) { live_objects += delta; }
void CountDC(int delta) { live_dcs += delta; }
}  // namespace gdi_detail

bool IsStockGdiObject(HGDIOBJ h) {
    if (!h) return false;
    // WHITE_BRUSH (0) .. DC_PEN (19); 9 is unused.
    for (int i = WHITE_BRUSH; i <= DC_PEN; ++i) {
        if (i == 9) continue;
        if (GetStockObject(i) == h) return true;
    }
    return false;
}

BITMAPINFO TopDownDib32Info(int Width, int Height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

GdiObject<HBITMAP> CreateDib32(HDC Dc, int Width, int Height, void** Bits) {
    BITMAPINFO bi = TopDownDib32Info(Width, Height);
    return GdiObject<HBITMAP>(CreateDIBSection(Dc, &bi, DIB_RGB_COLORS, Bits, nullptr, 0));
}
