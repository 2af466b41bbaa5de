// TCanvas on real device contexts: selections, raster modes, clipping, text.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "tests/framework/control_test_support.h"

namespace {

// A memory DC with a 32-bit DIB of its own, independent of TBitmap.
class RawSurface {
public:
    RawSurface(int w, int h) : w_(w), h_(h) {
        void* bits = nullptr;
        section_ = CreateDib32(nullptr, w, h, &bits);
        bits_ = static_cast<uint32_t*>(bits);
        select_.emplace(dc_.Get(), section_.Get());
    }
    HDC dc() const { return dc_.Get(); }
    uint32_t px(int x, int y) const {
        GdiFlush();
        return bits_[y * w_ + x];
    }

private:
    int w_, h_;
    MemoryDC dc_;
    GdiObject<HBITMAP> section_;
    uint32_t* bits_ = nullptr;
    std::optional<ScopedSelect> select_;
};

void UseAllTools(TCanvas& c) {
    c.Rectangle(1, 1, 10, 10);
    c.TextOut(2, 2, "Abc");
}

}  // namespace

TEST(CanvasSelections, RestoredOnDestructionReleaseHandleAndToolChanges) {
    RawSurface s(40, 40);
    DCSelection original(s.dc());
    {
        TCanvas canvas;
        canvas.SetHandle(s.dc());
        UseAllTools(canvas);
        EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), canvas.Font().Handle());
        EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), canvas.Pen().Handle());
        EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), canvas.Brush().Handle());
    }
    EXPECT_TRUE(DCSelection(s.dc()) == original);

    TCanvas canvas;
    canvas.SetHandle(s.dc());
    UseAllTools(canvas);
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(DCSelection(s.dc()) == original);
    EXPECT_FALSE(canvas.HandleAllocated());

    RawSurface other(10, 10);
    DCSelection otherOriginal(other.dc());
    canvas.SetHandle(s.dc());
    UseAllTools(canvas);
    canvas.SetHandle(other.dc());
    EXPECT_TRUE(DCSelection(s.dc()) == original);
    UseAllTools(canvas);
    canvas.Refresh();
    EXPECT_TRUE(DCSelection(other.dc()) == otherOriginal);
    // Tool changes deselect before the old handle goes.
    canvas.SetHandle(s.dc());
    UseAllTools(canvas);
    HGDIOBJ oldFont = GetCurrentObject(s.dc(), OBJ_FONT);
    canvas.Font().SetStyle(fsBold);
    // The old font is out of the DC before it can be deleted.
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), original.font);
    canvas.Brush().SetColor(clRed);
    canvas.Pen().SetWidth(2);
    EXPECT_TRUE(DCSelection(s.dc()) == original);
    UseAllTools(canvas);
    EXPECT_NE(GetCurrentObject(s.dc(), OBJ_FONT), original.font);
    EXPECT_EQ(GetObjectType(oldFont), 0u);  // replaced and deleted
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(DCSelection(s.dc()) == original);
}

TEST(CanvasSelections, DCAttributesComeBackAndNoHandleRaises) {
    RawSurface s(10, 10);
    SetROP2(s.dc(), R2_COPYPEN);
    SetBkMode(s.dc(), OPAQUE);
    SetTextColor(s.dc(), RGB(1, 2, 3));
    {
        TCanvas canvas;
        canvas.SetHandle(s.dc());
        canvas.Pen().SetMode(pmXor);
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetColor(clRed);
        canvas.LineTo(5, 5);
        canvas.TextOut(0, 0, "x");
        EXPECT_EQ(GetROP2(s.dc()), R2_XORPEN);
        canvas.Pen().SetMode(pmNotXor);
        canvas.LineTo(0, 0);
        EXPECT_EQ(GetROP2(s.dc()), R2_NOTXORPEN);
        EXPECT_EQ(GetBkMode(s.dc()), TRANSPARENT);
        EXPECT_EQ(GetTextColor(s.dc()), RGB(255, 0, 0));
    }
    EXPECT_EQ(GetROP2(s.dc()), R2_COPYPEN);
    EXPECT_EQ(GetBkMode(s.dc()), OPAQUE);
    EXPECT_EQ(GetTextColor(s.dc()), RGB(1, 2, 3));
    TCanvas none;
    EXPECT_THROW(none.LineTo(1, 1), EInvalidOperation);
}

