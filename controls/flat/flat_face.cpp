#include "controls/flat/flat_face.h"

#include <memory>

#include "controls/flat/flat_utils.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/image_list.h"

TColor FlatFaceFill(const TFlatFace& f) {
    switch (f.State) {
    case bsUp: return f.MouseInControl ? f.ColorFocused : f.Color;
    case bsDisabled: return f.Color;
    case bsDown: return f.ColorDown;
    case bsExclusive: return f.MouseInControl ? f.ColorFocused : f.ColorDown;
    }
    return f.Color;
}

void FlatGlyphImage(int GlyphWidth, int NumGlyphs, TFlatButtonState State, int& Left, int& Right) {
    // Image number (1-based) by NumGlyphs (rows) and state (columns).
    static const int kImage[4][4] = {
        {1, 1, 1, 1},
        {1, 2, 1, 1},
        {1, 2, 3, 3},
        {1, 2, 3, 4},
    };
    if (NumGlyphs < 1 || NumGlyphs > 4) NumGlyphs = 1;
    const int w = GlyphWidth / NumGlyphs;
    const int n = kImage[NumGlyphs - 1][State];
    Left = (n - 1) * w;
    Right = n == NumGlyphs ? GlyphWidth : n * w;
}

namespace {

void PaintBackground(TCanvas& c, const TFlatFace& f) {
    const bool parent = f.Mode == tmAlways || (f.Mode == tmNotFocused && !f.MouseInControl);
    if (parent) {
        if (f.ParentBackground) f.ParentBackground();
        return;
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(FlatFaceFill(f));
    c.FillRect(f.Client);
}

void PaintFrame(TCanvas& c, const TFlatFace& f) {
    if (f.Round != 0) return;
    switch (f.State) {
    case bsUp:
        if (f.MouseInControl)
            Frame3D(c, f.Client, f.ColorHighLight, f.ColorShadow, 1);
        else
            Frame3D(c, f.Client, f.ColorBorder, f.ColorBorder, f.Default ? 2 : 1);
        break;
    case bsDisabled: Frame3D(c, f.Client, f.ColorBorder, f.ColorBorder, 1); break;
    case bsDown:
    case bsExclusive: Frame3D(c, f.Client, f.ColorShadow, f.ColorHighLight, 1); break;
    }
}

void PaintGlyph(TCanvas& c, const TFlatFace& f) {
    TBitmap* glyph = f.Glyph;
    if (!glyph || glyph->Empty()) return;
    const int numGlyphs = f.NumGlyphs < 1 || f.NumGlyphs > 4 ? 1 : f.NumGlyphs;
    if (glyph->Width() / numGlyphs == 0) return;  // narrower than its image count
    int left, right;
    FlatGlyphImage(glyph->Width(), numGlyphs, f.State, left, right);
    const int w = right - left, h = glyph->Height();
    auto image = std::make_unique<TBitmap>(w, h);
    BitBlt(image->DC(), 0, 0, w, h, glyph->DC(), left, 0, SRCCOPY);
    GdiFlush();
    TColor transparent = glyph->Pixel(0, h - 1);
    if (numGlyphs == 1 && f.State == bsDisabled) {
        image = MakeDisabledGlyph(*image);
        transparent = image->Pixel(0, h - 1);
    }
    TImageList list;
    list.SetSize(w, h);
    list.AddMasked(image.get(), transparent);
    list.Draw(&c, f.GlyphPos.x, f.GlyphPos.y, 0, true);
}

void PaintKeyLabel(TCanvas& c, const TFlatFace& f) {
    if (f.KeyLabel.empty()) return;
    TFont saved;
    saved.Assign(&c.Font());
    c.Font().SetName("TAHOMA");
    c.Font().SetHeight(-11);
    c.Font().SetStyle(0);
    c.Font().SetColor(f.Enabled ? clBlack : clGray);
    RECT r = f.Client;
    int dx = 0, dy = 0;
    switch (f.Layout) {
    case blGlyphLeft: dx = 10 - f.Width / 2; break;
    case blGlyphRight: dx = 30; dy = 20; break;
    case blGlyphTop: dx = 14; dy = -20; break;
    case blGlyphBottom: dx = -20; dy = 20; break;
    }
    OffsetRect(&r, dx, dy);
    r.top = 1;
    c.DrawText(f.KeyLabel, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.Font().Assign(&saved);
}

}  // namespace

void DrawFlatCaption(TCanvas& c, const std::string& Text, RECT R, UINT Format, bool Enabled) {
    if (Text.empty()) return;
    c.Brush().SetStyle(bsClear);
    if (Enabled) {
        c.DrawText(Text, R, Format);
        return;
    }
    const TColor font = c.Font().Color();
    RECT shifted = R;
    OffsetRect(&shifted, 1, 1);
    c.Font().SetColor(clBtnHighlight);
    c.DrawText(Text, shifted, Format);
    c.Font().SetColor(clBtnShadow);
    c.DrawText(Text, R, Format);
    c.Font().SetColor(font);
}

void PaintFlatFace(TCanvas& c, const TFlatFace& f) {
    PaintBackground(c, f);
    PaintFrame(c, f);
    PaintGlyph(c, f);
    c.Brush().SetStyle(bsClear);
    PaintKeyLabel(c, f);
    DrawFlatCaption(c, f.Caption, f.TextBounds, f.TextFormat, f.Enabled);
}
