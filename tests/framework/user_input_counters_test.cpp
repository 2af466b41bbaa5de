// The leak counters see what a test leaks, and keys typed through the
// application's loop reach the focused control as a user's keys do.
#include <gtest/gtest.h>

#include <string>

#include "framework/edit.h"
#include "tests/framework/control_test_support.h"
#include "tests/framework/gui_counters.h"
#include "tests/framework/user_input.h"

TEST(GuiCounters, SeeAPlantedGdiLeakAndItsRelease) {
    const int before = gui_counters::GdiObjects();
    HBRUSH brushes[10];
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(gui_counters::GdiObjects(), before + 10);
    for (HBRUSH b : brushes) DeleteObject(b);
    EXPECT_EQ(gui_counters::GdiObjects(), before);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(gui_counters::GdiObjects(), before + 1);
    DeleteDC(dc);
    EXPECT_EQ(gui_counters::GdiObjects(), before);
}

TEST(GuiCounters, SeeWindowsOfEveryKind) {
    const int before = gui_counters::UserWindows();
    HWND top = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, top, nullptr, nullptr, nullptr);
    HWND message_only = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(top && child && message_only);
    EXPECT_EQ(gui_counters::UserWindows(), before + 3);
    DestroyWindow(message_only);
    DestroyWindow(top);
    EXPECT_EQ(gui_counters::UserWindows(), before);
}

TEST(UserInput, KeysAndCharactersGoThroughTheApplicationsLoop) {
    TForm* form = ShowTestForm(300, 120);
    TCustomEdit* edit = Place<TCustomEdit>(form, form, 10, 10, 200, 22);
    TCustomEdit* next = Place<TCustomEdit>(form, form, 10, 50, 200, 22);
    Pump();
    edit->SetFocus();
    Pump();
    ASSERT_EQ(GetFocus(), edit->Handle());

    user_input::TypeText("Grüße");
    user_input::PressKey(VK_LEFT, user_input::kShift);  // selects the last character
    user_input::PressKey('X');                            // TranslateMessage makes "x"
    EXPECT_EQ(edit->Text(), "Grüßx");

    // Tab is a dialog key: the form moves the focus; Shift+Tab moves back.
    user_input::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), next->Handle());
    user_input::PressKey(VK_TAB, user_input::kShift);
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(edit->Text(), "Grüßx");
    form->Free();
    Pump();
}
