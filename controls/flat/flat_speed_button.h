// TFlatSpeedButton: the window-less twin of the flat button. It paints
// straight onto its parent (optionally clipped to round corners), never
// takes the focus and has no keyboard handling; its caption is one line.
#pragma once

#include "controls/flat/flat_button_base.h"
#include "framework/graphic_control.h"

class TFlatSpeedButton : public TFlatButtonBase<TGraphicControl> {
public:
    explicit TFlatSpeedButton(TComponent* AOwner);

    // Corner diameter 0..100 of the round clip. A new value also grows the
    // button by one pixel in width and height.
    void SetRound(int v);

protected:
    void Paint() override;
};
