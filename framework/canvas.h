// TCanvas: drawing on a device context it does not own.
//
// The canvas selects its font, pen and brush lazily before each drawing call
// and selects the DC's original objects back (and restores the DC attributes
// it changed) when the handle is replaced or released, on Refresh(), when a
// tool changes, and on destruction.
#pragma once

#include <windows.h>

#include <string>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/font.h"
#include "framework/graphics_base.h"
#include "framework/pen_brush.h"

class TBitmap;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The DC, asking CreateHandle() for one when none is set; raises
    // EInvalidOperation when there still is none.
    HDC Handle();
    // Takes a DC it does not own (nullptr releases the current one after
    // restoring every selection made in it).
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    void SetFont(const TFont& value) { font_.Assign(&value); }
    void SetPen(const TPen& value) { pen_.Assign(&value); }
    void SetBrush(const TBrush& value) { brush_.Assign(&value); }

    // Raster operation of CopyRect/Draw (SRCCOPY by default).
    DWORD CopyMode() const { return copy_mode_; }
    void SetCopyMode(DWORD value) { copy_mode_ = value; }

    POINT PenPos();
    void SetPenPos(POINT p) { MoveTo(p.x, p.y); }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const RECT& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    void Polygon(const POINT* points, int count);
    void Polyline(const POINT* points, int count);
    // Fills with the brush (nothing for bsClear).
    void FillRect(const RECT& r);
    // One-pixel frame in the brush colour.
    void FrameRect(const RECT& r);
    void DrawFocusRect(const RECT& r);

    void TextOut(int x, int y, const std::string& text);
    // Text clipped to r; the rectangle is filled with the brush unless bsClear.
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // DrawTextA with the canvas font; r receives the result of DT_CALCRECT.
    int DrawText(const std::string& text, RECT& r, UINT flags);

    // Colour of a pixel (clNone outside the clipping region).
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Copies source's srcRect into dest (stretched when sizes differ) with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& srcRect);
    // Draws the bitmap, honouring its transparency.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& dest, TBitmap& bitmap);

    // The clipping box in logical coordinates.
    RECT ClipRect();
    // Deselects the tools; the next drawing call selects them again.
    void Refresh();

    // Nesting counter only: the canvas belongs to the UI thread.
    void Lock() { ++lock_count_; }
    void Unlock() {
        if (lock_count_ > 0) --lock_count_;
    }
    int LockCount() const { return lock_count_; }

    void Assign(const TPersistent* Source) override;

    // Fired before and after each drawing call.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // Called by Handle() when no DC is set; subclasses set one with SetHandle.
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();

    enum : unsigned { kFontValid = 1, kPenValid = 2, kBrushValid = 4 };
    // Makes sure a DC exists and the given tools are selected.
    HDC RequiredState(unsigned state);

private:
    void DeselectTools();
    // Puts the DC's original object of one tool back; a changed tool is
    // selected again on its next use.
    void Deselect(unsigned tool, HGDIOBJ original);

    HDC dc_ = nullptr;
    unsigned state_ = 0;
    // What the DC held before the canvas's first selection of each kind.
    HGDIOBJ orig_font_ = nullptr;
    HGDIOBJ orig_pen_ = nullptr;
    HGDIOBJ orig_brush_ = nullptr;
    bool attrs_saved_ = false;
    int orig_rop2_ = 0;
    int orig_bk_mode_ = 0;
    COLORREF orig_text_color_ = 0;
    COLORREF orig_bk_color_ = 0;
    DWORD copy_mode_ = SRCCOPY;
    int lock_count_ = 0;
    TFont font_;
    TPen pen_;
    TBrush brush_;
};

// A canvas over a DC someone else owns (an owner-draw message's), for one
// scope: every selection it made is undone when the scope ends.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC dc) { canvas_.SetHandle(dc); }
    ~TBorrowedCanvas() { canvas_.SetHandle(nullptr); }
    TBorrowedCanvas(const TBorrowedCanvas&) = delete;
    TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
    TCanvas& Get() { return canvas_; }

private:
    TCanvas canvas_;
};
