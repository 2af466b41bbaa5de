#include "framework/win_control.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/font.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "framework/window_class.h"

// Mouse-enter bookkeeping (control.cpp).
extern TControl* g_mouse_control;
extern HWND g_mouse_host;
void SetMouseControl(TControl* control, HWND host);

namespace {
bool IsWin(const TControl* c) { return dynamic_cast<const TWinControl*>(c) != nullptr; }

// Restores a control-state flag on scope exit.
class StateFlag {
public:
    StateFlag(TControl* c, unsigned flag) : c_(c), flag_(flag), had_((c->ControlState() & flag) != 0) {
        c_->IncludeState(flag_);
    }
    ~StateFlag() {
        if (!had_) c_->ExcludeState(flag_);
    }
    StateFlag(const StateFlag&) = delete;
    StateFlag& operator=(const StateFlag&) = delete;

private:
    TControl* c_;
    unsigned flag_;
    bool had_;
};
}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() = default;

void TWinControl::BeforeDestruction() {
    Destroying();
    if (handle_) DestroyHandle();
    // Children go with their parent (they leave their owners themselves).
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        c->Free();
    }
    TControl::BeforeDestruction();
}

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
    if (!p.SystemClass) EnsureWindowClass(p.WinClassName, p.ClassStyle);
    nc_valid_ = false;
    StateFlag creating(this, csCreating);
    CreateWindowHandle(p);
    if (!handle_) throw EOutOfResources("Fenster für " + ClassName() + " kann nicht erzeugt werden");
    if (p.SystemClass) {
        class_proc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrA(handle_, GCLP_WNDPROC));
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
    DestroyWindow(handle_);
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
    if (AControl->align_ != alNone && !aligning_) Realign();
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
    if (AControl->align_ != alNone && !aligning_) Realign();
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

// --- alignment --------------------------------------------------------------------

void TWinControl::DisableAlign() { ++align_level_; }

void TWinControl::EnableAlign() {
    if (align_level_ > 0 && --align_level_ == 0 && align_pending_) {
        align_pending_ = false;
        Realign();
    }
}

void TWinControl::Realign() {
    if (align_level_ > 0 || aligning_) {
        align_pending_ = true;
        return;
    }
    aligning_ = true;
    try {
        RECT r = GetClientRect();
        AdjustClientRect(r);
        AlignControls(nullptr, r);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl* AControl, RECT& Rect) {
    DoAlign(alTop, Rect, AControl);
    DoAlign(alBottom, Rect, AControl);
    DoAlign(alLeft, Rect, AControl);
    DoAlign(alRight, Rect, AControl);
    DoAlign(alClient, Rect, AControl);
}

void TWinControl::DoAlign(TAlign Align, RECT& Rect, TControl* AControl) {
    std::vector<TControl*> list;
    for (TControl* c : controls_) {
        if (c->align_ == Align && c->visible_) list.push_back(c);
    }
    // Keep the order the controls stand in along the aligned edge.
    auto key = [Align](TControl* c) {
        switch (Align) {
        case alTop: return c->top_;
        case alBottom: return -(c->top_ + c->height_);
        case alLeft: return c->left_;
        case alRight: return -(c->left_ + c->width_);
        default: return 0;
        }
    };
    std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
        int ka = key(a), kb = key(b);
        if (ka != kb) return ka < kb;
        return a == AControl && b != AControl;
    });
    for (TControl* c : list) {
        int w = Rect.right - Rect.left;
        int h = Rect.bottom - Rect.top;
        if (w < 0) w = 0;
        if (h < 0) h = 0;
        switch (Align) {
        case alTop:
            c->SetBounds(Rect.left, Rect.top, w, c->height_);
            Rect.top += c->height_;
            break;
        case alBottom:
            c->SetBounds(Rect.left, Rect.bottom - c->height_, w, c->height_);
            Rect.bottom -= c->height_;
            break;
        case alLeft:
            c->SetBounds(Rect.left, Rect.top, c->width_, h);
            Rect.left += c->width_;
            break;
        case alRight:
            c->SetBounds(Rect.right - c->width_, Rect.top, c->width_, h);
            Rect.right -= c->width_;
            break;
        case alClient:
            c->SetBounds(Rect.left, Rect.top, w, h);
            break;
        default: break;
        }
    }
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

// --- focus ------------------------------------------------------------------------------------

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
    if (!form || !form->Visible() || !form->Enabled()) return false;
    for (const TControl* c = this; c && c != form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->FocusControl(this);
    } else if (Showing()) {
        ::SetFocus(handle_);
    }
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tab_list_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!parent_) return;
    auto& list = parent_->tab_list_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : tab_list_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
    } while (i != start);
    return nullptr;
}

bool TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (!next) return false;
    next->SetFocus();
    return true;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
    m.Result = 0;
}

void TWinControl::WMSetFocus(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        if (!form->SetFocusedControl(this)) return;
    }
    DefaultHandler(m);
}

