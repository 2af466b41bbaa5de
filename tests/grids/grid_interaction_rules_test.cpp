#include "grids/grid_interaction_rules.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

struct DropCase {
    std::vector<int> widths;
    int index;
    bool dropped;
};

TEST(GridInteractionRules, SizingDropAveragesTheFollowingColumnsWithHalvesToEven) {
    const DropCase cases[] = {
        {{50, 14, 14, 14, 14, 16}, 0, true},   // 14.4
        {{50, 15, 15, 15, 14, 14, 15, 15, 15, 15, 15}, 0, false},  // 14.7
        {{50, 14, 15}, 0, true},               // 14.5 -> 14
        {{50, 15, 16}, 0, false},              // 15.5 -> 16
        {{50, 15, 14, 15, 14, 15}, 0, false},  // 14.6 -> 15
        {{50, 60}, 1, false},                  // nothing follows
        // Hidden columns take no part: 47, and 14 | 15 with halves to even.
        {{50, 30, -1, -1, -1, -1, 47}, 1, false},
        {{50, 30, -1, 14, -1, 15, -1}, 1, true},
        {{50, 30, -1, 15, -1, 16, -1}, 1, false},
        {{50, 30, -1, -1}, 1, false},  // only hidden ones follow
    };
    for (const DropCase& c : cases) EXPECT_EQ(ColumnSizingDropped(c.widths, c.index), c.dropped) << c.widths.size();
}

int Total(const TColumnFitResult& r, int line) {
    int sum = 0;
    for (int w : r.Widths) sum += w + line;
    return sum;
}

TEST(GridInteractionRules, FitEndsAllColumnsAtTheClientWidth) {
    struct Case {
        std::vector<int> widths;
        int index, client, bar;
    };
    const Case cases[] = {
        {{10, 80, 40, 40, 40, 40}, 1, 300, 0},
        {{10, 120, 33, 47, 61, 20}, 1, 400, 17},
        {{10, 30, 100, 16, 16, 200}, 2, 350, 0},  // small ones hit 15 and restart
        {{10, 29, 43, 41, 52, 45, 49}, 3, 330, 17},
    };
    for (const Case& c : cases) {
        const TColumnFitResult r = FitColumns({c.widths, c.index, 1, c.client, 1, c.bar});
        EXPECT_NEAR(Total(r, 1), c.client - c.bar, 1) << c.client;
        for (size_t i = c.index + 1; i < r.Widths.size(); ++i) EXPECT_GE(r.Widths[i], GridFitMinWidth);
        for (size_t i = 0; i < static_cast<size_t>(c.index); ++i) EXPECT_EQ(r.Widths[i], c.widths[i]);
    }
}

TEST(GridInteractionRules, FitBeyondTheClientGivesLaterColumns15AndIndexTheRest) {
    const TColumnFitResult r = FitColumns({{10, 400, 40, 40}, 1, 1, 300, 1, 0});
    EXPECT_EQ(r.Widths, (std::vector<int>{10, 300 - 10 - 30 - 4, 15, 15}));
    EXPECT_EQ(r.Apply, (std::vector<bool>{false, true, true, true}));
}

TEST(GridInteractionRules, FitNeverGivesNegativeWidthsNorDividesByZero) {
    // The columns before Index alone exceed the client: Index keeps 15.
    TColumnFitResult r = FitColumns({{200, 200, 300, 40}, 2, 1, 300, 1, 0});
    EXPECT_EQ(r.Widths[2], GridFitMinWidth);
    EXPECT_EQ(r.Widths[3], GridFitMinWidth);
    // Zero-width adjustable columns: the remaining sum is 0.
    r = FitColumns({{10, 50, 0, 0}, 1, 1, 100, 1, 0});
    for (int w : r.Widths) EXPECT_GE(w, 0);
    // A hidden column stays hidden and is not applied.
    r = FitColumns({{10, 50, 40, -1, 40}, 1, 1, 200, 1, 0});
    EXPECT_EQ(r.Widths[3], -1);
    EXPECT_FALSE(r.Apply[3]);
    EXPECT_NEAR(Total(r, 1), 200, 1);
}

