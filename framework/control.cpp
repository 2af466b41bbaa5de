#include "framework/control.h"

#include <algorithm>
#include <vector>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/font.h"
#include "framework/form.h"
#include "framework/scoped_state.h"
#include "framework/screen.h"
#include "framework/win_control.h"
#include "framework/win_control_internal.h"

namespace {
TControl* g_capture_control = nullptr;
}  // namespace

// Mouse-enter bookkeeping shared with the window and mouse parts of TWinControl.
TControl* g_mouse_control = nullptr;
HWND g_mouse_host = nullptr;

void SetMouseControl(TControl* control, HWND host) {
    g_mouse_host = host;
    if (g_mouse_control == control) return;
    TControl* old = g_mouse_control;
    g_mouse_control = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (control && g_mouse_control == control) control->Perform(CM_MOUSEENTER);
}

TControl* MouseControl() { return g_mouse_control; }

TDispatchScope::~TDispatchScope() {
    if (--c_->dispatch_depth_ == 0 && c_->free_pending_) {
        c_->free_pending_ = false;
        delete c_;
    }
}

// --- construction ------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), color_(clWindow) {
    font_ = new TFont();
    font_->OnChange = [this](TObject*) { FontObjectChanged(); };
}

TControl::~TControl() { delete font_; }

void TControl::AfterConstruction() { TComponent::AfterConstruction(); }

void TControl::BeforeDestruction() {
    // Children went first and cleared themselves; what is left are the
    // references to this object itself.
    Application()->ControlDestroying(this);
    if (ScreenAllocated()) Screen()->ControlDestroying(this);
    if (g_capture_control == this) g_capture_control = nullptr;
    if (g_mouse_control == this) {
        g_mouse_control = nullptr;
        g_mouse_host = nullptr;
    }
    if (parent_) parent_->RemoveControl(this);
    TComponent::BeforeDestruction();
}

bool TControl::DeferFree() {
    if (dispatch_depth_ > 0) {
        free_pending_ = true;
        return true;
    }
    return false;
}

// --- parent and bounds ---------------------------------------------------

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    for (TWinControl* p = AParent; p; p = p->Parent()) {
        if (p == this) throw EInvalidOperation("Ein Steuerelement kann nicht sein eigener Vorfahr sein");
    }
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::ApplyConstraints(int& AWidth, int& AHeight) const {
    if (constraints_.MaxWidth > 0 && AWidth > constraints_.MaxWidth) AWidth = constraints_.MaxWidth;
    if (constraints_.MaxHeight > 0 && AHeight > constraints_.MaxHeight) AHeight = constraints_.MaxHeight;
    if (constraints_.MinWidth > 0 && AWidth < constraints_.MinWidth) AWidth = constraints_.MinWidth;
    if (constraints_.MinHeight > 0 && AHeight < constraints_.MinHeight) AHeight = constraints_.MinHeight;
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
}

void TControl::StoreBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ApplyConstraints(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    bool sized = AWidth != width_ || AHeight != height_;
    Invalidate();
    StoreBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
    RequestAlign();
    BoundsChanged();
    if (sized) Resize();
}

void TControl::RequestAlign() {
    if (align_ != alNone && parent_) parent_->AlignRequested(this);
}

RECT TControl::GetClientRect() const { return RECT{0, 0, width_, height_}; }

