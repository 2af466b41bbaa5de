// Menus on the platform's menu API: items in their platform menus, routing
// of the menu messages, menu bars, popup and context menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/control_test_support.h"
#include "framework/custom_control.h"
#include "framework/edit.h"
#include "framework/exceptions.h"
#include "framework/menus.h"
#include "tests/framework/user_input.h"
#include "tests/framework/menu_window.h"

namespace {

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption) {
    auto* item = Create<TMenuItem>(nullptr);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

MENUITEMINFOA InfoAt(HMENU menu, int pos, char* text = nullptr, UINT size = 0) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | (text ? MIIM_STRING : 0);
    info.dwTypeData = text;
    info.cch = size;
    GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &info);
    return info;
}

// Ends the menu the thread is tracking as soon as its loop runs.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

// Real keys, as a keyboard gives them to the menu's loop.
void SendKeys(std::initializer_list<WORD> keys) {
    for (WORD vk : keys)
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
            in.ki.dwFlags = up;
            SendInput(1, &in, sizeof(INPUT));
        }
}

// What the next menu loop of the thread saw and did: whether a menu window
// showed, and which keys it was given.
struct MenuLoopScript {
    std::vector<WORD> keys;
    bool opened = false;
    int ticks = 0;
};
MenuLoopScript* script = nullptr;

// Waits for the menu window, then types the script's keys (or ends the
// menu when it has none); gives up after a second.
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    if (!script) {
        KillTimer(nullptr, id);
        return;
    }
    const bool found = ThreadShowsMenuWindow();
    if (!found && ++script->ticks < 50) return;
    KillTimer(nullptr, id);
    script->opened = found;
    if (!found || script->keys.empty()) {
        EndMenu();
        return;
    }
    for (WORD k : script->keys) SendKeys({k});
}

// Opens menu at the point with the script running in its loop; whether a menu window showed.
bool PopupWith(TPopupMenu* menu, std::vector<WORD> keys = {}) {
    MenuLoopScript s{std::move(keys)};
    script = &s;
    SetTimer(nullptr, 0, 20, RunScript);
    menu->Popup(60, 60);
    script = nullptr;
    Pump();
    return s.opened;
}

}  // namespace

TEST(ShortCutText, GermanNamesOfModifiersAndKeys) {
    const struct {
        TShortCut key;
        const char* text;
    } cases[] = {
        {static_cast<TShortCut>('C' | scCtrl), "Strg+C"},
        {static_cast<TShortCut>(VK_F5 | scCtrl | scShift), "Strg+Umschalt+F5"},
        {static_cast<TShortCut>(VK_DELETE), "Entf"},
        {static_cast<TShortCut>(VK_INSERT | scShift), "Umschalt+Einfg"},
        {static_cast<TShortCut>('X' | scAlt), "Alt+X"},
        {0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortCutToText(c.key), c.text);
}

TEST(MenuItems, VisibleItemsStandInThePlatformMenuWithTheirObjects) {
    auto* menu = Create<TPopupMenu>(nullptr);
    TMenuItem* cut = AddItem(menu->Items(), "Ausschneiden");
    TMenuItem* hidden = AddItem(menu->Items(), "Versteckt");
    TMenuItem* line = AddItem(menu->Items(), "-");
    TMenuItem* more = AddItem(menu->Items(), "Mehr");
    TMenuItem* sub = AddItem(more, "Unten");
    hidden->SetVisible(false);
    cut->SetShortCut(static_cast<TShortCut>('X' | scCtrl));
    cut->SetChecked(true);
    HMENU h = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(h), 3);
    char text[64] = {};
    MENUITEMINFOA first = InfoAt(h, 0, text, sizeof(text));
    EXPECT_STREQ(text, "Ausschneiden\tStrg+X");
    EXPECT_EQ(first.wID, cut->Command());
    EXPECT_EQ(first.dwItemData, reinterpret_cast<ULONG_PTR>(cut));
    EXPECT_TRUE(first.fState & MFS_CHECKED);
    EXPECT_TRUE(InfoAt(h, 1).fType & MFT_SEPARATOR);
    EXPECT_EQ(InfoAt(h, 1).dwItemData, reinterpret_cast<ULONG_PTR>(line));
    EXPECT_EQ(InfoAt(h, 2).hSubMenu, more->Handle());
    EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(more->Handle()), fkHandle), more);
    EXPECT_EQ(menu->FindItem(sub->Command(), fkCommand), sub);
    // A change shows at once; an item shown again takes its place.
    cut->SetEnabled(false);
    EXPECT_TRUE(InfoAt(h, 0).fState & MFS_GRAYED);
    hidden->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(h), 4);
    EXPECT_EQ(InfoAt(h, 1).dwItemData, reinterpret_cast<ULONG_PTR>(hidden));
    // Owner-drawn: every item, separators stay separators for the arrow keys.
    menu->SetOwnerDraw(true);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(InfoAt(h, i).fType & MFT_OWNERDRAW) << i;
    EXPECT_TRUE(InfoAt(h, 2).fType & MFT_SEPARATOR);
    sub->Free();
    EXPECT_EQ(InfoAt(h, 3).hSubMenu, nullptr);  // no sub-menu without items
    menu->Free();
    EXPECT_FALSE(IsMenu(h));
}

