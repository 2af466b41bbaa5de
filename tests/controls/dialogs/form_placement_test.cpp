// Placement of forms on an injected two-monitor layout, the look-and-feel
// hook, the monitor rectangles and the foreground helper.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "controls/dialogs/form_placement.h"
#include "controls/dialogs/look_and_feel.h"
#include "controls/dialogs/look_and_feel_hook.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/screen.h"

namespace {
// Left: primary 1280x1024 with a 40-pixel task bar at the bottom; right:
// 1600x900 with a task bar of 30 at the top.
std::vector<TMonitorInfo> TwoMonitors() {
    return {{nullptr, {0, 0, 1280, 1024}, {0, 0, 1280, 984}, true}, {nullptr, {1280, 0, 2880, 900}, {1280, 30, 2880, 900}}};
}

class FormPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        Screen()->SetMonitorProvider(&TwoMonitors);
        Screen()->SetActiveForm(nullptr);
    }
    void TearDown() override {
        Screen()->SetActiveForm(nullptr);
        for (TForm* f : forms_) f->Free();
        Screen()->SetMonitorProvider(nullptr);
        ClearLookAndFeelHook();
    }
    TForm* NewForm(int l, int t, int w, int h) {
        TForm* f = Create<TForm>(nullptr);
        f->SetBounds(l, t, w, h);
        forms_.push_back(f);
        return f;
    }
    std::vector<TForm*> forms_;
};
}  // namespace

TEST_F(FormPlacement, ScreenCentreDialogAndOtherFormsGoToTheMonitorOfTheActiveForm) {
    TForm* active = NewForm(1500, 100, 800, 600);  // mostly on the right monitor
    Screen()->SetActiveForm(active);
    TForm* dialog = NewForm(0, 0, 400, 300);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetPosition(poScreenCenter);
    ApplyLookAndFeel(dialog, true);
    EXPECT_EQ(dialog->HelpContext(), 1);
    EXPECT_EQ(dialog->Position(), poDesigned);
    // Work area 1280..2880 x 30..900: centre (2080, 465).
    EXPECT_EQ(std::make_pair(dialog->Left(), dialog->Top()), std::make_pair(2080 - 200, 465 - 150));
    // A form on the other monitor is shifted by the offset between the work areas.
    TForm* form = NewForm(100, 100, 300, 200);  // centre on the left monitor
    PlaceFormOnMonitor(form, false);
    EXPECT_EQ(std::make_pair(form->Left(), form->Top()), std::make_pair(1380, 130));
    // Wider than the work area: ends on its left edge.
    TForm* wide = NewForm(1500, 100, 1700, 200);
    PlaceFormOnMonitor(wide, false);
    EXPECT_EQ(wide->Left(), 1280);
}

TEST_F(FormPlacement, BorderlessFormsOnlyWithForceAndThePrimaryWithoutActiveForm) {
    TForm* form = NewForm(2000, 500, 300, 200);
    form->SetBorderStyle(bsNone);
    ApplyLookAndFeel(form, true);
    PlaceFormOnMonitor(form, false);
    EXPECT_EQ(form->Left(), 2000);
    EXPECT_EQ(form->HelpContext(), 1);
    // No active and no main form: the primary monitor; the form moves over
    // from the right work area by the offset between the two.
    ASSERT_EQ(Application()->MainForm(), nullptr);
    PlaceFormOnMonitor(form, true);
    EXPECT_EQ(std::make_pair(form->Left(), form->Top()), std::make_pair(720, 470));
}

TEST_F(FormPlacement, HookReachesTheInstalledRoutineOnlyAndMonitorRects) {
    TForm* form = NewForm(100, 100, 200, 100);
    FormLookAndFeel(form, true);
    EXPECT_EQ(form->HelpContext(), 0);
    InstallLookAndFeel();
    FormLookAndFeel(form, false);
    EXPECT_EQ(form->HelpContext(), 1);
    UninstallLookAndFeel();
    auto corners = [](int index) {
        const RECT r = MonitorRect(index);
        return std::vector<int>{r.left, r.top, r.right, r.bottom};
    };
    EXPECT_EQ(corners(1), (std::vector<int>{1280, 0, 2880, 900}));
    for (int bad : {2, -1}) EXPECT_EQ(corners(bad), (std::vector<int>{0, 0, 0, 0})) << bad;
}

TEST_F(FormPlacement, ForegroundTakenFromAnotherThreadStaysAndLeavesTheInputsApart) {
    TForm* form = NewForm(100, 100, 200, 100);
    form->Show();
    // A window of another thread holds the foreground.
    std::atomic<HWND> theirs{nullptr};
    std::atomic<DWORD> theirThread{0};
    std::atomic<bool> stop{false};
    std::thread other([&] {
        HWND h = CreateWindowExA(0, "STATIC", "andere", WS_POPUP | WS_VISIBLE, 700, 500, 80, 60, nullptr, nullptr,
                                 nullptr, nullptr);
        SetForegroundWindow(h);
        theirThread = GetCurrentThreadId();
        theirs = h;
        while (!stop) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
            Sleep(5);
        }
        DestroyWindow(h);
    });
    for (int i = 0; i < 300 && (!theirs || GetForegroundWindow() != theirs); ++i) Sleep(10);
    EXPECT_EQ(GetForegroundWindow(), theirs.load());
    // Ours afterwards, not nobody's (parting joined inputs took it along).
    EXPECT_TRUE(ForceForegroundWindow(form->Handle()));
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    // No inputs left joined: there is nothing to part.
    EXPECT_FALSE(AttachThreadInput(GetCurrentThreadId(), theirThread, FALSE));
    // With our own window in front there is no other thread to join.
    BringFormToFront(form);
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    stop = true;
    other.join();
}
