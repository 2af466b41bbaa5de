// Painting: PaintTo against the screen, with and without a window, the
// double buffer's update-rectangle origin and window-less children.
#include <gtest/gtest.h>

#include <vector>

#include "framework/custom_control.h"
#include "framework/graphic_control.h"
#include "framework/graphics.h"
#include "tests/framework/control_test_support.h"

namespace {

// Fills its client area with a pattern that depends on the position, so a
// shifted origin shows in the pixels.
class PatternControl : public TCustomControl {
public:
    explicit PatternControl(TComponent* owner) : TCustomControl(owner) {}
    int phase = 0;

protected:
    void Paint() override {
        TCanvas& c = Canvas();
        for (int x = 0; x < Width(); x += 4) {
            int band = (x / 4 + phase) % 3;
            c.Brush().SetColor(band == 0 ? RGB(200, 30, 30) : band == 1 ? RGB(30, 160, 40) : RGB(20, 40, 210));
            c.FillRect(RECT{x, 0, x + 4, Height() / 2});
        }
        c.Brush().SetColor(phase ? RGB(250, 250, 0) : RGB(0, 250, 250));
        c.FillRect(RECT{0, Height() / 2, Width(), Height()});
        c.Pen().SetColor(RGB(0, 0, 0));
        c.MoveTo(0, 0);
        c.LineTo(Width(), Height());
    }
};

class Square : public TGraphicControl {
public:
    explicit Square(TComponent* owner) : TGraphicControl(owner) {}
    TColor fill = RGB(255, 128, 0);

protected:
    void Paint() override {
        Canvas().Brush().SetColor(fill);
        // Bigger than the control: the parent clips it to the bounds.
        Canvas().FillRect(RECT{-50, -50, Width() + 50, Height() + 50});
        Canvas().Brush().SetColor(RGB(0, 0, 0));
        Canvas().FrameRect(RECT{0, 0, Width(), Height()});
    }
};

struct Scene {
    TForm* form;
    PatternControl* host;
    Square* square;
    PatternControl* inner;
};

Scene BuildScene(bool showOnForm) {
    Scene s{};
    s.form = showOnForm ? ShowTestForm(260, 160) : Create<TForm>(nullptr);
    s.host = Create<PatternControl>(s.form);
    s.host->SetBounds(10, 10, 200, 120);
    s.square = Place<Square>(s.form, s.host, 30, 20, 40, 30);
    s.inner = Place<PatternControl>(s.form, s.host, 120, 60, 60, 40);
    s.inner->phase = 1;
    s.host->SetParent(s.form);
    return s;
}

}  // namespace

TEST(ControlPaint, PaintToAndPrintClientEqualWhatTheWindowShows) {
    Scene shown = BuildScene(true);
    Scene hidden = BuildScene(false);
    UpdateWindow(shown.form->Handle());
    Pump();
    auto copy = PaintToPixels(shown.host, 200, 120);
    EXPECT_TRUE(ScreenPixels(shown.host->Handle(), 200, 120) == copy);
    EXPECT_TRUE(PaintToPixels(hidden.host, 200, 120) == copy);
    EXPECT_FALSE(hidden.host->HandleAllocated());
    EXPECT_FALSE(hidden.inner->HandleAllocated());
    // The window-less child is there, clipped to its bounds, and not when hidden.
    EXPECT_EQ(copy[static_cast<size_t>(35 * 200 + 45)], 0xFF8000u);
    EXPECT_NE(copy[static_cast<size_t>(15 * 200 + 45)], 0xFF8000u);
    hidden.square->SetVisible(false);
    EXPECT_NE(PaintToPixels(hidden.host, 200, 120)[static_cast<size_t>(35 * 200 + 45)], 0xFF8000u);
    hidden.form->Free();
    const auto screen = ScreenPixels(shown.host->Handle(), 200, 120);
    TBitmap bmp(200, 120);
    SendMessageA(shown.host->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp.DC()), PRF_CLIENT | PRF_ERASEBKGND);
    const auto printed = BitmapPixels(bmp);
    // WM_PRINTCLIENT covers the host and its window-less child; the windowed
    // child is its own window, so compare outside it.
    int diffs = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inInner = x >= 120 && x < 180 && y >= 60 && y < 100;
            diffs += !inInner && screen[static_cast<size_t>(y * 200 + x)] != printed[static_cast<size_t>(y * 200 + x)];
        }
    EXPECT_EQ(diffs, 0);
    shown.form->Free();
}

