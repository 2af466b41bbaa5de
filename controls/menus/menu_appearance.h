// The menu kit's appearance model: gradients, banners, backgrounds, the
// per-menu appearance record and the kit's menu item, whose fonts, effects,
// banners, backgrounds and colours are inherited along the item tree while
// their Parent... flags are set.
#pragma once

#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/colors.h"
#include "framework/component.h"
#include "framework/events.h"
#include "framework/exceptions.h"
#include "framework/font.h"
#include "framework/menus.h"

class TCanvas;
class TMenuStrings;

enum ToxmStyle { oxmNormal, oxmWin95, oxmWin97 };
enum ToxmOption : unsigned {
    oxmCustomFont = 1u << 0,
    oxmBanner = 1u << 1,
    oxmBackground = 1u << 2,
    oxmMultiLine = 1u << 3,
    oxmUseTagAsImageIndex = 1u << 4,
};
using ToxmOptions = unsigned;
enum ToxmBackStyle { oxmSolid, oxmPictureClip, oxmPictureStretch, oxmPicturePattern, oxmHorzGradient, oxmVertGradient };
enum ToxmSelectionStyle { oxmNormSel, oxmNoSel, oxmRaisedSel, oxmInsetSel };
enum T3DEffect { ox3Normal, ox3Flat, ox3Raised, ox3Inset, ox3Ridged, ox3Grooved, ox3Shadow, ox3None, ox3Disabled };

FRAMEWORK_EXCEPTION(EInvalidIndex, Exception);
FRAMEWORK_EXCEPTION(ENotOwnerError, Exception);

// Bands from StartColor toward EndColor; the colour table is built on first
// use and dropped by every change.
class TGradient : public TPersistent {
public:
    TGradient() = default;

    // 0: bands from left to right; 1: from top to bottom; others paint nothing.
    int Direction() const { return direction_; }
    void SetDirection(int Value);
    TColor StartColor() const { return start_; }
    void SetStartColor(TColor Value);
    TColor EndColor() const { return end_; }
    void SetEndColor(TColor Value);
    // Number of bands; 0 paints one band of the start colour.
    int Steps() const { return steps_; }
    void SetSteps(int Value);

    // Entry Index (RGB); raises EInvalidIndex "Index out of range" beyond the table.
    TColor Colors(int Index);
    int TableSize() const { return static_cast<int>(table_.size()); }
    void Build();
    void FreeTable() { table_.clear(); }

    void Paint(TCanvas& Canvas, const RECT& Rect, const RECT& ClipRect);
    void PaintLeftRight(TCanvas& Canvas, const RECT& Rect, const RECT& ClipRect);
    void PaintTopDown(TCanvas& Canvas, const RECT& Rect);

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    int BandCount() const { return steps_ < 1 ? 1 : steps_; }
    int direction_ = 0;
    TColor end_ = clBlack;
    TColor start_ = clWhite;
    int steps_ = 128;
    std::vector<TColor> table_;
};

// The strip along the left (vertical) or top of a popup.
class ToxBanner : public TPersistent {
public:
    ToxBanner();
    ~ToxBanner() override;

    TFont& Font() { return font_; }
    ToxmBackStyle Style() const { return style_; }
    void SetStyle(ToxmBackStyle Value);
    TBitmap& Picture() { return picture_; }
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TGradient& GradientObject() { return gradient_; }
    // The gradient's start colour.
    TColor Gradient() const { return gradient_.StartColor(); }
    void SetGradient(TColor Value);
    T3DEffect Font3D() const { return font3d_; }
    void SetFont3D(T3DEffect Value);
    int Width() const { return width_; }
    void SetWidth(int Value);
    bool Vertical() const { return vertical_; }
    void SetVertical(bool Value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool Value) { auto_size_ = Value; }

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    TGradient gradient_;
    int width_ = 17;
    bool vertical_ = false;
    TFont font_;
    ToxmBackStyle style_ = oxmSolid;
    TBitmap picture_;
    TColor color_ = 0x808080;
    T3DEffect font3d_ = ox3Normal;
    bool enabled_ = true;
    std::string caption_;
    bool auto_size_ = true;
};

// The painted background of a popup.
class ToxMenuBack : public TPersistent {
public:
    ToxMenuBack();
    ToxmBackStyle Style() const { return style_; }
    void SetStyle(ToxmBackStyle Value);
    TBitmap& Picture() { return picture_; }
    TGradient& GradientObject() { return gradient_; }
    TColor Gradient() const { return gradient_.StartColor(); }
    void SetGradient(TColor Value);
    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    TGradient gradient_;
    ToxmBackStyle style_ = oxmSolid;
    TBitmap picture_;
};

class ToxMenuItem;

// The appearance of one kit menu (owned by its component). OnChange tells
// the component of every change, which resets the paint caches.
class ToxMenuData : public TPersistent {
public:
    explicit ToxMenuData(TMenu* Owner);
    ~ToxMenuData() override;

