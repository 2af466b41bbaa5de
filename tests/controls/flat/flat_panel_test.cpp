// The flat panel and the window-less flat speed button.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/flat/flat_panel.h"
#include "controls/flat/flat_speed_button.h"
#include "flat_test_support.h"
#include "framework/gdi_owner.h"

namespace {

// A parent that paints nothing itself: what lies under it stays visible.
TWinControl* BareParent(TWinControl* parent = nullptr) {
    auto* p = Create<TWinControl>(parent);
    p->SetControlStyle(p->ControlStyle() | csOpaque);
    p->SetBounds(0, 0, 100, 60);
    if (parent) p->SetParent(parent);
    return p;
}

TFlatSpeedButton* MakeSpeedButton(TWinControl* parent, int x, int y, int w = 25, int h = 25) {
    auto* b = Create<TFlatSpeedButton>(parent);
    b->SetBounds(x, y, w, h);
    b->SetParent(parent);
    b->SetColor(kFlatColor);
    return b;
}

TEST(FlatPanel, FrameAndFill) {
    auto* p = Create<TFlatPanel>(nullptr);
    EXPECT_EQ(p->Width(), 185);
    EXPECT_EQ(p->Height(), 41);
    EXPECT_EQ(p->ColorHighLight(), 0x8396A0u);
    EXPECT_EQ(p->ColorShadow(), 0x8396A0u);
    EXPECT_TRUE(p->ParentColor());
    p->SetParentColor(false);
    p->SetColor(clRed);
    auto px = PaintToPixels(p, 185, 41);
    for (POINT c : {POINT{0, 0}, POINT{184, 0}, POINT{0, 40}, POINT{184, 40}})
        EXPECT_EQ(PixelAt(px, 185, c.x, c.y), 0xA09683u) << c.x << "," << c.y;
    EXPECT_EQ(PixelAt(px, 185, 5, 5), Dib(clRed));
    p->SetColorHighLight(clRed);
    p->SetColorShadow(clBlue);
    p->SetColor(clWhite);
    px = PaintToPixels(p, 185, 41);
    EXPECT_EQ(PixelAt(px, 185, 0, 0), Dib(clRed));
    EXPECT_EQ(PixelAt(px, 185, 183, 0), Dib(clRed));
    for (POINT c : {POINT{184, 0}, POINT{0, 40}, POINT{184, 40}})
        EXPECT_EQ(PixelAt(px, 185, c.x, c.y), Dib(clBlue)) << c.x << "," << c.y;
    p->Free();
}

TEST(FlatPanel, TransparentShowsTheParent) {
    auto* parent = Create<TWinControl>(nullptr);
    parent->SetBounds(0, 0, 200, 60);
    parent->SetColor(clLime);
    auto* p = Create<TFlatPanel>(parent);
    p->SetParent(parent);
    p->SetBounds(5, 5, 185, 41);
    p->SetTransparent(true);
    auto px = PaintToPixels(p, 185, 41);
    EXPECT_EQ(PixelAt(px, 185, 5, 5), Dib(clLime));
    EXPECT_EQ(PixelAt(px, 185, 0, 0), 0xA09683u);
    auto* bar = Create<TWinControl>(p);  // an aligned child keeps the frame visible
    bar->SetAlign(alTop);
    bar->SetHeight(10);
    bar->SetParent(p);
    EXPECT_EQ(bar->BoundsRect().left, 1);
    EXPECT_EQ(bar->BoundsRect().top, 1);
    EXPECT_EQ(bar->Width(), 183);
    parent->Free();
}

TEST(FlatSpeedButton, AlwaysTransparentPaintsOnlyItsFrame) {
    TWinControl* parent = BareParent();
    auto* b = MakeSpeedButton(parent, 10, 10);
    b->SetTransparentMode(tmAlways);
    auto px = PaintToPixels(parent, 100, 60);
    EXPECT_EQ(PixelAt(px, 100, 15, 15), 0xFF00FFu);  // the magenta underneath
    EXPECT_EQ(PixelAt(px, 100, 10, 10), 0xA09683u);
    EXPECT_EQ(PixelAt(px, 100, 34, 34), 0xA09683u);
    b->SetTransparentMode(tmNone);
    px = PaintToPixels(parent, 100, 60);
    EXPECT_EQ(PixelAt(px, 100, 15, 15), 0xEBEAE1u);
    parent->Free();
}

TEST(FlatSpeedButton, RoundGrowsOncePerNewValueAndLeaksNoClip) {
    TWinControl* parent = BareParent();
    auto* b = MakeSpeedButton(parent, 10, 10);
    b->SetRound(5);
    b->SetRound(5);  // the same value changes nothing
    EXPECT_EQ(b->Width(), 26);
    EXPECT_EQ(b->Height(), 26);
    TBitmap target(100, 60);
    parent->PaintTo(target.DC(), 0, 0);
    const int owned = GdiOwnerLiveObjects();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 500; ++i) parent->PaintTo(target.DC(), 0, 0);
    EXPECT_EQ(GdiOwnerLiveObjects(), owned);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    // The round corners are clipped away: the parent shows there.
    EXPECT_EQ(target.Pixel(10, 10), clWhite);  // clipped corner: the bitmap shows
    EXPECT_EQ(target.Pixel(20, 20), kFlatColor);
    parent->Free();
}

TEST(FlatSpeedButton, CaptionStaysOnOneLine) {
    TWinControl* parent = BareParent();
    auto* b = MakeSpeedButton(parent, 0, 0, 100, 40);
    b->SetCaption("A<br>B");
    TBitmap bmp(100, 40);
    parent->PaintTo(bmp.DC(), 0, 0);
    int left = 100, right = -1, top = 40, bottom = -1;
    for (int y = 2; y < 38; ++y)
        for (int x = 2; x < 98; ++x)
            if (const TColor c = bmp.Pixel(x, y); ColorRed(c) < 128 && ColorGreen(c) < 128 && ColorBlue(c) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0);
    EXPECT_GT(right - left, 25);  // "A<br>B" side by side, not "A" over "B"
    EXPECT_LT(bottom - top, 15);
    parent->Free();
}

TEST(FlatSpeedButton, ParentRoutesMouseClicksAndHover) {
    TForm* f = ShowTestForm();
    SetForegroundWindow(f->Handle());
    Pump();
    auto* b = MakeSpeedButton(f, 20, 20);
    b->SetModalResult(mrYes);
    int clicks = 0;
    b->OnClick = [&](TObject*) {
        ++clicks;
        EXPECT_EQ(f->ModalResult(), mrYes);
    };
    SendMessageA(f->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(25, 25));
    EXPECT_EQ(b->State(), bsDown);
    SendMessageA(f->Handle(), WM_LBUTTONUP, 0, PointToLParam(25, 45));  // bottom row: inside
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), bsUp);
    POINT p = f->ClientToScreen(POINT{30, 30});
    SetCursorPos(p.x, p.y);
    SendMessageA(f->Handle(), WM_MOUSEMOVE, 0, PointToLParam(30, 30));
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_TRUE(FlatSpeedButtonHover().Running());
    b->Free();  // freed while hovered
    EXPECT_EQ(FlatSpeedButtonHover().Current(), nullptr);
    for (int i = 0; i < 20; ++i) {
        Pump();
        Sleep(10);
    }
    f->Free();
    EXPECT_EQ(FlatSpeedButtonHover().ClientCount(), 0);
}

}  // namespace
