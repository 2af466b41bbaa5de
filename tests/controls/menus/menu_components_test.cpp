// The kit's components: owner-draw by style, the popup's letters and its
// answers to WM_MENUCHAR, caption lines, the window hooks.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/menus/menu_components.h"
#include "controls/menus/menu_paint.h"
#include "controls/menus/menu_search.h"
#include "controls/menus/menu_strings.h"
#include "controls/menus/menu_subclass.h"
#include "framework/control_test_support.h"
#include "framework/custom_control.h"
#include "framework/timer.h"
#include "framework/utility_window.h"
#include "tests/framework/menu_window.h"

namespace {

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

ToxMenuItem* AddKitItem(TMenuItem* parent, const std::string& caption) {
    auto* item = Create<ToxMenuItem>(nullptr);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

bool OwnerDrawn(HMENU menu, int pos) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
}

}  // namespace

TEST(KitPopupMenu, StyleDecidesWhetherTheItemsAreOwnerDrawn) {
    auto* menu = Create<ToxPopupMenu>(nullptr);
    AddKitItem(menu->Items(), "Kopieren");
    AddKitItem(menu->Items(), "-");
    HMENU h = menu->Handle();
    EXPECT_TRUE(OwnerDrawn(h, 0));
    EXPECT_TRUE(OwnerDrawn(h, 1));
    menu->SetStyle(oxmNormal);
    EXPECT_FALSE(OwnerDrawn(h, 0));
    EXPECT_FALSE(OwnerDrawn(h, 1));
    menu->SetStyle(oxmWin97);
    EXPECT_TRUE(OwnerDrawn(h, 0));
    menu->Free();
}

TEST(KitPopupMenu, LettersSkipHiddenItemsSoAPressRunsTheRightItem) {
    auto* menu = Create<ToxPopupMenu>(nullptr);
    const char* captions[] = {"Ausschneiden", "<b>Kopieren</b>", "Einf\xFCgen", "-", "Alles markieren",
                              "Symbol einf\xFCgen"};
    std::vector<ToxMenuItem*> items;
    for (const char* c : captions) items.push_back(AddKitItem(menu->Items(), c));
    items[0]->SetVisible(false);  // a hidden item first: every later position moves
    items[2]->SetEnabled(false);
    menu->OnPopup = [](TObject*) { SetTimer(nullptr, 0, 30, EndMenuSoon); };
    menu->Popup(10, 10);
    // 'k' finds "Kopieren" (its markup left out) at platform position 0 and runs it at once.
    TMessage m{WM_MENUCHAR, 'k', reinterpret_cast<LPARAM>(menu->Handle()), 0};
    ASSERT_TRUE(menu->HandleMenuMessage(m));
    EXPECT_EQ(static_cast<uint32_t>(m.Result), MenuCharAnswer(0, kMenuCharExecute));
    EXPECT_EQ(menu->Items()->Items(1)->VisibleIndex(), 0);
    // Only the disabled "Einfuegen" shows an E: the menu closes.
    TMessage disabled{WM_MENUCHAR, 'e', reinterpret_cast<LPARAM>(menu->Handle()), 0};
    ASSERT_TRUE(menu->HandleMenuMessage(disabled));
    EXPECT_EQ(static_cast<uint32_t>(disabled.Result), MenuCharAnswer(1, kMenuCharClose));
    TMessage none{WM_MENUCHAR, 'z', reinterpret_cast<LPARAM>(menu->Handle()), 0};
    ASSERT_TRUE(menu->HandleMenuMessage(none));
    EXPECT_EQ(none.Result, 0);
    menu->Free();
}

namespace {

// Real keys, as a keyboard gives them to the menu's loop.
void SendKey(WORD vk) {
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up;
        SendInput(1, &in, sizeof(INPUT));
    }
}

// Inside the next menu loop: once the menu shows, `first` runs, then the keys are typed.
struct LoopScript {
    std::function<void()> first;
    std::vector<WORD> keys;
    bool shown = false;
    int ticks = 0;
    UINT_PTR end_timer = 0;
};
LoopScript* loop_script = nullptr;

void CALLBACK RunLoopScript(HWND, UINT, UINT_PTR id, DWORD) {
    if (!loop_script) {
        KillTimer(nullptr, id);
        return;
    }
    const bool shown = ThreadShowsMenuWindow();
    if (!shown && ++loop_script->ticks < 50) return;
    KillTimer(nullptr, id);
    loop_script->shown = shown;
    if (!shown) {
        EndMenu();
        return;
    }
    if (loop_script->first) loop_script->first();
    for (WORD k : loop_script->keys) SendKey(k);
    // Whatever the keys left open is closed.
    loop_script->end_timer = SetTimer(nullptr, 0, 300, EndMenuSoon);
}

// The captions of the items that ran when menu was opened and the script played.
std::vector<std::string> RunPopup(ToxPopupMenu* menu, LoopScript script) {
    std::vector<std::string> ran;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        item->OnClick = [&ran, item](TObject*) { ran.push_back(item->Caption()); };
    }
    loop_script = &script;
    SetTimer(nullptr, 0, 20, RunLoopScript);
    menu->Popup(40, 40);
    loop_script = nullptr;
    if (script.end_timer) KillTimer(nullptr, script.end_timer);
    WaitUntil([] { return false; }, 100);
    EXPECT_TRUE(script.shown) << "the menu did not show";
    return ran;
}

}  // namespace