TEST(MenuItems, CommandsAndOpeningSubMenusRunTheItems) {
    auto* menu = Create<TPopupMenu>(nullptr);
    std::vector<std::string> ran;
    TMenuItem* open = AddItem(menu->Items(), "Datei");
    TMenuItem* save = AddItem(open, "Speichern");
    open->OnClick = [&](TObject*) { ran.push_back("Datei"); };
    save->OnClick = [&](TObject*) { ran.push_back("Speichern"); };
    menu->Handle();
    TMessage popup{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(open->Handle()), 0, 0};
    EXPECT_TRUE(menu->HandleMenuMessage(popup));
    TMessage command{WM_COMMAND, save->Command(), 0, 0};
    EXPECT_TRUE(menu->HandleMenuMessage(command));
    TMessage other{WM_COMMAND, 1, 0, 0};
    EXPECT_FALSE(menu->HandleMenuMessage(other));
    save->SetEnabled(false);
    EXPECT_TRUE(menu->HandleMenuMessage(command));
    EXPECT_EQ(ran, (std::vector<std::string>{"Datei", "Speichern"}));
    menu->Free();
}

TEST(MenuItems, AnExceptionInAnOwnerDrawHandlerStaysInsideTheMenu) {
    auto* menu = Create<TPopupMenu>(nullptr);
    menu->SetOwnerDraw(true);
    TMenuItem* item = AddItem(menu->Items(), "Fehler");
    item->OnDrawItem = [](TObject*, TCanvas&, RECT, bool) { throw EInvalidOperation("Zeichnen misslungen"); };
    TBitmap bmp(50, 20);
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.hDC = bmp.DC();
    d.rcItem = RECT{0, 0, 50, 20};
    d.itemData = reinterpret_cast<ULONG_PTR>(item);
    TMessage m{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d), 0};
    ControlTestEnvironment::CaughtExceptions().clear();
    EXPECT_TRUE(menu->HandleMenuMessage(m));
    EXPECT_EQ(m.Result, 1);
    EXPECT_EQ(ControlTestEnvironment::CaughtExceptions(), std::vector<std::string>{"Zeichnen misslungen"});
    // Item data of someone else's menu is not taken for an item.
    auto* stranger = Create<TMenuItem>(nullptr);
    d.itemData = reinterpret_cast<ULONG_PTR>(stranger);
    EXPECT_FALSE(menu->HandleMenuMessage(m));
    stranger->Free();
    menu->Free();
}

TEST(MainMenu, TheFormShowsItsBarAndLosesItWithTheMenu) {
    TForm* form = ShowTestForm();
    auto* bar = Create<TMainMenu>(nullptr);
    TMenuItem* file = AddItem(bar->Items(), "&Datei");
    int ran = 0;
    TMenuItem* end = AddItem(file, "&Beenden");
    end->OnClick = [&](TObject*) { ++ran; };
    form->SetMenu(bar);
    EXPECT_EQ(GetMenu(form->Handle()), bar->Items()->Handle());
    SendMessageA(form->Handle(), WM_COMMAND, end->Command(), 0);
    EXPECT_EQ(ran, 1);
    // The window going does not take the menu's handle with it.
    HMENU h = bar->Handle();
    form->RecreateWnd();
    EXPECT_TRUE(IsMenu(h));
    EXPECT_EQ(GetMenu(form->Handle()), h);
    bar->Free();
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    form->Free();
}

TEST(PopupMenu, ContextMenuOpensForTheControlFromMouseAndKeyboard) {
    TForm* form = ShowTestForm();
    auto* control = Place<TCustomControl>(form, form, 10, 10, 100, 50);
    auto* menu = Create<TPopupMenu>(form);
    AddItem(menu->Items(), "Kopieren");
    control->SetPopupMenu(menu);
    std::vector<TComponent*> opened;
    menu->OnPopup = [&](TObject*) {
        opened.push_back(menu->PopupComponent());
        SetTimer(nullptr, 0, 30, EndMenuSoon);
    };
    const POINT at = control->ClientToScreen(POINT{5, 5});
    SendMessageA(control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()),
                 MAKELPARAM(at.x, at.y));
    SendMessageA(control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), -1);
    EXPECT_EQ(opened, (std::vector<TComponent*>{control, control}));
    EXPECT_TRUE(PopupListAllocated());
    // The menu goes: the control forgets it, the popup list goes with the last.
    menu->Free();
    EXPECT_EQ(control->PopupMenu(), nullptr);
    EXPECT_FALSE(PopupListAllocated());
    form->Free();
}

