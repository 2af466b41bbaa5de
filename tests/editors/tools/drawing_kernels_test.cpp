#include "editors/tools/drawing_kernels.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Pixels {
    Pixels(int w, int h, uint32_t fill = 0) : data(static_cast<size_t>(w * h), fill), w(w), h(h) {}
    PixelView View() { return {data.data(), w, h, w}; }
    uint32_t& At(int x, int y) { return data[static_cast<size_t>(y * w + x)]; }
    std::vector<uint32_t> data;
    int w, h;
};

constexpr uint32_t Px(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

TEST(DrawingKernelsTest, GradientBands) {
    // No bands: one band of the start colour over everything.
    EXPECT_EQ(PlanGradientBands(0x102030, 0xFFFFFF, 7, 0), (std::vector<GradientBand>{{0, 7, 0x102030}}));

    // White to silver, 20 bands on 40 pixels: the last band is 255 + round(19 * -63 / 20).
    auto silver = PlanGradientBands(0xFFFFFF, 0xC0C0C0, 40, 20);
    ASSERT_EQ(silver.size(), 20u);
    EXPECT_EQ(silver.back(), (GradientBand{38, 2, RGBColor(195, 195, 195)}));

    // 0 -> 5 in two bands: band 1 is round(2.5), halves to even.
    EXPECT_EQ(PlanGradientBands(0, RGBColor(5, 5, 5), 10, 2).at(1).color, RGBColor(2, 2, 2));

    // Bands are a pixel wider than a step but never pass the extent.
    EXPECT_EQ(PlanGradientBands(0, 0xFFFFFF, 10, 3).back(), (GradientBand{7, 3, RGBColor(170, 170, 170)}));
    for (int bands : {1, 2, 3, 7, 40, 100})
        for (const GradientBand& b : PlanGradientBands(0, 0xFFFFFF, 13, bands)) EXPECT_LE(b.start + b.width, 13);

    // More bands than pixels: one band a pixel, as with as many bands as pixels.
    const auto per_pixel = PlanGradientBands(0, 0xFFFFFF, 20, 20);
    ASSERT_EQ(per_pixel.size(), 20u);
    for (int bands : {21, 1000000, INT_MAX}) EXPECT_EQ(PlanGradientBands(0, 0xFFFFFF, 20, bands), per_pixel) << bands;
}

TEST(DrawingKernelsTest, FitsOntoTheScreen) {
    const PlainRect screen{0, 0, 1024, 768};
    struct Case { PlainPoint pos; int w, h; PlainPoint offset; PlainPoint expected; int flags; } cases[] = {
        {{100, 100}, 200, 100, {0, 0}, {100, 100}, 0}, {{-50, -20}, 100, 50, {0, 0}, {0, 0}, 0},
        {{100, 700}, 200, 100, {0, 20}, {100, 648}, kMovedVertically},
        {{1000, 100}, 100, 50, {0, 0}, {924, 100}, kMovedHorizontally},
        {{900, 700}, 200, 100, {10, 10}, {814, 658}, kMovedVertically | kMovedHorizontally},
        // Taller than the screen: the top stays on it.
        {{0, 300}, 100, 900, {0, 0}, {0, 0}, kMovedVertically},
    };
    for (const Case& c : cases) {
        PlainPoint p = c.pos;
        EXPECT_EQ(FitOntoScreen(p, c.w, c.h, c.offset, screen), c.flags) << c.pos.x << "," << c.pos.y;
        EXPECT_EQ(p, c.expected) << c.pos.x << "," << c.pos.y;
    }
}

struct EffectCase { BitmapEffect effect; uint32_t in, out; };

TEST(DrawingKernelsTest, PixelEffects) {
    using E = BitmapEffect;
    const EffectCase cases[] = {
        {E::Greyed, Px(200, 0, 0), Px(200, 0, 0)},     {E::Greyed, Px(175, 1, 2), Px(175, 1, 2)},
        {E::Greyed, Px(100, 200, 200), Px(120, 120, 120)}, {E::Tinted, Px(100, 50, 0), Px(50, 25, 66)},
        {E::Tinted, Px(0, 0, 255), Px(0, 0, 189)},     {E::Tinted, Px(1, 3, 77), Px(0, 1, 77)},
        {E::Copy, Px(1, 2, 3), Px(1, 2, 3)},           {E::Inverted, Px(0, 100, 255), Px(255, 155, 0)},
        {E::Posterised, Px(0, 20, 255), Px(123, 132, 247)}, {E::Posterised, Px(100, 150, 209), Px(166, 198, 238)},
        // Highlighted with a white key (the top-left pixel below).
        {E::Highlighted, Px(6, 0, 0), Px(8, 36, 107)}, {E::Highlighted, Px(9, 0, 0), Px(9, 0, 0)},
        {E::Highlighted, Px(6, 255, 0), Px(6, 255, 0)},
    };
    for (const EffectCase& c : cases) {
        Pixels src(2, 1), dst(2, 1);
        src.At(0, 0) = Px(255, 255, 255);
        src.At(1, 0) = c.in;
        ApplyEffectToPixels(src.View(), dst.View(), c.effect, kAutoKeyColor);
        EXPECT_EQ(dst.At(1, 0), c.out) << static_cast<int>(c.effect) << " " << std::hex << c.in;
    }
}

TEST(DrawingKernelsTest, BlurAveragesFiveNeighboursInPlaceToo) {
    Pixels src(3, 3), dst(3, 3);
    src.At(1, 1) = Px(255, 255, 255);
    ApplyEffectToPixels(src.View(), dst.View(), BitmapEffect::Blurred, kAutoKeyColor);
    const uint32_t m = Px(51, 51, 51);
    EXPECT_EQ(dst.data, (std::vector<uint32_t>{0, m, 0, m, m, m, 0, m, 0}));
    ApplyEffectToPixels(src.View(), src.View(), BitmapEffect::Blurred, kAutoKeyColor);
    EXPECT_EQ(src.data, dst.data);
}

TEST(DrawingKernelsTest, BlendClampsThePercentageAndStaysInTheCommonArea) {
    Pixels src(3, 1), dst(3, 1);
    src.At(1, 0) = Px(100, 100, 100);
    src.At(2, 0) = Px(255, 255, 255);
    BlendPixels(src.View(), nullptr, dst.View(), 0xFFFFFF, 40);
    EXPECT_EQ(dst.data, (std::vector<uint32_t>{Px(102, 102, 102), Px(162, 162, 162), Px(255, 255, 255)}));
    BlendPixels(src.View(), nullptr, dst.View(), RGBColor(200, 0, 0), 250);
    EXPECT_EQ(dst.At(1, 0), Px(200, 0, 0));
    BlendPixels(src.View(), nullptr, dst.View(), RGBColor(200, 0, 0), -30);
    EXPECT_EQ(dst.At(1, 0), Px(100, 100, 100));

    Pixels big(4, 4, Px(0, 0, 0)), out(4, 4, Px(1, 1, 1)), second(2, 2, Px(200, 200, 200));
    second.At(0, 0) = Px(9, 9, 9);  // the key
    PixelView view = second.View();
    BlendPixels(big.View(), &view, out.View(), kAutoKeyColor, 50);
    // Outside the common area untouched.
    EXPECT_EQ(std::make_pair(out.At(1, 1), out.At(3, 3)), std::make_pair(Px(100, 100, 100), Px(1, 1, 1)));
}

TEST(DrawingKernelsTest, DropArrowPlans) {
    const PlainRect cell{100, 50, 180, 70};
    // Column drag onto itself: nothing shown.
    EXPECT_FALSE(PlanDropArrows(DragKind::Columns, 2, 2, false, cell).show ||
                 PlanDropArrows(DragKind::Columns, 2, -1, false, cell).show);

    auto before = PlanDropArrows(DragKind::Columns, 5, 2, false, cell);
    ASSERT_TRUE(before.show);
    EXPECT_EQ(std::make_pair(before.origin[kArrowDown], before.origin[kArrowUp]),
              std::make_pair(PlainPoint{100 - 5, 50 - 9}, PlainPoint{100 - 5, 70 - 1}));
    EXPECT_FALSE(before.visible[kArrowLeft] || before.visible[kArrowRight]);

    // Source left of the target (and not the fixed column 0): after the target.
    auto down_x = [&](int source, bool fixed0) {
        return PlanDropArrows(DragKind::Columns, source, 2, fixed0, cell).origin[kArrowDown].x;
    };
    EXPECT_EQ(std::make_tuple(down_x(1, false), down_x(0, false), down_x(0, true)), std::make_tuple(175, 95, 175));

    auto rows = PlanDropArrows(DragKind::Rows, 1, 3, false, cell);
    EXPECT_EQ(std::make_pair(rows.origin[kArrowRight], rows.origin[kArrowLeft]),
              std::make_pair(PlainPoint{91, 55}, PlainPoint{189 - 10, 55}));
    EXPECT_FALSE(rows.visible[kArrowUp] || rows.visible[kArrowDown]);
}

}  // namespace
