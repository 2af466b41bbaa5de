#include "framework/graphic_control.h"

#include "framework/win_control.h"

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas& TGraphicControl::Canvas() { return *canvas_; }

void TGraphicControl::BeforeDestruction() {
    canvas_->FreeHandle();
    TControl::BeforeDestruction();
}

// The parent hands over its DC with the origin at this control's top-left
// and the clipping cut to its bounds.
void TGraphicControl::WMPaint(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc) return;
    TCanvasPaintScope scope(*canvas_, dc);
    Paint();
}

void TGraphicControl::Dispatch(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        WMPaint(m);
        return;
    }
    TControl::Dispatch(m);
}
