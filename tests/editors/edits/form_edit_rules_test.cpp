// The form edits' window-free rules: placeholder font size per resolution,
// drag image width and the Enter focus search over a tab-order list.
#include <gtest/gtest.h>

#include "editors/edits/form_edit_rules.h"

TEST(FormEditRules, PlaceholderFontSizeFollowsTheResolution) {
    const struct {
        int ppi, size;
    } cases[] = {{96, 8}, {120, 7}, {144, 6}, {72, 11}, {192, 5}, {48, 16}, {512, 3}, {0, 8}, {-5, 8}};
    for (const auto& c : cases) EXPECT_EQ(PlaceholderFontSize(c.ppi), c.size) << c.ppi;
}

TEST(FormEditRules, DragImageIsTheTextPlusMarginsUpTo200) {
    EXPECT_EQ(DragImageWidth(0), 27);
    EXPECT_EQ(DragImageWidth(100), 127);
    EXPECT_EQ(DragImageWidth(173), 200);
    EXPECT_EQ(DragImageWidth(500), 200);
}

namespace {
TabOrderEntry Plain() { return TabOrderEntry{}; }
TabOrderEntry ReadOnlyEdit() {
    TabOrderEntry e;
    e.read_only_form_edit = true;
    return e;
}
}  // namespace

TEST(FormEditRules, EnterSkipsReadOnlyFormEditsAndWraps) {
    // A, B (read-only form edit), C, D.
    const std::vector<TabOrderEntry> list{Plain(), ReadOnlyEdit(), Plain(), Plain()};
    const struct {
        int current;
        bool forward;
        int expected;
    } cases[] = {
        {0, true, 2},   // Enter in A -> C
        {0, false, 3},  // Shift+Enter in A -> D (wraps)
        {2, false, 0},  // Shift+Enter in C -> A, over B
        {3, true, 0},   // Enter in D wraps to A
        {-1, true, 0},  // a control outside the list: forwards from the first
        {-1, false, 3}, // backwards from the last
        {9, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindSelectNextIndex(list, c.current, c.forward, true), c.expected) << c.current << c.forward;
}

TEST(FormEditRules, EnterTakesOnlyFocusableTabStopsOrChildrenOfTheEdit) {
    TabOrderEntry hidden, noStop, child;
    hidden.can_focus = false;
    noStop.tab_stop = false;
    child.tab_stop = false;
    child.child_of_edit = true;
    const std::vector<TabOrderEntry> list{Plain(), hidden, noStop, child};
    EXPECT_EQ(FindSelectNextIndex(list, 0, true, true), 0);  // only the edit itself, after a full round
    EXPECT_EQ(FindSelectNextIndex(list, 0, true, false), 3);
    // Nothing qualifies: -1, also for an empty list.
    EXPECT_EQ(FindSelectNextIndex({hidden, noStop}, 0, true, true), -1);
    EXPECT_EQ(FindSelectNextIndex({}, -1, true, true), -1);
    // Only read-only form edits besides the current one: the current one.
    EXPECT_EQ(FindSelectNextIndex({Plain(), ReadOnlyEdit(), ReadOnlyEdit()}, 0, false, true), 0);
}
