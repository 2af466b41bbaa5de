// Where a flat button puts its glyph and caption: pure geometry, given the
// measured caption size. The text measuring lives in flat_utils.h.
#pragma once

#include <string>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TLayoutPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TLayoutPoint&) const = default;
};

struct TLayoutRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TLayoutRect&) const = default;
};

struct TButtonLayoutResult {
    TLayoutPoint GlyphPos;
    TLayoutRect TextBounds;
};

// Client: the button's client rectangle; Offset: the press offset (both
// axes); TextWidth/TextHeight: the measured caption (0 for none);
// GlyphWidth/GlyphHeight: one glyph image (0 for none); Margin -1 centres,
// Spacing -1 spreads evenly.
TButtonLayoutResult LayoutButton(const TLayoutRect& Client, int Offset, int TextWidth, int TextHeight, int GlyphWidth,
                                 int GlyphHeight, int Margin, int Spacing, TButtonLayout Layout);

// The caption as drawn with line breaks: every "<br>" (any case) becomes CR LF.
std::string CaptionWithLineBreaks(const std::string& Caption);
