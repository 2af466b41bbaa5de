#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editors/tools/edit_button_logic.h"

namespace {

using A = EditButtonMouseAction;

struct Step {
    A action;
    bool inside;
    bool held;
    int state;  // expected afterwards
    bool click;
};

void RunSteps(EditButtonMouseState s, const std::vector<Step>& steps, const char* name) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& st = steps[i];
        auto r = StepEditButtonState(s, st.action, st.inside, st.held, nullptr);
        EXPECT_EQ(s.state, st.state) << name << " step " << i;
        EXPECT_EQ(r.click, st.click) << name << " step " << i;
    }
}

}  // namespace

TEST(EditButtonStates, Sequences) {
    EditButtonMouseState push;
    RunSteps(push, {{A::Move, true, false, ebsHot, false}, {A::Press, true, true, ebsDown, false},
               {A::Release, true, false, ebsHot, true}}, "push click");
    RunSteps(push, {{A::Press, true, true, ebsDown, false}, {A::Move, false, true, ebsNormal, false},
               {A::Move, true, true, ebsDown, false}, {A::Move, false, true, ebsNormal, false},
               {A::Release, false, false, ebsNormal, false}, {A::Move, true, false, ebsHot, false}}, "push leave");
    RunSteps(push, {{A::Move, true, false, ebsHot, false}, {A::Release, true, false, ebsHot, false}}, "release only");

    EditButtonMouseState drop;
    drop.event_style = esDropDown;
    RunSteps(drop, {{A::Press, true, true, ebsDown, true}, {A::Release, true, false, ebsHot, false}}, "drop-down");

    EditButtonMouseState all_up;
    all_up.toggle = all_up.allow_all_up = true;
    RunSteps(all_up, {{A::Press, true, true, ebsDown, false}, {A::Release, true, false, ebsDown, true},
                 {A::Move, false, false, ebsDown, false}, {A::Press, true, true, ebsDown, false},
                 {A::Release, true, false, ebsHot, true}, {A::Move, false, false, ebsNormal, false}}, "all-up");

    EditButtonMouseState stepping;
    stepping.toggle = true;
    RunSteps(stepping, {{A::Press, true, true, ebsDown, true}, {A::Release, true, false, ebsDown, false},
                   {A::Move, true, false, ebsDown, false}, {A::Press, true, true, ebsHot, true},
                   {A::Release, true, false, ebsHot, false}, {A::Press, true, true, ebsDown, true},
                   {A::Move, false, false, ebsDown, false}}, "stepping toggle");

    EditButtonMouseState disabled;
    disabled.enabled = false;
    RunSteps(disabled, {{A::Press, true, true, ebsHot, false}, {A::Release, true, false, ebsHot, false},
                   {A::Move, false, false, ebsNormal, false}}, "disabled");
}

TEST(EditButtonStates, TheStateChangeEventWinsAndCancelsTheClick) {
    EditButtonMouseState s;
    auto r = StepEditButtonState(s, A::Press, true, true, [](int& st) { st = ebsHot; });
    EXPECT_EQ(s.state, ebsHot);
    EXPECT_TRUE(r.changed);
    r = StepEditButtonState(s, A::Release, true, false, nullptr);
    EXPECT_FALSE(r.click);  // it never was down

    EditButtonMouseState t;
    t.toggle = t.allow_all_up = true;
    auto keep_hot = [](int& st) { st = ebsHot; };
    StepEditButtonState(t, A::Press, true, true, keep_hot);
    r = StepEditButtonState(t, A::Release, true, false, keep_hot);
    EXPECT_FALSE(r.click);
    EXPECT_FALSE(t.down);  // leaving the down state clears the toggle
}

TEST(EditButtonAnchors, OwnerGrowsBy40x10AndHalfStepsKeepTheirRemainder) {
    // left, top, width, height of a (10, 20, 30, 40) button per anchor 0..10
    const int expected[11][4] = {{10, 20, 30, 40}, {50, 20, 30, 40}, {10, 30, 30, 40}, {50, 30, 30, 40},
                                 {10, 20, 70, 40}, {10, 30, 70, 40}, {10, 20, 30, 50}, {50, 20, 30, 50},
                                 {10, 20, 70, 50}, {30, 20, 30, 40}, {50, 25, 30, 40}};
    for (int anchor = 0; anchor <= 10; ++anchor) {
        AnchoredBounds b{10, 20, 30, 40};
        ApplyEditButtonAnchor(b, anchor, 40, 10);
        const int got[4] = {b.left, b.top, b.width, b.height};
        EXPECT_TRUE(std::equal(got, got + 4, expected[anchor])) << "anchor " << anchor;
    }
    AnchoredBounds b{100, 50, 10, 10};
    for (int i = 0; i < 7; ++i) ApplyEditButtonAnchor(b, 9, 1, 0);
    EXPECT_EQ(b.left, 103);  // 7 one-pixel steps move a centred button by 3, not 0
    for (int i = 0; i < 7; ++i) ApplyEditButtonAnchor(b, 9, -1, 0);
    EXPECT_EQ(b.left, 100);
}

TEST(EditButtonLayout, GlyphAndCaptionPlaces) {
    // A 60x30 button, glyph 10x8, caption 20x12.
    auto left = LayoutEditButton(0, 60, 30, 10, 8, 20, 12);
    EXPECT_EQ(left.glyph, (PlainRect{3, 11, 13, 19}));
    EXPECT_EQ(left.text, (PlainRect{16, 9, 36, 21}));
    auto above = LayoutEditButton(3, 60, 30, 10, 8, 20, 12);
    EXPECT_EQ(above.glyph, (PlainRect{25, 3, 35, 11}));
    EXPECT_EQ(above.text, (PlainRect{20, 14, 40, 26}));
    EXPECT_EQ(LayoutEditButton(2, 60, 30, 0, 0, 0, 0).glyph, (PlainRect{3, 3, 3, 3}));
    EXPECT_EQ(LayoutEditButton(2, 16, 16, 10, 8, 0, 0).glyph, (PlainRect{3, 4, 13, 12}));  // no gap alone
    EXPECT_EQ(LayoutEditButton(0, 30, 20, 0, 0, 50, 12).text.right, 30);  // cut at the button's edge
}

TEST(EditButtonFrames, EdgesByKindAndState) {
    using E = FrameEdge;
    auto in = [](int kind, int state, bool enabled = true, bool glyph = false, bool toggle = false) {
        EditButtonFrameInput i;
        i.kind = kind;
        i.state = state;
        i.enabled = enabled;
        i.has_glyph = glyph;
        i.toggle = toggle;
        return i;
    };
    // A disabled button counts as normal, whatever its state.
    EXPECT_EQ(EditButtonFrame(in(0, ebsDown, false)),
              (std::vector<FrameStep>{{E::RaisedOuter, fsdLeftTop, 0}, {E::RaisedInner, fsdRightBottom, 0},
                                      {E::RaisedInner, fsdLeftTop, 1}, {E::SunkenInner, fsdRightBottom, 1}}));
    EXPECT_EQ(EditButtonFrame(in(2, ebsNormal)), (std::vector<FrameStep>{{E::OwnerLine, fsdAll, 0}}));
    // Kind 4 with a glyph frames the glyph instead, unless it toggles.
    EXPECT_TRUE(EditButtonFrame(in(4, ebsDown, true, true)).empty());
    EXPECT_EQ(EditButtonFrame(in(4, ebsHot, true, true, true)),
              (std::vector<FrameStep>{{E::RaisedInner, fsdLeftTop, 0}, {E::RaisedOuter, fsdRightBottom, 0}}));
}
