#include "framework/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/bmp_file.h"
#include "framework/exceptions.h"

namespace {

constexpr uint32_t kWhitePixel = 0x00FFFFFF;


// Pixel 0x00RRGGBB <-> TColor 0x00BBGGRR.
inline TColor PixelToColor(uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }
inline uint32_t ColorToPixel(COLORREF c) { return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16); }

}  // namespace

// The bitmap's canvas: draws into the bitmap's memory DC and reports its
// drawing as a change of the bitmap.
class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}

protected:
    void CreateHandle() override { SetHandle(owner_.DC()); }
    void Changed() override {
        TCanvas::Changed();
        owner_.CanvasChanged();
    }

private:
    TBitmap& owner_;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
    // The canvas first restores the DC's tools, then the section is
    // selected out and deleted; the DC goes last.
    canvas_.reset();
    FreeImage();
}

void TBitmap::FreeImage() {
    if (dc_ && dc_orig_bitmap_) {
        SelectObject(dc_.Get(), dc_orig_bitmap_);
        dc_orig_bitmap_ = nullptr;
    }
    section_.Reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

HDC TBitmap::DC() {
    if (!dc_) {
        dc_ = MemoryDC(nullptr);
        if (!dc_) return nullptr;
    }
    if (section_ && !dc_orig_bitmap_) dc_orig_bitmap_ = SelectObject(dc_.Get(), section_.Get());
    return dc_.Get();
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        FreeImage();
        Changed();
        return;
    }
    void* bits = nullptr;
    GdiObject<HBITMAP> section = CreateDib32(nullptr, width, height, &bits);
    if (!section || !bits) throw EOutOfResources("Nicht genügend Speicher für Bitmap");
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + static_cast<size_t>(width) * height, kWhitePixel);
    if (bits_) {
        GdiFlush();
        int w = std::min(width, width_), h = std::min(height, height_);
        for (int y = 0; y < h; ++y)
            std::memcpy(px + static_cast<size_t>(y) * width, bits_ + static_cast<size_t>(y) * width_,
                        static_cast<size_t>(w) * sizeof(uint32_t));
    }
    if (dc_) {
        HGDIOBJ prev = SelectObject(dc_.Get(), section.Get());
        if (!dc_orig_bitmap_) dc_orig_bitmap_ = prev;
    }
    section_ = std::move(section);
    bits_ = px;
    width_ = width;
    height_ = height;
    Changed();
}

uint32_t* TBitmap::ScanLine(int y) {
    if (!bits_ || y < 0 || y >= height_) throw EInvalidOperation("Bereichsüberschreitung bei Zeilenindex");
    GdiFlush();
    return bits_ + static_cast<size_t>(y) * width_;
}

const uint32_t* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

TColor TBitmap::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    GdiFlush();
    return PixelToColor(bits_[static_cast<size_t>(y) * width_ + x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    GdiFlush();
    bits_[static_cast<size_t>(y) * width_ + x] = ColorToPixel(ColorToCOLORREF(color));
    Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    GdiObject<HBITMAP> loaded(
        static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded) throw EInvalidOperation("Ressource " + name + " wurde nicht gefunden");
    LoadFromBitmapHandle(loaded.Get());
}

void TBitmap::LoadFromBitmapHandle(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm)) throw EInvalidOperation("Ungültige Bitmap");
    FreeImage();
    SetSize(bm.bmWidth, std::abs(bm.bmHeight));
    if (!bits_) return;
    BITMAPINFO bi = TopDownDib32Info(width_, height_);
    GdiFlush();
    WindowDC screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height_), bits_, &bi, DIB_RGB_COLORS);
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparent_fixed_) return transparent_color_;
    return Empty() ? clNone : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    transparent_fixed_ = value != clDefault;
    transparent_color_ = value;
    Changed();
}

void TBitmap::SetTransparentColorAuto() {
    transparent_fixed_ = false;
    transparent_color_ = clNone;
    Changed();
}

void TBitmap::Assign(const TPersistent* Source) {
    if (Source == this) return;
    if (Source == nullptr) {
        FreeImage();
        Changed();
        return;
    }
    if (auto* src = dynamic_cast<const TBitmap*>(Source)) {
        FreeImage();
        if (!src->Empty()) {
            SetSize(src->width_, src->height_);
            GdiFlush();
            std::memcpy(bits_, src->bits_, static_cast<size_t>(width_) * height_ * sizeof(uint32_t));
        }
        SetTransparent(src->Transparent());
        transparent_fixed_ = src->transparent_fixed_;
        transparent_color_ = src->transparent_color_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::CanvasChanged() { Changed(); }

void TBitmap::Draw(TCanvas& ACanvas, const RECT& Rect) { ACanvas.StretchDraw(Rect, *this); }

void TBitmap::LoadFromStream(TStream& Stream) {
    const TBmpImage image = ReadBmp(Stream);
    if (image.Empty()) {
        FreeImage();
        Changed();
        return;
    }
    const TDibLayout& layout = image.Layout;
    SetSize(layout.Width, layout.Height);
    std::vector<TRGBTriple> row(static_cast<size_t>(layout.Width));
    GdiFlush();
    for (int y = 0; y < layout.Height; ++y) {
        ConvertDibRow(layout, image.Bits.data(), y, row.data());
        uint32_t* out = bits_ + static_cast<size_t>(y) * width_;
        for (int x = 0; x < width_; ++x)
            out[x] = (uint32_t{row[x].Red} << 16) | (uint32_t{row[x].Green} << 8) | row[x].Blue;
    }
    Changed();
}

void TBitmap::SaveToStream(TStream& Stream) const {
    if (Empty()) return;
    GdiFlush();
    WriteBmp24(Stream, width_, height_, bits_);
}
