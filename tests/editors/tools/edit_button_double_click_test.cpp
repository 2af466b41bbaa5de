// Two quick clicks on an edit button are two clicks, also on an owner whose
// window class takes double clicks.
#include <gtest/gtest.h>

#include "editors/tools/edit_buttons.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

// Counts the presses and double clicks that reach the owner itself.
class TDoubleClickOwner : public TCustomControl {
public:
    explicit TDoubleClickOwner(TComponent* AOwner) : TCustomControl(AOwner) {
        SetControlStyle(ControlStyle() | csDoubleClicks);
    }
    int presses = 0;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) ++presses;
        TCustomControl::Dispatch(m);
    }
};

}  // namespace

TEST(EditButtonClicks, QuickSecondClickPressesTheButtonAgain) {
    TForm* form = Create<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(50, 50, 300, 100);
    auto* owner = Create<TDoubleClickOwner>(form);
    owner->SetBounds(10, 10, 200, 40);
    owner->SetParent(form);
    form->Show();
    Application()->ProcessMessages();
    {
        TI_EditButtons buttons(owner);
        buttons.DefaultCoordinateMode = false;
        TI_EditButton* b = buttons.Add();
        b->SetBounds(150, 5, 30, 30);
        int clicks = 0;
        b->OnClick = [&](TObject*) { ++clicks; };
        HWND h = owner->WindowHandle();
        ASSERT_NE(GetClassLongPtrA(h, GCL_STYLE) & CS_DBLCLKS, 0u);

        // As the system sends a double click: down, up, double click, up.
        const UINT sequence[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
        for (UINT msg : sequence)
            SendMessageA(h, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(160, 15));
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(owner->presses, 0);
        EXPECT_EQ(GetCapture(), nullptr);

        // The same with real input, within the double-click time.
        SetForegroundWindow(form->Handle());
        POINT p{165, 20};
        ClientToScreen(h, &p);
        MouseAt(p);
        MouseAt(p);
        EXPECT_EQ(clicks, 4);
        EXPECT_EQ(owner->presses, 0);

        // Beside the buttons the double click stays the owner's.
        SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 15));
        SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
        EXPECT_EQ(owner->presses, 1);
        EXPECT_EQ(clicks, 4);
    }
    form->Free();
}
