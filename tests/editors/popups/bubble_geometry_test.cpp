#include <gtest/gtest.h>

#include "editors/popups/bubble_geometry.h"

namespace {

// Caption 50x13 on one line; wrapped at w it becomes w-5 wide and 39 high.
PlainPoint Measure(int wrap) { return wrap ? PlainPoint{wrap - 5, 39} : PlainPoint{50, 13}; }

BubbleSize Size(int shape, int icon_kind = 0, bool icon_shown = false) {
    BubbleSizeInput in;
    in.shape = shape;
    in.icon_kind = icon_kind;
    in.icon_shown = icon_shown;
    in.icon_width = 16;
    in.icon_height = 20;
    return ComputeBubbleSize(in, Measure);
}

bool Inside(const BubbleRegionPlan& p, int x, int y) {
    if (x >= p.body.left && x < p.body.right && y >= p.body.top && y < p.body.bottom) return true;
    if (p.pointer.size() != 3) return false;
    // The pointer triangle: between its vertical edge and its slanted one.
    const PlainPoint &a = p.pointer[0], &tip = p.pointer[1], &b = p.pointer[2];
    if (y < tip.y || y > a.y) return false;
    int lo = std::min(a.x, b.x), hi = std::max(a.x, b.x);
    int reach = (y - tip.y) * (hi - lo) / (a.y - tip.y);
    return tip.x == lo ? (x >= lo && x <= lo + reach) : (x <= hi && x >= hi - reach);
}

}  // namespace

TEST(BubbleSize, ByShapeIconAndWidthLimit) {
    EXPECT_EQ(Size(0).width, 50 + 10);
    EXPECT_EQ(Size(0).height, 13 + 6);
    EXPECT_EQ(Size(1).width, 50 + 16);
    EXPECT_EQ(Size(1).height, 13 + 12);
    EXPECT_EQ(Size(2).width, 50 + 16);
    EXPECT_EQ(Size(2).height, 13 + 20);
    // An icon adds its width and the gap; its height wins when taller.
    EXPECT_EQ(Size(0, 1, true).width, 50 + 10 + 16 + 6);
    EXPECT_EQ(Size(0, 1, true).height, 20 + 6);
    EXPECT_EQ(Size(0, 2, false).width, 50 + 10);

    BubbleSizeInput in;
    in.max_text_width = 30;
    BubbleSize wrapped = ComputeBubbleSize(in, Measure);
    EXPECT_EQ(wrapped.width, 25 + 2 + 6 + 2);
    EXPECT_EQ(wrapped.height, 39 + 6);

    in.has_buttons = true;
    in.buttons = {0, 0, 80, 18};
    BubbleSize with_buttons = ComputeBubbleSize(in, Measure);
    EXPECT_EQ(with_buttons.buttons_shift, 50);
    EXPECT_EQ(with_buttons.height, 39 + 18 + 5 + 6);
}

TEST(BubbleRegion, BalloonPointerFollowsThePlacement) {
    BubbleMetrics m;
    const int w = 66, h = 33;
    BubbleRegionPlan below = PlanBubbleRegion(bsBalloon, w, h, 0, m);
    EXPECT_TRUE(Inside(below, 9, 2));
    EXPECT_FALSE(Inside(below, 20, 2));
    BubbleRegionPlan left = PlanBubbleRegion(bsBalloon, w, h, 2, m);
    EXPECT_TRUE(Inside(left, w - 9, 2));
    EXPECT_FALSE(Inside(left, 9, 2));
    BubbleRegionPlan above = PlanBubbleRegion(bsBalloon, w, h, 1, m);
    EXPECT_TRUE(above.pointer.empty());
    EXPECT_EQ(above.body.bottom, h - 8);  // the bottom 8 rows stay empty
    EXPECT_EQ(PlanBubbleRegion(bsRectangle, w, h, 0, m).body, (PlainRect{-1, -1, w + 1, h + 1}));
    EXPECT_EQ(PlanBubbleRegion(bsRounded, w, h, 1, m).corner, 7);

    EXPECT_EQ(BubbleTextOrigin(bsRectangle, 0, m), (PlainPoint{4, 2}));
    EXPECT_EQ(BubbleTextOrigin(bsRounded, 0, m), (PlainPoint{6, 5}));
    EXPECT_EQ(BubbleTextOrigin(bsBalloon, 0, m), (PlainPoint{6, 13}));
    EXPECT_EQ(BubbleTextOrigin(bsBalloon, 1, m), (PlainPoint{6, 5}));
}
