#include "controls/menus/menu_paint.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "controls/flat/hsl_utils.h"
#include "controls/menus/menu_search.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/image_list.h"
#include "framework/pattern_brush.h"
#include "framework/screen.h"

namespace {

// --- process-wide paint resources ---------------------------------------------------------------

// A popup-sized picture and the popup it was painted for.
struct PaintCache {
    HWND window = nullptr;
    int width = 0;
    int height = 0;
    bool valid = false;
    TBitmap bitmap;
    bool Fits(HWND w, int cx, int cy) const { return valid && window == w && width == cx && height == cy; }
    void Take(HWND w, int cx, int cy) {
        window = w;
        width = cx;
        height = cy;
        valid = true;
        bitmap.SetSize(cx, cy);
    }
};

// The item union of an open popup, read from the platform once per popup
// window and menu (and again after a reset or a change of its item count).
struct GeometryEntry {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int count = 0;
    RECT items{};
};

struct PaintResources {
    PaintCache background;
    PaintCache banner;
    std::vector<GeometryEntry> geometry;
    TBitmap check;   // black glyph on white
    TBitmap bullet;
    GdiObject<HBRUSH> dither;
    // Shaded frame colours, up to 32 per amount.
    std::map<int, std::map<COLORREF, COLORREF>> shades;
};

PaintResources* resources = nullptr;
int resource_holders = 0;
// Set by the first item of a menu, cleared by the first item of a new column.
bool banner_counted = false;

PaintResources& Resources() {
    // A caller without a kit menu (a test of one function) gets them too;
    // they go with the last holder, or stay until one comes and goes.
    if (!resources) resources = new PaintResources();
    return *resources;
}

SIZE CheckSize() { return SIZE{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)}; }

