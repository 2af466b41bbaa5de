// Window shapes. A region handed to SetWindowRgn belongs to the system from
// then on; these helpers keep that hand-over in one place so that no control
// deletes a region the window still uses, nor leaks one the window refused.
#pragma once

#include <windows.h>

#include "framework/gdi_owner.h"

// A round-cornered rectangle (corner ellipse CornerW x CornerH).
GdiObject<HRGN> CreateRoundRectRegion(int Left, int Top, int Right, int Bottom, int CornerW, int CornerH);

// Gives the window the region (an empty owner removes the shape). When the
// window takes it the owner lets go; otherwise it still deletes it. Returns
// whether the window took it.
bool SetWindowRegion(HWND Window, GdiObject<HRGN> Region, bool Redraw);

// The window has a shape of its own.
bool HasWindowRegion(HWND Window);
