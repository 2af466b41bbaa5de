#include "framework/font.h"

#include <cstring>

TFont::TFont() : ppi_(ScreenPixelsPerInch()), color_(clWindowText) { height_ = -MulDiv(8, ppi_, 72); }

TFont::~TFont() = default;

void TFont::SetName(const std::string& value) {
    if (value == name_) return;
    name_ = value;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, ppi_); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, ppi_, 72)); }

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value) {
    value &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TFont::SetCharset(BYTE value) {
    if (value == charset_) return;
    charset_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    Changed();
}

void TFont::SetQuality(BYTE value) {
    if (value == quality_) return;
    quality_ = value;
    Changed();
}

void TFont::SetPixelsPerInch(int value) {
    if (value <= 0 || value == ppi_) return;
    // Keeps the height in pixels; Size follows.
    ppi_ = value;
}

void TFont::SetOrientation(int value) {
    if (orientation_ == value) return;
    orientation_ = value;
    Changed();
}

HFONT TFont::Handle() {
    if (stale_ || !handle_) {
        handle_.Reset();
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfEscapement = orientation_;
        lf.lfOrientation = orientation_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = quality_;
        lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectA(&lf));
        if (!handle_) handle_ = GdiObject<HFONT>::Borrow(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        stale_ = false;
    }
    return handle_.Get();
}

bool TFont::Equals(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_ &&
           charset_ == other.charset_ && pitch_ == other.pitch_ && quality_ == other.quality_ &&
           orientation_ == other.orientation_;
}

void TFont::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TFont*>(Source)) {
        if (src == this) return;
        int height = src->ppi_ == ppi_ ? src->height_ : -MulDiv(src->Size(), ppi_, 72);
        if (name_ == src->name_ && height_ == height && color_ == src->color_ && style_ == src->style_ &&
            charset_ == src->charset_ && pitch_ == src->pitch_ && quality_ == src->quality_ &&
            orientation_ == src->orientation_)
            return;
        name_ = src->name_;
        height_ = height;
        color_ = src->color_;
        style_ = src->style_;
        charset_ = src->charset_;
        pitch_ = src->pitch_;
        quality_ = src->quality_;
        orientation_ = src->orientation_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TFont::Changed() {
    // The old handle stays valid until the next Handle() call, so a canvas
    // told through OnChange can still select it out of its DC.
    stale_ = true;
    if (OnChange) OnChange(this);
}
