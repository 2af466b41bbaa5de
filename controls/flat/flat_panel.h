// TFlatPanel: a container with a one-pixel two-colour frame and a one-line
// caption, filled with its colour or showing its parent's background.
#pragma once

#include "framework/custom_control.h"
#include "framework/text_alignment.h"

class TFlatPanel : public TCustomControl {
public:
    explicit TFlatPanel(TComponent* AOwner);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TColor ColorHighLight() const { return color_highlight_; }
    void SetColorHighLight(TColor v);
    TColor ColorShadow() const { return color_shadow_; }
    void SetColorShadow(TColor v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    void Paint() override;
    // Aligned children leave the one-pixel frame visible.
    void AdjustClientRect(RECT& Rect) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

private:
    bool transparent_ = false;
    TColor color_highlight_ = 0x8396A0;
    TColor color_shadow_ = 0x8396A0;
    TAlignment alignment_ = taCenter;
};
