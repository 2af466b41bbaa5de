// Colour conversion and screen metrics shared by the graphics classes.
#pragma once

#include <windows.h>

#include "framework/colors.h"

// System colours (0x80000000 + index) become the current RGB through
// GetSysColor; other values are returned unchanged (clNone stays clNone).
TColor ColorToRGB(TColor color);

// A COLORREF for GDI calls: system colours resolved, the high byte cleared
// (clNone and clDefault would otherwise be read as palette indexes).
COLORREF ColorToCOLORREF(TColor color);

// The screen's logical pixels per inch (LOGPIXELSY), read once and cached.
int ScreenPixelsPerInch();
