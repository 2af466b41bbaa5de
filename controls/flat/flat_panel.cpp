#include "controls/flat/flat_panel.h"

#include "controls/flat/flat_face.h"
#include "controls/flat/flat_utils.h"

TFlatPanel::TFlatPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetParentFont(true);
    SetColor(clBtnFace);
    SetParentColor(true);
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetDoubleBuffered(true);  // painted off-screen, copied in one step
    SetBounds(0, 0, 185, 41);
}

void TFlatPanel::SetTransparent(bool v) {
    transparent_ = v;
    Invalidate();
}

void TFlatPanel::SetColorHighLight(TColor v) {
    color_highlight_ = v;
    Invalidate();
}

void TFlatPanel::SetColorShadow(TColor v) {
    color_shadow_ = v;
    Invalidate();
}

void TFlatPanel::SetAlignment(TAlignment v) {
    if (alignment_ == v) return;
    alignment_ = v;
    Invalidate();
}

void TFlatPanel::AdjustClientRect(RECT& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    InflateRect(&Rect, -1, -1);
}

void TFlatPanel::CMEnabledChanged(TMessage& m) {
    TCustomControl::CMEnabledChanged(m);
    Invalidate();
}

void TFlatPanel::CMTextChanged(TMessage& m) {
    TCustomControl::CMTextChanged(m);
    Invalidate();
}

void TFlatPanel::Paint() {
    TCanvas& c = Canvas();
    const RECT client{0, 0, Width(), Height()};
    if (transparent_) {
        DrawParentBackground(this, c);
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(client);
    }
    Frame3D(c, client, color_highlight_, color_shadow_, 1);
    c.SetFont(Font());
    const UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
    DrawFlatCaption(c, Caption(), client, DT_SINGLELINE | DT_VCENTER | align, Enabled());
}
