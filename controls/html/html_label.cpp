#include "controls/html/html_label.h"

#include <algorithm>

#include "controls/html/html_text.h"
#include "foundation/shell_jobs.h"
#include "framework/ansi_text.h"
#include "framework/application.h"
#include "framework/graphics_base.h"
#include "framework/image_list.h"
#include "framework/win_control.h"

namespace {

constexpr int kAutoSizeMargin = 6;
constexpr int kGrowRoom = 65535;

bool IsLink(const std::string& a) {
    return a.find("://") != std::string::npos || a.find("mailto:") != std::string::npos;
}

std::string StripLineEnds(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

}  // namespace

// --- THTMLLabelBase --------------------------------------------------------

THTMLLabelBase::THTMLLabelBase(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 100, 40);
    SetColor(clWindow);
    html_text_.OnChange = [this](TObject*) {
        joined_valid_ = false;
        TextChanged();
    };
}

THTMLLabelBase::~THTMLLabelBase() = default;

void THTMLLabelBase::SetHTMLText(const TStrings& Value) { SetHTMLText(Value.Text()); }

void THTMLLabelBase::SetHTMLText(const std::string& Value) {
    html_text_.BeginUpdate();
    html_text_.Clear();
    html_text_.Add(StripLineEnds(Value));
    html_text_.EndUpdate();
}

const std::string& THTMLLabelBase::LabelText() const {
    if (!joined_valid_) {
        joined_text_.clear();
        for (int i = 0; i < html_text_.Count(); ++i) joined_text_ += html_text_[i];
        joined_valid_ = true;
    }
    return joined_text_;
}

void THTMLLabelBase::SetAutoSizing(bool Value) {
    auto_sizing_ = Value;
    if (Value) {
        if (Align() == alLeft || Align() == alRight) SetWidth(kAutoSizeMargin);
        if (Align() == alTop || Align() == alBottom) SetHeight(kAutoSizeMargin);
    }
    Changed();
}

void THTMLLabelBase::SetAutoSizeType(TAutoSizeType Value) {
    auto_size_type_ = Value;
    SetAutoSizing(auto_sizing_);
}

void THTMLLabelBase::SetVAlignment(TVAlignment Value) {
    if (valignment_ == Value) return;
    valignment_ = Value;
    Changed();
}

void THTMLLabelBase::Changed() {
    if (auto_sizing_ && !sizing_) Measure();
    Invalidate();
}

void THTMLLabelBase::Loaded() {
    TGraphicControl::Loaded();
    SetCaption("");
}

void THTMLLabelBase::FontChanged() {
    TGraphicControl::FontChanged();
    Changed();
}

void THTMLLabelBase::BoundsChanged() {
    TGraphicControl::BoundsChanged();
    // A new width wraps the text anew.
    if (auto_sizing_ && !sizing_ && HeightMayGrow() && !WidthMayGrow()) Measure();
}

bool THTMLLabelBase::HeightMayGrow() const {
    return (Align() == alNone || Align() == alTop || Align() == alBottom) &&
           (auto_size_type_ == asVertical || auto_size_type_ == asBoth);
}

bool THTMLLabelBase::WidthMayGrow() const {
    return (Align() == alNone || Align() == alLeft || Align() == alRight) &&
           (auto_size_type_ == asHorizontal || auto_size_type_ == asBoth);
}

// The client rectangle less bevels and border; while auto-sizing it may grow
// without limit in the directions the label may grow.
HTMLRect THTMLLabelBase::TextRect(bool grow) const {
    HTMLRect r{0, 0, Width(), Height()};
    int inset = 0;
    if (bevel_outer_ != bvNone) inset += bevel_width_;
    if (bevel_inner_ != bvNone) inset += bevel_width_;
    if (border_style_ == bsSingle && border_width_ > 0) inset += border_width_;
    r = HTMLRect{r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset};
    if (auto_sizing_ && grow) {
        if (HeightMayGrow()) r.Bottom += kGrowRoom;
        if (WidthMayGrow()) r.Right += kGrowRoom;
    }
    return r;
}

HTMLDrawResult THTMLLabelBase::RunEngine(TCanvas& canvas, HTMLMode mode, int X, int Y) {
    HTMLDrawParams p;
    p.Text = LabelText();
    p.Rect = TextRect(true);
    p.WordWrap = WordWrap();
    p.Variant = Variant();
    p.Hover = HoverOn();
    p.HoverIndex = hover_index_;
    p.X = X;
    p.Y = Y;
    FillDrawParams(p);
    if (valignment_ != tvaTop) {
        p.Mode = HTMLMode::Measure;
        HTMLDrawResult m = HTMLDrawText(canvas, p, ImageSources(), &fonts_);
        if (m.Height < Height()) {
            // Bottom is the label's own, not the room an auto-size adds.
            if (valignment_ == tvaCenter) p.Rect.Top += (Height() - m.Height) / 2;
            else p.Rect.Top = TextRect(false).Bottom - m.Height;
        }
    }
    p.Mode = mode;
    HTMLDrawResult r = HTMLDrawText(canvas, p, ImageSources(), &fonts_);
    anchor_count_ = r.AnchorCount;
    return r;
}

