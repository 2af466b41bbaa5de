#include "framework/graphic.h"

#include "framework/exceptions.h"

namespace {
const char* const kNoClipboardForm = "Diese Grafik kann nicht ü" "ber die Zwischenablage ausgetauscht werden";
}  // namespace

void TGraphic::LoadFromClipboardFormat(uint16_t, HANDLE, HPALETTE) { throw EInvalidGraphic(kNoClipboardForm); }

void TGraphic::SaveToClipboardFormat(uint16_t&, HANDLE&, HPALETTE&) const { throw EInvalidGraphic(kNoClipboardForm); }

void TGraphic::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}