int TControl::ClientWidth() const {
    RECT r = GetClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const {
    RECT r = GetClientRect();
    return r.bottom - r.top;
}

void TControl::SetClientSize(int AWidth, int AHeight) {
    RECT r = GetClientRect();
    SetBounds(left_, top_, width_ - (r.right - r.left) + AWidth, height_ - (r.bottom - r.top) + AHeight);
}

POINT TControl::ClientOrigin() const {
    POINT p{left_, top_};
    if (parent_) {
        POINT o = parent_->ClientOrigin();
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

POINT TControl::ClientToScreen(POINT p) const {
    POINT o = ClientOrigin();
    return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
    POINT o = ClientOrigin();
    return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign value) {
    if (align_ == value) return;
    align_ = value;
    if (parent_) parent_->AlignRequested(this);
}

// --- state -----------------------------------------------------------------

void TControl::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (align_ != alNone && parent_) parent_->AlignRequested(this);
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

TFont& TControl::Font() { return *font_; }

void TControl::SetFont(const TFont& value) { font_->Assign(&value); }

void TControl::FontObjectChanged() {
    if (updating_font_) return;
    parent_font_ = false;
    FontChanged();
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED); }

void TControl::SetParentFont(bool value) {
    if (parent_font_ == value) return;
    parent_font_ = value;
    if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::ParentFontChangedInternal() {
    if (!parent_font_ || !parent_) return;
    {
        ScopedValue<bool> updating(updating_font_, true);
        font_->Assign(&parent_->Font());
    }
    Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor value) {
    parent_color_ = false;
    if (color_ == value) return;
    color_ = value;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (parent_color_ == value) return;
    parent_color_ = value;
    if (value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetText(const std::string& value) {
    if (text_ == value) return;
    text_ = value;
    Perform(CM_TEXTCHANGED);
}

bool TControl::ShowHint() const {
    if (parent_show_hint_ && parent_) return parent_->ShowHint();
    return show_hint_;
}

void TControl::SetShowHint(bool value) {
    show_hint_ = value;
    parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool value) {
    if (parent_show_hint_ == value) return;
    parent_show_hint_ = value;
    Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (cursor_ == value) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED);
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
    if (value)
        SetCaptureControl(this);
    else if (MouseCapture())
        SetCaptureControl(nullptr);
}

// --- painting ----------------------------------------------------------------

void TControl::Invalidate() {
    if (visible_ && parent_ && parent_->HandleAllocated())
        parent_->InvalidateRect(BoundsRect(), (control_style_ & csOpaque) == 0);
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::PaintTo(HDC DC, int X, int Y) {
    win_control_internal::StateFlag copy(this, csPaintCopy);
    ScopedSaveDC save(DC);
    OffsetViewportOrgEx(DC, X, Y, nullptr);
    IntersectClipRect(DC, 0, 0, width_, height_);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

void TControl::BringToFront() {
    if (parent_) parent_->SetZOrderPosition(this, parent_->ControlCount() - 1);
}

void TControl::SendToBack() {
    if (parent_) parent_->SetZOrderPosition(this, 0);
}

// --- messages ------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    PerformMessage(m);
    return m.Result;
}

void TControl::PerformMessage(TMessage& Message) {
    TDispatchScope scope(this);
    WndProc(Message);
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
    case WM_RBUTTONDOWN: WMRButtonDown(m); break;
    case WM_RBUTTONUP: WMRButtonUp(m); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(m); break;
    case WM_MBUTTONDOWN: WMMButtonDown(m); break;
    case WM_MBUTTONUP: WMMButtonUp(m); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CM_FONTCHANGED: CMFontChanged(m); break;
    case CM_COLORCHANGED: CMColorChanged(m); break;
    case CM_TEXTCHANGED: CMTextChanged(m); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_HINTSHOW: CMHintShow(m); break;
    case CM_HITTEST: CMHitTest(m); break;
    case CM_CANCELMODE: CMCancelMode(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_CURSORCHANGED: CMCursorChanged(m); break;
    default: DefaultHandler(m); break;
    }
}

void TControl::DefaultHandler(TMessage& Message) { (void)Message; }

void TControl::SendCancelMode(TControl* Sender) {
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    TWinControl* active = form->ActiveControl();
    if (active && active != Sender) active->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

void TControl::DoMouseDown(TMessage& m, TMouseButton Button, TShiftState Shift) {
    if (control_style_ & csNoStdEvents) return;
    MouseDown(Button, KeysToShiftState(m.WParam) | Shift, MessageX(m), MessageY(m));
}

void TControl::DoMouseUp(TMessage& m, TMouseButton Button) {
    if (control_style_ & csNoStdEvents) return;
    MouseUp(Button, KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
}

void TControl::WMLButtonDown(TMessage& m) {
    SendCancelMode(this);
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    if (control_style_ & csCaptureMouse) SetMouseCapture(true);
    if (control_style_ & csClickEvents) IncludeState(csClicked);
    DoMouseDown(m, mbLeft, 0);
}

void TControl::WMLButtonUp(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    if (control_style_ & csCaptureMouse) SetMouseCapture(false);
    if (control_state_ & csClicked) {
        ExcludeState(csClicked);
        RECT r = GetClientRect();
        POINT p = MessagePoint(m);
        if (PtInRect(&r, p)) Click();
        if (IsBeingFreed()) return;
    }
    DoMouseUp(m, mbLeft);
}

void TControl::WMLButtonDblClk(TMessage& m) {
    SendCancelMode(this);
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    if (control_style_ & csCaptureMouse) SetMouseCapture(true);
    if (control_style_ & csClickEvents) DblClick();
    if (IsBeingFreed()) return;
    DoMouseDown(m, mbLeft, ssDouble);
}

void TControl::WMRButtonDown(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    DoMouseDown(m, mbRight, 0);
}

void TControl::WMRButtonUp(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    DoMouseUp(m, mbRight);
}

void TControl::WMRButtonDblClk(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    DoMouseDown(m, mbRight, ssDouble);
}

void TControl::WMMButtonDown(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    DoMouseDown(m, mbMiddle, 0);
}

void TControl::WMMButtonUp(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    DoMouseUp(m, mbMiddle);
}

void TControl::WMMButtonDblClk(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    DoMouseDown(m, mbMiddle, ssDouble);
}

void TControl::WMMouseMove(TMessage& m) {
    DefaultHandler(m);
    if (IsBeingFreed()) return;
    if (!(control_style_ & csNoStdEvents)) MouseMove(KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
}

void TControl::WMMouseWheel(TMessage& m) {
    POINT screen{MessageX(m), MessageY(m)};
    TShiftState shift = KeysToShiftState(LOWORD(m.WParam));
    int delta = static_cast<short>(HIWORD(m.WParam));
    if (DoMouseWheel(shift, delta, screen)) {
        m.Result = 1;
        return;
    }
    // Not taken here: the parents are asked in turn, nearest first (a grid
    // takes the wheel over its in-place editor). Only a wheel nobody takes
    // reaches the window's own procedure (a rich edit or list scrolls).
    for (TWinControl* p = parent_; p && !IsBeingFreed();) {
        TControl* asked = p;
        p = asked->parent_;
        if (asked->DoMouseWheel(shift, delta, screen)) {
            m.Result = 1;
            return;
        }
    }
    if (IsBeingFreed()) return;
    DefaultHandler(m);
}

void TControl::WMCancelMode(TMessage& m) { DefaultHandler(m); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
    if (parent_ && parent_->HandleAllocated()) parent_->InvalidateRect(BoundsRect(), true);
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMParentFontChanged(TMessage&) { ParentFontChangedInternal(); }

void TControl::CMParentColorChanged(TMessage&) {
    if (!parent_color_ || !parent_) return;
    if (color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
    }
}

void TControl::CMParentShowHintChanged(TMessage&) {}
void TControl::CMSysColorChange(TMessage&) { Invalidate(); }

void TControl::CMMouseEnter(TMessage&) { MouseEnter(); }
void TControl::CMMouseLeave(TMessage&) { MouseLeave(); }

void TControl::CMHintShow(TMessage& m) { m.Result = 0; }

void TControl::CMHitTest(TMessage& m) { m.Result = HitTest(MessageX(m), MessageY(m)) ? 1 : 0; }

void TControl::CMCancelMode(TMessage& m) { DefaultHandler(m); }

void TControl::CMDialogChar(TMessage& m) { m.Result = 0; }

void TControl::CMCursorChanged(TMessage&) {
    if (g_mouse_control != this || !g_mouse_host || !IsWindow(g_mouse_host)) return;
    SendMessageA(g_mouse_host, WM_SETCURSOR, reinterpret_cast<WPARAM>(g_mouse_host), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

bool TControl::HitTest(int, int) { return true; }

// --- virtual event dispatchers --------------------------------------------------

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled) {
        if (WheelDelta < 0)
            handled = DoMouseWheelDown(Shift, MousePos);
        else if (WheelDelta > 0)
            handled = DoMouseWheelUp(Shift, MousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// --- helpers ---------------------------------------------------------------------

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState s = 0;
    if (Keys & MK_SHIFT) s |= ssShift;
    if (Keys & MK_CONTROL) s |= ssCtrl;
    if (Keys & MK_LBUTTON) s |= ssLeft;
    if (Keys & MK_RBUTTON) s |= ssRight;
    if (Keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (KeyData & (1L << 29)) s |= ssAlt;
    return s;
}

TShiftState GetShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
    return s;
}

TCustomForm* GetParentForm(TControl* Control) {
    if (!Control) return nullptr;
    while (Control->Parent()) Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
}

TControl* FindDragTarget(POINT ScreenPos, bool AllowDisabled) {
    HWND h = WindowFromPoint(ScreenPos);
    TWinControl* w = nullptr;
    while (h) {
        w = FindControl(h);
        if (w) break;
        if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
        h = GetParent(h);
    }
    if (!w) return nullptr;
    TControl* result = w;
    TWinControl* container = w;
    while (container) {
        TControl* c = container->ControlAtPos(container->ScreenToClient(ScreenPos), AllowDisabled, true);
        if (!c) break;
        result = c;
        container = dynamic_cast<TWinControl*>(c);
    }
    return result;
}

TControl* TakeCaptureControl(const TWinControl* Host) {
    TControl* c = g_capture_control;
    if (!c || !Host || (c != Host && c->Parent() != Host)) return nullptr;
    g_capture_control = nullptr;
    return c;
}

TControl* GetCaptureControl() {
    HWND cap = GetCapture();
    if (!cap) return nullptr;
    TWinControl* w = FindControl(cap);
    if (g_capture_control && (g_capture_control == w || g_capture_control->Parent() == w)) return g_capture_control;
    return w;
}

void SetCaptureControl(TControl* Control) {
    g_capture_control = nullptr;
    if (GetCapture()) ReleaseCapture();
    if (!Control) return;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        if (w->HandleAllocated()) SetCapture(w->WindowHandle());
    } else if (Control->Parent() && Control->Parent()->HandleAllocated()) {
        SetCapture(Control->Parent()->WindowHandle());
    }
    g_capture_control = Control;
}

// --- TControlCanvas ------------------------------------------------------------------

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC() {
    static std::vector<TControlCanvas*> list;
    return list;
}
}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
    FreeHandle();
    TWinControl* host = dynamic_cast<TWinControl*>(control_);
    bool windowless = host == nullptr;
    if (windowless) host = control_->Parent();
    if (host && host->HandleAllocated()) {
        dc_window_ = host->WindowHandle();
        own_dc_ = GetDCEx(dc_window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        if (own_dc_ && windowless) {
            SetViewportOrgEx(own_dc_, control_->Left(), control_->Top(), nullptr);
            IntersectClipRect(own_dc_, 0, 0, control_->Width(), control_->Height());
        }
    }
    if (!own_dc_) {
        own_dc_ = CreateCompatibleDC(nullptr);
        dc_window_ = nullptr;
    }
    if (!own_dc_) return;
    CanvasesWithDC().push_back(this);
    SetHandle(own_dc_);
}

void TControlCanvas::FreeHandle() {
    if (!own_dc_) return;
    SetHandle(nullptr);
    if (!dc_window_)
        DeleteDC(own_dc_);
    else
        ReleaseDC(dc_window_, own_dc_);
    own_dc_ = nullptr;
    dc_window_ = nullptr;
    auto& list = CanvasesWithDC();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeAllHandles() {
    auto& list = CanvasesWithDC();
    while (!list.empty()) list.back()->FreeHandle();
}
