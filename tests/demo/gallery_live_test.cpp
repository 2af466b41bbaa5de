// The gallery used live: each test starts gallery.exe on one page, moves the
// mouse, clicks and types with real input, reads what the user would see
// and closes the gallery with WM_CLOSE (it must end by itself, exit code 0).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

constexpr COLORREF kBorder = RGB(0xA0, 0x96, 0x83);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr RECT kFlatStatus{16, 572, 776, 589};  // the flat page's status line
constexpr COLORREF kDragInk = RGB(0x66, 0x66, 0x66);  // white under the 0x999999 drag frame

// A live gallery on `page` for one test; the test fails when it does not close cleanly.
class GalleryLive : public ::testing::Test {
protected:
    void Start(const char* page) {
        gallery_ = std::make_unique<Gallery>(page);
        ASSERT_TRUE(gallery_->Started()) << "gallery.exe --page " << page << " showed no window";
    }
    void TearDown() override {
        if (gallery_ && HasFailure()) {
            // What the screen showed, next to this program: live-<test>.png.
            RECT r{};
            GetClientRect(gallery_->Main(), &r);
            const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
            if (Shot(gallery_->Main(), r).SavePng(ProgramFolder() + "live-" + name + ".png"))
                std::printf("screen saved as live-%s.png\n", name.c_str());
        }
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "the gallery did not end cleanly, exit code " << gallery_->ExitCode();
            gallery_.reset();
        }
        MoveMouse(POINT{1, 1});
    }
    Gallery& G() { return *gallery_; }
    HWND Find(const std::string& text, HWND under = nullptr) {
        HWND h = G().Child(text, under);
        EXPECT_NE(h, nullptr) << "no window \"" << text << "\"";
        return h;
    }
    // The page area: the main window's child that is not the page bar.
    HWND PageArea() {
        HWND bar = GetParent(Find("framework"));
        for (HWND h = GetWindow(G().Main(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (h != bar) return h;
        return nullptr;
    }
    // The drag-and-drop page's file view with the mouse resting on its middle.
    struct DropView { POINT centre; HWND view; RECT whole; };
    DropView OpenDropView() {
        Start("dragdrop");
        HWND page = PageArea();
        EXPECT_NE(page, nullptr);
        const POINT centre = ScreenPoint(page, 400, 300);
        HWND view = WindowFromPoint(centre);
        EXPECT_TRUE(view && view != page) << "no file view on the page";
        MoveMouse(page, 400, 300);
        Sleep(150);
        return {centre, view, RECT{0, 0, ClientWidth(view), ClientHeight(view)}};
    }
    // Parks the mouse over an empty part of the page.
    void Park(HWND page) { MoveMouse(page, 780, 470); }

private:
    std::unique_ptr<Gallery> gallery_;
};

TEST(GalleryStart, UnknownPageEndsWithAnErrorAndNoWindow) {
    Gallery g("no-such-page");
    EXPECT_FALSE(g.Started());
    g.Close();
    EXPECT_EQ(g.ExitCode(), 2u);
}

TEST_F(GalleryLive, PageChangesLeaveNoWindowsOrGdiObjects) {
    Start("framework");
    HWND first = Find("framework");
    ASSERT_NE(first, nullptr);
    int pages = 0;
    for (HWND h = GetWindow(GetParent(first), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) ++pages;
    ASSERT_GE(pages, 5);
    auto round = [&] {
        for (int i = 0; i < pages; ++i) {
            Key(VK_NEXT);
            WaitFor([] { return false; }, 60);
        }
    };
    round();  // fonts and other shared objects are made once
    WaitFor([] { return false; }, 300);
    const int gdi = G().GdiObjects(), dcs = G().DCs(), windows = G().WindowCount();
    ASSERT_GT(gdi, 0);
    std::printf("gallery: %d pages, %d GDI objects, %d DCs, %d windows\n", pages, gdi, dcs, windows);
    for (int i = 0; i < 2; ++i) round();
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(G().WindowCount(), windows);
    EXPECT_EQ(G().GdiObjects(), gdi);
    EXPECT_EQ(G().DCs(), dcs);
    EXPECT_TRUE(G().Popups().empty());
}

TEST_F(GalleryLive, EveryPageButtonIsInSightAndOpensItsPage) {
    Start("framework");
    HWND bar = GetParent(Find("framework"));
    ASSERT_NE(bar, nullptr);
    const int width = ClientWidth(bar);
    std::vector<HWND> buttons;
    for (HWND h = GetWindow(bar, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) buttons.push_back(h);
    ASSERT_GE(buttons.size(), 5u);
    for (HWND b : buttons) {
        const RECT r = RectIn(b, bar);
        EXPECT_GE(r.left, 0) << Text(b);
        EXPECT_LE(r.right, width) << Text(b) << " is cut off";
    }
    // The last page, by its button.
    HWND last = nullptr;
    for (HWND b : buttons)
        if (Text(b) == "popups") last = b;
    ASSERT_NE(last, nullptr);
    Click(last, 10, 10);
    EXPECT_TRUE(WaitFor([&] { return G().Child("Hamburg") != nullptr; })) << "the popups page did not open";
}

TEST_F(GalleryLive, HintShowsUnderARestingMouseAndGoesWhenItLeaves) {
    Start("framework");
    HWND open = Find("\xD6" "ffnen");
    ASSERT_NE(open, nullptr);
    MoveMouse(open, 40, 14);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }, 2500)) << "no hint";
    HWND hint = G().Popups().front();
    EXPECT_EQ(G().Active(), G().Main()) << "the hint took the activation";
    RECT hr{}, br{};
    GetWindowRect(hint, &hr);
    GetWindowRect(open, &br);
    EXPECT_GT(hr.top, br.top);  // below the mouse
    MoveMouse(G().Main(), 700, 500);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the hint stayed";
}

TEST_F(GalleryLive, FlatButtonsHoverAndUnhoverUnderTheMouse) {
    Start("flat");
    HWND normal = Find("Normal");
    ASSERT_NE(normal, nullptr);
    HWND page = GetParent(normal);
    const int w = ClientWidth(normal), h = ClientHeight(normal);
    Park(page);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(normal, 0, 0) == kBorder; })) << std::hex << PixelAt(normal, 0, 0);
    MoveMouse(normal, w / 2, h / 2);
    EXPECT_TRUE(WaitFor([&] {
        return PixelAt(normal, 0, 0) == kWhite && PixelAt(normal, w - 1, h - 1) == kBlack;
    })) << "no hover look: " << std::hex << PixelAt(normal, 0, 0) << " " << PixelAt(normal, w - 1, h - 1);
    // Straight onto the next button: the first one loses its hover look.
    HWND def = Find("Standard");
    MoveMouse(def, 20, 20);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(normal, 0, 0) == kBorder; })) << std::hex << PixelAt(normal, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(def, 0, 0) == kWhite; }));
    Park(page);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(def, 0, 0) == kBorder; })) << std::hex << PixelAt(def, 0, 0);
}