TEST(ControlPaint, DoubleBufferHonoursTheUpdateRectangleOrigin) {
    TForm* form = ShowTestForm(260, 160);
    auto* c = Place<PatternControl>(form, form, 0, 0, 200, 120);
    c->SetDoubleBuffered(true);
    UpdateWindow(c->Handle());
    auto phase0 = PaintToPixels(c, 200, 120);
    c->phase = 1;
    auto phase1 = PaintToPixels(c, 200, 120);
    RECT part{37, 11, 91, 83};
    InvalidateRect(c->Handle(), &part, FALSE);
    UpdateWindow(c->Handle());
    auto screen = ScreenPixels(c->Handle(), 200, 120);
    int wrong = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            POINT p{x, y};
            size_t i = static_cast<size_t>(y * 200 + x);
            uint32_t want = PtInRect(&part, p) ? phase1[i] : phase0[i];
            if (screen[i] != want) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
    form->Free();
}

TEST(ControlPaint, CachedBrushesFollowASystemColourChange) {
    auto* c = Create<TCustomControl>(nullptr);
    c->SetBounds(0, 0, 8, 8);
    c->SetColor(clBtnFace);
    TBrush brush;
    TPen pen;
    brush.SetColor(clBtnFace);
    pen.SetColor(clBtnFace);
    LOGBRUSH lb{};
    LOGPEN lp{};
    PaintToPixels(c, 8, 8);  // every cache made with the old colour
    brush.Handle();
    pen.Handle();
    const int index = COLOR_BTNFACE;
    const COLORREF old = GetSysColor(index), changed = RGB(1, 2, 3);
    SetSysColors(1, &index, &changed);
    EXPECT_EQ(PaintToPixels(c, 8, 8)[4 * 8 + 4], 0x010203u);
    GetObjectA(brush.Handle(), sizeof(lb), &lb);
    GetObjectA(pen.Handle(), sizeof(lp), &lp);
    EXPECT_EQ(lb.lbColor, changed);
    EXPECT_EQ(lp.lopnColor, changed);
    SetSysColors(1, &index, &old);
    c->Free();
}

namespace {
// A child with a border, a caption bar and a sunken client edge.
class CaptionedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        p.Style |= WS_CAPTION;
        p.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void Paint() override {
        Canvas().Brush().SetColor(RGB(10, 200, 30));
        Canvas().FillRect(ClientRect());
    }
};
}  // namespace

TEST(ControlPaint, PaintToDrawsFrameCaptionAndClientWithOrWithoutAWindow) {
    TForm* form = Create<TForm>(nullptr);
    auto* c = Create<CaptionedControl>(form);
    c->SetBounds(10, 10, 120, 80);
    c->SetText("Titel");
    c->SetParent(form);
    const int w = 120, h = 80;
    std::vector<uint32_t> without = PaintToPixels(c, w, h);
    ASSERT_FALSE(c->HandleAllocated());
    auto at = [&](const std::vector<uint32_t>& px, int x, int y) { return px[static_cast<size_t>(y * w + x)]; };
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    const uint32_t captionPixel = (GetRValue(caption) << 16) | (GetGValue(caption) << 8) | GetBValue(caption);
    EXPECT_EQ(at(without, w - 6, GetSystemMetrics(SM_CYEDGE) + 2), captionPixel);  // the caption bar
    EXPECT_EQ(at(without, w / 2, h - 10), 0x0AC81Eu);                             // the client area
    EXPECT_NE(at(without, 0, 0), 0xFF00FFu);                                      // the frame
    EXPECT_NE(at(without, w - 1, h - 1), 0xFF00FFu);
    EXPECT_NE(at(without, w - 1, h - 1), 0x0AC81Eu);
    form->Show();
    Pump();
    ASSERT_TRUE(c->HandleAllocated());
    EXPECT_EQ(PaintToPixels(c, w, h), without);
    form->Free();
}

TEST(ControlPaint, PaintToKeepsTheWindowShape) {
    TForm* form = ShowTestForm(200, 120);
    auto* c = Place<PatternControl>(form, form, 30, 20, 60, 40);
    ASSERT_NE(SetWindowRgn(c->Handle(), CreateEllipticRgn(0, 0, 60, 40), TRUE), 0);
    TBitmap bmp(200, 120);  // white
    c->PaintTo(bmp.DC(), 30, 20);
    EXPECT_EQ(bmp.Pixel(31, 21), clWhite);  // corner outside the ellipse
    EXPECT_EQ(bmp.Pixel(60, 50), static_cast<TColor>(RGB(0, 250, 250)));
    form->Free();
}
