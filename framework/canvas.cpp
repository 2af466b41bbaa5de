#include "framework/canvas.h"

#include <vector>

#include "framework/bitmap.h"
#include "framework/exceptions.h"

TCanvas::TCanvas() {
    font_.OnChange = [this](TObject*) { Deselect(kFontValid, orig_font_); };
    pen_.OnChange = [this](TObject*) { Deselect(kPenValid, orig_pen_); };
    brush_.OnChange = [this](TObject*) { Deselect(kBrushValid, orig_brush_); };
}

TCanvas::~TCanvas() {
    // Restore the DC before the tools (and their handles) go.
    SetHandle(nullptr);
    font_.OnChange = nullptr;
    pen_.OnChange = nullptr;
    brush_.OnChange = nullptr;
}

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation("Leinwand/Bild erlaubt kein Zeichnen");
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    if (dc_) {
        DeselectTools();
        if (attrs_saved_) {
            SetROP2(dc_, orig_rop2_);
            SetBkMode(dc_, orig_bk_mode_);
            SetTextColor(dc_, orig_text_color_);
            SetBkColor(dc_, orig_bk_color_);
            attrs_saved_ = false;
        }
    }
    dc_ = dc;
    state_ = 0;
}

void TCanvas::Deselect(unsigned tool, HGDIOBJ original) {
    if (dc_ && (state_ & tool)) {
        SelectObject(dc_, original);
        state_ &= ~tool;
    }
}

void TCanvas::DeselectTools() {
    Deselect(kFontValid, orig_font_);
    Deselect(kPenValid, orig_pen_);
    Deselect(kBrushValid, orig_brush_);
}

HDC TCanvas::RequiredState(unsigned state) {
    HDC dc = Handle();
    unsigned need = state & ~state_;
    if (!need) return dc;
    if (!attrs_saved_) {
        orig_rop2_ = GetROP2(dc);
        orig_bk_mode_ = GetBkMode(dc);
        orig_text_color_ = GetTextColor(dc);
        orig_bk_color_ = GetBkColor(dc);
        attrs_saved_ = true;
    }
    if (need & kFontValid) {
        orig_font_ = SelectObject(dc, font_.Handle());
        SetTextColor(dc, ColorToCOLORREF(font_.Color()));
        state_ |= kFontValid;
    }
    if (need & kPenValid) {
        orig_pen_ = SelectObject(dc, pen_.Handle());
        SetROP2(dc, PenModeToROP2(pen_.Mode()));
        state_ |= kPenValid;
    }
    if (need & kBrushValid) {
        orig_brush_ = SelectObject(dc, brush_.Handle());
        SetBkColor(dc, ColorToCOLORREF(brush_.Color()));
        SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
        state_ |= kBrushValid;
    }
    return dc;
}

void TCanvas::Refresh() { DeselectTools(); }

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

POINT TCanvas::PenPos() {
    POINT p{};
    GetCurrentPositionEx(Handle(), &p);
    return p;
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
    HDC dc = RequiredState(kPenValid | kBrushValid);
    Changing();
    ::LineTo(dc, x, y);
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    HDC dc = RequiredState(kPenValid | kBrushValid);
    Changing();
    ::Rectangle(dc, left, top, right, bottom);
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH) {
    HDC dc = RequiredState(kPenValid | kBrushValid);
    Changing();
    ::RoundRect(dc, left, top, right, bottom, cornerW, cornerH);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    HDC dc = RequiredState(kPenValid | kBrushValid);
    Changing();
    ::Ellipse(dc, left, top, right, bottom);
    Changed();
}

void TCanvas::Polygon(const POINT* points, int count) {
    if (!points || count <= 0) return;
    HDC dc = RequiredState(kPenValid | kBrushValid);
    Changing();
    ::Polygon(dc, points, count);
    Changed();
}

void TCanvas::Polyline(const POINT* points, int count) {
    if (!points || count <= 0) return;
    HDC dc = RequiredState(kPenValid | kBrushValid);
    Changing();
    ::Polyline(dc, points, count);
    Changed();
}

void TCanvas::FillRect(const RECT& r) {
    HDC dc = RequiredState(kBrushValid);
    Changing();
    ::FillRect(dc, &r, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& r) {
    HDC dc = RequiredState(kBrushValid);
    Changing();
    ::FrameRect(dc, &r, brush_.Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const RECT& r) {
    HDC dc = RequiredState(kBrushValid);
    Changing();
    ::DrawFocusRect(dc, &r);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    HDC dc = RequiredState(kFontValid | kBrushValid);
    Changing();
    ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
    HDC dc = RequiredState(kFontValid | kBrushValid);
    Changing();
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
    ::ExtTextOutA(dc, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
    HDC dc = RequiredState(kFontValid);
    SIZE s{};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &s);
    return s;
}

int TCanvas::DrawText(const std::string& text, RECT& r, UINT flags) {
    HDC dc = RequiredState(kFontValid | kBrushValid);
    Changing();
    int result;
    if (flags & DT_MODIFYSTRING) {
        // DrawTextA may write up to four characters more (the ellipsis).
        std::vector<char> buf(text.begin(), text.end());
        buf.resize(text.size() + 5, '\0');
        result = ::DrawTextA(dc, buf.data(), static_cast<int>(text.size()), &r, flags);
    } else {
        result = ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, flags);
    }
    Changed();
    return result;
}

TColor TCanvas::Pixels(int x, int y) {
    COLORREF c = ::GetPixel(Handle(), x, y);
    if (c == CLR_INVALID) return clNone;
    return static_cast<TColor>(c);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    HDC dc = Handle();
    Changing();
    ::SetPixelV(dc, x, y, ColorToCOLORREF(color));
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& srcRect) {
    HDC dc = RequiredState(kBrushValid);
    HDC src = source.RequiredState(kBrushValid);
    Changing();
    int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
    if (dw == sw && dh == sh) {
        ::BitBlt(dc, dest.left, dest.top, dw, dh, src, srcRect.left, srcRect.top, copy_mode_);
    } else {
        int old = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, dest.left, dest.top, dw, dh, src, srcRect.left, srcRect.top, sw, sh, copy_mode_);
        ::SetStretchBltMode(dc, old);
    }
    Changed();
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    RECT r{x, y, x + bitmap.Width(), y + bitmap.Height()};
    StretchDraw(r, bitmap);
}

void TCanvas::StretchDraw(const RECT& dest, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    HDC dc = RequiredState(kBrushValid);
    HDC src = bitmap.DC();
    if (!src) return;
    Changing();
    int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    int sw = bitmap.Width(), sh = bitmap.Height();
    TColor key = bitmap.Transparent() ? bitmap.TransparentColor() : clNone;
    if (key != clNone) {
        ::TransparentBlt(dc, dest.left, dest.top, dw, dh, src, 0, 0, sw, sh, ColorToCOLORREF(key));
    } else if (dw == sw && dh == sh) {
        ::BitBlt(dc, dest.left, dest.top, dw, dh, src, 0, 0, copy_mode_);
    } else {
        int old = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, dest.left, dest.top, dw, dh, src, 0, 0, sw, sh, copy_mode_);
        ::SetStretchBltMode(dc, old);
    }
    Changed();
}

RECT TCanvas::ClipRect() {
    RECT r{};
    ::GetClipBox(Handle(), &r);
    return r;
}

void TCanvas::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TCanvas*>(Source)) {
        font_.Assign(&src->font_);
        pen_.Assign(&src->pen_);
        brush_.Assign(&src->brush_);
        copy_mode_ = src->copy_mode_;
        return;
    }
    TPersistent::Assign(Source);
}
