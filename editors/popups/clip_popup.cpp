#include "editors/popups/clip_popup.h"

#include "editors/tools/edit_drawing.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/gdi_owner.h"
#include "framework/messages.h"

namespace {

// Posted to a shown popup that lost the capture to nobody (a button gave
// it up after its click): the popup takes it back.
constexpr UINT kRecaptureMessage = WM_USER + 690;

}  // namespace

TI_ClipPopup::TI_ClipPopup(TComponent* AOwner, const PopupFamily& family)
    : TI_PopupWindow(AOwner, family), buttons_(std::make_unique<TI_EditButtons>(this)) {
    // The popup keeps its capture itself; a click must not give it up.
    control_style_ &= ~csCaptureMouse;
    buttons_->SetColor(clBtnFace);
    buttons_->DefaultAnchor = 0;
}

TI_ClipPopup::~TI_ClipPopup() = default;

void TI_ClipPopup::BeforeDestruction() {
    if (HandleAllocated() && GetCapture() == WindowHandle()) ReleaseCapture();
    // The buttons stay until the popup is deleted: a button's click may be
    // what frees the popup (its own OnButtonClick, a calculator's OK whose
    // field goes), and the collection is still routing that click.
    TI_PopupWindow::BeforeDestruction();
}

void TI_ClipPopup::CreateWnd() {
    TI_PopupWindow::CreateWnd();
    if (buttons_) buttons_->AttachWindow();
    FrameChanged();
}

void TI_ClipPopup::SetOptions(unsigned value) {
    options_ = value;
    CalcMargins();
    FrameChanged();
}

void TI_ClipPopup::SetBorderStyle(int value) {
    border_style_ = value;
    CalcMargins();
    FrameChanged();
}

void TI_ClipPopup::CalcMargins() { margins_ = ClipPopupMargins(border_style_, options_); }

void TI_ClipPopup::FrameChanged() {
    if (!HandleAllocated()) return;
    SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TI_ClipPopup::WindowBox() const { return RECT{0, 0, Width(), Height()}; }

ClipHit TI_ClipPopup::HitTestAt(POINT screen) const {
    RECT w{};
    if (HandleAllocated()) GetWindowRect(WindowHandle(), &w);
    const bool over_button = buttons_ && buttons_->ButtonAt(screen) != nullptr;
    return ClipPopupHitTest(w.right - w.left, w.bottom - w.top, margins_, options_,
                            PlainPoint{screen.x - w.left, screen.y - w.top}, over_button);
}

void TI_ClipPopup::Show() {
    buttons_->ResetStates();
    HandleNeeded();
    SetCapture(WindowHandle());
    TI_PopupWindow::Show();
}

void TI_ClipPopup::Hide() {
    const bool had = Shown();
    TI_PopupWindow::Hide();  // shown is false first: losing the capture now takes nothing back
    if (had && HandleAllocated() && GetCapture() == WindowHandle()) ReleaseCapture();
}

void TI_ClipPopup::KeyDown(WORD& Key, TShiftState Shift) {
    if (!MovesByKeys() || !(options_ & kClipCaption) || !(Shift & ssCtrl)) return;
    int dx = 0, dy = 0;
    switch (Key) {
    case VK_LEFT: dx = -10; break;
    case VK_RIGHT: dx = 10; break;
    case VK_UP: dy = -10; break;
    case VK_DOWN: dy = 10; break;
    default: return;
    }
    Key = 0;
    // A popup the user moved stays where it was put.
    Perform(UM_BEFORETRACKMOVE, pmAtPosition, 0);
    SetBounds(Left() + dx, Top() + dy, Width(), Height());
}

void TI_ClipPopup::OutsidePress() { Hide(); }

bool TI_ClipPopup::PressAt(POINT screen) {
    RECT w{};
    GetWindowRect(WindowHandle(), &w);
    if (!PtInRect(&w, screen)) {
        OutsidePress();
        return true;
    }
    const ClipHit hit = HitTestAt(screen);
    hit_area_ = hit.area;
    if (hit.area == caSizeGrip || hit.area == caCaption) {
        TrackPopupRect(this, screen.x, screen.y, 1, hit.area == caSizeGrip ? 0 : 1);
        return true;
    }
    return false;
}

void TI_ClipPopup::SetCursorFor(POINT screen) {
    RECT w{};
    GetWindowRect(WindowHandle(), &w);
    const bool grip = PtInRect(&w, screen) && HitTestAt(screen).area == caSizeGrip;
    ::SetCursor(LoadCursor(nullptr, grip ? IDC_SIZENWSE : IDC_ARROW));
}

void TI_ClipPopup::Activated(TMessage& m) {
    TI_PopupWindow::Dispatch(m);
    TWinControl* owner = OwnerControl();
    TCustomForm* form = owner ? GetParentForm(owner) : nullptr;
    if (!form || !form->HandleAllocated()) return;
    const bool active = LOWORD(m.WParam) != WA_INACTIVE;
    SendMessageA(form->WindowHandle(), WM_NCACTIVATE, active ? TRUE : FALSE, 0);
    // Only a popup that becomes active hands the activation to its form: on
    // deactivation the window the user switched to keeps it.
    if (active && reinterpret_cast<HWND>(m.LParam) != form->WindowHandle()) SetActiveWindow(form->WindowHandle());
}

void TI_ClipPopup::Dispatch(TMessage& m) {
    auto screen_of_client = [&](LPARAM lp) {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ::ClientToScreen(WindowHandle(), &p);
        return p;
    };
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        RECT* r = reinterpret_cast<RECT*>(m.LParam);  // first of NCCALCSIZE_PARAMS too
        r->left += margins_.border + margins_.left;
        r->top += margins_.border + margins_.top;
        r->right -= margins_.border + margins_.right;
        r->bottom -= margins_.border + margins_.bottom;
        if (r->right < r->left) r->right = r->left;
        if (r->bottom < r->top) r->bottom = r->top;
        m.Result = 0;
        return;
    }
    case WM_NCPAINT: {
        WindowDC dc(WindowHandle(), true);
        if (dc) PaintNonClient(dc.Get());
        m.Result = 0;
        return;
    }
    case WM_NCHITTEST: {
        const ClipHit hit = HitTestAt(POINT{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
        hit_area_ = hit.area;
        m.Result = hit.answer;
        return;
    }
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTGROWBOX || hit_area_ != caInnerClient) {
            ::SetCursor(LoadCursor(nullptr, hit_area_ == caSizeGrip ? IDC_SIZENWSE : IDC_ARROW));
            m.Result = TRUE;
            return;
        }
        break;
    case WM_NCLBUTTONDOWN: {
        POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        if (PressAt(p)) {
            m.Result = 0;
            return;
        }
        break;
    }
    // Under the capture the mouse comes as client messages from anywhere.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (PressAt(screen_of_client(m.LParam))) {
            m.Result = 0;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        if (GetCapture() == WindowHandle() && !tracking_) SetCursorFor(screen_of_client(m.LParam));
        break;
    case WM_CAPTURECHANGED:
        if (Shown() && !tracking_ && m.LParam == 0) PostMessageA(WindowHandle(), kRecaptureMessage, 0, 0);
        break;
    case kRecaptureMessage:
        if (Shown() && !tracking_ && GetCapture() == nullptr && GetKeyState(VK_LBUTTON) >= 0)
            SetCapture(WindowHandle());
        m.Result = 0;
        return;
    case WM_ACTIVATE: Activated(m); return;
    case UM_BEFORETRACKMOVE:
        // The popup stays at the screen position the user gave it.
        SetPopupRect(Left(), Top(), Width(), Height());
        SetPopupPosition(static_cast<int>(m.WParam));
        m.Result = 0;
        return;
    case WM_PAINT:
        TI_PopupWindow::Dispatch(m);
        ButtonsChanged();
        return;
    case WM_SIZE:
        TI_PopupWindow::Dispatch(m);
        ButtonsChanged();
        return;
    default: break;
    }
    TI_PopupWindow::Dispatch(m);
}

