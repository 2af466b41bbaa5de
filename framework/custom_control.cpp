#include "framework/custom_control.h"

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

TCanvas& TCustomControl::Canvas() { return *canvas_; }

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(HDC DC) {
    TCanvasPaintScope scope(*canvas_, DC);
    Paint();
}

void TCustomControl::BeforeDestruction() {
    canvas_->FreeHandle();
    TWinControl::BeforeDestruction();
}

void TCustomControl::DestroyWnd() {
    canvas_->FreeHandle();
    TWinControl::DestroyWnd();
}
