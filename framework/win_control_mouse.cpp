// TWinControl: mouse routing to window-less children, mouse leave, cursor.

#include "framework/win_control.h"

#include "framework/screen.h"
#include "framework/win_control_internal.h"

// --- mouse -----------------------------------------------------------------------------------

bool TWinControl::IsControlMouseMsg(TMessage& m) {
    TControl* c = nullptr;
    if (handle_ && GetCapture() == handle_) {
        TControl* cap = GetCaptureControl();
        if (cap && cap != this && cap->Parent() == this) c = cap;
    } else {
        c = ControlAtPos(MessagePoint(m), false, false);
    }
    if (!c) return false;
    POINT p = c->ParentToClient(MessagePoint(m));
    m.Result = c->Perform(m.Msg, m.WParam, PointToLParam(p.x, p.y));
    return true;
}

void TWinControl::TrackMouse(TMessage& m) {
    TControl* target = this;
    TWinControl* container = this;
    POINT p = MessagePoint(m);
    while (container) {
        TControl* c = container->ControlAtPos(p, true, true);
        if (!c) break;
        target = c;
        p = c->ParentToClient(p);
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w) {
            RECT a = w->ClientAreaInWindow();
            p.x -= a.left;
            p.y -= a.top;
        }
        container = w;
    }
    SetMouseControl(target, handle_);
    if (handle_ && !tracking_leave_) {
        TRACKMOUSEEVENT t{};
        t.cbSize = sizeof(t);
        t.dwFlags = TME_LEAVE;
        t.hwndTrack = handle_;
        if (TrackMouseEvent(&t)) tracking_leave_ = true;
    }
}

void TWinControl::WMMouseLeave(TMessage& m) {
    tracking_leave_ = false;
    if (g_mouse_host && g_mouse_host == handle_) SetMouseControl(nullptr, nullptr);
    DefaultHandler(m);
}

void TWinControl::WMCaptureChanged(TMessage& m) {
    // Taken away (another window's capture, a modal box, WM_CANCELMODE)
    // rather than given up through SetMouseCapture, which forgets the holder
    // first: the control that held it through this window ends its mouse
    // mode, as a control sent WM_CANCELMODE does.
    if (reinterpret_cast<HWND>(m.LParam) != handle_) {
        if (TControl* holder = TakeCaptureControl(this)) holder->Perform(WM_CANCELMODE, 0, 0);
        if (IsBeingFreed()) return;
    }
    DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
    if (handle_ && LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
        POINT p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        TControl* under = ControlAtPos(p, false, false);
        TCursor cursor = under && under->Cursor() != crDefault ? under->Cursor() : Cursor();
        HCURSOR h = Screen()->EffectiveCursor(cursor);
        if (h) {
            ::SetCursor(h);
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}
