#include "editors/popups/message_window.h"

#include "editors/tools/edit_drawing.h"
#include "editors/tools/styled_text.h"
#include "framework/graphics_base.h"

namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr TColor kBubbleColor = 0xEFFFFF;

GdiObject<HRGN> RegionOf(const BubbleRegionPlan& plan) {
    const PlainRect& b = plan.body;
    GdiObject<HRGN> rgn(plan.corner > 0 ? CreateRoundRectRgn(b.left, b.top, b.right + 1, b.bottom + 1, plan.corner,
                                                             plan.corner)
                                        : CreateRectRgn(b.left, b.top, b.right, b.bottom));
    if (plan.pointer.size() == 3) {
        POINT pts[3];
        for (int i = 0; i < 3; ++i) pts[i] = POINT{plan.pointer[i].x, plan.pointer[i].y};
        GdiObject<HRGN> tip(CreatePolygonRgn(pts, 3, WINDING));
        CombineRgn(rgn.Get(), rgn.Get(), tip.Get(), RGN_OR);
    }
    return rgn;
}

}  // namespace

TI_MessageWindow::TI_MessageWindow(TComponent* AOwner, const PopupFamily& family)
    : TI_PopupWindow(AOwner, family),
      buttons_(std::make_unique<TI_EditButtons>(this)),
      icon_(std::make_unique<TBitmap>()),
      back_buffer_(std::make_unique<TBitmap>()) {
    buttons_->SetColor(clBtnFace);
    buttons_->DefaultAnchor = 0;
    SetParentFont(false);
    if (family.bubble_forces_8pt) Font().SetSize(8);
    SetColor(kBubbleColor);
}

TI_MessageWindow::~TI_MessageWindow() = default;

void TI_MessageWindow::BeforeDestruction() {
    // The buttons stay until the bubble is deleted: a button's click may be
    // what frees the bubble, and the collection is still routing that click.
    StopTimer();
    TI_PopupWindow::BeforeDestruction();
}

void TI_MessageWindow::CreateWnd() {
    TI_PopupWindow::CreateWnd();
    buttons_->AttachWindow();
    RebuildRegion();
}

void TI_MessageWindow::EndUpdate() {
    if (update_count_ > 0 && --update_count_ == 0) ReSize();
}

void TI_MessageWindow::SetIconKind(int value) {
    if (value == icon_kind_) return;
    icon_kind_ = value;
    icon_shown_ = true;
    ReSize();
}

void TI_MessageWindow::SetIcon(TBitmap* value) {
    const bool was_shown = icon_shown_;
    const SIZE old_size{icon_->Width(), icon_->Height()};
    if (value && value != icon_.get()) icon_->Assign(value);
    icon_->SetTransparent(true);
    icon_shown_ = true;
    // A new size needs a new bubble size as much as the flag does.
    if (!was_shown || old_size.cx != icon_->Width() || old_size.cy != icon_->Height()) ReSize();
}

void TI_MessageWindow::SetShape(int value) {
    Hide();
    shape_ = value;
    ReSize();
}

void TI_MessageWindow::SetMaxTextWidth(int value) {
    max_text_width_ = value;
    ReSize();
}

void TI_MessageWindow::SetCentreVertically(bool value) {
    centre_vertically_ = value;
    Invalidate();
}

void TI_MessageWindow::CMTextChanged(TMessage& m) {
    TI_PopupWindow::CMTextChanged(m);
    if (icon_kind_ >= 0 && icon_kind_ <= 2) ReSize();
}

void TI_MessageWindow::PrepareFont(TCanvas& canvas) {
    canvas.Font().Assign(&Font());
    if (Family().bubble_forces_8pt) canvas.Font().SetSize(8);
    canvas.Font().SetColor(clInfoText);
}

void TI_MessageWindow::ReSize() {
    if (update_count_ > 0) return;
    MemoryDC dc;
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    const std::string text = Caption();
    auto measure = [&](int wrap) {
        // Every measurement starts from the bubble's font: the codes of the
        // previous one leave their style in the canvas.
        PrepareFont(canvas);
        RECT r = wrap ? RECT{0, 0, wrap, 500} : RECT{0, 0, 0, 0};
        POINT e = DrawStyledText(canvas, text.c_str(), r, false,
                                 wrap ? DT_WORDBREAK | DT_END_ELLIPSIS : DT_END_ELLIPSIS, nullptr);
        return PlainPoint{e.x, e.y};
    };
    if (icon_kind_ == 0) {
        SetColor(kBubbleColor);
        icon_shown_ = false;
    } else if (icon_kind_ == 1) {
        SetColor(kBubbleColor);
        try {
            icon_->LoadFromResourceName(GetModuleHandleA(nullptr), Family().Resource("MV_INVALIDVALUE"));
        } catch (...) {
            icon_->SetSize(0, 0);
        }
        icon_->SetTransparent(true);
    }
    BubbleSizeInput in;
    in.metrics = metrics_;
    in.shape = shape_;
    in.icon_kind = icon_kind_;
    in.icon_shown = icon_shown_ && !icon_->Empty();
    in.icon_width = icon_->Width();
    in.icon_height = icon_->Height();
    in.has_buttons = buttons_ && buttons_->Count() > 0;
    if (in.has_buttons) {
        // Where the buttons were put, before a width limit moved them.
        RECT b = buttons_->GetBoundsRect();
        in.buttons = {b.left + buttons_shift_, b.top, b.right + buttons_shift_, b.bottom};
    }
    in.max_text_width = max_text_width_;
    BubbleSize size = ComputeBubbleSize(in, measure);
    canvas.SetHandle(nullptr);
    // The shift is where the buttons stand for the current width limit, not
    // a step: a second re-size must not move them again.
    const int move = size.buttons_shift - buttons_shift_;
    if (move && buttons_) {
        for (int i = 0; i < buttons_->Count(); ++i) {
            TI_EditButton* b = buttons_->Items(i);
            b->MoveTo(b->Left() - move, b->Top());
        }
    }
    buttons_shift_ = size.buttons_shift;
    SetPopupSize(size.width, size.height);
    RebuildRegion();
    Invalidate();
}

