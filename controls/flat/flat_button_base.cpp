#include "controls/flat/flat_button_base.h"

#include "controls/flat/flat_utils.h"
#include "framework/accelerator.h"
#include "framework/application.h"
#include "framework/custom_control.h"
#include "framework/form.h"
#include "framework/graphic_control.h"
#include "framework/graphics_base.h"

template <class Base>
TFlatButtonBase<Base>::TFlatButtonBase(TComponent* AOwner, THoverTracker& Hover)
    : Base(AOwner), hover_(Hover), glyph_(std::make_unique<TBitmap>()) {
    hover_.AddClient();
    this->SetBounds(0, 0, 25, 25);
    // Clicks follow the button's own rule (the bottom edge counts as inside).
    this->SetControlStyle(csCaptureMouse | csDoubleClicks);
    this->SetColor(kFlatColor);
    this->SetParentFont(true);
    this->SetParentColor(true);
    this->SetParentShowHint(true);
    glyph_->OnChange = [this](TObject*) { this->Invalidate(); };
}

template <class Base>
TFlatButtonBase<Base>::~TFlatButtonBase() = default;

template <class Base>
void TFlatButtonBase<Base>::BeforeDestruction() {
    // Forget this button in the shared hover watch first: no later tick or
    // mouse move may reach a freed button.
    hover_.RemoveClient(this);
    Base::BeforeDestruction();
}

// --- setters ------------------------------------------------------------------------------------

