#include "controls/menus/checkbox_rules.h"

namespace {
constexpr int kBoxSize = 12;
constexpr int kBoxStrip = 16;    // the box's side of the control
constexpr int kCaptionGap = 21;  // width the caption leaves to the box
}  // namespace

PlainRect CheckBoxRect(int Width, int Height, bool BoxAtRight, TVerticalAlignment VAlign) {
    PlainRect r;
    r.left = BoxAtRight ? Width - 1 - kBoxSize : 1;
    r.right = r.left + kBoxSize;
    switch (VAlign) {
    case vaTop: r.top = 1; break;
    case vaBottom: r.top = Height - 1 - kBoxSize; break;
    case vaCenter: r.top = Height / 2 - kBoxSize / 2; break;
    }
    r.bottom = r.top + kBoxSize;
    return r;
}

PlainRect CheckBoxRepaintArea(int Width, int Height, bool BoxAtRight, TCheckBoxRepaint Kind) {
    switch (Kind) {
    case TCheckBoxRepaint::TextOnly:
        return BoxAtRight ? PlainRect{0, 0, Width - kBoxStrip, Height - 2}
                          : PlainRect{kBoxStrip, 0, Width, Height - 2};
    case TCheckBoxRepaint::BoxOnly:
        return BoxAtRight ? PlainRect{Width - kBoxStrip, 0, Width, Height - 2} : PlainRect{0, 0, kBoxStrip, Height - 2};
    case TCheckBoxRepaint::All: break;
    }
    return PlainRect{0, 0, Width, Height};
}

TCheckBoxState NextCheckBoxState(TCheckBoxState State, bool AllowGrayed) {
    if (AllowGrayed && State == cbUnchecked) return cbGrayed;
    return State == cbChecked ? cbUnchecked : cbChecked;
}

PlainRect CheckBoxCaptionRect(int Width, int Height, bool BoxAtRight, TVerticalAlignment VAlign, int TextHeight) {
    const int left = BoxAtRight ? 1 : 19;
    PlainRect r{left, 1, left + Width - kCaptionGap, 1 + TextHeight};
    int dy = 0;
    if (VAlign == vaBottom) dy = Height - r.bottom;
    if (VAlign == vaCenter) dy = (Height - r.bottom) / 2;
    r.top += dy;
    r.bottom += dy;
    return r;
}

PlainRect CheckBoxFocusRect(PlainRect Narrowed, int TextWidth, int Width, TAlignment TextAlignment) {
    const int free = Width - kCaptionGap - TextWidth;
    int dx = 0;
    if (TextAlignment == taRightJustify) dx = free;
    if (TextAlignment == taCenter) dx = free / 2;
    return PlainRect{Narrowed.left + dx - 1, Narrowed.top, Narrowed.right + dx + 1, Narrowed.bottom};
}

PlainRect CheckBoxAutoBounds(int Left, int Top, int Width, int TextWidth, int TextHeight, bool BoxAtRight,
                             bool ButtonLike) {
    // The caption measured from one pixel in, then the box and its gap.
    PlainRect r{1, 0, 1 + TextWidth + 18, TextHeight + 2};
    const int left = BoxAtRight ? Left + Width - r.right - 1 : Left;
    r.left -= 1;
    r.right += 1;
    if (ButtonLike) {
        r.right += 1;
        r.bottom += 1;
    }
    return PlainRect{left, Top, left + r.right + 3, Top + r.bottom};
}
