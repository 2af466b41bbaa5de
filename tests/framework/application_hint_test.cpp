// Hints: CM_HINTSHOW and OnShowHint decide, the replaceable hint window
// shows without taking the activation, key and mouse presses cancel.
#include <gtest/gtest.h>

#include <string>

#include "framework/custom_control.h"
#include "framework/hint_window.h"
#include "tests/framework/control_test_support.h"

namespace {

class HintedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool refuse = false;
    int asked = 0;

protected:
    void CMHintShow(TMessage& m) override {
        ++asked;
        auto* info = reinterpret_cast<THintInfo*>(m.LParam);
        info->HintStr += "!";
        m.Result = refuse ? 1 : 0;
    }
};

class CountingHintWindow : public THintWindow {
public:
    explicit CountingHintWindow(TComponent* owner) : THintWindow(owner) { ++made; }
    static int made;
};
int CountingHintWindow::made = 0;

struct HintScene {
    TForm* form;
    HintedControl* c;
};

HintScene BuildHintScene() {
    HintScene s{};
    s.form = ShowTestForm();
    s.c = Place<HintedControl>(s.form, s.form, 10, 10, 80, 30);
    s.c->SetHint("Öffnen|Öffnet die Datei");
    s.c->SetShowHint(true);
    Pump();
    return s;
}

}  // namespace

TEST(ApplicationHint, ShowsTheShortHintThroughTheHintWindowClassUnlessRefused) {
    HintScene s = BuildHintScene();
    Application()->HintWindowClass = [](TComponent* owner) -> THintWindow* {
        return Create<CountingHintWindow>(owner);
    };
    std::string seen;
    Application()->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
        seen = text;
        EXPECT_TRUE(canShow);
        EXPECT_EQ(info.HintControl, s.c);
        text = "Datei öffnen";
    };
    HWND active = GetActiveWindow();
    Application()->ShowHintFor(s.c, s.c->ClientToScreen(POINT{5, 5}));
    EXPECT_EQ(seen, "Öffnen!");
    THintWindow* hw = Application()->HintWindow();
    ASSERT_NE(hw, nullptr);
    EXPECT_EQ(CountingHintWindow::made, 1);
    EXPECT_TRUE(hw->IsShowing());
    EXPECT_EQ(hw->Caption(), "Datei öffnen");
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_TRUE(GetWindowLongA(hw->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    // A key press cancels the hint.
    RouteKey(s.c->Handle(), VK_SHIFT);
    EXPECT_FALSE(hw->IsShowing());
    EXPECT_EQ(Application()->HintControl(), nullptr);
    // The control can refuse its hint.
    s.c->refuse = true;
    Application()->ShowHintFor(s.c, s.c->ClientToScreen(POINT{5, 5}));
    EXPECT_EQ(s.c->asked, 2);
    EXPECT_TRUE(Application()->HintWindow() == nullptr || !Application()->HintWindow()->IsShowing());
    Application()->OnShowHint = nullptr;
    Application()->HintWindowClass = nullptr;
    s.form->Free();
}

// A mouse move starts the pause; the hint shows after it and hides after the
// hide pause. A control without hints of its own still counts when its parent
// shows none.
TEST(ApplicationHint, MouseMoveStartsThePauseAndTheHintShowsAndHides) {
    HintScene s = BuildHintScene();
    s.c->SetHint("");  // the control fills its text only when asked (CM_HINTSHOW)
    const int pause = Application()->HintPause, hide = Application()->HintHidePause;
    Application()->HintPause = 100;
    Application()->HintHidePause = 300;
    auto showing = [] { return Application()->HintWindow() && Application()->HintWindow()->IsShowing(); };
    // Handles messages until the hint's state is the one wanted; the time it took.
    auto waitFor = [&](bool shown) {
        const DWORD start = GetTickCount();
        WaitUntil([&] { return showing() == shown; }, 3000);
        return static_cast<int>(GetTickCount() - start);
    };
    MSG m = MakeMsg(s.c->Handle(), WM_MOUSEMOVE, 0, PointToLParam(5, 5));
    Application()->ProcessMessage(m);
    EXPECT_EQ(Application()->HintControl(), s.c);
    Pump();
    EXPECT_FALSE(showing());
    const int shownAfter = waitFor(true);
    EXPECT_TRUE(showing());
    EXPECT_GE(shownAfter, 80);
    const int hiddenAfter = waitFor(false);
    EXPECT_FALSE(showing());
    EXPECT_GE(hiddenAfter, 250);
    Application()->HintPause = pause;
    Application()->HintHidePause = hide;
    s.c->SetShowHint(false);
    s.c->SetParentShowHint(true);  // the form shows no hints
    Application()->CancelHint();
    Application()->ProcessMessage(m);
    EXPECT_EQ(Application()->HintControl(), s.c);
    s.form->Free();
    EXPECT_EQ(Application()->HintControl(), nullptr);
}