TEST(CanvasLeaks, LiveObjectsFlatOverThousandPaintCycles) {
    TFont controlFont;
    TBitmap screen(60, 30);
    int objects = 0, dcs = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i == 10) {  // after the first cycles have created the lasting handles
            objects = GdiOwnerLiveObjects();
            dcs = GdiOwnerLiveDCs();
        }
        // A paint cycle: an off-screen buffer, tools assigned, drawn, copied.
        TBitmap buffer(60, 30);
        TCanvas& c = buffer.Canvas();
        controlFont.SetHeight(-10 - i % 5);
        c.SetFont(controlFont);
        c.Brush().SetColor(static_cast<TColor>(i));
        c.FillRect(RECT{0, 0, 60, 30});
        c.Pen().SetColor(clBlue);
        c.Pen().SetStyle(i % 2 ? psDot : psSolid);
        c.Rectangle(2, 2, 50, 20);
        c.Brush().SetStyle(bsClear);
        c.TextOut(3, 3, "Zeile");
        buffer.SetTransparent(i % 3 == 0);
        screen.Canvas().Draw(0, 0, buffer);
    }
    EXPECT_EQ(GdiOwnerLiveObjects(), objects);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
}

TEST(CanvasDrawing, ExactPixels) {
    struct Pixel {
        int x, y;
        TColor colour;
    };
    struct Case {
        const char* what;
        std::function<void(TBitmap&, TCanvas&)> draw;
        std::vector<Pixel> expected;
    };
    const Case cases[] = {
        {"FillRect", [](TBitmap&, TCanvas& c) { c.Brush().SetColor(clRed), c.FillRect(RECT{0, 0, 4, 8}); },
         {{0, 0, clRed}, {3, 7, clRed}, {4, 0, clWhite}}},
        {"FillRect with a system colour",
         [](TBitmap&, TCanvas& c) { c.Brush().SetColor(clBtnFace), c.FillRect(RECT{0, 0, 4, 4}); },
         {{1, 1, ColorToRGB(clBtnFace)}}},
        {"a clear brush fills nothing", [](TBitmap&, TCanvas& c) { c.Brush().SetStyle(bsClear), c.FillRect(RECT{0, 0, 8, 8}); },
         {{0, 0, clWhite}}},
        {"Rectangle: pen outline, brush inside",
         [](TBitmap&, TCanvas& c) { c.Pen().SetColor(clRed), c.Brush().SetColor(clBlue), c.Rectangle(2, 2, 12, 12); },
         {{2, 2, clRed}, {11, 11, clRed}, {6, 6, clBlue}, {12, 12, clWhite}}},
        {"FrameRect uses the brush", [](TBitmap&, TCanvas& c) { c.Brush().SetColor(clLime), c.FrameRect(RECT{14, 14, 18, 18}); },
         {{14, 14, clLime}, {15, 15, clWhite}}},
        {"Polygon without a pen", [](TBitmap&, TCanvas& c) {
             POINT tri[3] = {{0, 19}, {5, 14}, {10, 19}};
             c.Pen().SetStyle(psClear), c.Brush().SetColor(clYellow), c.Polygon(tri, 3);
         }, {{5, 17, clYellow}}},
        {"StretchDraw and CopyRect", [](TBitmap&, TCanvas& c) {
             TBitmap src(2, 2);
             src.SetPixel(0, 0, clRed), src.SetPixel(1, 1, clBlue);
             c.StretchDraw(RECT{0, 0, 4, 4}, src);
             c.CopyRect(RECT{10, 10, 12, 12}, c, RECT{1, 1, 3, 3});
         }, {{1, 1, clRed}, {2, 2, clBlue}, {3, 0, clWhite}, {10, 10, clRed}, {11, 11, clBlue}, {12, 12, clWhite}}},
        {"Pixels", [](TBitmap&, TCanvas& c) { c.SetPixels(1, 2, clNavy); }, {{1, 2, clNavy}}},
        {"ScanLine is top-down 0x00RRGGBB", [](TBitmap& b, TCanvas&) { b.ScanLine(2)[0] = 0x00FF0000; },
         {{0, 2, clRed}}},
    };
    for (const Case& k : cases) {
        TBitmap bmp(20, 20);
        k.draw(bmp, bmp.Canvas());
        for (const Pixel& p : k.expected) {
            EXPECT_EQ(bmp.Pixel(p.x, p.y), p.colour) << k.what << " at " << p.x << "," << p.y;
            EXPECT_EQ(bmp.Canvas().Pixels(p.x, p.y), p.colour) << k.what;
        }
    }
    TBitmap bmp(5, 6);
    EXPECT_EQ(bmp.Canvas().Pixels(50, 50), clNone);
    const RECT clip = bmp.Canvas().ClipRect();
    EXPECT_TRUE(clip.right == 5 && clip.bottom == 6);
}

