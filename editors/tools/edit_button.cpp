#include "editors/tools/edit_button.h"

#include <algorithm>

#include "editors/tools/edit_buttons.h"
#include "editors/tools/edit_drawing.h"
#include "editors/tools/styled_text.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/pattern_brush.h"

namespace {

UINT EdgeOf(FrameEdge e) {
    switch (e) {
    case FrameEdge::RaisedOuter: return BDR_RAISEDOUTER;
    case FrameEdge::RaisedInner: return BDR_RAISEDINNER;
    case FrameEdge::SunkenOuter: return BDR_SUNKENOUTER;
    default: return BDR_SUNKENINNER;
    }
}

static_assert(fsdLeft == BF_LEFT && fsdTop == BF_TOP && fsdRight == BF_RIGHT && fsdBottom == BF_BOTTOM);

RECT Offset(const PlainRect& r, const RECT& base, int shift) {
    return RECT{base.left + r.left + shift, base.top + r.top + shift, base.left + r.right + shift,
                base.top + r.bottom + shift};
}

// The glyph's opaque pixels in one colour, the rest in the key colour.
void Silhouette(TBitmap& glyph, TBitmap& out, TColor color) {
    out.SetSize(glyph.Width(), glyph.Height());
    const TColor key = glyph.TransparentColor();
    const TColor paint = ColorToRGB(color) == key ? (key ^ 1) : ColorToRGB(color);
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x) out.SetPixel(x, y, glyph.Pixel(x, y) == key ? key : paint);
    out.SetTransparentColor(key);
    out.SetTransparent(true);
}

// After an effect: what was the key colour stays it (a dark key would turn
// grey with the glyph), and no glyph pixel takes it on.
void KeepKeyPixels(TBitmap& source, TBitmap& out) {
    const TColor key = source.TransparentColor();
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) {
            if (source.Pixel(x, y) == key)
                out.SetPixel(x, y, key);
            else if (out.Pixel(x, y) == key)
                out.SetPixel(x, y, key ^ 1);
        }
}

}  // namespace

TI_EditButton::TI_EditButton(TWinControl* AOwner, TI_EditButtons* Collection)
    : TComponent(Collection ? nullptr : AOwner),
      owner_(AOwner),
      collection_(Collection),
      font_(std::make_unique<TFont>()),
      glyph_(std::make_unique<TBitmap>()) {
    SetName("Button");
    if (owner_) font_->Assign(&owner_->Font());
    try {
        glyph_->LoadFromResourceName(GetModuleHandleA(nullptr), "I_BTNPOPUP");
    } catch (...) {
        glyph_->SetSize(0, 0);  // a program without the picture gets a button without glyph
    }
    glyph_->SetTransparent(true);
    font_->OnChange = [this](TObject*) { MeasureCaption(); };
}

TI_EditButton::~TI_EditButton() {
    font_->OnChange = nullptr;
    if (collection_) collection_->Forget(this);
}

void TI_EditButton::Changed() { Repaint(); }

void TI_EditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    bounds_.left = ALeft;
    bounds_.top = ATop;
    bounds_.width = AWidth;
    bounds_.height = AHeight;
    bounds_.rest_x = bounds_.rest_y = 0;
    if (owner_ && owner_->HandleAllocated()) owner_->Invalidate();
    Repaint();
}

void TI_EditButton::OwnerResized(int dx, int dy) { ApplyEditButtonAnchor(bounds_, anchor_, dx, dy); }

void TI_EditButton::SetKind(int value) {
    value = (value < 0 || value > 6) ? 1 : value;
    if (kind_ == value) return;
    kind_ = value;
    Changed();
}

void TI_EditButton::SetLayout(int value) {
    if (value < 0 || value > 4 || layout_ == value) return;
    layout_ = value;
    Changed();
}

void TI_EditButton::SetEnabled(bool value) {
    if (mouse_.enabled == value) return;
    mouse_.enabled = value;
    Changed();
}

void TI_EditButton::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    if (owner_ && owner_->HandleAllocated()) owner_->Invalidate();
    Repaint();
}

void TI_EditButton::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    if (!flat_) mouse_.state = ebsNormal;
    Changed();
}

