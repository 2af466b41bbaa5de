// Texts with inline "/" codes (see styled_text_codes.h), painted or measured
// on a canvas, and small text-measuring helpers.
#pragma once

#include <windows.h>

#include <string>

#include "framework/canvas.h"
#include "framework/font.h"

class TImageList;

// Paints (draw true) or measures (draw false) text in rect and returns the
// extent: (rect.left + widest line, total height). A null text gives (0, 0).
// flags are DrawText flags: with DT_WORDBREAK the text flows on word by word
// across its codes and wraps at rect.right in both modes; otherwise
// measuring is unbounded to the right and below.
// Measuring and drawing give the same layout. The canvas font keeps the last
// style, size, colour and name the codes set; the canvas draws with a
// transparent background. Inline images come from images (an argument that
// starts with a digit) or from the program's bitmap resources by name; a
// missing image draws nothing and takes no room. A code whose argument does
// not convert is ignored. Never raises for any text.
POINT DrawStyledText(TCanvas& canvas, const char* text, const RECT& rect, bool draw, UINT flags,
                     TImageList* images = nullptr);

// The height of text in font, measured on the canvas's device context, or on
// the screen's without a canvas.
int TextHeightFor(TFont& font, const std::string& text, TCanvas* canvas);
// The height of the text extent in the DC's current font.
int TextHeightOnDC(HDC dc, const std::string& text);
// The font's maximum character width / character height on the window's
// device context; 0 when the metrics cannot be read.
int FontMaxCharWidth(HWND window, TFont& font);
int FontHeight(HWND window, TFont& font);
