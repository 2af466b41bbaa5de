#include "editors/tools/edit_drawing.h"

#include <gtest/gtest.h>

#include "framework/form.h"
#include "tests/editors/tools/tools_test_support.h"

namespace {

::testing::Environment* const kEnv = ::testing::AddGlobalTestEnvironment(new EditToolsTestEnvironment);

constexpr TColor kMagenta = RGBColor(255, 0, 255);

TEST(EditDrawingTest, GradientStaysInsideItsRectangle) {
    TBitmap bmp;
    FillBitmap(bmp, 14, 4, kMagenta);
    // Extent 10 in 3 bands: the last band would reach one pixel past the edge.
    FillGradient(bmp.Canvas(), clBlack, clWhite, true, {2, 1, 12, 3}, 3);
    EXPECT_EQ(bmp.Pixel(2, 1), 0u);
    EXPECT_EQ(bmp.Pixel(11, 2), RGBColor(170, 170, 170));
    EXPECT_EQ(bmp.Pixel(12, 1), kMagenta);
    EXPECT_EQ(bmp.Pixel(1, 1), kMagenta);
    EXPECT_EQ(bmp.Pixel(5, 0), kMagenta);
    // No bands: one band in the start colour.
    FillGradient(bmp.Canvas(), clRed, clBlue, false, {0, 0, 14, 4}, 0);
    for (TColor c : Colors(bmp)) EXPECT_EQ(c, clRed);
}

TEST(EditDrawingTest, DragFrameInvertsItsRingAndBack) {
    TBitmap bmp;
    FillBitmap(bmp, 20, 20, clBlack);
    const RECT r{2, 3, 17, 18};
    DrawDragFrame(bmp.DC(), &r, nullptr, 2);
    GdiFlush();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 2 && x < 17 && y >= 3 && y < 18;
            const bool hole = x >= 4 && x < 15 && y >= 5 && y < 16;
            EXPECT_EQ(bmp.Pixel(x, y), inside && !hole ? 0x999999u : 0u) << x << "," << y;
        }
    DrawDragFrame(bmp.DC(), &r, nullptr, 2);
    for (TColor c : Colors(bmp)) EXPECT_EQ(c, 0u);
}

TEST(EditDrawingTest, DragFrameMovesWithoutTouchingCommonPixels) {
    const RECT a{2, 2, 15, 15}, b{4, 3, 18, 16};
    TBitmap moved, direct;
    FillBitmap(moved, 20, 20, clBlack);
    FillBitmap(direct, 20, 20, clBlack);
    DrawDragFrame(moved.DC(), nullptr, &a, 3);
    DrawDragFrame(moved.DC(), &b, &a, 3);
    DrawDragFrame(direct.DC(), &b, nullptr, 3);
    EXPECT_EQ(Colors(moved), Colors(direct));
}

struct FrameCase {
    EditFrameStyle style;
    int state;
    int x, y;
    int sysColor;  // -1: background stays
};

TEST(EditDrawingTest, EditFramesFromEdges) {
    // Frames drawn in (1,1)-(11,11) on magenta.
    const FrameCase cases[] = {
        {EditFrameStyle::Soft, 0, 1, 1, COLOR_BTNHIGHLIGHT},
        {EditFrameStyle::Soft, 0, 10, 10, COLOR_BTNSHADOW},
        {EditFrameStyle::Soft, 1, 1, 1, COLOR_BTNSHADOW},
        {EditFrameStyle::Soft, 1, 10, 5, COLOR_3DLIGHT},
        {EditFrameStyle::Raised, 0, 5, 1, COLOR_BTNHIGHLIGHT},
        {EditFrameStyle::Raised, 1, 5, 1, COLOR_BTNSHADOW},
        {EditFrameStyle::Raised, 1, 5, 10, COLOR_BTNHIGHLIGHT},
        {EditFrameStyle::RaisedIn, 0, 1, 1, -1},
        {EditFrameStyle::RaisedIn, 0, 2, 2, COLOR_BTNHIGHLIGHT},
        {EditFrameStyle::RaisedIn, 1, 9, 9, COLOR_BTNHIGHLIGHT},
        {EditFrameStyle::RaisedIn, 1, 2, 5, COLOR_BTNSHADOW},
    };
    for (const FrameCase& c : cases) {
        TBitmap bmp;
        FillBitmap(bmp, 12, 12, kMagenta);
        DrawEditFrame(bmp.Canvas(), {1, 1, 11, 11}, c.style, clRed, c.state);
        const TColor expected = c.sysColor < 0 ? kMagenta : static_cast<TColor>(GetSysColor(c.sysColor));
        EXPECT_EQ(bmp.Pixel(c.x, c.y), expected)
            << static_cast<int>(c.style) << "/" << c.state << " at " << c.x << "," << c.y;
        EXPECT_EQ(bmp.Pixel(6, 6), kMagenta);
    }
}

TEST(EditDrawingTest, FlatEditFrame) {
    for (TColor color : {clRed, clSilver}) {
        TBitmap bmp;
        FillBitmap(bmp, 8, 8, clWhite);
        DrawEditFrame(bmp.Canvas(), {0, 0, 8, 8}, EditFrameStyle::Flat, color, 0);
        // The frame in the colour; inside it a silver (grey on silver) line
        // along the bottom, the right and the top.
        const TColor line = color == clSilver ? 0x808080 : 0xC0C0C0;
        for (int i = 1; i < 7; ++i) {
            EXPECT_EQ(bmp.Pixel(i, 0), color);
            EXPECT_EQ(bmp.Pixel(0, i), color);
            EXPECT_EQ(bmp.Pixel(i, 6), line) << i;
            EXPECT_EQ(bmp.Pixel(6, i), line) << i;
            EXPECT_EQ(bmp.Pixel(i, 1), line) << i;
        }
        EXPECT_EQ(bmp.Pixel(1, 2), clWhite);
        EXPECT_EQ(bmp.Pixel(5, 5), clWhite);
    }
}

TEST(EditDrawingTest, EffectsAndBlendOnBitmaps) {
    TBitmap source, target;
    FillBitmap(source, 3, 2, clBlack);
    ApplyBitmapEffect(source, target, BitmapEffect::Greyed);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(target.Pixel(2, 1), RGBColor(120, 120, 120));
    BlendBitmap(source, nullptr, source, clWhite, 40);
    EXPECT_EQ(source.Pixel(2, 1), RGBColor(102, 102, 102));
}

TEST(EditDrawingTest, TransparentBitmapLeavesTheKeyOut) {
    TBitmap glyph, canvas;
    FillBitmap(glyph, 3, 3, kMagenta);
    glyph.SetPixel(1, 1, clRed);
    FillBitmap(canvas, 5, 5, clWhite);
    DrawBitmapTransparent(canvas.DC(), glyph, {1, 1, 4, 4});
    GdiFlush();
    EXPECT_EQ(canvas.Pixel(2, 2), clRed);
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(3, 3), clWhite);
}

TEST(EditDrawingTest, CaptureOfAFormWindow) {
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(10, 10, 100, 80);
    form->Show();
    EXPECT_FALSE(IsCaptureControlInApp());
    SetCapture(form->Handle());
    EXPECT_TRUE(IsCaptureControlInApp());
    ReleaseCapture();
    EXPECT_FALSE(IsCaptureControlInApp());
    form->Free();
}

}  // namespace
