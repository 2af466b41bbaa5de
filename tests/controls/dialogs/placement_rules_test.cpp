// Rectangle rules of form placement.
#include <gtest/gtest.h>

#include "controls/dialogs/placement_rules.h"

TEST(PlacementRules, MostlyCoversNeedsMoreThanHalfInBothDirections) {
    const PlainRect monitor{0, 0, 1000, 800};
    struct Case {
        PlainRect r;
        bool covers;
    } cases[] = {
        {{100, 100, 300, 300}, true},
        {{900, 100, 1100, 300}, false},  // exactly half inside: not more than half
        {{899, 100, 1099, 300}, true},
        {{100, 700, 300, 901}, false},   // 100 of 201 rows: half rounds down to 100
        {{100, 699, 300, 900}, true},
        {{1000, 0, 1200, 200}, false},   // touching only
        {{-50, -50, 1050, 850}, true},   // larger than the monitor
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectMostlyCovers(monitor, c.r), c.covers) << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom;
}

TEST(PlacementRules, KeepInsideCentreAndMoveBetweenAreas) {
    const PlainRect area{0, 0, 1000, 760};
    // Overflow on the right and bottom moves back; a larger form ends on the left/top edge.
    EXPECT_EQ(KeepRectInside({950, 700, 1050, 800}, area), (PlainRect{900, 660, 1000, 760}));
    EXPECT_EQ(KeepRectInside({-20, -5, 80, 95}, area), (PlainRect{0, 0, 100, 100}));
    EXPECT_EQ(KeepRectInside({300, 100, 1500, 1000}, area), (PlainRect{0, 0, 1200, 900}));
    // Centre: left + width div 2 - form width div 2.
    EXPECT_EQ(CenterRectIn({0, 0, 301, 201}, area), (PlainRect{350, 280, 651, 481}));
    // A centred form taller than the area keeps its caption on the screen.
    EXPECT_EQ(CenterRectIn({0, 0, 200, 900}, area).top, 0);
    // Moving from one work area to another keeps the offset, then stays inside.
    const PlainRect second{1000, 40, 2280, 1024};
    EXPECT_EQ(MoveRectOntoArea({100, 100, 300, 200}, area, second), (PlainRect{1100, 140, 1300, 240}));
    EXPECT_EQ(MoveRectOntoArea({900, 700, 1300, 900}, area, second), (PlainRect{1880, 740, 2280, 940}));
    EXPECT_EQ(MoveRectOntoArea({900, 700, 1000, 760}, area, area), (PlainRect{900, 700, 1000, 760}));
}