template <class Base>
void TFlatButtonBase<Base>::SetStateColor(TColor& field, TColor v) {
    field = v;
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetTransparentMode(TTransparentMode v) {
    transparent_mode_ = v;
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetAdvColor(int& field, int v) {
    field = ClampInt(v, 0, 100);
    CalcAdvColors();
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetUseAdvColors(bool v) {
    if (use_adv_colors_ == v) return;
    use_adv_colors_ = v;
    this->SetParentColor(v);
    CalcAdvColors();
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::CalcAdvColors() {
    if (!use_adv_colors_) return;
    const TColor base = ColorToRGB(this->Color());
    color_focused_ = ShiftLightness(base, ColorToRGB(color_focused_), adv_focused_, false);
    color_down_ = ShiftLightness(base, ColorToRGB(color_down_), adv_down_, true);
    color_border_ = ShiftLightness(base, ColorToRGB(color_border_), adv_border_, true);
}

template <class Base>
bool TFlatButtonBase<Base>::SetRoundValue(int v) {
    const int old = round_;
    round_ = ClampInt(v, 0, 100);
    return round_ != old;
}

template <class Base>
void TFlatButtonBase<Base>::SetGlyph(const TBitmap& v) {
    glyph_->Assign(&v);
    if (!glyph_->Empty() && glyph_->Width() % glyph_->Height() == 0) {
        const int n = glyph_->Width() / glyph_->Height();
        num_glyphs_ = n > 4 ? 1 : n;
    }
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetNumGlyphs(int v) {
    v = ClampInt(v, 1, 4);
    if (num_glyphs_ == v) return;
    num_glyphs_ = v;
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetLayout(TButtonLayout v) {
    if (layout_ == v) return;
    layout_ = v;
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetSpacing(int v) {
    if (spacing_ == v) return;
    spacing_ = v;
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetMargin(int v) {
    if (v < -1 || margin_ == v) return;
    margin_ = v;
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::SetGroupIndex(int v) {
    if (group_index_ == v) return;
    group_index_ = v;
    BroadcastGroup();
}

template <class Base>
void TFlatButtonBase<Base>::SetAllowAllUp(bool v) {
    if (allow_all_up_ == v) return;
    allow_all_up_ = v;
    BroadcastGroup();
}

template <class Base>
void TFlatButtonBase<Base>::SetDown(bool v) {
    if (group_index_ == 0) v = false;
    if (v == down_) return;
    if (down_ && !allow_all_up_) return;
    down_ = v;
    if (v) {
        if (state_ == bsUp) this->Invalidate();
        state_ = bsExclusive;
        BroadcastGroup();
    } else {
        state_ = bsUp;
        this->Repaint();
    }
}

// --- groups ------------------------------------------------------------------------------------

template <class Base>
void TFlatButtonBase<Base>::BroadcastGroup() {
    if (group_index_ == 0 || !this->Parent()) return;
    TMessage m;
    m.Msg = CM_FLATBUTTONPRESSED;
    m.WParam = static_cast<WPARAM>(group_index_);
    m.LParam = reinterpret_cast<LPARAM>(static_cast<TControl*>(this));
    this->Parent()->Broadcast(m);
}

template <class Base>
void TFlatButtonBase<Base>::GroupPressed(TMessage& m) {
    auto* sender = dynamic_cast<TFlatButtonBase*>(reinterpret_cast<TControl*>(m.LParam));
    if (static_cast<int>(m.WParam) != group_index_ || !sender || sender == this) return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        this->Invalidate();
    }
    allow_all_up_ = sender->allow_all_up_;
}

template <class Base>
void TFlatButtonBase<Base>::Dispatch(TMessage& m) {
    if (m.Msg == CM_FLATBUTTONPRESSED) {
        GroupPressed(m);
        m.Result = 0;
        return;
    }
    Base::Dispatch(m);
}

// --- painting ----------------------------------------------------------------------------------

template <class Base>
void TFlatButtonBase<Base>::PaintFace(TCanvas& Canvas, bool LineBreaks,
                                      const std::function<void(TFlatFace&)>& Finish) {
    if (OnCustomPaint) {
        bool handled = false;
        OnCustomPaint(this, Canvas, state_, mouse_in_control_, handled);
        if (handled) return;
    }
    Canvas.SetFont(this->Font());
    TFlatFace f;
    f.Client = RECT{0, 0, this->Width(), this->Height()};
    const int offset = state_ == bsDown || state_ == bsExclusive ? 1 : 0;
    CalcButtonLayout(Canvas, f.Client, offset, this->Caption(), num_glyphs_, glyph_.get(), margin_, spacing_, layout_,
                     f.GlyphPos, f.TextBounds, LineBreaks);
    if (!this->Enabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && group_index_ != 0 ? bsExclusive : bsUp;
    }
    f.State = state_;
    f.MouseInControl = mouse_in_control_;
    f.Enabled = this->Enabled();
    f.Round = round_;
    f.Mode = transparent_mode_;
    f.Color = this->Color();
    f.ColorFocused = color_focused_;
    f.ColorDown = color_down_;
    f.ColorBorder = color_border_;
    f.ColorHighLight = color_highlight_;
    f.ColorShadow = color_shadow_;
    f.Glyph = glyph_.get();
    f.NumGlyphs = num_glyphs_;
    f.Layout = layout_;
    f.Width = this->Width();
    f.Caption = this->Caption();
    Finish(f);
    PaintFlatFace(Canvas, f);
}

// --- hover -------------------------------------------------------------------------------------

template <class Base>
bool TFlatButtonBase<Base>::UnderMouse() const {
    POINT p;
    if (!GetCursorPos(&p)) return false;
    return FindDragTarget(p, true) == this;
}

template <class Base>
void TFlatButtonBase<Base>::HoverTick() {
    if (!UnderMouse()) HoverOff();
}

template <class Base>
void TFlatButtonBase<Base>::HoverOff() {
    if (!this->Enabled() || !mouse_in_control_ || dragging_) return;
    if (!KeepsHover()) mouse_in_control_ = false;
    // Stopping also forgets this button, so that coming back hovers it again.
    hover_.Stop(this);
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::HoverOn() {
    if (THoverClient* previous = hover_.Current(); previous && previous != this) previous->HoverOff();
    hover_.Watch(this);
    if (this->Enabled() && !mouse_in_control_) {
        mouse_in_control_ = true;
        this->Invalidate();
    }
}

template <class Base>
void TFlatButtonBase<Base>::UpdateTracking() {
    if (!this->Enabled()) return;
    const bool under = UnderMouse();
    if (under == mouse_in_control_) return;
    if (under)
        HoverOn();
    else
        HoverOff();
}

template <class Base>
void TFlatButtonBase<Base>::MouseMove(TShiftState Shift, int X, int Y) {
    Base::MouseMove(Shift, X, Y);
    if (this->IsBeingFreed()) return;
    if (dragging_) {
        TFlatButtonState s = down_ ? bsExclusive : bsUp;
        if (InsideForRelease(X, Y)) s = down_ ? bsExclusive : bsDown;
        if (s != state_) {
            state_ = s;
            this->Invalidate();
        }
    }
    if (hover_.Current() == this || !UnderMouse()) return;
    if (THoverClient* previous = hover_.Current()) previous->HoverOff();
    if (!Application()->Active()) return;
    HoverOn();
}

// --- mouse and click ---------------------------------------------------------------------------

template <class Base>
bool TFlatButtonBase<Base>::InsideForRelease(int X, int Y) const {
    // The bottom row counts as inside, the right column does not.
    return X >= 0 && X < this->ClientWidth() && Y >= 0 && Y <= this->ClientHeight();
}

template <class Base>
void TFlatButtonBase<Base>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Base::MouseDown(Button, Shift, X, Y);
    if (this->IsBeingFreed() || Button != mbLeft || !this->Enabled()) return;
    if (!down_) {
        state_ = bsDown;
        this->Invalidate();
    }
    dragging_ = true;
    Pressed();
}

template <class Base>
void TFlatButtonBase<Base>::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Base::MouseUp(Button, Shift, X, Y);
    if (this->IsBeingFreed() || !dragging_) return;
    dragging_ = false;
    const bool inside = InsideForRelease(X, Y);
    if (group_index_ == 0) {
        state_ = bsUp;
        mouse_in_control_ = false;
        if (inside) this->Invalidate();
    } else if (inside) {
        SetDown(!down_);
        if (down_) this->Repaint();
    } else {
        if (down_) state_ = bsExclusive;
        this->Repaint();
    }
    if (inside)
        Click();
    else
        HoverOff();
    if (this->IsBeingFreed()) return;
    UpdateTracking();
}

template <class Base>
void TFlatButtonBase<Base>::CancelPress() {
    if (!dragging_) return;
    dragging_ = false;
    // Given up here, so the holder is forgotten before the capture goes.
    if (this->MouseCapture()) this->SetMouseCapture(false);
    this->ExcludeState(csClicked);
    state_ = down_ ? bsExclusive : bsUp;
    this->Invalidate();
    if (UnderMouse() && this->Enabled())
        HoverOn();
    else
        HoverOff();
}

template <class Base>
void TFlatButtonBase<Base>::WMCancelMode(TMessage& m) {
    CancelPress();
    if (this->IsBeingFreed()) return;
    Base::WMCancelMode(m);
}

template <class Base>
void TFlatButtonBase<Base>::WMLButtonDblClk(TMessage& m) {
    Base::WMLButtonDblClk(m);
    if (!this->IsBeingFreed() && down_) this->DblClick();
}

template <class Base>
void TFlatButtonBase<Base>::Click() {
    if (!this->Enabled() || !this->Visible()) return;
    if (!BeforeClick() || this->IsBeingFreed()) return;
    if (this->Parent()) {
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modal_result_);
    }
    Base::Click();
}

template <class Base>
void TFlatButtonBase<Base>::CMDialogChar(TMessage& m) {
    if (AcceptsAccel() && MessageAltDown(m) && IsAccel(static_cast<char>(m.WParam), this->Caption()) &&
        this->Enabled() && this->Visible()) {
        if (group_index_ != 0) SetDown(true);
        Click();
        m.Result = 1;
        return;
    }
    Base::CMDialogChar(m);
}

// --- state changes -----------------------------------------------------------------------------

template <class Base>
void TFlatButtonBase<Base>::CMEnabledChanged(TMessage& m) {
    Base::CMEnabledChanged(m);
    if (!this->Enabled()) {
        mouse_in_control_ = false;
        state_ = bsDisabled;
        hover_.Stop(this);
    }
    UpdateTracking();
    this->Invalidate();
}

// System and parent colour changes: the advanced colours follow the
// parent's colour again.
template <class Base>
void TFlatButtonBase<Base>::BaseColorChanged() {
    if (use_adv_colors_) {
        this->SetParentColor(true);
        CalcAdvColors();
    }
    this->Invalidate();
}

template <class Base>
void TFlatButtonBase<Base>::CMSysColorChange(TMessage& m) {
    Base::CMSysColorChange(m);
    BaseColorChanged();
}

template <class Base>
void TFlatButtonBase<Base>::CMParentColorChanged(TMessage& m) {
    Base::CMParentColorChanged(m);
    BaseColorChanged();
}

template class TFlatButtonBase<TCustomControl>;
template class TFlatButtonBase<TGraphicControl>;
