// The framework bitmap seen through the abstract graphic: size, empty,
// drawing into a rectangle of any canvas, transparency and change notices.
#include <gtest/gtest.h>

#include <vector>

#include "framework/bitmap.h"
#include "framework/colors.h"
#include "framework/graphic.h"
#include "tests/framework/control_test_support.h"

namespace {

std::vector<TColor> Colors(TBitmap& bmp) {
    std::vector<TColor> px;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) px.push_back(bmp.Pixel(x, y));
    return px;
}

TBitmap* Filled(TBitmap& bmp, TColor color) {
    bmp.Canvas().Brush().SetColor(color);
    bmp.Canvas().FillRect(RECT{0, 0, bmp.Width(), bmp.Height()});
    return &bmp;
}

TEST(Graphic, FrameworkBitmapDrawsStretchedAndKeyedIntoAnyRectangle) {
    TBitmap bmp(2, 1);
    bmp.SetPixel(0, 0, clRed);
    bmp.SetPixel(1, 0, clBlue);
    TGraphic& graphic = bmp;
    EXPECT_EQ(graphic.Width(), 2);
    EXPECT_EQ(graphic.Height(), 1);
    EXPECT_FALSE(graphic.Empty());

    TBitmap dest(5, 2);
    Filled(dest, clLime);
    graphic.Draw(dest.Canvas(), RECT{1, 0, 5, 2});  // twice the size, one pixel in
    EXPECT_EQ(Colors(dest), (std::vector<TColor>{clLime, clRed, clRed, clBlue, clBlue,  //
                                                 clLime, clRed, clRed, clBlue, clBlue}));
    // Transparent: the key (the bottom-left pixel) leaves the canvas as it
    // was. The setting notifies a real change only.
    int changes = 0;
    graphic.OnChange = [&](TObject* sender) { changes += sender == &bmp; };
    graphic.SetTransparent(false);
    graphic.SetTransparent(true);
    graphic.SetTransparent(true);
    EXPECT_EQ(changes, 1);
    Filled(dest, clLime);
    graphic.Draw(dest.Canvas(), RECT{0, 0, 2, 1});
    EXPECT_EQ(Colors(dest)[0], clLime);
    EXPECT_EQ(Colors(dest)[1], clBlue);

    graphic.SetWidth(3);
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(bmp.Pixel(2, 0), clWhite);
    graphic.SetHeight(0);
    EXPECT_TRUE(graphic.Empty());
    Filled(dest, clLime);
    graphic.Draw(dest.Canvas(), RECT{0, 0, 5, 2});
    EXPECT_EQ(Colors(dest), std::vector<TColor>(10, clLime));
}

}  // namespace
