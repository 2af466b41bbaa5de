// The symbol dialog's layout without a window.
#include <gtest/gtest.h>

#include "controls/dialogs/symbol_layout.h"

TEST(SymbolLayout, CellsColumnsAndRows) {
    struct Case {
        std::string chars;
        int cols, rows;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {"a(bc)d", 3, 1, {"a", "bc", "d"}},
        {"abcd", 2, 2, {"a", "b", "c", "d"}},  // exactly full: no extra row
        {"abcde", 3, 2, {"a", "b", "c", "d", "e"}},
        {"x(yz", 2, 1, {"x", "yz"}},  // an unclosed group runs to the end
        {"a)(", 2, 2, {"a", ")", ""}},
        {"\x80", 1, 1, {"\x80"}},
    };
    for (const auto& c : cases) {
        const TSymbolLayout l = LayoutSymbols(c.chars);
        EXPECT_EQ(l.Cols, c.cols) << c.chars;
        EXPECT_EQ(l.Rows, c.rows) << c.chars;
        EXPECT_EQ(l.Cells, c.cells) << c.chars;
    }
}

TEST(SymbolLayout, DefaultListAndWindowSize) {
    const std::string& chars = DefaultSymbolChars();
    ASSERT_EQ(chars.size(), 68u);
    EXPECT_EQ(chars.substr(52, 8), "(m\xB2)(m\xB3)");
    const TSymbolLayout l = LayoutSymbols("");
    EXPECT_EQ(l.Cols, 9);
    EXPECT_EQ(l.Cells.size(), 62u);
    EXPECT_EQ(l.Rows, 7);
    EXPECT_EQ(l.Cells[52], "m\xB2");
    const TSymbolWindowSize s = SymbolWindowSize(30, 1, l.Cols, l.Rows, 41);
    EXPECT_EQ(s.Width, 320);
    EXPECT_EQ(s.Height, 304);
    for (auto [stored, size] : {std::pair{10, 20}, {20, 20}, {35, 35}, {50, 50}, {80, 50}, {-5, 20}})
        EXPECT_EQ(ClampSymbolCellSize(stored), size) << stored;
}