void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

// --- painting -----------------------------------------------------------------------------------

void TWinControl::Invalidate() {
    if (handle_) ::InvalidateRect(handle_, nullptr, (control_style_ & csOpaque) == 0);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::InvalidateRect(const RECT& Rect, bool Erase) {
    if (handle_) ::InvalidateRect(handle_, &Rect, Erase);
}

void TWinControl::ScrollWindow(int DX, int DY, const RECT* ScrollRect, const RECT* ClipRect) {
    if (handle_) ::ScrollWindow(handle_, DX, DY, ScrollRect, ClipRect);
}

HBRUSH TWinControl::ColorBrush() {
    if (!color_brush_ || color_brush_color_ != color_) {
        color_brush_.Reset(CreateSolidBrush(ColorToCOLORREF(color_)));
        color_brush_color_ = color_;
    }
    return color_brush_.Get();
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    if (subclassed_) {
        DefaultHandler(m);
        return;
    }
    // A double-buffered control erases inside its buffer (WParam == LParam
    // marks that call); csOpaque controls paint every pixel themselves.
    if ((double_buffered_ && m.WParam != static_cast<WPARAM>(m.LParam)) || (control_style_ & csOpaque)) {
        m.Result = 1;
        return;
    }
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    RECT r = GetClientRect();
    ::FillRect(dc, &r, ColorBrush());
    m.Result = 1;
}

void TWinControl::WMPaint(TMessage& m) {
    if (subclassed_) {
        DefaultHandler(m);
        return;
    }
    if (m.WParam != 0 || !double_buffered_ || !handle_) {
        PaintHandler(m);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    try {
        RECT r = ps.rcPaint;
        int w = r.right - r.left, h = r.bottom - r.top;
        if (dc && w > 0 && h > 0) {
            void* bits = nullptr;
            GdiObject<HBITMAP> bmp = CreateDib32(dc, w, h, &bits);
            MemoryDC mem(dc);
            if (bmp && mem) {
                ScopedSelect sel(mem.Get(), bmp.Get());
                // Same logical coordinates as the window: rcPaint's top-left
                // lands on the buffer's origin.
                SetWindowOrgEx(mem.Get(), r.left, r.top, nullptr);
                IntersectClipRect(mem.Get(), r.left, r.top, r.right, r.bottom);
                Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Get()), reinterpret_cast<LPARAM>(mem.Get()));
                Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem.Get()), 0);
                SetWindowOrgEx(mem.Get(), 0, 0, nullptr);
                BitBlt(dc, r.left, r.top, w, h, mem.Get(), 0, 0, SRCCOPY);
            } else {
                TMessage pm;
                pm.Msg = WM_PAINT;
                pm.WParam = reinterpret_cast<WPARAM>(dc);
                PaintHandler(pm);
            }
        }
    } catch (...) {
        EndPaint(handle_, &ps);
        throw;
    }
    EndPaint(handle_, &ps);
}

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps;
    bool began = false;
    if (!dc) {
        if (!handle_) return;
        dc = BeginPaint(handle_, &ps);
        began = true;
    }
    try {
        {
            ScopedSaveDC save(dc);
            PaintWindow(dc);
        }
        PaintControls(dc, nullptr);
    } catch (...) {
        if (began) EndPaint(handle_, &ps);
        throw;
    }
    if (began) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
    if (!subclassed_) return;
    TMessage m;
    m.Msg = WM_PAINT;
    m.WParam = reinterpret_cast<WPARAM>(DC);
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    auto it = controls_.begin();
    if (First) {
        it = std::find(controls_.begin(), controls_.end(), First);
        if (it == controls_.end()) it = controls_.begin();
    }
    std::vector<TControl*> list(it, controls_.end());
    RECT clip;
    int clipKind = GetClipBox(DC, &clip);
    for (TControl* c : list) {
        if (IsWin(c) || !c->visible_) continue;
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        RECT b = c->BoundsRect(), x;
        if (clipKind != NULLREGION && clipKind != ERROR && !IntersectRect(&x, &b, &clip)) continue;
        ScopedSaveDC save(DC);
        OffsetViewportOrgEx(DC, c->left_, c->top_, nullptr);
        IntersectClipRect(DC, 0, 0, c->width_, c->height_);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::WMPrintClient(TMessage& m) {
    if (subclassed_) {
        DefaultHandler(m);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (m.LParam & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, m.WParam, static_cast<LPARAM>(m.WParam));
    if (m.LParam & PRF_CLIENT) {
        ScopedSaveDC save(dc);
        Perform(WM_PAINT, m.WParam, 0);
    }
    m.Result = 0;
}

void TWinControl::PaintNonClient(HDC DC) {
    DWORD style, ex;
    if (handle_) {
        style = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE));
        ex = static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE));
    } else {
        TCreateParams p;
        CreateParams(p);
        style = p.Style;
        ex = p.ExStyle;
    }
    RECT ca = ClientAreaInWindow();
    RECT full{0, 0, width_, height_};
    if (EqualRect(&ca, &full)) return;
    // Plain frames as the system draws them; captions are shown as a bar
    // with the text.
    RECT r = full;
    if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) || (ex & WS_EX_DLGMODALFRAME)) {
        DrawEdge(DC, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        if (style & WS_THICKFRAME) {
            HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
            RECT in = r;
            int b = GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXEDGE);
            for (int i = 0; i < b; ++i) {
                FrameRect(DC, &in, face);
                InflateRect(&in, -1, -1);
            }
            r = in;
        }
    } else if (style & WS_BORDER) {
        FrameRect(DC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (ex & WS_EX_CLIENTEDGE) DrawEdge(DC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (ex & WS_EX_STATICEDGE) DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if ((style & WS_CAPTION) == WS_CAPTION) {
        RECT cap{r.left, r.top, r.right, ca.top};
        FillRect(DC, &cap, GetSysColorBrush(COLOR_ACTIVECAPTION));
        SetBkMode(DC, TRANSPARENT);
        SetTextColor(DC, GetSysColor(COLOR_CAPTIONTEXT));
        std::string t = GetText();
        cap.left += 4;
        ::DrawTextA(DC, t.c_str(), static_cast<int>(t.size()), &cap, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    // Scroll-bar areas.
    if (ca.right < r.right) {
        RECT sb{ca.right, ca.top, r.right, ca.bottom};
        FillRect(DC, &sb, GetSysColorBrush(COLOR_SCROLLBAR));
    }
    if (ca.bottom < r.bottom) {
        RECT sb{ca.left, ca.bottom, r.right, r.bottom};
        FillRect(DC, &sb, GetSysColorBrush(COLOR_SCROLLBAR));
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
    StateFlag copy(this, csPaintCopy);
    ScopedSaveDC save(DC);
    OffsetViewportOrgEx(DC, X, Y, nullptr);
    IntersectClipRect(DC, 0, 0, width_, height_);
    PaintNonClient(DC);
    RECT ca = ClientAreaInWindow();
    OffsetViewportOrgEx(DC, ca.left, ca.top, nullptr);
    IntersectClipRect(DC, 0, 0, ca.right - ca.left, ca.bottom - ca.top);
    if (subclassed_) {
        if (handle_)
            Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT | PRF_ERASEBKGND);
    } else {
        {
            ScopedSaveDC s2(DC);
            Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
        }
        ScopedSaveDC s3(DC);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (!IsWin(c) || !c->visible_) continue;
        c->PaintTo(DC, c->left_, c->top_);
    }
}

// --- keyboard -----------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(m)) return true;
    if (IsBeingFreed()) return true;
    if (control_style_ & csNoStdEvents) return false;
    WORD key = static_cast<WORD>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    if (IsBeingFreed()) return true;
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(m)) return true;
    if (IsBeingFreed()) return true;
    if (control_style_ & csNoStdEvents) return false;
    WORD key = static_cast<WORD>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    if (IsBeingFreed()) return true;
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
    if (IsBeingFreed()) return true;
    if (control_style_ & csNoStdEvents) return false;
    char ch = static_cast<char>(static_cast<unsigned char>(m.WParam));
    KeyPress(ch);
    if (IsBeingFreed()) return true;
    m.WParam = static_cast<unsigned char>(ch);
    return ch == 0;
}

void TWinControl::WMKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    if (!DoKeyPress(m)) DefaultHandler(m);
}

void TWinControl::WMSysChar(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMGetDlgCode(TMessage& m) { DefaultHandler(m); }

void TWinControl::CNKeyDown(TMessage& m) { m.Result = 0; }
void TWinControl::CNKeyUp(TMessage& m) { m.Result = 0; }
void TWinControl::CNChar(TMessage& m) { m.Result = 0; }
void TWinControl::CNSysKeyDown(TMessage& m) { m.Result = 0; }
void TWinControl::CNSysChar(TMessage& m) { m.Result = 0; }

void TWinControl::CMDialogKey(TMessage& m) { m.Result = 0; }

void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

void TWinControl::CMChildKey(TMessage& m) {
    if (parent_) m.Result = parent_->Perform(CM_CHILDKEY, m.WParam, m.LParam);
}

void TWinControl::CMWantSpecialKey(TMessage& m) { m.Result = 0; }

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

void TWinControl::WMCaptureChanged(TMessage& m) { DefaultHandler(m); }

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
void TWinControl::WMContextMenu(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMDestroy(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMNCDestroy(TMessage& m) { DefaultHandler(m); }

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
        if (subclass_depth_ > 0)
            m.Result = DefSubclassProc(handle_, m.Msg, m.WParam, m.LParam);
        else
            m.Result = CallWindowProcA(class_proc_, handle_, m.Msg, m.WParam, m.LParam);
    } else {
        m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
    }
}
