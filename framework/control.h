// TControl: the base of every visual control, windowed or not.
//
// A control has bounds relative to its parent's client area, visibility,
// enabled state, font, colour, text, hint and cursor. Messages reach it
// through Perform() (or, for windowed controls, the window procedure) and go
// WndProc -> Dispatch -> the per-message virtual handlers -> DefaultHandler.
// Window-less controls (TGraphicControl) get their mouse, cursor, hint and
// paint messages from their parent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/events.h"
#include "framework/graphics_base.h"
#include "framework/messages.h"
#include "framework/screen.h"

class TFont;
class TPopupMenu;
class TWinControl;
class TCustomForm;

// Keyboard and mouse-button state of an input event.
using TShiftState = unsigned;
enum TShiftStateFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Border styles of forms; controls with a border use bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// Transient state of a control (ControlState).
enum TControlStateFlag : unsigned {
    csClicked = 1u << 0,
    csCreating = 1u << 1,
    csPaintCopy = 1u << 2,    // painting a copy (PaintTo), not the screen
    csDestroyingHandle = 1u << 3,
};

// What a control class is (ControlStyle), set in constructors.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,   // capture the mouse while a button is down
    csClickEvents = 1u << 2,    // button up inside fires Click()
    csOpaque = 1u << 3,         // paints its whole client area
    csDoubleClicks = 1u << 4,   // CS_DBLCLKS
    csNoStdEvents = 1u << 5,
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, POINT MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, POINT MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// Size limits applied by SetBounds (0 = no limit).
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
};

// Hint request passed with CM_HINTSHOW and to Application's OnShowHint.
struct THintInfo {
    class TControl* HintControl = nullptr;
    POINT HintPos{};         // screen position of the hint window's top-left
    int HintMaxWidth = 0;
    TColor HintColor = 0;
    RECT CursorRect{};       // in HintControl's client coordinates; leaving it ends the hint
    POINT CursorPos{};       // in HintControl's client coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    std::string HintStr;
    void* HintData = nullptr;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- parent and position -------------------------------------------
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return parent_ != nullptr; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // The one place where the bounds change (from code, alignment and the window).
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }

    // Client area in the control's own coordinates (origin 0,0).
    RECT ClientRect() const { return GetClientRect(); }
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int AWidth, int AHeight);
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
    // Screen position of the client area's origin.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;
    // Point in the parent's client coordinates to this control's and back.
    POINT ParentToClient(POINT p) const { return POINT{p.x - left_, p.y - top_}; }
    POINT ClientToParent(POINT p) const { return POINT{p.x + left_, p.y + top_}; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TSizeConstraints& Constraints() { return constraints_; }

    // --- state ---------------------------------------------------------
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    virtual void Show();
    virtual void Hide();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TFont& Font();
    void SetFont(const TFont& value);
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parent_color_; }
    void SetParentColor(bool value);

    // Caption and Text are the same string.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& value);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // Effective ShowHint (the parent's while ParentShowHint).
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parent_show_hint_; }
    void SetParentShowHint(bool value);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    // The context menu, opened on WM_CONTEXTMENU (right click or the menu
    // key) with PopupComponent set to this control. Not owned.
    TPopupMenu* PopupMenu() const { return popup_menu_; }
    void SetPopupMenu(TPopupMenu* value);

    unsigned ControlState() const { return control_state_; }
    void SetControlState(unsigned value) { control_state_ = value; }
    void IncludeState(unsigned flags) { control_state_ |= flags; }
    void ExcludeState(unsigned flags) { control_state_ &= ~flags; }
    unsigned ControlStyle() const { return control_style_; }
    void SetControlStyle(unsigned value) { control_style_ = value; }

    // Captures the mouse for this control (window-less: through its parent's window).
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // --- painting --------------------------------------------------------
    // No-ops while nothing can be seen (no window on the way up).
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints the control and its children into dc with the control's
    // top-left at (X, Y); sets csPaintCopy meanwhile. Needs no window.
    virtual void PaintTo(HDC DC, int X, int Y);

    // Z-order among the siblings.
    void BringToFront();
    void SendToBack();

    // --- messages --------------------------------------------------------
    // Sends a message through WndProc and returns its Result.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The same with a caller-owned record (handlers may change WParam).
    void PerformMessage(TMessage& Message);
    // First stop of every message; overrides call the base for what they
    // don't take.
    virtual void WndProc(TMessage& Message);
    // Calls the handler of Message.Msg, DefaultHandler for the others.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // --- events -----------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;

    // Virtual event dispatchers; overrides call the base to fire the event.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // True when handled (the event or the up/down handlers).
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, POINT MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, POINT MousePos);
    virtual void Resize();

    // Whether this control is hit at the client point (CM_HITTEST); the
    // default is its whole client area.
    virtual bool HitTest(int X, int Y);

    void AfterConstruction() override;

