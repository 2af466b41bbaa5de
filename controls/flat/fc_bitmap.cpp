#include "controls/flat/fc_bitmap.h"

#include <cstring>

#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/graphics_base.h"

class TfcBitmap::ImageCanvas : public TCanvas {
public:
    explicit ImageCanvas(TfcBitmap& owner) : owner_(owner) {}

protected:
    void CreateHandle() override {
        if (owner_.dc_) SetHandle(owner_.dc_.Get());
    }

private:
    TfcBitmap& owner_;
};

TfcBitmap::TfcBitmap() : dc_(nullptr) {}

TfcBitmap::~TfcBitmap() {
    canvas_.reset();
    FreeImage();
}

TCanvas& TfcBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<ImageCanvas>(*this);
    return *canvas_;
}

void TfcBitmap::FreeImage() {
    if (canvas_) canvas_->SetHandle(nullptr);
    if (dc_ && dc_orig_bitmap_) {
        SelectObject(dc_.Get(), dc_orig_bitmap_);
        dc_orig_bitmap_ = nullptr;
    }
    section_.Reset();
    bits_ = nullptr;
    width_ = height_ = row_size_ = 0;
}

void TfcBitmap::Clear() {
    FreeImage();
    Changed();
}

void TfcBitmap::SetSize(int AWidth, int AHeight) {
    if (AWidth < 0 || AHeight < 0) throw EInvalidOperation("Ungültige Bildgröße");
    FreeImage();
    if (AWidth == 0 || AHeight == 0) {
        Changed();
        return;
    }
    BITMAPINFO bi = TopDownDib32Info(AWidth, AHeight);
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    GdiObject<HBITMAP> section(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) throw EOutOfResources("Nicht genügend Speicher für Bitmap");
    if (!dc_) dc_ = MemoryDC(nullptr);
    if (!dc_) throw EOutOfResources("Kein Gerätekontext für Bitmap");
    dc_orig_bitmap_ = SelectObject(dc_.Get(), section.Get());
    section_ = std::move(section);
    bits_ = static_cast<uint8_t*>(bits);
    width_ = AWidth;
    height_ = AHeight;
    row_size_ = RowSize24(AWidth);
    std::memset(bits_, 0, static_cast<size_t>(row_size_) * static_cast<size_t>(height_));
    FillPixels(Pixels(), TRGBTriple{255, 255, 255});
    Changed();
}

void TfcBitmap::SetSizeIfChanged(int AWidth, int AHeight) {
    if (AWidth != width_ || AHeight != height_) SetSize(AWidth, AHeight);
}

void TfcBitmap::Resize(int AWidth, int AHeight) {
    if (Empty()) {
        SetSize(AWidth, AHeight);
        return;
    }
    TfcBitmap old;
    old.SetSize(width_, height_);
    BitBlt(old.DC(), 0, 0, width_, height_, DC(), 0, 0, SRCCOPY);
    SetSize(AWidth, AHeight);
    if (Empty()) return;
    SetStretchBltMode(DC(), COLORONCOLOR);
    StretchBlt(DC(), 0, 0, width_, height_, old.DC(), 0, 0, old.width_, old.height_, SRCCOPY);
    Changed();
}

uint8_t* TfcBitmap::Bits() {
    GdiFlush();
    return bits_;
}

TPixels24 TfcBitmap::Pixels() { return TPixels24{Bits(), width_, height_, row_size_}; }

TColor TfcBitmap::Pixel(int X, int Y) {
    if (Empty() || X < 0 || Y < 0 || X >= width_ || Y >= height_) return clNone;
    return TripleToColor(Pixels().At(X, Y));
}

void TfcBitmap::SetPixel(int X, int Y, TColor Color) {
    if (Empty() || X < 0 || Y < 0 || X >= width_ || Y >= height_) return;
    Pixels().At(X, Y) = ColorToTriple(ColorToRGB(Color));
    Changed();
}

void TfcBitmap::LoadFromBitmap(TBitmap& Source) {
    if (Source.Empty()) {
        Clear();
        return;
    }
    SetSize(Source.Width(), Source.Height());
    BitBlt(DC(), 0, 0, width_, height_, Source.DC(), 0, 0, SRCCOPY);
    GdiFlush();
    Changed();
}

void TfcBitmap::SaveToBitmap(TBitmap& Dest) {
    Dest.SetSize(0, 0);
    if (Empty()) return;
    Dest.SetSize(width_, height_);
    BitBlt(Dest.DC(), 0, 0, width_, height_, DC(), 0, 0, SRCCOPY);
    GdiFlush();
    Dest.SetTransparent(transparent_);
}

