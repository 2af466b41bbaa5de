#include "grids/row_kind.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(RowKind, LettersAndMarks) {
    struct Case {
        const char* text;
        TRowKindSymbol symbol;
        char letter;
        bool larger;
    };
    const Case cases[] = {
        {"d", TRowKindSymbol::Letter, 'D', false},  {"*", TRowKindSymbol::Letter, 'S', false},
        {" t ", TRowKindSymbol::Letter, 'Z', false}, {"-", TRowKindSymbol::Letter, '-', true},
        {"a", TRowKindSymbol::Letter, 'A', false},  {"\x81", TRowKindSymbol::Triangle, 0, false},
        {"x", TRowKindSymbol::None, 0, false},     {"", TRowKindSymbol::None, 0, false},
    };
    for (const Case& c : cases) {
        const TRowKindLook look = RowKindLookOf(c.text);
        EXPECT_EQ(look.Symbol, c.symbol) << c.text;
        EXPECT_EQ(look.Letter, c.letter) << c.text;
        EXPECT_EQ(look.Larger, c.larger) << c.text;
    }
    TRowKindLook look = RowKindLookOf("*hgj");
    EXPECT_TRUE(look.Fill);
    EXPECT_EQ(look.Underline, TRowUnderline::Green);
    look = RowKindLookOf("dxp");
    EXPECT_FALSE(look.Fill);
    EXPECT_EQ(look.Underline, TRowUnderline::Red);
    EXPECT_TRUE(RowKindLookOf("dxxj").Fill);
    EXPECT_TRUE(RowKindEditsReadOnlyColumns(" "));
    EXPECT_TRUE(RowKindEditsReadOnlyColumns("a"));
    EXPECT_FALSE(RowKindEditsReadOnlyColumns("d"));
}

TEST(RowKind, AdjustGridTextTakesPointOrCommaAndRefusesTheRest) {
    int size = 0;
    double factor = 0;
    EXPECT_TRUE(ParseAdjustGrid("8 1.2", size, factor));
    EXPECT_EQ(size, 8);
    EXPECT_DOUBLE_EQ(factor, 1.2);
    EXPECT_TRUE(ParseAdjustGrid("10 0,5", size, factor));
    EXPECT_DOUBLE_EQ(factor, 0.5);
    for (const char* bad : {"", "8", "8 ", " 1.2", "8  1.2", "8 1.2.3", "x 1.2", "8 abc", "8 1e400", "-8 1.2",
                            "8 1.2 3", "99999999999 1", "8 0"})
        EXPECT_FALSE(ParseAdjustGrid(bad, size, factor)) << bad;
}

TEST(RowKind, AdjustedSizesRoundHalvesToEvenAndClampTheSecondHeight) {
    EXPECT_EQ(AdjustedFontSizes(8, 1.2, 96).Final, 10);
    EXPECT_EQ(AdjustedFontSizes(10, 0.5, 96).Final, 10);
    EXPECT_EQ(AdjustedFontSizes(10, 1.25, 96).Final, 12);  // 12.5 -> 12
    EXPECT_EQ(AdjustedFontSizes(8, 1.0, 192).Scaled, 8);
    EXPECT_EQ(AdjustedMaxSecondHeight(100, 1.2, 96), 100);
    EXPECT_EQ(AdjustedMaxSecondHeight(100, 0.5, 96), 50);
    EXPECT_EQ(AdjustedMaxSecondHeight(40, 1.0, 120), 80);
}

TEST(RowKind, FittingFontSizeKeepsASizeThatFitsAndFindsTheLargestOtherwise) {
    int asked = 0;
    // A face whose text is 4/3 of its size, plus 2 pixels of leading.
    const auto height = [&](int size) {
        ++asked;
        return static_cast<int>(std::min<long long>(size * 4LL / 3 + 2, 1000000));
    };
    EXPECT_EQ(AdjustedRowHeight(16), 26);  // 25.6
    EXPECT_EQ(AdjustedRowHeight(15), 24);
    EXPECT_EQ(FittingFontSize(10, 150, height), 10);
    EXPECT_EQ(asked, 1);  // a size that fits is measured once
    for (int size : {71, 72, 1000, 9999, 1 << 30}) {
        const int fit = FittingFontSize(size, 150, height);
        int largest = 1;
        for (int s = 1; s <= 200; ++s)
            if (AdjustedRowHeight(height(s)) <= 150) largest = s;
        EXPECT_EQ(fit, std::min(size, largest)) << size;
        EXPECT_LE(AdjustedRowHeight(height(fit)), 150) << size;
    }
    // Nothing fits: the smallest size; a size below 1 becomes 1.
    EXPECT_EQ(FittingFontSize(50, 3, height), 1);
    EXPECT_EQ(FittingFontSize(0, 150, height), 1);
}

}  // namespace
