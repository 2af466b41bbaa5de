#include "controls/menus/checkbox_control.h"

#include "framework/accelerator.h"
#include "framework/bitmap.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/plain_geometry_win32.h"

TsBWCCControl::TsBWCCControl(TComponent* AOwner) : TsTransControl(AOwner) {
    // Presses and toggles are the control's own: no framework click on
    // release, and a quick second click is a second press, not a double click.
    control_style_ &= ~(csClickEvents | csDoubleClicks);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(0, 0, 98, 20);
}

// --- properties --------------------------------------------------------------------------------

void TsBWCCControl::SetAlignment(TLeftRight value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TsBWCCControl::SetAutoSize(bool value) {
    if (auto_size_ == value) return;
    auto_size_ = value;
    AdjustBounds();
}

void TsBWCCControl::SetButtonLike(bool value) {
    if (button_like_ == value) return;
    button_like_ = value;
    if (auto_size_) AdjustBounds();
}

void TsBWCCControl::SetCheckColor(TColor value) {
    check_color_ = value;
    Invalidate();
}

void TsBWCCControl::SetFocusFrame(bool value) {
    if (focus_frame_ == value) return;
    focus_frame_ = value;
    if (mouse_inside_ || focused_) Invalidate();
}

void TsBWCCControl::SetTextAlignment(TAlignment value) {
    if (text_alignment_ == value) return;
    text_alignment_ = value;
    Invalidate();
}

void TsBWCCControl::SetTransparentMode(TsTransparentMode value) {
    if (transparent_mode_ == value) return;
    transparent_mode_ = value;
    SetTransparent(value != tmOpaque);
    Invalidate();
}

void TsBWCCControl::SetVerticalAlignment(TVerticalAlignment value) {
    if (vertical_alignment_ == value) return;
    vertical_alignment_ = value;
    Invalidate();
}

void TsBWCCControl::SetWordWrap(bool value) {
    if (word_wrap_ == value) return;
    word_wrap_ = value;
    AdjustBounds();
    InvalidatePart(TCheckBoxRepaint::TextOnly);
}

void TsBWCCControl::SetState(TCheckBoxState value) {
    if (!CanChange() || state_ == value) return;
    state_ = value;
    BoxChanged();
}

void TsBWCCControl::SetChecked(bool value) {
    if (!CanChange() || value == Checked()) return;
    state_ = value ? cbChecked : cbUnchecked;
    BoxChanged();
}

void TsBWCCControl::SetText(const std::string& value) {
    TsTransControl::SetText(value);
    InvalidatePart(TCheckBoxRepaint::TextOnly);
}

RECT TsBWCCControl::BoxRect() const {
    return ToRECT(CheckBoxRect(Width(), Height(), BoxAtRight(), vertical_alignment_));
}

void TsBWCCControl::AdjustBounds() {
    if (!auto_size_) return;
    // Measured on a screen-compatible DC, wrapped in the width less a pixel each side.
    RECT r{1, 0, Width() - 1, Height()};
    const std::string caption = Caption();
    {
        MemoryDC dc;
        ScopedSelect font(dc.Get(), Font().Handle());
        ::DrawTextA(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &r,
                    DT_CALCRECT | DT_EXPANDTABS | (word_wrap_ ? DT_WORDBREAK : 0));
    }
    const PlainRect b =
        CheckBoxAutoBounds(Left(), Top(), Width(), r.right - r.left, r.bottom - r.top, BoxAtRight(), button_like_);
    SetBounds(b.left, b.top, b.Width(), b.Height());
}

// --- painting ----------------------------------------------------------------------------------

void TsBWCCControl::Invalidate() {
    repaint_ = TCheckBoxRepaint::All;
    repaint_pending_ = true;
    TsTransControl::Invalidate();
}

void TsBWCCControl::InvalidatePart(TCheckBoxRepaint kind) {
    if (!repaint_pending_)
        repaint_ = kind;
    else if (repaint_ != kind)
        repaint_ = TCheckBoxRepaint::All;
    repaint_pending_ = true;
    TsTransControl::Invalidate();
}

void TsBWCCControl::BoxChanged() {
    if (button_like_)
        Invalidate();
    else
        InvalidatePart(TCheckBoxRepaint::BoxOnly);
}

void TsBWCCControl::Paint() {
    // A paint nobody asked for here (the window uncovered), a background
    // taken anew and a copy painted elsewhere need every pixel.
    TCheckBoxRepaint kind = repaint_pending_ ? repaint_ : TCheckBoxRepaint::All;
    if ((Transparent() && BackgroundStale()) || IsDesigning() || (ControlState() & csPaintCopy))
        kind = TCheckBoxRepaint::All;
    repaint_ = TCheckBoxRepaint::All;
    repaint_pending_ = false;
    TsTransControl::Paint();
    if (Width() <= 0 || Height() <= 0) return;
    const RECT box = BoxRect();
    const RECT area = ToRECT(CheckBoxRepaintArea(Width(), Height(), BoxAtRight(), kind));
    TBitmap buffer(Width(), Height());
    TCanvas& b = buffer.Canvas();
    PaintBackground(b, area);
    b.SetFont(Font());
    TCanvas& c = Canvas();
    if (kind != TCheckBoxRepaint::TextOnly) {
        DrawCheck(b, box);
        c.CopyRect(box, b, box);
    }
    if (kind != TCheckBoxRepaint::BoxOnly) {
        DrawCaption(b);
        c.CopyRect(area, b, area);
    }
}

void TsBWCCControl::DrawCaption(TCanvas& Canvas) {
    UINT flags = DT_EXPANDTABS | DT_END_ELLIPSIS | (word_wrap_ ? DT_WORDBREAK : 0);
    flags |= text_alignment_ == taRightJustify ? DT_RIGHT : text_alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    if (!Enabled()) Canvas.Font().SetColor(clGrayText);
    const std::string caption = Caption();
    const int left = BoxAtRight() ? 1 : 19;
    RECT measured{left, 1, left + Width() - 21, Height() - 1};
    Canvas.DrawText(caption, measured, flags | DT_CALCRECT);
    RECT r = ToRECT(
        CheckBoxCaptionRect(Width(), Height(), BoxAtRight(), vertical_alignment_, measured.bottom - measured.top));
    Canvas.Brush().SetStyle(bsClear);
    if (pressed_ && button_like_) OffsetRect(&r, 1, 1);
    Canvas.DrawText(caption, r, flags);
    if (!focused_ || !focus_frame_) return;
    RECT text = r;
    Canvas.DrawText(caption, text, flags | DT_CALCRECT);
    const RECT frame =
        ToRECT(CheckBoxFocusRect(ToPlainRect(text), text.right - text.left, Width(), text_alignment_));
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clBtnFace);
    Canvas.FrameRect(frame);
    Canvas.DrawFocusRect(frame);
}

