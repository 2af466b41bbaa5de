// Painting helpers shared by the edits, their buttons, the popups and the
// grids: banded gradients, edit and button frames, the XOR drag frame,
// fitting onto the virtual screen, glyph effects, transparent bitmaps and the
// work bitmap the edit tools share.
#pragma once

#include <windows.h>

#include "editors/tools/drawing_kernels.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/gdi_owner.h"

// The two colours of button backgrounds (white to silver).
inline constexpr TColor kGradientLight = 0xFFFFFF;
inline constexpr TColor kGradientDark = 0xC0C0C0;

// Fills rect with a gradient from `from` to `to` in bands (fewer than 1 act
// as 1), left to right when horizontal, else top to bottom. Nothing outside
// rect is painted. The canvas's own tools are left as they are.
void FillGradient(TCanvas& canvas, TColor from, TColor to, bool horizontal, const RECT& rect, int bands);

// Frame styles of an edit or embedded button.
enum class EditFrameStyle : int {
    Soft = 0,     // raised inner edge; pressed: sunken inner right/bottom, sunken outer left/top
    Raised = 1,   // raised inner edge; pressed: sunken outer edge
    Flat = 2,     // one-pixel frame in the colour with a silver inner line (grey on silver)
    RaisedIn = 3, // Raised, one pixel inside
};
// state 0 normal, 1 hot or down.
void DrawEditFrame(TCanvas& canvas, const RECT& rect, EditFrameStyle style, TColor color, int state);

// Inverts (with 0x999999) the frame of width pixels inside newRect and the
// one inside oldRect, their common pixels left alone, so drawing the same
// frames again removes them. Either rectangle may be null.
void DrawDragFrame(HDC dc, const RECT* newRect, const RECT* oldRect, int width);

GdiObject<HRGN> CreateEmptyRegion();
void SetRegionRect(HRGN region, const RECT& rect);

// The union of all monitors.
RECT VirtualScreenRect();
// Fits a popup of the given size at pos onto the virtual screen (see
// FitOntoScreen); returns kMovedVertically / kMovedHorizontally.
int KeepOnVirtualScreen(POINT& pos, int width, int height, POINT offset);

// The target gets the source's size and the effect of it (key kAutoKeyColor:
// the source's top-left pixel). Source and target may be the same bitmap.
void ApplyBitmapEffect(TBitmap& source, TBitmap& target, BitmapEffect effect, TColor key = kAutoKeyColor);
// The target gets the source's size; every source pixel unlike the key (the
// colour, or with a second bitmap and kAutoKeyColor that bitmap's top-left
// pixel) is mixed towards the colour (or the second bitmap's pixel) by
// percent, clamped to 0..100.
void BlendBitmap(TBitmap& source, TBitmap* second, TBitmap& target, TColor color, int percent);

// Draws graphic stretched into rect, or at rect's top-left at its own size,
// transparently when asked (the bitmap's transparent colour).
void DrawGraphicAt(TCanvas& canvas, TBitmap& graphic, const RECT& rect, bool transparent, bool stretch);
// Draws bitmap with every pixel of key left out (kAutoKeyColor: the
// bottom-left pixel), stretched into rect or at its top-left.
void DrawBitmapTransparent(HDC dc, TBitmap& bitmap, const RECT& rect, TColor key = kAutoKeyColor,
                           bool stretch = false);

// True when a window of one of the application's forms holds the mouse
// capture.
bool IsCaptureControlInApp();

// A bitmap the edit tools share, one per Tag: each user holds a
// SharedBitmap for as long as it needs the bitmap; the first holder makes
// it, the last frees it. UI thread only; content is not kept between users.
template <class Tag>
class SharedBitmap {
public:
    SharedBitmap() {
        if (users_++ == 0) bitmap_ = new TBitmap();
    }
    ~SharedBitmap() {
        if (--users_ == 0) {
            delete bitmap_;
            bitmap_ = nullptr;
        }
    }
    SharedBitmap(const SharedBitmap&) = delete;
    SharedBitmap& operator=(const SharedBitmap&) = delete;
    TBitmap& Get() { return *bitmap_; }
    // Number of holders, for leak tests.
    static int Users() { return users_; }

private:
    inline static TBitmap* bitmap_ = nullptr;
    inline static int users_ = 0;
};

// The work bitmap: inline images of styled texts.
using SharedWorkBitmap = SharedBitmap<struct WorkBitmapTag>;
