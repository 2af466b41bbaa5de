#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "editors/popups/calculator.h"
#include "editors/popups/clip_popup.h"
#include "editors/popups/db_clip_popup.h"
#include "framework/bitmap.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "tests/editors/popups/popup_test_support.h"
#include "tests/framework/gui_counters.h"

namespace {

RECT BoundsOf(TWinControl* c) {
    RECT r;
    GetWindowRect(c->WindowHandle(), &r);
    return r;
}

// A shown 120x80 clip popup with caption and grip at (200, 200) on the screen.
TI_ClipPopup* ShownClipPopup(TWinControl* owner) {
    auto* p = Create<TI_ClipPopup>(owner);
    p->SetBorderStyle(2);
    p->SetOptions(kClipCaption | kClipSizeGrip);
    p->SetPopupRect(200, 200, 120, 80);
    p->Show();
    PumpFor(30);
    return p;
}

}  // namespace

TEST(ClipPopup, TrackingResizesOnReleaseAndPinsThePosition) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    p->SetPopupPosition(pmBelowLeft);
    PumpFor(20);
    const RECT before = BoundsOf(p);
    SetCursorPos(before.right - 2, before.bottom - 2);
    SetCursorPos(before.right + 28, before.bottom + 18);
    PostMessageA(p->WindowHandle(), WM_MOUSEMOVE, 0, 0);
    PostMessageA(p->WindowHandle(), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(TrackPopupRect(p, before.right - 2, before.bottom - 2, 1, 0));
    const RECT after = BoundsOf(p);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 30);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 20);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(p->PopupMode(), pmAtPosition);
    // The shown popup holds the mouse again.
    EXPECT_EQ(GetCapture(), p->WindowHandle());
    EXPECT_FALSE(p->Tracking());
    p->Free();
}

TEST(ClipPopup, EscapeLeavesTheBoundsAndMoveKeepsTheSize) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    p->SetPopupPosition(pmBelowLeft);
    PumpFor(20);
    const RECT before = BoundsOf(p);
    SetCursorPos(300, 300);
    SetCursorPos(330, 320);
    PostMessageA(p->WindowHandle(), WM_MOUSEMOVE, 0, 0);
    PostMessageA(p->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(TrackPopupRect(p, 300, 300, 1, 0));
    {
        const RECT now = BoundsOf(p);
        EXPECT_TRUE(EqualRect(&before, &now));
    }
    EXPECT_EQ(p->PopupMode(), pmBelowLeft);  // no UM_BEFORETRACKMOVE

    SetCursorPos(330, 320);
    PostMessageA(p->WindowHandle(), WM_MOUSEMOVE, 0, 0);
    PostMessageA(p->WindowHandle(), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(TrackPopupRect(p, 300, 300, 1, 1));
    const RECT moved = BoundsOf(p);
    EXPECT_EQ(moved.left, before.left + 30);
    EXPECT_EQ(moved.top, before.top + 20);
    EXPECT_EQ(moved.right - moved.left, before.right - before.left);
    p->Free();
}

TEST(ClipPopup, QuitEndsTrackingAndStaysQueued) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    const RECT before = BoundsOf(p);
    PostQuitMessage(3);
    EXPECT_FALSE(TrackPopupRect(p, 300, 300, 1, 0));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    {
        const RECT now = BoundsOf(p);
        EXPECT_TRUE(EqualRect(&before, &now));
    }
    p->Free();
}

TEST(ClipPopup, ResizedByItsGripWithTheMouse) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    ASSERT_EQ(GetCapture(), p->WindowHandle());
    const RECT before = BoundsOf(p);
    const POINT grip{before.right - 3, before.bottom - 3};
    // The whole gesture is queued before the press is handled: the
    // tracking loop runs inside the press.
    SetCursorPos(grip.x, grip.y);
    PumpFor(30);
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{grip.x + 40, grip.y + 25});
    MouseInput(MOUSEEVENTF_LEFTUP);
    PumpFor(150);
    const RECT after = BoundsOf(p);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 40);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 25);
    EXPECT_EQ(GetCapture(), p->WindowHandle());
    p->Free();
}