TEST_F(GalleryLive, FlatHoverOnEveryLookLeavesNoGdiObjects) {
    Start("flat");
    HWND page = GetParent(Find("Normal"));
    ASSERT_NE(page, nullptr);
    const char* names[] = {"Normal", "Standard", "Rund", "Bildstreifen", "Gesperrt", "Zwei\r\nZeilen", "Drucken",
                           "&Weiter", "Durchsichtig", "Nur Maus", "Links", "Empfangen", "\xD6" "ffnen"};
    std::vector<HWND> buttons;
    for (const char* n : names) {
        HWND h = G().Child(n);
        if (!h) h = G().Child(std::string(n) == "Zwei\r\nZeilen" ? "Zwei<br>Zeilen" : n);
        ASSERT_NE(h, nullptr) << n;
        buttons.push_back(h);
    }
    auto sweep = [&] {
        for (HWND b : buttons) MoveMouse(b, ClientWidth(b) / 2, 5);
        Park(page);
        Sleep(250);
    };
    sweep();
    const int gdi = G().GdiObjects(), dcs = G().DCs();
    for (int i = 0; i < 3; ++i) sweep();
    EXPECT_EQ(G().GdiObjects(), gdi);
    EXPECT_EQ(G().DCs(), dcs);
    // Every hover look is gone again.
    for (HWND b : buttons) EXPECT_NE(PixelAt(b, 2, 0), kWhite) << Text(b);
}

TEST_F(GalleryLive, FlatRoundButtonHoversInsideItsShape) {
    Start("flat");
    HWND round = Find("Rund");
    ASSERT_NE(round, nullptr);
    HWND page = GetParent(round);
    const int h = ClientHeight(round);
    Park(page);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(round, 8, h / 2) == RGB(200, 220, 240); }))
        << std::hex << PixelAt(round, 8, h / 2);
    // The cut-off corner shows the page.
    EXPECT_EQ(PixelAt(round, 0, 0), RGB(0xEB, 0xEA, 0xE1));
    MoveMouse(round, 20, h / 2);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(round, 8, h / 2) == RGB(220, 235, 250); }))
        << std::hex << PixelAt(round, 8, h / 2);
    Park(page);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(round, 8, h / 2) == RGB(200, 220, 240); }));
}

TEST_F(GalleryLive, FlatDisabledButtonNeitherHoversNorClicks) {
    Start("flat");
    HWND off = Find("Gesperrt");
    ASSERT_NE(off, nullptr);
    HWND page = GetParent(off);
    Park(page);
    Sleep(150);
    const Shot before(off, RECT{0, 0, ClientWidth(off), ClientHeight(off)});
    const Shot quiet(page, kFlatStatus);
    Click(off, 60, 20);
    Sleep(250);
    EXPECT_TRUE(Shot(off, RECT{0, 0, ClientWidth(off), ClientHeight(off)}) == before);
    EXPECT_TRUE(Shot(page, kFlatStatus) == quiet);
}

TEST_F(GalleryLive, FlatAcceleratorAndModalResultKeepTheGalleryOpen) {
    Start("flat");
    HWND next = Find("&Weiter");
    ASSERT_NE(next, nullptr);
    HWND page = GetParent(next);
    Park(page);
    Sleep(150);
    const Shot quiet(page, kFlatStatus);
    // Alt+W: the "&Weiter" button (ModalResult OK) clicks.
    INPUT in[4] = {};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_MENU;
    in[1].ki.wVk = 'W';
    in[2].ki.wVk = 'W';
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_MENU;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, kFlatStatus) == quiet); })) << "Alt+W clicked nothing";
    Click(next, 20, 20);
    Sleep(300);
    // A modal result on the main window, which is not modal, closes nothing.
    EXPECT_TRUE(IsWindowVisible(G().Main()));
}

TEST_F(GalleryLive, FlatGroupKeepsOneButtonDown) {
    Start("flat");
    HWND left = Find("Links"), mid = Find("Mitte"), right = Find("Rechts");
    ASSERT_TRUE(left && mid && right);
    HWND page = GetParent(left);
    Park(page);
    // Down shows a sunken frame (black top-left), up the border colour.
    auto corner = [](HWND b) { return PixelAt(b, 0, 0); };
    ASSERT_TRUE(WaitFor([&] { return corner(mid) == kBlack; })) << std::hex << corner(mid);
    EXPECT_EQ(corner(left), kBorder);
    EXPECT_EQ(corner(right), kBorder);

    Click(left, 10, 10);
    Park(page);
    EXPECT_TRUE(WaitFor([&] { return corner(left) == kBlack && corner(mid) == kBorder && corner(right) == kBorder; }))
        << std::hex << corner(left) << " " << corner(mid) << " " << corner(right);
    // Clicking the down button again keeps it down (not all may be up).
    Click(left, 30, 12);
    Park(page);
    Sleep(200);
    EXPECT_EQ(corner(left), kBlack);
    EXPECT_EQ(corner(mid), kBorder);
}

TEST_F(GalleryLive, FlatClickShowsInTheStatusLine) {
    Start("flat");
    HWND normal = Find("Normal");
    ASSERT_NE(normal, nullptr);
    HWND page = GetParent(normal);
    Park(page);
    Sleep(150);
    const Shot before(page, kFlatStatus);
    // Pressed inside and released outside: no click. Held, the button looks
    // pressed while the mouse is over it and up while it is not.
    const int w = ClientWidth(normal), h = ClientHeight(normal);
    MoveMouse(normal, 10, 10);
    LeftDown();
    EXPECT_TRUE(WaitFor([&] { return PixelAt(normal, 0, 0) == kBlack && PixelAt(normal, w - 1, h - 1) == kWhite; }))
        << "no pressed look";
    MoveMouse(normal, w + 20, 10);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(normal, 0, 0) != kBlack; })) << "still pressed outside";
    MoveMouse(normal, 12, 10);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(normal, 0, 0) == kBlack; })) << "not pressed again inside";
    Park(page);
    LeftUp();
    Sleep(200);
    EXPECT_TRUE(Shot(page, kFlatStatus) == before);
    Click(normal, 10, 10);
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, kFlatStatus) == before); })) << "the click changed nothing";
}

TEST_F(GalleryLive, FlatEveryEnabledButtonReportsItsClick) {
    Start("flat");
    HWND page = GetParent(Find("Normal"));
    ASSERT_NE(page, nullptr);
    for (const char* caption : {"Liste", "Durchsichtig", "Nur Maus", "Normal"}) {
        HWND b = Find(caption);
        ASSERT_NE(b, nullptr);
        Park(page);
        Sleep(100);
        const Shot before(page, kFlatStatus);
        Click(b, 10, 10);
        EXPECT_TRUE(WaitFor([&] { return !(Shot(page, kFlatStatus) == before); })) << caption << " reported nothing";
    }
}

TEST_F(GalleryLive, FlatKeysWalkAndPress) {
    Start("flat");
    HWND page = GetParent(Find("Normal"));
    ASSERT_NE(page, nullptr);
    Park(page);
    // The page puts the focus on "Fokus / Maus".
    ASSERT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Fokus / Maus"; })) << Text(G().Focus());
    Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Rund"; })) << Text(G().Focus());
    Key(VK_TAB, true);
    EXPECT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Fokus / Maus"; })) << Text(G().Focus());
    Sleep(100);
    const Shot quiet(page, kFlatStatus);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Rund"; })) << Text(G().Focus());
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, kFlatStatus) == quiet); })) << "Enter reported nothing";
    Key(VK_RETURN, true);
    EXPECT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Fokus / Maus"; })) << Text(G().Focus());
    Key(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Rund"; })) << Text(G().Focus());
    Key(VK_BACK);
    EXPECT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Fokus / Maus"; })) << Text(G().Focus());
    // Escape belongs to the window: the focus stays.
    Key(VK_ESCAPE);
    Sleep(100);
    EXPECT_EQ(Text(G().Focus()), "Fokus / Maus");
    Sleep(100);
    const Shot walked(page, kFlatStatus);
    Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, kFlatStatus) == walked); })) << "Space did not click";
    EXPECT_EQ(Text(G().Focus()), "Fokus / Maus");
}