    TMenu* Menu() const { return menu_; }
    // The window that owns the open menu (for measuring).
    HWND OwnerWindow() const { return owner_window_; }
    void SetOwnerWindow(HWND Value) { owner_window_ = Value; }
    bool CachesDirty() const { return caches_dirty_; }
    void SetCachesDirty(bool Value) { caches_dirty_ = Value; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value) { caption_ = Value; }
    T3DEffect Font3D() const { return font3d_; }
    void SetFont3D(T3DEffect Value);
    TFont& Font() { return font_; }
    ToxmStyle Style() const { return style_; }
    void SetStyle(ToxmStyle Value);
    ToxmOptions Options() const { return options_; }
    void SetOptions(ToxmOptions Value);
    bool HasOption(ToxmOption Option) const { return (options_ & Option) != 0; }
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    ToxBanner& Banner() { return banner_; }
    ToxMenuBack& Background() { return background_; }
    ToxmSelectionStyle SelectionStyle() const { return selection_style_; }
    void SetSelectionStyle(ToxmSelectionStyle Value) { selection_style_ = Value; }
    // True: items with their own draw or measure handler are left to the
    // framework's owner-draw path.
    bool OwnerDraw() const { return owner_draw_; }
    void SetOwnerDraw(bool Value) { owner_draw_ = Value; }

    // Set when the popup opened; the first item drawn then paints the
    // whole popup's background at once.
    bool FirstDrawPending = false;

    TNotifyEvent OnChange;

private:
    void Changed();
    TMenu* menu_;
    HWND owner_window_ = nullptr;
    bool caches_dirty_ = false;
    std::string caption_;
    T3DEffect font3d_ = ox3Normal;
    TFont font_;
    ToxmStyle style_ = oxmWin95;
    ToxmOptions options_ = oxmMultiLine;
    TColor color_ = clMenu;
    ToxBanner banner_;
    ToxMenuBack background_;
    ToxmSelectionStyle selection_style_ = oxmNormSel;
    bool owner_draw_ = false;
};

// What a kit menu component offers its items and the painting.
class ToxMenuOwner {
public:
    virtual ~ToxMenuOwner() = default;
    virtual ToxMenuData& MenuData() = 0;
    // The kit's text handlers (draw: item, canvas, selected, text, rect;
    // measure: item, canvas, width 200, text, rect); true when handled.
    std::function<bool(TMenuItem* Item, TCanvas& Canvas, bool Selected, const std::string& Text, RECT& Rect)>
        OnDrawText;
    std::function<bool(TMenuItem* Item, TCanvas& Canvas, int Width, const std::string& Text, RECT& Rect)>
        OnMeasureText;
};

// The kit data of Item's menu, or nullptr for a menu of another kind.
ToxMenuData* KitDataOf(const TMenuItem* Item);
ToxMenuOwner* KitOwnerOf(const TMenuItem* Item);

class ToxMenuItem : public TMenuItem {
public:
    explicit ToxMenuItem(TComponent* AOwner);
    ~ToxMenuItem() override;

    // Effective values: the own value while the Parent... flag is False,
    // else the parent item's SubMenu... value, or the menu's.
    TFont& Font();
    void SetFont(const TFont& Value);
    T3DEffect Font3D() const;
    void SetFont3D(T3DEffect Value);
    TFont& SubMenuFont();
    void SetSubMenuFont(const TFont& Value);
    T3DEffect SubMenuFont3D() const;
    void SetSubMenuFont3D(T3DEffect Value);
    ToxBanner& SubMenuBanner();
    void SetSubMenuBanner(const ToxBanner& Value);
    ToxMenuBack& SubMenuBackground();
    void SetSubMenuBackground(const ToxMenuBack& Value);
    TColor SubMenuColor() const;
    void SetSubMenuColor(TColor Value);

    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool Value) { SetFlag(parent_font_, Value); }
    bool ParentFont3D() const { return parent_font3d_; }
    void SetParentFont3D(bool Value) { SetFlag(parent_font3d_, Value); }
    bool ParentSubMenuFont() const { return parent_sub_font_; }
    void SetParentSubMenuFont(bool Value) { SetFlag(parent_sub_font_, Value); }
    bool ParentSubMenuFont3D() const { return parent_sub_font3d_; }
    void SetParentSubMenuFont3D(bool Value) { SetFlag(parent_sub_font3d_, Value); }
    bool ParentSubMenuBanner() const { return parent_sub_banner_; }
    void SetParentSubMenuBanner(bool Value) { SetFlag(parent_sub_banner_, Value); }
    bool ParentSubMenuBackground() const { return parent_sub_background_; }
    void SetParentSubMenuBackground(bool Value) { SetFlag(parent_sub_background_, Value); }
    bool ParentSubMenuColor() const { return parent_sub_color_; }
    void SetParentSubMenuColor(bool Value) { SetFlag(parent_sub_color_, Value); }

    // The caption as "||"-separated lines.
    TMenuStrings& Lines();

private:
    ToxMenuItem* KitParent() const;
    void SetFlag(bool& Flag, bool Value);
    void Refresh();

    bool parent_sub_background_ = true;
    bool parent_sub_font3d_ = true;
    bool parent_sub_font_ = true;
    bool parent_font3d_ = true;
    bool parent_font_ = true;
    bool parent_sub_banner_ = true;
    ToxBanner sub_banner_;
    ToxMenuBack sub_background_;
    T3DEffect font3d_ = ox3Normal;
    T3DEffect sub_font3d_ = ox3Normal;
    TFont font_;
    TFont sub_font_;
    bool parent_sub_color_ = true;
    TColor sub_color_ = clMenu;
    std::unique_ptr<TMenuStrings> lines_;
};

// Effective values of the item being painted (see ToxMenuItem).
ToxBanner& EffectiveBanner(TMenuItem* Item, ToxMenuData& Data);
ToxMenuBack& EffectiveBackground(TMenuItem* Item, ToxMenuData& Data);
TColor EffectiveColor(TMenuItem* Item, ToxMenuData& Data);
TFont& EffectiveFont(TMenuItem* Item, ToxMenuData& Data);
T3DEffect EffectiveFont3D(TMenuItem* Item, ToxMenuData& Data);
