#include "controls/html/html_gdi_device.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "controls/html/html_picture.h"
#include "framework/graphics_base.h"
#include "framework/image_list.h"

namespace {

// Fonts kept per run; a text with more distinct fonts starts the cache anew.
constexpr size_t kMaxFonts = 32;

bool IsNumber(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

HTMLGdiDevice::HTMLGdiDevice(HDC Dc, BYTE Charset, BYTE Quality, HTMLFontCache* Fonts)
    : dc_(Dc),
      charset_(Charset),
      quality_(Quality),
      ppi_(GetDeviceCaps(Dc, LOGPIXELSY)),
      orig_bk_mode_(GetBkMode(Dc)),
      orig_text_color_(GetTextColor(Dc)),
      plain_dc_(GetMapMode(Dc) == MM_TEXT && GetGraphicsMode(Dc) == GM_COMPATIBLE && GetTextCharacterExtra(Dc) == 0),
      cache_(Fonts) {
    if (ppi_ <= 0) ppi_ = 96;
}

HTMLGdiDevice::~HTMLGdiDevice() {
    if (orig_font_) SelectObject(dc_, orig_font_);
    SetBkMode(dc_, orig_bk_mode_);
    SetTextColor(dc_, orig_text_color_);
}

HTMLMadeFont* HTMLFontCache::Find(const HTMLFontDesc& Font, BYTE Charset, BYTE Quality, int Ppi) {
    for (auto& e : entries_)
        if (e.charset == Charset && e.quality == Quality && e.ppi == Ppi && e.desc == Font) return e.font.get();
    return nullptr;
}

HTMLMadeFont* HTMLFontCache::Add(const HTMLFontDesc& Font, BYTE Charset, BYTE Quality, int Ppi,
                                 GdiObject<HFONT>&& Handle) {
    entries_.push_back(Entry{Font, Charset, Quality, Ppi, std::make_unique<HTMLMadeFont>()});
    entries_.back().font->Font = std::move(Handle);
    return entries_.back().font.get();
}

GdiObject<HFONT> HTMLGdiDevice::MakeFont(const HTMLFontDesc& Font) const {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(Font.Size, ppi_, 72);
    lf.lfWeight = (Font.Style & htmlBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Font.Style & htmlItalic) ? 1 : 0;
    lf.lfUnderline = (Font.Style & htmlUnderline) ? 1 : 0;
    lf.lfStrikeOut = (Font.Style & htmlStrikeOut) ? 1 : 0;
    lf.lfEscapement = lf.lfOrientation = Font.Angle;
    // The face name picks the bullet font where it exists; elsewhere the
    // fallback shows the same byte as a middle dot.
    lf.lfCharSet = charset_;
    lf.lfQuality = quality_;
    lstrcpynA(lf.lfFaceName, Font.Name.c_str(), LF_FACESIZE);
    return GdiObject<HFONT>(CreateFontIndirectA(&lf));
}

// Fonts come from the caller's cache when there is one; fonts beyond it
// live for this run only (a font selected in the DC is never deleted).
HTMLMadeFont& HTMLGdiDevice::Made(const HTMLFontDesc& Font) {
    if (HTMLMadeFont* made = cache_ ? cache_->Find(Font, charset_, quality_, ppi_) : nullptr) return *made;
    auto it = std::find_if(fonts_.begin(), fonts_.end(), [&](const CachedFont& c) { return c.desc == Font; });
    if (it != fonts_.end()) return *it->font;
    GdiObject<HFONT> font = MakeFont(Font);
    if (cache_ && !cache_->Full()) return *cache_->Add(Font, charset_, quality_, ppi_, std::move(font));
    if (fonts_.size() >= kMaxFonts) {
        if (orig_font_) SelectObject(dc_, orig_font_);
        selected_font_ = nullptr;
        fonts_.clear();
    }
    fonts_.push_back(CachedFont{Font, std::make_unique<HTMLMadeFont>()});
    fonts_.back().font->Font = std::move(font);
    return *fonts_.back().font;
}

void HTMLGdiDevice::Select(const HTMLFontDesc& Font) {
    if (selected_font_ && selected_desc_ == Font) return;
    HFONT font = Made(Font).Font.Get();
    selected_font_ = font;
    selected_desc_ = Font;
    HGDIOBJ old = SelectObject(dc_, font);
    if (!orig_font_) orig_font_ = old;
}

const HTMLFontDesc& HTMLGdiDevice::Usable(const HTMLFontDesc& Font) {
    if (Font.Name != "Symbol" || FallbackFace.empty()) return Font;
    if (symbol_ok_ < 0) {
        Select(Font);
        WORD glyphs[2] = {0, 0};
        symbol_ok_ = GetGlyphIndicesA(dc_, "\xB7o", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 2 &&
                     glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
    }
    if (symbol_ok_) return Font;
    fallback_ = Font;
    fallback_.Name = FallbackFace;
    return fallback_;
}

HTMLSize HTMLGdiDevice::TextExtent(const HTMLFontDesc& AFont, std::string_view Text) {
    const HTMLFontDesc& Font = Usable(AFont);
    if (Text.empty()) {
        // The height of a font whose widths were read comes with them.
        const HTMLMadeFont& made = Made(Font);
        if (made.WidthsAsked && made.Height >= 0) return HTMLSize{0, made.Height};
    }
    Select(Font);
    if (Text.find('\t') != std::string_view::npos) {
        RECT r{0, 0, 0, 0};
        ::DrawTextA(dc_, Text.data(), static_cast<int>(Text.size()), &r,
                    DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
        return HTMLSize{r.right - r.left, r.bottom - r.top};
    }
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc_, Text.data(), static_cast<int>(Text.size()), &s);
    if (Text.empty()) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc_, &tm);
        s.cy = tm.tmHeight;
    }
    return HTMLSize{s.cx, s.cy};
}

// The widths are read once per font; they are used only where their sums are
// what GetTextExtentExPointA gives: a TrueType or vector font without
// overhang in an unscaled DC.
bool HTMLGdiDevice::CharExtents(const HTMLFontDesc& Font, std::string_view Text, std::vector<int>& Right) {
    if (Text.empty() || Text.find('\t') != std::string_view::npos) return false;
    HTMLMadeFont& made = Made(Font);
    if (!made.WidthsAsked) {
        made.WidthsAsked = true;
        Select(Font);
        TEXTMETRICA tm{};
        const bool metrics = GetTextMetricsA(dc_, &tm) != 0;
        made.Widths.assign(256, 0);
        made.WidthsValid = plain_dc_ && metrics && tm.tmOverhang == 0 &&
                           (tm.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR)) != 0 &&
                           GetCharWidth32A(dc_, 0, 255, made.Widths.data());
        made.Height = metrics ? tm.tmHeight : -1;
    }
    Right.resize(Text.size());
    if (made.WidthsValid) {
        int x = 0;
        for (size_t k = 0; k < Text.size(); ++k) Right[k] = x += made.Widths[static_cast<unsigned char>(Text[k])];
        return true;
    }
    Select(Font);
    SIZE s{0, 0};
    return GetTextExtentExPointA(dc_, Text.data(), static_cast<int>(Text.size()), 0, nullptr, Right.data(), &s) != 0;
}

