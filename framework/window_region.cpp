#include "framework/window_region.h"

GdiObject<HRGN> CreateRoundRectRegion(int Left, int Top, int Right, int Bottom, int CornerW, int CornerH) {
    return GdiObject<HRGN>(CreateRoundRectRgn(Left, Top, Right, Bottom, CornerW, CornerH));
}

bool SetWindowRegion(HWND Window, GdiObject<HRGN> Region, bool Redraw) {
    if (!Window) return false;
    if (SetWindowRgn(Window, Region.Get(), Redraw ? TRUE : FALSE) == 0) return false;
    Region.Release();  // the system deletes it with the window or the next shape
    return true;
}

bool HasWindowRegion(HWND Window) {
    if (!Window) return false;
    GdiObject<HRGN> probe(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(Window, probe.Get()) != ERROR;
}
