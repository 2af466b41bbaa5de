// TCustomControl: a windowed control that paints itself on a canvas.
//
// WM_PAINT: a DC in wParam (or WM_PRINTCLIENT, or PaintTo) is painted into
// directly, without BeginPaint. Otherwise BeginPaint; with DoubleBuffered the
// update rectangle is painted into a 32-bit DIB (same logical coordinates as
// the window, origin moved to rcPaint's top-left) and copied once. After
// Paint() the window-less children are painted, each clipped to its bounds.
#pragma once

#include <memory>

#include "framework/win_control.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    // Bound to the paint DC while Paint() runs.
    TCanvas& Canvas();

protected:
    virtual void Paint();
    void PaintWindow(HDC DC) override;
    void BeforeDestruction() override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};
