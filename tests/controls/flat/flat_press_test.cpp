// Both flat button kinds: a press that loses the mouse capture, and the
// hover look of a button enabled again under the cursor.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/flat/flat_button.h"
#include "controls/flat/flat_speed_button.h"
#include "controls/flat/hover_tracker.h"
#include "flat_test_support.h"

namespace {

// The window that gets the button's mouse messages (a speed button's parent)
// and the button's point (5, 5) in that window.
HWND MouseWindow(TFlatButton* b) { return b->Handle(); }
HWND MouseWindow(TFlatSpeedButton* b) { return b->Parent()->Handle(); }
LPARAM PressPoint(TFlatButton*) { return PointToLParam(5, 5); }
LPARAM PressPoint(TFlatSpeedButton* b) { return PointToLParam(b->Left() + 5, b->Top() + 5); }
THoverTracker& HoverOf(TFlatButton*) { return FlatButtonHover(); }
THoverTracker& HoverOf(TFlatSpeedButton*) { return FlatSpeedButtonHover(); }
// A focused button keeps its hover look when the mouse leaves.
bool KeepsLook(TFlatButton* b) { return b->Focused(); }
bool KeepsLook(TFlatSpeedButton*) { return false; }

void CursorTo(TControl* c, int x, int y) {
    POINT p = c->ClientToScreen(POINT{x, y});
    SetCursorPos(p.x, p.y);
}

// A modal box that closes as soon as it is shown.
void ModalBox() {
    auto* box = Create<TForm>(nullptr);
    box->SetBounds(400, 400, 100, 60);
    box->OnShow = [box](TObject*) { box->SetModalResult(mrOk); };
    box->ShowModal();
    box->Free();
}

struct CaptureLoss {
    const char* name;
    void (*take)(HWND other);
};

const CaptureLoss kLosses[] = {
    {"WM_CANCELMODE", [](HWND) { SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0); }},
    {"another window's capture",
     [](HWND other) {
         SetCapture(other);
         ReleaseCapture();
     }},
    {"a modal box", [](HWND) { ModalBox(); }},
};

// Pressed, then the capture goes: the button is up (a down group member
// stays down), a later release over it clicks nothing, and the hover look
// follows the cursor, watched by the timer.
template <class B>
void PressLosesCapture() {
    for (const CaptureLoss& loss : kLosses) {
        for (bool group : {false, true}) {
            SCOPED_TRACE(std::string(loss.name) + (group ? ", down group member" : ""));
            TForm* f = ActiveForm();
            auto* b = Place<B>(f, f, 20, 20, 40, 20);
            HWND other = Place<TWinControl>(f, f, 200, 20, 20, 20)->Handle();
            if (group) {
                b->SetGroupIndex(1);
                b->SetDown(true);
            }
            int clicks = 0;
            b->OnClick = [&](TObject*) { ++clicks; };
            CursorTo(b, 5, 5);
            SendMessageA(MouseWindow(b), WM_LBUTTONDOWN, MK_LBUTTON, PressPoint(b));
            ASSERT_EQ(GetCapture(), MouseWindow(b));
            EXPECT_EQ(b->State(), group ? bsExclusive : bsDown);
            CursorTo(f, 250, 150);
            loss.take(other);
            Pump();
            EXPECT_EQ(b->State(), group ? bsExclusive : bsUp);
            EXPECT_NE(GetCapture(), MouseWindow(b));
            SendMessageA(MouseWindow(b), WM_LBUTTONUP, 0, PressPoint(b));
            EXPECT_EQ(clicks, 0);
            EXPECT_EQ(b->Down(), group);
            // Pressed again with the mouse staying over it: the look comes
            // back, and goes with the mouse.
            SendMessageA(MouseWindow(b), WM_LBUTTONDOWN, MK_LBUTTON, PressPoint(b));
            CursorTo(b, 5, 5);
            loss.take(other);
            Pump();
            EXPECT_TRUE(b->MouseInControl());
            EXPECT_NE(HoverOf(b).Current(), nullptr);  // b, the only one of its kind
            CursorTo(f, 250, 150);
            if (!KeepsLook(b)) {
                EXPECT_TRUE(WaitUntil([&] { return !b->MouseInControl(); }, 1000));
            }
            f->Free();
        }
    }
}

TEST(FlatPress, ButtonLetsGoWhenTheCaptureGoes) { PressLosesCapture<TFlatButton>(); }
TEST(FlatPress, SpeedButtonLetsGoWhenTheCaptureGoes) { PressLosesCapture<TFlatSpeedButton>(); }

// The press takes the focus from a control whose exit handler opens a modal
// box: the button is up again once the box has gone.
TEST(FlatPress, ModalBoxFromAFocusHandlerEndsThePress) {
    TForm* f = ActiveForm();
    auto* other = Place<TFlatButton>(f, f, 20, 60, 40, 20);
    auto* b = Place<TFlatButton>(f, f, 20, 20, 40, 20);
    other->SetFocus();
    int boxes = 0, clicks = 0;
    other->OnExit = [&](TObject*) {
        ++boxes;
        ModalBox();
    };
    b->OnClick = [&](TObject*) { ++clicks; };
    CursorTo(b, 5, 5);
    INPUT down{INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}};
    INPUT up{INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}};
    SendInput(1, &down, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([&] { return boxes == 1; }, 2000));
    Pump();
    EXPECT_EQ(b->State(), bsUp);
    SendInput(1, &up, sizeof(INPUT));
    for (int i = 0; i < 5; ++i, Sleep(10)) Pump();
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_EQ(clicks, 0);
    other->OnExit = nullptr;
    f->Free();
}

// Enabled again under the cursor: the hover look is on and the watch takes
// it off once the mouse has left without a mouse message to the button.
template <class B>
void EnabledUnderTheCursor() {
    TForm* f = ActiveForm();
    auto* b = Place<B>(f, f, 20, 20, 40, 20);
    b->SetEnabled(false);
    CursorTo(b, 5, 5);
    b->SetEnabled(true);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_NE(HoverOf(b).Current(), nullptr);  // b, the only one of its kind
    CursorTo(f, 250, 150);
    EXPECT_TRUE(WaitUntil([&] { return !b->MouseInControl(); }, 1000));
    f->Free();
}

TEST(FlatHover, ButtonEnabledUnderTheCursorLosesTheLookWhenLeft) { EnabledUnderTheCursor<TFlatButton>(); }
TEST(FlatHover, SpeedButtonEnabledUnderTheCursorLosesTheLookWhenLeft) { EnabledUnderTheCursor<TFlatSpeedButton>(); }

}  // namespace
