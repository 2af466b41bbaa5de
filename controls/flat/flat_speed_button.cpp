#include "controls/flat/flat_speed_button.h"

#include "framework/gdi_owner.h"
#include "framework/win_control.h"
#include "framework/window_region.h"

TFlatSpeedButton::TFlatSpeedButton(TComponent* AOwner)
    : TFlatButtonBase<TGraphicControl>(AOwner, FlatSpeedButtonHover()) {}

void TFlatSpeedButton::SetRound(int v) {
    if (!SetRoundValue(v)) return;
    // Kept as the flat kit has always done: forms placed with this size in
    // mind expect the extra pixel.
    SetBounds(Left(), Top(), Width() + 1, Height() + 1);
    Invalidate();
}

void TFlatSpeedButton::Paint() {
    TCanvas& c = Canvas();
    // One line with "<br>" as it stands, measured the way it is drawn so
    // that nothing of it is clipped; tmAlways leaves the parent's picture.
    PaintFace(c, false, [this, &c](TFlatFace& face) {
        face.TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (Round() <= 0) return;
        // The clip is in device units; the parent's DC is restored after
        // this paint, so the clip goes with it and the region is ours to free.
        HDC dc = c.Handle();
        POINT corners[2] = {{1, 1}, {Width() - 1, Height() - 1}};
        LPtoDP(dc, corners, 2);
        GdiObject<HRGN> clip =
            CreateRoundRectRegion(corners[0].x, corners[0].y, corners[1].x, corners[1].y, Round(), Round());
        ExtSelectClipRgn(dc, clip.Get(), RGN_AND);
    });
}
