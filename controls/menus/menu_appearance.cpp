#include "controls/menus/menu_appearance.h"

#include "controls/menus/menu_gradient_math.h"
#include "controls/menus/menu_strings.h"
#include "framework/canvas.h"
#include "framework/graphics_base.h"

#include <algorithm>

// --- TGradient -------------------------------------------------------------------------------

void TGradient::Changed() {
    FreeTable();
    if (OnChange) OnChange(this);
}

void TGradient::SetDirection(int Value) {
    if (direction_ == Value) return;
    direction_ = Value;
    Changed();
}

void TGradient::SetStartColor(TColor Value) {
    if (start_ == Value) return;
    start_ = Value;
    Changed();
}

void TGradient::SetEndColor(TColor Value) {
    if (end_ == Value) return;
    end_ = Value;
    Changed();
}

void TGradient::SetSteps(int Value) {
    Value = std::clamp(Value, 0, 255);
    if (steps_ == Value) return;
    steps_ = Value;
    Changed();
}

void TGradient::Build() {
    table_.clear();
    const int n = BandCount();
    const auto start = static_cast<uint32_t>(ColorToRGB(start_));
    const auto end = static_cast<uint32_t>(ColorToRGB(end_));
    table_.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) table_.push_back(static_cast<TColor>(MenuGradientEntry(start, end, n, i)));
}

TColor TGradient::Colors(int Index) {
    if (table_.empty()) Build();
    if (Index < 0 || Index >= TableSize()) throw EInvalidIndex("Index out of range");
    return table_[static_cast<size_t>(Index)];
}

void TGradient::Paint(TCanvas& Canvas, const RECT& Rect, const RECT& ClipRect) {
    if (direction_ == 0) PaintLeftRight(Canvas, Rect, ClipRect);
    else if (direction_ == 1) PaintTopDown(Canvas, Rect);
}

void TGradient::PaintLeftRight(TCanvas& Canvas, const RECT& Rect, const RECT& ClipRect) {
    const int n = BandCount();
    for (int i = 0; i < n; ++i) {
        const MenuGradientBand band = MenuGradientBandAt(Rect.right - Rect.left, n, i);
        RECT r{Rect.left + band.offset, Rect.top, Rect.left + band.offset + band.size, Rect.bottom};
        RECT clipped;
        if (!IntersectRect(&clipped, &r, &ClipRect)) continue;
        Canvas.Brush().SetColor(Colors(i));
        Canvas.FillRect(clipped);
    }
}

void TGradient::PaintTopDown(TCanvas& Canvas, const RECT& Rect) {
    const int n = BandCount();
    for (int i = 0; i < n; ++i) {
        const MenuGradientBand band = MenuGradientBandAt(Rect.bottom - Rect.top, n, i);
        Canvas.Brush().SetColor(Colors(i));
        Canvas.FillRect(RECT{Rect.left, Rect.top + band.offset, Rect.right, Rect.top + band.offset + band.size});
    }
}

void TGradient::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TGradient*>(Source)) {
        direction_ = src->direction_;
        start_ = src->start_;
        end_ = src->end_;
        steps_ = src->steps_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// --- ToxBanner -------------------------------------------------------------------------------

ToxBanner::ToxBanner() {
    font_.SetName("Arial");
    font_.SetSize(8);
    font_.SetColor(clWhite);
    font_.OnChange = [this](TObject*) { Changed(); };
    gradient_.OnChange = [this](TObject*) { Changed(); };
    picture_.OnChange = [this](TObject*) { Changed(); };
}

ToxBanner::~ToxBanner() {
    font_.OnChange = nullptr;
    gradient_.OnChange = nullptr;
    picture_.OnChange = nullptr;
}

void ToxBanner::Changed() {
    if (OnChange) OnChange(this);
}

#define BANNER_SETTER(Class, Name, Type, field) \
    void Class::Set##Name(Type Value) {         \
        if (field == Value) return;             \
        field = Value;                          \
        Changed();                              \
    }