// Measuring and hit testing need no window: a screen-compatible memory DC
// with the label's font gives the same metrics as painting on the screen.
HTMLDrawResult THTMLLabelBase::RunOnScreenDC(HTMLMode mode, int X, int Y) {
    MemoryDC dc;
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.SetFont(Font());
    canvas.Brush().SetColor(Color());
    HTMLDrawResult r = RunEngine(canvas, mode, X, Y);
    canvas.SetHandle(nullptr);
    return r;
}

void THTMLLabelBase::ApplyAutoSize(const HTMLDrawResult& r) {
    if (!auto_sizing_ || sizing_) return;
    int w = Width(), h = Height();
    if (HeightMayGrow()) h = r.Height + kAutoSizeMargin;
    if (WidthMayGrow()) w = r.Width + kAutoSizeMargin;
    if (w == Width() && h == Height()) return;
    sizing_ = true;
    SetBounds(Left(), Top(), w, h);
    sizing_ = false;
}

HTMLSize THTMLLabelBase::Measure() {
    HTMLDrawResult r = RunOnScreenDC(HTMLMode::Measure, -1, -1);
    ApplyAutoSize(r);
    return HTMLSize{r.Width, r.Height};
}

std::string THTMLLabelBase::AnchorAtPoint(int X, int Y, HTMLRect* AnchorRect) {
    HTMLDrawResult r = RunOnScreenDC(HTMLMode::HitTest, X, Y);
    if (!r.OnAnchor) {
        hover_index_ = -1;
        if (AnchorRect) *AnchorRect = HTMLRect{};
        return "";
    }
    if (AnchorRect) *AnchorRect = r.AnchorRect;
    hover_index_ = r.AnchorIndex;
    return r.Anchor;
}

void THTMLLabelBase::Paint() {
    TCanvas& c = Canvas();
    c.SetFont(Font());
    RECT client{0, 0, Width(), Height()};
    if (!transparent_) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(client);
    }
    auto bevel = [&](TBevelCut cut, RECT& r) {
        if (cut == bvNone) return;
        TColor tl = cut == bvRaised ? clBtnHighlight : clBtnShadow;
        TColor br = cut == bvRaised ? clBtnShadow : clBtnHighlight;
        for (int i = 0; i < bevel_width_; ++i) {
            c.Pen().SetColor(tl);
            c.MoveTo(r.left, r.bottom - 1);
            c.LineTo(r.left, r.top);
            c.LineTo(r.right - 1, r.top);
            c.Pen().SetColor(br);
            c.LineTo(r.right - 1, r.bottom - 1);
            c.LineTo(r.left, r.bottom - 1);
            InflateRect(&r, -1, -1);
        }
    };
    // Outer bevel, a band of BorderWidth in the label's colour (the
    // background), inner bevel; a single border is a black frame outside.
    RECT r = client;
    bevel(bevel_outer_, r);
    InflateRect(&r, -border_width_, -border_width_);
    bevel(bevel_inner_, r);
    if (border_style_ == bsSingle && border_width_ > 0) {
        RECT frame = client;
        c.Brush().SetColor(clBlack);
        for (int i = 0; i < border_width_; ++i) {
            c.FrameRect(frame);
            InflateRect(&frame, -1, -1);
        }
        c.Brush().SetColor(Color());
    }
    if (transparent_) c.Brush().SetStyle(bsClear);
    HTMLDrawResult res = RunEngine(c, HTMLMode::Draw, -1, -1);
    // Growing from inside a paint only stores the bounds; the parent
    // repaints once the paint is over.
    ApplyAutoSize(res);
}

void THTMLLabelBase::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    HTMLRect rect;
    const int previousIndex = hover_index_;
    std::string anchor = AnchorAtPoint(X, Y, &rect);
    if (!anchor.empty()) {
        bool other = anchor != last_anchor_ || !(rect == last_rect_) || hover_index_ != previousIndex;
        if (other && HoverOn()) Invalidate();
        if (!(Cursor() == crHandPoint && anchor == last_anchor_)) {
            if (AnchorHintOn()) Application()->CancelHint();
            SetCursor(crHandPoint);
            if (OnAnchorEnter) OnAnchorEnter(this, anchor);
            if (HoverOn()) Invalidate();
        }
        last_anchor_ = anchor;
        last_rect_ = rect;
        return;
    }
    if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        last_anchor_.clear();
        if (OnAnchorExit) OnAnchorExit(this, "");
        if (HoverOn()) Invalidate();
    }
}

// Leaving the label leaves the anchor the mouse was on: the cursor goes
// back and the exit is told, so that coming back raises a new enter.
void THTMLLabelBase::MouseLeave() {
    if (HoverOn() && hover_index_ >= 0) Invalidate();
    hover_index_ = -1;
    if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        last_anchor_.clear();
        last_rect_ = HTMLRect{};
        if (OnAnchorExit) OnAnchorExit(this, "");
        if (IsBeingFreed()) return;
    }
    TGraphicControl::MouseLeave();
}