TEST_F(GalleryLive, FlatSpeedButtonsHoverAndClickWithoutWindows) {
    Start("flat");
    HWND page = GetParent(Find("Normal"));
    ASSERT_NE(page, nullptr);
    // The speed-button bar: the panel at (306,240) of the page; its buttons
    // are 70 x 26 at x = 6 + i * 74, y = 6, and have no windows.
    const RECT bar{306, 240, 656, 278};
    HWND panel = nullptr;
    for (HWND h = GetWindow(page, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        const RECT r = RectIn(h, page);
        if (r.left == bar.left && r.top == bar.top) panel = h;
    }
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(G().Child("OK", panel), nullptr);
    const RECT ok{80, 6, 150, 32};
    Park(page);
    Sleep(150);
    const Shot cold(panel, ok);
    EXPECT_EQ(cold.At(0, 0), kBorder);
    MoveMouse(panel, 115, 19);
    EXPECT_TRUE(WaitFor([&] { return Shot(panel, ok).At(0, 0) == kWhite; })) << std::hex << Shot(panel, ok).At(0, 0);
    const Shot quiet(page, kFlatStatus);
    LeftDown();
    EXPECT_TRUE(WaitFor([&] { return Shot(panel, ok).At(0, 0) == kBlack; })) << "no pressed look";
    LeftUp();
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, kFlatStatus) == quiet); })) << "the click changed nothing";
    Park(page);
    EXPECT_TRUE(WaitFor([&] { return Shot(panel, ok) == cold; })) << "the hover look stayed";
}

TEST_F(GalleryLive, EditToolsFrameGetsHotUnderTheMouse) {
    Start("edit-tools");
    HWND button = Find("Pfeile an \"Spalte\"");
    ASSERT_NE(button, nullptr);
    HWND board = GetParent(button);
    const RECT frame{10, 112, 90, 136};
    MoveMouse(board, 300, 590);
    Sleep(150);
    const Shot cold(board, frame);
    MoveMouse(board, 50, 124);
    EXPECT_TRUE(WaitFor([&] { return !(Shot(board, frame) == cold); })) << "no hot frame";
    MoveMouse(board, 300, 590);
    EXPECT_TRUE(WaitFor([&] { return Shot(board, frame) == cold; })) << "the frame stayed hot";
}

TEST_F(GalleryLive, EditToolsDragFrameFollowsTheMouse) {
    Start("edit-tools");
    HWND button = Find("Pfeile an \"Spalte\"");
    ASSERT_NE(button, nullptr);
    HWND board = GetParent(button);
    MoveMouse(board, 620, 280);
    Sleep(100);
    ASSERT_EQ(PixelAt(board, 620, 300), kWhite);
    LeftDown();
    MoveMouse(board, 700, 340);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(board, 620, 300) == kDragInk; })) << std::hex << PixelAt(board, 620, 300);
    EXPECT_EQ(PixelAt(board, 699, 320), kDragInk);
    EXPECT_EQ(PixelAt(board, 660, 310), kWhite);
    MoveMouse(board, 740, 350);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(board, 739, 320) == kDragInk; }));
    EXPECT_EQ(PixelAt(board, 699, 320), kWhite) << "the old frame stayed";
    LeftUp();
    EXPECT_TRUE(WaitFor([&] { return PixelAt(board, 620, 300) == kWhite && PixelAt(board, 739, 320) == kWhite; }))
        << "the frame stayed after the release";
}

TEST_F(GalleryLive, EditToolsMarkersComeAndGoAndLeaveWithThePage) {
    Start("edit-tools");
    HWND button = Find("Pfeile an \"Spalte\"");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(G().Popups().empty());
    Click(button, 20, 10);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().size() == 2; })) << G().Popups().size();
    EXPECT_EQ(G().Active(), G().Main()) << "a marker took the activation";
    // Down and up arrow at the left edge of the "Spalte" header (470, 300)-(560, 322).
    std::vector<POINT> origins;
    for (HWND m : G().Popups()) {
        const RECT r = RectIn(m, GetParent(button));
        origins.push_back(POINT{r.left, r.top});
    }
    ASSERT_EQ(origins.size(), 2u);
    if (origins[0].y > origins[1].y) std::swap(origins[0], origins[1]);
    EXPECT_EQ(origins[0].x, 470 - 5);
    EXPECT_EQ(origins[0].y, 300 - 9);
    EXPECT_EQ(origins[1].x, 470 - 5);
    EXPECT_EQ(origins[1].y, 322 - 1);
    // A quick second click on the same spot is a second click.
    Click(button, 20, 10);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << G().Popups().size();
    Click(button, 20, 10);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 2; }));
    Key(VK_NEXT);  // the next page: the markers go with this one
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << G().Popups().size() << " windows stayed";
}

const char* const kCities[] = {"Aachen", "Berlin", "Bremen", "Dresden", "Düsseldorf", "Erfurt", "Frankfurt",
                               "Hamburg", "Hannover", "Kiel", "Köln", "Leipzig", "Mainz", "München",
                               "Nürnberg", "Potsdam", "Saarbrücken", "Schwerin", "Stuttgart", "Wiesbaden"};

TEST_F(GalleryLive, PopupsDropDownListPicksAnItemWithTheMouse) {
    Start("popups");
    HWND edit = Find("Hamburg");
    ASSERT_NE(edit, nullptr);
    const int cw = ClientWidth(edit), ch = ClientHeight(edit);
    Click(edit, cw - 9, ch / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no list";
    HWND list = G().Popups().front();
    ASSERT_EQ(ClassName(list).find("ListBox") != std::string::npos || ClassName(list).find("LISTBOX") != std::string::npos ||
                  SendMessageA(list, LB_GETCOUNT, 0, 0) == 20,
              true)
        << ClassName(list);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 20);
    EXPECT_EQ(G().Focus(), edit) << "the list took the focus";
    EXPECT_EQ(G().Active(), G().Main());
    // Below the edit, left edges aligned.
    RECT lr{}, er{};
    GetWindowRect(list, &lr);
    GetWindowRect(edit, &er);
    EXPECT_EQ(lr.top, er.bottom);
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const int rowH = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(rowH, 0);
    Click(list, 10, rowH + rowH / 2);  // the second visible row
    EXPECT_TRUE(WaitFor([&] { return AskedText(edit) == kCities[top + 1]; })) << AskedText(edit) << " top " << top;
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the list stayed";
    EXPECT_EQ(G().Focus(), edit);
}

TEST_F(GalleryLive, PopupsDropButtonOpensAndClosesOnQuickClicks) {
    Start("popups");
    HWND edit = Find("Hamburg");
    ASSERT_NE(edit, nullptr);
    const int x = ClientWidth(edit) - 9, y = ClientHeight(edit) / 2;
    Click(edit, x, y);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no list";
    Click(edit, x, y);  // within the double-click time
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the second click did not close the list";
    EXPECT_EQ(AskedText(edit), "Hamburg");
}