BANNER_SETTER(ToxBanner, Style, ToxmBackStyle, style_)
BANNER_SETTER(ToxBanner, Color, TColor, color_)
BANNER_SETTER(ToxBanner, Font3D, T3DEffect, font3d_)
BANNER_SETTER(ToxBanner, Width, int, width_)
BANNER_SETTER(ToxBanner, Vertical, bool, vertical_)
BANNER_SETTER(ToxBanner, Caption, const std::string&, caption_)
BANNER_SETTER(ToxBanner, Enabled, bool, enabled_)
BANNER_SETTER(ToxMenuBack, Style, ToxmBackStyle, style_)

void ToxBanner::SetGradient(TColor Value) { gradient_.SetStartColor(Value); }

void ToxBanner::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const ToxBanner*>(Source)) {
        if (src == this) return;
        style_ = src->style_;
        picture_.Assign(&src->picture_);
        font_.Assign(&src->font_);
        color_ = src->color_;
        gradient_.Assign(&src->gradient_);
        font3d_ = src->font3d_;
        width_ = src->width_;
        vertical_ = src->vertical_;
        caption_ = src->caption_;
        enabled_ = src->enabled_;
        auto_size_ = src->auto_size_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// --- ToxMenuBack -----------------------------------------------------------------------------

ToxMenuBack::ToxMenuBack() {
    gradient_.OnChange = [this](TObject*) { Changed(); };
    picture_.OnChange = [this](TObject*) { Changed(); };
}

void ToxMenuBack::Changed() {
    if (OnChange) OnChange(this);
}

void ToxMenuBack::SetGradient(TColor Value) { gradient_.SetStartColor(Value); }

void ToxMenuBack::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const ToxMenuBack*>(Source)) {
        if (src == this) return;
        style_ = src->style_;
        picture_.Assign(&src->picture_);
        gradient_.Assign(&src->gradient_);
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// --- ToxMenuData -----------------------------------------------------------------------------

ToxMenuData::ToxMenuData(TMenu* Owner) : menu_(Owner) {
    font_.OnChange = [this](TObject*) { Changed(); };
    banner_.OnChange = [this](TObject*) { Changed(); };
    background_.OnChange = [this](TObject*) { Changed(); };
}

ToxMenuData::~ToxMenuData() {
    font_.OnChange = nullptr;
    banner_.OnChange = nullptr;
    background_.OnChange = nullptr;
}

void ToxMenuData::Changed() {
    caches_dirty_ = true;
    if (OnChange) OnChange(this);
}

BANNER_SETTER(ToxMenuData, Font3D, T3DEffect, font3d_)
BANNER_SETTER(ToxMenuData, Style, ToxmStyle, style_)
BANNER_SETTER(ToxMenuData, Options, ToxmOptions, options_)
BANNER_SETTER(ToxMenuData, Color, TColor, color_)
#undef BANNER_SETTER

ToxMenuData* KitDataOf(const TMenuItem* Item) {
    ToxMenuOwner* owner = KitOwnerOf(Item);
    return owner ? &owner->MenuData() : nullptr;
}

ToxMenuOwner* KitOwnerOf(const TMenuItem* Item) {
    return Item ? dynamic_cast<ToxMenuOwner*>(Item->GetParentMenu()) : nullptr;
}

// --- ToxMenuItem -----------------------------------------------------------------------------

ToxMenuItem::ToxMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {
    auto refresh = [this](TObject*) { Refresh(); };
    sub_banner_.OnChange = refresh;
    sub_background_.OnChange = refresh;
    font_.OnChange = refresh;
    sub_font_.OnChange = refresh;
}

ToxMenuItem::~ToxMenuItem() {
    sub_banner_.OnChange = nullptr;
    sub_background_.OnChange = nullptr;
    font_.OnChange = nullptr;
    sub_font_.OnChange = nullptr;
}

ToxMenuItem* ToxMenuItem::KitParent() const { return dynamic_cast<ToxMenuItem*>(Parent()); }

void ToxMenuItem::Refresh() {
    if (ToxMenuData* data = KitDataOf(this)) data->SetCachesDirty(true);
    UpdateItem();
}

void ToxMenuItem::SetFlag(bool& Flag, bool Value) {
    if (Flag == Value) return;
    Flag = Value;
    Refresh();
}


TFont& ToxMenuItem::Font() {
    if (!parent_font_) return font_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuFont();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Font() : font_;
}

void ToxMenuItem::SetFont(const TFont& Value) {
    parent_font_ = false;
    font_.Assign(&Value);
    Refresh();
}

T3DEffect ToxMenuItem::Font3D() const {
    if (!parent_font3d_) return font3d_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuFont3D();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Font3D() : font3d_;
}

void ToxMenuItem::SetFont3D(T3DEffect Value) {
    parent_font3d_ = false;
    font3d_ = Value;
    Refresh();
}

TFont& ToxMenuItem::SubMenuFont() {
    if (!parent_sub_font_) return sub_font_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuFont();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Font() : sub_font_;
}

void ToxMenuItem::SetSubMenuFont(const TFont& Value) {
    parent_sub_font_ = false;
    sub_font_.Assign(&Value);
    Refresh();
}

T3DEffect ToxMenuItem::SubMenuFont3D() const {
    if (!parent_sub_font3d_) return sub_font3d_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuFont3D();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Font3D() : sub_font3d_;
}

void ToxMenuItem::SetSubMenuFont3D(T3DEffect Value) {
    parent_sub_font3d_ = false;
    sub_font3d_ = Value;
    Refresh();
}

ToxBanner& ToxMenuItem::SubMenuBanner() {
    if (!parent_sub_banner_) return sub_banner_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuBanner();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Banner() : sub_banner_;
}

void ToxMenuItem::SetSubMenuBanner(const ToxBanner& Value) {
    parent_sub_banner_ = false;
    sub_banner_.Assign(&Value);
}

ToxMenuBack& ToxMenuItem::SubMenuBackground() {
    if (!parent_sub_background_) return sub_background_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuBackground();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Background() : sub_background_;
}

void ToxMenuItem::SetSubMenuBackground(const ToxMenuBack& Value) {
    parent_sub_background_ = false;
    sub_background_.Assign(&Value);
}

TColor ToxMenuItem::SubMenuColor() const {
    if (!parent_sub_color_) return sub_color_;
    if (ToxMenuItem* p = KitParent()) return p->SubMenuColor();
    ToxMenuData* data = KitDataOf(this);
    return data ? data->Color() : sub_color_;
}

void ToxMenuItem::SetSubMenuColor(TColor Value) {
    parent_sub_color_ = false;
    sub_color_ = Value;
    Refresh();
}

TMenuStrings& ToxMenuItem::Lines() {
    if (!lines_) lines_ = std::make_unique<TMenuStrings>(this);
    return *lines_;
}

// --- effective values ------------------------------------------------------------------------

ToxBanner& EffectiveBanner(TMenuItem* Item, ToxMenuData& Data) {
    if (auto* p = dynamic_cast<ToxMenuItem*>(Item ? Item->Parent() : nullptr)) return p->SubMenuBanner();
    return Data.Banner();
}

ToxMenuBack& EffectiveBackground(TMenuItem* Item, ToxMenuData& Data) {
    if (auto* p = dynamic_cast<ToxMenuItem*>(Item ? Item->Parent() : nullptr)) return p->SubMenuBackground();
    return Data.Background();
}

TColor EffectiveColor(TMenuItem* Item, ToxMenuData& Data) {
    if (auto* p = dynamic_cast<ToxMenuItem*>(Item ? Item->Parent() : nullptr)) return p->SubMenuColor();
    return Data.Color();
}

TFont& EffectiveFont(TMenuItem* Item, ToxMenuData& Data) {
    if (auto* kit = dynamic_cast<ToxMenuItem*>(Item)) return kit->Font();
    return Data.Font();
}

T3DEffect EffectiveFont3D(TMenuItem* Item, ToxMenuData& Data) {
    if (auto* kit = dynamic_cast<ToxMenuItem*>(Item)) return kit->Font3D();
    return Data.Font3D();
}
