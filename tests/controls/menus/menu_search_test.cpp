// The menu kit's text work: markup, the letter search, caption lines and
// the gradient arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/menus/menu_gradient_math.h"
#include "controls/menus/menu_search.h"

TEST(MenuMarkup, KeepsOnlyTheTextOutsideTagsAndComments) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"<b>Kopieren</b>", "Kopieren"},
        {"<a href=\"x>y\">Link</a>", "Link"},
        {"A<!-- c -->B", "AB"},
        {"<a title=\"a\\\">b\">Text</a>", "Text"},
        {"<i title='x>'>Kursiv</i>", "Kursiv"},
        {"Ohne Tags", "Ohne Tags"},
        {"offen <b", "offen "},
        {"A<!-- offen", "A"},
    };
    for (const auto& c : cases) EXPECT_EQ(StripMenuMarkup(c.in), c.out) << c.in;
}

TEST(MenuCharSearch, AcceleratorsFirstThenFirstLettersShownEnabledMatchesWinDisabledOnlyCloses) {
    using E = MenuCharEntry;
    const std::vector<E> accel = {{"&Kopieren", true}, {"Ko&pie", true}};
    const std::vector<E> twice = {{"&Datei", true}, {"&Drucken", true}, {"&Ende", true}};
    const std::vector<E> disabled = {{"&Kopieren", false}, {"Kasse", true}};
    const std::vector<E> letters = {{"Ausschneiden", true}, {"Kopieren", true}, {"Kasse", false}};
    const std::vector<E> drawn = {{"Ausschneiden", true}, {"&Kopieren", true}, {"Kalender", true},
                                  {"&Ende", true},        {"Alles markieren", true}, {"Symbol", false}};
    const struct {
        const std::vector<E>* entries;
        char key;
        int highlighted;
        uint32_t answer;
    } cases[] = {
        {&accel, 'p', -1, MenuCharAnswer(1, kMenuCharExecute)},
        {&accel, 'k', -1, MenuCharAnswer(0, kMenuCharExecute)},
        {&twice, 'd', -1, MenuCharAnswer(0, kMenuCharSelect)},
        {&twice, 'd', 0, MenuCharAnswer(1, kMenuCharSelect)},
        {&twice, 'd', 1, MenuCharAnswer(0, kMenuCharSelect)},
        {&disabled, 'k', -1, MenuCharAnswer(0, kMenuCharClose)},
        {&letters, 'a', -1, MenuCharAnswer(0, kMenuCharExecute)},
        {&letters, 'k', -1, MenuCharAnswer(1, kMenuCharExecute)},  // the enabled match wins
        {&letters, 'x', -1, 0},
        // As drawn: "&Kopieren" shows K underlined, so k runs it, not "Kalender".
        {&drawn, 'k', -1, MenuCharAnswer(1, kMenuCharExecute)},
        {&drawn, 'K', 3, MenuCharAnswer(1, kMenuCharExecute)},
        {&drawn, 'e', -1, MenuCharAnswer(3, kMenuCharExecute)},  // the accelerator of "&Ende"
        {&drawn, 'a', -1, MenuCharAnswer(0, kMenuCharSelect)},
        {&drawn, 'a', 0, MenuCharAnswer(4, kMenuCharSelect)},
        {&drawn, 'A', 4, MenuCharAnswer(0, kMenuCharSelect)},
        {&drawn, 's', -1, MenuCharAnswer(5, kMenuCharClose)},  // only a disabled item shows S
        {&drawn, '\xC4', -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuCharSearch(*c.entries, c.key, c.highlighted), c.answer) << c.key << " " << c.highlighted;
}

TEST(MenuCaptionLines, SplitAndJoinAtDoubleBars) {
    EXPECT_EQ(SplitMenuLines("A||B"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(SplitMenuLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitMenuLines("A||"), (std::vector<std::string>{"A", ""}));
    EXPECT_EQ(JoinMenuLines({"A", "B", "C"}), "A||B||C");
    EXPECT_EQ(MenuLinesToText("Alles||markieren"), "Alles\r\nmarkieren");
    const std::string long_caption(600, 'x');
    EXPECT_EQ(JoinMenuLines(SplitMenuLines(long_caption + "||y")), long_caption + "||y");
}

TEST(MenuGradientMath, EntriesTruncateTowardZero) {
    // White to black in 128 steps, and the system's light blue to white.
    EXPECT_EQ(MenuGradientEntry(0xFFFFFF, 0, 128, 0), 0xFFFFFFu);
    EXPECT_EQ(MenuGradientEntry(0xFFFFFF, 0, 128, 64), 0x808080u);
    EXPECT_EQ(MenuGradientEntry(0xFFFFFF, 0, 128, 127), 0x020202u);
    const uint32_t start = 240 | (251 << 8) | (255u << 16);
    EXPECT_EQ(MenuGradientEntry(start, 0xFFFFFF, 128, 64), 247u | (253u << 8) | (255u << 16));
    EXPECT_EQ(MenuGradientEntry(start, 0xFFFFFF, 128, 127), 254u | (254u << 8) | (255u << 16));
    // No steps is one band of the start colour.
    EXPECT_EQ(MenuGradientEntry(0x123456, 0, 0, 0), 0x123456u);
}

TEST(MenuGradientMath, BandsCoverTheExtentWithoutGaps) {
    for (int extent : {1, 7, 100, 128, 333}) {
        for (int steps : {0, 1, 3, 128}) {
            int covered = 0;
            const int n = steps < 1 ? 1 : steps;
            for (int i = 0; i < n; ++i) {
                const MenuGradientBand b = MenuGradientBandAt(extent, steps, i);
                EXPECT_LE(b.offset, covered) << extent << "/" << steps << " band " << i;
                covered = std::max(covered, b.offset + b.size);
            }
            EXPECT_GE(covered, extent) << extent << "/" << steps;
        }
    }
    EXPECT_EQ(MenuGradientBandAt(128, 128, 5).offset, 5);
    EXPECT_EQ(MenuGradientBandAt(128, 128, 5).size, 2);
}