TEST(KitPopupMenu, ATypedLetterRunsTheItemThatShowsItUnderlinedAlsoAfterTheMenuChangedWhileOpen) {
    auto* menu = Create<ToxPopupMenu>(nullptr);
    for (const char* c : {"Ausschneiden", "&Kopieren", "Kalender", "Einf\xFCgen"}) AddKitItem(menu->Items(), c);
    EXPECT_EQ(RunPopup(menu, LoopScript{nullptr, {'K'}}), std::vector<std::string>{"&Kopieren"});
    menu->Free();

    // "Ausschneiden" hidden while the menu is open: k still runs "Kopieren".
    menu = Create<ToxPopupMenu>(nullptr);
    for (const char* c : {"Ausschneiden", "Kopieren", "Einf\xFCgen"}) AddKitItem(menu->Items(), c);
    TMenuItem* cut = menu->Items()->Items(0);
    EXPECT_EQ(RunPopup(menu, LoopScript{[cut] { cut->SetVisible(false); }, {'K'}}),
              std::vector<std::string>{"Kopieren"});
    menu->Free();
}

TEST(KitPopupMenu, AMenuWithoutItemsDoesNotOpen) {
    auto* menu = Create<ToxPopupMenu>(nullptr);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    menu->Popup(10, 10);
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(ToxPopupMenu::PopupOpen());
    menu->Free();
    EXPECT_EQ(KitPopupCount(), 0);
}

TEST(CaptionStrings, LinesOfACaptionWrittenBackWhole) {
    auto* menu = Create<ToxPopupMenu>(nullptr);
    ToxMenuItem* item = AddKitItem(menu->Items(), "A||B");
    TStrings& lines = item->Lines();
    EXPECT_EQ(lines.Count(), 2);
    lines.Add("C");
    EXPECT_EQ(item->Caption(), "A||B||C");
    lines.Delete(0);
    EXPECT_EQ(item->Caption(), "B||C");
    lines.Clear();
    EXPECT_EQ(item->Caption(), "");
    menu->Free();

    // A caption longer than 255 characters keeps its tail through an edit.
    TForm* form = ShowTestForm();
    auto* control = Place<TCustomControl>(form, form, 0, 0, 10, 10);
    const std::string head(300, 'x');
    control->SetCaption(head + "||Ende");
    int changes = 0;
    TCaptionStrings caption(control);
    caption.Put(0, head + "y");
    EXPECT_EQ(control->Caption(), head + "y||Ende");
    EXPECT_EQ(caption[1], "Ende");
    (void)changes;
    form->Free();
}

TEST(KitSubclass, HookNeedsAWindowAndItsReattachTimerGoesWithIt) {
    auto* hook = Create<ToxBaseSubClass>(nullptr);
    hook->SetHandle(reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(ErrorOf<ENotOwnerError>([&] { hook->SetActive(true); }), "Not a valid Window");
    EXPECT_FALSE(hook->Active());
    hook->Free();

    TForm* form = ShowTestForm();
    hook = Create<ToxBaseSubClass>(nullptr);
    hook->SetControl(form);
    hook->SetActive(true);
    ASSERT_TRUE(hook->Active());
    const int timers = UtilityTimerCount();
    form->RecreateWnd();
    EXPECT_TRUE(hook->Reattaching());
    EXPECT_TRUE(WaitUntil([&] { return !hook->Reattaching(); }, 3000));
    EXPECT_TRUE(hook->Active());
    EXPECT_EQ(hook->Handle(), form->Handle());
    // Freed while it waits for a new window: its timer goes with it.
    form->RecreateWnd();
    EXPECT_TRUE(hook->Reattaching());
    hook->Free();
    EXPECT_EQ(UtilityTimerCount(), timers);
    Pump();
    form->Free();
}

TEST(KitMainMenu, MenusOfOneFormShareOneHook) {
    TForm* form = ShowTestForm();
    auto* first = Create<ToxMenu>(form);
    auto* second = Create<ToxMenu>(form);
    ASSERT_NE(first->FormSubclass(), nullptr);
    EXPECT_EQ(first->FormSubclass(), second->FormSubclass());
    EXPECT_EQ(first->FormSubclass()->UseCount(), 2);
    TMenuFormSubclass* hook = second->FormSubclass();
    first->Free();
    EXPECT_EQ(hook->UseCount(), 1);
    EXPECT_TRUE(hook->Active());
    // The hook answers the menu-character question for the bar's menus.
    ToxMenuItem* file = AddKitItem(second->Items(), "&Datei");
    AddKitItem(file, "&Neu");
    form->SetMenu(second);
    LRESULT r = SendMessageA(form->Handle(), WM_MENUCHAR, 'd', reinterpret_cast<LPARAM>(second->Handle()));
    EXPECT_EQ(static_cast<uint32_t>(r), MenuCharAnswer(0, kMenuCharExecute));
    form->Free();
}

TEST(KitPopupMenu, PaintingAnOpenPopupReadsItsItemRectanglesOnceNotOncePerItem) {
    auto* menu = Create<ToxPopupMenu>(nullptr);
    menu->SetOptions(oxmBanner | oxmBackground);
    for (int i = 0; i < 40; ++i) AddKitItem(menu->Items(), "Eintrag " + std::to_string(i));
    int drawn = 0;
    menu->OnDrawText = [&](TMenuItem*, TCanvas&, bool, const std::string&, RECT&) {
        ++drawn;
        return false;
    };
    const int reads = MenuGeometryReads();
    RunPopup(menu, LoopScript{});
    EXPECT_GE(drawn, 40);
    EXPECT_EQ(MenuGeometryReads() - reads, 1) << drawn << " items drawn";
    menu->Free();
}
