#include "controls/menus/checkbox_background.h"

#include "controls/flat/flat_utils.h"
#include "framework/bitmap.h"

TsTransControl::TsTransControl(TComponent* AOwner) : TCustomControl(AOwner) {
    control_style_ &= ~csOpaque;
}

TsTransControl::~TsTransControl() = default;

void TsTransControl::RefreshBackground() {
    if (!Parent()) return;
    if (background_stale_) DropBackground();
    if (!background_) background_ = std::make_unique<TBitmap>(Width(), Height());
    // Only the parent's own painting: the control never lands in its own background.
    DrawParentBackground(this, background_->Canvas());
    background_stale_ = false;
}

void TsTransControl::PaintBackground(TCanvas& Canvas, const RECT& Rect) {
    if (transparent_ && background_) {
        Canvas.CopyRect(Rect, background_->Canvas(), Rect);
        return;
    }
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color());
    Canvas.FillRect(Rect);
}

void TsTransControl::DropBackground() { background_.reset(); }

void TsTransControl::Paint() {
    if (transparent_ && background_stale_) RefreshBackground();
}

void TsTransControl::BoundsChanged() {
    background_stale_ = true;
    TCustomControl::BoundsChanged();
    Invalidate();
}

void TsTransControl::BeforeDestruction() {
    DropBackground();
    TCustomControl::BeforeDestruction();
}
