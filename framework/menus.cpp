// Menu items and menus on the platform's menu API.

#include "framework/menus.h"

#include <algorithm>
#include <utility>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/callback_guard.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/gdi_owner.h"
#include "framework/image_list.h"
#include "framework/screen.h"

namespace {

// Command ids are unique among the live items of the process: ids below
// 100 are left to dialogs, ids from 0xF000 on are system commands. An id
// comes back when its item goes; the search goes round past the ids in use,
// so a new item never answers to an older item's command.
constexpr UINT kFirstCommand = 100;
constexpr UINT kEndCommand = 0xF000;
std::vector<bool>* commands_in_use = nullptr;  // made by the first item, freed with the last
UINT commands_live = 0;
UINT next_command = kFirstCommand;

UINT NewCommand() {
    if (!commands_in_use) commands_in_use = new std::vector<bool>(kEndCommand, false);
    std::vector<bool>& used = *commands_in_use;
    for (UINT tried = kFirstCommand; tried < kEndCommand; ++tried) {
        const UINT id = next_command++;
        if (next_command >= kEndCommand) next_command = kFirstCommand;
        if (used[id]) continue;
        used[id] = true;
        ++commands_live;
        return id;
    }
    throw EOutOfResources("Keine freie Men\xFC" "kennung mehr");
}

void FreeCommand(UINT id) {
    if (!commands_in_use || id < kFirstCommand || id >= kEndCommand || !(*commands_in_use)[id]) return;
    (*commands_in_use)[id] = false;
    if (--commands_live == 0) {
        delete commands_in_use;
        commands_in_use = nullptr;
    }
}

struct KeyName {
    WORD key;
    const char* name;
};

// German key names as the platform shows them in menus.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "R\xFC" "ck"}, {VK_TAB, "Tab"},       {VK_RETURN, "Eingabe"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Leer"},      {VK_PRIOR, "Bild auf"}, {VK_NEXT, "Bild ab"},  {VK_END, "Ende"},
    {VK_HOME, "Pos1"},       {VK_LEFT, "Links"},    {VK_UP, "Oben"},       {VK_RIGHT, "Rechts"},
    {VK_DOWN, "Unten"},      {VK_INSERT, "Einfg"},  {VK_DELETE, "Entf"},
};

}  // namespace

std::string ShortCutToText(TShortCut ShortCut) {
    const WORD key = ShortCut & 0xFF;
    std::string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        name = std::string(1, static_cast<char>(key));
    } else if (key >= VK_F1 && key <= VK_F24) {
        name = "F" + std::to_string(key - VK_F1 + 1);
    } else {
        for (const KeyName& k : kKeyNames)
            if (k.key == key) name = k.name;
    }
    if (name.empty()) return "";
    std::string text;
    if (ShortCut & scCtrl) text += "Strg+";
    if (ShortCut & scShift) text += "Umschalt+";
    if (ShortCut & scAlt) text += "Alt+";
    return text + name;
}

bool IsMenuMessage(UINT Msg) {
    switch (Msg) {
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
    case WM_MENUSELECT: return true;
    default: return false;
    }
}

// --- TMenuItem -------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(NewCommand()) {}

TMenuItem::~TMenuItem() { FreeCommand(command_); }

void TMenuItem::BeforeDestruction() {
    Clear();
    // Out of the parent's platform menu before the sub-menu goes, so no
    // platform item points at a destroyed menu.
    if (parent_ && parent_->handle_ && VisibleIndex() >= 0)
        RemoveMenu(parent_->handle_, static_cast<UINT>(VisibleIndex()), MF_BYPOSITION);
    if (parent_) parent_->Remove(this);
    DestroyHandle();
    TComponent::BeforeDestruction();
}

void TMenuItem::DestroyHandle() {
    if (handle_) {
        DestroyMenu(handle_);
        handle_ = nullptr;
    }
}

#define MENU_ITEM_SETTER(Name, field, rebuild)   \
    void TMenuItem::Set##Name(decltype(field) Value) { \
        if (field == Value) return;               \
        field = Value;                            \
        MenuChanged(rebuild);                     \
    }