TEST(CanvasText, TextRectChangesNothingOutsideTheRectAndMeasuring) {
    for (bool opaque : {false, true}) {
        TBitmap bmp(120, 50);
        TCanvas& c = bmp.Canvas();
        c.Font().SetQuality(NONANTIALIASED_QUALITY);
        c.Font().SetHeight(-30);
        c.Font().SetColor(clBlack);
        if (opaque)
            c.Brush().SetColor(clYellow);
        else
            c.Brush().SetStyle(bsClear);
        RECT r{10, 10, 40, 30};
        c.TextRect(r, 2, 2, "WMWMWMWMWM");
        int inside = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 120; ++x) {
                bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                TColor p = bmp.Pixel(x, y);
                if (!in) {
                    ASSERT_EQ(p, clWhite) << "outside pixel changed at " << x << "," << y;
                } else if (p == clBlack) {
                    ++inside;
                } else if (opaque) {
                    ASSERT_EQ(p, clYellow);
                }
            }
        EXPECT_GT(inside, 10) << "the text was clipped away entirely";
    }
    TBitmap bmp(100, 60);
    TCanvas& c = bmp.Canvas();
    const SIZE one = c.TextExtent("W");
    EXPECT_EQ(c.TextWidth("WW"), 2 * one.cx);
    EXPECT_EQ(c.TextHeight("Wg"), one.cy);
    c.Font().SetHeight(-40);  // measured with the new font
    EXPECT_GT(c.TextHeight("Wg"), one.cy);
    RECT r{0, 0, 100, 0};
    EXPECT_EQ(c.DrawText("eins\r\nzwei", r, DT_CALCRECT | DT_NOPREFIX), 2 * c.TextHeight("Wg"));
    EXPECT_EQ(r.bottom, 2 * c.TextHeight("Wg"));
}

TEST(CanvasDrawing, DrawHonoursTransparency) {
    TBitmap src(4, 4);
    src.Canvas().Brush().SetColor(clLime);
    src.Canvas().FillRect(RECT{0, 0, 4, 4});
    src.SetPixel(1, 1, clRed);
    src.SetPixel(2, 2, clBlue);
    EXPECT_EQ(src.TransparentColor(), clLime);  // bottom-left pixel

    // The diagonal from (2, 2) after drawing at (2, 2).
    auto diagonal = [&] {
        TBitmap dst(8, 8);
        dst.Canvas().Draw(2, 2, src);
        return std::vector<TColor>{dst.Pixel(2, 2), dst.Pixel(3, 3), dst.Pixel(4, 4), dst.Pixel(5, 5)};
    };
    EXPECT_EQ(diagonal(), (std::vector<TColor>{clLime, clRed, clBlue, clLime}));
    src.SetTransparent(true);
    EXPECT_EQ(diagonal(), (std::vector<TColor>{clWhite, clRed, clBlue, clWhite}));
    src.SetTransparentColor(clRed);
    EXPECT_EQ(diagonal(), (std::vector<TColor>{clLime, clWhite, clBlue, clLime}));
}