TEST(ClipPopup, PressOutsideHidesIt) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    MouseAt(POINT{150, 110});
    EXPECT_FALSE(p->Shown());
    EXPECT_FALSE(IsWindowVisible(p->WindowHandle()));
    EXPECT_NE(GetCapture(), p->WindowHandle());
    p->Free();
}

TEST(ClipPopup, CtrlArrowsMoveOnlyAPopupWithACaption) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    const RECT before = BoundsOf(p);
    WORD key = VK_RIGHT;
    p->KeyDown(key, ssCtrl);
    EXPECT_EQ(BoundsOf(p).left, before.left + 10);
    EXPECT_EQ(key, 0);
    key = VK_RIGHT;
    p->KeyDown(key, 0);
    EXPECT_EQ(BoundsOf(p).left, before.left + 10);
    p->Free();
}

namespace {
struct Cells : IClipCellSource {
    RECT CellRect(int, int) const override { return RECT{5, 0, 60, 18}; }
};
}  // namespace

TEST(DBClipPopup, GotoButtonsAndLayout) {
    OwnerOnForm host(100, 100, 300, 100);
    Cells cells;
    auto* p = Create<TDBClipPopup>(host.owner, cells);
    p->SetGotoItems({"Kunde", "Artikel"}, 1);
    ASSERT_EQ(p->Buttons().Count(), 3);
    EXPECT_EQ(p->Buttons().Items(0)->Name(), "#goto");
    EXPECT_EQ(p->Buttons().Items(0)->Text(), "L\xF6schen");
    TI_EditButton* second = p->Buttons().FindByName("#Goto1");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Text(), "Artikel");
    EXPECT_EQ(std::vector<int>({second->Left(), second->Top(), second->Width(), second->Height()}),
              std::vector<int>({55, 3, 26, 26}));
    EXPECT_EQ(p->PopupRect().right - p->PopupRect().left, 84);
    EXPECT_EQ(p->PopupRect().bottom - p->PopupRect().top, 52);
    p->SetGotoItems({"Kunde"}, 4);  // stops at the list's end
    EXPECT_EQ(p->Buttons().Count(), 2);
    p->SetGotoItems({}, -1);
    ASSERT_EQ(p->Buttons().Count(), 1);
    EXPECT_EQ(p->Buttons().Items(0)->Text(), "Leer");
    EXPECT_EQ(p->PopupRect().right - p->PopupRect().left, 32);

    std::string clicked;
    p->OnButtonClick = [&](TObject*, const std::string& name) { clicked = name; };
    p->Buttons().Items(0)->Click();
    EXPECT_EQ(clicked, "#goto");
    // The database popup has no key moves.
    p->SetOptions(kClipCaption);
    p->Show();
    PumpFor(20);
    const RECT before = BoundsOf(p);
    WORD key = VK_RIGHT;
    p->KeyDown(key, ssCtrl);
    EXPECT_EQ(BoundsOf(p).left, before.left);
    p->Free();
}

TEST(ClipPopup, ActivationGoesToTheFormOnlyWhenThePopupBecomesActive) {
    OwnerOnForm host(100, 100, 200, 22);
    TI_ClipPopup* p = ShownClipPopup(host.owner);
    auto* other = Create<TForm>(nullptr);
    other->SetBounds(400, 400, 100, 60);
    other->Show();
    PumpFor(50);
    ASSERT_EQ(GetActiveWindow(), other->WindowHandle());
    // The popup told it lost the activation to the other form: that form
    // keeps it.
    SendMessageA(p->WindowHandle(), WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other->WindowHandle()));
    EXPECT_EQ(GetActiveWindow(), other->WindowHandle());
    // Becoming active, it hands the activation to its own form.
    SendMessageA(p->WindowHandle(), WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(other->WindowHandle()));
    EXPECT_EQ(GetActiveWindow(), host.form->WindowHandle());
    other->Free();
    p->Free();
}

