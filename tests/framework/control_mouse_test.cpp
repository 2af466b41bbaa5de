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
    std::string name_;
};

class Pad : public TCustomControl {
public:
    explicit Pad(TComponent* owner, std::string name = "pad") : TCustomControl(owner), name_(std::move(name)) {}

protected:
    void MouseEnter() override { g_mouse.push_back("enter:" + name_); }
    void MouseLeave() override { g_mouse.push_back("leave:" + name_); }
    void MouseDown(TMouseButton, TShiftState, int, int) override { g_mouse.push_back("down:" + name_); }
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
    s.pad = Place<Pad>(s.form, s.form, 0, 0, 200, 150);
    s.spot = Place<Spot>(s.form, s.pad, 20, 20, 30, 30, "spot");
    s.off = Place<Spot>(s.form, s.pad, 100, 20, 30, 30, "off");
    s.off->SetEnabled(false);
    Pump();
    g_mouse.clear();
    return s;
}

void Move(TWinControl* c, int x, int y) { SendMessageA(c->Handle(), WM_MOUSEMOVE, 0, PointToLParam(x, y)); }

}  // namespace

// A window-less child, disabled too, gets enter and leave from its parent.
TEST(ControlMouse, WindowlessChildGetsEnterAndLeaveFromItsParent) {
    MouseScene s = BuildMouseScene();
    for (auto [x, y] : {std::pair{5, 5}, {25, 25}, {30, 30}, {60, 60}, {110, 30}, {160, 30}}) Move(s.pad, x, y);
    EXPECT_EQ(g_mouse, (std::vector<std::string>{"enter:pad", "leave:pad", "enter:spot", "leave:spot", "enter:pad",
                                                 "leave:pad", "enter:off", "leave:off", "enter:pad"}));
    EXPECT_EQ(MouseControl(), s.pad);
    s.form->Free();
    EXPECT_EQ(MouseControl(), nullptr);
}

TEST(ControlMouse, ButtonsGoToTheWindowlessChildInItsCoordinatesAndDragTargets) {
    MouseScene s = BuildMouseScene();
    SendMessageA(s.pad->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(25, 27));
    SendMessageA(s.pad->Handle(), WM_LBUTTONUP, 0, PointToLParam(26, 27));
    // A disabled child lets the parent have the press.
    SendMessageA(s.pad->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(110, 30));
    SendMessageA(s.pad->Handle(), WM_LBUTTONUP, 0, PointToLParam(110, 30));
    EXPECT_EQ(g_mouse, (std::vector<std::string>{"down:spot:5,7:left", "click:spot", "down:pad"}));
    EXPECT_EQ(GetCapture(), nullptr);
    // The drag target search finds disabled controls on request.
    const POINT overOff = s.pad->ClientToScreen(POINT{110, 30}), overSpot = s.pad->ClientToScreen(POINT{25, 25});
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
    return WaitUntil([&] { return MouseControl() == expected; }, 2000);
}
}  // namespace

TEST(ControlMouse, EnterAndLeaveBetweenWindowedControlsAndOutOfTheWindow) {
    TForm* form = ShowTestForm(300, 200);
    auto* left = Place<Pad>(form, form, 0, 0, 100, 100, "left");
    auto* right = Place<Pad>(form, form, 100, 0, 100, 100, "right");
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

namespace {

// Records the wheel it is asked about; takes it when told to.
class WheelPad : public TCustomControl {
public:
    WheelPad(TComponent* owner, std::string name) : TCustomControl(owner), name_(std::move(name)) {
        OnMouseWheel = [this](TObject*, TShiftState, int delta, POINT, bool& handled) {
            g_mouse.push_back("wheel:" + name_ + ":" + std::to_string(delta));
            handled = take;
        };
    }
    bool take = false;

protected:
    void DefaultHandler(TMessage& m) override {
        if (m.Msg == WM_MOUSEWHEEL) g_mouse.push_back("own:" + name_);
        TCustomControl::DefaultHandler(m);
    }
    std::string name_;
};

}  // namespace

// A wheel the control under the focus does not take goes to its parents,
// nearest first; only a wheel none of them takes reaches the control's own
// window procedure.
TEST(ControlMouse, AnUntakenWheelGoesUpToTheParentsBeforeTheWindowsOwnProcedure) {
    TForm* form = ShowTestForm(300, 200);
    auto* outer = Place<WheelPad>(form, form, 0, 0, 250, 150, "outer");
    auto* inner = Place<WheelPad>(form, outer, 10, 10, 200, 100, "inner");
    auto* leaf = Place<WheelPad>(form, inner, 10, 10, 100, 50, "leaf");
    Pump();
    auto wheel = [&] {
        g_mouse.clear();
        SendMessageA(leaf->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(30, 30));
    };
    outer->take = true;
    wheel();
    EXPECT_EQ(g_mouse, (std::vector<std::string>{"wheel:leaf:-120", "wheel:inner:-120", "wheel:outer:-120"}));
    leaf->take = true;
    wheel();
    EXPECT_EQ(g_mouse, (std::vector<std::string>{"wheel:leaf:-120"}));
    leaf->take = outer->take = false;
    wheel();
    ASSERT_GE(g_mouse.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(g_mouse.begin(), g_mouse.begin() + 4),
              (std::vector<std::string>{"wheel:leaf:-120", "wheel:inner:-120", "wheel:outer:-120", "own:leaf"}));
    form->Free();
}
