// Horizontal alignment of a text in its control: captions, grid columns and
// their titles, and edits (one meaning for the whole library).
#pragma once

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Reading order of a control's text. Right-to-left reading also mirrors the
// alignment (left becomes right) unless it is ...NoAlign or ...ReadingOnly.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// The alignment a text is shown with under Mode: left and right swap when
// the mode mirrors the alignment.
constexpr TAlignment MirroredAlignment(TAlignment Value, TBiDiMode Mode) {
    if (Mode != bdRightToLeft || Value == taCenter) return Value;
    return Value == taLeftJustify ? taRightJustify : taLeftJustify;
}
