#include "framework/std_controls.h"

#include "framework/canvas.h"
#include "framework/messages.h"

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

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 13); }

void TLabel::Paint() {
    TCanvas& c = Canvas();
    c.Font().Assign(&Font());
    c.Brush().SetStyle(bsClear);
    RECT r{0, 0, Width(), Height()};
    c.DrawText(Caption(), r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TLabel::Dispatch(TMessage& m) {
    TGraphicControl::Dispatch(m);
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) Invalidate();
}