void HTMLGdiDevice::DrawText(const HTMLFontDesc& AFont, const HTMLRect& Box, std::string_view Text, TColor Color,
                             TColor Background, bool Ellipsis) {
    const HTMLFontDesc& Font = Usable(AFont);
    Select(Font);
    RECT r{Box.Left, Box.Top, Box.Right, Box.Bottom};
    if (Background != clNone) {
        HTMLSize s = TextExtent(Font, Text);
        FillRect(HTMLRect{Box.Left, Box.Top, std::min(Box.Right, Box.Left + s.cx), Box.Bottom}, Background);
    }
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ColorToCOLORREF(Color));
    const bool plain = !Ellipsis && Text.find('\t') == std::string_view::npos && Font.Angle == 0;
    if (plain) {
        // The box is exactly one text line high: bottom-aligned is its top.
        ExtTextOutA(dc_, r.left, r.top, ETO_CLIPPED, &r, Text.data(), static_cast<UINT>(Text.size()), nullptr);
        return;
    }
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_BOTTOM | DT_EXTERNALLEADING;
    if (Ellipsis) flags |= DT_END_ELLIPSIS;
    if (Font.Angle != 0) flags |= DT_NOCLIP;
    ::DrawTextA(dc_, Text.data(), static_cast<int>(Text.size()), &r, flags);
}

void HTMLGdiDevice::FillRect(const HTMLRect& R, TColor Color) {
    if (Color == clNone) return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToCOLORREF(Color)));
    RECT r{R.Left, R.Top, R.Right, R.Bottom};
    ::FillRect(dc_, &r, brush.Get());
}

// 64 vertical bands from From at the left to To at the right.
void HTMLGdiDevice::GradientRect(const HTMLRect& R, TColor From, TColor To) {
    COLORREF a = ColorToCOLORREF(From), b = ColorToCOLORREF(To);
    const int steps = 64;
    for (int i = 0; i < steps; ++i) {
        int x0 = R.Left + R.Width() * i / steps, x1 = R.Left + R.Width() * (i + 1) / steps;
        if (x1 <= x0) continue;
        auto mix = [&](int ca, int cb) { return static_cast<uint8_t>(ca + (cb - ca) * i / (steps - 1)); };
        TColor c = RGBColor(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
        FillRect(HTMLRect{x0, R.Top, x1, R.Bottom}, c);
    }
}

void HTMLGdiDevice::Polyline(const std::vector<std::pair<int, int>>& Points, TColor Color) {
    if (Points.size() < 2) return;
    std::vector<POINT> pts;
    pts.reserve(Points.size());
    for (auto& p : Points) pts.push_back(POINT{p.first, p.second});
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToCOLORREF(Color)));
    ScopedSelect sel(dc_, pen.Get());
    ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
}

