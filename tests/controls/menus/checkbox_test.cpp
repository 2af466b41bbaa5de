// The owner-drawn check box: exact pixels of box, tick and grayed square in
// each background mode, the toggle rules with their OnClick count, presses
// by mouse and Space (only a press seen here toggles), auto-size and the
// parent's picture taken again after a move.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/menus/checkbox.h"
#include "framework/custom_control.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/graphics.h"
#include "framework/std_controls.h"
#include "tests/controls/flat/flat_test_support.h"
#include "tests/framework/gui_counters.h"
#include "tests/framework/user_input.h"

namespace {

constexpr TColor kGreen = 0x00A000;
constexpr TColor kBlue = 0xC00000;

uint32_t Sys(TColor c) { return Dib(ColorToRGB(c)); }

// Green left of x = 150, blue right of it.
class TwoColourParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        Canvas().Brush().SetColor(kGreen);
        Canvas().FillRect(RECT{0, 0, 150, Height()});
        Canvas().Brush().SetColor(kBlue);
        Canvas().FillRect(RECT{150, 0, Width(), Height()});
    }
};

// A white check box on a shown form (the form is freed with the scene).
struct Scene {
    TForm* form = ShowTestForm();
    TsCheckBox* box = nullptr;
    int clicks = 0;
    explicit Scene(const std::string& caption = "Benutzen") {
        box = Place<TsCheckBox>(form, form, 0, 0, 98, 20);
        box->SetColor(clWhite);
        box->SetCaption(caption);
        box->OnClick = [this](TObject*) { ++clicks; };
        Pump();
    }
    ~Scene() { form->Free(); }
    HWND Hwnd() const { return box->Handle(); }
    void Mouse(UINT msg, int x, int y) const {
        SendMessageA(Hwnd(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Click(int x = 5, int y = 5) const {
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }
    // Space through the application's key pipeline, as the message loop runs it.
    void Space(bool down, bool repeat = false) const {
        MSG m = MakeMsg(Hwnd(), down ? WM_KEYDOWN : WM_KEYUP, VK_SPACE,
                        down ? (repeat ? 0x40000001 : 1) : static_cast<LPARAM>(0xC0000001));
        Application()->ProcessMessage(m);
        Pump();
    }
    std::vector<uint32_t> Pixels() const { return PaintToPixels(box, box->Width(), box->Height()); }
    uint32_t At(const std::vector<uint32_t>& px, int x, int y) const { return PixelAt(px, box->Width(), x, y); }
};

}  // namespace

TEST(CheckBox, NewControlAndItsRaisedOrSunkenEdges) {
    Scene s;
    auto* fresh = Create<TsCheckBox>(nullptr);
    EXPECT_EQ(std::vector<int>({fresh->Width(), fresh->Height()}), std::vector<int>({98, 20}));
    EXPECT_EQ(fresh->Color(), clBtnFace);
    EXPECT_EQ(fresh->State(), cbUnchecked);
    const RECT box = fresh->BoxRect();
    EXPECT_EQ(std::vector<LONG>({box.left, box.top, box.right, box.bottom}), std::vector<LONG>({1, 4, 13, 16}));
    fresh->Free();
    struct {
        TsBWCCBoxStyle style;
        TColor first, second;
    } cases[] = {{bwsRaised, clBtnHighlight, clBtnShadow}, {bwsSunken, clBtnShadow, clBtnHighlight}};
    for (const auto& c : cases) {
        s.box->SetStyle(c.style);
        const auto px = s.Pixels();
        for (POINT p : {POINT{1, 4}, POINT{1, 16}, POINT{12, 4}})
            EXPECT_EQ(s.At(px, p.x, p.y), Sys(c.first)) << c.style << " at " << p.x << "," << p.y;
        for (POINT p : {POINT{13, 4}, POINT{13, 16}, POINT{2, 16}})
            EXPECT_EQ(s.At(px, p.x, p.y), Sys(c.second)) << c.style << " at " << p.x << "," << p.y;
        EXPECT_EQ(s.At(px, 7, 10), Dib(clWhite));
    }
}

TEST(CheckBox, TickInCheckColour) {
    Scene s;
    s.box->SetCheckColor(clRed);
    EXPECT_EQ(s.At(s.Pixels(), 3, 10), Dib(clWhite));
    s.box->SetChecked(true);
    const auto px = s.Pixels();
    for (POINT p : {POINT{3, 10}, POINT{3, 13}, POINT{4, 9}, POINT{4, 12}, POINT{3, 14}, POINT{10, 7}, POINT{4, 14},
                    POINT{11, 7}})
        EXPECT_EQ(s.At(px, p.x, p.y), Dib(clRed)) << p.x << "," << p.y;
    for (POINT p : {POINT{12, 6}, POINT{11, 6}, POINT{5, 10}})
        EXPECT_NE(s.At(px, p.x, p.y), Dib(clRed)) << p.x << "," << p.y;
    // A sunken box has its tick one pixel higher.
    s.box->SetStyle(bwsSunken);
    const auto sunken = s.Pixels();
    EXPECT_EQ(s.At(sunken, 3, 9), Dib(clRed));
    EXPECT_EQ(s.At(sunken, 3, 14), Dib(clWhite));
}

TEST(CheckBox, GrayedSquareAndThreeClicksAround) {
    Scene s;
    s.box->SetCheckColor(clRed);
    s.box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        s.Click();
        seen.push_back(s.box->State());
        if (i == 0) {
            const auto px = s.Pixels();
            EXPECT_EQ(s.At(px, 7, 10), Dib(clRed));
            EXPECT_EQ(s.At(px, 3, 6), Sys(clBtnHighlight));  // the pen ring
        }
    }
    EXPECT_EQ(seen, std::vector<TCheckBoxState>({cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(s.clicks, 3);
    // Without AllowGrayed a grayed box becomes checked.
    s.box->SetAllowGrayed(false);
    s.box->SetState(cbGrayed);
    s.Click();
    EXPECT_EQ(s.box->State(), cbChecked);
    EXPECT_EQ(s.clicks, 4);
}

TEST(CheckBox, WritesInCodeRaiseNoClick) {
    Scene s;
    s.box->SetChecked(true);
    s.box->SetState(cbGrayed);
    s.box->SetState(cbUnchecked);
    EXPECT_EQ(s.clicks, 0);
    // Two boxes where each click sets the other to the opposite.
    auto* other = Place<TsCheckBox>(s.form, s.form, 0, 30, 98, 20);
    s.box->SetChecked(true);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) {
        ++otherClicks;
        s.box->SetChecked(!other->Checked());
    };
    s.box->OnClick = [&](TObject*) {
        ++s.clicks;
        other->SetChecked(!s.box->Checked());
    };
    Pump();
    s.Click();
    EXPECT_FALSE(s.box->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_EQ(s.clicks + otherClicks, 1);
}

TEST(CheckBox, MousePressFollowsThePointerAndReleaseOutsideKeepsTheValue) {
    Scene s;
    s.Mouse(WM_LBUTTONDOWN, 5, 5);
    EXPECT_TRUE(s.box->Pressed());
    s.Mouse(WM_MOUSEMOVE, 200, 5);
    EXPECT_FALSE(s.box->Pressed());
    s.Mouse(WM_LBUTTONUP, 200, 5);
    EXPECT_EQ(s.box->State(), cbUnchecked);
    s.Mouse(WM_LBUTTONDOWN, 5, 5);
    s.Mouse(WM_MOUSEMOVE, 200, 5);
    s.Mouse(WM_MOUSEMOVE, 50, 5);
    EXPECT_TRUE(s.box->Pressed());
    s.Mouse(WM_LBUTTONUP, 50, 5);
    EXPECT_EQ(s.box->State(), cbChecked);
    EXPECT_FALSE(s.box->Pressed());
    EXPECT_EQ(s.clicks, 1);
    EXPECT_TRUE(s.box->Focused());
}

TEST(CheckBox, HeldSpaceTogglesOnceWithoutKeyUpEvent) {
    Scene s;
    int keyUps = 0, keyDowns = 0;
    s.box->OnKeyUp = [&](TObject*, WORD&, TShiftState) { ++keyUps; };
    s.box->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };
    s.box->SetFocus();
    s.Space(true);
    EXPECT_TRUE(s.box->Pressed());
    s.Space(true, true);
    s.Space(false);
    EXPECT_EQ(s.box->State(), cbChecked);
    EXPECT_EQ(s.clicks, 1);
    EXPECT_EQ(keyDowns, 2);
    EXPECT_EQ(keyUps, 0);
}

// A release whose press happened elsewhere (a double click that closed a
// window above the box, the Space that closed a message box) flips nothing.
TEST(CheckBox, ReleaseWithoutItsPressTogglesNothing) {
    Scene s;
    s.box->SetFocus();
    s.Mouse(WM_LBUTTONUP, 5, 5);
    s.Space(false);
    EXPECT_EQ(s.box->State(), cbUnchecked);
    EXPECT_EQ(s.clicks, 0);
    // A Space press that lost the focus before its release is over too.
    s.Space(true);
    auto* other = Place<TsCheckBox>(s.form, s.form, 0, 30, 98, 20);
    other->SetFocus();
    EXPECT_FALSE(s.box->Pressed());
    s.box->SetFocus();
    s.Space(false);
    EXPECT_EQ(s.box->State(), cbUnchecked);
    EXPECT_EQ(s.clicks, 0);
}

TEST(CheckBox, AcceleratorTogglesWhileEnabled) {
    Scene s("&Benutzen");
    EXPECT_EQ(s.box->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_EQ(s.box->Perform(CM_DIALOGCHAR, 'b'), 1);
    EXPECT_TRUE(s.box->Checked());
    s.box->SetEnabled(false);
    EXPECT_EQ(s.box->Perform(CM_DIALOGCHAR, 'b'), 0);
    EXPECT_TRUE(s.box->Checked());
    EXPECT_EQ(s.clicks, 1);
}

// Real keys and clicks: Space held while the box is clicked is one press
// and one toggle, as in the Windows check box, whichever is let go first.
TEST(CheckBox, SpaceHeldAndAClickToggleOnce) {
    auto key = [](bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_SPACE;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &in, sizeof(INPUT));
        Pump();
    };
    auto button = [](bool up) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        SendInput(1, &in, sizeof(INPUT));
        Pump();
    };
    for (const bool spaceFirstUp : {false, true}) {
        Scene s;
        s.box->SetFocus();
        POINT centre{40, 10};
        ClientToScreen(s.Hwnd(), &centre);
        SetCursorPos(centre.x, centre.y);
        Pump();
        key(false);
        ASSERT_TRUE(s.box->Pressed());
        button(false);
        if (spaceFirstUp) {
            key(true);
            button(true);
        } else {
            button(true);
            key(true);
        }
        EXPECT_EQ(s.clicks, 1) << spaceFirstUp;
        EXPECT_EQ(s.box->State(), cbChecked) << spaceFirstUp;
        EXPECT_FALSE(s.box->Pressed());
        SetCursorPos(1, 1);
    }
}

// Alt+letter reaches only a box the user can see and use: not a hidden one
// (which comes first in the broadcast), not one on a disabled panel.
TEST(CheckBox, AcceleratorOnlyForVisibleBoxesOnEnabledParents) {
    TForm* form = ShowTestForm();
    auto* hidden = Place<TsCheckBox>(form, form, 0, 0, 98, 20);
    hidden->SetCaption("&Benutzen");
    hidden->SetVisible(false);
    auto* shown = Place<TsCheckBox>(form, form, 0, 30, 98, 20);
    shown->SetCaption("&Benutzen");
    auto* panel = Place<TPanel>(form, form, 0, 60, 150, 40);
    auto* onPanel = Place<TsCheckBox>(form, panel, 2, 2, 98, 20);
    onPanel->SetCaption("&Aktiv");
    panel->SetEnabled(false);
    Pump();
    shown->SetFocus();
    Pump();
    user_input::PressKey('B', user_input::kAlt);
    EXPECT_FALSE(hidden->Checked());
    EXPECT_TRUE(shown->Checked());
    user_input::PressKey('A', user_input::kAlt);
    EXPECT_FALSE(onPanel->Checked());
    panel->SetEnabled(true);
    user_input::PressKey('A', user_input::kAlt);
    EXPECT_TRUE(onPanel->Checked());
    form->Free();
    Pump();
}

TEST(CheckBox, AutoSizeFitsTheCaption) {
    Scene s;
    s.box->SetLeft(40);
    s.box->SetAutoSize(true);
    RECT r{0, 0, 0, 0};
    {
        MemoryDC dc;
        ScopedSelect font(dc.Get(), s.box->Font().Handle());
        DrawTextA(dc.Get(), "Benutzen", 8, &r, DT_CALCRECT | DT_EXPANDTABS);
    }
    EXPECT_EQ(std::vector<int>({s.box->Left(), s.box->Width(), s.box->Height()}),
              std::vector<int>({40, r.right + 24, r.bottom + 3}));
    // A longer caption grows it; without the press pixel it is one narrower.
    const int before = s.box->Width();
    s.box->SetCaption("Benutzen und speichern");
    EXPECT_GT(s.box->Width(), before);
    const int wide = s.box->Width();
    s.box->SetButtonLike(false);
    EXPECT_EQ(s.box->Width(), wide - 1);
}

TEST(CheckBox, BackgroundByTransparentMode) {
    Scene s;
    auto* parent = Place<TwoColourParent>(s.form, s.form, 0, 40, 300, 60);
    s.box->SetParent(parent);
    s.box->SetCaption("");
    struct {
        TsTransparentMode mode;
        uint32_t free, inBox;
    } cases[] = {{tmOpaque, Dib(clWhite), Dib(clWhite)},
                 {tmSemiTransparent, Dib(kGreen), Dib(clWhite)},
                 {tmTransparent, Dib(kGreen), Dib(kGreen)}};
    for (const auto& c : cases) {
        s.box->SetTransparentMode(c.mode);
        const auto px = s.Pixels();
        EXPECT_EQ(s.At(px, 90, 2), c.free) << c.mode;
        EXPECT_EQ(s.At(px, 7, 10), c.inBox) << c.mode;
    }
    // Moved over the blue half, the parent's picture is taken again.
    s.box->SetLeft(100);
    EXPECT_EQ(s.At(s.Pixels(), 90, 2), Dib(kBlue));
    s.box->SetLeft(0);
    Pump();
    EXPECT_EQ(PixelAt(ScreenPixels(s.box->Handle(), 98, 20), 98, 90, 2), Dib(kGreen));
}

TEST(CheckBox, ChangesRepaintOnlyTheirSide) {
    Scene s;
    s.box->SetButtonLike(false);
    Pump();
    TBitmap bmp(98, 20);
    auto paint = [&] {
        bmp.Canvas().Brush().SetColor(0xFF00FF);
        bmp.Canvas().FillRect(RECT{0, 0, 98, 20});
        s.box->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.DC()), 0);
        return BitmapPixels(bmp);
    };
    s.box->SetChecked(true);
    auto px = paint();
    EXPECT_EQ(PixelAt(px, 98, 7, 7), Dib(clWhite));   // the box strip
    EXPECT_EQ(PixelAt(px, 98, 60, 2), 0xFF00FFu);       // the caption side untouched
    s.box->SetCaption("Neu");
    px = paint();
    EXPECT_EQ(PixelAt(px, 98, 7, 7), 0xFF00FFu);
    EXPECT_EQ(PixelAt(px, 98, 60, 2), Dib(clWhite));
    px = paint();  // the next paint is whole again
    EXPECT_EQ(PixelAt(px, 98, 7, 7), Dib(clWhite));
    EXPECT_EQ(PixelAt(px, 98, 60, 2), Dib(clWhite));
    // A value change followed by one that moves the box: all of it.
    s.box->SetChecked(false);
    s.box->SetAlignment(taRightJustify);
    px = paint();
    EXPECT_EQ(PixelAt(px, 98, 7, 7), Dib(clWhite));
    EXPECT_EQ(PixelAt(px, 98, 90, 7), Dib(clWhite));
}

TEST(CheckBox, ParentColourReachesAnOpaqueBox) {
    Scene s;
    s.form->SetColor(kGreen);
    EXPECT_EQ(s.box->Color(), kGreen);
}

TEST(CheckBox, PaintingLeavesNoGdiObjects) {
    Scene s;
    s.box->SetTransparentMode(tmTransparent);
    s.Pixels();
    const int gdi = gui_counters::GdiObjects();
    for (int i = 0; i < 20; ++i) {
        s.box->SetChecked(i % 2 == 0);
        s.box->SetLeft(i);
        s.Pixels();
        s.box->Repaint();
    }
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);
}
