// The menus page used live: a right click opens the kit's context menu, the
// arrow keys and Enter run an item, Alt and a letter open the kit's menu bar
// and Escape closes it with nothing run.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

void Input(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof(INPUT));
}

bool MenuOpen(const Gallery& g) { return OpenMenu(g) != nullptr; }

class MenusLive : public ::testing::Test {
protected:
    void SetUp() override {
        gallery_ = std::make_unique<Gallery>("menus");
        ASSERT_TRUE(gallery_->Started());
    }
    void TearDown() override {
        if (gallery_ && MenuOpen(*gallery_)) {
            Key(VK_ESCAPE);
            Key(VK_ESCAPE);
        }
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "exit code " << gallery_->ExitCode();
        }
        MoveMouse(POINT{1, 1});
    }
    std::unique_ptr<Gallery> gallery_;
};

}  // namespace

TEST_F(MenusLive, RightClickArrowsAndEnterRunTheItemAndAltLetterOpensTheBarEscapeRunsNothing) {
    Gallery& g = *gallery_;
    HWND field = g.Child("Rechtsklick hier");
    ASSERT_NE(field, nullptr);
    ASSERT_NE(g.Child("Noch nichts ausgef\xFChrt"), nullptr);
    RightClick(field, 40, 30);
    ASSERT_TRUE(WaitFor([&] { return MenuOpen(g); })) << "no context menu";
    Sleep(200);
    // The platform puts the items 3 pixels in: the gray banner still runs
    // down the items' left edge and the gradient starts beside it.
    HWND menu = OpenMenu(g);
    RECT wr{};
    GetWindowRect(menu, &wr);
    const int h = wr.bottom - wr.top;
    Shot shot(menu, RECT{0, 0, wr.right - wr.left, h});
    EXPECT_EQ(shot.At(5, h - 5), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(shot.At(19, h - 5), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(shot.At(20, h - 5), RGB(240, 251, 255));
    Key(VK_DOWN);  // Ausschneiden
    Key(VK_DOWN);  // Kopieren
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return g.Child("Ausgef\xFChrt: Kopieren") != nullptr; })) << "Kopieren did not run";
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(g); }));

    // A letter with two matches selects; the menu stays open until Escape.
    RightClick(field, 40, 30);
    ASSERT_TRUE(WaitFor([&] { return MenuOpen(g); }));
    Key('A');  // "Ausschneiden" and "Alles markieren": the first is selected, nothing runs
    Sleep(150);
    EXPECT_TRUE(MenuOpen(g));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(g); }));
    EXPECT_NE(g.Child("Ausgef\xFChrt: Kopieren"), nullptr);

    // Opening and closing again leaves the gallery's GDI objects and DCs as they were.
    const int objects = g.GdiObjects(), dcs = g.DCs();
    for (int i = 0; i < 3; ++i) {
        RightClick(field, 40, 30);
        ASSERT_TRUE(WaitFor([&] { return MenuOpen(g); }));
        Key(VK_DOWN);
        Key(VK_ESCAPE);
        ASSERT_TRUE(WaitFor([&] { return !MenuOpen(g); }));
    }
    EXPECT_EQ(g.GdiObjects(), objects);
    EXPECT_EQ(g.DCs(), dcs);

    // Alt+D opens "Datei" of the menu bar; Escape twice leaves it, nothing ran.
    SetForegroundWindow(g.Main());
    Input(VK_MENU, false);
    Input('D', false);
    Input('D', true);
    Input(VK_MENU, true);
    EXPECT_TRUE(WaitFor([&] { return MenuOpen(g); })) << "Alt+D opened no menu";
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(g); }));
    EXPECT_NE(g.Child("Ausgef\xFChrt: Kopieren"), nullptr);
}