TEST_F(GalleryLive, PopupsCaptionAndToggleButtonsClick) {
    Start("popups");
    HWND text = Find("Text"), toggle = Find("fett");
    ASSERT_TRUE(text && toggle);
    HWND panel = GetParent(text);
    const RECT counter = RectIn(text, panel);
    const RECT label{counter.right + 8, counter.top, counter.right + 128, counter.top + 20};
    const int cw = ClientWidth(text), ch = ClientHeight(text);
    MoveMouse(panel, 600, 560);
    Sleep(150);
    const Shot quiet(panel, label);
    Click(text, cw - 57, ch / 2);  // "OK"
    EXPECT_TRUE(WaitFor([&] { return !(Shot(panel, label) == quiet); })) << "OK changed nothing";
    const Shot afterOk(panel, label);
    Click(text, cw - 19, ch / 2);  // "Nein"
    EXPECT_TRUE(WaitFor([&] { return !(Shot(panel, label) == afterOk); })) << "Nein changed nothing";

    // The toggle stays down; a click lets it up, the next one down again.
    const RECT face{ClientWidth(toggle) - 22, 0, ClientWidth(toggle), ClientHeight(toggle)};
    MoveMouse(panel, 600, 560);
    Sleep(150);
    const Shot down(toggle, face);
    Click(toggle, face.left + 11, ch / 2);
    MoveMouse(panel, 600, 560);
    EXPECT_TRUE(WaitFor([&] { return !(Shot(toggle, face) == down); })) << "the toggle did not come up";
    Click(toggle, face.left + 11, ch / 2);
    MoveMouse(panel, 600, 560);
    EXPECT_TRUE(WaitFor([&] { return Shot(toggle, face) == down; })) << "the toggle did not go down again";
}

TEST_F(GalleryLive, PopupsCaptionButtonShowsItsHotFrame) {
    Start("popups");
    HWND text = Find("Text");
    ASSERT_NE(text, nullptr);
    HWND panel = GetParent(text);
    const int cw = ClientWidth(text), ch = ClientHeight(text);
    const RECT nein{cw - 38, 0, cw, ch};
    MoveMouse(panel, 600, 560);
    Sleep(150);
    const Shot cold(text, nein);
    MoveMouse(text, cw - 19, ch / 2);
    EXPECT_TRUE(WaitFor([&] { return !(Shot(text, nein) == cold); })) << "no hot look";
    MoveMouse(panel, 600, 560);
    EXPECT_TRUE(WaitFor([&] { return Shot(text, nein) == cold; })) << "the hot look stayed";
}

TEST_F(GalleryLive, PopupsOpeningAndPickingLeavesNoGdiObjects) {
    Start("popups");
    HWND edit = Find("Hamburg");
    ASSERT_NE(edit, nullptr);
    const int x = ClientWidth(edit) - 9, y = ClientHeight(edit) / 2;
    auto pick = [&](int row) {
        Click(edit, x, y);
        if (!WaitFor([&] { return G().Popups().size() == 1; })) return false;
        HWND list = G().Popups().front();
        const int rowH = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        Click(list, 10, row * rowH + rowH / 2);
        return WaitFor([&] { return G().Popups().empty(); });
    };
    ASSERT_TRUE(pick(0));
    const int gdi = G().GdiObjects(), dcs = G().DCs();
    for (int i = 1; i < 5; ++i) ASSERT_TRUE(pick(i));
    EXPECT_EQ(G().GdiObjects(), gdi);
    EXPECT_EQ(G().DCs(), dcs);
}

TEST_F(GalleryLive, PopupsListLeavesWithThePage) {
    Start("popups");
    HWND edit = Find("Hamburg");
    ASSERT_NE(edit, nullptr);
    Click(edit, ClientWidth(edit) - 9, ClientHeight(edit) / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }));
    Key(VK_PRIOR);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the list stayed after the page went";
}

TEST_F(GalleryLive, PopupsBubbleAppearsAndGoesWithItsTimer) {
    Start("popups");
    HWND choice = Find("Hamburg");
    ASSERT_NE(choice, nullptr);
    HWND panel = GetParent(choice);
    // The file edit is the one 58 pixels below the choice.
    HWND file = nullptr;
    const RECT cr = RectIn(choice, panel);
    for (HWND h = GetWindow(panel, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        const RECT r = RectIn(h, panel);
        if (r.left == cr.left && r.top == cr.top + 58) file = h;
    }
    ASSERT_NE(file, nullptr);
    Click(file, ClientWidth(file) - 9, ClientHeight(file) / 2);
    const DWORD shown = GetTickCount();
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }, 1000)) << "no bubble";
    HWND bubble = G().Popups().front();
    EXPECT_EQ(G().Active(), G().Main()) << "the bubble took the activation";
    // Under the edit's left part, pointing up at it.
    RECT br{}, fr{};
    GetWindowRect(bubble, &br);
    GetWindowRect(file, &fr);
    EXPECT_GT(br.top, fr.top);
    EXPECT_LT(br.top, fr.bottom);
    Sleep(1500);
    EXPECT_TRUE(IsWindowVisible(bubble)) << "gone too early";
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); }, 3500)) << "the bubble stayed";
    const DWORD lived = GetTickCount() - shown;
    EXPECT_GE(lived, 2300u);  // the edit's bubble stays 2.5 s
}

TEST_F(GalleryLive, PopupsBubbleShownAgainRestartsWithItsTimer) {
    Start("popups");
    HWND choice = Find("Hamburg");
    ASSERT_NE(choice, nullptr);
    HWND panel = GetParent(choice);
    HWND file = nullptr;
    const RECT cr = RectIn(choice, panel);
    for (HWND h = GetWindow(panel, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (RectIn(h, panel).top == cr.top + 58 && RectIn(h, panel).left == cr.left) file = h;
    ASSERT_NE(file, nullptr);
    Click(file, ClientWidth(file) - 9, ClientHeight(file) / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }, 1000));
    Sleep(2000);
    Click(file, ClientWidth(file) - 20, ClientHeight(file) / 2);  // beside the button: nothing
    Click(file, ClientWidth(file) - 9, ClientHeight(file) / 2);
    const DWORD again = GetTickCount();
    Sleep(1800);  // past the first showing's 2.5 seconds
    EXPECT_EQ(G().Popups().size(), 1u) << "the bubble went with the first timer";
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); }, 2500));
    EXPECT_GE(GetTickCount() - again, 2300u);
}

// The rightmost pixel of shot that `is` accepts, or {-1, -1}.
POINT RightmostPixel(const Shot& shot, const std::function<bool(COLORREF)>& is) {
    for (int x = shot.Width() - 1; x >= 0; --x)
        for (int y = 0; y < shot.Height(); ++y)
            if (is(shot.At(x, y))) return POINT{x, y};
    return POINT{-1, -1};
}
// Link text, smoothed at its edges: blue well above red and green.
bool Bluish(COLORREF c) { return GetBValue(c) > 150 && GetRValue(c) < 110 && GetGValue(c) < 110; }

