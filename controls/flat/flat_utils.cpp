#include "controls/flat/flat_utils.h"

#include "controls/flat/fc_bitmap.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/control.h"
#include "framework/gdi_owner.h"
#include "framework/plain_geometry_win32.h"
#include "framework/win_control.h"

void Frame3D(TCanvas& Canvas, RECT R, TColor TopColor, TColor BottomColor, int Width) {
    Canvas.Pen().SetWidth(1);
    --R.right;
    --R.bottom;
    for (int i = 0; i < Width; ++i) {
        Canvas.Pen().SetColor(TopColor);
        const POINT top[3] = {{R.left, R.bottom}, {R.left, R.top}, {R.right, R.top}};
        Canvas.Polyline(top, 3);
        Canvas.Pen().SetColor(BottomColor);
        const POINT bottom[3] = {{R.right, R.top}, {R.right, R.bottom}, {R.left - 1, R.bottom}};
        Canvas.Polyline(bottom, 3);
        InflateRect(&R, -1, -1);
    }
}

void DrawParentBackground(TControl* Control, TCanvas& Canvas) {
    TWinControl* parent = Control ? Control->Parent() : nullptr;
    if (!parent) return;
    HDC dc = Canvas.Handle();
    ScopedSaveDC save(dc);
    OffsetViewportOrgEx(dc, -Control->Left(), -Control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    // The DC as LParam too: a double-buffered parent erases only then.
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& Source) {
    auto result = std::make_unique<TBitmap>();
    TfcBitmap image;
    image.LoadFromBitmap(Source);
    image.Grayscale();
    image.Lightness(90);
    image.SaveToBitmap(*result);
    return result;
}

void CalcButtonLayout(TCanvas& Canvas, const RECT& Client, int Offset, const std::string& Caption, int NumGlyphs,
                      TBitmap* Glyph, int Margin, int Spacing, TButtonLayout Layout, POINT& GlyphPos,
                      RECT& TextBounds, bool LineBreaks) {
    int gw = 0, gh = 0;
    if (Glyph && !Glyph->Empty()) {
        gw = Glyph->Width() / (NumGlyphs > 0 ? NumGlyphs : 1);
        gh = Glyph->Height();
    }
    int tw = 0, th = 0;
    if (!Caption.empty()) {
        RECT r{0, 0, Client.right - Client.left, 0};
        if (LineBreaks)
            Canvas.DrawText(CaptionWithLineBreaks(Caption), r, DT_CALCRECT | DT_WORDBREAK);
        else
            Canvas.DrawText(Caption, r, DT_CALCRECT | DT_SINGLELINE);
        tw = r.right - r.left;
        th = r.bottom - r.top;
    }
    const TButtonLayoutResult l =
        LayoutButton(ToPlainRect(Client), Offset, tw, th, gw, gh, Margin,
                     Spacing, Layout);
    GlyphPos = POINT{l.GlyphPos.x, l.GlyphPos.y};
    TextBounds = ToRECT(l.TextBounds);
}
