// Mouse routing: window-less children get mouse messages, enter and leave
// from their parent; the control-under-the-mouse search includes disabled
// controls; the cursor comes from the control under the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/custom_control.h"
#include "framework/graphic_control.h"
#include "tests/framework/control_test_support.h"

namespace {

std::vector<std::string> g_mouse;

class Spot : public TGraphicControl {
public:
    Spot(TComponent* owner, std::string name) : TGraphicControl(owner), name_(std::move(name)) {}

protected:
    void MouseEnter() override { g_mouse.push_back("enter:" + name_); }
    void MouseLeave() override { g_mouse.push_back("leave:" + name_); }
    void MouseDown(TMouseButton, TShiftState shift, int x, int y) override {
        g_mouse.push_back("down:" + name_ + ":" + std::to_string(x) + "," + std::to_string(y) +
                          ((shift & ssLeft) ? ":left" : ""));
    }
    void Click() override { g_mouse.push_back("click:" + name_); }

private:
    std::string name_;
};

class Pad : public TCustomControl {
public:
    explicit Pad(TComponent* owner, std::string name = "pad") : TCustomControl(owner), name_(std::move(name)) {}

protected:
    void MouseEnter() override { g_mouse.push_back("enter:" + name_); }
    void MouseLeave() override { g_mouse.push_back("leave:" + name_); }
    void MouseDown(TMouseButton, TShiftState, int, int) override { g_mouse.push_back("down:" + name_); }

private:
    std::string name_;
};

struct MouseScene {
    TForm* form;
    Pad* pad;
    Spot* spot;
    Spot* off;
};

MouseScene BuildMouseScene() {
    MouseScene s{};
    s.form = ShowTestForm(300, 200);
    s.pad = Create<Pad>(s.form);
    s.pad->SetBounds(0, 0, 200, 150);
    s.pad->SetParent(s.form);
    s.spot = Create<Spot>(s.form, "spot");
    s.spot->SetBounds(20, 20, 30, 30);
    s.spot->SetParent(s.pad);
    s.off = Create<Spot>(s.form, "off");
    s.off->SetBounds(100, 20, 30, 30);
    s.off->SetEnabled(false);
    s.off->SetParent(s.pad);
    Pump();
    g_mouse.clear();
    return s;
}

void Move(TWinControl* c, int x, int y) { SendMessageA(c->Handle(), WM_MOUSEMOVE, 0, PointToLParam(x, y)); }

}  // namespace

TEST(ControlMouse, WindowlessChildGetsEnterAndLeaveFromItsParent) {
    MouseScene s = BuildMouseScene();
    Move(s.pad, 5, 5);
    Move(s.pad, 25, 25);
    Move(s.pad, 30, 30);
    Move(s.pad, 60, 60);
    std::vector<std::string> expected{"enter:pad", "leave:pad", "enter:spot", "leave:spot", "enter:pad"};
    EXPECT_EQ(g_mouse, expected);
    EXPECT_EQ(MouseControl(), s.pad);
    s.form->Free();
    EXPECT_EQ(MouseControl(), nullptr);
}

TEST(ControlMouse, DisabledWindowlessChildStillGetsEnterAndLeave) {
    MouseScene s = BuildMouseScene();
    Move(s.pad, 110, 30);
    Move(s.pad, 160, 30);
    std::vector<std::string> expected{"enter:off", "leave:off", "enter:pad"};
    EXPECT_EQ(g_mouse, expected);
    s.form->Free();
}

TEST(ControlMouse, ButtonMessagesGoToTheWindowlessChildInItsCoordinates) {
    MouseScene s = BuildMouseScene();
    SendMessageA(s.pad->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(25, 27));
    SendMessageA(s.pad->Handle(), WM_LBUTTONUP, 0, PointToLParam(26, 27));
    // A disabled child lets the parent have the press.
    SendMessageA(s.pad->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(110, 30));
    SendMessageA(s.pad->Handle(), WM_LBUTTONUP, 0, PointToLParam(110, 30));
    std::vector<std::string> expected{"down:spot:5,7:left", "click:spot", "down:pad"};
    EXPECT_EQ(g_mouse, expected);
    EXPECT_EQ(GetCapture(), nullptr);
    s.form->Free();
}

TEST(ControlMouse, DragTargetSearchFindsDisabledControlsOnRequest) {
    MouseScene s = BuildMouseScene();
    POINT overOff = s.pad->ClientToScreen(POINT{110, 30});
    POINT overSpot = s.pad->ClientToScreen(POINT{25, 25});
    EXPECT_EQ(FindDragTarget(overOff, true), s.off);
    EXPECT_EQ(FindDragTarget(overOff, false), s.pad);
    EXPECT_EQ(FindDragTarget(overSpot, false), s.spot);
    s.form->Free();
}

TEST(ControlMouse, CursorComesFromTheWindowlessChildUnderTheMouse) {
    MouseScene s = BuildMouseScene();
    s.spot->SetCursor(crHandPoint);
    SetCursorPos(s.pad->ClientToScreen(POINT{25, 25}).x, s.pad->ClientToScreen(POINT{25, 25}).y);
    SendMessageA(s.pad->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(s.pad->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), Screen()->Cursors(crHandPoint));
    // The global override wins.
    Screen()->SetCursor(crHourGlass);
    SendMessageA(s.pad->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(s.pad->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), Screen()->Cursors(crHourGlass));
    Screen()->SetCursor(crDefault);
    s.form->Free();
}

namespace {
// Moves the real cursor and handles messages until the control under the
// mouse is the one expected (at most about two seconds).
bool MoveCursorTo(POINT screen, TControl* expected) {
    SetCursorPos(screen.x, screen.y);
    for (int i = 0; i < 200; ++i) {
        Pump();
        if (MouseControl() == expected) return true;
        Sleep(10);
    }
    return false;
}
}  // namespace

TEST(ControlMouse, EnterAndLeaveBetweenWindowedControlsAndOutOfTheWindow) {
    TForm* form = ShowTestForm(300, 200);
    auto* left = Create<Pad>(form, "left");
    auto* right = Create<Pad>(form, "right");
    left->SetBounds(0, 0, 100, 100);
    right->SetBounds(100, 0, 100, 100);
    left->SetParent(form);
    right->SetParent(form);
    Pump();
    ASSERT_TRUE(MoveCursorTo(POINT{1200, 1000}, nullptr));
    g_mouse.clear();
    EXPECT_TRUE(MoveCursorTo(left->ClientToScreen(POINT{50, 50}), left));
    EXPECT_TRUE(MoveCursorTo(right->ClientToScreen(POINT{50, 50}), right));
    // Out of every window: only the system's WM_MOUSELEAVE can tell.
    EXPECT_TRUE(MoveCursorTo(POINT{1200, 1000}, nullptr));
    EXPECT_EQ(g_mouse, (std::vector<std::string>{"enter:left", "leave:left", "enter:right", "leave:right"}));
    form->Free();
}