namespace {

// An EDIT's text asked of the window itself (another process's EDIT keeps
// no caption for GetWindowText).
std::string EditText(HWND h) {
    char buf[256] = {};
    SendMessageA(h, WM_GETTEXT, sizeof(buf), reinterpret_cast<LPARAM>(buf));
    return buf;
}

HWND EditWithText(HWND under, const std::string& text) {
    std::pair<std::string, HWND> find{text, nullptr};
    EnumChildWindows(
        under,
        [](HWND h, LPARAM lp) {
            auto* f = reinterpret_cast<std::pair<std::string, HWND>*>(lp);
            if (ClassName(h) != "Edit" && ClassName(h) != "EDIT") return TRUE;
            if (EditText(h) != f->first) return TRUE;
            f->second = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.second;
}

}  // namespace

TEST_F(GalleryLive, EditPopupsCalculatorResultGoesIntoTheNumberField) {
    Start("edit-popups");
    HWND edit = EditWithText(G().Main(), "12,50");
    ASSERT_NE(edit, nullptr);
    Click(edit, 10, ClientHeight(edit) / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Focus() == edit; }));
    Key(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no calculator";
    // "12*3=" typed into the field reaches the calculator; "*" from the
    // keypad and "=" from its key on the (US) layout of the test display.
    for (WORD k : {WORD('1'), WORD('2'), WORD(VK_MULTIPLY), WORD('3'), WORD(VK_OEM_PLUS)}) Key(k);
    EXPECT_EQ(EditText(edit), "12,50");
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return EditText(edit) == "36,00"; })) << EditText(edit);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the calculator stayed";
    EXPECT_EQ(G().Focus(), edit);
}

TEST_F(GalleryLive, EditPopupsClipPopupGrowsByItsGripAndClosesOnAPressOutside) {
    Start("edit-popups");
    HWND open = Find("Clip-Popup \xF6" "ffnen");
    ASSERT_NE(open, nullptr);
    Click(open, 20, 10);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no clip popup";
    HWND clip = G().Popups().front();
    RECT before{};
    GetWindowRect(clip, &before);
    MoveMouse(POINT{before.right - 3, before.bottom - 3});
    Sleep(100);
    LeftDown();
    Sleep(100);
    MoveMouse(POINT{before.right + 37, before.bottom + 22});
    Sleep(100);
    LeftUp();
    RECT after{};
    EXPECT_TRUE(WaitFor([&] {
        GetWindowRect(clip, &after);
        return after.right - after.left == before.right - before.left + 40;
    })) << after.right - after.left;
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 25);
    // Still holding the mouse, it goes on a press outside.
    Click(open, 20, 10);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(clip); }));
}

TEST_F(GalleryLive, HtmlLinkHoversAndClicks) {
    Start("html");
    HWND page = PageArea();
    ASSERT_NE(page, nullptr);
    const RECT links{10, 200, 390, 290};
    const RECT status{10, 300, 790, 318};
    MoveMouse(page, 700, 590);
    Sleep(200);
    // The last link of the label, "Kunde 4711" (an event, not a web or
    // mail address), in the link colour.
    const Shot cold(page, links);
    const POINT last = RightmostPixel(cold, Bluish);
    ASSERT_GE(last.x, 0) << "no link drawn";
    const Shot quiet(page, status);
    MoveMouse(page, links.left + last.x - 1, links.top + last.y);
    EXPECT_TRUE(WaitFor([&] {
        return RightmostPixel(Shot(page, links), [](COLORREF c) { return c == RGB(255, 240, 200); }).x >= 0;
    })) << "no hover colour";
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, status) == quiet); })) << "OnAnchorEnter reported nothing";
    const Shot entered(page, status);
    LeftDown();
    LeftUp();
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, status) == entered); })) << "OnAnchorClick reported nothing";
    MoveMouse(page, 700, 590);
    EXPECT_TRUE(WaitFor([&] { return Shot(page, links) == cold; })) << "the hover look stayed";
    EXPECT_TRUE(G().Popups().empty());
}

// Known fault, left to the framework: the application starts its hint timer
// only for controls whose own Hint is set, so a label that gives the hint
// text of the link under the mouse (anchor hints) never gets asked.
TEST_F(GalleryLive, HtmlLinkShowsItsAddressAsHint) {
    Start("html");
    HWND page = PageArea();
    ASSERT_NE(page, nullptr);
    const RECT links{10, 200, 390, 290};
    MoveMouse(page, 700, 590);
    Sleep(200);
    const POINT last = RightmostPixel(Shot(page, links), Bluish);
    ASSERT_GE(last.x, 0);
    // Entering a link restarts the hint cycle; a user's next small move starts it.
    MoveMouse(page, links.left + last.x - 2, links.top + last.y);
    Sleep(50);
    MoveMouse(page, links.left + last.x - 1, links.top + last.y);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }, 2500)) << "no link hint";
}

// The modal box of the dialogs page: its only visible top-level window.
HWND WaitForBox(Gallery& g) {
    HWND box = nullptr;
    WaitFor([&] {
        auto popups = g.Popups();
        box = popups.size() == 1 ? popups.front() : nullptr;
        return box != nullptr;
    });
    return box;
}

// Clicks a box opener of the dialogs page (the mouse rested away first, so
// the click is no double click with an earlier one) and waits for the box.
HWND OpenBoxBy(Gallery& g, HWND opener) {
    MoveMouse(GetParent(opener), 700, 590);
    Sleep(550);
    Click(opener, 30, 12);
    return WaitForBox(g);
}

TEST_F(GalleryLive, DialogsInfoBoxClosesOnAKeyAndTheSpaceUpClicksNothing) {
    Start("dialogs");
    HWND open = Find("Information zeigen");
    ASSERT_NE(open, nullptr);
    for (WORD key : {WORD('A'), WORD(VK_SPACE), WORD(VK_RETURN)}) {
        Click(open, 20, 10);
        HWND box = WaitForBox(G());
        ASSERT_NE(box, nullptr) << "no box";
        EXPECT_EQ(G().Active(), box);
        EXPECT_FALSE(IsWindowEnabled(G().Main())) << "the box is not modal";
        Key('B', true);  // with Shift: stays
        Sleep(150);
        EXPECT_EQ(G().Popups().size(), 1u) << "Shift+B closed the box";
        Key(key);
        EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "key " << key << " left the box open";
        // The key-up reached the opener, which has the focus again: it must not open the box anew.
        Sleep(300);
        EXPECT_TRUE(G().Popups().empty()) << "key " << key << " opened the box again";
        EXPECT_TRUE(IsWindowEnabled(G().Main()));
        EXPECT_EQ(G().Active(), G().Main());
        MoveMouse(G().Main(), 5, 5);
        Sleep(600);  // no double click with the next one
    }
}

TEST_F(GalleryLive, DialogsQuestionAnswersByKeyAndMouse) {
    Start("dialogs");
    HWND ask = Find("Frage stellen");
    ASSERT_NE(ask, nullptr);
    HWND page = GetParent(ask);
    const RECT status{470, 170, 790, 187};
    // Opens the box, answers with `answer` and returns the status line.
    auto answer = [&](const std::function<void(HWND box)>& act) {
        HWND box = OpenBoxBy(G(), ask);
        EXPECT_NE(box, nullptr) << "no box";
        if (!box) return Shot(page, status);
        EXPECT_EQ(Text(G().Focus()), "Ja");
        act(box);
        EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the box stayed open";
        EXPECT_EQ(G().Focus(), ask) << "the focus did not come back to the opener";
        Sleep(100);
        return Shot(page, status);
    };
    const Shot yes = answer([](HWND) { Key(VK_RETURN); });
    const Shot no = answer([&](HWND) {
        Key(VK_RIGHT);
        EXPECT_TRUE(WaitFor([&] { return Text(G().Focus()) == "Nein"; })) << Text(G().Focus());
        Key(VK_RETURN);
    });
    EXPECT_FALSE(yes == no) << "Ja and Nein show the same answer";
    EXPECT_TRUE(answer([](HWND) { Key(VK_ESCAPE); }) == no) << "Escape did not answer Nein";
    EXPECT_TRUE(answer([&](HWND box) { Click(G().Child("Ja", box), 20, 10); }) == yes) << "a click on Ja";
    EXPECT_TRUE(answer([&](HWND box) { Click(G().Child("Nein", box), 20, 10); }) == no) << "a click on Nein";
}