void HTMLGdiDevice::FocusRect(const HTMLRect& R) {
    RECT r{R.Left, R.Top, R.Right, R.Bottom};
    ::DrawFocusRect(dc_, &r);
}

THTMLPicture* HTMLGdiDevice::Picture(const HTMLImageRef& Image) {
    if (!FindPicture) return nullptr;
    try {
        THTMLPicture* p = FindPicture(Image);
        return p && !p->Empty() ? p : nullptr;
    } catch (...) {
        return nullptr;  // a picture that cannot be loaded is left out
    }
}

HIMAGELIST HTMLGdiDevice::SystemIcon(const HTMLImageRef& Image, int& Index) {
    UINT size = Image.Kind == HTMLImageKind::SmallSystemIcon ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    SHFILEINFOA info{};
    HIMAGELIST list;
    if (IsNumber(Image.Source)) {
        list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | size));
        Index = atoi(Image.Source.c_str());
    } else {
        DWORD attrs = GetFileAttributesA(Image.Source.c_str());
        UINT flags = SHGFI_SYSICONINDEX | size;
        DWORD useAttrs = 0;
        if (attrs == INVALID_FILE_ATTRIBUTES) {
            flags |= SHGFI_USEFILEATTRIBUTES;
            useAttrs = FILE_ATTRIBUTE_NORMAL;
        }
        list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(Image.Source.c_str(), useAttrs, &info, sizeof(info), flags));
        Index = info.iIcon;
    }
    if (list && (Index < 0 || Index >= ImageList_GetImageCount(list))) list = nullptr;
    return list;
}

HTMLSize HTMLGdiDevice::ImageSize(const HTMLImageRef& Image) {
    switch (Image.Kind) {
        case HTMLImageKind::ImageList:
            if (!Images || Image.Index < 0 || Image.Index >= Images->Count()) return {};
            return HTMLSize{MulDiv(Images->Width(), ppi_, 96), MulDiv(Images->Height(), ppi_, 96)};
        case HTMLImageKind::SmallSystemIcon:
        case HTMLImageKind::LargeSystemIcon: {
            int index = 0, w = 0, h = 0;
            HIMAGELIST list = SystemIcon(Image, index);
            if (!list || !ImageList_GetIconSize(list, &w, &h)) return {};
            return HTMLSize{MulDiv(w, ppi_, 96), MulDiv(h, ppi_, 96)};
        }
        default: {
            THTMLPicture* p = Picture(Image);
            return p ? HTMLSize{p->Width(), p->Height()} : HTMLSize{};
        }
    }
}

void HTMLGdiDevice::DrawImage(const HTMLImageRef& Image, const HTMLRect& Box, TColor Background) {
    switch (Image.Kind) {
        case HTMLImageKind::ImageList:
            if (Images && Image.Index >= 0 && Image.Index < Images->Count())
                ImageList_DrawEx(Images->Handle(), Image.Index, dc_, Box.Left, Box.Top, Box.Width(), Box.Height(),
                                 CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
            return;
        case HTMLImageKind::SmallSystemIcon:
        case HTMLImageKind::LargeSystemIcon: {
            int index = 0;
            if (HIMAGELIST list = SystemIcon(Image, index))
                ImageList_DrawEx(list, index, dc_, Box.Left, Box.Top, Box.Width(), Box.Height(), CLR_NONE, CLR_NONE,
                                 ILD_TRANSPARENT);
            return;
        }
        default: {
            THTMLPicture* p = Picture(Image);
            if (!p) return;
            if (p->FrameCount() > 1) FillRect(Box, Background);
            RECT r{Box.Left, Box.Top, Box.Right, Box.Bottom};
            try {
                p->Draw(dc_, r);
            } catch (...) {
            }
        }
    }
}

// Only the tiles the DC can show are drawn: an auto-sizing label lays out
// into a rectangle 65535 pixels larger than itself.
void HTMLGdiDevice::TileImage(const HTMLImageRef& Image, const HTMLRect& R) {
    THTMLPicture* p = Picture(Image);
    if (!p) return;
    const int w = p->Width(), h = p->Height();
    if (w <= 0 || h <= 0) return;
    ScopedSaveDC save(dc_);
    IntersectClipRect(dc_, R.Left, R.Top, R.Right, R.Bottom);
    RECT visible{};
    if (GetClipBox(dc_, &visible) == NULLREGION) return;
    // The tiles keep their grid from R's top-left corner.
    const int x0 = R.Left + std::max(0, static_cast<int>(visible.left) - R.Left) / w * w;
    const int y0 = R.Top + std::max(0, static_cast<int>(visible.top) - R.Top) / h * h;
    const int right = std::min(R.Right, static_cast<int>(visible.right));
    const int bottom = std::min(R.Bottom, static_cast<int>(visible.bottom));
    for (int y = y0; y < bottom; y += h)
        for (int x = x0; x < right; x += w) {
            RECT r{x, y, x + w, y + h};
            p->Draw(dc_, r);
        }
}
