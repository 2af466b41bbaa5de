#include "controls/flat/flat_button.h"

#include "controls/flat/flat_utils.h"
#include "framework/form.h"
#include "framework/window_region.h"

TFlatButton::TFlatButton(TComponent* AOwner) : TFlatButtonBase<TCustomControl>(AOwner, FlatButtonHover()) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetDoubleBuffered(true);  // painted off-screen, copied in one step
    SetTabStop(false);
}

void TFlatButton::SetDefault(bool v) {
    default_ = v;
    Invalidate();
}

void TFlatButton::SetRound(int v) {
    if (!SetRoundValue(v)) return;
    ApplyRegion();
    Invalidate();
}

void TFlatButton::SetVKKey(const std::string& v) {
    if (vk_key_ == v) return;
    vk_key_ = v;
    Invalidate();  // never paint from a setter: the window may not exist yet
}

// --- window shape ------------------------------------------------------------------------------

// Set when the shape or the size changes, never while painting: a new
// shape repaints the window.
void TFlatButton::ApplyRegion() {
    HWND h = WindowHandle();
    if (!h) return;
    if (Round() > 0)
        SetWindowRegion(h, CreateRoundRectRegion(0, 0, Width(), Height(), Round(), Round()), true);
    else if (HasWindowRegion(h))
        SetWindowRegion(h, GdiObject<HRGN>(), true);
}

void TFlatButton::CreateWnd() {
    TFlatButtonBase::CreateWnd();
    ApplyRegion();
}

void TFlatButton::WMSize(TMessage& m) {
    TFlatButtonBase::WMSize(m);
    ApplyRegion();
    if (TransparentMode() != tmNone) Invalidate();
}

void TFlatButton::WMMove(TMessage& m) {
    TFlatButtonBase::WMMove(m);
    if (TransparentMode() != tmNone) Invalidate();
}

// --- painting ----------------------------------------------------------------------------------

void TFlatButton::Paint() {
    TCanvas& c = Canvas();
    PaintFace(c, true, [this, &c](TFlatFace& face) {
        face.Default = default_;
        face.ParentBackground = [this, &c] { DrawParentBackground(this, c); };
        face.KeyLabel = vk_key_;
        face.Caption = CaptionWithLineBreaks(face.Caption);
    });
}

// --- mouse and focus ---------------------------------------------------------------------------

void TFlatButton::Pressed() {
    if (CanFocus()) SetFocus();
}

bool TFlatButton::BeforeClick() {
    if (!OnBeforeClick) return true;
    bool clicked = true;
    OnBeforeClick(this, clicked);
    return clicked;
}

void TFlatButton::WMSetFocus(TMessage& m) {
    TFlatButtonBase::WMSetFocus(m);
    if (IsBeingFreed() || !Enabled()) return;
    focused_ = true;
    mouse_in_control_ = true;
    Invalidate();
}

void TFlatButton::WMKillFocus(TMessage& m) {
    TFlatButtonBase::WMKillFocus(m);
    if (IsBeingFreed()) return;
    focused_ = false;
    if (space_pressed_) {
        // The Space press ends here: its key-up belongs to someone else now.
        space_pressed_ = false;
        if (group_index_ == 0) state_ = bsUp;
        Invalidate();
    }
    HoverOff();
}

// --- keyboard ----------------------------------------------------------------------------------

void TFlatButton::SelectNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, WORD CharCode) {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner) return;
    if (TWinControl* next = owner->FindNextControl(CurControl, GoForward, CheckTabStop, false))
        AskSelectNext(CurControl, next, CharCode);
}

void TFlatButton::AskSelectNext(TWinControl* Source, TWinControl* Dest, WORD CharCode) {
    bool accept = true;
    if (OnSelectNext) OnSelectNext(Source, Dest, CharCode, accept);
    if (IsBeingFreed()) return;
    if (accept && Dest && Dest->CanFocus()) Dest->SetFocus();
}

void TFlatButton::CNKeyDown(TMessage& m) {
    const WORD key = MessageCharCode(m);
    if (key == VK_LEFT || key == VK_RIGHT) {
        if (OnLeftRightKeyPressed) OnLeftRightKeyPressed(this, key == VK_RIGHT);
        m.WParam = 0;  // no arrow navigation; the key-down itself still follows
    } else if (key == VK_UP || key == VK_DOWN) {
        const TUpPressed& handler = key == VK_UP ? OnUp : OnDown;
        if (handler) {
            bool accept = true;
            handler(this, accept);
            if (!accept) m.WParam = 0;
        }
    } else if (key >= 48 && key <= 90) {
        if (OnAlpha) OnAlpha(this, key);
    }
    if (IsBeingFreed()) return;
    TFlatButtonBase::CNKeyDown(m);
}

void TFlatButton::WMKeyDown(TMessage& m) {
    const WORD key = MessageCharCode(m);
    switch (key) {
    case VK_RETURN: {
        const bool shift = GetKeyState(VK_LSHIFT) < 0 || GetKeyState(VK_RSHIFT) < 0;
        SelectNextControl(this, !shift, true, VK_RETURN);
        return;  // Enter goes no further, not even to the form's key preview
    }
    case VK_ESCAPE: TFlatButtonBase::WMKeyDown(m); return;
    case VK_SPACE:
        space_pressed_ = true;
        if (group_index_ == 0)
            state_ = bsDown;
        else
            SetDown(!down_);
        Invalidate();
        break;
    case VK_BACK:
        SelectNextControl(this, false, true, VK_BACK);
        if (IsBeingFreed()) return;
        break;
    default: break;
    }
    AskSelectNext(nullptr, nullptr, key);
    if (IsBeingFreed()) return;
    if (key == VK_BACK) {
        DoKeyDown(m);  // the key preview sees it; no default processing
        return;
    }
    TFlatButtonBase::WMKeyDown(m);
}

void TFlatButton::WMKeyUp(TMessage& m) {
    // Key-ups go nowhere else. Space clicks only when its press was ours:
    // a Space that closed a dialog must not click the button under it.
    if (MessageCharCode(m) != VK_SPACE || !space_pressed_) return;
    space_pressed_ = false;
    if (group_index_ == 0) state_ = bsUp;
    Click();
    if (IsBeingFreed()) return;
    Invalidate();
}