TEST_F(GalleryLive, DialogsInputBoxGivesTheTypedOrChosenTextAndNothingOnEscape) {
    Start("dialogs");
    HWND open = Find("Eingabe abfragen");
    HWND answer = Find("Noch keine Eingabe.");
    ASSERT_TRUE(open && answer);
    // Opens the input box, acts in it and waits until it is gone.
    auto ask = [&](const std::function<void(HWND box)>& act) {
        HWND box = OpenBoxBy(G(), open);
        ASSERT_NE(box, nullptr) << "no box";
        EXPECT_TRUE(WaitFor([&] { return GetAncestor(G().Focus(), GA_ROOT) == box; })) << "the field has no focus";
        act(box);
        EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the box stayed open";
        Sleep(100);
    };
    ask([](HWND) {
        TypeText(L"M\u00FCller & S\u00F6hne");
        Key(VK_RETURN);
    });
    EXPECT_EQ(AskedText(answer), "M\xFCller & S\xF6hne");
    // The second entry of the list, by the arrow keys.
    ask([&](HWND) {
        MoveMouse(POINT{1, 1});  // the list follows the mouse: none under it
        AltKey(VK_DOWN);
        ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 2; })) << "no list";
        Key(VK_DOWN);
        Key(VK_DOWN);
        Key(VK_RETURN);  // takes the entry; the box stays
        EXPECT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "the list stayed open";
        Key(VK_RETURN);
    });
    EXPECT_EQ(AskedText(answer), "Schulz & Partner");
    // Escape: the cancel answer, nothing of what was typed.
    ask([](HWND) {
        TypeText(L"xyz");
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(AskedText(answer), "(abgebrochen)");
}

TEST_F(GalleryLive, DragDropTakesFilesFromAnotherProgram) {
    const auto [centre, view, whole] = OpenDropView();
    ASSERT_FALSE(HasFailure());
    const Shot before(view, whole);
    const COLORREF idle = before.At(3, 3);

    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    COLORREF during = idle;
    DWORD effect = 0;
    const HRESULT hr = DragFiles({L"C:\\windows\\win.ini", L"C:\\windows\\system.ini"}, centre,
                                 [&] {
                                     WaitFor([&] { return PixelAt(view, 3, 3) != idle; }, 1000);
                                     during = PixelAt(view, 3, 3);
                                 },
                                 &effect);
    OleUninitialize();
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(during, RGB(232, 242, 252)) << "no hover look while the files were over it";
    EXPECT_TRUE(WaitFor([&] { return PixelAt(view, 3, 3) == idle; })) << "the hover look stayed after the drop";
    EXPECT_TRUE(WaitFor([&] { return !(Shot(view, whole) == before); })) << "the dropped names do not show";
    EXPECT_TRUE(G().Popups().empty());
}

TEST_F(GalleryLive, DragDropSaysHowManyNamesDoNotFit) {
    const auto [centre, view, whole] = OpenDropView();
    ASSERT_FALSE(HasFailure());
    // The names' area, without the status line at the bottom.
    const RECT names{0, 0, whole.right, whole.bottom - 32};
    auto drop = [&, centre = centre](int count) {
        std::vector<std::wstring> files;
        for (int i = 1; i <= count; ++i) files.push_back(L"C:\\windows\\datei" + std::to_wstring(i) + L".txt");
        const Shot before(view, whole);
        DWORD effect = 0;
        EXPECT_EQ(DragFiles(files, centre, [] {}, &effect), DRAGDROP_S_DROP);
        EXPECT_TRUE(WaitFor([&] { return !(Shot(view, whole) == before); })) << count << " files show nothing";
        Sleep(150);
        return Shot(view, names);
    };
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    const Shot thirty = drop(30);
    const Shot thirtyOne = drop(31);
    OleUninitialize();
    // The same names fit both times: only the count of the rest differs.
    EXPECT_FALSE(thirty == thirtyOne) << "the names past the view leave no sign";
}

TEST_F(GalleryLive, DragDropLeftAgainTakesNothing) {
    const auto [centre, view, whole] = OpenDropView();
    ASSERT_FALSE(HasFailure());
    const Shot before(view, whole);
    const COLORREF idle = before.At(3, 3);

    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    bool hovered = false, cleared = false;
    DWORD effect = 0;
    const HRESULT hr = DragFiles({L"C:\\windows\\win.ini"}, centre,
                                 [&] {
                                     hovered = WaitFor([&] { return PixelAt(view, 3, 3) != idle; }, 1000);
                                     // Out of the gallery again before the release.
                                     MoveMouse(POINT{GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 60});
                                     cleared = WaitFor([&] { return PixelAt(view, 3, 3) == idle; }, 1000);
                                 },
                                 &effect);
    OleUninitialize();
    EXPECT_TRUE(hovered);
    EXPECT_TRUE(cleared) << "the hover look stayed when the files left";
    EXPECT_TRUE(hr == DRAGDROP_S_DROP || hr == DRAGDROP_S_CANCEL) << std::hex << hr;
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    Sleep(200);
    EXPECT_TRUE(Shot(view, whole) == before) << "something was taken";
}

}  // namespace

// The check box page: the POP3 box "Benutzen" (red tick, transparent) on
// its panel; the tick's pixel (3, 10) is red exactly while it is checked.
TEST_F(GalleryLive, CheckboxClickAndSpaceToggleOnceEach) {
    Start("checkbox");
    HWND box = Find("Benutzen");
    ASSERT_NE(box, nullptr);
    const COLORREF red = RGB(255, 0, 0);
    auto checked = [&] { return PixelAt(box, 3, 10) == red; };
    ASSERT_TRUE(WaitFor([&] { return !checked(); }));
    Click(box, 40, 10);
    EXPECT_TRUE(WaitFor(checked)) << "the click did not check the box";
    EXPECT_EQ(G().Focus(), box);
    Sleep(600);  // no double click with anything that follows
    EXPECT_TRUE(checked()) << "the click toggled more than once";
    Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return !checked(); })) << "Space did not uncheck the box";
    Sleep(300);
    EXPECT_FALSE(checked()) << "Space toggled more than once";
}

