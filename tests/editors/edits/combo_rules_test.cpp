// The combo's window-free rules: item search, key and wheel steps, the
// first-letter search and the completion of typed text.
#include <gtest/gtest.h>

#include "editors/edits/combo_rules.h"

TEST(ComboRules, FindItemComparesIgnoringCaseAndByPrefixOrWholeText) {
    const ComboItems items{"Alpha", "alpine", "Beta"};
    struct Case {
        const char* text;
        bool prefix;
        int expected;
    } cases[] = {
        {"AL", true, 0}, {"ALPINE", false, 1}, {"Alp", false, -1}, {"", true, 0}, {"betas", true, -1},
        {"b", true, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(FindComboItem(items, c.text, c.prefix), c.expected) << c.text;
    // CP1252 letters beyond ASCII fold as well ("DÜSSELDORF" finds "Düsseldorf").
    EXPECT_EQ(FindComboItem({"Duisburg", "D\xFCsseldorf"}, "D\xDCSSELDORF", false), 1);
}

TEST(ComboRules, KeyStepsStartFromTheIndexOrTheItemEqualToTheText) {
    const ComboItems items{"a", "b", "beta", "gamma"};
    EXPECT_EQ(StepComboIndex(items, -1, "BETA", +1), 3);
    EXPECT_EQ(StepComboIndex(items, 0, "a", -1), 0);    // Up at the top stays
    EXPECT_EQ(StepComboIndex(items, 3, "gamma", +1), -1);  // past the end: nothing
    EXPECT_EQ(StepComboIndex(items, -1, "zzz", +1), 0);    // no item: from -1 to the first
}

TEST(ComboRules, WheelStepsByNotchesAndIgnoresStepsOutOfTheList) {
    EXPECT_EQ(WheelComboIndex(5, 3, 240), 1);
    EXPECT_EQ(WheelComboIndex(5, 1, 240), -1);
    EXPECT_EQ(WheelComboIndex(5, 1, -120), 2);
    EXPECT_EQ(WheelComboIndex(5, 1, 60), 1);  // less than a notch: the same item
}

TEST(ComboRules, FirstLetterSearchWrapsRoundAndSkipsEmptyItems) {
    const ComboItems items{"Bern", "Basel", "Chur", "", "Biel"};
    int index = -1;
    std::vector<int> walk;
    for (int i = 0; i < 4; ++i) walk.push_back(index = FindComboItemByChar(items, index, 'b'));
    EXPECT_EQ(walk, (std::vector<int>{0, 1, 4, 0}));
    EXPECT_EQ(FindComboItemByChar(items, 0, 'x'), -1);
    EXPECT_EQ(FindComboItemByChar(items, 2, 'c'), -1);  // only the current item starts with it
}

TEST(ComboRules, CompletionNeedsThreeCharactersAndSelectsTheCompletedTail) {
    const ComboItems items{"Mannheim", "Mainz", "D\xFCsseldorf"};
    EXPECT_EQ(CompleteComboText(items, "Ma").index, -1);
    ComboCompletion c = CompleteComboText(items, "Man");
    EXPECT_EQ(c.index, 0);
    EXPECT_EQ(c.text, "Mannheim");
    EXPECT_EQ(c.sel_start, 3);
    EXPECT_EQ(c.sel_end, 8);
    c = CompleteComboText(items, "d\xFCs");
    EXPECT_EQ(c.text, "D\xFCsseldorf");
    EXPECT_EQ(CompleteComboText(items, "Mannheims").index, -1);
}
