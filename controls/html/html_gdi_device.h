// The HTML engine's device on a GDI device context: fonts made from the
// engine's font descriptions (cached for one run), text, fills, lines, image-list
// images, shell icons and pictures. Everything it selects or changes in the
// DC is put back when it goes, and every font it made is deleted.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/html/html_engine.h"
#include "framework/gdi_owner.h"

class TImageList;
class THTMLPicture;

// A made font and, once text was measured in it, the advance width of each
// of its 256 characters: runs of text are then measured without selecting
// the font (switching fonts is what costs most when measuring).
struct HTMLMadeFont {
    GdiObject<HFONT> Font;
    bool WidthsAsked = false;
    bool WidthsValid = false;  // the sums of the widths are the text extents
    int Height = -1;  // tmHeight, -1 when unknown
    std::vector<int> Widths;
};

// Fonts kept between runs (a label keeps one for its paints and measures),
// so that the same fonts are not made again for every run. Bounded; owns
// its fonts. Must outlive the runs that use it.
class HTMLFontCache {
public:
    HTMLMadeFont* Find(const HTMLFontDesc& Font, BYTE Charset, BYTE Quality, int Ppi);
    bool Full() const { return entries_.size() >= kCapacity; }
    HTMLMadeFont* Add(const HTMLFontDesc& Font, BYTE Charset, BYTE Quality, int Ppi, GdiObject<HFONT>&& Handle);
    void Clear() { entries_.clear(); }
    int Count() const { return static_cast<int>(entries_.size()); }

private:
    static constexpr size_t kCapacity = 16;
    struct Entry {
        HTMLFontDesc desc;
        BYTE charset, quality;
        int ppi;
        std::unique_ptr<HTMLMadeFont> font;
    };
    std::vector<Entry> entries_;
};

class HTMLGdiDevice : public HTMLDevice {
public:
    // Charset and quality of the fonts come from the base font's LOGFONT.
    // Fonts: an optional cache that outlives the device.
    HTMLGdiDevice(HDC Dc, BYTE Charset, BYTE Quality, HTMLFontCache* Fonts = nullptr);
    ~HTMLGdiDevice() override;
    HTMLGdiDevice(const HTMLGdiDevice&) = delete;
    HTMLGdiDevice& operator=(const HTMLGdiDevice&) = delete;

    // Sources of "IDX:" images and of pictures (by name or URL); a picture
    // source may raise: the image is then left out.
    TImageList* Images = nullptr;
    // The face used for list bullets when the "Symbol" font found lacks
    // them (Wine maps the name to a font without its glyphs).
    std::string FallbackFace;
    std::function<THTMLPicture*(const HTMLImageRef&)> FindPicture;

    HTMLSize TextExtent(const HTMLFontDesc& Font, std::string_view Text) override;
    bool CharExtents(const HTMLFontDesc& Font, std::string_view Text, std::vector<int>& Right) override;
    void DrawText(const HTMLFontDesc& Font, const HTMLRect& Box, std::string_view Text, TColor Color,
                  TColor Background, bool Ellipsis) override;
    void FillRect(const HTMLRect& R, TColor Color) override;
    void GradientRect(const HTMLRect& R, TColor From, TColor To) override;
    void Polyline(const std::vector<std::pair<int, int>>& Points, TColor Color) override;
    void FocusRect(const HTMLRect& R) override;
    HTMLSize ImageSize(const HTMLImageRef& Image) override;
    void DrawImage(const HTMLImageRef& Image, const HTMLRect& Box, TColor Background) override;
    void TileImage(const HTMLImageRef& Image, const HTMLRect& R) override;

private:
    void Select(const HTMLFontDesc& Font);
    // The made font of the description (made now when missing).
    HTMLMadeFont& Made(const HTMLFontDesc& Font);
    // Font, or the fallback face for a "Symbol" font without the bullets.
    const HTMLFontDesc& Usable(const HTMLFontDesc& Font);
    GdiObject<HFONT> MakeFont(const HTMLFontDesc& Font) const;
    THTMLPicture* Picture(const HTMLImageRef& Image);
    // System icon: image list and index (nullptr when there is none).
    HIMAGELIST SystemIcon(const HTMLImageRef& Image, int& Index);

    HDC dc_;
    BYTE charset_, quality_;
    int ppi_;
    HGDIOBJ orig_font_ = nullptr;
    int orig_bk_mode_;
    COLORREF orig_text_color_;
    struct CachedFont {
        HTMLFontDesc desc;
        std::unique_ptr<HTMLMadeFont> font;
    };
    std::vector<CachedFont> fonts_;
    // Widths add up to extents only in a DC that neither scales nor spaces
    // its text.
    bool plain_dc_;
    HTMLFontCache* cache_;
    HFONT selected_font_ = nullptr;
    HTMLFontDesc selected_desc_;
    int symbol_ok_ = -1;  // unknown
    HTMLFontDesc fallback_;
};
