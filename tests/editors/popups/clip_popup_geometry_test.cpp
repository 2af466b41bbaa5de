#include "editors/popups/clip_popup_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(ClipPopupGeometryTest, MarginsAndClientArea) {
    const ClipMargins m = ClipPopupMargins(2, kClipCaption | kClipSizeGrip);
    EXPECT_EQ(m.border, 2);
    EXPECT_EQ(m.top, 14);
    EXPECT_EQ(m.bottom, 17);
    const PlainRect c = ClipClientRect(100, 100, m);
    EXPECT_EQ(c.Width(), 96);
    EXPECT_EQ(c.Height(), 65);
    EXPECT_EQ(ClipPopupMargins(1, kClipCaption | kClipSizeGrip).top, 0);
    EXPECT_EQ(ClipPopupMargins(1, 0).border, 2);
    EXPECT_EQ(ClipPopupMargins(0, 0).border, 0);
}

TEST(ClipPopupGeometryTest, HitAreas) {
    const ClipMargins m = ClipPopupMargins(2, kClipCaption | kClipSizeGrip);
    const unsigned both = kClipCaption | kClipSizeGrip;
    struct Case {
        PlainPoint p;
        bool over_button;
        int area, answer;
    };
    const Case cases[] = {
        // The grip corner lies inside the grip bar: it is tested first.
        {{99, 99}, false, caSizeGrip, kHitGrowBox},
        {{86, 87}, false, caSizeGrip, kHitGrowBox},
        {{85, 99}, false, caGripBar, kHitBorder},
        {{3, 95}, false, caGripBar, kHitBorder},
        {{50, 5}, false, caCaption, kHitBorder},
        {{50, 50}, false, caInnerClient, kHitClient},
        {{0, 50}, true, caButton, kHitBorder},
        {{0, 50}, false, caClient, kHitClient},
    };
    for (const Case& c : cases) {
        const ClipHit h = ClipPopupHitTest(100, 100, m, both, c.p, c.over_button);
        EXPECT_EQ(h.area, c.area) << c.p.x << "," << c.p.y;
        EXPECT_EQ(h.answer, c.answer) << c.p.x << "," << c.p.y;
    }
    // Without the options the corner is client area.
    EXPECT_EQ(ClipPopupHitTest(100, 100, ClipPopupMargins(2, 0), 0, {99, 99}, false).area, caClient);
}

TEST(ClipPopupGeometryTest, GotoButtons) {
    auto plan = PlanGotoButtons({"Kunde", "Artikel"}, 1);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].name, "#goto");
    EXPECT_EQ(plan[0].text, "L\xF6schen");
    EXPECT_EQ(plan[1].name, "#Goto0");
    EXPECT_EQ(plan[2].name, "#Goto1");
    EXPECT_EQ(plan[2].text, "Artikel");
    EXPECT_EQ(plan[2].column, 2);
    EXPECT_EQ(DBClipButtonBounds(2, 0, 26, 0), (PlainRect{55, 3, 81, 29}));
    EXPECT_EQ(DBClipPopupSize(2, 0, 26, 0, 18), (PlainPoint{84, 52}));
    plan = PlanGotoButtons({}, -1);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].text, "Leer");
    EXPECT_EQ(DBClipPopupSize(0, 0, 26, 0, 18), (PlainPoint{32, 52}));
    // A last index past the list stops at its end.
    EXPECT_EQ(PlanGotoButtons({"Kunde"}, 5).size(), 2u);
    EXPECT_EQ(PlanGotoButtons({}, 3).size(), 1u);
}

TEST(ClipPopupGeometryTest, TrackingSteps) {
    TrackState s{{10, 10, 110, 60}};
    int snap = 0;
    EXPECT_TRUE(StepTracking(s, 0, 1, 30, 20, snap));
    EXPECT_EQ(s.rect, (PlainRect{10, 10, 140, 80}));
    EXPECT_EQ(snap, 0);
    EXPECT_FALSE(StepTracking(s, 0, 1, 0, 0, snap));
    // Steps of 10: 3 pixels wait, 3 more reach half a step and snap to 10.
    TrackState t{{0, 0, 50, 50}};
    EXPECT_FALSE(StepTracking(t, 0, 10, 0, 3, snap));
    EXPECT_TRUE(StepTracking(t, 0, 10, 0, 3, snap));
    EXPECT_EQ(t.rect.bottom, 60);
    EXPECT_EQ(snap, 4);
    TrackState u{{0, 0, 50, 50}};
    EXPECT_TRUE(StepTracking(u, 1, 1, 30, 20, snap));
    EXPECT_EQ(u.rect, (PlainRect{30, 20, 80, 70}));
    EXPECT_EQ(NormaliseTrackRect({50, 50, 10, 20}, 4, 4), (PlainRect{10, 20, 50, 50}));
    EXPECT_EQ(NormaliseTrackRect({0, 0, 1, 1}, 18, 35), (PlainRect{0, 0, 18, 35}));
}

}  // namespace
