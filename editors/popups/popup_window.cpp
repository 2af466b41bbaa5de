#include "editors/popups/popup_window.h"

#include "framework/application.h"
#include "framework/plain_geometry_win32.h"
#include "framework/screen.h"

namespace {

// The owner's window and client area on the screen, with or without a window.
PopupOwnerRects OwnerRects(TWinControl* owner) {
    POINT origin = owner->ClientOrigin();
    PopupOwnerRects r;
    r.client = {origin.x, origin.y, origin.x + owner->ClientWidth(), origin.y + owner->ClientHeight()};
    POINT outer{owner->Left(), owner->Top()};
    if (owner->Parent()) outer = owner->Parent()->ClientToScreen(outer);
    r.outer = {outer.x, outer.y, outer.x + owner->Width(), outer.y + owner->Height()};
    return r;
}

}  // namespace

PopupScreens CurrentPopupScreens(const RECT* popup) {
    PopupScreens s;
    TMonitor* monitor = popup ? Screen()->MonitorFromRect(*popup, mdNearest) : Screen()->PrimaryMonitor();
    s.screen = monitor ? ToPlainRect(monitor->BoundsRect()) : PlainRect{0, 0, Screen()->Width(), Screen()->Height()};
    s.virtual_screen = ToPlainRect(Screen()->DesktopRect());
    return s;
}

int PlacePopup(TWinControl* window, int mode, const RECT& rect, TWinControl* owner, bool keep_on_screen) {
    PopupOwnerRects owner_rects;
    if (owner) owner_rects = OwnerRects(owner);
    PopupPlacement p = ComputePopupPlacement(mode, ToPlainRect(rect), owner ? &owner_rects : nullptr, keep_on_screen,
                                             CurrentPopupScreens(&rect));
    // Qualified: a popup's own SetBounds would take the screen position as
    // its popup rectangle.
    window->TWinControl::SetBounds(p.pos.x, p.pos.y, rect.right - rect.left, rect.bottom - rect.top);
    window->SetVisible(true);
    // Top-most and shown, never activated: the edit keeps the focus.
    SetWindowPos(window->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    return p.flags;
}

void DispatchPendingPaint() { Application()->DispatchPendingPaint(); }

TI_PopupWindow::TI_PopupWindow(TComponent* AOwner, const PopupFamily& family)
    : TCustomControl(AOwner), family_(family) {
    SetVisibleFlag(false);
    control_style_ |= csAcceptsControls | csOpaque;
}

TWinControl* TI_PopupWindow::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TI_PopupWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    p.ClassStyle |= CS_SAVEBITS;
    p.WndParent = nullptr;
}

void TI_PopupWindow::Place() {
    placing_ = true;
    int flags = -1;
    try {
        flags = PlacePopup(this, mode_, popup_rect_, OwnerControl(), keep_on_screen_);
    } catch (...) {
        placing_ = false;
        throw;
    }
    placing_ = false;
    if (flags != -1) SetPlacementFlags(flags);
}

void TI_PopupWindow::Show() {
    Place();
    shown_ = true;
}

void TI_PopupWindow::Hide() {
    SetVisible(false);
    shown_ = false;
}

void TI_PopupWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    popup_rect_ = BoundsRect();
}

void TI_PopupWindow::SetPopupRect(int ALeft, int ATop, int AWidth, int AHeight) {
    popup_rect_ = RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
    if (shown_) Show();
}

void TI_PopupWindow::SetPopupSize(int AWidth, int AHeight) {
    popup_rect_.right = popup_rect_.left + AWidth;
    popup_rect_.bottom = popup_rect_.top + AHeight;
    TWinControl::SetBounds(Left(), Top(), AWidth, AHeight);
    if (shown_) Place();
}

void TI_PopupWindow::SetPopupPosition(int mode) {
    if (mode == mode_) return;
    mode_ = mode;
    if (Visible()) Show();
}

void TI_PopupWindow::SetPlacementFlags(int flags) { placement_flags_ = flags; }

void TI_PopupWindow::CMShowingChanged(TMessage& m) {
    TCustomControl::CMShowingChanged(m);
    // Shown some other way than through Show: place it now.
    if (Showing() && !placing_) Place();
}

void TI_PopupWindow::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        TCustomControl::Dispatch(m);
        m.Result = MA_NOACTIVATE;
        SetWindowPos(WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    case WM_NCPAINT:
        m.Result = 0;  // no frame
        return;
    default:
        TCustomControl::Dispatch(m);
        return;
    }
}
