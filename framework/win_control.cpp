// TWinControl: construction, destruction, children and z-order, bounds, text, property changes.

#include "framework/win_control.h"

#include <algorithm>

#include "framework/font.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "framework/win_control_internal.h"

using win_control_internal::IsWin;

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() = default;

void TWinControl::BeforeDestruction() {
    if (handle_) DestroyHandle();
    // Children go with their parent (they leave their owners themselves).
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        c->Free();
    }
    TControl::BeforeDestruction();
}

// --- children --------------------------------------------------------------------

void TWinControl::InsertControl(TControl* AControl) {
    AControl->parent_ = this;
    controls_.push_back(AControl);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w) tab_list_.push_back(w);
    if (AControl->parent_font_) AControl->Perform(CM_PARENTFONTCHANGED);
    if (AControl->parent_color_) AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED);
    if (w) {
        w->nc_valid_ = false;
        w->UpdateShowing();
    } else {
        AControl->Invalidate();
    }
    if (AControl->align_ != alNone) AlignRequested(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w) {
        if (TCustomForm* form = GetParentForm(this)) {
            if (form->active_control_ && (form->active_control_ == w || w->ContainsControl(form->active_control_)))
                form->active_control_ = nullptr;
            if (form->focused_control_ && (form->focused_control_ == w || w->ContainsControl(form->focused_control_)))
                form->focused_control_ = nullptr;
            // The container stays entered; the control leaving it is gone.
            if (form->entered_control_ && (form->entered_control_ == w || w->ContainsControl(form->entered_control_)))
                form->entered_control_ = this;
        }
        TWinControl* sa = Screen()->ActiveControl();
        if (sa && (sa == w || w->ContainsControl(sa))) Screen()->SetActiveControl(nullptr);
        tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), w), tab_list_.end());
    } else {
        AControl->Invalidate();
    }
    controls_.erase(std::find(controls_.begin(), controls_.end(), AControl));
    AControl->parent_ = nullptr;
    if (w) {
        w->nc_valid_ = false;
        if (w->handle_) w->DestroyHandle();
    }
    if (AControl->align_ != alNone) AlignRequested(AControl);
}

bool TWinControl::ContainsControl(TControl* Control) const {
    for (TControl* c = Control; c; c = c->Parent()) {
        if (c == this) return true;
    }
    return false;
}

TControl* TWinControl::ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!AllowWinControls && IsWin(c)) continue;
        if (!c->visible_) continue;
        if (!c->enabled_ && !AllowDisabled) continue;
        RECT b = c->BoundsRect();
        if (!PtInRect(&b, Pos)) continue;
        if (c->Perform(CM_HITTEST, 0, PointToLParam(Pos.x - c->left_, Pos.y - c->top_)) != 0) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        c->PerformMessage(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg) {
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        c->Perform(Msg);
    }
}