TBitmap& CheckGlyph(bool radio) {
    PaintResources& res = Resources();
    TBitmap& glyph = radio ? res.bullet : res.check;
    const SIZE size = CheckSize();
    if (glyph.Width() != size.cx || glyph.Height() != size.cy) {
        glyph.SetSize(size.cx, size.cy);
        RECT r{0, 0, size.cx, size.cy};
        glyph.Canvas().Brush().SetColor(clWhite);
        glyph.Canvas().FillRect(r);
        DrawFrameControl(glyph.DC(), &r, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    return glyph;
}

// --- small helpers ------------------------------------------------------------------------------

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

TEXTMETRICA Metrics(HDC dc, TFont& font) {
    TEXTMETRICA tm{};
    ScopedSelect sel(dc, font.Handle());
    GetTextMetricsA(dc, &tm);
    return tm;
}

bool IsBarItem(TMenuItem* item) {
    TMenu* menu = item->GetParentMenu();
    return menu && menu->IsMainMenu() && item->Parent() && !item->Parent()->Parent();
}

int ImageIndexOf(ToxMenuData& data, TMenuItem* item) {
    return data.HasOption(oxmUseTagAsImageIndex) ? item->Tag : item->ImageIndex();
}

TImageList* ImagesOf(TMenuItem* item) {
    TMenu* menu = item->GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

SIZE ImageSize(TMenuItem* item) {
    if (TImageList* images = ImagesOf(item)) return SIZE{images->Width(), images->Height()};
    return SIZE{16, 16};
}

bool ShowsImage(ToxMenuData& data, TMenuItem* item) {
    TImageList* images = ImagesOf(item);
    const int index = ImageIndexOf(data, item);
    return (images && index >= 0 && index < images->Count()) || item->HasBitmap();
}

bool SubMenuHasChecked(TMenuItem* parent) {
    if (!parent) return false;
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i)->Checked()) return true;
    return false;
}

TFont& ItemFont(ToxMenuData& data, TMenuItem* item) {
    return data.HasOption(oxmCustomFont) ? EffectiveFont(item, data) : Screen()->MenuFont();
}

void SetupFont(TCanvas& canvas, ToxMenuData& data, TMenuItem* item) {
    canvas.Font().Assign(&ItemFont(data, item));
    if (item->Default()) canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
}

// Draws the three-dimensional layers of an effect through Draw(dx, dy, colour).
template <class DrawAt>
void DrawLayers(TColor own, T3DEffect effect, DrawAt draw) {
    const TColor hi = clBtnHighlight, sh = clBtnShadow;
    const bool hi_is_own = ColorToRGB(hi) == ColorToRGB(own);
    switch (effect) {
    case ox3Normal: draw(0, own); break;
    case ox3Flat: draw(0, sh); break;
    case ox3Raised:
        if (hi_is_own) draw(1, sh);
        else draw(-1, hi);
        draw(0, own);
        break;
    case ox3Inset:
        if (hi_is_own) draw(-1, sh);
        else draw(1, hi);
        draw(0, own);
        break;
    case ox3Ridged:
        draw(1, sh);
        draw(-1, hi);
        draw(0, own);
        break;
    case ox3Grooved:
        draw(1, hi);
        draw(-1, sh);
        draw(0, own);
        break;
    case ox3Shadow:
        draw(2, sh);
        draw(0, own);
        break;
    case ox3None: break;
    case ox3Disabled:
        draw(1, hi);
        draw(0, sh);
        break;
    }
}

std::string FitWithEllipsis(TCanvas& canvas, std::string text, int max_width) {
    if (max_width < 1 || canvas.TextWidth(text) <= max_width) return text;
    // Stops at the empty text when even "..." alone is too wide.
    while (!text.empty() && canvas.TextWidth(text + "...") > max_width) text.pop_back();
    return text + "...";
}

// --- shading frame colours ----------------------------------------------------------------------

constexpr TColor kShadeTag = 0x30000000;
bool IsShade(TColor c) { return (static_cast<uint32_t>(c) >> 24) == 0x30; }

COLORREF Shade(COLORREF px, int amount) {
    // Frames shade the same few colours over and over.
    auto& cache = Resources().shades[amount];
    auto it = cache.find(px);
    if (it != cache.end()) return it->second;
    int h, s, l;
    RGBToHSLRange(static_cast<TColor>(px), h, s, l);
    if (amount > 8 || amount < -8) l += amount;
    else if (amount > 0) l += (HSLRange - l) * amount / 8;
    else l += l * amount / 8;
    l = std::clamp(l, 0, HSLRange);
    const COLORREF out = static_cast<COLORREF>(HSLRangeToRGB(h, s, l));
    if (cache.size() >= 32) cache.clear();
    cache[px] = out;
    return out;
}

void FrameSide(TCanvas& canvas, const RECT& r, TColor color) {
    if (color == clNone || r.right <= r.left || r.bottom <= r.top) return;
    if (IsShade(color)) {
        const int amount = static_cast<int>(static_cast<uint32_t>(color) & 0xFFFF) - 256;
        HDC dc = canvas.Handle();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF px = GetPixel(dc, x, y);
                if (px != CLR_INVALID) SetPixelV(dc, x, y, Shade(px, amount));
            }
        return;
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

}  // namespace

// --- public helpers -----------------------------------------------------------------------------

MenuPaintCaches::MenuPaintCaches() {
    ++resource_holders;
    Resources();
}

MenuPaintCaches::~MenuPaintCaches() {
    if (--resource_holders == 0) {
        delete resources;
        resources = nullptr;
    }
}

void MenuPaintCaches::Reset() {
    if (!resources) return;
    resources->background.valid = false;
    resources->banner.valid = false;
    resources->geometry.clear();
}

namespace {
int geometry_reads = 0;
}  // namespace

int MenuGeometryReads() { return geometry_reads; }

int MenuPaintCaches::Holders() { return resource_holders; }

void DrawText3D(TCanvas& Canvas, const RECT& Rect, const std::string& Text, int MaxWidth, UINT Flags,
                T3DEffect Effect) {
    const std::string text = FitWithEllipsis(Canvas, Text, MaxWidth);
    const TColor own = Canvas.Font().Color();
    const TBrushStyle brush = Canvas.Brush().Style();
    Canvas.Brush().SetStyle(bsClear);
    DrawLayers(own, Effect, [&](int d, TColor color) {
        Canvas.Font().SetColor(color);
        RECT r{Rect.left + d, Rect.top + d, Rect.right + d, Rect.bottom + d};
        Canvas.DrawText(text, r, Flags);
    });
    Canvas.Font().SetColor(own);
    Canvas.Brush().SetStyle(brush);
}

void MenuFrame3D(TCanvas& Canvas, RECT& Rect, TColor TopLeft, TColor BottomRight, int Width) {
    const RECT saved = Rect;
    for (int i = 0; i < std::abs(Width); ++i) {
        const RECT& r = Rect;
        FrameSide(Canvas, RECT{r.left, r.top, r.right - 1, r.top + 1}, TopLeft);
        FrameSide(Canvas, RECT{r.left, r.top, r.left + 1, r.bottom}, TopLeft);
        FrameSide(Canvas, RECT{r.right - 1, r.top, r.right, r.bottom}, BottomRight);
        FrameSide(Canvas, RECT{r.left, r.bottom - 1, r.right, r.bottom}, BottomRight);
        InflateRect(&Rect, -1, -1);
    }
    if (Width < 0) Rect = saved;
}

void PaintMenuBackground(TCanvas& Canvas, const RECT& Rect, ToxmBackStyle Style, TGradient& Gradient,
                         TBitmap& Picture, TColor Color) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color);
    Canvas.FillRect(Rect);
    const bool picture = !Picture.Empty();
    switch (Style) {
    case oxmSolid: break;
    case oxmPictureClip:
        if (picture)
            Canvas.Draw(Rect.left + (RectWidth(Rect) - Picture.Width()) / 2,
                        Rect.top + (RectHeight(Rect) - Picture.Height()) / 2, Picture);
        break;
    case oxmPictureStretch:
        if (picture) Canvas.StretchDraw(Rect, Picture);
        break;
    case oxmPicturePattern:
        if (picture) {
            ScopedSaveDC save(Canvas.Handle());
            IntersectClipRect(Canvas.Handle(), Rect.left, Rect.top, Rect.right, Rect.bottom);
            for (int y = Rect.top; y < Rect.bottom; y += Picture.Height())
                for (int x = Rect.left; x < Rect.right; x += Picture.Width()) Canvas.Draw(x, y, Picture);
        }
        break;
    case oxmHorzGradient:
        Gradient.SetEndColor(Color);
        Gradient.Paint(Canvas, Rect, Rect);
        break;
    case oxmVertGradient:
        Gradient.SetEndColor(Color);
        Gradient.PaintTopDown(Canvas, Rect);
        break;
    }
}