TEST_F(GalleryLive, CheckboxFlatHintShowsBesideARestingMouseAndGoes) {
    Start("checkbox");
    HWND button = Find("Empfangen");
    ASSERT_NE(button, nullptr);
    MoveMouse(button, 50, 14);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }, 2500)) << "no hint";
    HWND hint = G().Popups().front();
    EXPECT_EQ(Text(hint), "Holt neue Auftr\xE4ge vom Mailserver");
    EXPECT_EQ(G().Active(), G().Main()) << "the hint took the activation";
    // Beside the cursor, away from the edges of the screen quarter it is in:
    // 12 pixels off below right in the upper-left quarter, else 5.
    const POINT cursor = ScreenPoint(button, 50, 14);
    RECT hr{};
    GetWindowRect(hint, &hr);
    const bool left = cursor.x < GetSystemMetrics(SM_CXSCREEN) / 2, top = cursor.y < GetSystemMetrics(SM_CYSCREEN) / 2;
    const int gap = left && top ? 12 : 5;
    const LONG x = left ? cursor.x + gap : cursor.x - (hr.right - hr.left) - gap;
    const LONG y = top ? cursor.y + gap : cursor.y - (hr.bottom - hr.top) - gap;
    EXPECT_EQ(std::vector<LONG>({hr.left, hr.top}), std::vector<LONG>({x, y}));
    // The frame and the strip in the main window's border colour.
    EXPECT_TRUE(WaitFor([&] { return PixelAt(hint, 0, 0) == RGB(0x80, 0x80, 0xFF); }));
    EXPECT_EQ(PixelAt(hint, 13, 2), RGB(0x80, 0x80, 0xFF));  // the strip, beside the arrow
    MoveMouse(G().Main(), 700, 520);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the hint stayed";
}

TEST_F(GalleryLive, EditsBadPostcodeShowsTheBubbleOnLeavingAndKeepsTheFocus) {
    Start("edits");
    HWND postcode = Find("1234");
    ASSERT_NE(postcode, nullptr);
    Click(postcode, 30, ClientHeight(postcode) / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Focus() == postcode; }));
    Key(VK_END);
    TypeText(L"x");  // refused by the mask
    EXPECT_EQ(AskedText(postcode), "1234");
    Key(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no bubble";
    HWND bubble = G().Popups().front();
    EXPECT_EQ(G().Focus(), postcode) << "the focus left a failed field";
    RECT br{}, pr{};
    GetWindowRect(bubble, &br);
    GetWindowRect(postcode, &pr);
    EXPECT_GT(br.top, pr.top);
    EXPECT_LT(br.top, pr.bottom);
    // Back in the field its text is selected again; the missing digit typed
    // at the end makes the bubble go, and leaving then passes.
    Key(VK_END);
    TypeText(L"5");
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the bubble stayed";
    EXPECT_EQ(AskedText(postcode), "12345");
    Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return G().Focus() != postcode; }));
    EXPECT_TRUE(G().Popups().empty());
}

TEST_F(GalleryLive, EditsComboListOpensWithF4AndEnterTakesTheItem) {
    Start("edits");
    HWND combo = Find("Bremen");
    ASSERT_NE(combo, nullptr);
    Click(combo, 20, ClientHeight(combo) / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Focus() == combo; }));
    Key(VK_F4);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no list";
    HWND list = G().Popups().front();
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);  // Bremen
    EXPECT_EQ(G().Focus(), combo) << "the list took the focus";
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the list stayed";
    EXPECT_EQ(AskedText(combo), "Dresden");
    EXPECT_EQ(G().Focus(), combo);
    // Esc with the list closed goes back to the text of the last accept.
    TypeText(L"Ha");
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return AskedText(combo) == "Dresden"; })) << AskedText(combo);
}

TEST_F(GalleryLive, EditsComboCompletesTypedCityNames) {
    Start("edits");
    HWND combo = Find("Kiel");
    ASSERT_NE(combo, nullptr);
    Click(combo, 20, ClientHeight(combo) / 2);  // selects the whole text
    ASSERT_TRUE(WaitFor([&] { return G().Focus() == combo; }));
    TypeText(L"D\u00FC");
    EXPECT_TRUE(WaitFor([&] { return AskedText(combo) == "D\xFC"; })) << AskedText(combo);  // two letters: no completion
    TypeText(L"s");
    EXPECT_TRUE(WaitFor([&] { return AskedText(combo) == "D\xFCsseldorf"; })) << AskedText(combo);
    DWORD s = 0, e = 0;
    SendMessageA(combo, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 3u);
    EXPECT_EQ(e, 10u);
}

TEST_F(GalleryLive, EditsComboButtonOpensTheListAndAClickTakesTheItem) {
    Start("edits");
    HWND combo = Find("Mainz");
    ASSERT_NE(combo, nullptr);
    const int cw = ClientWidth(combo), ch = ClientHeight(combo);
    Click(combo, cw - 8, ch / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; })) << "no list";
    HWND list = G().Popups().front();
    EXPECT_EQ(G().Focus(), combo);
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const int rowH = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(rowH, 0);
    // The edits page's cities, in the list's order.
    const char* const cities[] = {"Aachen", "Berlin", "Bremen", "Dresden", "Duisburg", "D\xFCsseldorf", "Erfurt"};
    ASSERT_LT(top + 1, 7);
    Click(list, 10, rowH + rowH / 2);  // the second visible row
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the list stayed";
    EXPECT_EQ(AskedText(combo), cities[top + 1]);
    EXPECT_EQ(G().Focus(), combo);
    // The button again closes what it opened.
    Click(combo, cw - 8, ch / 2);
    ASSERT_TRUE(WaitFor([&] { return G().Popups().size() == 1; }));
    Click(combo, cw - 8, ch / 2);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "the second click left the list open";
}

namespace {

// A line of the positions text as its quoted tokens (quotes kept) and
// whether it ends in a comma.
struct TextLine {
    std::vector<std::string> tokens;
    bool trailingComma = false;
};

std::vector<TextLine> SplitPositionsText(const std::string& text) {
    std::vector<TextLine> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        TextLine line;
        size_t i = at;
        while (i < end) {
            size_t j = i + 1;  // after the opening quote
            while (j < end && !(text[j] == '"' && (j + 1 >= end || text[j + 1] != '"'))) j += text[j] == '"' ? 2 : 1;
            line.tokens.push_back(text.substr(i, j + 1 - i));
            i = j + 1;
            line.trailingComma = i < end && text[i] == ',';
            if (i < end) ++i;
        }
        lines.push_back(line);
        at = end + 2;
    }
    return lines;
}

std::string JoinPositionsText(const std::vector<TextLine>& lines) {
    std::string out;
    for (const TextLine& line : lines) {
        for (size_t i = 0; i < line.tokens.size(); ++i) out += (i ? "," : "") + line.tokens[i];
        if (line.trailingComma) out += ",";
        out += "\r\n";
    }
    return out;
}

}  // namespace