TEST(GridInteractionRules, KeysMoveWithinTheDataCells) {
    TGridNavState s;
    s.ColCount = 5, s.RowCount = 6, s.FixedCols = 1, s.FixedRows = 1;
    s.LeftCol = 1, s.TopRow = 1, s.VisibleCols = 4, s.VisibleRows = 3;
    struct Case {
        int col, row;
        TGridNavKey key;
        bool ctrl;
        int wantCol, wantRow;
    };
    const Case cases[] = {
        {4, 5, TGridNavKey::Tab, false, 1, 1},       // last cell wraps to the first
        {1, 1, TGridNavKey::ShiftTab, false, 4, 5},  // and back
        {4, 2, TGridNavKey::Tab, false, 1, 3},
        {1, 3, TGridNavKey::ShiftTab, false, 4, 2},
        {3, 4, TGridNavKey::Home, true, 1, 1},
        {2, 2, TGridNavKey::End, true, 4, 5},
        {1, 1, TGridNavKey::Up, false, 1, 1},
        {1, 1, TGridNavKey::Left, false, 1, 1},
        {2, 2, TGridNavKey::Enter, false, 3, 2},
        {2, 2, TGridNavKey::Home, false, 1, 2},
        {2, 2, TGridNavKey::End, false, 4, 2},
        {2, 2, TGridNavKey::PageDown, false, 2, 5},
        {2, 2, TGridNavKey::Down, true, 2, 2},  // scrolls only
    };
    for (const Case& c : cases) {
        s.Col = c.col, s.Row = c.row;
        const TGridNavResult r = NavigateGrid(s, c.key, c.ctrl);
        EXPECT_EQ(r.Col, c.wantCol) << static_cast<int>(c.key);
        EXPECT_EQ(r.Row, c.wantRow) << static_cast<int>(c.key);
    }
    s.Col = 2, s.Row = 2;
    EXPECT_EQ(NavigateGrid(s, TGridNavKey::Down, true).TopRow, 2);
}

// Hidden columns are passed over by every key that moves between columns;
// a move with no shown column that way keeps the column.
TEST(GridInteractionRules, KeysPassHiddenColumnsOver) {
    TGridNavState s;
    s.ColCount = 8, s.RowCount = 4, s.FixedCols = 1, s.FixedRows = 1;
    s.LeftCol = 1, s.TopRow = 1, s.VisibleCols = 7, s.VisibleRows = 3;
    // Columns 1, 4 and 6 are shown.
    s.ColShown = [](int c) { return c == 1 || c == 4 || c == 6; };
    struct Case {
        int col, row;
        TGridNavKey key;
        bool ctrl;
        int wantCol, wantRow;
    };
    const Case cases[] = {
        {1, 1, TGridNavKey::Right, false, 4, 1},     {4, 1, TGridNavKey::Enter, false, 6, 1},
        {6, 1, TGridNavKey::Right, false, 6, 1},     {4, 1, TGridNavKey::Left, false, 1, 1},
        {1, 1, TGridNavKey::Left, false, 1, 1},      {6, 1, TGridNavKey::Tab, false, 1, 2},
        {4, 3, TGridNavKey::Tab, false, 6, 3},       {6, 3, TGridNavKey::Tab, false, 1, 1},
        {1, 2, TGridNavKey::ShiftTab, false, 6, 1},  {1, 1, TGridNavKey::ShiftTab, false, 6, 3},
        {4, 2, TGridNavKey::Home, false, 1, 2},      {4, 2, TGridNavKey::End, false, 6, 2},
        {4, 2, TGridNavKey::End, true, 6, 3},        {4, 2, TGridNavKey::Down, false, 4, 3},
        {1, 1, TGridNavKey::Right, true, 6, 1},
    };
    for (const Case& c : cases) {
        s.Col = c.col, s.Row = c.row;
        const TGridNavResult r = NavigateGrid(s, c.key, c.ctrl);
        EXPECT_EQ(r.Col, c.wantCol) << c.col << "," << c.row << " key " << static_cast<int>(c.key);
        EXPECT_EQ(r.Row, c.wantRow) << c.col << "," << c.row << " key " << static_cast<int>(c.key);
    }
    // No column shown at all: the position stays.
    s.ColShown = [](int) { return false; };
    s.Col = 4, s.Row = 2;
    for (TGridNavKey key : {TGridNavKey::Tab, TGridNavKey::ShiftTab, TGridNavKey::Right, TGridNavKey::Home}) {
        const TGridNavResult r = NavigateGrid(s, key, false);
        EXPECT_EQ(r.Col, 4);
        EXPECT_EQ(r.Row, 2);
    }
}

}  // namespace