void TI_EditButton::SetTransparent(bool value) {
    transparent_ = value;
    Changed();
}

void TI_EditButton::SetGradient(bool value) {
    gradient_ = value;
    Changed();
}

void TI_EditButton::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    Changed();
}

void TI_EditButton::SetDisabledLook(int value) {
    disabled_look_ = std::clamp(value, 0, 2);
    Changed();
}

void TI_EditButton::SetCaption(const std::string& value) {
    if (caption_ == value) return;
    caption_ = value;
    MeasureCaption();
    Changed();
}

void TI_EditButton::SetShowCaption(bool value) {
    show_caption_ = value;
    Changed();
}

void TI_EditButton::SetStyledCaption(bool value) {
    styled_caption_ = value;
    MeasureCaption();
    Changed();
}

void TI_EditButton::SetFont(const TFont& value) { font_->Assign(&value); }

void TI_EditButton::SetGlyph(TBitmap* value) {
    if (value)
        glyph_->Assign(value);
    else
        glyph_->SetSize(0, 0);
    glyph_->SetTransparent(true);
    Changed();
}

void TI_EditButton::SetImages(TImageList* value) {
    images_ = value;
    MeasureCaption();
    Changed();
}

void TI_EditButton::SetImageIndex(int value) {
    image_index_ = value;
    Changed();
}

void TI_EditButton::SetDown(bool value) {
    mouse_.down = value;
    mouse_.state = value ? ebsDown : ebsNormal;
    Changed();
}

void TI_EditButton::MeasureCaption() {
    caption_size_ = SIZE{0, 0};
    if (caption_.empty()) return;
    MemoryDC dc;
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.Font().Assign(font_.get());
    if (styled_caption_) {
        RECT r{0, 0, 0, 0};
        POINT extent = DrawStyledText(canvas, caption_.c_str(), r, false, DT_END_ELLIPSIS, images_);
        caption_size_ = SIZE{extent.x, extent.y};
    } else {
        RECT r{0, 0, 0, 0};
        canvas.DrawText(caption_, r, DT_CALCRECT | DT_SINGLELINE);
        caption_size_ = SIZE{r.right - r.left, r.bottom - r.top};
    }
    canvas.SetHandle(nullptr);
}

SIZE TI_EditButton::GlyphSize() const {
    if (!glyph_->Empty()) return SIZE{glyph_->Width(), glyph_->Height()};
    if (images_ && image_index_ >= 0 && image_index_ < images_->Count()) return SIZE{images_->Width(), images_->Height()};
    return SIZE{0, 0};
}

TColor TI_EditButton::OwnerColor() const { return owner_ ? owner_->Color() : clWindow; }

void TI_EditButton::Click() {
    if (collection_) collection_->SetLastClicked(this);
    if (OnClick) OnClick(this);
}

bool TI_EditButton::HitTest(int X, int Y) {
    bool inside = visible_ && X >= Left() && X < Left() + Width() && Y >= Top() && Y < Top() + Height();
    if (OnHitTest) OnHitTest(this, X, inside, Y);
    return inside;
}

bool TI_EditButton::MouseEvent(int X, int Y, EditButtonMouseAction Action, bool Held) {
    const bool inside = HitTest(X, Y);
    std::function<void(int&)> on_change;
    if (OnStateChange) on_change = [this](int& s) { OnStateChange(this, s); };
    EditButtonMouseState probe = mouse_;
    probe.click_without_press = ClickWithoutPress();
    EditButtonMouseResult r = StepEditButtonState(probe, Action, inside, Held, on_change);
    mouse_ = probe;
    if (r.changed) Repaint();
    if (r.click) Click();
    return r.changed;
}

void TI_EditButton::ResetState() {
    if (mouse_.toggle && !auto_reset_) return;
    POINT p;
    GetCursorPos(&p);
    bool inside = false;
    if (owner_ && owner_->HandleAllocated()) {
        RECT w;
        GetWindowRect(owner_->WindowHandle(), &w);
        POINT local = coordinate_mode_ ? POINT{p.x - w.left, p.y - w.top} : owner_->ScreenToClient(p);
        inside = HitTest(local.x, local.y);
    }
    mouse_.pressed = mouse_.down = false;
    int state = inside ? ebsHot : ebsNormal;
    if (state != mouse_.state) {
        mouse_.state = state;
        Repaint();
    }
}

