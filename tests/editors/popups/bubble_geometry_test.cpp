#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "editors/popups/bubble_geometry.h"

namespace {

// Caption 50x13 on one line; wrapped at w it becomes w-5 wide and 39 high.
PlainPoint Measure(int wrap) { return wrap ? PlainPoint{wrap - 5, 39} : PlainPoint{50, 13}; }

}  // namespace

TEST(BubbleSize, AWidthLimitWrapsTheTextAndShiftsTheButtons) {
    BubbleSizeInput in;
    in.max_text_width = 30;
    BubbleSize wrapped = ComputeBubbleSize(in, Measure);
    EXPECT_EQ(std::make_pair(wrapped.width, wrapped.height), std::make_pair(25 + 2 + 6 + 2, 39 + 6));

    // With buttons the bubble stays at least as wide as they are; buttons
    // put further right move left by what the bubble narrowed, never past
    // the left margin (4).
    in.has_buttons = true;
    const struct { PlainRect buttons; int width, shift; } cases[] = {
        {{4, 0, 84, 18}, 80 + 6 + 2, 0},    // wider than the limit: the buttons set the width
        {{26, 0, 56, 18}, 30 + 6 + 2, 22},  // the text narrowed from 52 to 30
        {{10, 0, 40, 18}, 30 + 6 + 2, 6},   // to the margin only
    };
    for (const auto& c : cases) {
        in.buttons = c.buttons;
        const BubbleSize s = ComputeBubbleSize(in, Measure);
        EXPECT_EQ(std::make_tuple(s.width, s.buttons_shift, s.height), std::make_tuple(c.width, c.shift, 39 + 18 + 5 + 6))
            << c.buttons.left;
        EXPECT_GE(c.buttons.left - s.buttons_shift, 0);
        EXPECT_LE(c.buttons.right - s.buttons_shift, s.width);
    }
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
