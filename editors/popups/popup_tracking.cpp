// TrackPopupRect: the modal move and resize loop of the clip popups.
#include "editors/popups/clip_popup.h"
#include "editors/popups/message_window.h"
#include "editors/tools/edit_drawing.h"
#include "framework/plain_geometry_win32.h"
#include "framework/sysutils.h"

namespace {

bool g_tracking = false;

// The desktop's DC for the drag frame, given back however the loop ends.
class DesktopDC {
public:
    DesktopDC() : dc_(GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE)) {}
    DesktopDC(const DesktopDC&) = delete;
    DesktopDC& operator=(const DesktopDC&) = delete;
    ~DesktopDC() {
        if (dc_) ReleaseDC(GetDesktopWindow(), dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Window updates locked for the loop (only one window can be locked).
class UpdateLock {
public:
    explicit UpdateLock(HWND window) : locked_(window && LockWindowUpdate(window)) {}
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;
    ~UpdateLock() {
        if (locked_) LockWindowUpdate(nullptr);
    }

private:
    bool locked_;
};

// The loop's own capture and flags; the popup's capture comes back after.
class TrackingScope {
public:
    explicit TrackingScope(TI_ClipPopup* popup, bool& flag) : popup_(popup), flag_(flag) {
        flag_ = true;
        g_tracking = true;
        SetCapture(popup->WindowHandle());
    }
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;
    ~TrackingScope() {
        if (GetCapture() == popup_->WindowHandle()) ReleaseCapture();
        flag_ = false;
        g_tracking = false;
    }

private:
    TI_ClipPopup* popup_;
    bool& flag_;
};

// The size label belongs to the popup: when the popup goes during the loop
// (a timer frees it), the popup has freed its label already.
struct LabelOwner {
    TI_ClipPopup* popup = nullptr;
    TI_MessageWindow* label = nullptr;
    ~LabelOwner() {
        if (label && !popup->IsDestroying()) label->Free();
    }
};

std::string LabelText(const PlainRect& r, int mode) {
    return mode == 0 ? Format("%d x %d", {r.Width(), r.Height()}) : Format("%d, %d", {r.left, r.top});
}

}  // namespace

bool PopupTrackingActive() { return g_tracking; }

bool TrackPopupRect(TI_ClipPopup* popup, int x, int y, int step, int mode) {
    if (!popup || !popup->HandleAllocated() || popup->tracking_) return false;
    HWND h = popup->WindowHandle();
    RECT start{};
    GetWindowRect(h, &start);
    TrackState state{ToPlainRect(start)};
    // The popup may be freed while the loop runs (a timer, a message the
    // loop dispatches): it is deleted only when the loop has returned.
    TDispatchScope keep(popup);
    DispatchPendingPaint();
    TWinControl* parent = popup->Parent();
    UpdateLock lock(parent && parent->HandleAllocated() ? parent->WindowHandle() : nullptr);
    DesktopDC desktop;

    LabelOwner label;
    label.popup = popup;
    label.label = Create<TI_MessageWindow>(popup, popup->Family());
    label.label->SetAutoHide(false);
    auto show_label = [&] {
        label.label->SetCaption(LabelText(state.rect, mode));
        label.label->SetPopupRect(state.rect.left, state.rect.top, label.label->Width(), label.label->Height());
        label.label->Show();
    };

    bool accepted = false;
    {
        TrackingScope scope(popup, popup->tracking_);
        RECT frame = ToRECT(state.rect);
        if (desktop.Get()) DrawDragFrame(desktop.Get(), &frame, nullptr, 2);
        show_label();
        POINT last{x, y};
        bool done = false;
        MSG msg;
        while (!done && GetCapture() == h) {
            const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // the caller's loop must still see it
                break;
            }
            switch (msg.message) {
            case WM_LBUTTONUP:
                accepted = true;
                done = true;
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: done = true; break;
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == VK_ESCAPE) done = true;
                break;
            case WM_CHAR:
            case WM_SYSKEYDOWN:
            case WM_SYSKEYUP:
            case WM_SYSCHAR:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
            case WM_MBUTTONDBLCLK: break;
            case WM_MOUSEMOVE: {
                POINT now{};
                GetCursorPos(&now);
                int snap = 0;
                const RECT old = ToRECT(state.rect);
                if (StepTracking(state, mode, step, now.x - last.x, now.y - last.y, snap)) {
                    const RECT moved = ToRECT(state.rect);
                    if (desktop.Get()) DrawDragFrame(desktop.Get(), &moved, &old, 2);
                    show_label();
                }
                if (snap) SetCursorPos(now.x, now.y + snap);
                last = POINT{now.x, now.y + snap};
                break;
            }
            default:
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
                break;
            }
        }
        frame = ToRECT(state.rect);
        if (desktop.Get()) DrawDragFrame(desktop.Get(), nullptr, &frame, 2);
    }
    if (popup->IsDestroying()) return false;
    if (accepted) {
        SendMessageA(h, UM_BEFORETRACKMOVE, pmAtPosition, 0);
        const ClipMargins& m = popup->Margins();
        const int min_w = 2 * m.border + m.left + m.right + ((popup->Options() & kClipSizeGrip) ? 14 : 0);
        const int min_h = 2 * m.border + m.top + m.bottom;
        const PlainRect r = NormaliseTrackRect(state.rect, min_w > 0 ? min_w : 1, min_h > 0 ? min_h : 1);
        popup->SetBounds(r.left, r.top, r.Width(), r.Height());
    }
    // A shown popup holds the mouse again.
    if (popup->Shown() && GetCapture() == nullptr) SetCapture(h);
    return accepted;
}