MENU_ITEM_SETTER(ShortCut, shortcut_, false)
MENU_ITEM_SETTER(Checked, checked_, false)
MENU_ITEM_SETTER(RadioItem, radio_, false)
MENU_ITEM_SETTER(Default, default_, false)
MENU_ITEM_SETTER(Enabled, enabled_, false)
MENU_ITEM_SETTER(Visible, visible_, true)
MENU_ITEM_SETTER(Break, break_, false)
MENU_ITEM_SETTER(ImageIndex, image_index_, false)
#undef MENU_ITEM_SETTER

void TMenuItem::SetCaption(const std::string& Value) {
    if (caption_ == Value) return;
    caption_ = Value;
    MenuChanged(false);
}

TBitmap& TMenuItem::Bitmap() {
    if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
    return *bitmap_;
}

bool TMenuItem::HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item || Item == this) return;
    if (Item->parent_) Item->parent_->Remove(Item);
    Index = std::clamp(Index, 0, Count());
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(items_.begin(), items_.end(), Item);
    if (it == items_.end()) return;
    items_.erase(it);
    Item->parent_ = nullptr;
    if (!IsDestroying()) MenuChanged(true);
}

void TMenuItem::Clear() {
    while (!items_.empty()) items_.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == Item) return static_cast<int>(i);
    return -1;
}

int TMenuItem::VisibleIndex() const {
    if (!parent_ || !visible_) return -1;
    int n = 0;
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling == this) return n;
        if (sibling->visible_) ++n;
    }
    return -1;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->root_of_;
}

HMENU TMenuItem::Handle() {
    if (!handle_) {
        TMenu* menu = root_of_;
        handle_ = menu ? menu->CreateRootHandle() : CreatePopupMenu();
        RebuildItems();
    }
    return handle_;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::FillInfo(MENUITEMINFOA& Info, std::string& Text) {
    TMenu* menu = GetParentMenu();
    const bool owner_draw = menu && menu->OwnerDraw();
    Info = MENUITEMINFOA{};
    Info.cbSize = sizeof(Info);
    Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    Info.fType = 0;
    if (owner_draw) {
        Info.fType |= MFT_OWNERDRAW;
        if (IsLine()) Info.fType |= MFT_SEPARATOR;  // drawn by us, skipped by the arrow keys
    } else if (IsLine()) {
        Info.fType |= MFT_SEPARATOR;
    } else {
        Text = caption_;
        const bool top_of_bar = menu && menu->IsMainMenu() && parent_ && !parent_->parent_;
        if (shortcut_ && items_.empty() && !top_of_bar) Text += "\t" + ShortCutToText(shortcut_);
        Info.fMask |= MIIM_STRING;
        Info.dwTypeData = Text.data();
        Info.cch = static_cast<UINT>(Text.size());
    }
    if (radio_) Info.fType |= MFT_RADIOCHECK;
    if (break_) Info.fType |= MFT_MENUBREAK;
    Info.fState = (checked_ ? MFS_CHECKED : 0) | (default_ ? MFS_DEFAULT : 0) | (enabled_ ? 0 : MFS_GRAYED);
    Info.wID = command_;
    Info.hSubMenu = items_.empty() ? nullptr : Handle();
    Info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
}

void TMenuItem::UpdateItem() {
    if (!parent_ || !parent_->handle_) return;
    const int pos = VisibleIndex();
    if (pos < 0) return;
    std::string text;
    MENUITEMINFOA info;
    FillInfo(info, text);
    SetMenuItemInfoA(parent_->handle_, static_cast<UINT>(pos), TRUE, &info);
}

void TMenuItem::RebuildItems() {
    if (!handle_) return;
    // RemoveMenu keeps the sub-menus alive (they belong to their items).
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    UINT pos = 0;
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        std::string text;
        MENUITEMINFOA info;
        item->FillInfo(info, text);
        InsertMenuItemA(handle_, pos++, TRUE, &info);
    }
}

