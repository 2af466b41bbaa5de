// TsTransControl: a custom control that can show its parent's picture as its
// own background. The picture is cached in a bitmap of the control's size
// and taken again after the control moved or changed size.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/custom_control.h"

class TBitmap;

class TsTransControl : public TCustomControl {
public:
    explicit TsTransControl(TComponent* AOwner);
    ~TsTransControl() override;

    bool Transparent() const { return transparent_; }
    // The cache no longer matches the control's place or size.
    bool BackgroundStale() const { return background_stale_; }

protected:
    void SetTransparent(bool value) { transparent_ = value; }
    // Takes the parent's picture under the control into the cache (a stale
    // cache is dropped first). Nothing without a parent.
    void RefreshBackground();
    // Rect (control coordinates) from the cache with Transparent, else
    // filled with the control's colour.
    void PaintBackground(TCanvas& Canvas, const RECT& Rect);
    void DropBackground();

    // Renews a stale cache while Transparent.
    void Paint() override;
    void BoundsChanged() override;
    void BeforeDestruction() override;

private:
    bool transparent_ = false;
    bool background_stale_ = true;
    std::unique_ptr<TBitmap> background_;
};
