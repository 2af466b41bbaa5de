// Context menus used live with mouse and keys: the field that had the focus
// keeps taking the typed keys after a menu closed (by Escape or by a
// command, also one that opened the symbol dialog), Alt+F4 after a menu
// still closes the window and a close request to the menus' hidden owner
// window does not end the context menus, the edits' context menu shows its
// captions and banner, and visiting the symbols page again and again leaves
// the GDI objects where they were.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

class MenusFocusLive : public ::testing::Test {
protected:
    void Start(const std::string& page) {
        gallery_ = std::make_unique<Gallery>(page);
        ASSERT_TRUE(gallery_->Started());
    }
    void TearDown() override {
        if (gallery_ && OpenMenu(*gallery_)) Key(VK_ESCAPE);
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "exit code " << gallery_->ExitCode();
        }
        MoveMouse(POINT{1, 1});
    }
    Gallery& G() { return *gallery_; }
    // The edit field of the menus page, with its context menu opened on it.
    HWND OpenEditMenu(HWND field) {
        RightClick(field, 150, 10);
        EXPECT_TRUE(WaitFor([&] { return OpenMenu(G()) != nullptr; })) << "no context menu";
        Sleep(200);  // painted
        return OpenMenu(G());
    }
    std::unique_ptr<Gallery> gallery_;
};

}  // namespace

TEST_F(MenusFocusLive, AfterEscapeOrACommandTheFieldTakesTheNextTypedKey) {
    Start("menus");
    HWND field = G().Child("Hallo Welt");
    ASSERT_NE(field, nullptr);
    Click(field, 150, 10);
    Key(VK_END);
    ASSERT_TRUE(WaitFor([&] { return G().Focus() == field; }));

    ASSERT_NE(OpenEditMenu(field), nullptr);
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return OpenMenu(G()) == nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return G().Active() == G().Main(); })) << "the window lost the activation";
    TypeText(L"x");
    EXPECT_TRUE(WaitFor([&] { return AskedText(field) == "Hallo Weltx"; })) << AskedText(field);

    // "a": the disabled "Ausschneiden" is passed over, "Alles markieren" runs;
    // what is typed next replaces the whole text.
    ASSERT_NE(OpenEditMenu(field), nullptr);
    Key('A');
    ASSERT_TRUE(WaitFor([&] { return OpenMenu(G()) == nullptr; }));
    EXPECT_EQ(G().Focus(), field);
    TypeText(L"neu");
    EXPECT_TRUE(WaitFor([&] { return AskedText(field) == "neu"; })) << AskedText(field);
}

TEST_F(MenusFocusLive, ACloseRequestKeepsTheMenusAndAltF4AfterAMenuClosesTheWindow) {
    Start("menus");
    HWND field = G().Child("Hallo Welt");
    ASSERT_NE(field, nullptr);
    ASSERT_NE(OpenEditMenu(field), nullptr);
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return OpenMenu(G()) == nullptr; }));
    // The menus' hidden owner window is told to close: menus still open.
    HWND owner = FindWindowA("UiFrameworkPopupList", nullptr);
    ASSERT_NE(owner, nullptr);
    SendMessageA(owner, WM_CLOSE, 0, 0);
    EXPECT_NE(OpenEditMenu(field), nullptr) << "no context menu after WM_CLOSE";
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return OpenMenu(G()) == nullptr; }));
    // Alt+F4 reaches the gallery's window, not the hidden one.
    AltKey(VK_F4);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(G().Main()); }, 5000)) << "Alt+F4 did not close the window";
}

TEST_F(MenusFocusLive, TheEditsContextMenuShowsItsCaptionsAndBanner) {
    Start("menus");
    HWND field = G().Child("Hallo Welt");
    ASSERT_NE(field, nullptr);
    HWND menu = OpenEditMenu(field);
    ASSERT_NE(menu, nullptr);
    RECT wr{};
    GetWindowRect(menu, &wr);
    Shot shot(menu, RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
    // The items start 3 pixels in; the banner is 17 wide, gray with white text.
    int caption = 0, banner_text = 0, banner = 0;
    for (int y = 3; y < shot.Height() - 3; ++y) {
        for (int x = 3; x < 20; ++x) {
            banner_text += shot.At(x, y) == RGB(255, 255, 255);
            banner += shot.At(x, y) == RGB(128, 128, 128);
        }
        for (int x = 45; x < shot.Width() - 3; ++x) caption += shot.At(x, y) == RGB(0, 0, 0);
    }
    EXPECT_GT(caption, 300) << "captions";
    EXPECT_GT(banner_text, 100) << "banner text";
    EXPECT_EQ(banner + banner_text, 17 * (shot.Height() - 6)) << "banner";
}

TEST_F(MenusFocusLive, VisitingTheSymbolsPageTenTimesLeavesTheGdiObjects) {
    Start("symbols");
    auto away_and_back = [&] {
        Key(VK_NEXT);
        WaitFor([] { return false; }, 80);
        Key(VK_PRIOR);
        WaitFor([] { return false; }, 80);
    };
    away_and_back();  // shared objects are made once
    WaitFor([] { return false; }, 300);
    ASSERT_NE(G().Child("Preis: 10 "), nullptr) << "not on the symbols page";
    // The process's GDI objects (the library's own count says the same).
    auto process_gdi = [&] {
        return static_cast<int>(SendMessageA(G().Main(), RegisterWindowMessageA("GalleryObjectCount"), 2, 0));
    };
    const int process = process_gdi(), gdi = G().GdiObjects(), dcs = G().DCs();
    ASSERT_GT(process, 0);
    for (int i = 0; i < 10; ++i) away_and_back();
    WaitFor([] { return false; }, 300);
    ASSERT_NE(G().Child("Preis: 10 "), nullptr) << "not on the symbols page";
    EXPECT_EQ(process_gdi(), process);
    EXPECT_EQ(G().GdiObjects(), gdi);
    EXPECT_EQ(G().DCs(), dcs);
}

TEST_F(MenusFocusLive, AfterTheSymbolDialogOpenedFromTheMenuTheWindowAndFieldHaveTheFocusAgain) {
    Start("symbols");
    HWND field = G().Child("Preis: 10 ");
    ASSERT_NE(field, nullptr);
    Click(field, 190, 10);
    Key(VK_END);
    ASSERT_NE(OpenEditMenu(field), nullptr);
    Key('S');  // "Symbol einfügen"
    auto dialog = [&] {
        for (HWND h : G().Popups())
            if (Text(h) == "Symbol einf\xFCgen") return h;
        return HWND{};
    };
    ASSERT_TRUE(WaitFor([&] { return dialog() != nullptr; })) << "no symbol dialog";
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return dialog() == nullptr; }, 4000)) << "the dialog stayed";
    EXPECT_TRUE(WaitFor([&] { return G().Active() == G().Main(); })) << "the window lost the activation";
    EXPECT_TRUE(WaitFor([&] { return G().Focus() == field; })) << "the field lost the focus";
    TypeText(L"z");
    EXPECT_TRUE(WaitFor([&] { return AskedText(field) == "Preis: 10 z"; })) << AskedText(field);
}
