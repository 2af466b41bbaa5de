// The flat panel and the window-less flat speed button.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/flat/flat_panel.h"
#include "controls/flat/flat_speed_button.h"
#include "flat_test_support.h"
#include "framework/gdi_owner.h"
#include "tests/framework/gui_counters.h"

namespace {

// A parent that paints nothing itself: what lies under it stays visible.
TWinControl* BareParent() {
    auto* p = Create<TWinControl>(nullptr);
    p->SetControlStyle(p->ControlStyle() | csOpaque);
    p->SetBounds(0, 0, 100, 60);
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
    p->SetParentColor(false);
    p->SetColor(clRed);
    // The bottom-left and top-right corners take the bottom colour.
    const uint32_t frame = 0xA09683;
    struct {
        TColor top, bottom;
        uint32_t tl, tr1, tr, bl, br;
    } cases[] = {{p->ColorHighLight(), p->ColorShadow(), frame, frame, frame, frame, frame},
                 {clRed, clBlue, Dib(clRed), Dib(clRed), Dib(clBlue), Dib(clBlue), Dib(clBlue)}};
    for (const auto& c : cases) {
        p->SetColorHighLight(c.top);
        p->SetColorShadow(c.bottom);
        auto px = PaintToPixels(p, 185, 41);
        std::vector<uint32_t> got{PixelAt(px, 185, 0, 0), PixelAt(px, 185, 183, 0), PixelAt(px, 185, 184, 0),
                                  PixelAt(px, 185, 0, 40), PixelAt(px, 185, 184, 40)};
        EXPECT_EQ(got, std::vector<uint32_t>({c.tl, c.tr1, c.tr, c.bl, c.br}));
        EXPECT_EQ(PixelAt(px, 185, 5, 5), Dib(clRed));
    }
    auto* bar = Create<TWinControl>(p);  // an aligned child keeps the frame visible
    bar->SetAlign(alTop);
    bar->SetHeight(10);
    bar->SetParent(p);
    EXPECT_EQ(std::vector<int>({bar->Left(), bar->Top(), bar->Width()}), std::vector<int>({1, 1, 183}));
    p->Free();
}

TEST(FlatSpeedButton, AlwaysTransparentPaintsOnlyItsFrame) {
    TWinControl* parent = BareParent();
    auto* b = MakeSpeedButton(parent, 10, 10);
    // tmAlways leaves the magenta underneath; the frame is drawn in both modes.
    for (auto [mode, inside] : {std::pair<TTransparentMode, uint32_t>{tmAlways, 0xFF00FF}, {tmNone, 0xEBEAE1}}) {
        b->SetTransparentMode(mode);
        auto px = PaintToPixels(parent, 100, 60);
        EXPECT_EQ(std::vector<uint32_t>({PixelAt(px, 100, 15, 15), PixelAt(px, 100, 10, 10), PixelAt(px, 100, 34, 34)}),
                  std::vector<uint32_t>({inside, 0xA09683, 0xA09683}));
    }
    parent->Free();
}

TEST(FlatSpeedButton, RoundGrowsOncePerNewValueAndLeaksNoClip) {
    TWinControl* parent = BareParent();
    auto* b = MakeSpeedButton(parent, 10, 10);
    b->SetRound(5);
    b->SetRound(5);  // the same value changes nothing
    EXPECT_EQ(std::vector<int>({b->Width(), b->Height()}), std::vector<int>({26, 26}));
    TBitmap target(100, 60);
    parent->PaintTo(target.DC(), 0, 0);
    const int owned = GdiOwnerLiveObjects();
    const int gdi = gui_counters::GdiObjects();
    for (int i = 0; i < 500; ++i) parent->PaintTo(target.DC(), 0, 0);
    EXPECT_EQ(GdiOwnerLiveObjects(), owned);
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);
    EXPECT_EQ(target.Pixel(10, 10), clWhite);  // the round corner is clipped away: the bitmap shows
    EXPECT_EQ(target.Pixel(20, 20), kFlatColor);
    parent->Free();
}

TEST(FlatSpeedButton, CaptionStaysOnOneLine) {
    TWinControl* parent = BareParent();
    auto* b = MakeSpeedButton(parent, 0, 0, 100, 40);
    b->SetCaption("A<br>B");
    auto px = PaintToPixels(parent, 100, 40);
    int left = 100, right = -1, top = 40, bottom = -1;  // the box of the dark text pixels
    for (int y = 2; y < 38; ++y)
        for (int x = 2; x < 98; ++x)
            if ((PixelAt(px, 100, x, y) & 0x808080) == 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    EXPECT_GT(right - left, 25);  // "A<br>B" side by side, not "A" over "B"
    EXPECT_LT(bottom - top, 15);
    parent->Free();
}

TEST(FlatSpeedButton, ParentRoutesMouseClicksAndHover) {
    TForm* f = ActiveForm();
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
    for (int i = 0; i < 20; ++i, Sleep(10)) Pump();  // no tick may reach the freed button
    f->Free();
    EXPECT_EQ(FlatSpeedButtonHover().ClientCount(), 0);
}

}  // namespace