void TMenuItem::MenuChanged(bool Rebuild) {
    if (IsDestroying()) return;
    if (Rebuild) {
        if (items_.empty() && handle_ && parent_) {
            // A sub-menu without items is no sub-menu any more: the parent
            // lets go of it before it goes.
            HMENU old = std::exchange(handle_, nullptr);
            parent_->RebuildItems();
            DestroyMenu(old);
        }
        RebuildItems();
        if (parent_) parent_->RebuildItems();
    } else {
        UpdateItem();
    }
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, Rebuild);
}

void TMenuItem::MeasureItem(TCanvas& ACanvas, int& Width, int& Height) {
    if (OnMeasureItem) {
        OnMeasureItem(this, ACanvas, Width, Height);
        return;
    }
    if (IsLine()) {
        Height = 8;
        Width = 8;
        return;
    }
    std::string text = caption_;
    if (shortcut_) text += "    " + ShortCutToText(shortcut_);
    RECT r{0, 0, 0, 0};
    ACanvas.DrawText(text, r, DT_SINGLELINE | DT_CALCRECT);
    Width = r.right + 2 * GetSystemMetrics(SM_CXMENUCHECK);
    Height = std::max<int>(r.bottom + 4, GetSystemMetrics(SM_CYMENUCHECK));
}

