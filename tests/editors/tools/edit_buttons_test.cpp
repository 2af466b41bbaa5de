#include <gtest/gtest.h>

#include "editors/tools/edit_buttons.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

::testing::Environment* const kEnv = ::testing::AddGlobalTestEnvironment(new EditToolsTestEnvironment);

// An owner that counts the presses it gets and keeps its width at most
// max_width, the way a control with size limits does.
class TLimitedOwner : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int max_width = 10000;
    int presses = 0;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_WINDOWPOSCHANGING) {
            auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
            if (!(wp->flags & SWP_NOSIZE) && wp->cx > max_width) wp->cx = max_width;
        }
        if (m.Msg == WM_LBUTTONDOWN) ++presses;
        TCustomControl::Dispatch(m);
    }
};

struct OwnerHost {
    TForm* form;
    TLimitedOwner* owner;
    OwnerHost() {
        form = Create<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(50, 50, 400, 200);
        owner = Create<TLimitedOwner>(form);
        owner->SetBounds(10, 10, 200, 40);
        owner->SetParent(form);
        form->Show();
        Application()->ProcessMessages();
    }
    ~OwnerHost() { form->Free(); }
};

// A glyph of 8x8 magenta with one black pixel at (3, 3).
TBitmap* BlackDotGlyph() {
    auto* g = new TBitmap(8, 8);
    g->Canvas().Brush().SetColor(clFuchsia);
    g->Canvas().FillRect(RECT{0, 0, 8, 8});
    g->SetPixel(3, 3, clBlack);
    g->SetPixel(4, 3, RGBColor(100, 0, 0));
    return g;
}

}  // namespace

TEST(EditButtons, NamesTagsAndLookup) {
    OwnerHost host;
    TI_EditButtons buttons(host.owner);
    for (int i = 0; i < 3; ++i) buttons.Add();
    EXPECT_EQ(buttons.Items(2)->Name(), "Button2");
    EXPECT_EQ(buttons.Items(2)->Tag, 2);
    EXPECT_EQ(buttons.FindByName("bUTTON1"), buttons.Items(1));
    buttons.Items(1)->SetCaption("&Weiter");
    EXPECT_EQ(buttons.FindAccelerator('w'), buttons.Items(1));
    buttons.Items(1)->SetEnabled(false);
    EXPECT_EQ(buttons.FindAccelerator('w'), nullptr);
    buttons.Items(0)->Free();
    EXPECT_EQ(buttons.Count(), 2);
}

TEST(EditButtons, AnchoredButtonsFollowTheFinalOwnerSize) {
    OwnerHost host;
    TI_EditButtons buttons(host.owner);
    buttons.DefaultCoordinateMode = false;
    int anchors[] = {0, 1, 3, 9, 10};
    for (int a : anchors) {
        TI_EditButton* b = buttons.Add();
        b->SetAnchor(a);
        b->SetBounds(100, 10, 16, 16);
    }
    host.owner->SetBounds(10, 10, 240, 50);  // grows by 40 x 10
    EXPECT_EQ(buttons.Items(0)->Left(), 100);
    EXPECT_EQ(buttons.Items(1)->Left(), 140);
    EXPECT_EQ(buttons.Items(2)->Top(), 20);
    EXPECT_EQ(buttons.Items(3)->Left(), 120);
    EXPECT_EQ(buttons.Items(4)->Top(), 15);
    // The owner holds its width at 250: the buttons move by what happened.
    host.owner->max_width = 250;
    host.owner->SetBounds(10, 10, 340, 50);
    EXPECT_EQ(host.owner->Width(), 250);
    EXPECT_EQ(buttons.Items(1)->Left(), 150);
    EXPECT_EQ(buttons.Items(3)->Left(), 125);
}

