// Where a flat button puts its glyph and caption: pure geometry, given the
// measured caption size. The text measuring lives in flat_utils.h.
#pragma once

#include <string>

#include "framework/plain_geometry.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };


struct TButtonLayoutResult {
    PlainPoint GlyphPos;
    PlainRect TextBounds;
};

// Client: the button's client rectangle; Offset: the press offset (both
// axes); TextWidth/TextHeight: the measured caption (0 for none);
// GlyphWidth/GlyphHeight: one glyph image (0 for none); Margin -1 centres,
// Spacing -1 spreads evenly.
TButtonLayoutResult LayoutButton(const PlainRect& Client, int Offset, int TextWidth, int TextHeight, int GlyphWidth,
                                 int GlyphHeight, int Margin, int Spacing, TButtonLayout Layout);

// The caption as drawn with line breaks: every "<br>" (any case) becomes CR LF.
std::string CaptionWithLineBreaks(const std::string& Caption);
