// Window messages of the framework: the message record handed to the
// virtual handlers, the framework-internal messages (CM_*), the notifications
// reflected from a parent to its child control (CN_*) and the private
// messages and command ids the controls exchange.
#pragma once

#include <windows.h>

// One message as the handlers see it. Result is what the window procedure
// returns (or what Perform gives back).
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Key messages: the virtual-key or character code is in WParam, the key data
// (repeat count, scan code, bit 29 = Alt) in LParam.
inline WORD MessageCharCode(const TMessage& m) { return static_cast<WORD>(m.WParam); }
inline bool MessageAltDown(const TMessage& m) { return (m.LParam & (1L << 29)) != 0; }
// Mouse messages: client coordinates in LParam.
inline int MessageX(const TMessage& m) { return static_cast<short>(LOWORD(m.LParam)); }
inline int MessageY(const TMessage& m) { return static_cast<short>(HIWORD(m.LParam)); }
inline POINT MessagePoint(const TMessage& m) { return POINT{MessageX(m), MessageY(m)}; }
inline LPARAM PointToLParam(int x, int y) {
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
}

// Framework-internal messages. Kept above WM_APP + 0x3000 so they clash with
// neither WM_USER-based private messages nor the positions grid's 33258
// external-editor message (WM_DATAGRID_EXTERNAL_EDITOR, grids/data_grid.h).
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 4;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 5;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 6;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr UINT CM_HITTEST = CM_BASE + 10;  // LParam: client point; Result 1 = the control is hit
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENTER = CM_BASE + 12;
inline constexpr UINT CM_EXIT = CM_BASE + 13;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 15;
inline constexpr UINT CM_RELEASE = CM_BASE + 17;  // posted to a form: free it
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 19;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 20;   // to the form: WParam key, LParam key data
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 21;  // broadcast: WParam char, LParam key data
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 22;  // to the form's controls: LParam the focused TWinControl*
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 23;  // WParam key; Result 1 = the control handles it
inline constexpr UINT CM_CHILDKEY = CM_BASE + 24;  // WParam key, LParam the TWinControl* with the focus
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 28;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 29;  // LParam the control that keeps its mode
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 30;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 31;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 32;  // LParam THintInfo*; Result non-zero = no hint
inline constexpr UINT CM_MOUSEWHEEL = CM_BASE + 34;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 35;

// Notifications a parent reflects to the child control that caused them:
// CN_BASE + the original message number.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
inline constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
inline constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
inline constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSKEYUP = CN_BASE + WM_SYSKEYUP;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// Private messages exchanged between the controls.
// To an edit: WParam 1 shows the error bubble (LParam an error code, 0 keeps
// the current one), WParam 0 hides it.
inline constexpr UINT UM_BUBBLE = WM_USER + 604;  // 1628
// To a choice edit: WParam 1 opens, 0 closes its drop-down.
inline constexpr UINT UM_DROPDOWN = WM_USER + 605;  // 1629
// Sent by an edit whose check failed to its form and parent; non-zero cancels the error.
inline constexpr UINT UM_CHECKFAILED = WM_USER + 606;  // 1630
// Sent to a popup just before the tracking loop applies a move or size.
inline constexpr UINT UM_BEFORETRACKMOVE = WM_USER + 608;  // 1632

// WM_COMMAND id an in-place editor sends to its grid.
inline constexpr WORD ID_INPLACE_EDITOR_COMMAND = 10017;

static_assert(UM_BUBBLE == 1628 && UM_DROPDOWN == 1629 && UM_CHECKFAILED == 1630 && UM_BEFORETRACKMOVE == 1632);