void TfcBitmap::Assign(const TPersistent* Source) {
    if (Source == this) return;
    if (Source == nullptr) {
        Clear();
        return;
    }
    if (auto* bmp = dynamic_cast<const TBitmap*>(Source)) {
        LoadFromBitmap(const_cast<TBitmap&>(*bmp));
        transparent_ = bmp->Transparent();
        return;
    }
    if (auto* src = dynamic_cast<const TfcBitmap*>(Source)) {
        if (src->Empty()) {
            Clear();
        } else {
            SetSize(src->width_, src->height_);
            GdiFlush();
            std::memcpy(bits_, src->bits_, static_cast<size_t>(row_size_) * static_cast<size_t>(height_));
        }
        transparent_ = src->transparent_;
        transparent_color_ = src->transparent_color_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TfcBitmap::DrawAt(TCanvas& Dest, int X, int Y) {
    if (Empty()) return;
    BitBlt(Dest.Handle(), X, Y, width_, height_, DC(), 0, 0, SRCCOPY);
}

void TfcBitmap::StretchDrawTo(TCanvas& Dest, const RECT& R) {
    if (Empty()) return;
    HDC dc = Dest.Handle();
    int old = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, R.left, R.top, R.right - R.left, R.bottom - R.top, DC(), 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, old);
}

void TfcBitmap::DrawTransparent(TCanvas& Dest, int X, int Y) {
    if (Empty()) return;
    TColor c = transparent_color_ == clNone ? Pixel(0, height_ - 1) : ColorToRGB(transparent_color_);
    TransparentBlt(Dest.Handle(), X, Y, width_, height_, DC(), 0, 0, width_, height_, c & 0xFFFFFF);
}

void TfcBitmap::SmoothStretchDraw(TCanvas& Dest, const RECT& R) {
    const int w = R.right - R.left, h = R.bottom - R.top;
    if (Empty() || w <= 0 || h <= 0) return;
    if (w == width_ && h == height_) {
        DrawAt(Dest, R.left, R.top);
        return;
    }
    TfcBitmap scaled;
    scaled.SetSize(w, h);
    ::SmoothStretch(Pixels(), scaled.Pixels());
    scaled.DrawAt(Dest, R.left, R.top);
}

void TfcBitmap::Draw(TCanvas& Dest, const RECT& R) {
    if (R.right - R.left == width_ && R.bottom - R.top == height_) {
        if (transparent_)
            DrawTransparent(Dest, R.left, R.top);
        else
            DrawAt(Dest, R.left, R.top);
    } else if (smooth_stretch_) {
        SmoothStretchDraw(Dest, R);
    } else {
        StretchDrawTo(Dest, R);
    }
}

void TfcBitmap::SaveCopy() {
    saved_.assign(Bits(), Bits() + static_cast<size_t>(row_size_) * static_cast<size_t>(height_));
    saved_width_ = width_;
    saved_height_ = height_;
}

void TfcBitmap::RestoreCopy() {
    if (saved_.empty() && saved_width_ == 0) return;
    SetSizeIfChanged(saved_width_, saved_height_);
    if (!Empty()) std::memcpy(Bits(), saved_.data(), saved_.size());
    Changed();
}

void TfcBitmap::FreeSavedCopy() {
    saved_.clear();
    saved_.shrink_to_fit();
    saved_width_ = saved_height_ = 0;
}

template <class F>
void TfcBitmap::Effect(F f) {
    if (Empty()) return;
    f(Pixels());
    Changed();
}

void TfcBitmap::Grayscale() {
    Effect([](const TPixels24& p) { ::Grayscale(p); });
}
void TfcBitmap::Lightness(int Amount) {
    Effect([&](const TPixels24& p) { ::Lightness(p, Amount); });
}
void TfcBitmap::Invert() {
    Effect([](const TPixels24& p) { ::Invert(p); });
}
void TfcBitmap::AddRGB(int Red, int Green, int Blue) {
    Effect([&](const TPixels24& p) { ::AddRGB(p, Red, Green, Blue); });
}
void TfcBitmap::ReplaceColour(TColor From, TColor To) {
    Effect([&](const TPixels24& p) { ::ReplaceColour(p, ColorToTriple(ColorToRGB(From)), ColorToTriple(ColorToRGB(To))); });
}
void TfcBitmap::MaskOfColour(TColor Color) {
    Effect([&](const TPixels24& p) { ::MaskOfColour(p, ColorToTriple(ColorToRGB(Color))); });
}
void TfcBitmap::Flip(bool Horizontal) {
    Effect([&](const TPixels24& p) { ::Flip(p, Horizontal); });
}
void TfcBitmap::Contrast(int Amount) {
    Effect([&](const TPixels24& p) { ::Contrast(p, Amount); });
}
void TfcBitmap::Saturation(int Amount) {
    Effect([&](const TPixels24& p) { ::Saturation(p, Amount); });
}
void TfcBitmap::Colorize(int Amount) {
    const bool skip = transparent_color_ != clNone;
    const TRGBTriple t = skip ? ColorToTriple(ColorToRGB(transparent_color_)) : TRGBTriple{};
    Effect([&](const TPixels24& p) { ::Colorize(p, Amount, t, skip); });
}
void TfcBitmap::Blur(int Amount) {
    Effect([&](const TPixels24& p) { ::Blur(p, Amount); });
}
void TfcBitmap::BlurRepeated(int Amount) {
    for (int a = Amount; a >= 1; --a) Blur(a);
}
void TfcBitmap::Emboss() {
    Effect([](const TPixels24& p) { ::Emboss(p); });
}

void TfcBitmap::Sharpen(int Distance) {
    Effect([&](const TPixels24& p) { ::Sharpen(p, Distance); });
}
void TfcBitmap::Rotate(double Degrees, TColor Fill) {
    Effect([&](const TPixels24& p) { ::Rotate(p, Degrees, ColorToTriple(ColorToRGB(Fill))); });
}
void TfcBitmap::Spray(int Amount, unsigned Seed) {
    Effect([&](const TPixels24& p) { ::Spray(p, Amount, Seed); });
}
void TfcBitmap::Wave(int AmplitudeX, int PeriodX, int AmplitudeY, int PeriodY, bool Wrap) {
    Effect([&](const TPixels24& p) { ::Wave(p, AmplitudeX, PeriodX, AmplitudeY, PeriodY, Wrap); });
}

void TfcBitmap::Changed() {
    if (OnChange) OnChange(this);
}
