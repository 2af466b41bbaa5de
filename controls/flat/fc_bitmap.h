// TfcBitmap: a graphic whose pixels sit in a 24-bit top-down DIB section
// (bytes blue, green, red; rows padded to 4 bytes), so that effects work on
// the bytes directly. It has its own memory DC and canvas. The flat controls
// use it for the disabled look of a glyph (Grayscale, then Lightness 90).
//
// On a device of 8 bits per pixel or less the image draws with a palette:
// its own, from the colour table of the bitmap it was loaded from, else a
// halftone palette; made, selected and realised before each drawing,
// selected out and deleted after it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/flat/pixel_effects.h"
#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/gdi_owner.h"
#include "framework/graphic.h"

class TBitmap;

class TfcBitmap : public TGraphic {
public:
    TfcBitmap();
    ~TfcBitmap() override;
    TfcBitmap(const TfcBitmap&) = delete;
    TfcBitmap& operator=(const TfcBitmap&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return bits_ == nullptr; }
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
    void SetWidth(int v) override { SetSize(v, height_); }
    void SetHeight(int v) override { SetSize(width_, v); }
    // Changes the size and stretches the old content into it.
    void Resize(int AWidth, int AHeight);
    void Clear();

    HDC DC() const { return dc_.Get(); }
    HBITMAP Handle() const { return section_.Get(); }
    TCanvas& Canvas();

    // Size and pixels of a framework bitmap (converted to 24 bits); the image
    // has no colour table of its own afterwards.
    void LoadFromBitmap(TBitmap& Source);
    // Any graphic, drawn into a white framework bitmap of its size.
    void LoadFromGraphic(TGraphic& Source);
    // Whatever a framework bitmap can take by Assign (EConvertError else).
    void AssignFromPersistent(const TPersistent* Source);
    // A device-independent bitmap from outside: Info is the header with its
    // colour masks and table, Bits the rows (see dib_reader.h for what is
    // readable). Raises EInvalidGraphic, the image unchanged, when either
    // block cannot be read; nothing past InfoSize or BitsSize is touched.
    // The colour table of a bitmap of 8 bits or less becomes the image's.
    void LoadFromDIB(const void* Info, size_t InfoSize, const void* Bits, size_t BitsSize);
    // A .bmp file read into a framework bitmap, then LoadFromBitmap (the
    // image unchanged when it cannot be read); saved from a framework bitmap
    // that SaveToBitmap filled.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) const override;
    // The image has no clipboard form: both leave everything as it is.
    void LoadFromClipboardFormat(uint16_t AFormat, HANDLE AData, HPALETTE APalette) override;
    void SaveToClipboardFormat(uint16_t& AFormat, HANDLE& AData, HPALETTE& APalette) const override;
    // Gives Dest this size and the pixels, and this transparent setting.
    void SaveToBitmap(TBitmap& Dest) const;
    // From a framework bitmap: pixels, transparent setting and colour; from
    // another TfcBitmap: everything (through its AssignTo); from any other
    // graphic: AssignFromPersistent; nullptr clears.
    void Assign(const TPersistent* Source) override;

    // Drawing: a block copy at a point; a stretch (colour-on-colour) into a
    // rectangle; through a mask of the transparent colour.
    void DrawAt(TCanvas& Dest, int X, int Y);
    void StretchDrawTo(TCanvas& Dest, const RECT& R);
    void DrawTransparent(TCanvas& Dest, int X, int Y);
    // Resampled smoothly into a temporary image of R's size, then copied.
    void SmoothStretchDraw(TCanvas& Dest, const RECT& R);
    // Draws into R: same size as block copy (transparent when Transparent),
    // else stretched (smoothly with SmoothStretch); with the image palette
    // on a device of 8 bits or less.
    void Draw(TCanvas& Dest, const RECT& R) override;
    bool SmoothStretch() const { return smooth_stretch_; }
    void SetSmoothStretch(bool v) { smooth_stretch_ = v; }

    // clNone: the bottom-left pixel.
    TColor TransparentColor() const { return transparent_color_; }
    void SetTransparentColor(TColor v) { transparent_color_ = v; }

    // The colour table of the bitmap last loaded by LoadFromDIB (empty when
    // it had none or another load came after).
    const std::vector<TRGBTriple>& ColorTable() const { return color_table_; }
    // Makes the image palette anew (the previous one deleted): from the
    // colour table, or a halftone palette when there is none. While the
    // palette is selected into a device it is kept and returned as it is.
    virtual HPALETTE CreateImagePalette();
    // Selects the image palette (made when there is none) into Dest and
    // realises it; the previous one stays selected until ReleaseImagePalette.
    virtual void SelectImagePalette(HDC Dest);
    // Selects the device's previous palette back and deletes the image
    // palette. Must not throw.
    virtual void ReleaseImagePalette();
    HPALETTE Palette() const { return palette_.Get(); }
    // The image has a colour table for its palette.
    bool OwnPalette() const { return !color_table_.empty(); }
    // The palette made last is a halftone palette.
    bool HalftonePalette() const { return halftone_palette_; }

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

protected:
    void AssignTo(TPersistent* Dest) const override;
    // True when drawing on Dest needs the image palette: 8 bits per pixel
    // or less.
    virtual bool NeedsImagePalette(HDC Dest) const;

private:
    class ImageCanvas;
    class ScopedImagePalette;
    void FreeImage();
    void CopyTo(TfcBitmap& Dest) const;
    template <class F>
    void Effect(F f);

    int width_ = 0;
    int height_ = 0;
    int row_size_ = 0;
    uint8_t* bits_ = nullptr;
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
    std::vector<TRGBTriple> color_table_;
    bool halftone_palette_ = false;
    GdiObject<HPALETTE> palette_;
    // Where the palette is selected, and what it replaced there.
    HDC palette_dc_ = nullptr;
    HPALETTE palette_previous_ = nullptr;
};
