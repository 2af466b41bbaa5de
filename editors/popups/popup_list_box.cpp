#include "editors/popups/popup_list_box.h"

#include "editors/popups/popup_window.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/screen.h"

TI_PopupListBox::TI_PopupListBox(TComponent* AOwner, const PopupFamily& family)
    : TCustomListBox(AOwner), family_(family) {
    SetVisibleFlag(false);
    SetTabStop(false);
    UpdateItemHeight();
}

TWinControl* TI_PopupListBox::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TI_PopupListBox::CreateParams(TCreateParams& p) {
    TCustomListBox::CreateParams(p);
    p.Style = (p.Style & ~(WS_CHILD | WS_BORDER)) | WS_POPUP;
    p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    p.ClassStyle |= CS_SAVEBITS;
    // The list draws its items through WM_DRAWITEM to its owner window: the
    // owner control's form, which hands it back as CN_DRAWITEM.
    TWinControl* owner = OwnerControl();
    p.WndParent = owner && owner->HandleAllocated() ? GetAncestor(owner->WindowHandle(), GA_ROOT) : nullptr;
}

void TI_PopupListBox::UpdateItemHeight() {
    MemoryDC dc;
    ScopedSelect font(dc.Get(), Font().Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    SetItemHeight(tm.tmHeight + 3);
}

void TI_PopupListBox::CMFontChanged(TMessage& m) {
    TCustomListBox::CMFontChanged(m);
    UpdateItemHeight();
}

void TI_PopupListBox::SetBorderStyle(int value) {
    if (value < 0 || value > 2 || value == border_style_) return;
    border_style_ = value;
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TI_PopupListBox::AdjustHeight(int ExtraRows) {
    int max_height = family_.list_at_most_half_screen ? Screen()->Height() / 2 : 0;
    int h = PopupListHeight(Count(), ExtraRows, drop_down_rows_, ItemHeight(), BorderWidth(), max_height);
    int w = popup_rect_.right > popup_rect_.left ? popup_rect_.right - popup_rect_.left : Width();
    popup_rect_.right = popup_rect_.left + w;
    popup_rect_.bottom = popup_rect_.top + h;
    TWinControl::SetBounds(Left(), Top(), w, h);
}

void TI_PopupListBox::Show() {
    // A window made while the owner had none has no owner window to draw
    // its items through: it is made again under the owner's form.
    if (HandleAllocated()) {
        TWinControl* owner = OwnerControl();
        HWND root = owner && owner->HandleAllocated() ? GetAncestor(owner->WindowHandle(), GA_ROOT) : nullptr;
        if (root && GetWindow(WindowHandle(), GW_OWNER) != root) RecreateWnd();
    }
    AdjustHeight(0);
    int flags = PlacePopup(this, mode_, popup_rect_, OwnerControl(), keep_on_screen_);
    if (flags != -1) placement_flags_ = flags;
    shown_ = true;
}

void TI_PopupListBox::Hide() {
    SetVisible(false);
    shown_ = false;
}

void TI_PopupListBox::SetPopupRect(int ALeft, int ATop, int AWidth, int AHeight) {
    popup_rect_ = RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
    if (shown_) Show();
}

void TI_PopupListBox::SetPopupPosition(int mode) {
    if (mode == mode_) return;
    mode_ = mode;
    if (Visible()) Show();
}

bool TI_PopupListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
    if (!TCustomListBox::DoMouseWheel(Shift, WheelDelta, MousePos))
        SetTopIndex(PopupListWheelTop(TopIndex(), WheelDelta, Count(), drop_down_rows_));
    return true;
}

void TI_PopupListBox::DrawBorder(HDC dc, RECT r) {
    if (border_style_ == 1) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else if (border_style_ == 2) {
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        InflateRect(&r, -1, -1);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
}

void TI_PopupListBox::PaintNonClient(HDC dc) {
    TCustomListBox::PaintNonClient(dc);
    DrawBorder(dc, RECT{0, 0, Width(), Height()});
}

void TI_PopupListBox::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    case WM_NCCALCSIZE:
        TCustomListBox::Dispatch(m);
        if (m.WParam) {
            RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0];
            InflateRect(&r, -BorderWidth(), -BorderWidth());
        }
        return;
    case WM_NCPAINT: {
        TCustomListBox::Dispatch(m);
        WindowDC dc(WindowHandle(), true);
        DrawBorder(dc.Get(), RECT{0, 0, Width(), Height()});
        return;
    }
    case WM_MOUSEMOVE: {
        // Hot tracking: the item under the mouse becomes the current one.
        int index = ItemAtPos(MessagePoint(m), true);
        if (index >= 0 && index != ItemIndex()) SetItemIndex(index);
        TCustomListBox::Dispatch(m);
        return;
    }
    case WM_LBUTTONDOWN: {
        // Select without the list's own focus grab: the edit keeps the focus.
        int index = ItemAtPos(MessagePoint(m), true);
        if (index >= 0) SetItemIndex(index);
        m.Result = 0;
        return;
    }
    case WM_LBUTTONUP:
        m.Result = 0;
        if (ItemAtPos(MessagePoint(m), true) >= 0) Click();
        return;
    default:
        TCustomListBox::Dispatch(m);
        return;
    }
}
