// The window-free cores of the edit drawing helpers: the band plan of a
// gradient, fitting a popup onto the virtual screen, the pixel effects on
// 32-bit pixel rows (0x00RRGGBB, as TBitmap keeps them) and the geometry of
// the drop-marker arrows.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/plain_geometry.h"
#include "framework/colors.h"

// ------------------------------------------------------------------ gradient

// One band of a banded gradient: pixels [start, start + width) along the
// gradient's direction, painted in color.
struct GradientBand {
    int start = 0;
    int width = 0;
    TColor color = 0;
    bool operator==(const GradientBand&) const = default;
};

// Splits extent pixels into bands (fewer than 1 act as 1, more than extent
// as extent). Band i has the
// colour from + round(i * (to - from) / bands) per channel (halves to even),
// starts at round(i * extent / bands) and is one pixel wider than a step so
// neighbouring bands leave no gap; every band is clipped to the extent.
// from and to must be RGB values (no system colours).
std::vector<GradientBand> PlanGradientBands(TColor from, TColor to, int extent, int bands);

// ------------------------------------------------------------ virtual screen

inline constexpr int kMovedVertically = 1;
inline constexpr int kMovedHorizontally = 2;

// Fits a width x height rectangle at pos onto screen: the top-left is
// raised to the screen's top-left; one that passes the bottom (right) edge
// is put at bottom - height - offset.y (right - width - offset.x) and
// kMovedVertically (kMovedHorizontally) is set. A rectangle larger than the
// screen keeps its top-left edge on the screen. Returns the flags.
int FitOntoScreen(PlainPoint& pos, int width, int height, PlainPoint offset, const PlainRect& screen);

// -------------------------------------------------------------------- pixels

// A view of 32-bit pixel rows; stride counts pixels from one row to the next.
struct PixelView {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    uint32_t& At(int x, int y) const { return pixels[static_cast<long>(y) * stride + x]; }
};

enum class BitmapEffect : int {
    Greyed = 0,       // red >= 175 kept, all else (120, 120, 120)
    Tinted = 1,       // red and green halved; blue 0 -> 66, 255 -> 189
    Copy = 2,
    Inverted = 3,
    Posterised = 4,
    Highlighted = 5,  // pixels unlike the key in every channel, red div 3 even -> (8, 36, 107)
    Blurred = 6,      // mean of the pixel and its four neighbours
};

// The key colour that means "take the source's top-left pixel".
inline constexpr TColor kAutoKeyColor = 0xFFFFFF;

// Applies effect to the common area of source and target (pixels as RGB
// colours, 0x00BBGGRR order as TColor; see ColorOfPixel). key is used by
// Highlighted; kAutoKeyColor takes the source's top-left pixel. Unknown
// effects copy. Source and target may be the same view except for Blurred,
// which reads a copy.
void ApplyEffectToPixels(const PixelView& source, const PixelView& target, BitmapEffect effect, TColor key);

// Mixes every source pixel that differs from key towards color by percent
// (clamped to 0..100): color * p / 100 + pixel * (100 - p) / 100 per channel.
// With a second view the mix takes that view's pixel in place of color and,
// when color is kAutoKeyColor, the key is the second view's top-left pixel.
// Works on the area common to all views.
void BlendPixels(const PixelView& source, const PixelView* second, const PixelView& target, TColor color,
                 int percent);

// A 32-bit pixel (0x00RRGGBB) as a colour (red in the low byte) and back.
constexpr TColor ColorOfPixel(uint32_t px) {
    return RGBColor(static_cast<uint8_t>(px >> 16), static_cast<uint8_t>(px >> 8), static_cast<uint8_t>(px));
}
constexpr uint32_t PixelOfColor(TColor c) {
    return (static_cast<uint32_t>(ColorRed(c)) << 16) | (static_cast<uint32_t>(ColorGreen(c)) << 8) |
           ColorBlue(c);
}

// -------------------------------------------------------------- drop markers

enum ArrowOrientation : int { kArrowUp = 0, kArrowDown = 1, kArrowRight = 2, kArrowLeft = 3 };

// Size of every arrow marker window.
inline constexpr int kArrowSize = 11;

// The seven corner points of an arrow (orientation 0..3; others give 0's).
std::array<PlainPoint, 7> ArrowPolygon(int orientation);

enum class DragKind : int { None = 0, Rows = 1, Columns = 2 };

// Where the markers of a row or column drag go (screen coordinates).
struct DropArrowPlan {
    bool show = false;        // target valid and not the source
    PlainRect area;           // the marker area, one pixel larger on every side
    bool visible[4] = {};     // per orientation
    PlainPoint origin[4];     // per orientation, for the visible ones
};

// Rows: around the vertical middle of the target cell, right arrow at the
// area's left, left arrow at its right - 10. Columns: at the target's right
// edge when inserting after (insertAfter, or 1 <= source < target), else its
// left edge; down arrow at the area's top, up arrow at its bottom - 10.
DropArrowPlan PlanDropArrows(DragKind kind, int sourceIndex, int targetIndex, bool insertAfter,
                             const PlainRect& targetOnScreen);
