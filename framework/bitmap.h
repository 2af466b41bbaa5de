// TBitmap: the framework's bitmap graphic, a 32-bit top-down DIB section
// (BI_RGB, BGRA bytes, alpha unused) with its own memory DC and canvas.
// Pixels read back exactly whatever the display depth.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/events.h"
#include "framework/gdi_owner.h"
#include "framework/graphic.h"
#include "framework/graphics_base.h"

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int value) override { SetSize(value, height_); }
    void SetHeight(int value) override { SetSize(width_, value); }
    // Keeps the overlapping content; new area is white. 0 in either
    // direction frees the section (Empty()).
    void SetSize(int width, int height);
    bool Empty() const override { return !section_; }
    // Through the canvas: keyed by the transparent colour while Transparent,
    // else a block copy or a colour-on-colour stretch.
    void Draw(TCanvas& ACanvas, const RECT& Rect) override;

    // The canvas draws into the bitmap's memory DC.
    TCanvas& Canvas();
    HBITMAP Handle() const { return section_.Get(); }
    // The memory DC the section is selected into (created on demand).
    HDC DC();

    // Row y as width_ pixels 0x00RRGGBB (bytes B, G, R, unused). Flushes GDI.
    uint32_t* ScanLine(int y);
    const uint32_t* ScanLine(int y) const;
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Loads a BITMAP resource and converts it into the 32-bit section.
    // Raises EInvalidOperation when the resource does not exist.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // Copies the content of any bitmap handle (not taken over).
    void LoadFromBitmapHandle(HBITMAP bitmap);

    // The bottom-left pixel unless a colour was set (clNone when empty).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    // Back to the bottom-left pixel rule.
    void SetTransparentColorAuto();
    bool TransparentColorFixed() const { return transparent_fixed_; }

    // A .bmp file (see bmp_file.h for what is readable): the whole section
    // is replaced only once the file has been read; the transparent
    // settings stay. Saved as 24-bit bottom-up rows; an empty bitmap writes
    // nothing and reads back from no bytes.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) const override;

    void Assign(const TPersistent* Source) override;

private:
    class BitmapCanvas;
    void FreeImage();
    void CanvasChanged();

    int width_ = 0;
    int height_ = 0;
    uint32_t* bits_ = nullptr;
    bool transparent_fixed_ = false;
    TColor transparent_color_ = 0x1FFFFFFF;
    // Declaration order matters: the canvas lets go of the DC before the DC
    // goes, and the section is selected out before it is deleted.
    GdiObject<HBITMAP> section_;
    MemoryDC dc_;
    HGDIOBJ dc_orig_bitmap_ = nullptr;
    std::unique_ptr<BitmapCanvas> canvas_;
};