TEST_F(GalleryLive, PositionsGridIsEditedByMouseAndKeysAndSavesExactlyTheChanges) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "positionen.txt";
    DeleteFileA(path.c_str());
    Start("positions");
    HWND save = Find("Speichern");
    ASSERT_NE(save, nullptr);
    HWND grid = PositionsGridOf(save);
    ASSERT_NE(grid, nullptr);
    const int cw = ClientWidth(save), ch = ClientHeight(save);

    // The loaded text as the grid writes it.
    Click(save, cw / 2, ch / 2);
    ASSERT_TRUE(WaitFor([&] { return FileExists(path); })) << "nothing saved";
    Sleep(100);
    const std::string loaded = ReadWholeFile(path);
    ASSERT_FALSE(loaded.empty());
    DeleteFileA(path.c_str());

    // Column x-ranges: 10, 29, 43, 41, 52, 45, 49, 43 wide, each with a line.
    // Rows: the title 17 high, then rows of 34 (two lines).
    Click(grid, 60, 18 + 8);  // "Stück" of the first position
    TypeText(L"7");
    Key(VK_RETURN);
    Key(VK_DOWN);
    // "Bezeichnung1" (127..178) dragged onto "Seriennummer" (276..318).
    MoveMouse(grid, 150, 8);
    LeftDown();
    for (int x = 160; x <= 296; x += 17) MoveMouse(grid, x, 8);
    MoveMouse(grid, 296, 8);
    Sleep(60);
    LeftUp();
    Sleep(100);
    CtrlKey(VK_DELETE);  // the second position
    Click(save, cw / 2, ch / 2);
    ASSERT_TRUE(WaitFor([&] { return FileExists(path); })) << "nothing saved";
    Sleep(100);
    const std::string edited = ReadWholeFile(path);
    DeleteFileA(path.c_str());

    std::vector<TextLine> lines = SplitPositionsText(loaded);
    ASSERT_EQ(lines.size(), 23u);  // 19 header lines, the names, three positions
    ASSERT_EQ(lines[20].tokens[2], "\"100\"");
    // Stück is a currency column of two decimals: a typed number is kept in
    // that form.
    lines[20].tokens[2] = "\"7,00\"";
    lines.erase(lines.begin() + 21);
    // The moved column's field-name line, then its token in every line after the header.
    const TextLine name = lines[1 + 4];
    lines.erase(lines.begin() + 1 + 4);
    lines.insert(lines.begin() + 1 + 7, name);
    for (size_t l = 19; l < lines.size(); ++l) {
        std::vector<std::string>& t = lines[l].tokens;
        const std::string moved = t[4];
        t.erase(t.begin() + 4);
        t.insert(t.begin() + 7, moved);
    }
    EXPECT_EQ(edited, JoinPositionsText(lines));
}

// The summary window of the dialogs page: a file link clicked with the mouse
// reaches the page's shell seam resolved, a selection copied with Ctrl+C is
// on the clipboard exactly, Escape closes the window.
namespace {

HWND ChildOfClass(HWND parent, const char* cls) {
    struct Search {
        const char* cls;
        HWND found;
    } s{cls, nullptr};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (ClassName(h) != s->cls) return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void CtrlKey(WORD vk) {
    INPUT in[4]{};
    for (auto& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = in[2].ki.wVk = vk;
    in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
    Sleep(60);
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<no clipboard>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

TEST_F(GalleryLive, DialogsSummaryLinkCopyAndEscape) {
    Start("dialogs");
    HWND open = Find("Zusammenfassung zeigen");
    HWND opened = Find("Noch kein Verweis geöffnet.");
    ASSERT_TRUE(open && opened);
    Click(open, 30, 12);
    HWND tip = WaitForBox(G());
    ASSERT_NE(tip, nullptr) << "no summary window";
    EXPECT_EQ(Text(tip), "Informationen:");
    HWND edit = ChildOfClass(tip, "RichEdit20A");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(WaitFor([&] { return G().Focus() == edit; })) << "the text does not have the focus";

    // A click on the file link: the page's shell seam reports the resolved path.
    const int link = CharIndexOf(edit, "file://[SERVER]Auftrag_1043.pdf");
    ASSERT_GE(link, 0);
    const LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(link + 4), 0);
    Click(edit, static_cast<short>(LOWORD(at)) + 2, static_cast<short>(HIWORD(at)) + 5);
    EXPECT_TRUE(WaitFor([&] { return Text(opened) == "open: C:\\Ordivo\\Server\\Auftrag_1043.pdf"; }))
        << Text(opened);

    // The first line selected with the keys and copied.
    Key(VK_HOME);
    CtrlKey(VK_HOME);
    Key(VK_END, true);
    CtrlKey('C');
    EXPECT_TRUE(WaitFor([] { return ClipboardText() == "Zusammenfassung des Imports"; })) << ClipboardText();

    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "Escape left the summary open";
    EXPECT_TRUE(IsWindowEnabled(G().Main()));
}

}  // namespace

TEST_F(GalleryLive, SymbolsDialogPutsTheEuroSignIntoTheFieldByArrowAndEnter) {
    Start("symbols");
    HWND field = Find("Preis: 10 ");
    HWND open = Find("Symbol einfügen ...");
    ASSERT_TRUE(field && open);
    Click(open, 30, 12);
    HWND dlg = WaitForBox(G());
    ASSERT_NE(dlg, nullptr) << "the symbol dialog did not open";
    EXPECT_FALSE(IsWindowEnabled(G().Main())) << "the dialog is not modal";
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "Enter left the dialog open";
    // The gallery's thread is busy a while as a captioned window closes.
    EXPECT_TRUE(WaitFor([&] { return AskedText(field) == "Preis: 10 \x80"; }, 5000)) << AskedText(field);
    // Escape chooses nothing.
    MoveMouse(G().Main(), 5, 5);
    Sleep(600);
    Click(open, 30, 12);
    ASSERT_NE(WaitForBox(G()), nullptr);
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return G().Popups().empty(); })) << "Escape left the dialog open";
    // The gallery's thread is busy a while as a captioned window closes.
    EXPECT_TRUE(WaitFor([&] { return AskedText(field) == "Preis: 10 \x80"; }, 5000)) << AskedText(field);
}

TEST_F(GalleryLive, FileLinksPastedFromTheClipboardAndCopiedOutAsFiles) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::vector<std::string> files = {std::string(temp) + "gl a.txt", std::string(temp) + "gl_b.txt"};
    for (const auto& f : files) {
        HANDLE h = CreateFileA(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, "x", 1, &written, nullptr);
        CloseHandle(h);
    }
    // Files as a file manager copies them: a CF_HDROP with 8-bit names.
    std::string block(20, '\0');
    block[0] = 20;  // the names follow the header
    for (const auto& f : files) block += f + '\0';
    block += '\0';
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, block.size());
    CopyMemory(GlobalLock(mem), block.data(), block.size());
    GlobalUnlock(mem);
    EXPECT_NE(SetClipboardData(CF_HDROP, mem), nullptr);
    CloseClipboard();

    Start("file-links");
    HWND paste = Find("Dateien einfügen");
    HWND copy = Find("Verknüpfte Dateien kopieren");
    ASSERT_TRUE(paste && copy);
    HWND field = FindWindowExA(GetParent(paste), nullptr, "Edit", nullptr);
    ASSERT_NE(field, nullptr);
    Click(paste, 30, 12);
    std::string expected;
    for (const auto& f : files) {
        std::string link = "file://" + f;
        for (char& c : link) c = c == ' ' ? '*' : c;
        expected += (expected.empty() ? "" : " ") + link;
    }
    EXPECT_TRUE(WaitFor([&] { return AskedText(field) == expected; }, 5000)) << AskedText(field);
    Click(copy, 30, 12);
    auto clipboardText = [] {
        std::string text;
        if (!OpenClipboard(nullptr)) return text;
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return text;
    };
    EXPECT_TRUE(WaitFor([&] { return clipboardText() == files[0] + "\r\n" + files[1]; }, 5000)) << clipboardText();
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA("Shell IDList Array")));
    for (const auto& f : files) DeleteFileA(f.c_str());
}
