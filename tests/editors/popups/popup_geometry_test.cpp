#include <gtest/gtest.h>

#include "editors/popups/popup_geometry.h"

namespace {

const PopupScreens kScreens{{0, 0, 1024, 768}, {0, 0, 1024, 768}};

// An owner with 2-pixel borders whose outer rectangle is given.
PopupOwnerRects Owner(int left, int top, int right, int bottom) {
    return {{left, top, right, bottom}, {left + 2, top + 2, right - 2, bottom - 2}};
}

}  // namespace

TEST(PopupPlacement, ModesAndFlagsOnAnInjectedScreen) {
    struct Case {
        const char* what;
        int mode;
        PlainRect rect;
        PopupOwnerRects owner;
        bool keep;
        int x, y, flags;
    };
    const PlainRect popup{0, 0, 200, 100};
    const Case cases[] = {
        {"1 at the bottom goes above", 1, popup, Owner(100, 700, 300, 722), true, 100, 600, 1},
        {"1 without keep stays below", 1, popup, Owner(100, 700, 300, 722), false, 100, 722, 0},
        {"2 right edges aligned", 2, popup, Owner(100, 300, 400, 322), true, 200, 322, 0},
        {"2 at the bottom right", 2, popup, Owner(900, 700, 1020, 722), true, 820, 600, 1},
        {"3 in the owner's client", 3, {5, 13, 205, 113}, Owner(100, 300, 300, 322), true, 107, 315, 0},
        {"3 clamped at the edge", 3, {5, 13, 205, 113}, Owner(900, 700, 1000, 722), true, 824, 668, 3},
        {"4 at the right edge goes left", 4, popup, Owner(900, 100, 1000, 122), true, 700, 100, 2},
        {"0 with owner: own top-left", 0, {30, 40, 230, 140}, Owner(900, 100, 1000, 122), true, 30, 40, -1},
        {"1 too tall stays on the top edge", 1, {0, 0, 200, 900}, Owner(100, 700, 300, 722), true, 100, 0, 1},
    };
    for (const Case& c : cases) {
        PopupPlacement p = ComputePopupPlacement(c.mode, c.rect, &c.owner, c.keep, kScreens);
        EXPECT_EQ(p.pos, (PlainPoint{c.x, c.y})) << c.what;
        EXPECT_EQ(p.flags, c.flags) << c.what;
    }
}

TEST(PopupPlacement, WithoutOwnerTheRectangleIsKeptOnThePrimaryScreen) {
    struct Case {
        PlainRect rect;
        bool keep;
        int x, y;
    };
    const Case cases[] = {
        {{10, 740, 110, 790}, true, 10, 718},
        {{-30, -40, 70, 10}, true, 0, 0},  // above and left of the screen
        {{0, 0, 100, 900}, true, 0, 0},  // taller than the screen: top stays visible
        {{-30, 740, 70, 790}, false, -30, 740},
    };
    for (const Case& c : cases) {
        PopupPlacement p = ComputePopupPlacement(1, c.rect, nullptr, c.keep, kScreens);
        EXPECT_EQ(p.pos, (PlainPoint{c.x, c.y})) << c.rect.left << "," << c.rect.top;
        EXPECT_EQ(p.flags, -1);
    }
}

TEST(PopupList, HeightAndWheel) {
    // item height 16, border 2
    EXPECT_EQ(PopupListHeight(20, 0, 8, 16, 2), 132);
    EXPECT_EQ(PopupListHeight(3, 0, 8, 16, 2), 52);
    EXPECT_EQ(PopupListHeight(0, 0, 8, 16, 2), 20);
    EXPECT_EQ(PopupListHeight(5, 0, 0, 16, 1), 18);  // a row count below 1 acts as 1
    EXPECT_EQ(PopupListHeight(20, 0, 8, 16, 2, 100), 100);

    EXPECT_EQ(PopupListWheelTop(0, -240, 20, 8), 2);
    EXPECT_EQ(PopupListWheelTop(2, 480, 20, 8), 0);
    EXPECT_EQ(PopupListWheelTop(10, -1200, 20, 8), 12);
    EXPECT_EQ(PopupListWheelTop(0, -240, 3, 8), 0);  // fewer items than rows
}