void TWinControl::ZOrderWindow(TWinControl* Child) {
    if (!Child->handle_) return;
    auto it = std::find(controls_.begin(), controls_.end(), Child);
    if (it == controls_.end()) return;
    for (++it; it != controls_.end(); ++it) {
        auto* w = dynamic_cast<TWinControl*>(*it);
        if (w && w->handle_) {
            SetWindowPos(Child->handle_, w->handle_, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            return;
        }
    }
    SetWindowPos(Child->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::SetZOrderPosition(TControl* Child, int Position) {
    auto it = std::find(controls_.begin(), controls_.end(), Child);
    if (it == controls_.end()) return;
    controls_.erase(it);
    Position = std::clamp(Position, 0, static_cast<int>(controls_.size()));
    controls_.insert(controls_.begin() + Position, Child);
    if (auto* w = dynamic_cast<TWinControl*>(Child))
        ZOrderWindow(w);
    else
        Child->Invalidate();
}

// --- bounds ---------------------------------------------------------------------------

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ApplyConstraints(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    bool sized = AWidth != width_ || AHeight != height_;
    StoreBounds(ALeft, ATop, AWidth, AHeight);
    if (handle_ && !IsIconic(handle_)) {
        // WM_WINDOWPOSCHANGED reads the bounds back (no SetBounds call);
        // WM_SIZE realigns and fires Resize.
        setting_bounds_ = true;
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        setting_bounds_ = false;
    } else if (sized) {
        Realign();
        Resize();
    }
    RequestAlign();
    BoundsChanged();
}

void TWinControl::UpdateBounds() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
        HWND p = GetParent(handle_);
        if (p) MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    }
    StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT TWinControl::ClientAreaInWindow() const {
    if (handle_) {
        RECT wr, cr;
        GetWindowRect(handle_, &wr);
        ::GetClientRect(handle_, &cr);
        POINT o{0, 0};
        ::ClientToScreen(handle_, &o);
        LONG l = o.x - wr.left, t = o.y - wr.top;
        return RECT{l, t, l + cr.right, t + cr.bottom};
    }
    if (!nc_valid_) {
        // The frame the window would get, from the styles it would be made with.
        TCreateParams p;
        const_cast<TWinControl*>(this)->CreateParams(p);
        RECT r{0, 0, 0, 0};
        AdjustWindowRectEx(&r, p.Style & ~(WS_VSCROLL | WS_HSCROLL), FALSE, p.ExStyle);
        nc_.left = -r.left;
        nc_.top = -r.top;
        nc_.right = r.right + ((p.Style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        nc_.bottom = r.bottom + ((p.Style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
        nc_valid_ = true;
    }
    LONG cw = std::max<LONG>(0, width_ - nc_.left - nc_.right);
    LONG ch = std::max<LONG>(0, height_ - nc_.top - nc_.bottom);
    return RECT{nc_.left, nc_.top, nc_.left + cw, nc_.top + ch};
}

RECT TWinControl::GetClientRect() const {
    if (handle_) {
        RECT r;
        ::GetClientRect(handle_, &r);
        return r;
    }
    RECT a = ClientAreaInWindow();
    return RECT{0, 0, a.right - a.left, a.bottom - a.top};
}

POINT TWinControl::ClientOrigin() const {
    if (handle_) {
        POINT o{0, 0};
        ::ClientToScreen(handle_, &o);
        return o;
    }
    RECT a = ClientAreaInWindow();
    POINT p{left_ + a.left, top_ + a.top};
    if (parent_) {
        POINT o = parent_->ClientOrigin();
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

void TWinControl::WMSize(TMessage& m) {
    DefaultHandler(m);
    if (m.WParam == SIZE_MINIMIZED) return;
    UpdateBounds();
    Realign();
    Resize();
}

void TWinControl::WMMove(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMWindowPosChanged(TMessage& m) {
    UpdateBounds();
    DefaultHandler(m);
}

// --- text ---------------------------------------------------------------------------------

std::string TWinControl::GetText() const {
    if (handle_ && subclassed_) {
        int n = GetWindowTextLengthA(handle_);
        std::string s(static_cast<size_t>(n) + 1, '\0');
        int got = GetWindowTextA(handle_, s.data(), n + 1);
        s.resize(static_cast<size_t>(std::max(0, got)));
        return s;
    }
    return text_;
}

void TWinControl::SetText(const std::string& value) {
    if (GetText() == value) return;
    text_ = value;
    if (handle_) SetWindowTextA(handle_, value.c_str());
    Perform(CM_TEXTCHANGED);
}

// --- state changes ---------------------------------------------------------------------------

void TWinControl::CMEnabledChanged(TMessage& m) {
    if (handle_) EnableWindow(handle_, enabled_);
    TControl::CMEnabledChanged(m);
}

void TWinControl::CMColorChanged(TMessage& m) {
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(m);
}

void TWinControl::CMFontChanged(TMessage& m) {
    if (handle_ && subclassed_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), 1);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::CMFontChanged(m);
}

void TWinControl::CMTextChanged(TMessage& m) { TControl::CMTextChanged(m); }

void TWinControl::CMCursorChanged(TMessage& m) { TControl::CMCursorChanged(m); }
