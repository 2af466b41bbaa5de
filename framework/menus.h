// Menus on the platform's menu API: TMenuItem (one item, owning its
// sub-items), TMenu with TMainMenu (a form's menu bar) and TPopupMenu (opened
// at a point, owned by the process-wide popup-list window). Every item sits
// in its parent's HMENU with the item object in dwItemData, so owner-draw
// messages find their item directly, also for items that open a sub-menu.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/messages.h"

class TBitmap;
class TCanvas;
class TImageList;
class TMenu;
class TCustomForm;

// A key code with the modifier bits below ("Strg+C" is 'C' | scCtrl).
using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
// "Strg+Umschalt+F5", "Entf", ...; empty for 0.
std::string ShortCutToText(TShortCut ShortCut);

// The messages a menu's owner window hands to the menu
// (TMenu::HandleMenuMessage).
bool IsMenuMessage(UINT Msg);

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, RECT ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortcut_; }
    void SetShortCut(TShortCut Value);
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    bool RadioItem() const { return radio_; }
    void SetRadioItem(bool Value);
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // Invisible items are not in the platform menu at all.
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    // Starts a new column.
    bool Break() const { return break_; }
    void SetBreak(bool Value);
    int ImageIndex() const { return image_index_; }
    void SetImageIndex(int Value);
    // The item's own picture (made on first use; empty = none).
    TBitmap& Bitmap();
    bool HasBitmap() const;
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& Value) { hint_ = Value; }

    // --- the tree ----------------------------------------------------------
    TMenuItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int Index) const { return items_.at(static_cast<size_t>(Index)); }
    // Takes the item (it leaves its former parent).
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    // Position in the parent's platform menu (visible siblings before it), -1 when hidden.
    int VisibleIndex() const;
    // The menu component the item belongs to (through the root item).
    TMenu* GetParentMenu() const;

    // Process-unique command id (WM_COMMAND) of this item.
    UINT Command() const { return command_; }
    // The sub-menu of an item with sub-items (made on first use); the root
    // item of a menu holds the menu's own handle.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // OnClick; also run when the item's sub-menu is about to open.
    virtual void Click();
    TNotifyEvent OnClick;

    // The framework's own look of an owner-drawn item, used where no one
    // else paints it: the handlers when assigned, else the caption on the
    // menu colours (clHighlight/clHighlightText when selected).
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;
    virtual void MeasureItem(TCanvas& ACanvas, int& Width, int& Height);
    virtual void DrawItem(TCanvas& ACanvas, RECT ARect, bool Selected);

    // The platform item of this object: rewritten after a change of
    // caption, state or type; the sub-menu filled again after a change of
    // the sub-items.
    void UpdateItem();
    void RebuildItems();

protected:
    void BeforeDestruction() override;
    // The menu the item belongs to changed; default: its menu is told.
    virtual void MenuChanged(bool Rebuild);

private:
    friend class TMenu;
    void FillInfo(MENUITEMINFOA& Info, std::string& Text);
    void SetRootMenu(TMenu* Menu) { root_of_ = Menu; }
    void DestroyHandle();

    TMenuItem* parent_ = nullptr;
    TMenu* root_of_ = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> items_;
    std::string caption_;
    std::string hint_;
    TShortCut shortcut_ = 0;
    bool checked_ = false;
    bool radio_ = false;
    bool default_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool break_ = false;
    int image_index_ = -1;
    UINT command_ = 0;
    HMENU handle_ = nullptr;
    std::unique_ptr<TBitmap> bitmap_;
};

enum TFindItemKind { fkCommand, fkHandle };

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item: its sub-items are the menu's top items.
    TMenuItem* Items() const { return items_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* Value);
    // Every item owner-drawn (WM_MEASUREITEM/WM_DRAWITEM), separators too.
    bool OwnerDraw() const { return owner_draw_; }
    void SetOwnerDraw(bool Value);

    // The menu's handle, built on first use.
    HMENU Handle() { return items_->Handle(); }
    // Fills every platform menu of the tree again.
    void Rebuild();

    TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind) const;
    // True when the item is in this menu's tree.
    bool Contains(const TMenuItem* Item) const;
    // Runs the item with this command; false when none has it.
    bool DispatchCommand(UINT Command);
    // Runs the item whose sub-menu is about to open; false when none.
    bool DispatchPopup(HMENU Menu);

    // Handles a menu message sent to the window that owns this menu
    // (WM_COMMAND, WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM,
    // WM_MENUCHAR, WM_MENUSELECT); false when it is not this menu's.
    // Exceptions stay inside (callback boundary).
    bool HandleMenuMessage(TMessage& Message);

    // Whether the menu is a form's menu bar (top items show no shortcut).
    virtual bool IsMainMenu() const { return false; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;
    // The root handle: CreatePopupMenu, or CreateMenu for a menu bar.
    virtual HMENU CreateRootHandle() { return CreatePopupMenu(); }
    // An item of the menu changed (after its platform item was updated).
    virtual void MenuChanged(TMenuItem* Item, bool Rebuild);

    // Owner-draw of one item of this menu; the defaults use the item's own
    // MeasureItem/DrawItem on a canvas over the message's DC.
    virtual void MeasureMenuItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure);
    virtual void DrawMenuItem(TMenuItem* Item, DRAWITEMSTRUCT& Draw);
    // WM_MENUCHAR for Menu (this menu or one of its sub-menus); false leaves
    // the answer to the platform.
    virtual bool MenuChar(char Key, UINT Flags, HMENU Menu, LRESULT& Result);
    // WM_MENUSELECT: the application hint becomes the item's hint.
    virtual void MenuSelect(TMenuItem* Item);

private:
    friend class TMenuItem;
    TMenuItem* items_;
    TImageList* images_ = nullptr;
    bool owner_draw_ = false;
};

// A form's menu bar (TCustomForm::SetMenu).
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    bool IsMainMenu() const override { return true; }
    // The form whose bar shows the menu, set by the form.
    TCustomForm* Form() const { return form_; }

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    HMENU CreateRootHandle() override { return CreateMenu(); }
    void MenuChanged(TMenuItem* Item, bool Rebuild) override;

private:
    friend class TCustomForm;
    TCustomForm* form_ = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };

// A popup menu; its menus are owned by the popup-list window, which routes
// their messages to every popup menu of the process.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // Opens the menu at the screen point and returns when it closed; the
    // chosen item runs when its posted command arrives.
    virtual void Popup(int X, int Y);
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
    TTrackButton TrackButton() const { return track_button_; }
    void SetTrackButton(TTrackButton Value) { track_button_ = Value; }
    // The control the menu was opened for (set by the control).
    TComponent* PopupComponent() const { return popup_component_; }
    void SetPopupComponent(TComponent* Value);
    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;
    virtual void DoPopup(TObject* Sender);
    // Tracks the menu at the screen point, owned by the popup-list window.
    void TrackPopup(int X, int Y);
    // The TrackPopupMenu flags of Alignment and TrackButton.
    UINT TrackFlags() const;

private:
    TPopupAlignment alignment_ = paLeft;
    TTrackButton track_button_ = tbRightButton;
    TComponent* popup_component_ = nullptr;
};

// The hidden top-level window that owns every open popup menu (made with the
// first popup menu's Popup, gone when the last popup menu goes).
HWND PopupListWindow();
bool PopupListAllocated();
int PopupMenuCount();