void ApplyMenuDither(HDC DC, const RECT& Rect) {
    PaintResources& res = Resources();
    if (!res.dither) res.dither = CreateCheckerBrush(clWhite, clBtnFace);
    ScopedSelect sel(DC, res.dither.Get());
    PatBlt(DC, Rect.left, Rect.top, RectWidth(Rect), RectHeight(Rect), PATINVERT);
    PatBlt(DC, Rect.left, Rect.top, RectWidth(Rect), RectHeight(Rect), DSTINVERT);
}

std::string KitShortCutText(TMenuItem* Item) {
    if (Item->Count() > 0 || !Item->ShortCut() || IsBarItem(Item)) return "";
    return ShortCutToText(Item->ShortCut());
}

std::string KitItemText(ToxMenuData& Data, TMenuItem* Item) {
    return Data.HasOption(oxmMultiLine) ? MenuLinesToText(Item->Caption()) : Item->Caption();
}

MenuPopupGeometry LivePopupGeometry(TMenuItem* Item, const DRAWITEMSTRUCT& Draw) {
    MenuPopupGeometry g;
    g.popup = WindowFromDC(Draw.hDC);
    g.items = Draw.rcItem;
    TMenuItem* parent = Item->Parent();
    if (!parent || !parent->HandleAllocated()) return g;
    HMENU menu = parent->Handle();
    const int count = GetMenuItemCount(menu);
    // Every item of a popup is drawn in the same coordinates: the union is
    // read once per popup, not once per item.
    std::vector<GeometryEntry>& known = Resources().geometry;
    for (const GeometryEntry& e : known)
        if (e.menu == menu && e.window == g.popup && e.count == count) {
            g.items = e.items;
            return g;
        }
    RECT mine{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(std::max(Item->VisibleIndex(), 0)), &mine)) return g;
    ++geometry_reads;
    // The platform's rectangles are on the screen; the DC's are moved by
    // what lies between this item's two rectangles.
    const int dx = Draw.rcItem.left - mine.left, dy = Draw.rcItem.top - mine.top;
    RECT all = Draw.rcItem;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r)) continue;
        OffsetRect(&r, dx, dy);
        UnionRect(&all, &all, &r);
    }
    g.items = all;
    // A popup and its open sub-menus: a few entries at a time.
    if (known.size() >= 8) known.clear();
    known.push_back(GeometryEntry{menu, g.popup, count, all});
    return g;
}

