#include "framework/pen_brush.h"

int PenModeToROP2(TPenMode mode) {
    static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,        R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,     R2_NOTXORPEN};
    int i = static_cast<int>(mode);
    return (i >= 0 && i < 16) ? kRop2[i] : R2_COPYPEN;
}

namespace {
// Stores value in field; true when that changed it.
template <class T>
bool StoreChange(T& field, T value) {
    if (field == value) return false;
    field = value;
    return true;
}
}  // namespace

// ---- TPen ----

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::SetColor(TColor value) {
    if (StoreChange(color_, value)) HandleChanged();
}

void TPen::SetWidth(int value) {
    if (StoreChange(width_, value < 0 ? 0 : value)) HandleChanged();
}

void TPen::SetStyle(TPenStyle value) {
    if (StoreChange(style_, value)) HandleChanged();
}

void TPen::SetMode(TPenMode value) {
    if (StoreChange(mode_, value)) Changed();
}

HPEN TPen::Handle() {
    // A system colour may have changed its value since the pen was made.
    if (handle_ && !stale_ && ColorToCOLORREF(color_) != made_rgb_) HandleChanged();
    if (stale_ || !handle_) {
        made_rgb_ = ColorToCOLORREF(color_);
        handle_.Reset();
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        int style = kStyles[static_cast<int>(style_)];
        if (style == PS_NULL) {
            handle_ = GdiObject<HPEN>::Borrow(static_cast<HPEN>(GetStockObject(NULL_PEN)));
        } else {
            handle_.Reset(CreatePen(style, width_, ColorToCOLORREF(color_)));
            if (!handle_) handle_ = GdiObject<HPEN>::Borrow(static_cast<HPEN>(GetStockObject(BLACK_PEN)));
        }
        stale_ = false;
    }
    return handle_.Get();
}

void TPen::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TPen*>(Source)) {
        if (src == this) return;
        if (color_ == src->color_ && width_ == src->width_ && style_ == src->style_ && mode_ == src->mode_) return;
        if (color_ != src->color_ || width_ != src->width_ || style_ != src->style_) stale_ = true;
        color_ = src->color_;
        width_ = src->width_;
        style_ = src->style_;
        mode_ = src->mode_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TPen::Changed() {
    if (OnChange) OnChange(this);
}

void TPen::HandleChanged() {
    stale_ = true;
    Changed();
}

// ---- TBrush ----

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor value) {
    if (!StoreChange(color_, value)) return;
    // A colour only shows on a painted brush: colouring a clear brush makes it solid.
    if (style_ == bsClear) style_ = bsSolid;
    HandleChanged();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (StoreChange(style_, value)) HandleChanged();
}

HBRUSH TBrush::Handle() {
    // A system colour may have changed its value since the brush was made.
    if (handle_ && !stale_ && ColorToCOLORREF(color_) != made_rgb_) HandleChanged();
    if (stale_ || !handle_) {
        made_rgb_ = ColorToCOLORREF(color_);
        handle_.Reset();
        switch (style_) {
        case bsClear:
            handle_ = GdiObject<HBRUSH>::Borrow(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
            break;
        case bsSolid:
            handle_.Reset(CreateSolidBrush(ColorToCOLORREF(color_)));
            break;
        default: {
            static constexpr int kHatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                             HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            handle_.Reset(CreateHatchBrush(kHatch[static_cast<int>(style_) - bsHorizontal], ColorToCOLORREF(color_)));
            break;
        }
        }
        if (!handle_) handle_ = GdiObject<HBRUSH>::Borrow(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        stale_ = false;
    }
    return handle_.Get();
}

void TBrush::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TBrush*>(Source)) {
        if (src == this) return;
        if (color_ == src->color_ && style_ == src->style_) return;
        color_ = src->color_;
        style_ = src->style_;
        stale_ = true;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBrush::Changed() {
    if (OnChange) OnChange(this);
}

void TBrush::HandleChanged() {
    stale_ = true;
    Changed();
}