void TI_EditButton::Repaint() {
    if (transparent_ && !coordinate_mode_ && owner_ && owner_->HandleAllocated()) {
        owner_->InvalidateRect(BoundsRect(), true);
        return;
    }
    PaintNow();
}

void TI_EditButton::PaintNow() {
    if (!visible_ || !owner_ || !owner_->HandleAllocated() || Width() <= 0 || Height() <= 0) return;
    if (collection_ && collection_->PaintLocked()) return;
    HWND hwnd = owner_->WindowHandle();
    WindowDC dc(hwnd, coordinate_mode_);
    if (dc) PaintOn(dc.Get());
}

void TI_EditButton::PaintOn(HDC dc) {
    if (!visible_ || Width() <= 0 || Height() <= 0) return;
    if (double_buffered_) {
        TBitmap& buffer = buffer_.Get();
        buffer.SetSize(Width(), Height());
        if (transparent_) BitBlt(buffer.DC(), 0, 0, Width(), Height(), dc, Left(), Top(), SRCCOPY);
        Paint(buffer.Canvas(), RECT{0, 0, Width(), Height()});
        BitBlt(dc, Left(), Top(), Width(), Height(), buffer.DC(), 0, 0, SRCCOPY);
    } else {
        TCanvas canvas;
        canvas.SetHandle(dc);
        Paint(canvas, BoundsRect());
        canvas.SetHandle(nullptr);
    }
}

bool TI_EditButton::ShiftsWhenDown(bool ForText) const {
    if (mouse_.state != ebsDown) return false;
    if (kind_ == 3 || kind_ == 5 || kind_ == 6) return false;
    if (kind_ == 4 && mouse_.toggle && ForText) return false;
    return true;
}

void TI_EditButton::Paint(TCanvas& canvas, const RECT& rect) {
    SIZE g = GlyphSize();
    SIZE t = (show_caption_ && !caption_.empty()) ? caption_size_ : SIZE{0, 0};
    EditButtonContentLayout l =
        LayoutEditButton(layout_, rect.right - rect.left, rect.bottom - rect.top, g.cx, g.cy, t.cx, t.cy);
    PaintBackground(canvas, rect);
    PaintFrame(canvas, rect);
    if (g.cx > 0) PaintGlyph(canvas, Offset(l.glyph, rect, ShiftsWhenDown(false) ? 1 : 0));
    if (t.cx > 0) PaintCaption(canvas, Offset(l.text, rect, ShiftsWhenDown(true) ? 1 : 0));
}

void TI_EditButton::PaintBackground(TCanvas& canvas, const RECT& rect) {
    if (transparent_) return;  // the owner's picture is already there
    if (gradient_) {
        FillGradient(canvas, kGradientLight, kGradientDark, false, rect, 20);
        return;
    }
    const TColor rgb = ColorToRGB(color_);
    const bool down = mouse_.enabled && mouse_.state == ebsDown;
    if (down && kind_ == 5) {
        // Kind 5 shows its down state as a highlighted, focused item.
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(rect);
        canvas.DrawFocusRect(rect);
        return;
    }
    TColor dither = clNone;
    if (down && ((kind_ == 3 && rgb == 0xFFFFFF) || (kind_ == 4 && mouse_.toggle && rgb == ColorToRGB(clBtnFace))))
        dither = clWhite;
    else if (!mouse_.enabled && disabled_look_ == 1 && kind_ != 6)
        dither = 0xE6E6E6;
    if (dither != clNone) {
        GdiObject<HBRUSH> brush = CreateCheckerBrush(dither, clBtnFace);
        ::FillRect(canvas.Handle(), &rect, brush.Get());
        return;
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color_);
    canvas.FillRect(rect);
}

