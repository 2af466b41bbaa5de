#include "demo/sample_controls.h"

#include <algorithm>
#include <utility>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace {
// A colour moved towards white by percent.
TColor Lighter(TColor c, int percent) {
    COLORREF rgb = ColorToCOLORREF(c);
    auto up = [percent](int v) { return v + (255 - v) * percent / 100; };
    return RGB(up(GetRValue(rgb)), up(GetGValue(rgb)), up(GetBValue(rgb)));
}
}  // namespace

// --- TSamplePanel ---------------------------------------------------------------

TSamplePanel::TSamplePanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TSamplePanel::AdjustClientRect(RECT& Rect) { InflateRect(&Rect, -2, -2); }

void TSamplePanel::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    DrawEdge(c.Handle(), &r, Raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT);
    std::string text = Caption();
    if (!text.empty()) {
        c.Font().Assign(&Font());
        c.Brush().SetStyle(bsClear);
        c.DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        c.Brush().SetStyle(bsSolid);
    }
}

// --- TSampleButton -------------------------------------------------------------

TSampleButton::TSampleButton(TComponent* AOwner) : TCustomControl(AOwner) {
    // No double clicks: a quick second click is a second click, as on a
    // system push button.
    SetControlStyle((ControlStyle() | csOpaque) & ~csDoubleClicks);
    SetColor(RGB(225, 234, 235));
    SetTabStop(true);
    SetBounds(0, 0, 90, 26);
}

void TSampleButton::SetDown(bool value) {
    if (down_ == value) return;
    down_ = value;
    Invalidate();
}

void TSampleButton::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    bool sunk = pressed_ || down_;
    TColor face = !Enabled() ? Color() : sunk ? RGB(197, 214, 217) : hover_ ? Lighter(Color(), 40) : Color();
    c.Brush().SetColor(face);
    c.FillRect(r);
    c.Brush().SetColor(sunk ? RGB(90, 100, 110) : RGB(131, 150, 160));
    c.FrameRect(r);
    c.Font().Assign(&Font());
    if (!Enabled()) c.Font().SetColor(clGrayText);
    RECT t = r;
    if (sunk) OffsetRect(&t, 1, 1);
    c.Brush().SetStyle(bsClear);
    std::string text = Caption();
    c.DrawText(text, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    c.Brush().SetStyle(bsSolid);
    if (Focused() && !(ControlState() & csPaintCopy)) {
        RECT f = r;
        InflateRect(&f, -3, -3);
        c.DrawFocusRect(f);
    }
}

void TSampleButton::MouseEnter() {
    hover_ = true;
    Invalidate();
    TCustomControl::MouseEnter();
}

void TSampleButton::MouseLeave() {
    hover_ = false;
    Invalidate();
    TCustomControl::MouseLeave();
}

void TSampleButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        pressed_ = true;
        if (CanFocus()) SetFocus();
        Invalidate();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TSampleButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TSampleButton::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE || Key == VK_RETURN) {
        Key = 0;
        Click();
    }
}

void TSampleButton::DoEnter() {
    Invalidate();
    TCustomControl::DoEnter();
}

void TSampleButton::DoExit() {
    Invalidate();
    TCustomControl::DoExit();
}

// --- TSampleLabel ---------------------------------------------------------------

TSampleLabel::TSampleLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetParentColor(true);
    SetBounds(0, 0, 120, 17);
}

void TSampleLabel::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    if (!Transparent) {
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
    c.Font().Assign(&Font());
    c.Brush().SetStyle(bsClear);
    std::string text = Caption();
    c.DrawText(text, r, Format);
    c.Brush().SetStyle(bsSolid);
}

// --- TSampleSwatch --------------------------------------------------------------

TSampleSwatch::TSampleSwatch(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 40, 40);
}

void TSampleSwatch::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    c.Brush().SetColor(hover_ ? Lighter(Color(), 50) : Color());
    c.FillRect(r);
    c.Brush().SetColor(clBlack);
    c.FrameRect(r);
}

void TSampleSwatch::MouseEnter() {
    hover_ = true;
    Invalidate();
    TGraphicControl::MouseEnter();
}

void TSampleSwatch::MouseLeave() {
    hover_ = false;
    Invalidate();
    TGraphicControl::MouseLeave();
}

// --- TWindowPicture ------------------------------------------------------------

TWindowPicture::TWindowPicture(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TWindowPicture::SetWindow(TWinControl* Window, bool Owned) {
    if (window_ && window_ != Window) {
        window_->RemoveFreeNotification(this);
        if (owned_) window_->Free();
    }
    window_ = Window;
    owned_ = Owned;
    // Its owner (the application, for a box) may free it first at shut-down.
    if (window_) window_->FreeNotification(this);
    if (window_) SetBounds(Left(), Top(), window_->Width(), window_->Height());
    Invalidate();
}

void TWindowPicture::Paint() {
    if (!window_) return;
    if (NeedsHandle) window_->HandleNeeded();
    // Painted at the origin of a bitmap of its own and copied: a system
    // control clips its items by device coordinates.
    TBitmap picture(window_->Width(), window_->Height());
    window_->PaintTo(picture.DC(), 0, 0);
    HDC dc = Canvas().Handle();
    ScopedSaveDC save(dc);
    if (Shape) {
        GdiObject<HRGN> rgn = Shape();
        POINT origin{0, 0};  // the picture's corner on the device
        LPtoDP(dc, &origin, 1);
        OffsetRgn(rgn.Get(), origin.x, origin.y);
        ExtSelectClipRgn(dc, rgn.Get(), RGN_AND);
    }
    BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture.DC(), 0, 0, SRCCOPY);
}

void TWindowPicture::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == window_) window_ = nullptr;
}

void TWindowPicture::BeforeDestruction() {
    if (TWinControl* w = std::exchange(window_, nullptr)) {
        w->RemoveFreeNotification(this);
        if (owned_) w->Free();
    }
    TGraphicControl::BeforeDestruction();
}

TWindowPicture* WindowPicture(TWinControl* parent, int x, int y, TWinControl* window, bool owned) {
    auto* p = Create<TWindowPicture>(parent);
    p->SetLeft(x);
    p->SetTop(y);
    p->SetWindow(window, owned);
    p->SetParent(parent);
    return p;
}

TSampleLabel* SampleLabel(TWinControl* parent, int x, int y, int w, const std::string& text, bool bold) {
    auto* l = Create<TSampleLabel>(parent);
    l->SetBounds(x, y, w, 17);
    if (bold) l->Font().SetStyle(fsBold);
    l->SetCaption(text);
    l->SetParent(parent);
    return l;
}

TSampleLabel* SampleTitle(TWinControl* parent, const std::string& text, int height) {
    auto* l = Create<TSampleLabel>(parent);
    l->SetHeight(height);
    l->Font().SetSize(12);
    l->Font().SetStyle(fsBold);
    l->SetCaption(text);
    l->SetAlign(alTop);
    l->SetParent(parent);
    return l;
}
