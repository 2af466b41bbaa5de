// TWinControl: message dispatch, default handling and reflection of child notifications.

#include "framework/win_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/font.h"
#include "framework/scoped_state.h"

// --- plain handlers ----------------------------------------------------------------------------

void TWinControl::WMNCHitTest(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMHScroll(TMessage& m) {
    if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
    DefaultHandler(m);
}
void TWinControl::WMVScroll(TMessage& m) {
    if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
    DefaultHandler(m);
}
void TWinControl::WMTimer(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMContextMenu(TMessage& m) {
    const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    // A window-less child under the mouse has the first say.
    if (at.x != -1 || at.y != -1) {
        TControl* child = ControlAtPos(ScreenToClient(at), false);
        if (child && child->DoContextPopup(at)) return;
    }
    if (DoContextPopup(at)) return;
    DefaultHandler(m);
}
void TWinControl::WMDestroy(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMNCDestroy(TMessage& m) { DefaultHandler(m); }

// --- reflection ------------------------------------------------------------------------------

bool TWinControl::ReflectToChild(HWND child, TMessage& m) {
    if (!child || child == handle_) return false;
    TWinControl* c = FindControl(child);
    if (!c || c == this) return false;
    m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WMCommand(TMessage& m) {
    if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
    DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
    if (hdr && ReflectToChild(hdr->hwndFrom, m)) return;
    DefaultHandler(m);
}

void TWinControl::WMDrawItem(TMessage& m) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (d && d->CtlType != ODT_MENU && ReflectToChild(d->hwndItem, m)) return;
    DefaultHandler(m);
}

void TWinControl::WMMeasureItem(TMessage& m) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mi && mi->CtlType != ODT_MENU && handle_ && ReflectToChild(GetDlgItem(handle_, static_cast<int>(mi->CtlID)), m))
        return;
    DefaultHandler(m);
}

void TWinControl::WMCompareItem(TMessage& m) {
    auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam);
    if (ci && ReflectToChild(ci->hwndItem, m)) return;
    DefaultHandler(m);
}

void TWinControl::WMDeleteItem(TMessage& m) {
    auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam);
    if (di && ReflectToChild(di->hwndItem, m)) return;
    DefaultHandler(m);
}

void TWinControl::WMCtlColor(TMessage& m) {
    if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
    DefaultHandler(m);
}

void TWinControl::CNCommand(TMessage& m) { m.Result = 0; }
void TWinControl::CNNotify(TMessage& m) { m.Result = 0; }
void TWinControl::CNDrawItem(TMessage& m) { m.Result = 0; }
void TWinControl::CNMeasureItem(TMessage& m) { m.Result = 0; }
void TWinControl::CNHScroll(TMessage& m) { m.Result = 0; }
void TWinControl::CNVScroll(TMessage& m) { m.Result = 0; }

void TWinControl::CNCtlColor(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToCOLORREF(font_->Color()));
    SetBkColor(dc, ColorToCOLORREF(color_));
    m.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

// --- dispatch -----------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        TrackMouse(m);
        if (IsControlMouseMsg(m)) return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (IsControlMouseMsg(m)) return;
        break;
    case WM_SETTEXT:
        if (!subclassed_ && m.LParam) text_ = reinterpret_cast<const char*>(m.LParam);
        break;
    default: break;
    }
    TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); return;
    case WM_PRINTCLIENT: WMPrintClient(m); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case WM_SIZE: WMSize(m); return;
    case WM_MOVE: WMMove(m); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: WMKillFocus(m); return;
    case WM_KEYDOWN: WMKeyDown(m); return;
    case WM_KEYUP: WMKeyUp(m); return;
    case WM_CHAR: WMChar(m); return;
    case WM_SYSKEYDOWN: WMSysKeyDown(m); return;
    case WM_SYSKEYUP: WMSysKeyUp(m); return;
    case WM_SYSCHAR: WMSysChar(m); return;
    case WM_GETDLGCODE: WMGetDlgCode(m); return;
    case WM_SETCURSOR: WMSetCursor(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_HSCROLL: WMHScroll(m); return;
    case WM_VSCROLL: WMVScroll(m); return;
    case WM_TIMER: WMTimer(m); return;
    case WM_MOUSELEAVE: WMMouseLeave(m); return;
    case WM_CAPTURECHANGED: WMCaptureChanged(m); return;
    case WM_CONTEXTMENU: WMContextMenu(m); return;
    case WM_DESTROY: WMDestroy(m); return;
    case WM_NCDESTROY: WMNCDestroy(m); return;
    case WM_COMMAND: WMCommand(m); return;
    case WM_NOTIFY: WMNotify(m); return;
    case WM_DRAWITEM: WMDrawItem(m); return;
    case WM_MEASUREITEM: WMMeasureItem(m); return;
    case WM_COMPAREITEM: WMCompareItem(m); return;
    case WM_DELETEITEM: WMDeleteItem(m); return;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: WMCtlColor(m); return;
    case CN_KEYDOWN: CNKeyDown(m); return;
    case CN_KEYUP: CNKeyUp(m); return;
    case CN_CHAR: CNChar(m); return;
    case CN_SYSKEYDOWN: CNSysKeyDown(m); return;
    case CN_SYSCHAR: CNSysChar(m); return;
    case CN_COMMAND: CNCommand(m); return;
    case CN_NOTIFY: CNNotify(m); return;
    case CN_DRAWITEM: CNDrawItem(m); return;
    case CN_MEASUREITEM: CNMeasureItem(m); return;
    case CN_HSCROLL: CNHScroll(m); return;
    case CN_VSCROLL: CNVScroll(m); return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: CNCtlColor(m); return;
    case CM_DIALOGKEY: CMDialogKey(m); return;
    case CM_CHILDKEY: CMChildKey(m); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(m); return;
    case CM_ENTER: CMEnter(m); return;
    case CM_EXIT: CMExit(m); return;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case CM_RECREATEWND: CMRecreateWnd(m); return;
    default: TControl::Dispatch(m); return;
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) {
        m.Result = 0;
        return;
    }
    // Framework messages mean nothing to the window's own procedure.
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) {
        m.Result = 0;
        return;
    }
    if (subclassed_) {
        if (&m == window_message_) {
            // Came through the window: on down the subclass chain.
            m.Result = DefSubclassProc(handle_, m.Msg, m.WParam, m.LParam);
        } else {
            // Given with Perform: the handlers have run; the message now goes
            // through the window so every other subclass on it sees it too,
            // and the framework's own entry passes it straight on.
            ScopedValue<PassOn> pass(pass_on_, PassOn{m.Msg, m.WParam, m.LParam, true});
            m.Result = SendMessageA(handle_, m.Msg, m.WParam, m.LParam);
        }
    } else {
        m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
    }
}
