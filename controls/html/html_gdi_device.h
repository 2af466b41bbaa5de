// The HTML engine's device on a GDI device context: fonts made from the
// engine's font specs (cached for one run), text, fills, lines, image-list
// images, shell icons and pictures. Everything it selects or changes in the
// DC is put back when it goes, and every font it made is deleted.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "controls/html/html_engine.h"
#include "framework/gdi_owner.h"

class TImageList;
class THTMLPicture;

class HTMLGdiDevice : public HTMLDevice {
public:
    // Charset and quality of the fonts come from the base font's LOGFONT.
    HTMLGdiDevice(HDC Dc, BYTE Charset, BYTE Quality);
    ~HTMLGdiDevice() override;
    HTMLGdiDevice(const HTMLGdiDevice&) = delete;
    HTMLGdiDevice& operator=(const HTMLGdiDevice&) = delete;

    // Sources of "IDX:" images and of pictures (by name or URL); a picture
    // source may raise: the image is then left out.
    TImageList* Images = nullptr;
    std::function<THTMLPicture*(const HTMLImageRef&)> FindPicture;

    HTMLSize TextExtent(const HTMLFontSpec& Font, std::string_view Text) override;
    void DrawText(const HTMLFontSpec& Font, const HTMLRect& Box, std::string_view Text, TColor Color,
                  TColor Background, bool Ellipsis) override;
    void FillRect(const HTMLRect& R, TColor Color) override;
    void GradientRect(const HTMLRect& R, TColor From, TColor To) override;
    void Polyline(const std::vector<std::pair<int, int>>& Points, TColor Color) override;
    void FocusRect(const HTMLRect& R) override;
    HTMLSize ImageSize(const HTMLImageRef& Image) override;
    void DrawImage(const HTMLImageRef& Image, const HTMLRect& Box, TColor Background) override;
    void TileImage(const HTMLImageRef& Image, const HTMLRect& R) override;

private:
    void Select(const HTMLFontSpec& Font);
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
        HTMLFontSpec spec;
        GdiObject<HFONT> font;
    };
    std::vector<CachedFont> fonts_;
    int selected_ = -1;
};