void TMenuItem::DrawItem(TCanvas& ACanvas, RECT ARect, bool Selected) {
    ACanvas.Brush().SetColor(Selected ? clHighlight : clMenu);
    ACanvas.Font().SetColor(Selected ? clHighlightText : (enabled_ ? clMenuText : clGrayText));
    if (OnDrawItem) {
        OnDrawItem(this, ACanvas, ARect, Selected);
        return;
    }
    ACanvas.FillRect(ARect);
    if (IsLine()) {
        RECT line = ARect;
        line.top += (ARect.bottom - ARect.top) / 2 - 1;
        DrawEdge(ACanvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    ACanvas.Brush().SetStyle(bsClear);
    RECT r = ARect;
    r.left += GetSystemMetrics(SM_CXMENUCHECK) + 2;
    ACanvas.DrawText(caption_, r, DT_SINGLELINE | DT_VCENTER);
    if (shortcut_) {
        r.right -= GetSystemMetrics(SM_CXMENUCHECK);
        ACanvas.DrawText(ShortCutToText(shortcut_), r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    ACanvas.Brush().SetStyle(bsSolid);
}

// --- TMenu -------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {
    items_->SetRootMenu(this);
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
    if (items_) {
        items_->Free();
        items_ = nullptr;
    }
    SetImages(nullptr);
    TComponent::BeforeDestruction();
}

void TMenu::SetImages(TImageList* Value) {
    if (images_ == Value) return;
    WatchComponent(images_, Value);
    if (items_) MenuChanged(items_, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == images_) images_ = nullptr;
}

void TMenu::SetOwnerDraw(bool Value) {
    if (owner_draw_ == Value) return;
    owner_draw_ = Value;
    Rebuild();
}

void TMenu::Rebuild() {
    if (!items_) return;
    std::function<void(TMenuItem*)> fill = [&](TMenuItem* item) {
        item->RebuildItems();
        for (TMenuItem* child : item->items_) fill(child);
    };
    fill(items_);
    MenuChanged(items_, true);
}

namespace {

TMenuItem* FindIn(TMenuItem* item, UINT_PTR value, TFindItemKind kind) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (kind == fkCommand && child->Command() == value && child->Count() == 0) return child;
        if (kind == fkHandle && child->HandleAllocated() && reinterpret_cast<UINT_PTR>(child->Handle()) == value)
            return child;
        if (TMenuItem* found = FindIn(child, value, kind)) return found;
    }
    return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) const {
    if (!items_) return nullptr;
    if (Kind == fkHandle && items_->HandleAllocated() && reinterpret_cast<UINT_PTR>(items_->Handle()) == Value)
        return items_;
    return FindIn(items_, Value, Kind);
}

bool TMenu::Contains(const TMenuItem* Item) const { return Item && items_ && Item->GetParentMenu() == this; }

bool TMenu::DispatchCommand(UINT Command) {
    TMenuItem* item = FindItem(Command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU Menu) {
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(Menu), fkHandle);
    if (!item) return false;
    if (item != items_) item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem*, bool) {}

namespace {

bool HasSubMenu(TMenu* menu, HMENU handle) {
    return menu->FindItem(reinterpret_cast<UINT_PTR>(handle), fkHandle) != nullptr;
}

}  // namespace

void TMenu::MeasureMenuItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure) {
    WindowDC dc(nullptr);
    TBorrowedCanvas canvas(dc.Get());
    canvas.Get().Font().Assign(&Screen()->MenuFont());
    int w = 0, h = 0;
    Item->MeasureItem(canvas.Get(), w, h);
    Measure.itemWidth = static_cast<UINT>(std::max(w, 0));
    Measure.itemHeight = static_cast<UINT>(std::max(h, 0));
}

void TMenu::DrawMenuItem(TMenuItem* Item, DRAWITEMSTRUCT& Draw) {
    TBorrowedCanvas canvas(Draw.hDC);
    canvas.Get().Font().Assign(&Screen()->MenuFont());
    Item->DrawItem(canvas.Get(), Draw.rcItem, (Draw.itemState & ODS_SELECTED) != 0);
}

bool TMenu::MenuChar(char, UINT, HMENU, LRESULT&) { return false; }

void TMenu::MenuSelect(TMenuItem* Item) { Application()->Hint = Item ? GetShortHint(Item->Hint()) : std::string(); }

bool TMenu::HandleMenuMessage(TMessage& m) {
    if (!items_) return false;
    bool handled = false;
    GuardCallback([&] {
        switch (m.Msg) {
        case WM_COMMAND:
            if (m.LParam == 0 && HIWORD(m.WParam) <= 1) handled = DispatchCommand(LOWORD(m.WParam));
            if (handled) m.Result = 0;
            break;
        case WM_INITMENUPOPUP:
            handled = DispatchPopup(reinterpret_cast<HMENU>(m.WParam));
            if (handled) m.Result = 0;
            break;
        case WM_MEASUREITEM: {
            auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            if (!mi || mi->CtlType != ODT_MENU) break;
            auto* item = reinterpret_cast<TMenuItem*>(mi->itemData);
            if (!Contains(item)) break;
            handled = true;
            m.Result = 1;
            MeasureMenuItem(item, *mi);
            break;
        }
        case WM_DRAWITEM: {
            auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
            if (!di || di->CtlType != ODT_MENU) break;
            auto* item = reinterpret_cast<TMenuItem*>(di->itemData);
            if (!Contains(item)) break;
            handled = true;
            m.Result = 1;
            DrawMenuItem(item, *di);
            break;
        }
        case WM_MENUCHAR: {
            HMENU menu = reinterpret_cast<HMENU>(m.LParam);
            if (!HasSubMenu(this, menu)) break;
            LRESULT result = 0;
            if (MenuChar(static_cast<char>(LOWORD(m.WParam)), HIWORD(m.WParam), menu, result)) {
                handled = true;
                m.Result = result;
            }
            break;
        }
        case WM_MENUSELECT: {
            const UINT flags = HIWORD(m.WParam);
            HMENU menu = reinterpret_cast<HMENU>(m.LParam);
            if (!menu || !HasSubMenu(this, menu)) break;
            TMenuItem* item = nullptr;
            if (flags & MF_POPUP) {
                HMENU sub = GetSubMenu(menu, LOWORD(m.WParam));
                item = sub ? FindItem(reinterpret_cast<UINT_PTR>(sub), fkHandle) : nullptr;
            } else {
                item = FindItem(LOWORD(m.WParam), fkCommand);
            }
            MenuSelect(item);
            break;  // the default processing still runs
        }
        default: break;
        }
    });
    return handled;
}

// --- TMainMenu -------------------------------------------------------------------------------

void TMainMenu::BeforeDestruction() {
    if (form_) form_->SetMenu(nullptr);
    TMenu::BeforeDestruction();
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == form_) form_ = nullptr;
}

void TMainMenu::MenuChanged(TMenuItem* Item, bool Rebuild) {
    TMenu::MenuChanged(Item, Rebuild);
    if (form_ && form_->HandleAllocated()) DrawMenuBar(form_->Handle());
}

// --- popup list ------------------------------------------------------------------------------

