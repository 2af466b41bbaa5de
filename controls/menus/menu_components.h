// The kit's menu components: ToxPopupMenu (the popup menu in the kit's
// looks, with the letter search of its popup list) and ToxMenu (a form's
// menu bar in the kit's looks, hooked to its form by TMenuFormSubclass).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/menus/menu_appearance.h"
#include "controls/menus/menu_paint.h"
#include "framework/menus.h"

class TMenuFormSubclass;

// The appearance setters both components share; each change resets the
// paint caches.
template <class Base>
class ToxMenuComponent : public Base, public ToxMenuOwner {
public:
    explicit ToxMenuComponent(TComponent* AOwner) : Base(AOwner), data_(this) {
        Base::SetOwnerDraw(true);
        data_.OnChange = [this](TObject*) { AppearanceChanged(); };
    }
    ~ToxMenuComponent() override { data_.OnChange = nullptr; }

    ToxMenuData& MenuData() override { return data_; }
    ToxmStyle Style() const { return data_.Style(); }
    // oxmNormal is a plain platform menu; the others are drawn by the kit.
    void SetStyle(ToxmStyle Value) {
        data_.SetStyle(Value);
        Base::SetOwnerDraw(Value != oxmNormal);
    }
    ToxmOptions Options() const { return data_.Options(); }
    void SetOptions(ToxmOptions Value) { data_.SetOptions(Value); }
    TColor Color() const { return data_.Color(); }
    void SetColor(TColor Value) { data_.SetColor(Value); }
    TFont& Font() { return data_.Font(); }
    ToxBanner& Banner() { return data_.Banner(); }
    ToxMenuBack& Background() { return data_.Background(); }
    const std::string& Caption() const { return data_.Caption(); }
    void SetCaption(const std::string& Value) { data_.SetCaption(Value); }
    T3DEffect Font3D() const { return data_.Font3D(); }
    void SetFont3D(T3DEffect Value) { data_.SetFont3D(Value); }
    ToxmSelectionStyle SelectionStyle() const { return data_.SelectionStyle(); }
    void SetSelectionStyle(ToxmSelectionStyle Value) { data_.SetSelectionStyle(Value); }
    bool KitOwnerDraw() const { return data_.OwnerDraw(); }
    void SetKitOwnerDraw(bool Value) { data_.SetOwnerDraw(Value); }
    TImageList* ImageList() const { return Base::Images(); }
    void SetImageList(TImageList* Value) { Base::SetImages(Value); }

protected:
    virtual void AppearanceChanged() { MenuPaintCaches::Reset(); }
    // Items with their own handlers go the framework's way while OwnerDraw is on.
    void MeasureMenuItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure) override {
        if (data_.OwnerDraw() && Item->OnMeasureItem) Base::MeasureMenuItem(Item, Measure);
        else MeasureKitItem(data_, Item, Measure, data_.OwnerWindow());
    }
    void DrawMenuItem(TMenuItem* Item, DRAWITEMSTRUCT& Draw) override {
        if (data_.OwnerDraw() && Item->OnDrawItem) Base::DrawMenuItem(Item, Draw);
        else DrawKitItem(data_, Item, Draw);
    }

private:
    MenuPaintCaches caches_;
    ToxMenuData data_;
};

class ToxPopupMenu : public ToxMenuComponent<TPopupMenu> {
public:
    explicit ToxPopupMenu(TComponent* AOwner);
    ~ToxPopupMenu() override;

    void Popup(int X, int Y) override;
    // True while a kit popup is being tracked.
    static bool PopupOpen();

protected:
    void BeforeDestruction() override;
    bool MenuChar(char Key, UINT Flags, HMENU Menu, LRESULT& Result) override;
};

int KitPopupCount();

// The menu-character search over the platform menu Menu of a framework
// menu, on its items as they are now (one entry per position, captions
// without markup; see MenuCharSearch).
LRESULT KitMenuCharSearch(TMenu* Owner, HMENU Menu, char Key);

class ToxMenu : public ToxMenuComponent<TMainMenu> {
public:
    explicit ToxMenu(TComponent* AOwner);
    ~ToxMenu() override;
    TMenuFormSubclass* FormSubclass() const { return subclass_; }

protected:
    void BeforeDestruction() override;
    void AppearanceChanged() override;
    bool MenuChar(char Key, UINT Flags, HMENU Menu, LRESULT& Result) override;

private:
    TMenuFormSubclass* subclass_ = nullptr;
};
