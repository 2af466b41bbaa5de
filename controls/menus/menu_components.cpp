#include "controls/menus/menu_components.h"

#include <algorithm>

#include "controls/menus/menu_search.h"
#include "controls/menus/menu_subclass.h"
#include "framework/form.h"

namespace {

// The kit's popup list.
struct KitPopupList {
    std::vector<ToxPopupMenu*> popups;
};
KitPopupList* popup_list = nullptr;
bool popup_open = false;

// Position of the highlighted item of a platform menu, -1 for none.
int Highlighted(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

}  // namespace

int KitPopupCount() { return popup_list ? static_cast<int>(popup_list->popups.size()) : 0; }

LRESULT KitMenuCharSearch(TMenu* Owner, HMENU Menu, char Key) {
    TMenuItem* parent = Owner->FindItem(reinterpret_cast<UINT_PTR>(Menu), fkHandle);
    if (!parent) return 0;
    std::vector<MenuCharEntry> entries;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;  // not in the platform menu
        entries.push_back(
            MenuCharEntry{item->IsLine() ? std::string() : StripMenuMarkup(item->Caption()), item->Enabled()});
    }
    return static_cast<LRESULT>(MenuCharSearch(entries, Key, Highlighted(Menu)));
}

// --- ToxPopupMenu ------------------------------------------------------------------------------

ToxPopupMenu::ToxPopupMenu(TComponent* AOwner) : ToxMenuComponent<TPopupMenu>(AOwner) {
    if (!popup_list) popup_list = new KitPopupList();
    popup_list->popups.push_back(this);
}

ToxPopupMenu::~ToxPopupMenu() = default;

void ToxPopupMenu::BeforeDestruction() {
    if (popup_list) {
        auto& v = popup_list->popups;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        if (v.empty()) {
            delete popup_list;
            popup_list = nullptr;
        }
    }
    ToxMenuComponent<TPopupMenu>::BeforeDestruction();
}

bool ToxPopupMenu::PopupOpen() { return popup_open; }

void ToxPopupMenu::Popup(int X, int Y) {
    popup_open = true;
    DoPopup(this);
    if (Items()->Count() == 0) {
        popup_open = false;
        return;
    }
    MenuData().SetOwnerWindow(PopupListWindow());
    MenuData().SetCachesDirty(false);
    MenuPaintCaches::Reset();  // the platform reuses popup windows
    TrackPopup(X, Y);
    popup_open = false;
}

bool ToxPopupMenu::MenuChar(char Key, UINT, HMENU Menu, LRESULT& Result) {
    // Asked of the items as they are now: the menu may have changed while open.
    Result = KitMenuCharSearch(this, Menu, Key);
    return true;
}

// --- ToxMenu ---------------------------------------------------------------------------------------

ToxMenu::ToxMenu(TComponent* AOwner) : ToxMenuComponent<TMainMenu>(AOwner) {
    SetImages(nullptr);
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) subclass_ = TMenuFormSubclass::Acquire(form, this);
}

ToxMenu::~ToxMenu() = default;

void ToxMenu::BeforeDestruction() {
    if (subclass_) {
        TMenuFormSubclass::ReleaseFor(subclass_, this);
        subclass_ = nullptr;
    }
    ToxMenuComponent<TMainMenu>::BeforeDestruction();
}

void ToxMenu::AppearanceChanged() {
    ToxMenuComponent<TMainMenu>::AppearanceChanged();
    if (Form() && Form()->HandleAllocated()) {
        Rebuild();
        DrawMenuBar(Form()->Handle());
    }
}

bool ToxMenu::MenuChar(char Key, UINT, HMENU Menu, LRESULT& Result) {
    Result = KitMenuCharSearch(this, Menu, Key);
    return true;
}
