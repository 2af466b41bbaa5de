#include "framework/form.h"

#include <algorithm>
#include <vector>

#include "framework/application.h"
#include "framework/callback_guard.h"
#include "framework/exceptions.h"
#include "framework/screen.h"
#include "framework/utility_window.h"

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisibleFlag(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    control_style_ |= csAcceptsControls;
}

TCustomForm::~TCustomForm() = default;

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    Screen()->AddForm(this);
    DoCreate();
}

void TCustomForm::BeforeDestruction() {
    // The form goes anyway: whatever OnDestroy throws is reported, and the
    // form still leaves the screen's list.
    GuardCallback([this] { DoDestroy(); });
    Screen()->RemoveForm(this);
    if (release_timer_) StopUtilityTimer(release_timer_);
    release_timer_ = 0;
    TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// --- window ---------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style &= ~(WS_CHILD | WS_POPUP | WS_CLIPSIBLINGS);
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle = 0;
    switch (border_style_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle: p.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case bsSizeable: p.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
        p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        p.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        p.Style |= WS_CAPTION | WS_SYSMENU;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        p.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (form_style_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    p.WndParent = ParentWindow();
    TCustomForm* main = Application()->MainForm();
    if (!p.WndParent && main && main != this && main->HandleAllocated()) p.WndParent = main->WindowHandle();
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (menu_) SetMenu(menu_);
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (form_style_ == value) return;
    form_style_ = value;
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (border_style_ == value) return;
    border_style_ = value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (window_state_ == value) return;
    window_state_ = value;
    if (Showing()) {
        int cmd = value == wsMinimized ? SW_MINIMIZE : value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE;
        ShowWindow(WindowHandle(), cmd);
    }
}

void TCustomForm::PlaceForm() {
    RECT area;
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        area = Screen()->WorkAreaRect();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* ref = nullptr;
        if (position_ == poOwnerFormCenter) ref = dynamic_cast<TCustomForm*>(Owner());
        if (!ref || ref == this) ref = Application()->MainForm();
        if (ref && ref != this && ref->Visible())
            area = ref->BoundsRect();
        else
            area = Screen()->WorkAreaRect();
        break;
    }
    default: return;
    }
    int l = area.left + ((area.right - area.left) - Width()) / 2;
    int t = area.top + ((area.bottom - area.top) - Height()) / 2;
    // Keep the caption reachable on the monitor.
    RECT work = Screen()->WorkAreaRect();
    if (TMonitor* mon = Screen()->MonitorFromRect(area)) work = mon->WorkareaRect();
    if (l + Width() > work.right) l = work.right - Width();
    if (t + Height() > work.bottom) t = work.bottom - Height();
    if (l < work.left) l = work.left;
    if (t < work.top) t = work.top;
    SetBounds(l, t, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage&) {
    HWND h = WindowHandle();
    if (!h) return;
    if (showing_) {
        DoShow();
        if (!placed_) {
            placed_ = true;
            PlaceForm();
        }
        int cmd = window_state_ == wsMinimized ? SW_SHOWMINIMIZED
                  : window_state_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                 : SW_SHOWNORMAL;
        ShowWindow(h, cmd);
        if (form_style_ == fsStayOnTop)
            SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        HWND focus = GetFocus();
        bool hadFocus = focus && (focus == h || IsChild(h, focus));
        ShowWindow(h, SW_HIDE);
        if (hadFocus && GetFocus() && (GetFocus() == h || IsChild(h, GetFocus()))) ::SetFocus(nullptr);
        DoHide();
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide() { SetVisible(false); }

// --- closing -------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modal_result_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caHide;
    if (CloseQuery())
        DoClose(action);
    else
        action = caNone;
    switch (action) {
    case caNone: modal_result_ = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() {
    if (HandleAllocated()) {
        PostMessageA(WindowHandle(), CM_RELEASE, 0, 0);
        return;
    }
    // A form that never had a window is freed from the queue all the same,
    // without making one for it.
    if (!release_timer_)
        release_timer_ = StartUtilityTimer(USER_TIMER_MINIMUM, [this] {
            StopUtilityTimer(release_timer_);
            release_timer_ = 0;
            Free();
        });
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::WMClose(TMessage&) { Close(); }

// --- modal loop --------------------------------------------------------------------------

namespace {
struct ThreadWindows {
    HWND self;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableWindowProc(HWND hwnd, LPARAM lp) {
    auto* tw = reinterpret_cast<ThreadWindows*>(lp);
    if (hwnd != tw->self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        tw->disabled.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_)
        throw EInvalidOperation("Aus einem sichtbaren Fenster kann kein modales gemacht werden");
    if (HWND cap = GetCapture()) SendMessageA(cap, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    Application()->CancelHint();
    HWND activeBefore = GetActiveWindow();
    ThreadWindows tw{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindowProc, reinterpret_cast<LPARAM>(&tw));
    modal_ = true;
    modal_result_ = mrNone;
    ModalStateScope modalState;
    auto restore = [&]() {
        for (HWND h : tw.disabled) {
            if (IsWindow(h)) EnableWindow(h, TRUE);
        }
        modal_ = false;
        Hide();
        if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
    };
    try {
        Show();
        // The result may be set before the first message (OnShow) as well
        // as by any message handled in the loop; mrNone keeps it running.
        for (;;) {
            if (Application()->Terminated())
                modal_result_ = mrCancel;
            else if (modal_result_ != mrNone)
                CloseModal();
            if (modal_result_ != mrNone) break;
            Application()->HandleMessage();
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return modal_result_;
}

// --- focus and activation -------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control == this) Control = nullptr;
    if (Control && !ContainsControl(Control)) throw EInvalidOperation("Ungültiges aktives Steuerelement");
    active_control_ = Control;
    if (Control && Showing() && Control->CanFocus()) ::SetFocus(Control->Handle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (!Control) return;
    if (!Control->CanFocus())
        throw EInvalidOperation("Ein deaktiviertes oder unsichtbares Fenster kann nicht den Fokus erhalten");
    active_control_ = Control == this ? nullptr : Control;
    if (Showing()) ::SetFocus(Control->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (focused_control_ == Control) return true;
    focused_control_ = Control;
    if (Control && Control != this) active_control_ = Control;
    Screen()->SetActiveControl(Control);
    // CM_EXIT from the entered control up to the common ancestor, then
    // CM_ENTER from below that ancestor down to the new one. The exits start
    // at the control that was entered, not at the one the focus was last
    // heading for: when an exit is refused (a failed check takes the focus
    // back) the new control was never entered and gets no CM_EXIT.
    TWinControl* common = nullptr;
    for (TWinControl* p = entered_control_; p; p = p->Parent()) {
        if (Control && p->ContainsControl(Control)) {
            common = p;
            break;
        }
        // Left before its CM_EXIT runs: a focus taken back meanwhile enters
        // it again instead of exiting it twice.
        entered_control_ = p->Parent();
        p->Perform(CM_EXIT);
        if (focused_control_ != Control) return false;
    }
    std::vector<TWinControl*> chain;
    for (TWinControl* p = Control; p && p != common; p = p->Parent()) chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        // Entered from the start of its CM_ENTER: a focus moved on from
        // there exits it.
        entered_control_ = *it;
        if (*it != this) (*it)->Perform(CM_ENTER);
        if (focused_control_ != Control) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return focused_control_ == Control;
}

void TCustomForm::WMSetFocus(TMessage& m) {
    if (active_control_ && active_control_->CanFocus() && active_control_ != this) {
        ::SetFocus(active_control_->Handle());
        return;
    }
    SetFocusedControl(this);
    DefaultHandler(m);
}

void TCustomForm::FocusFirstControl() {
    if (active_control_ && active_control_->CanFocus()) {
        ::SetFocus(active_control_->Handle());
        return;
    }
    ::SetFocus(WindowHandle());
}

void TCustomForm::WMActivate(TMessage& m) {
    if (LOWORD(m.WParam) != WA_INACTIVE) {
        active_ = true;
        Screen()->SetActiveForm(this);
        Activate();
        if (IsBeingFreed()) return;
        if (!HIWORD(m.WParam) && WindowHandle()) {
            FocusFirstControl();
            m.Result = 0;
            return;
        }
    } else {
        active_ = false;
        Application()->CancelHint();
        Deactivate();
        if (IsBeingFreed()) return;
    }
    DefaultHandler(m);
}

void TCustomForm::CMActivate(TMessage&) {}
void TCustomForm::CMDeactivate(TMessage&) {}

void TCustomForm::CMDialogKey(TMessage& m) {
    WORD key = static_cast<WORD>(m.WParam);
    switch (key) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) break;
        SelectNext(active_control_, GetKeyState(VK_SHIFT) >= 0, true);
        m.Result = 1;
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (active_control_ && active_control_->Parent()) {
            active_control_->Parent()->SelectNext(active_control_, key == VK_RIGHT || key == VK_DOWN, false);
            m.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TWinControl::CMDialogKey(m);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& m) {
    DefaultHandler(m);
    // The tracking limits of the window follow Constraints (0: no limit).
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    if (!info) return;
    const TSizeConstraints& c = Constraints();
    if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
    if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
    if (c.MaxWidth > 0) info->ptMaxTrackSize.x = c.MaxWidth;
    if (c.MaxHeight > 0) info->ptMaxTrackSize.y = c.MaxHeight;
    m.Result = 0;
}

void TCustomForm::Dispatch(TMessage& m) {
    if (menu_ && DispatchMenuMessage(m)) return;
    switch (m.Msg) {
    case WM_CLOSE: WMClose(m); return;
    case WM_ACTIVATE: WMActivate(m); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(m); return;
    case CM_RELEASE: CMRelease(m); return;
    case CM_ACTIVATE: CMActivate(m); return;
    case CM_DEACTIVATE: CMDeactivate(m); return;
    default: TWinControl::Dispatch(m); return;
    }
}
