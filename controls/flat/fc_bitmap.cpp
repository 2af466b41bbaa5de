#include "controls/flat/fc_bitmap.h"

#include <cstring>

#include "framework/dib_reader.h"
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

// The image palette around one drawing, released also when the drawing
// throws.
class TfcBitmap::ScopedImagePalette {
public:
    ScopedImagePalette(TfcBitmap& Image, HDC Dest) {
        if (!Image.NeedsImagePalette(Dest)) return;
        Image.SelectImagePalette(Dest);
        image_ = &Image;
    }
    ScopedImagePalette(const ScopedImagePalette&) = delete;
    ScopedImagePalette& operator=(const ScopedImagePalette&) = delete;
    ~ScopedImagePalette() {
        if (image_) image_->ReleaseImagePalette();
    }

private:
    TfcBitmap* image_ = nullptr;
};

TfcBitmap::TfcBitmap() : dc_(nullptr) {}

TfcBitmap::~TfcBitmap() {
    // A palette still selected somewhere goes back out before it is deleted.
    if (palette_dc_ && palette_previous_) SelectPalette(palette_dc_, palette_previous_, TRUE);
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
    color_table_.clear();
    if (Source.Empty()) {
        Clear();
        return;
    }
    SetSize(Source.Width(), Source.Height());
    BitBlt(DC(), 0, 0, width_, height_, Source.DC(), 0, 0, SRCCOPY);
    GdiFlush();
    Changed();
}

void TfcBitmap::LoadFromGraphic(TGraphic& Source) {
    if (Source.Empty()) {
        TBitmap nothing;
        LoadFromBitmap(nothing);
        return;
    }
    TBitmap drawn(Source.Width(), Source.Height());
    Source.Draw(drawn.Canvas(), RECT{0, 0, Source.Width(), Source.Height()});
    LoadFromBitmap(drawn);
}

void TfcBitmap::AssignFromPersistent(const TPersistent* Source) {
    TBitmap assigned;
    assigned.Assign(Source);
    LoadFromBitmap(assigned);
}

void TfcBitmap::LoadFromDIB(const void* Info, size_t InfoSize, const void* Bits, size_t BitsSize) {
    // Everything is checked before the image changes.
    const TDibLayout layout = ReadDibHeader(static_cast<const uint8_t*>(Info), InfoSize, BitsSize);
    if (!Bits) throw EInvalidGraphic("Bitmap-Daten fehlen");
    SetSize(layout.Width, layout.Height);
    ConvertDibBits(layout, static_cast<const uint8_t*>(Bits), Pixels());
    color_table_ = layout.Colors;
    if (!palette_dc_) palette_.Reset();  // made from the old table
    Changed();
}

void TfcBitmap::LoadFromStream(TStream& Stream) {
    TBitmap loaded;
    loaded.LoadFromStream(Stream);
    LoadFromBitmap(loaded);
}

void TfcBitmap::SaveToStream(TStream& Stream) const {
    TBitmap saved;
    SaveToBitmap(saved);
    saved.SaveToStream(Stream);
}

void TfcBitmap::LoadFromClipboardFormat(uint16_t, HANDLE, HPALETTE) {}

void TfcBitmap::SaveToClipboardFormat(uint16_t&, HANDLE&, HPALETTE&) const {}

void TfcBitmap::SaveToBitmap(TBitmap& Dest) const {
    Dest.SetSize(0, 0);
    if (Empty()) return;
    Dest.SetSize(width_, height_);
    BitBlt(Dest.DC(), 0, 0, width_, height_, DC(), 0, 0, SRCCOPY);
    GdiFlush();
    Dest.SetTransparent(Transparent());
}

void TfcBitmap::Assign(const TPersistent* Source) {
    if (Source == this) return;
    if (Source == nullptr) {
        Clear();
        return;
    }
    if (auto* bmp = dynamic_cast<const TBitmap*>(Source)) {
        LoadFromBitmap(const_cast<TBitmap&>(*bmp));
        SetTransparent(bmp->Transparent());
        // A colour fixed on the bitmap stays the key; else the bottom-left rule.
        transparent_color_ = bmp->TransparentColorFixed() ? bmp->TransparentColor() : clNone;
        return;
    }
    if (dynamic_cast<const TfcBitmap*>(Source)) {
        TGraphic::Assign(Source);  // the source's AssignTo
        return;
    }
    if (dynamic_cast<const TGraphic*>(Source)) {
        AssignFromPersistent(Source);
        return;
    }
    TGraphic::Assign(Source);
}

void TfcBitmap::AssignTo(TPersistent* Dest) const {
    if (auto* bmp = dynamic_cast<TBitmap*>(Dest)) {
        SaveToBitmap(*bmp);
        if (transparent_color_ == clNone)
            bmp->SetTransparentColorAuto();
        else
            bmp->SetTransparentColor(transparent_color_);
        return;
    }
    if (auto* image = dynamic_cast<TfcBitmap*>(Dest)) {
        CopyTo(*image);
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TfcBitmap::CopyTo(TfcBitmap& Dest) const {
    if (&Dest == this) return;
    if (Empty()) {
        Dest.Clear();
        return;
    }
    Dest.SetSize(width_, height_);
    GdiFlush();
    std::memcpy(Dest.bits_, bits_, static_cast<size_t>(row_size_) * static_cast<size_t>(height_));
    Dest.color_table_ = color_table_;
    if (!Dest.palette_dc_) Dest.palette_.Reset();
    Dest.SetTransparent(Transparent());
    Dest.smooth_stretch_ = smooth_stretch_;
    Dest.transparent_color_ = transparent_color_;
    Dest.Changed();
}

HPALETTE TfcBitmap::CreateImagePalette() {
    if (palette_dc_) return palette_.Get();
    palette_.Reset();
    halftone_palette_ = false;
    if (!color_table_.empty()) {
        const size_t count = color_table_.size();
        std::vector<uint8_t> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = static_cast<WORD>(count);
        for (size_t i = 0; i < count; ++i)
            lp->palPalEntry[i] = PALETTEENTRY{color_table_[i].Red, color_table_[i].Green, color_table_[i].Blue, 0};
        palette_.Reset(CreatePalette(lp));
    } else {
        WindowDC screen(nullptr);
        palette_.Reset(CreateHalftonePalette(screen.Get()));
        halftone_palette_ = true;
    }
    if (!palette_) throw EOutOfResources("Keine Palette für Bitmap");
    return palette_.Get();
}

void TfcBitmap::SelectImagePalette(HDC Dest) {
    if (palette_dc_) ReleaseImagePalette();
    HPALETTE palette = palette_ ? palette_.Get() : CreateImagePalette();
    palette_previous_ = SelectPalette(Dest, palette, FALSE);
    if (!palette_previous_) return;  // not a DC: nothing selected
    palette_dc_ = Dest;
    RealizePalette(Dest);
}

void TfcBitmap::ReleaseImagePalette() {
    if (palette_dc_ && palette_previous_) SelectPalette(palette_dc_, palette_previous_, TRUE);
    palette_dc_ = nullptr;
    palette_previous_ = nullptr;
    palette_.Reset();
}

bool TfcBitmap::NeedsImagePalette(HDC Dest) const {
    return GetDeviceCaps(Dest, BITSPIXEL) * GetDeviceCaps(Dest, PLANES) <= 8;
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
    if (Empty()) return;
    ScopedImagePalette palette(*this, Dest.Handle());
    if (R.right - R.left == width_ && R.bottom - R.top == height_) {
        if (Transparent())
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