void TI_MessageWindow::SetPlacementFlags(int flags) {
    if (flags == PlacementFlags()) return;
    TI_PopupWindow::SetPlacementFlags(flags);
    RebuildRegion();
}

GdiObject<HRGN> TI_MessageWindow::CreateRegion() const {
    return RegionOf(PlanBubbleRegion(shape_, Width(), Height(), PlacementFlags(), metrics_));
}

void TI_MessageWindow::RebuildRegion() {
    if (!HandleAllocated()) return;
    GdiObject<HRGN> rgn = CreateRegion();
    // The window owns the region from here on.
    if (SetWindowRgn(WindowHandle(), rgn.Get(), TRUE)) rgn.Release();
}

void TI_MessageWindow::Show() {
    TI_PopupWindow::Show();
    StopTimer();
    if (auto_hide_ && buttons_->Count() == 0 && SetTimer(Handle(), kHideTimer, static_cast<UINT>(hide_delay_), nullptr))
        timer_pending_ = true;
}

void TI_MessageWindow::Hide() {
    StopTimer();
    TI_PopupWindow::Hide();
}

void TI_MessageWindow::StopTimer() {
    if (timer_pending_ && HandleAllocated()) KillTimer(WindowHandle(), kHideTimer);
    timer_pending_ = false;
}

void TI_MessageWindow::PaintInto(TBitmap& buffer) {
    const int w = Width(), h = Height();
    buffer.SetSize(w, h);
    TCanvas& c = buffer.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    RECT all{0, 0, w, h};
    c.FillRect(all);
    if (shape_ == bsRectangle) {
        DrawEdge(c.Handle(), &all, BDR_SUNKENOUTER, BF_LEFT | BF_TOP);
        DrawEdge(c.Handle(), &all, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
    } else {
        GdiObject<HRGN> rgn = CreateRegion();
        GdiObject<HBRUSH> fill(CreateSolidBrush(ColorToCOLORREF(Color())));
        GdiObject<HBRUSH> line(CreateSolidBrush(ColorToCOLORREF(clBtnShadow)));
        FillRgn(c.Handle(), rgn.Get(), fill.Get());
        FrameRgn(c.Handle(), rgn.Get(), line.Get(), 1, 1);
    }
    PrepareFont(c);
    PlainPoint o = BubbleTextOrigin(shape_, PlacementFlags(), metrics_);
    POINT origin{o.x, o.y};
    if (icon_kind_ != 0 && icon_shown_ && !icon_->Empty()) {
        c.Draw(origin.x, origin.y, *icon_);
        origin.x += icon_->Width() + metrics_.icon_gap;
    }
    std::string text = Caption();
    bool draw = true;
    RECT area{origin.x, origin.y, w, h};
    if (OnDrawText) OnDrawText(this, c.Handle(), draw, text, area);
    if (draw) {
        if (centre_vertically_) {
            POINT e = DrawStyledText(c, text.c_str(), area, false, DT_WORDBREAK | DT_END_ELLIPSIS, nullptr);
            PrepareFont(c);
            const int space = h - origin.y;
            if (space > e.y) area.top += (space - e.y) / 2;
        }
        DrawStyledText(c, text.c_str(), area, true, DT_WORDBREAK | DT_END_ELLIPSIS, nullptr);
    }
    buttons_->PaintButtons(buffer.DC(), true);
}

void TI_MessageWindow::Paint() {
    PaintInto(*back_buffer_);
    BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), back_buffer_->DC(), 0, 0, SRCCOPY);
}

void TI_MessageWindow::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_NCHITTEST:
        TI_PopupWindow::Dispatch(m);
        // Without buttons clicks fall through to the window below.
        if (buttons_->Count() == 0) m.Result = HTTRANSPARENT;
        return;
    case WM_ERASEBKGND:
        m.Result = 1;  // painting is double-buffered
        return;
    case WM_MOUSELEAVE:
        TI_PopupWindow::Dispatch(m);
        buttons_->MouseLeft();
        return;
    case WM_TIMER:
        if (m.WParam == kHideTimer) {
            StopTimer();
            TWinControl* owner = OwnerControl();
            if (owner && owner->HandleAllocated()) {
                PostMessageA(owner->WindowHandle(), UM_BUBBLE, 0, 0);
            } else {
                TI_PopupWindow::Hide();
                if (owner) owner->Repaint();
            }
        }
        TI_PopupWindow::Dispatch(m);
        return;
    default:
        TI_PopupWindow::Dispatch(m);
        return;
    }
}