TEST(PopupMenu, TheFieldThatHadTheFocusHasItAgainAfterEscapeOrACommand) {
    TForm* form = ShowTestForm();
    auto* edit = Place<TCustomEdit>(form, form, 10, 10, 150, 22);
    auto* menu = Create<TPopupMenu>(form);
    TMenuItem* all = AddItem(menu->Items(), "Alles markieren");
    all->OnClick = [&](TObject*) { SendMessageA(edit->Handle(), EM_SETSEL, 0, -1); };
    edit->SetText("Hallo");
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    SendMessageA(edit->Handle(), EM_SETSEL, 5, 5);
    ASSERT_EQ(GetFocus(), edit->Handle());

    // Escape: nothing ran, the next typed key goes into the field.
    ASSERT_TRUE(PopupWith(menu, {VK_ESCAPE}));
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), edit->Handle());
    user_input::TypeText("x");
    EXPECT_EQ(edit->GetText(), "Hallox");

    // A command: it runs, and typing replaces what it selected.
    ASSERT_TRUE(PopupWith(menu, {VK_DOWN, VK_RETURN}));
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), edit->Handle());
    user_input::TypeText("y");
    EXPECT_EQ(edit->GetText(), "y");
    form->Free();
}

TEST(PopupMenu, TheHiddenOwnerWindowOutlivesACloseRequestAndIsMadeAgainWhenDestroyed) {
    auto* menu = Create<TPopupMenu>(nullptr);
    AddItem(menu->Items(), "Kopieren");
    ASSERT_TRUE(PopupWith(menu));
    HWND owner = PopupListWindow();
    SendMessageA(owner, WM_CLOSE, 0, 0);  // Alt+F4 while it was the foreground window
    EXPECT_TRUE(IsWindow(owner));
    EXPECT_EQ(PopupListWindow(), owner);
    EXPECT_TRUE(PopupWith(menu)) << "no menu after WM_CLOSE";
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_TRUE(PopupWith(menu)) << "no menu after the owner was destroyed";
    EXPECT_TRUE(IsWindow(PopupListWindow()));
    menu->Free();
    EXPECT_FALSE(PopupListAllocated());
}

TEST(MenuItems, CommandIdsNeverRepeatTheIdOfALiveItem) {
    auto* first = Create<TPopupMenu>(nullptr);
    std::vector<std::string> ran;
    TMenuItem* a = AddItem(first->Items(), "A-Eins");
    a->OnClick = [&](TObject*) { ran.push_back("A-Eins"); };
    const UINT kept = a->Command();
    // More items made and freed than there are ids: none takes a live id.
    for (int i = 0; i < 0xF000; ++i) {
        auto* passing = Create<TMenuItem>(nullptr);
        const UINT id = passing->Command();
        passing->Free();
        ASSERT_NE(id, kept) << "after " << i << " items";
        ASSERT_GE(id, 100u);
        ASSERT_LT(id, 0xF000u);
    }
    auto* second = Create<TPopupMenu>(nullptr);
    TMenuItem* b = AddItem(second->Items(), "B-Eins");
    b->OnClick = [&](TObject*) { ran.push_back("B-Eins"); };
    second->Handle();
    first->Handle();
    SendMessageA(PopupListWindow(), WM_COMMAND, b->Command(), 0);
    SendMessageA(PopupListWindow(), WM_COMMAND, a->Command(), 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"B-Eins", "A-Eins"}));

    // With every id taken a new item is refused, not given a taken id.
    std::vector<TMenuItem*> all;
    std::string error;
    for (;;) {
        try {
            all.push_back(Create<TMenuItem>(nullptr));
        } catch (const EOutOfResources& e) {
            error = e.what();
            break;
        }
        ASSERT_LT(all.size(), 0x10000u);
    }
    EXPECT_EQ(error, "Keine freie Men\xFC" "kennung mehr");
    EXPECT_GT(all.size(), 0xF000u - 200u);
    const UINT freed = all.back()->Command();
    all.back()->Free();
    all.pop_back();
    auto* again = Create<TMenuItem>(nullptr);
    EXPECT_EQ(again->Command(), freed);
    again->Free();
    for (TMenuItem* item : all) item->Free();
    first->Free();
    second->Free();
}
