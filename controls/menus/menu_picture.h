// Pictures of kit menus without opening them: the items are measured and
// painted through the same code as the open menu, laid out as the platform
// lays out a popup (a 3-pixel margin, columns at breaks) or a menu bar.
// Galleries and tests use them; a menu itself is a window of its own.
#pragma once

#include <windows.h>

class TMenuItem;

// Paints the sub-menu of Parent (a kit menu's item, or its root item) with
// its top-left at (X, Y); Selected is the position drawn as selected (-1:
// none). Returns the popup's rectangle.
RECT PaintKitPopupPicture(TMenuItem* Parent, HDC DC, int X, int Y, int Selected = -1);
// Paints the top items of a kit main menu as a bar Width wide.
RECT PaintKitBarPicture(TMenuItem* Root, HDC DC, int X, int Y, int Width, int Selected = -1);