namespace {

int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) {
            ++*reinterpret_cast<int*>(lp);
            EnumChildWindows(h, [](HWND, LPARAM l) { ++*reinterpret_cast<int*>(l); return TRUE; }, lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

struct Counts {
    int windows, objects, dcs, gdi;
    static Counts Now() {
        return {ThreadWindows(), GdiOwnerLiveObjects(), GdiOwnerLiveDCs(),
                gui_counters::GdiObjects()};
    }
};

// WM_TIMER messages the thread gets while pumping for ms.
int TimerMessagesWithin(DWORD ms) {
    int timers = 0;
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER) ++timers;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return timers;
}

}  // namespace

TEST(ClipPopup, ThousandOpenCloseCyclesLeaveNothingBehind) {
    OwnerOnForm host(100, 100, 200, 22);
    Cells cells;
    using Maker = TI_ClipPopup* (*)(TWinControl*, const Cells&);
    const Maker makers[] = {
        [](TWinControl* o, const Cells&) -> TI_ClipPopup* {
            auto* p = Create<TI_ClipPopup>(o);
            p->SetBorderStyle(2);
            p->SetOptions(kClipCaption | kClipSizeGrip);
            p->SetPopupRect(0, 0, 120, 80);
            p->SetPopupPosition(pmBelowLeft);
            return p;
        },
        [](TWinControl* o, const Cells& c) -> TI_ClipPopup* {
            auto* p = Create<TDBClipPopup>(o, c);
            p->SetGotoItems({"Kunde", "Artikel"}, 1);
            return p;
        },
        [](TWinControl* o, const Cells&) -> TI_ClipPopup* { return Create<TI_CustomCalculator>(o); },
    };
    for (Maker make : makers) {
        // One cycle first, so that shared pieces made on first use count in.
        TI_ClipPopup* warm = make(host.owner, cells);
        warm->Show();
        PumpFor(10);
        warm->Hide();
        warm->Free();
        PumpFor(10);
        const Counts before = Counts::Now();
        for (int i = 0; i < 1000; ++i) {
            TI_ClipPopup* p = make(host.owner, cells);
            p->Show();
            UpdateWindow(p->WindowHandle());
            p->Hide();
            p->Free();
            Application()->ProcessMessages();
        }
        const Counts after = Counts::Now();
        EXPECT_EQ(after.windows, before.windows);
        EXPECT_EQ(after.objects, before.objects);
        EXPECT_EQ(after.dcs, before.dcs);
        EXPECT_LE(after.gdi, before.gdi + 2);
        EXPECT_EQ(TimerMessagesWithin(100), 0);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

// The status line names a button: a disabled one's text in its light grey;
// clearing leaves the popup's colour only.
TEST(DBClipPopup, StatusLineShowsADisabledButtonsTextInGreyAndClears) {
    OwnerOnForm host(100, 100, 300, 100);
    Cells cells;
    auto* p = Create<TDBClipPopup>(host.owner, cells);
    p->SetGotoItems({"Kunde", "Artikel"}, 1);
    TI_EditButton* b = p->Buttons().Items(0);
    b->SetEnabled(false);
    p->HandleNeeded();
    // Pixels of the status line (the rows above the 2-pixel frame's bottom).
    auto statusPixels = [p] {
        TBitmap picture(p->Width(), p->Height());
        p->PaintTo(picture.DC(), 0, 0);
        std::vector<COLORREF> out;
        for (int y = p->Height() - 2 - p->StatusHeight(); y < p->Height() - 2; ++y)
            for (int x = 2; x < p->Width() - 2; ++x) out.push_back(GetPixel(picture.DC(), x, y));
        return out;
    };
    p->ShowButtonText(b, false);
    const std::vector<COLORREF> shown = statusPixels();
    EXPECT_GT(std::count(shown.begin(), shown.end(), RGB(0xD5, 0xD5, 0xD5)), 10);
    p->ShowButtonText(b, true);
    const std::vector<COLORREF> cleared = statusPixels();
    const COLORREF face = ColorToCOLORREF(p->Color());
    EXPECT_EQ(std::count(cleared.begin(), cleared.end(), face), static_cast<std::ptrdiff_t>(cleared.size()));
    p->Free();
}
