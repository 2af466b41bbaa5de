// Measuring and painting one item of a kit menu (the answers to
// WM_MEASUREITEM and WM_DRAWITEM), with the kit's drawing helpers: 3-D text,
// its frame, backgrounds, the dither and the process-wide paint caches.
#pragma once

#include <windows.h>

#include <string>

#include "controls/menus/menu_appearance.h"

class TCanvas;
class TImageList;

// The open popup an item is painted in: its window (the caches' key) and
// the union of all item rectangles of the item's menu, in the coordinates
// of the item's DC. Tests and pictures give it; otherwise it is read from
// the live menu.
struct MenuPopupGeometry {
    HWND popup = nullptr;
    RECT items{};
};

// The live geometry of Item's open popup, from the platform's item
// rectangles of the menu that holds it, moved to the coordinates of Draw's
// DC. Read once per popup window and menu; the paint caches' reset forgets it.
MenuPopupGeometry LivePopupGeometry(TMenuItem* Item, const DRAWITEMSTRUCT& Draw);
// How many times a popup's item rectangles were read from the platform
// (a diagnostic: painting a popup reads them once, whatever its size).
int MenuGeometryReads();

// Measures Item into Measure (result 1). The DC comes from Window (the
// menu's owner; the screen for nullptr) and is released again.
void MeasureKitItem(ToxMenuData& Data, TMenuItem* Item, MEASUREITEMSTRUCT& Measure, HWND Window);
// Paints Item; Geometry nullptr reads the live popup.
void DrawKitItem(ToxMenuData& Data, TMenuItem* Item, DRAWITEMSTRUCT& Draw,
                 const MenuPopupGeometry* Geometry = nullptr);

// Text with a 3-D effect in the canvas font's colour; with MaxWidth >= 1 a
// longer text is cut and ends in "...". The text colour is put back.
void DrawText3D(TCanvas& Canvas, const RECT& Rect, const std::string& Text, int MaxWidth, UINT Flags,
                T3DEffect Effect);
// |Width| nested one-pixel frames; Rect shrinks by one each (and is put back
// for a negative Width). clNone skips a side; 0x30000000 + 256 + n shades the
// pixels there n lightness steps (negative: darker).
void MenuFrame3D(TCanvas& Canvas, RECT& Rect, TColor TopLeft, TColor BottomRight, int Width);
// Fills Rect in Color, then the style's picture or gradient.
void PaintMenuBackground(TCanvas& Canvas, const RECT& Rect, ToxmBackStyle Style, TGradient& Gradient,
                         TBitmap& Picture, TColor Color);
// The 8x8 dither of checked glyphs: pattern-invert, then invert.
void ApplyMenuDither(HDC DC, const RECT& Rect);

// The text an item shows: caption ("||" as line breaks with oxmMultiLine),
// and its shortcut text where one shows (empty otherwise).
std::string KitItemText(ToxMenuData& Data, TMenuItem* Item);
std::string KitShortCutText(TMenuItem* Item);

// The paint caches of the kit: each kit menu holds them while it lives
// (the first holder makes them, the last frees them); Reset makes the next
// paint repaint them.
class MenuPaintCaches {
public:
    MenuPaintCaches();
    ~MenuPaintCaches();
    MenuPaintCaches(const MenuPaintCaches&) = delete;
    MenuPaintCaches& operator=(const MenuPaintCaches&) = delete;
    static void Reset();
    static int Holders();
};
