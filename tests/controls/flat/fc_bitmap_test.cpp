// The 24-bit image and the drawing helpers built on it.
#include <gtest/gtest.h>

#include "controls/flat/fc_bitmap.h"
#include "controls/flat/flat_utils.h"
#include "flat_test_support.h"
#include "framework/bitmap.h"
#include "framework/exceptions.h"

static ::testing::Environment* const kFlatEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

TEST(FcBitmap, KeepsPaddedTopDownRows) {
    TfcBitmap img;
    img.SetSize(3, 2);
    EXPECT_EQ(img.Pixel(2, 1), clWhite);
    img.SetPixel(0, 0, RGBColor(1, 2, 3));
    img.SetPixel(0, 1, RGBColor(4, 5, 6));
    const uint8_t* b = img.Bits();
    EXPECT_EQ(std::vector<int>({b[0], b[1], b[2], b[12]}), std::vector<int>({3, 2, 1, 6}));  // row 1 at byte 12
    img.SaveCopy();
    img.AddRGB(300, 0, 0);
    EXPECT_EQ(img.Pixel(0, 0), RGBColor(255, 2, 3));
    img.RestoreCopy();
    EXPECT_EQ(img.Pixel(0, 0), RGBColor(1, 2, 3));
    img.SetSize(1, 3);  // 3 pixel bytes and 1 padding byte a row
    img.Invert();
    for (int y = 0; y < 3; ++y) EXPECT_EQ(img.Bits()[y * 4 + 3], 0) << "padding of row " << y;
    img.SetSize(0, 5);
    EXPECT_TRUE(img.Empty());
    EXPECT_THROW(img.SetSize(-1, 5), EInvalidOperation);
    EXPECT_TRUE(img.Empty());
}

TEST(FcBitmap, DrawsThroughTheTransparentColour) {
    TfcBitmap img;
    img.SetSize(2, 1);
    img.SetPixel(0, 0, clFuchsia);  // bottom-left: the transparent colour
    img.SetPixel(1, 0, RGBColor(10, 20, 30));
    TBitmap dest(4, 1);
    dest.Canvas().Brush().SetColor(clBlue);
    dest.Canvas().FillRect(RECT{0, 0, 4, 1});
    img.SetTransparent(true);
    img.Draw(dest.Canvas(), RECT{0, 0, 2, 1});
    EXPECT_EQ(std::vector<TColor>({dest.Pixel(0, 0), dest.Pixel(1, 0)}), std::vector<TColor>({clBlue, RGBColor(10, 20, 30)}));
}

TEST(FlatUtils, DisabledGlyphIsGreyAndLightened) {
    TBitmap src(3, 1);
    src.SetPixel(0, 0, RGBColor(0, 0, 0));
    src.SetPixel(1, 0, RGBColor(255, 255, 255));
    src.SetPixel(2, 0, RGBColor(30, 60, 90));
    std::unique_ptr<TBitmap> d = MakeDisabledGlyph(src);
    // The last: grey 60, 60 + (195 * 90 >> 8).
    EXPECT_EQ(std::vector<TColor>({d->Pixel(0, 0), d->Pixel(1, 0), d->Pixel(2, 0)}),
              std::vector<TColor>({RGBColor(89, 89, 89), RGBColor(255, 255, 255), RGBColor(128, 128, 128)}));
}

TEST(FlatUtils, Frame3DDrawsNestedRings) {
    for (int width : {1, 2}) {
        TBitmap bmp(10, 6);
        Frame3D(bmp.Canvas(), RECT{0, 0, 10, 6}, clRed, clBlue, width);
        for (int ring = 0; ring < width; ++ring) {
            const int l = ring, t = ring, r = 9 - ring, b = 5 - ring;
            for (int y = t; y < b; ++y) EXPECT_EQ(bmp.Pixel(l, y), clRed) << width << " left " << y;
            for (int x = l; x < r; ++x) EXPECT_EQ(bmp.Pixel(x, t), clRed) << width << " top " << x;
            for (int y = t; y <= b; ++y) EXPECT_EQ(bmp.Pixel(r, y), clBlue) << width << " right " << y;
            for (int x = l; x <= r; ++x) EXPECT_EQ(bmp.Pixel(x, b), clBlue) << width << " bottom " << x;
        }
        EXPECT_EQ(bmp.Pixel(width, width), clWhite);
    }
}

TEST(FlatUtils, CaptionBreaksMeasureAsLines) {
    TBitmap bmp(1, 1);
    POINT g;
    RECT one, two;
    CalcButtonLayout(bmp.Canvas(), RECT{0, 0, 80, 40}, 0, "a", 1, nullptr, -1, 4, blGlyphTop, g, one);
    CalcButtonLayout(bmp.Canvas(), RECT{0, 0, 80, 40}, 0, "a<BR>b", 1, nullptr, -1, 4, blGlyphTop, g, two);
    EXPECT_GT(one.bottom - one.top, 0);
    EXPECT_EQ(two.bottom - two.top, 2 * (one.bottom - one.top));
}

}  // namespace