// --- THTMLabel -------------------------------------------------------------

THTMLabel::THTMLabel(TComponent* AOwner) : THTMLLabelBase(AOwner) {
    image_link_.OnChange = [this](TObject*) { Changed(); };
}

THTMLabel::~THTMLabel() {
    // Only the links go; nothing is measured or repainted any more.
    image_link_.OnChange = nullptr;
    if (images_) images_->RemoveFreeNotification(this);
    if (container_) container_->RemoveFreeNotification(this);
}

void THTMLabel::SetEllipsis(bool Value) {
    if (ellipsis_ == Value) return;
    ellipsis_ = Value;
    Changed();
}

void THTMLabel::SetURLColor(TColor Value) {
    if (url_color_ == Value) return;
    url_color_ = Value;
    Changed();
}

void THTMLabel::SetImages(TImageList* Value) {
    if (images_) {
        images_->RemoveFreeNotification(this);
        images_->UnRegisterChanges(&image_link_);
    }
    images_ = Value;
    if (images_) {
        images_->FreeNotification(this);
        images_->RegisterChanges(&image_link_);
    }
    Changed();
}

void THTMLabel::SetPictureContainer(TPictureContainer* Value) {
    if (container_) container_->RemoveFreeNotification(this);
    container_ = Value;
    if (container_) container_->FreeNotification(this);
    Changed();
}

void THTMLabel::Notification(TComponent* AComponent, TOperation Operation) {
    THTMLLabelBase::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == images_) {
        images_->UnRegisterChanges(&image_link_);
        images_ = nullptr;
    }
    if (AComponent == container_) container_ = nullptr;
}

void THTMLabel::TextChanged() {
    cache_.ClearPictures();
    Changed();
}

void THTMLabel::FillDrawParams(HTMLDrawParams& p) const {
    p.ShadowColor = ShadowColor;
    p.ShadowOffset = ShadowOffset;
    p.HoverColor = HoverColor;
    p.HoverFontColor = HoverFontColor;
    p.URLColor = url_color_;
}

HTMLImageSources THTMLabel::ImageSources() {
    HTMLImageSources s;
    s.Images = images_;
    s.FindPicture = [this](const HTMLImageRef& ref) -> THTMLPicture* {
        if (ref.Kind == HTMLImageKind::ContainerPicture) return container_ ? container_->FindPicture(ref.Source) : nullptr;
        if (THTMLPicture* p = cache_.FindPicture(ref.Source)) return p;
        THTMLPicture* p = cache_.AddPicture();
        p->LoadFromURL(ref.Source);  // may raise: the engine leaves the image out
        return p;
    };
    return s;
}

void THTMLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    THTMLLabelBase::MouseUp(Button, Shift, X, Y);
    std::string anchor = AnchorAtPoint(X, Y);
    if (anchor.empty()) return;
    if (IsLink(anchor)) {
        ShellOpen("open", anchor, SW_SHOWNORMAL);
        return;
    }
    if (OnAnchorClick) OnAnchorClick(this, anchor);
}

void THTMLabel::CMHintShow(TMessage& m) {
    auto* info = reinterpret_cast<THintInfo*>(m.LParam);
    m.Result = 0;
    if (!info) return;
    if (AnchorHint && !last_anchor_.empty() && Cursor() == crHandPoint) {
        std::string anchor = last_anchor_;
        if (OnAnchorHint) OnAnchorHint(this, anchor);
        info->HintStr = anchor;
        POINT p = ClientToScreen(info->CursorPos);
        info->HintPos = POINT{p.x + 10, p.y - 10};
        return;
    }
    if (HTMLHint) info->HintStr = HintShowFull ? LabelText() : HTMLPlainText(LabelText());
}

// --- TSBHTM ----------------------------------------------------------------

TSBHTM::TSBHTM(TComponent* AOwner) : THTMLLabelBase(AOwner) {}

void TSBHTM::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    THTMLLabelBase::MouseUp(Button, Shift, X, Y);
    std::string anchor = AnchorAtPoint(X, Y);
    if (anchor.empty() || !IsLink(anchor)) return;
    std::string lower = AnsiLowerCase(anchor);
    for (const char* scheme : {"SHOpenFolderAndSelectItems", "fileselect"}) {
        if (lower.find(AnsiLowerCase(scheme)) == std::string::npos) continue;
        std::string target = anchor;
        std::string prefix = std::string(scheme) + "://";
        size_t at = AnsiPosText(prefix, target);
        if (at != std::string::npos) target.erase(at, prefix.size());
        OpenFolderAndSelect(target);
        if (OnLinkClick) OnLinkClick(nullptr);
        return;
    }
    std::string target = anchor;
    size_t at = AnsiPosText("file://", target);
    if (at != std::string::npos) target.erase(at, 7);
    ShellOpen("open", "\"" + target + "\"", 1);
    if (OnLinkClick) OnLinkClick(nullptr);
}
