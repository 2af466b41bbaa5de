#include <gtest/gtest.h>

#include "editors/tools/edit_buttons.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

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

class EditButtons : public ::testing::Test {
protected:
    OwnerOnForm<TLimitedOwner> host{50, 50, 200, 40};
    TI_EditButtons buttons{host.owner};
};

}  // namespace

TEST_F(EditButtons, NamesTagsAndLookup) {
    for (int i = 0; i < 3; ++i) buttons.Add();
    EXPECT_EQ(buttons.FindByName("bUTTON1"), buttons.Items(1));
    buttons.Items(1)->SetCaption("&Weiter");
    EXPECT_EQ(buttons.FindAccelerator('w'), buttons.Items(1));
    buttons.Items(1)->SetEnabled(false);
    EXPECT_EQ(buttons.FindAccelerator('w'), nullptr);
    buttons.Items(0)->Free();
    EXPECT_EQ(buttons.Count(), 2);
}

TEST_F(EditButtons, AnchoredButtonsFollowTheFinalOwnerSize) {
    buttons.DefaultCoordinateMode = false;
    for (int a : {0, 1, 3, 9, 10}) {
        TI_EditButton* b = buttons.Add();
        b->SetAnchor(a);
        b->SetBounds(100, 10, 16, 16);
    }
    host.owner->SetBounds(10, 10, 240, 50);  // grows by 40 x 10
    auto at = [&](int i) { return std::make_pair(buttons.Items(i)->Left(), buttons.Items(i)->Top()); };
    const std::pair<int, int> moved[] = {{100, 10}, {140, 10}, {140, 20}, {120, 10}, {140, 15}};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(at(i), moved[i]) << i;
    // The owner holds its width at 250: the buttons move by what happened.
    host.owner->max_width = 250;
    host.owner->SetBounds(10, 10, 340, 50);
    EXPECT_EQ(host.owner->Width(), 250);
    EXPECT_EQ(std::make_pair(at(1).first, at(3).first), std::make_pair(150, 125));
}

TEST_F(EditButtons, MouseClicksTheButtonAndThePressStaysAwayFromTheOwner) {
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
    EXPECT_TRUE(b->State() == ebsHot && buttons.HotButton() == b);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 15));
    EXPECT_EQ(std::make_pair(b->State(), host.owner->presses), std::make_pair(int(ebsDown), 0));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(160, 15));
    EXPECT_TRUE(clicks == 1 && buttons.LastClicked() == b && b->State() == ebsHot);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));  // beside the button
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    EXPECT_EQ(std::make_pair(host.owner->presses, clicks), std::make_pair(1, 1));
    buttons.MouseLeft();
    EXPECT_EQ(b->State(), ebsNormal);

    // The same with real input: the press captures the mouse for the button.
    POINT p{165, 20};
    ClientToScreen(h, &p);
    MouseAt(p, true, false);
    EXPECT_TRUE(b->State() == ebsDown && GetCapture() == h);
    MouseAt(p, false, true);
    EXPECT_TRUE(host.owner->presses == 1 && clicks == 2 && GetCapture() == nullptr);
}

TEST_F(EditButtons, DisabledGlyphsAreGreyedOrFaded) {
    TI_EditButton* b = buttons.Add();
    TBitmap glyph;  // magenta with a black and a dark red pixel
    FillBitmap(glyph, 8, 8, clFuchsia);
    glyph.SetPixel(3, 3, clBlack);
    glyph.SetPixel(4, 3, RGBColor(100, 0, 0));
    b->SetGlyph(&glyph);
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

TEST_F(EditButtons, AGreyedGlyphWithADarkKeyColourStaysTransparent) {
    TI_EditButton* b = buttons.Add();
    b->SetKind(5);
    b->SetBounds(0, 0, 20, 20);
    b->SetEnabled(false);
    b->SetDisabledLook(1);
    TBitmap bare(20, 20), out(20, 20);
    b->SetGlyph(nullptr);
    b->Paint(bare.Canvas(), RECT{0, 0, 20, 20});
    for (TColor key : {clOlive, clBlack, clNavy}) {
        TBitmap glyph;  // the key colour with a dark red pixel at (4, 3)
        FillBitmap(glyph, 8, 8, key);
        glyph.SetPixel(4, 3, RGBColor(100, 0, 0));
        b->SetGlyph(&glyph);
        b->Glyph().SetTransparentColor(key);
        b->Paint(out.Canvas(), RECT{0, 0, 20, 20});
        GdiFlush();
        EXPECT_EQ(out.Pixel(6 + 4, 6 + 3), RGBColor(120, 120, 120)) << key;
        EXPECT_EQ(out.Pixel(6, 6), bare.Pixel(6, 6)) << key;  // the background shows through
        EXPECT_EQ(out.Pixel(6 + 7, 6 + 7), bare.Pixel(6 + 7, 6 + 7)) << key;
    }
}

TEST_F(EditButtons, DataThroughTheCollection) {
    TI_EditButtons& a = buttons;
    TI_EditButtons b(host.owner);
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

TEST_F(EditButtons, FramesAndBackgroundsByKindAndState) {
    host.owner->SetColor(clRed);
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
    EXPECT_TRUE(out.Pixel(0, 0) == clRed && out.Pixel(15, 8) == clRed);
    EXPECT_EQ(out.Pixel(8, 8), ColorToRGB(clBtnFace));
    b->SetKind(0);  // raised: highlight top-left, dark shadow bottom-right
    paint();
    EXPECT_EQ(std::make_pair(out.Pixel(0, 8), out.Pixel(15, 8)),
              std::make_pair(ColorToRGB(cl3DLight), ColorToRGB(cl3DDkShadow)));
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

TEST_F(EditButtons, ATransparentButtonLeavesNoOldFrameBehind) {
    host.owner->SetColor(clRed);
    buttons.DefaultCoordinateMode = false;
    TI_EditButton* b = buttons.Add();
    b->SetGlyph(nullptr);
    b->SetKind(1);  // a frame only while hot
    b->SetTransparent(true);
    b->SetBounds(100, 5, 30, 30);
    HWND h = host.owner->WindowHandle();
    const uint32_t red = 0xFF0000;  // as the screen pixels give it
    auto edge = [&] { return PumpFor(30), ScreenPixels(h, 101, 21).back(); };  // at (100, 20)
    EXPECT_EQ(edge(), red);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(110, 20));
    EXPECT_EQ(b->State(), ebsHot);
    EXPECT_NE(edge(), red);  // the raised frame
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(b->State(), ebsNormal);
    EXPECT_EQ(edge(), red);  // the owner's picture again
}
