// TWinControl: a control with a window of its own, created lazily.
//
// The HWND exists only once the control is showing (visible, on a showing
// parent) or someone asks for Handle()/HandleNeeded(). Everything else
// (bounds, text, children, alignment, invalidation) works without it, and
// Invalidate/Update/Repaint/InvalidateRect/ScrollWindow do nothing then.
//
// Window procedure: the object pointer sits in the window's extra bytes
// (set at WM_NCCREATE, cleared at WM_NCDESTROY); wrapped system classes are
// subclassed with SetWindowSubclass. Every message goes through WndProc ->
// Dispatch -> handler -> DefaultHandler once; WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, WM_H/VSCROLL
// from a control window and WM_CTLCOLOR* are reflected to the child control
// as CN_* messages. No exception leaves the window procedure.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/control.h"

// Parameters of CreateWindowExA, filled by CreateParams().
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // Window class: own classes are registered on first use under
    // WinClassName with ClassStyle; a SystemClass (EDIT, LISTBOX, RichEdit...)
    // is created as is and subclassed.
    std::string WinClassName;
    UINT ClassStyle = 0;
    bool SystemClass = false;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // --- window -----------------------------------------------------------
    // The window, created when missing (with the parents' windows).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // The window handle without creating one.
    HWND WindowHandle() const { return handle_; }
    // Destroys the window and creates it again when it was there.
    void RecreateWnd();
    // A foreign parent window for a control without a parent control.
    HWND ParentWindow() const { return parent_window_; }
    void SetParentWindow(HWND value);
    // Visible, with the whole chain of parents showing and a window.
    bool Showing() const;

    // --- children ---------------------------------------------------------
    // All children in z-order (bottom first), windowed and window-less.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int Index) const { return controls_.at(static_cast<size_t>(Index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    // The topmost child at a client point: window-less children always,
    // windowed ones with AllowWinControls, disabled ones with AllowDisabled.
    TControl* ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    // Sends the message to every child until one answers non-zero.
    void Broadcast(TMessage& Message);
    // Sends the message to every child.
    void NotifyControls(UINT Msg);

    // --- alignment --------------------------------------------------------
    // An inner margin on every side that aligned children keep free
    // (AdjustClientRect); 0 by default.
    int BorderWidth() const { return border_width_; }
    void SetBorderWidth(int value);
    void DisableAlign();
    void EnableAlign();
    void Realign();
    // Lays out the aligned children in Rect (the client rect less
    // AdjustClientRect): top, bottom, left, right, then client.
    virtual void AlignControls(TControl* AControl, RECT& Rect);
    virtual void AdjustClientRect(RECT& Rect);

    // --- focus --------------------------------------------------------------
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool value) { tab_stop_ = value; }
    int TabOrder() const;
    void SetTabOrder(int value);
    // Windowed children in tab order, nested containers expanded.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    // Moves the focus to the next (previous) focusable control; false if none.
    bool SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    // --- painting -----------------------------------------------------------
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void InvalidateRect(const RECT& Rect, bool Erase);
    void ScrollWindow(int DX, int DY, const RECT* ScrollRect = nullptr, const RECT* ClipRect = nullptr);
    bool DoubleBuffered() const { return double_buffered_; }
    void SetDoubleBuffered(bool value) { double_buffered_ = value; }
    void PaintTo(HDC DC, int X, int Y) override;
    // Paints the visible window-less children into DC (client coordinates).
    void PaintControls(HDC DC, TControl* First);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    POINT ClientOrigin() const override;
    std::string GetText() const override;
    void SetText(const std::string& value) override;

    // --- keyboard -----------------------------------------------------------
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    // Runs the key preview of the form and the control's own KeyDown; true
    // when the key was taken (set to 0).
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // Window procedures (class procedure and subclass procedure).
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR refData);

