#include "framework/std_controls.h"

#include "framework/canvas.h"

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 185, 41);
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetPicture(TBitmap& Value) {
    picture_ = std::make_unique<TBitmap>(Value.Width(), Value.Height());
    if (!Value.Empty()) BitBlt(picture_->DC(), 0, 0, Value.Width(), Value.Height(), Value.DC(), 0, 0, SRCCOPY);
    Invalidate();
}

void TImage::Paint() {
    if (picture_->Empty()) return;
    BitBlt(Canvas().Handle(), 0, 0, picture_->Width(), picture_->Height(), picture_->DC(), 0, 0, SRCCOPY);
}
