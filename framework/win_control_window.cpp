// TWinControl: window creation and destruction, CreateParams, showing.

#include "framework/win_control.h"

#include <commctrl.h>

#include "framework/exceptions.h"
#include "framework/font.h"
#include "framework/form.h"
#include "framework/window_class.h"
#include "framework/win_control_internal.h"

using win_control_internal::StateFlag;

// --- window creation -------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = text_;
    if (parent_ || parent_window_)
        Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    else
        Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    if (!enabled_) Params.Style |= WS_DISABLED;
    Params.ExStyle = 0;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    Params.WndParent = parent_window_;
    Params.ClassStyle = CS_HREDRAW | CS_VREDRAW;
    if (control_style_ & csDoubleClicks) Params.ClassStyle |= CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (parent_) p.WndParent = parent_->Handle();
    if (p.WinClassName.empty()) p.WinClassName = ClassName();
    if (!p.SystemClass) p.WinClassName = EnsureWindowClass(p.WinClassName, p.ClassStyle);
    nc_valid_ = false;
    StateFlag creating(this, csCreating);
    CreateWindowHandle(p);
    if (!handle_) throw EOutOfResources("Fenster für " + ClassName() + " kann nicht erzeugt werden");
    if (p.SystemClass) {
        SetPropA(handle_, kFrameworkControlProp, this);
        SetWindowSubclass(handle_, &TWinControl::SubclassWndProc, kFrameworkSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
        subclassed_ = true;
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), 0);
    }
    if (parent_) parent_->ZOrderWindow(this);
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    HWND h = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, nullptr, GetModuleHandleA(nullptr),
                             p.SystemClass ? nullptr : this);
    handle_ = h;
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    CreateWnd();
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    CreateHandle();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::DestroyWnd() {
    if (!handle_) return;
    StateFlag destroying(this, csDestroyingHandle);
    if (subclassed_) {
        int n = GetWindowTextLengthA(handle_);
        std::string s(static_cast<size_t>(n) + 1, '\0');
        GetWindowTextA(handle_, s.data(), n + 1);
        s.resize(static_cast<size_t>(n));
        text_ = s;
    }
    TControlCanvas::FreeAllHandles();
    if (g_mouse_host == handle_) g_mouse_host = nullptr;
    HWND hwnd = handle_;
    DestroyWindow(hwnd);
    WindowGone(hwnd);
}

void TWinControl::WindowGone(HWND hwnd) {
    if (handle_ != hwnd) return;
    handle_ = nullptr;
    showing_ = false;
    tracking_leave_ = false;
    subclassed_ = false;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TControl* c : controls_) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    }
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    nc_valid_ = false;
    if (!handle_) return;
    DestroyHandle();
    UpdateShowing();
}

void TWinControl::CMRecreateWnd(TMessage&) { RecreateWnd(); }

void TWinControl::SetParentWindow(HWND value) {
    if (parent_window_ == value) return;
    if (handle_) DestroyHandle();
    parent_window_ = value;
    nc_valid_ = false;
    UpdateShowing();
}

// --- showing -------------------------------------------------------------------

bool TWinControl::ShouldShow() const {
    if (!visible_) return false;
    if (parent_) return parent_->ShouldShow();
    return ShowsWithoutParent();
}

bool TWinControl::Showing() const { return handle_ && showing_ && IsWindowVisible(handle_); }

void TWinControl::UpdateShowing() {
    bool chain = ShouldShow();
    if (chain) {
        HandleNeeded();
        std::vector<TControl*> children = controls_;
        for (TControl* c : children) {
            if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
        }
    }
    if (!handle_) return;
    bool flag = visible_ && (parent_ != nullptr || ShowsWithoutParent());
    if (flag == showing_) return;
    showing_ = flag;
    try {
        Perform(CM_SHOWINGCHANGED);
    } catch (...) {
        showing_ = !flag;
        throw;
    }
}

void TWinControl::CMShowingChanged(TMessage&) {
    if (!handle_) return;
    if (!showing_) {
        HWND focus = GetFocus();
        if (focus && (focus == handle_ || IsChild(handle_, focus))) {
            TCustomForm* form = GetParentForm(this);
            if (form && form != this && form->HandleAllocated()) ::SetFocus(form->WindowHandle());
        }
    }
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage&) { UpdateShowing(); }
