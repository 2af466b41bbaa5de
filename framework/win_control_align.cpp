// TWinControl: laying out aligned children.

#include "framework/win_control.h"

#include <algorithm>
#include <vector>

#include "framework/scoped_state.h"

// --- alignment --------------------------------------------------------------------

void TWinControl::DisableAlign() { ++align_level_; }

void TWinControl::EnableAlign() {
    if (align_level_ > 0 && --align_level_ == 0 && align_pending_) {
        align_pending_ = false;
        Realign();
    }
}

void TWinControl::Realign() {
    if (align_level_ > 0 || aligning_) {
        align_pending_ = true;
        return;
    }
    ScopedValue<bool> aligning(aligning_, true);
    // A handler the alignment runs (OnResize of a placed control) may move
    // another aligned control: align again, a bounded number of times, so
    // controls that keep pushing one another cannot hang the program.
    constexpr int kMaxPasses = 8;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        align_pending_ = false;
        RECT r = GetClientRect();
        AdjustClientRect(r);
        AlignControls(nullptr, r);
        if (!align_pending_) break;
    }
    align_pending_ = false;
}

void TWinControl::AlignRequested(TControl* Child) {
    if (IsDestroying()) return;  // the children go with it
    if (aligning_) {
        if (Child != align_placing_) align_pending_ = true;
        return;
    }
    Realign();
}

void TWinControl::AdjustClientRect(RECT& Rect) {
    if (border_width_ > 0) InflateRect(&Rect, -border_width_, -border_width_);
}

void TWinControl::SetBorderWidth(int value) {
    if (value < 0) value = 0;
    if (border_width_ == value) return;
    border_width_ = value;
    nc_valid_ = false;
    Realign();
    Invalidate();
}

void TWinControl::AlignControls(TControl* AControl, RECT& Rect) {
    DoAlign(alTop, Rect, AControl);
    DoAlign(alBottom, Rect, AControl);
    DoAlign(alLeft, Rect, AControl);
    DoAlign(alRight, Rect, AControl);
    DoAlign(alClient, Rect, AControl);
}

void TWinControl::DoAlign(TAlign Align, RECT& Rect, TControl* AControl) {
    std::vector<TControl*> list;
    for (TControl* c : controls_) {
        if (c->align_ == Align && c->visible_) list.push_back(c);
    }
    // Keep the order the controls stand in along the aligned edge.
    auto key = [Align](TControl* c) {
        switch (Align) {
        case alTop: return c->top_;
        case alBottom: return -(c->top_ + c->height_);
        case alLeft: return c->left_;
        case alRight: return -(c->left_ + c->width_);
        default: return 0;
        }
    };
    std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
        int ka = key(a), kb = key(b);
        if (ka != kb) return ka < kb;
        return a == AControl && b != AControl;
    });
    for (TControl* c : list) {
        ScopedValue<TControl*> placing(align_placing_, c);
        int w = Rect.right - Rect.left;
        int h = Rect.bottom - Rect.top;
        if (w < 0) w = 0;
        if (h < 0) h = 0;
        switch (Align) {
        case alTop:
            c->SetBounds(Rect.left, Rect.top, w, c->height_);
            Rect.top += c->height_;
            break;
        case alBottom:
            c->SetBounds(Rect.left, Rect.bottom - c->height_, w, c->height_);
            Rect.bottom -= c->height_;
            break;
        case alLeft:
            c->SetBounds(Rect.left, Rect.top, c->width_, h);
            Rect.left += c->width_;
            break;
        case alRight:
            c->SetBounds(Rect.right - c->width_, Rect.top, c->width_, h);
            Rect.right -= c->width_;
            break;
        case alClient:
            c->SetBounds(Rect.left, Rect.top, w, h);
            break;
        default: break;
        }
    }
}
