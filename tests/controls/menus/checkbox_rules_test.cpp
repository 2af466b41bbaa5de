// The check box's arithmetic: box by alignment, repaint strips, caption and
// focus rectangles, auto-size bounds and the toggle cycle.
#include <gtest/gtest.h>

#include "controls/menus/checkbox_rules.h"

namespace {

PlainRect R(int l, int t, int r, int b) { return PlainRect{l, t, r, b}; }

}  // namespace

TEST(CheckBoxRules, BoxByAlignment) {
    struct {
        int w, h;
        bool right;
        TVerticalAlignment va;
        PlainRect box;
    } cases[] = {
        {98, 20, false, vaCenter, R(1, 4, 13, 16)},  // a new control
        {98, 20, true, vaCenter, R(85, 4, 97, 16)},
        {98, 20, false, vaTop, R(1, 1, 13, 13)},
        {98, 20, false, vaBottom, R(1, 7, 13, 19)},
        {98, 21, false, vaCenter, R(1, 4, 13, 16)},  // halving rounds down
        {98, 5, false, vaCenter, R(1, -4, 13, 8)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckBoxRect(c.w, c.h, c.right, c.va), c.box) << c.w << "x" << c.h << " " << c.va;
}

TEST(CheckBoxRules, RepaintAreaCoversOnlyTheChangedSide) {
    using K = TCheckBoxRepaint;
    EXPECT_EQ(CheckBoxRepaintArea(98, 20, false, K::All), R(0, 0, 98, 20));
    EXPECT_EQ(CheckBoxRepaintArea(98, 20, false, K::TextOnly), R(16, 0, 98, 18));
    EXPECT_EQ(CheckBoxRepaintArea(98, 20, true, K::TextOnly), R(0, 0, 82, 18));
    EXPECT_EQ(CheckBoxRepaintArea(98, 20, false, K::BoxOnly), R(0, 0, 16, 18));
    EXPECT_EQ(CheckBoxRepaintArea(98, 20, true, K::BoxOnly), R(82, 0, 98, 18));
}

TEST(CheckBoxRules, ToggleCycles) {
    struct {
        TCheckBoxState from;
        bool grayed;
        TCheckBoxState to;
    } cases[] = {{cbUnchecked, false, cbChecked}, {cbChecked, false, cbUnchecked}, {cbGrayed, false, cbChecked},
                 {cbUnchecked, true, cbGrayed},   {cbGrayed, true, cbChecked},     {cbChecked, true, cbUnchecked}};
    for (const auto& c : cases) EXPECT_EQ(NextCheckBoxState(c.from, c.grayed), c.to) << c.from << " " << c.grayed;
}

TEST(CheckBoxRules, CaptionBesideTheBoxPlacedVertically) {
    // 13 pixels of text in a 98 x 40 control.
    EXPECT_EQ(CheckBoxCaptionRect(98, 40, false, vaTop, 13), R(19, 1, 96, 14));
    EXPECT_EQ(CheckBoxCaptionRect(98, 40, false, vaBottom, 13), R(19, 27, 96, 40));
    EXPECT_EQ(CheckBoxCaptionRect(98, 40, false, vaCenter, 13), R(19, 14, 96, 27));
    EXPECT_EQ(CheckBoxCaptionRect(98, 40, true, vaCenter, 13), R(1, 14, 78, 27));
    // Text higher than the control moves up (halving toward zero).
    EXPECT_EQ(CheckBoxCaptionRect(98, 20, false, vaCenter, 22), R(19, 0, 96, 22));
}

TEST(CheckBoxRules, FocusFrameHugsTheTextByAlignment) {
    const PlainRect narrowed = R(19, 4, 59, 17);  // 40 pixels of text, 77 of room
    EXPECT_EQ(CheckBoxFocusRect(narrowed, 40, 98, taLeftJustify), R(18, 4, 60, 17));
    EXPECT_EQ(CheckBoxFocusRect(narrowed, 40, 98, taRightJustify), R(55, 4, 97, 17));
    EXPECT_EQ(CheckBoxFocusRect(narrowed, 40, 98, taCenter), R(36, 4, 78, 17));
}

TEST(CheckBoxRules, AutoSizeGrowsByBoxGapAndPress) {
    // Width = text + 24 and height = text + 3 with ButtonLike, one less without.
    EXPECT_EQ(CheckBoxAutoBounds(10, 20, 98, 50, 13, false, true), R(10, 20, 84, 36));
    EXPECT_EQ(CheckBoxAutoBounds(10, 20, 98, 50, 13, false, false), R(10, 20, 83, 35));
    // A box at the right keeps the control's right part in place.
    EXPECT_EQ(CheckBoxAutoBounds(10, 20, 98, 50, 13, true, true).left, 10 + 98 - 69 - 1);
}