void TI_EditButton::PaintFrame(TCanvas& canvas, const RECT& rect) {
    EditButtonFrameInput in;
    in.kind = kind_;
    in.state = mouse_.state;
    in.enabled = mouse_.enabled;
    in.flat = flat_;
    in.grey = ColorToRGB(color_) == 0x808080;
    in.silver = ColorToRGB(color_) == 0xC0C0C0;
    in.has_glyph = GlyphSize().cx > 0;
    in.toggle = mouse_.toggle;
    HDC dc = canvas.Handle();
    for (const FrameStep& s : EditButtonFrame(in)) {
        RECT r = rect;
        InflateRect(&r, -s.inset, -s.inset);
        if (s.edge == FrameEdge::ShadowLine || s.edge == FrameEdge::WindowLine || s.edge == FrameEdge::OwnerLine) {
            TColor c = s.edge == FrameEdge::ShadowLine ? clBtnShadow
                       : s.edge == FrameEdge::WindowLine ? clWindow
                                                          : OwnerColor();
            GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToCOLORREF(c)));
            ::FrameRect(dc, &r, brush.Get());
        } else {
            DrawEdge(dc, &r, EdgeOf(s.edge), s.sides);
        }
    }
}

void TI_EditButton::PaintGlyph(TCanvas& canvas, const RECT& r) {
    const bool from_list = glyph_->Empty();
    TBitmap picture;
    if (from_list) {
        if (!images_) return;
        picture.Canvas().Brush().SetColor(clFuchsia);
        if (!images_->GetBitmap(image_index_, &picture)) return;
        picture.SetTransparentColor(clFuchsia);
    } else {
        picture.Assign(glyph_.get());
    }
    picture.SetTransparent(true);
    if (!mouse_.enabled && kind_ != 6) {
        TBitmap faded;
        if (disabled_look_ == 0) {
            Silhouette(picture, faded, clBtnHighlight);
            canvas.StretchDraw(RECT{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, faded);
            Silhouette(picture, faded, clBtnShadow);
        } else if (disabled_look_ == 1) {
            ApplyBitmapEffect(picture, faded, BitmapEffect::Greyed, picture.TransparentColor());
            KeepKeyPixels(picture, faded);
        } else {
            BlendBitmap(picture, nullptr, faded, clWhite, 40);
        }
        // Blending changes the background too: take the faded corner as key.
        if (disabled_look_ == 2)
            faded.SetTransparentColorAuto();
        else
            faded.SetTransparentColor(picture.TransparentColor());
        faded.SetTransparent(true);
        canvas.StretchDraw(r, faded);
        return;
    }
    if (kind_ == 4 && !mouse_.toggle && (mouse_.state == ebsDown || mouse_.state == ebsHot)) {
        RECT frame{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
        const bool silver = ColorToRGB(color_) == 0xC0C0C0;
        UINT edge = mouse_.state == ebsDown ? (silver ? BDR_SUNKENOUTER : EDGE_SUNKEN)
                                            : (silver ? BDR_RAISEDINNER : EDGE_RAISED);
        DrawEdge(canvas.Handle(), &frame, edge, BF_RECT);
    }
    if (kind_ == 5 && mouse_.state == ebsDown) {
        TBitmap lit;
        ApplyBitmapEffect(picture, lit, BitmapEffect::Highlighted, picture.TransparentColor());
        lit.SetTransparentColor(picture.TransparentColor());
        lit.SetTransparent(true);
        canvas.StretchDraw(r, lit);
        return;
    }
    if (from_list && images_) {
        images_->Draw(&canvas, r.left, r.top, image_index_, true);
        return;
    }
    canvas.StretchDraw(r, picture);
}

void TI_EditButton::PaintCaption(TCanvas& canvas, const RECT& r) {
    canvas.Font().Assign(font_.get());
    canvas.Brush().SetStyle(bsClear);
    const bool disabled = !mouse_.enabled;
    auto draw = [&](RECT at, TColor color) {
        if (color != clNone) canvas.Font().SetColor(color);
        if (styled_caption_) {
            DrawStyledText(canvas, caption_.c_str(), at, true, DT_END_ELLIPSIS, images_);
        } else {
            UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
            if (layout_ >= 2) flags |= DT_CENTER;
            canvas.DrawText(caption_, at, flags);
        }
    };
    if (disabled && disabled_look_ == 0) {
        draw(RECT{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, clWindow);
        draw(r, clBtnShadow);
    } else {
        draw(r, disabled ? clBtnShadow : clNone);
    }
    canvas.Brush().SetStyle(bsSolid);
}