// --- measuring ----------------------------------------------------------------------------------

void MeasureKitItem(ToxMenuData& Data, TMenuItem* Item, MEASUREITEMSTRUCT& Measure, HWND Window) {
    const bool bar = IsBarItem(Item);
    // Extra room for the banner.
    int extra_w = 0, extra_h = 0;
    ToxBanner& banner = EffectiveBanner(Item, Data);
    if (!bar && Data.HasOption(oxmBanner) && banner.Enabled()) {
        if (Item->VisibleIndex() == 0) banner_counted = false;
        if (Item->Break()) banner_counted = true;
        if (banner.Vertical()) {
            if (!banner_counted) extra_w = banner.Width();
        } else if (Item->VisibleIndex() == 0 || Item->Break()) {
            extra_h = banner.Width();
        }
    }
    WindowDC dc(Window);  // released after every measure
    TBorrowedCanvas scope(dc.Get());
    TCanvas& canvas = scope.Get();
    SetupFont(canvas, Data, Item);
    const TEXTMETRICA tm = Metrics(dc.Get(), canvas.Font());
    const int font_h = std::abs(canvas.Font().Height());

    std::string text = KitItemText(Data, Item);
    const std::string shortcut = KitShortCutText(Item);
    if (!shortcut.empty()) text += "\t" + shortcut;
    RECT r{0, 0, 0, 0};
    ToxMenuOwner* owner = KitOwnerOf(Item);
    bool measured = false;
    if (owner && owner->OnMeasureText) {
        r = RECT{0, 0, 200, 0};
        measured = owner->OnMeasureText(Item, canvas, 200, text, r);
    }
    if (!measured) {
        UINT flags = DT_CALCRECT | DT_EXPANDTABS | DT_LEFT;
        if (!Data.HasOption(oxmMultiLine)) flags |= DT_SINGLELINE;
        canvas.DrawText(text, r, flags);
    }
    const int text_w = RectWidth(r), text_h = RectHeight(r);
    const int line_h = std::max<int>(text_h, font_h + tm.tmInternalLeading);

    int w, h;
    if (Item->IsLine()) {
        h = extra_h + 8;
        w = CheckSize().cx;
    } else if (!ShowsImage(Data, Item)) {
        h = line_h + 4 + extra_h;
        w = text_w + 4 + extra_w;
        if (Data.Style() == oxmWin97) w += h;
    } else {
        const SIZE image = ImageSize(Item);
        h = std::max<int>(line_h, image.cy) + extra_h + 4;
        w = image.cx + text_w + extra_w + 4;
    }
    if (Data.Style() == oxmWin97 || (Item->Parent() && !SubMenuHasChecked(Item->Parent()))) w -= CheckSize().cx;
    if (!text.empty() && !Item->IsLine()) w += 2 * font_h;
    w += 5;
    Measure.itemWidth = static_cast<UINT>(std::max(w, 1));
    Measure.itemHeight = static_cast<UINT>(std::max(h, 1));
}

// --- painting -----------------------------------------------------------------------------------