TEST(EditButtons, MouseClicksTheButtonAndThePressStaysAwayFromTheOwner) {
    OwnerHost host;
    TI_EditButtons buttons(host.owner);
    buttons.DefaultCoordinateMode = false;
    TI_EditButton* b = buttons.Add();
    b->SetBounds(150, 5, 30, 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    HWND h = host.owner->WindowHandle();
    POINT screen{160, 15};
    ClientToScreen(h, &screen);
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCLIENT);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(160, 15));
    EXPECT_EQ(b->State(), ebsHot);
    EXPECT_EQ(buttons.HotButton(), b);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 15));
    EXPECT_EQ(b->State(), ebsDown);
    EXPECT_EQ(host.owner->presses, 0);
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(160, 15));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(buttons.LastClicked(), b);
    EXPECT_EQ(b->State(), ebsHot);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));  // beside the button
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    EXPECT_EQ(host.owner->presses, 1);
    EXPECT_EQ(clicks, 1);
    buttons.MouseLeft();
    EXPECT_EQ(b->State(), ebsNormal);

    // The same with real input: the press captures the mouse for the button.
    POINT p{165, 20};
    ClientToScreen(h, &p);
    MouseAt(p, true, false);
    EXPECT_EQ(b->State(), ebsDown);
    EXPECT_EQ(GetCapture(), h);
    MouseAt(p, false, true);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(host.owner->presses, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(EditButtons, DisabledGlyphsAreGreyedOrFaded) {
    OwnerHost host;
    TI_EditButtons buttons(host.owner);
    TI_EditButton* b = buttons.Add();
    std::unique_ptr<TBitmap> glyph(BlackDotGlyph());
    b->SetGlyph(glyph.get());
    b->SetKind(5);
    b->SetBounds(0, 0, 20, 20);
    b->SetEnabled(false);
    TBitmap out(20, 20);
    b->SetDisabledLook(2);
    b->Paint(out.Canvas(), RECT{0, 0, 20, 20});
    EXPECT_EQ(out.Pixel(6 + 3, 6 + 3), RGBColor(102, 102, 102));  // glyph centred at (6, 6)
    b->SetDisabledLook(1);
    b->Paint(out.Canvas(), RECT{0, 0, 20, 20});
    EXPECT_EQ(out.Pixel(6 + 4, 6 + 3), RGBColor(120, 120, 120));
    EXPECT_NE(out.Pixel(0, 0), clFuchsia);  // the key colour stays out
}

TEST(EditButtons, DataThroughTheCollection) {
    OwnerHost host;
    TI_EditButtons a(host.owner), b(host.owner);
    TI_EditButton* x = a.Add();
    x->SetBounds(-1, 2, 30, 16);
    x->SetText("Hinweis");
    a.Add()->SetVisible(false);  // keeps its width in the stream
    std::vector<uint8_t> data = a.SaveData();
    ASSERT_TRUE(b.LoadData(data.data(), data.size()));
    EXPECT_FALSE(b.DataDiffers(&a));
    data[4] = 3;  // a record size below 30: nothing changes
    EXPECT_FALSE(b.LoadData(data.data(), data.size()));
    EXPECT_EQ(b.Count(), 2);
    b.Items(0)->SetKind(1);
    EXPECT_TRUE(b.DataDiffers(&a));  // not only count, caption and image matter
}

TEST(EditButtons, FramesAndBackgroundsByKindAndState) {
    OwnerHost host;
    host.owner->SetColor(clRed);
    TI_EditButtons buttons(host.owner);
    TI_EditButton* b = buttons.Add();
    b->SetGlyph(nullptr);
    b->SetBounds(0, 0, 16, 16);
    TBitmap out(16, 16);
    auto paint = [&] {
        b->Paint(out.Canvas(), RECT{0, 0, 16, 16});
        GdiFlush();
    };
    b->SetKind(2);  // running, not flat: a line in the owner's colour
    b->SetColor(clBtnFace);
    paint();
    EXPECT_EQ(out.Pixel(0, 0), clRed);
    EXPECT_EQ(out.Pixel(15, 8), clRed);
    EXPECT_EQ(out.Pixel(8, 8), ColorToRGB(clBtnFace));
    b->SetKind(0);  // raised: highlight top-left, dark shadow bottom-right
    paint();
    EXPECT_EQ(out.Pixel(0, 8), ColorToRGB(cl3DLight));
    EXPECT_EQ(out.Pixel(15, 8), ColorToRGB(cl3DDkShadow));
    b->SetKind(3);  // white and down: dithered white and face
    b->SetColor(clWhite);
    b->SetDown(true);
    paint();
    EXPECT_NE(out.Pixel(8, 8), out.Pixel(9, 8));
    EXPECT_TRUE(out.Pixel(8, 8) == clWhite || out.Pixel(9, 8) == clWhite);
    b->SetKind(5);  // down: the highlight colour
    paint();
    EXPECT_EQ(out.Pixel(8, 8), ColorToRGB(clHighlight));
}

TEST(EditButtons, ATransparentButtonLeavesNoOldFrameBehind) {
    OwnerHost host;
    host.owner->SetColor(clRed);
    TI_EditButtons buttons(host.owner);
    buttons.DefaultCoordinateMode = false;
    TI_EditButton* b = buttons.Add();
    b->SetGlyph(nullptr);
    b->SetKind(1);  // a frame only while hot
    b->SetTransparent(true);
    b->SetBounds(100, 5, 30, 30);
    HWND h = host.owner->WindowHandle();
    auto edge = [&] {
        PumpFor(30);
        TBitmap shot(1, 1);
        HDC dc = GetDC(h);
        BitBlt(shot.DC(), 0, 0, 1, 1, dc, 100, 20, SRCCOPY);
        ReleaseDC(h, dc);
        GdiFlush();
        return shot.Pixel(0, 0);
    };
    EXPECT_EQ(edge(), clRed);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(110, 20));
    EXPECT_EQ(b->State(), ebsHot);
    EXPECT_NE(edge(), clRed);  // the raised frame
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(b->State(), ebsNormal);
    EXPECT_EQ(edge(), clRed);  // the owner's picture again
}
