// The check box's arithmetic, apart from any window: the 12 x 12 box by
// alignment, the strip a partial repaint covers, the caption and focus
// rectangles, the auto-size bounds and the order the states cycle in.
#pragma once

#include "framework/plain_geometry.h"
#include "framework/text_alignment.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TVerticalAlignment { vaTop, vaBottom, vaCenter };

// What the next paint redraws: everything, the caption side or the box strip.
enum class TCheckBoxRepaint { All, TextOnly, BoxOnly };

// The box: 12 x 12, one pixel in from the side it sits on.
PlainRect CheckBoxRect(int Width, int Height, bool BoxAtRight, TVerticalAlignment VAlign);

// The part of the control a paint of kind Kind redraws.
PlainRect CheckBoxRepaintArea(int Width, int Height, bool BoxAtRight, TCheckBoxRepaint Kind);

// The state a toggle leads to: unchecked, (grayed,) checked, unchecked.
// A grayed box without AllowGrayed becomes checked.
TCheckBoxState NextCheckBoxState(TCheckBoxState State, bool AllowGrayed);

// Where the caption goes: the side away from the box, Width - 21 wide,
// placed vertically by VAlign from its measured height (top at 1).
PlainRect CheckBoxCaptionRect(int Width, int Height, bool BoxAtRight, TVerticalAlignment VAlign, int TextHeight);

// The focus frame round a caption of width TextWidth measured in Narrowed
// (its left edge at the caption's left): moved by the free space for
// right or centred text, one pixel wider on each side.
PlainRect CheckBoxFocusRect(PlainRect Narrowed, int TextWidth, int Width, TAlignment TextAlignment);

// The bounds auto-size gives a control at Left with width Width whose
// caption measures TextWidth x TextHeight: box, gap and one pixel round the
// text, one more right and below for a button-like press.
PlainRect CheckBoxAutoBounds(int Left, int Top, int Width, int TextWidth, int TextHeight, bool BoxAtRight,
                             bool ButtonLike);