namespace {

// The background of the whole popup beside the banner, painted once per popup and size.
TBitmap& BackgroundPicture(ToxMenuData& data, TMenuItem* item, HWND popup, const RECT& area) {
    PaintCache& cache = Resources().background;
    if (!cache.Fits(popup, RectWidth(area), RectHeight(area))) {
        cache.Take(popup, RectWidth(area), RectHeight(area));
        ToxMenuBack& back = EffectiveBackground(item, data);
        PaintMenuBackground(cache.bitmap.Canvas(), RECT{0, 0, RectWidth(area), RectHeight(area)}, back.Style(),
                            back.GradientObject(), back.Picture(), EffectiveColor(item, data));
    }
    return cache.bitmap;
}

std::string BannerText(ToxMenuData& data, TMenuItem* item, ToxBanner& banner) {
    if (!banner.Caption().empty()) return banner.Caption();
    if (!data.Caption().empty()) return data.Caption();
    TMenuItem* parent = item->Parent();
    return parent ? parent->Caption() : std::string();
}

void PaintBannerStrip(TCanvas& canvas, ToxMenuData& data, TMenuItem* item, ToxBanner& banner,
                      const MenuPopupGeometry& geo) {
    const bool vertical = banner.Vertical();
    const int cw = vertical ? banner.Width() : RectWidth(geo.items);
    const int ch = vertical ? RectHeight(geo.items) : banner.Width();
    if (cw <= 0 || ch <= 0) return;
    PaintCache& cache = Resources().banner;
    if (!cache.Fits(geo.popup, cw, ch)) {
        cache.Take(geo.popup, cw, ch);
        TCanvas& c = cache.bitmap.Canvas();
        PaintMenuBackground(c, RECT{0, 0, cw, ch}, banner.Style(), banner.GradientObject(), banner.Picture(),
                            banner.Color());
        const std::string text = BannerText(data, item, banner);
        c.Font().Assign(&banner.Font());
        const int text_h = c.TextHeight("Ag");
        if (vertical) {
            const std::string fitted = FitWithEllipsis(c, text, ch - 5);
            c.Font().SetOrientation(900);
            const int x = (cw - text_h) / 2, y = ch - 5;
            c.Brush().SetStyle(bsClear);
            const TColor own = c.Font().Color();
            DrawLayers(own, banner.Font3D(), [&](int d, TColor color) {
                c.Font().SetColor(color);
                c.TextOut(x + d, y + d, fitted);
            });
            c.Font().SetColor(own);
            c.Font().SetOrientation(0);
        } else {
            const int y = (ch - text_h) / 2;
            DrawText3D(c, RECT{5, y, cw, y + text_h}, text, cw - 5, DT_LEFT | DT_SINGLELINE | DT_NOCLIP,
                       banner.Font3D());
        }
        c.Brush().SetStyle(bsSolid);
    }
    BitBlt(canvas.Handle(), geo.items.left, geo.items.top, cw, ch, cache.bitmap.DC(), 0, 0, SRCCOPY);
}

void DrawCheck(TCanvas& canvas, TMenuItem* item, int x, int y, bool selected, ToxmStyle style) {
    TBitmap& glyph = CheckGlyph(item->RadioItem());
    HDC dc = canvas.Handle();
    if (!item->Enabled()) {
        if (!selected || style == oxmWin97) DrawShapeOf(dc, x + 1, y + 1, glyph, clWhite, clBtnHighlight);
        DrawShapeOf(dc, x, y, glyph, clWhite, clBtnShadow);
        return;
    }
    DrawShapeOf(dc, x, y, glyph, clWhite, canvas.Font().Color());
}

void DrawImage(TCanvas& canvas, ToxMenuData& data, TMenuItem* item, int x, int y, bool selected) {
    TImageList* images = ImagesOf(item);
    const int index = ImageIndexOf(data, item);
    const bool from_list = images && index >= 0 && index < images->Count();
    const bool flat = selected && data.Style() == oxmWin95;  // one shadow layer
    if (from_list) {
        if (item->Enabled()) images->Draw(&canvas, x, y, index);
        else if (flat) images->DrawMonochrome(&canvas, x, y, index, clBtnShadow);
        else images->DrawEmbossed(&canvas, x, y, index);
        return;
    }
    if (!item->HasBitmap()) return;
    const SIZE size = ImageSize(item);
    TBitmap& own = item->Bitmap();
    TBitmap image(size.cx, size.cy);
    if (own.Transparent()) {
        // The key colour must survive the copy: the stretch leaves it out.
        image.Canvas().Brush().SetColor(own.TransparentColor());
        image.Canvas().FillRect(RECT{0, 0, size.cx, size.cy});
    }
    image.Canvas().StretchDraw(RECT{0, 0, size.cx, size.cy}, own);
    if (item->Enabled()) {
        image.SetTransparent(own.Transparent());
        if (own.Transparent()) image.SetTransparentColor(own.TransparentColor());
        canvas.Draw(x, y, image);
        return;
    }
    const TColor key = own.TransparentColor();
    if (!flat) DrawShapeOf(canvas.Handle(), x + 1, y + 1, image, key, clBtnHighlight);
    DrawShapeOf(canvas.Handle(), x, y, image, key, clBtnShadow);
}

}  // namespace

