#include <gtest/gtest.h>

#include "editors/popups/bubble_geometry.h"

namespace {

// Caption 50x13 on one line; wrapped at w it becomes w-5 wide and 39 high.
PlainPoint Measure(int wrap) { return wrap ? PlainPoint{wrap - 5, 39} : PlainPoint{50, 13}; }

}  // namespace

TEST(BubbleSize, AWidthLimitWrapsTheTextAndShiftsTheButtons) {
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
    const BubbleMetrics m;
    const int w = 66, h = 33;
    // The pointer's tip: 8 in from the left below the anchor, from the right
    // when moved left; none (and 8 empty rows at the bottom) when moved up.
    EXPECT_EQ(PlanBubbleRegion(bsBalloon, w, h, 0, m).pointer.at(1), (PlainPoint{8, 0}));
    EXPECT_EQ(PlanBubbleRegion(bsBalloon, w, h, 2, m).pointer.at(1), (PlainPoint{w - 8, 0}));
    const BubbleRegionPlan above = PlanBubbleRegion(bsBalloon, w, h, 1, m);
    EXPECT_TRUE(above.pointer.empty());
    EXPECT_EQ(above.body.bottom, h - 8);
    EXPECT_EQ(BubbleTextOrigin(bsBalloon, 0, m), (PlainPoint{6, 13}));
    EXPECT_EQ(BubbleTextOrigin(bsBalloon, 1, m), (PlainPoint{6, 5}));
}
