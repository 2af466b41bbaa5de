// The row-kind column of the positions grid: what its one-letter kind and
// its marks mean for drawing, and the parse of the AdjustGrid text. No
// window code here.
#pragma once

#include <functional>
#include <string>

enum class TRowKindSymbol { None, Letter, Triangle };
enum class TRowUnderline { None, Red, Green };

struct TRowKindLook {
    TRowKindSymbol Symbol = TRowKindSymbol::None;
    char Letter = 0;         // for Letter: 'D', 'S', 'Z', '-' or 'A'
    bool Larger = false;     // "-" is drawn four points larger
    bool Fill = false;       // mark "h" (character 2) or "j" (character 4)
    TRowUnderline Underline = TRowUnderline::None;  // character 3 "p" or "g"
};

// The look of a row from its column-0 text (blanks around removed): the
// first character is the kind ("d" D, "*" S, "t" Z, "-" -, "a" A, byte 129
// a triangle, anything else nothing), characters 2 to 4 the marks.
TRowKindLook RowKindLookOf(const std::string& KindText);

// Whether a row of this kind lets read-only columns be edited: the kinds
// "-", "a" and the empty kind.
bool RowKindEditsReadOnlyColumns(const std::string& KindText);

// The AdjustGrid text: an integer size and a decimal factor separated by a
// blank ("8 1.2"); the factor takes "." or ",". False for anything else.
bool ParseAdjustGrid(const std::string& Text, int& Size, double& Factor);

// The font sizes of AdjustGrid at a screen resolution: the screen-scaled
// size max(size, round(size / (ppi / 96))) and the final size
// max(size, round(scaled * factor)), halves to even.
struct TAdjustedSizes {
    int Scaled = 0;
    int Final = 0;
};
TAdjustedSizes AdjustedFontSizes(int Size, double Factor, int PixelsPerInch);
// MaxSecondHeight after AdjustGrid: round(value * factor), doubled above
// 96 pixels per inch, clamped to 50..100.
int AdjustedMaxSecondHeight(int Value, double Factor, int PixelsPerInch);

// The default row height AdjustGrid gives a font whose text is TextHeight
// pixels high: ceil(1.6 * TextHeight).
int AdjustedRowHeight(int TextHeight);

// The largest font size up to Size whose row, AdjustedRowHeight of
// TextHeight(size), is at most MaxRowHeight (never below 1). Size itself
// when it fits: TextHeight is asked once then. TextHeight must not fall as
// the size grows.
int FittingFontSize(int Size, int MaxRowHeight, const std::function<int(int)>& TextHeight);