void DrawKitItem(ToxMenuData& Data, TMenuItem* Item, DRAWITEMSTRUCT& Draw, const MenuPopupGeometry* Geometry) {
    HDC dc = Draw.hDC;
    ScopedSaveDC save(dc);  // the DC's font and colours come back afterwards
    TBorrowedCanvas canvas_scope(dc);
    TCanvas& canvas = canvas_scope.Get();
    RECT rc = Draw.rcItem;
    const bool selected = (Draw.itemState & ODS_SELECTED) != 0;
    const bool bar = IsBarItem(Item);
    const ToxmStyle style = Data.Style();
    const MenuPopupGeometry geo = Geometry ? *Geometry : LivePopupGeometry(Item, Draw);

    // Banner; items at the popup's left (top) edge start beside it. The edge
    // is the union's, not 0: some platforms put a margin before the items.
    ToxBanner& banner = EffectiveBanner(Item, Data);
    RECT back_area = geo.items;
    if (!bar && Data.HasOption(oxmBanner) && banner.Enabled()) {
        PaintBannerStrip(canvas, Data, Item, banner, geo);
        if (banner.Vertical()) {
            back_area.left += banner.Width();
            if (rc.left <= geo.items.left) rc.left = geo.items.left + banner.Width();
        } else {
            back_area.top += banner.Width();
            if (rc.top <= geo.items.top) rc.top = geo.items.top + banner.Width();
        }
    }
    const TColor color = EffectiveColor(Item, Data);
    const bool background = !bar && Data.HasOption(oxmBackground);
    if (background && RectWidth(back_area) > 0 && RectHeight(back_area) > 0) {
        TBitmap& picture = BackgroundPicture(Data, Item, geo.popup, back_area);
        const RECT part = Data.FirstDrawPending ? back_area : rc;
        Data.FirstDrawPending = false;
        BitBlt(dc, part.left, part.top, RectWidth(part), RectHeight(part), picture.DC(), part.left - back_area.left,
               part.top - back_area.top, SRCCOPY);
    }

    if (Item->IsLine()) {
        if (!background) {
            canvas.Brush().SetColor(color);
            canvas.FillRect(rc);
        }
        const int m = (rc.top + rc.bottom) / 2;
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FillRect(RECT{rc.left, m - 1, rc.right, m});
        canvas.Brush().SetColor(clBtnHighlight);
        canvas.FillRect(RECT{rc.left, m, rc.right, m + 1});
        return;
    }

    SetupFont(canvas, Data, Item);
    const TEXTMETRICA tm = Metrics(dc, canvas.Font());
    const int side = std::abs(canvas.Font().Height()) + tm.tmInternalLeading + 4;
    const bool image = ShowsImage(Data, Item);
    const SIZE image_size = ImageSize(Item);
    RECT glyph{rc.left, rc.top, rc.left + side, rc.top + side};
    if (image) {
        glyph.right = rc.left + std::max<int>(image_size.cx + 4, side);
        glyph.bottom = rc.top + std::max<int>(image_size.cy + 4, side);
    }
    const bool checked = Item->Checked();
    const SIZE check = CheckSize();
    int text_start = rc.left;
    if (style == oxmWin97) text_start = glyph.right + ((image || checked) ? 1 : 0);

    // Fill and selection look.
    const bool custom_font = Data.HasOption(oxmCustomFont);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    if (!custom_font) canvas.Font().SetColor(clMenuText);
    const ToxmSelectionStyle sel = Data.SelectionStyle();
    if (!selected || sel != oxmNormSel) {
        if (!background) canvas.FillRect(rc);
    }
    if (selected) {
        RECT frame = rc;
        switch (sel) {
        case oxmNormSel:
            canvas.Brush().SetColor(clHighlight);
            canvas.FillRect(rc);
            canvas.Font().SetColor(clHighlightText);
            break;
        case oxmNoSel: break;
        case oxmRaisedSel: MenuFrame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1); break;
        case oxmInsetSel: MenuFrame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1); break;
        }
    }
    canvas.Brush().SetStyle(bsClear);

    if (style == oxmWin95) {
        if (checked && !image) {
            DrawCheck(canvas, Item, rc.left, rc.top + (RectHeight(rc) - check.cy) / 2, selected, style);
            text_start += check.cx;
        }
        if (image) text_start = glyph.right;
    }

    // Caption and shortcut.
    const T3DEffect effect = !Item->Enabled() ? (selected ? ox3Flat : ox3Disabled) : EffectiveFont3D(Item, Data);
    const std::string text = KitItemText(Data, Item);
    ToxMenuOwner* owner = KitOwnerOf(Item);
    bool drawn = false;
    if (owner && owner->OnDrawText) {
        RECT r = rc;
        OffsetRect(&r, 4, 2);
        drawn = owner->OnDrawText(Item, canvas, selected, text, r);
    }
    const UINT line_flags = Data.HasOption(oxmMultiLine) ? 0u : static_cast<UINT>(DT_SINGLELINE);
    if (!drawn) {
        RECT measure{0, 0, 0, 0};
        canvas.DrawText(text, measure, DT_CALCRECT | DT_LEFT | line_flags);
        const int y = rc.top + (RectHeight(rc) - RectHeight(measure)) / 2;
        DrawText3D(canvas, RECT{text_start + 4, y, text_start + 4 + RectWidth(measure), y + RectHeight(measure)}, text,
                   0, DT_LEFT | DT_NOCLIP | line_flags, effect);
    }
    const std::string shortcut = KitShortCutText(Item);
    if (!shortcut.empty()) {
        const int h = canvas.TextHeight(shortcut);
        const int y = rc.top + (RectHeight(rc) - h) / 2;
        DrawText3D(canvas, RECT{text_start, y, rc.right - 4 - check.cx, y + h}, shortcut, 0,
                   DT_RIGHT | DT_SINGLELINE | DT_NOCLIP, effect);
    }

    // Glyph column.
    auto centred = [&](SIZE s, int plus) {
        return POINT{glyph.left + (RectWidth(glyph) - s.cx) / 2 + plus, glyph.top + (RectHeight(glyph) - s.cy) / 2 + plus};
    };
    if (style == oxmWin97 && (image || checked)) {
        if (!custom_font) canvas.Font().SetColor(clMenuText);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(color);
        if (!background) canvas.FillRect(glyph);
        RECT inner = glyph;
        const bool sunken = checked;
        if (selected || checked) {
            if (sunken) MenuFrame3D(canvas, inner, clBtnShadow, clBtnHighlight, 1);
            else MenuFrame3D(canvas, inner, clBtnHighlight, clBtnShadow, 1);
        } else if (!background) {
            canvas.FrameRect(glyph);
        }
        if (!selected && checked) ApplyMenuDither(dc, inner);
        canvas.Brush().SetStyle(bsClear);
        const int plus = checked ? 1 : 0;
        if (image) {
            const POINT at = centred(image_size, plus);
            DrawImage(canvas, Data, Item, at.x, at.y, selected);
        } else {
            const POINT at = centred(check, plus);
            DrawCheck(canvas, Item, at.x, at.y, selected, style);
        }
    } else if (image && style != oxmWin97) {
        DrawImage(canvas, Data, Item, glyph.left + 1, rc.top + (RectHeight(rc) - image_size.cy) / 2, selected);
    }
}
