#include "framework/graphic.h"

void TGraphic::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}