protected:
    void BeforeDestruction() override;
    RECT GetClientRect() const override;

    virtual void CreateParams(TCreateParams& Params);
    // Creates the window (CreateWindowHandle), then sets it up.
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // Destroys the window (children's windows go with it).
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Shows or hides the window as Visible and the parents demand; creates
    // the window when it must be seen. Children follow.
    void UpdateShowing();
    // A control without parent control is shown when Visible if this says
    // so (forms, popups, hint windows) or it has a ParentWindow.
    virtual bool ShowsWithoutParent() const { return parent_window_ != nullptr; }
    // Reads the bounds back from the window (without calling SetBounds).
    void UpdateBounds();
    // Paints into DC: PaintWindow, then the window-less children.
    void PaintHandler(TMessage& Message);
    // The control's own painting; the default lets a system class paint.
    virtual void PaintWindow(HDC DC);
    // Frame of the non-client area for PaintTo (borders, client edge, bars).
    virtual void PaintNonClient(HDC DC);
    // Size of the non-client area: left/top offsets of the client area and
    // the client size, from the window or computed from CreateParams.
    RECT ClientAreaInWindow() const;
    virtual void DoEnter();
    virtual void DoExit();
    HBRUSH ColorBrush();

    // Handlers.
    virtual void WMPaint(TMessage& Message);
    virtual void WMPrintClient(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMSysKeyUp(TMessage& Message);
    virtual void WMSysChar(TMessage& Message);
    virtual void WMGetDlgCode(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMHScroll(TMessage& Message);
    virtual void WMVScroll(TMessage& Message);
    virtual void WMTimer(TMessage& Message);
    virtual void WMMouseLeave(TMessage& Message);
    virtual void WMCaptureChanged(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void WMDestroy(TMessage& Message);
    virtual void WMNCDestroy(TMessage& Message);
    // Parent side of reflection: forwards to the child as CN_*.
    virtual void WMCommand(TMessage& Message);
    virtual void WMNotify(TMessage& Message);
    virtual void WMDrawItem(TMessage& Message);
    virtual void WMMeasureItem(TMessage& Message);
    virtual void WMCompareItem(TMessage& Message);
    virtual void WMDeleteItem(TMessage& Message);
    virtual void WMCtlColor(TMessage& Message);
    // Child side.
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNKeyUp(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysKeyDown(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    virtual void CNCommand(TMessage& Message);
    virtual void CNNotify(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);
    virtual void CNCtlColor(TMessage& Message);
    virtual void CNHScroll(TMessage& Message);
    virtual void CNVScroll(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;
    virtual void CMChildKey(TMessage& Message);
    virtual void CMWantSpecialKey(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMCursorChanged(TMessage& Message) override;
    virtual void CMRecreateWnd(TMessage& Message);

private:
    void ClipToWindowShape(HDC DC) const;
    friend class TControl;
    friend class TCustomForm;
    // Reflects a notification from child window `child` as CN_*; true when
    // a framework child took it.
    bool ReflectToChild(HWND child, TMessage& Message);
    // Mouse message for a window-less child (captured or under the mouse).
    bool IsControlMouseMsg(TMessage& Message);
    void TrackMouse(TMessage& Message);
    void ZOrderWindow(TWinControl* Child);
    void SetZOrderPosition(TControl* Child, int Position);
    void DoAlign(TAlign Align, RECT& Rect, TControl* AControl);
    // Child's place, size or visibility changed: realign now, or once more
    // after the running alignment (unless the alignment itself moved it).
    void AlignRequested(TControl* Child);
    bool ShouldShow() const;
    // Forgets the window once it is destroyed (when it is still this control's).
    void WindowGone(HWND hwnd);
    mutable bool nc_valid_ = false;
    mutable RECT nc_{};
    bool aligning_ = false;
    TControl* align_placing_ = nullptr;  // the child the alignment is placing
    HWND handle_ = nullptr;
    HWND parent_window_ = nullptr;
    bool subclassed_ = false;
    int border_width_ = 0;
    // The message the subclass procedure is dispatching now (its default
    // processing goes on down the subclass chain).
    const TMessage* window_message_ = nullptr;
    // A message DefaultHandler sends through the window after Perform: the
    // framework's own subclass entry passes it straight on.
    struct PassOn {
        UINT Msg = 0;
        WPARAM WParam = 0;
        LPARAM LParam = 0;
        bool Active = false;
    };
    PassOn pass_on_;
    bool showing_ = false;
    bool tab_stop_ = false;
    bool double_buffered_ = false;
    bool tracking_leave_ = false;
    bool setting_bounds_ = false;
    int align_level_ = 0;
    bool align_pending_ = false;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tab_list_;
    GdiObject<HBRUSH> color_brush_;
    COLORREF color_brush_rgb_ = 0;
};
