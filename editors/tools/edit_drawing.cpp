#include "editors/tools/edit_drawing.h"

#include <algorithm>

#include "framework/form.h"
#include "framework/graphics_base.h"
#include "framework/screen.h"

namespace {

PixelView ViewOf(TBitmap& bitmap) {
    if (bitmap.Empty()) return {};
    return {bitmap.ScanLine(0), bitmap.Width(), bitmap.Height(), bitmap.Width()};
}

void FillSolid(HDC dc, const RECT& r, TColor color) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToCOLORREF(color)));
    ::FillRect(dc, &r, brush.Get());
}

GdiObject<HRGN> FrameRegion(const RECT& r, int width) {
    GdiObject<HRGN> outer(CreateRectRgnIndirect(&r));
    GdiObject<HRGN> inner(CreateRectRgn(r.left + width, r.top + width, r.right - width, r.bottom - width));
    CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_DIFF);
    return outer;
}

bool HoldsCapture(TWinControl* control, HWND capture) {
    if (control->HandleAllocated() && control->WindowHandle() == capture) return true;
    for (int i = 0; i < control->ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(control->Controls(i)); child && HoldsCapture(child, capture))
            return true;
    return false;
}

}  // namespace

void FillGradient(TCanvas& canvas, TColor from, TColor to, bool horizontal, const RECT& rect, int bands) {
    const int extent = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    if (extent <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
    HDC dc = canvas.Handle();
    for (const GradientBand& band : PlanGradientBands(ColorToRGB(from), ColorToRGB(to), extent, bands)) {
        RECT r = rect;
        if (horizontal) {
            r.left = rect.left + band.start;
            r.right = r.left + band.width;
        } else {
            r.top = rect.top + band.start;
            r.bottom = r.top + band.width;
        }
        FillSolid(dc, r, band.color);
    }
}

void DrawEditFrame(TCanvas& canvas, const RECT& rect, EditFrameStyle style, TColor color, int state) {
    HDC dc = canvas.Handle();
    RECT r = rect;
    switch (style) {
        case EditFrameStyle::Soft:
            if (state == 0) {
                DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
            } else {
                DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RIGHT | BF_BOTTOM);
                DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_LEFT | BF_TOP);
            }
            break;
        case EditFrameStyle::RaisedIn:
            InflateRect(&r, -1, -1);
            [[fallthrough]];
        case EditFrameStyle::Raised:
            DrawEdge(dc, &r, state == 0 ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
            break;
        case EditFrameStyle::Flat: {
            if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
            GdiObject<HBRUSH> frame(CreateSolidBrush(ColorToCOLORREF(color)));
            ::FrameRect(dc, &r, frame.Get());
            // The inner line: silver, or grey where the frame itself is silver.
            const TColor line = ColorToRGB(color) == 0xC0C0C0 ? 0x808080 : 0xC0C0C0;
            if (r.right - r.left < 3 || r.bottom - r.top < 3) return;
            FillSolid(dc, {r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, line);
            FillSolid(dc, {r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, line);
            FillSolid(dc, {r.left + 1, r.top + 1, r.right - 1, r.top + 2}, line);
            break;
        }
    }
}

void DrawDragFrame(HDC dc, const RECT* newRect, const RECT* oldRect, int width) {
    if (!dc || width <= 0 || (!newRect && !oldRect)) return;
    GdiObject<HRGN> region = FrameRegion(newRect ? *newRect : *oldRect, width);
    if (newRect && oldRect) {
        GdiObject<HRGN> other = FrameRegion(*oldRect, width);
        CombineRgn(region.Get(), region.Get(), other.Get(), RGN_XOR);
    }
    RECT box{};
    if (GetRgnBox(region.Get(), &box) == NULLREGION) return;
    ScopedSaveDC saved(dc);
    SelectClipRgn(dc, region.Get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(0x99, 0x99, 0x99)));
    ScopedSelect select(dc, brush.Get());
    PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
}

GdiObject<HRGN> CreateEmptyRegion() { return GdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0)); }

void SetRegionRect(HRGN region, const RECT& rect) {
    if (region) SetRectRgn(region, rect.left, rect.top, rect.right, rect.bottom);
}

RECT VirtualScreenRect() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

int KeepOnVirtualScreen(POINT& pos, int width, int height, POINT offset) {
    const RECT v = VirtualScreenRect();
    PlainPoint p{pos.x, pos.y};
    const int flags = FitOntoScreen(p, width, height, {offset.x, offset.y}, {v.left, v.top, v.right, v.bottom});
    pos = {p.x, p.y};
    return flags;
}

void ApplyBitmapEffect(TBitmap& source, TBitmap& target, BitmapEffect effect, TColor key) {
    if (source.Empty()) return;
    if (&target != &source) target.SetSize(source.Width(), source.Height());
    ApplyEffectToPixels(ViewOf(source), ViewOf(target), effect, key);
    target.Canvas().Refresh();
}

void BlendBitmap(TBitmap& source, TBitmap* second, TBitmap& target, TColor color, int percent) {
    if (source.Empty()) return;
    if (&target != &source) target.SetSize(source.Width(), source.Height());
    PixelView secondView;
    if (second) secondView = ViewOf(*second);
    BlendPixels(ViewOf(source), second ? &secondView : nullptr, ViewOf(target), color, percent);
}

void DrawGraphicAt(TCanvas& canvas, TBitmap& graphic, const RECT& rect, bool transparent, bool stretch) {
    if (graphic.Empty()) return;
    const bool was = graphic.Transparent();
    graphic.SetTransparent(transparent);
    if (stretch)
        canvas.StretchDraw(rect, graphic);
    else
        canvas.Draw(rect.left, rect.top, graphic);
    graphic.SetTransparent(was);
}

void DrawBitmapTransparent(HDC dc, TBitmap& bitmap, const RECT& rect, TColor key, bool stretch) {
    if (!dc || bitmap.Empty()) return;
    const TColor k = key == kAutoKeyColor ? bitmap.Pixel(0, bitmap.Height() - 1) : ColorToRGB(key);
    const int w = stretch ? rect.right - rect.left : bitmap.Width();
    const int h = stretch ? rect.bottom - rect.top : bitmap.Height();
    if (w <= 0 || h <= 0) return;
    TransparentBlt(dc, rect.left, rect.top, w, h, bitmap.DC(), 0, 0, bitmap.Width(), bitmap.Height(),
                   ColorToCOLORREF(k));
}

bool IsCaptureControlInApp() {
    HWND capture = GetCapture();
    if (!capture) return false;
    TScreen* screen = Screen();
    for (int i = 0; i < screen->FormCount(); ++i)
        if (HoldsCapture(screen->Forms(i), capture)) return true;
    return false;
}