protected:
    void BeforeDestruction() override;
    bool DeferFree() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Opens PopupMenu at the screen point (keyboard: -1, -1 opens it at
    // the middle of the control); true when a menu was opened.
    virtual bool DoContextPopup(POINT ScreenPos);

    virtual RECT GetClientRect() const;
    // Called when the bounds really changed (window or code).
    virtual void BoundsChanged() {}
    // Asks the parent to re-run alignment.
    void RequestAlign();
    // The font object changed (not through ParentFont propagation).
    virtual void FontChanged();
    // Stores bounds without side effects (used by the window and alignment).
    void StoreBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void ApplyConstraints(int& AWidth, int& AHeight) const;
    // Sets the visibility flag without any notification (constructors).
    void SetVisibleFlag(bool value) { visible_ = value; }

    // Per-message handlers (Delphi-style names). The defaults implement the
    // framework's behaviour; overrides usually call the base.
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMSysColorChange(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMHintShow(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMCancelMode(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);

    // Mouse helpers shared by the button handlers.
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    // Tells the control holding a mode (capture, drag) to end it.
    void SendCancelMode(TControl* Sender);

    unsigned control_style_ = csCaptureMouse | csClickEvents | csDoubleClicks;
    unsigned control_state_ = 0;

private:
    friend class TWinControl;
    friend class TDispatchScope;
    void FontObjectChanged();
    void ParentFontChangedInternal();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    TSizeConstraints constraints_;
    bool visible_ = true;
    bool enabled_ = true;
    TFont* font_ = nullptr;
    bool parent_font_ = true;
    bool updating_font_ = false;
    TColor color_;
    bool parent_color_ = false;
    std::string text_;
    std::string hint_;
    bool show_hint_ = false;
    bool parent_show_hint_ = true;
    TCursor cursor_ = crDefault;
    TPopupMenu* popup_menu_ = nullptr;
    int dispatch_depth_ = 0;
    bool free_pending_ = false;
};

// Counts a running dispatch of a control; when the last one returns and the
// control was freed meanwhile, the control is deleted.
class TDispatchScope {
public:
    explicit TDispatchScope(TControl* c) : c_(c) { ++c_->dispatch_depth_; }
    TDispatchScope(const TDispatchScope&) = delete;
    TDispatchScope& operator=(const TDispatchScope&) = delete;
    ~TDispatchScope();

private:
    TControl* c_;
};

// --- helpers ----------------------------------------------------------
// Shift state from the MK_* flags of a mouse message (Alt from GetKeyState).
TShiftState KeysToShiftState(WPARAM Keys);
// Shift state of a key message (Alt from bit 29 of the key data).
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The current keyboard shift state.
TShiftState GetShiftState();

// The form a control sits on (the control itself when it is a form).
TCustomForm* GetParentForm(TControl* Control);
// The framework control owning a window of this process, or nullptr.
TWinControl* FindControl(HWND Handle);
// The control at a screen point, window-less and (with AllowDisabled)
// disabled controls included.
TControl* FindDragTarget(POINT ScreenPos, bool AllowDisabled);

// The control that has the mouse captured (window-less ones included).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the mouse is over, as last reported by CM_MOUSEENTER.
TControl* MouseControl();

// A canvas drawing on a control. Painting binds it to the paint DC with
// SetHandle; used outside painting it takes a DC of the control's window
// (window-less: the parent's, moved and clipped to the control) or, without
// a window, a screen-compatible memory DC good for measuring text. DCs it
// took itself are released by FreeHandle(), at the next paint and when the
// application goes idle.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* Control) : control_(Control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    // Lets go of a DC the canvas took itself.
    void FreeHandle();
    // Releases the DCs of every control canvas (application idle).
    static void FreeAllHandles();

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    HWND dc_window_ = nullptr;  // nullptr: own_dc_ is a memory DC
    HDC own_dc_ = nullptr;
};

// Binds a control canvas to a paint DC, locked, for one paint; unbinds it on
// scope exit, also when the paint throws.
class TCanvasPaintScope {
public:
    TCanvasPaintScope(TControlCanvas& Canvas, HDC Dc) : canvas_(Canvas) {
        canvas_.FreeHandle();
        canvas_.Lock();
        canvas_.SetHandle(Dc);
    }
    ~TCanvasPaintScope() {
        canvas_.SetHandle(nullptr);
        canvas_.Unlock();
    }
    TCanvasPaintScope(const TCanvasPaintScope&) = delete;
    TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
    TControlCanvas& canvas_;
};
