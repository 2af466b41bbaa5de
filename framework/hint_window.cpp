#include "framework/hint_window.h"

#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/screen.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetVisibleFlag(false);
    SetParentFont(false);
    SetFont(Screen()->HintFont());
    SetColor(clInfoBk);
    control_style_ |= csOpaque;
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.ClassStyle |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

RECT THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*) {
    RECT r{0, 0, MaxWidth, 0};
    MemoryDC dc;
    {
        ScopedSelect font(dc.Get(), Font().Handle());
        ::DrawTextA(dc.Get(), AHint.c_str(), static_cast<int>(AHint.size()), &r,
                    DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    // Text margin plus the one-pixel border on each side.
    r.right += 6 + 2;
    r.bottom += 2 + 2;
    return r;
}

void THintWindow::ActivateHint(RECT Rect, const std::string& AHint) {
    SetText(AHint);
    int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    RECT work = Screen()->WorkAreaRect();
    if (TMonitor* m = Screen()->MonitorFromRect(Rect)) work = m->WorkareaRect();
    if (Rect.left + w > work.right) Rect.left = work.right - w;
    if (Rect.top + h > work.bottom) Rect.top = work.bottom - h;
    if (Rect.left < work.left) Rect.left = work.left;
    if (Rect.top < work.top) Rect.top = work.top;
    ShowAt(RECT{Rect.left, Rect.top, Rect.left + w, Rect.top + h});
}

void THintWindow::ActivateHintData(RECT Rect, const std::string& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ShowAt(const RECT& Rect) {
    SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
    SetVisible(true);
    if (HandleAllocated()) {
        SetWindowPos(WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Invalidate();
        Update();
    }
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    DestroyHandle();
}

bool THintWindow::IsShowing() const { return HandleAllocated() && IsWindowVisible(WindowHandle()); }

void THintWindow::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    c.Font().Assign(&Font());
    c.Font().SetColor(clInfoText);
    c.Brush().SetStyle(bsClear);
    r.left += 2;
    r.top += 2;
    std::string text = Caption();
    c.DrawText(text, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    c.Brush().SetStyle(bsSolid);
}

void THintWindow::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_NCHITTEST: m.Result = HTTRANSPARENT; return;
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    default: TCustomControl::Dispatch(m); return;
    }
}
