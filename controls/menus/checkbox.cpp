#include "controls/menus/checkbox.h"

void TsCustomCheckBox::SetStyle(TsBWCCBoxStyle value) {
    if (style_ == value) return;
    style_ = value;
    Invalidate();
}

void TsCustomCheckBox::Toggle() {
    if (!CanChange()) {
        BoxChanged();
        return;
    }
    const TCheckBoxState next = NextCheckBoxState(State(), allow_grayed_);
    if (next == cbGrayed)
        SetState(next);
    else
        SetChecked(next == cbChecked);
    Click();
}

void TsCustomCheckBox::DrawCheck(TCanvas& Canvas, const RECT& Box) {
    const TColor first = style_ == bwsRaised ? clBtnHighlight : clBtnShadow;
    const TColor second = style_ == bwsRaised ? clBtnShadow : clBtnHighlight;
    RECT r = Box;
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color());
    if (TransparentMode() == tmSemiTransparent) Canvas.FillRect(r);
    Canvas.Pen().SetWidth(1);
    if (Pressed()) {
        Canvas.Pen().SetColor(clBlack);
        Canvas.Pen().SetWidth(2);
        Canvas.Rectangle(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1);
        Canvas.Pen().SetWidth(1);
    } else {
        Canvas.FrameRect(r);
        const POINT upperLeft[3] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
        Canvas.Pen().SetColor(first);
        Canvas.Polyline(upperLeft, 3);
        const POINT lowerRight[3] = {{r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        Canvas.Pen().SetColor(second);
        Canvas.Polyline(lowerRight, 3);
    }
    if (State() == cbChecked) {
        if (style_ == bwsSunken) OffsetRect(&r, 0, -1);
        Canvas.Pen().SetColor(CheckColor());
        r.top -= 1;
        r.bottom -= 1;
        const POINT lines[4][2] = {{{r.left + 2, r.top + 7}, {r.left + 2, r.bottom - 1}},
                                   {{r.left + 3, r.top + 6}, {r.left + 3, r.bottom - 2}},
                                   {{r.left + 2, r.bottom - 1}, {r.right - 2, r.top + 3}},
                                   {{r.left + 3, r.bottom - 1}, {r.right - 1, r.top + 3}}};
        for (const auto& line : lines) Canvas.Polyline(line, 2);
    } else if (State() == cbGrayed) {
        OffsetRect(&r, 2, 2);
        r.right -= 3;
        r.bottom -= 3;
        if (Pressed()) Canvas.FrameRect(r);
        Canvas.Pen().SetColor(first);
        Canvas.Brush().SetColor(CheckColor());
        Canvas.Rectangle(r);
    }
}