void TI_ClipPopup::PaintNonClient(HDC dc) { PaintBorder(dc); }

void TI_ClipPopup::Paint() {
    TI_PopupWindow::Paint();
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
    if ((ControlState() & csPaintCopy) && buttons_) buttons_->PaintButtons(Canvas().Handle(), false);
}

void TI_ClipPopup::PaintBorder(HDC dc) {
    RECT r = WindowBox();
    if (border_style_ == 1) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else if (border_style_ == 2) {
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_LEFT | BF_TOP);
        InflateRect(&r, -1, -1);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    PaintCaption(dc);
    PaintSizeGrip(dc);
}

void TI_ClipPopup::PaintCaption(HDC dc) {
    if (!(options_ & kClipCaption) || margins_.top <= 0) return;
    const int b = margins_.border;
    RECT cap{b, b, Width() - b, b + margins_.top - 1};
    FillRect(dc, &cap, GetSysColorBrush(COLOR_BTNFACE));
    if (HandleAllocated()) DrawCaption(WindowHandle(), dc, &cap, DC_ACTIVE | DC_SMALLCAP | DC_TEXT | DC_GRADIENT);
}

void TI_ClipPopup::PaintSizeGrip(HDC dc) {
    if (!(options_ & kClipSizeGrip) || margins_.bottom <= 0) return;
    const int b = margins_.border;
    RECT strip{b, Height() - b - margins_.bottom, Width() - b, Height() - b};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    TBitmap grip;
    try {
        grip.LoadFromResourceName(GetModuleHandleA(nullptr), Family().Resource("BTNSIZE"));
    } catch (...) {
        return;  // a program without the picture shows a plain strip
    }
    RECT at{strip.right - 2 - grip.Width(), strip.bottom - 2 - grip.Height(), strip.right - 2, strip.bottom - 2};
    DrawBitmapTransparent(dc, grip, at);
}