namespace {

constexpr char kPopupListClass[] = "UiFrameworkPopupList";
HWND popup_window = nullptr;
std::vector<TPopupMenu*> popup_menus;

LRESULT CALLBACK PopupListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The window lives as long as popup menus do: a close request (Alt+F4
    // while it was the foreground window, a message from elsewhere) is no
    // reason to go.
    if (msg == WM_CLOSE) return 0;
    if (msg == WM_NCDESTROY && hwnd == popup_window) popup_window = nullptr;
    // The default answer stands unless a popup menu answers.
    TMessage m{msg, wParam, lParam, DefWindowProcA(hwnd, msg, wParam, lParam)};
    if (IsMenuMessage(msg)) {
        // A copy: a handler may free popup menus.
        const std::vector<TPopupMenu*> menus = popup_menus;
        for (TPopupMenu* menu : menus) {
            if (std::find(popup_menus.begin(), popup_menus.end(), menu) == popup_menus.end()) continue;
            if (menu->HandleMenuMessage(m)) break;
        }
    }
    return m.Result;
}

void ReleasePopupWindow() {
    if (popup_window) {
        DestroyWindow(popup_window);
        popup_window = nullptr;
        UnregisterClassA(kPopupListClass, GetModuleHandleA(nullptr));
    }
}

}  // namespace

HWND PopupListWindow() {
    // Made again when something destroyed it.
    if (popup_window && IsWindow(popup_window)) return popup_window;
    popup_window = nullptr;
    WNDCLASSA wc{};
    wc.lpfnWndProc = PopupListProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kPopupListClass;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    // A top-level window (not message-only): menus close on outside clicks
    // only while their owner is a foreground window.
    popup_window = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupListClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    return popup_window;
}

bool PopupListAllocated() { return popup_window != nullptr; }
int PopupMenuCount() { return static_cast<int>(popup_menus.size()); }

// --- TPopupMenu ------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { popup_menus.push_back(this); }

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::BeforeDestruction() {
    popup_menus.erase(std::remove(popup_menus.begin(), popup_menus.end(), this), popup_menus.end());
    if (popup_menus.empty()) ReleasePopupWindow();
    SetPopupComponent(nullptr);
    TMenu::BeforeDestruction();
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    WatchComponent(popup_component_, Value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == popup_component_) popup_component_ = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

UINT TPopupMenu::TrackFlags() const {
    static constexpr UINT kAlign[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    return kAlign[alignment_] | (track_button_ == tbRightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON);
}

void TPopupMenu::Popup(int X, int Y) {
    DoPopup(this);
    TrackPopup(X, Y);
}

namespace {

// The foreground window and the focus before a popup menu took them; given
// back when the menu closed, unless the user went elsewhere meanwhile.
class ForegroundKeeper {
public:
    explicit ForegroundKeeper(HWND popup_owner)
        : owner_(popup_owner), foreground_(GetForegroundWindow()), focus_(GetFocus()) {}
    ~ForegroundKeeper() {
        const HWND now = GetForegroundWindow();
        if (now && now != owner_) return;  // another window was activated
        if (foreground_ && foreground_ != owner_ && IsWindow(foreground_) && IsWindowVisible(foreground_))
            SetForegroundWindow(foreground_);
        if (focus_ && focus_ != owner_ && IsWindow(focus_) && GetFocus() != focus_ &&
            GetWindowThreadProcessId(focus_, nullptr) == GetCurrentThreadId() && IsWindowEnabled(focus_) &&
            IsWindowVisible(focus_))
            ::SetFocus(focus_);
    }
    ForegroundKeeper(const ForegroundKeeper&) = delete;
    ForegroundKeeper& operator=(const ForegroundKeeper&) = delete;

private:
    HWND owner_;
    HWND foreground_;
    HWND focus_;
};

}  // namespace

void TPopupMenu::TrackPopup(int X, int Y) {
    HWND owner = PopupListWindow();
    HMENU menu = Handle();
    if (!owner || !menu) return;
    ForegroundKeeper keep(owner);
    // The platform's rules: the owner in the foreground while tracking, and
    // a message after it, or the menu stays open on an outside click.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TrackFlags(), X, Y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}