// --- mouse and keys ----------------------------------------------------------------------------

void TsBWCCControl::SetPressed(bool value) {
    if (pressed_ == value) return;
    pressed_ = value;
    BoxChanged();
}

void TsBWCCControl::EndPress() {
    mouse_press_ = false;
    space_press_ = false;
    SetPressed(false);
}

void TsBWCCControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && CanFocus() && !Focused()) {
        SetFocus();
        if (IsBeingFreed()) return;
    }
    TsTransControl::MouseDown(Button, Shift, X, Y);
    if (IsBeingFreed() || Button != mbLeft) return;
    mouse_press_ = true;
    SetPressed(true);
}

void TsBWCCControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (mouse_press_ && MouseCapture()) SetPressed(X >= 0 && X <= Width() && Y >= 0 && Y <= Height());
    TsTransControl::MouseMove(Shift, X, Y);
}

void TsBWCCControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        // A press made by the button and Space together is one press: the
        // first release ends it (and toggles), the other finds none left.
        const bool ours = mouse_press_;
        if (ours || !space_press_) EndPress();
        const RECT client = ClientRect();
        if (ours && PtInRect(&client, POINT{X, Y})) {
            Toggle();
            if (IsBeingFreed()) return;
        }
    }
    TsTransControl::MouseUp(Button, Shift, X, Y);
}

void TsBWCCControl::MouseEnter() {
    mouse_inside_ = true;
    TsTransControl::MouseEnter();
}

void TsBWCCControl::MouseLeave() {
    mouse_inside_ = false;
    TsTransControl::MouseLeave();
}

void TsBWCCControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_SPACE && !pressed_) {
        space_press_ = true;
        SetPressed(true);
    }
    TsTransControl::KeyDown(Key, Shift);
}

void TsBWCCControl::KeyUp(WORD& Key, TShiftState) {
    if (Key != VK_SPACE || !space_press_) return;
    EndPress();
    Toggle();
}

void TsBWCCControl::DoEnter() {
    TsTransControl::DoEnter();
    if (IsBeingFreed()) return;
    focused_ = true;
    Invalidate();
}

void TsBWCCControl::DoExit() {
    TsTransControl::DoExit();
    if (IsBeingFreed()) return;
    focused_ = false;
    Invalidate();
}

void TsBWCCControl::WMKillFocus(TMessage& Message) {
    TsTransControl::WMKillFocus(Message);
    if (IsBeingFreed() || !space_press_) return;
    // The Space press ends here: its key-up belongs to whoever has the focus now.
    space_press_ = false;
    SetPressed(false);
}

void TsBWCCControl::WMCancelMode(TMessage& Message) {
    TsTransControl::WMCancelMode(Message);
    if (IsBeingFreed() || !mouse_press_) return;
    mouse_press_ = false;
    SetPressed(false);
}

// --- messages ----------------------------------------------------------------------------------

void TsBWCCControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TsBWCCControl::CMTextChanged(TMessage&) {
    InvalidatePart(TCheckBoxRepaint::TextOnly);
    AdjustBounds();
}

void TsBWCCControl::CMFontChanged(TMessage& Message) {
    TsTransControl::CMFontChanged(Message);
    AdjustBounds();
}

void TsBWCCControl::CMParentColorChanged(TMessage&) {
    constexpr unsigned kBusy = csLoading | csReading | csWriting | csDestroying | csDesigning;
    if (ComponentState() & kBusy) return;
    if (Transparent()) {
        // One pixel smaller and back: the background is taken again.
        const int h = Height();
        SetHeight(h - 1);
        SetHeight(h);
    } else if (transparent_mode_ == tmOpaque && Parent()) {
        SetColor(Parent()->Color());
    }
}

bool TsBWCCControl::ShownAndEnabled() const {
    // What a user can reach: the box and every parent shown and enabled.
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TsBWCCControl::CMDialogChar(TMessage& Message) {
    if (ShownAndEnabled() && IsAccel(static_cast<char>(Message.WParam), Caption())) {
        Toggle();
        Message.Result = 1;
        return;
    }
    TsTransControl::CMDialogChar(Message);
}
