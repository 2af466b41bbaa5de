// TWinControl: invalidation, painting, double buffering and PaintTo.

#include "framework/win_control.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "framework/win_control_internal.h"

using win_control_internal::IsWin;
using win_control_internal::StateFlag;

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
    // Keyed by the resolved colour: a system colour changes its value when
    // the user changes the scheme.
    const COLORREF rgb = ColorToCOLORREF(color_);
    if (!color_brush_ || color_brush_rgb_ != rgb) {
        color_brush_.Reset(CreateSolidBrush(rgb));
        color_brush_rgb_ = rgb;
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
    PaintDC paint(handle_);
    HDC dc = paint.Get();
    RECT r = paint.PaintRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    if (!dc || w <= 0 || h <= 0) return;
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

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    std::optional<PaintDC> paint;
    if (!dc) {
        if (!handle_) return;
        dc = paint.emplace(handle_).Get();
    }
    {
        ScopedSaveDC save(dc);
        PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
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

// A window with a shape (SetWindowRgn) is copied with that shape, as the
// screen shows it. The region is in window coordinates; clip regions are in
// device coordinates, so it moves by the current viewport origin.
void TWinControl::ClipToWindowShape(HDC DC) const {
    if (!handle_) return;
    GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(handle_, shape.Get()) == ERROR) return;
    POINT org{};
    GetViewportOrgEx(DC, &org);
    OffsetRgn(shape.Get(), org.x, org.y);
    ExtSelectClipRgn(DC, shape.Get(), RGN_AND);
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
    StateFlag copy(this, csPaintCopy);
    ScopedSaveDC save(DC);
    OffsetViewportOrgEx(DC, X, Y, nullptr);
    IntersectClipRect(DC, 0, 0, width_, height_);
    ClipToWindowShape(DC);
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
