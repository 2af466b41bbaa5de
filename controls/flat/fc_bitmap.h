// TfcBitmap: an image whose pixels sit in a 24-bit top-down DIB section
// (bytes blue, green, red; rows padded to 4 bytes), so that effects work on
// the bytes directly. It has its own memory DC and canvas. The flat controls
// use it for the disabled look of a glyph (Grayscale, then Lightness 90).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/flat/pixel_effects.h"
#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/events.h"
#include "framework/gdi_owner.h"

class TBitmap;

class TfcBitmap : public TPersistent {
public:
    TfcBitmap();
    ~TfcBitmap() override;
    TfcBitmap(const TfcBitmap&) = delete;
    TfcBitmap& operator=(const TfcBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bits_ == nullptr; }
    // Bytes per row, padded to a multiple of four.
    int RowSize() const { return row_size_; }
    // The raw pixel bytes (RowSize * Height), top row first. Flushes GDI.
    uint8_t* Bits();
    TPixels24 Pixels();
    TColor Pixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Color);

    // A new white image; 0 in either direction leaves it empty. Negative
    // sizes raise EInvalidOperation.
    void SetSize(int AWidth, int AHeight);
    void SetSizeIfChanged(int AWidth, int AHeight);
    void SetWidth(int v) { SetSize(v, height_); }
    void SetHeight(int v) { SetSize(width_, v); }
    // Changes the size and stretches the old content into it.
    void Resize(int AWidth, int AHeight);
    void Clear();

    HDC DC() const { return dc_.Get(); }
    HBITMAP Handle() const { return section_.Get(); }
    TCanvas& Canvas();

    // Size and pixels of a framework bitmap (converted to 24 bits).
    void LoadFromBitmap(TBitmap& Source);
    // Gives Dest this size and draws the pixels into it.
    void SaveToBitmap(TBitmap& Dest);
    void Assign(const TPersistent* Source) override;

    // Drawing: a block copy at a point; a stretch (colour-on-colour) into a
    // rectangle; through a mask of the transparent colour.
    void DrawAt(TCanvas& Dest, int X, int Y);
    void StretchDrawTo(TCanvas& Dest, const RECT& R);
    void DrawTransparent(TCanvas& Dest, int X, int Y);
    // Resampled smoothly into a temporary image of R's size, then copied.
    void SmoothStretchDraw(TCanvas& Dest, const RECT& R);
    // Draws into R: same size as block copy (transparent when Transparent),
    // else stretched (smoothly with SmoothStretch).
    void Draw(TCanvas& Dest, const RECT& R);
    bool SmoothStretch() const { return smooth_stretch_; }
    void SetSmoothStretch(bool v) { smooth_stretch_ = v; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }
    // clNone: the bottom-left pixel.
    TColor TransparentColor() const { return transparent_color_; }
    void SetTransparentColor(TColor v) { transparent_color_ = v; }

    // Undo copy of the pixels.
    void SaveCopy();
    void RestoreCopy();
    void FreeSavedCopy();

    // Effects (see pixel_effects.h).
    void Grayscale();
    void Lightness(int Amount);
    void Invert();
    void AddRGB(int Red, int Green, int Blue);
    void ReplaceColour(TColor From, TColor To);
    void MaskOfColour(TColor Color);
    void Flip(bool Horizontal);
    void Contrast(int Amount);
    void Saturation(int Amount);
    void Colorize(int Amount);
    void Blur(int Amount);
    void BlurRepeated(int Amount);
    void Emboss();
    void Sharpen(int Distance);
    void Rotate(double Degrees, TColor Fill);
    void Spray(int Amount, unsigned Seed = 1);
    void Wave(int AmplitudeX, int PeriodX, int AmplitudeY, int PeriodY, bool Wrap);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    class ImageCanvas;
    void FreeImage();
    template <class F>
    void Effect(F f);

    int width_ = 0;
    int height_ = 0;
    int row_size_ = 0;
    uint8_t* bits_ = nullptr;
    bool transparent_ = false;
    bool smooth_stretch_ = false;
    TColor transparent_color_ = clNone;
    std::vector<uint8_t> saved_;
    int saved_width_ = 0;
    int saved_height_ = 0;
    // Declaration order: the canvas lets go of the DC first, the section is
    // selected out before it is deleted, the DC goes last.
    MemoryDC dc_;
    GdiObject<HBITMAP> section_;
    HGDIOBJ dc_orig_bitmap_ = nullptr;
    std::unique_ptr<ImageCanvas> canvas_;
};
