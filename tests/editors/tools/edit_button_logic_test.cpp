#include <gtest/gtest.h>

#include <string>

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

TEST(EditButtonAnchors, OwnerGrowsBy40x10) {
    struct Case {
        int anchor;
        AnchoredBounds expected;
    };
    const Case cases[] = {
        {0, {10, 20, 30, 40}},  {1, {50, 20, 30, 40}},  {2, {10, 30, 30, 40}}, {3, {50, 30, 30, 40}},
        {4, {10, 20, 70, 40}},  {5, {10, 30, 70, 40}},  {6, {10, 20, 30, 50}}, {7, {50, 20, 30, 50}},
        {8, {10, 20, 70, 50}},  {9, {30, 20, 30, 40}},  {10, {50, 25, 30, 40}},
    };
    for (const Case& c : cases) {
        AnchoredBounds b{10, 20, 30, 40};
        ApplyEditButtonAnchor(b, c.anchor, 40, 10);
        EXPECT_EQ(std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.width) + "," +
                      std::to_string(b.height),
                  std::to_string(c.expected.left) + "," + std::to_string(c.expected.top) + "," +
                      std::to_string(c.expected.width) + "," + std::to_string(c.expected.height))
            << "anchor " << c.anchor;
    }
}

TEST(EditButtonAnchors, HalfStepsKeepTheirRemainder) {
    AnchoredBounds b{100, 50, 10, 10};
    for (int i = 0; i < 7; ++i) ApplyEditButtonAnchor(b, 9, 1, 0);
    EXPECT_EQ(b.left, 103);  // 7 one-pixel steps move a centred button by 3, not 0
    for (int i = 0; i < 7; ++i) ApplyEditButtonAnchor(b, 9, -1, 0);
    EXPECT_EQ(b.left, 100);
    for (int i = 0; i < 5; ++i) ApplyEditButtonAnchor(b, 10, 0, 1);
    EXPECT_EQ(b.top, 52);
}

TEST(EditButtonLayout, GlyphAndCaptionPlacesByLayout) {
    struct Case {
        int layout;
        PlainRect glyph, text;
    };
    // A 60x30 button, glyph 10x8, caption 20x12.
    const Case cases[] = {
        {0, {3, 11, 13, 19}, {16, 9, 36, 21}},
        {1, {47, 11, 57, 19}, {24, 9, 44, 21}},
        {2, {13, 11, 23, 19}, {26, 9, 46, 21}},
        {3, {25, 3, 35, 11}, {20, 14, 40, 26}},
        {4, {25, 18, 35, 26}, {20, 3, 40, 15}},
    };
    for (const Case& c : cases) {
        auto l = LayoutEditButton(c.layout, 60, 30, 10, 8, 20, 12);
        EXPECT_EQ(l.glyph, c.glyph) << "layout " << c.layout;
        EXPECT_EQ(l.text, c.text) << "layout " << c.layout;
    }
    auto bare = LayoutEditButton(2, 60, 30, 0, 0, 0, 0);
    EXPECT_EQ(bare.glyph, (PlainRect{3, 3, 3, 3}));
    auto glyph_only = LayoutEditButton(2, 16, 16, 10, 8, 0, 0);
    EXPECT_EQ(glyph_only.glyph, (PlainRect{3, 4, 13, 12}));  // no gap without a caption
    auto wide = LayoutEditButton(0, 30, 20, 0, 0, 50, 12);
    EXPECT_EQ(wide.text.right, 30);  // cut at the button's edge
}

TEST(EditButtonFrames, EdgesByKindAndState) {
    using E = FrameEdge;
    struct Case {
        const char* what;
        EditButtonFrameInput in;
        std::vector<FrameStep> steps;
    };
    auto in = [](int kind, int state) {
        EditButtonFrameInput i;
        i.kind = kind;
        i.state = state;
        return i;
    };
    auto with = [](EditButtonFrameInput i, auto f) {
        f(i);
        return i;
    };
    const Case cases[] = {
        {"0 normal", in(0, ebsNormal), {{E::RaisedOuter, fsdAll, 0}, {E::RaisedInner, fsdAll, 1}}},
        {"0 disabled down counts as normal", with(in(0, ebsDown), [](auto& i) { i.enabled = false; }),
         {{E::RaisedOuter, fsdLeftTop, 0}, {E::RaisedInner, fsdRightBottom, 0}, {E::RaisedInner, fsdLeftTop, 1},
          {E::SunkenInner, fsdRightBottom, 1}}},
        {"0 down", in(0, ebsDown), {{E::ShadowLine, fsdAll, 0}}},
        {"1 normal", in(1, ebsNormal), {}},
        {"1 flat", with(in(1, ebsNormal), [](auto& i) { i.flat = true; }), {{E::RaisedInner, fsdAll, 0}}},
        {"2 normal", in(2, ebsNormal), {{E::OwnerLine, fsdAll, 0}}},
        {"2 down", in(2, ebsDown), {{E::SunkenOuter, fsdAll, 0}}},
        {"3 hot grey", with(in(3, ebsHot), [](auto& i) { i.grey = true; }),
         {{E::RaisedInner, fsdLeftTop, 0}, {E::RaisedOuter, fsdRightBottom, 0}}},
        {"3 down", in(3, ebsDown), {{E::SunkenOuter, fsdRightBottom, 0}, {E::SunkenOuter, fsdLeftTop, 0}}},
        {"3 design", with(in(3, ebsNormal), [](auto& i) { i.design = true; }),
         {{E::RaisedInner, fsdLeftTop, 0}, {E::RaisedInner, fsdRightBottom, 0}}},
        {"4 down with glyph", with(in(4, ebsDown), [](auto& i) { i.has_glyph = true; }), {}},
        {"4 down silver", with(in(4, ebsDown), [](auto& i) { i.silver = true; }), {{E::SunkenOuter, fsdAll, 0}}},
        {"4 hot toggle", with(in(4, ebsHot), [](auto& i) { i.has_glyph = i.toggle = true; }),
         {{E::RaisedInner, fsdLeftTop, 0}, {E::RaisedOuter, fsdRightBottom, 0}}},
        {"5 down", in(5, ebsDown), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(EditButtonFrame(c.in), c.steps) << c.what;
}
