// The grid core without a window: counts, limits, row heights, the second
// line, options, moving the current cell, streaming helpers and geometry.
#include "grids/custom_grid.h"

#include <gtest/gtest.h>

#include "grids/draw_grid.h"
#include "grids/grid_messages.h"
#include "grids/inplace_editor.h"
#include "tests/grids/grid_test_support.h"

namespace {

template <class F>
std::string GridErrorOf(F&& f) {
    return grid_test::ErrorOf<EInvalidGridOperation>(std::forward<F>(f));
}

using GridPtr = grid_test::Owned<T_DrawGrid>;

TEST(CustomGrid, CountAndFixedCountLimits) {
    GridPtr g;
    g->SetRowCount(0);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetRowCount(5);
    g->SetFixedRows(2);
    g->SetRowCount(2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetColCount(6);
    g->SetFixedCols(3);
    g->SetColCount(3);
    EXPECT_EQ(g->FixedCols(), 2);
    GridPtr f;
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedCols(5); }), "Die Anzahl fester Spalten mu\xDF kleiner sein als die Spaltenanzahl");
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedRows(5); }), "Die Anzahl fester Zeilen mu\xDF kleiner sein als die Zeilenanzahl");
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedRows(-1); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(f->FixedRows() + f->FixedCols(), 2);
}

// One limit for the counts, whether or not a height or width was ever set.
TEST(CustomGrid, TooLargeCountsAreRefusedAtOnce) {
    for (bool extents : {false, true}) {
        SCOPED_TRACE(extents);
        GridPtr g;
        if (extents) {
            g->SetRowHeight(2, 50);
            g->SetColWidth(1, 80);
        }
        EXPECT_EQ(GridErrorOf([&] { g->SetRowCount(200000000); }), "Zu viele Zeilen oder Spalten");
        EXPECT_EQ(GridErrorOf([&] { g->SetColCount(MaxExtentEntries + 1); }), GridMessages::GridTooLarge);
        EXPECT_EQ(g->RowCount(), 5);
        EXPECT_EQ(g->ColCount(), 5);
        EXPECT_EQ(g->RowHeights(2), extents ? 50 : 24);
    }
}

TEST(CustomGrid, RowHeightRule) {
    GridPtr g;
    g->SetDefaultRowHeight(17);
    for (auto [set, stored] : {std::pair{10, 17}, {500, 300}, {300, 300}, {42, 42}}) {
        g->SetRowHeight(2, set);
        EXPECT_EQ(g->RowHeights(2), stored) << set;
    }
    GridPtr fresh;
    EXPECT_EQ(GridErrorOf([&] { fresh->SetRowHeight(fresh->RowCount(), 20); }),
              "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs");
    ASSERT_TRUE(fresh->RowHeightsArray().has_value());  // made before the check
    EXPECT_EQ(fresh->RowHeightsArray()->size(), 5u);
    EXPECT_EQ(GridErrorOf([&] { fresh->SetRowHeight(-1, 30); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(GridErrorOf([&] { fresh->SetColWidth(5, 30); }), GridMessages::IndexOutOfRange);
    g->SetDefaultRowHeight(20);
    EXPECT_EQ(g->RowHeights(2), 20);
}

// A grid that changes its row count while it is being built.
class BuildingGrid : public T_DrawGrid {
public:
    explicit BuildingGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {
        OnUserHeigth = [this](TObject*) { ++fired; };
        SetRowCount(8);
    }
    int fired = 0;
};

TEST(CustomGrid, SecondLineHeightsAndUserHeightEvent) {
    GridPtr g;
    int fired = 0;
    g->OnUserHeigth = [&](TObject*) { ++fired; };
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    EXPECT_EQ(g->RowHeights(0), 17);
    for (int r = 1; r < 5; ++r) EXPECT_EQ(g->RowHeights(r), 34) << r;
    fired = 0;
    g->SetSecondLine(true);
    EXPECT_EQ(fired, 0);
    // Once per new count; below 2 becomes 2, which on a 2-row grid resizes
    // nothing but still reports.
    for (auto [count, reports] : {std::pair{7, 1}, {7, 1}, {2, 2}, {0, 3}}) {
        g->SetRowCount(count);
        EXPECT_EQ(fired, reports) << count;
    }
    g->SetEventsEnabled(false);
    g->SetRowCount(9);
    EXPECT_EQ(fired, 3);

    auto* b = Create<BuildingGrid>(nullptr);
    EXPECT_EQ(b->fired, 0);
    b->SetRowCount(9);
    EXPECT_EQ(b->fired, 1);
    b->Free();
}

TEST(CustomGrid, OptionsEditReadOnlyAndMoveCurrent) {
    GridPtr g;
    g->SetOptions(goRowSelect | goAlwaysShowEditor);
    EXPECT_EQ(g->Options(), static_cast<TGridOptions>(goRowSelect));
    EXPECT_EQ(g->Anchor().X, 4);
    g->SetOptions(DefaultGridOptions | goColSizing | goRowMoving);
    g->SetEditReadOnly(true);
    EXPECT_EQ(g->Options(), DefaultGridOptions);
    g->SetEditReadOnly(false);  // only row moving comes back
    EXPECT_EQ(g->Options(), DefaultGridOptions | goRowMoving);

    EXPECT_EQ(GridErrorOf([&] { g->MoveCurrent(false, 5, 1, true, true); }), GridMessages::IndexOutOfRange);
    g->MoveCurrent(false, 3, 2, true, true);
    g->OnSelectCell = [&](TObject*, int c, int r, bool& can) { can = !(c == 4 && r == 4); };
    g->MoveCurrent(true, 4, 4, true, true);
    EXPECT_EQ(g->Current(), (TGridCoord{3, 2, false}));
    g->MoveCurrent(true, 2, 4, false, true);
    EXPECT_EQ(g->Current(), (TGridCoord{2, 4, true}));
    EXPECT_EQ(g->Anchor(), (TGridCoord{3, 2, false}));
    g->SetOptions(goRowSelect);
    g->MoveCurrent(false, 3, 3, true, true);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 3, 4, 3}));
}

TEST(CustomGrid, StreamingHelpers) {
    GridPtr g, ancestor;
    g->SetColWidth(2, 80);
    EXPECT_TRUE(g->ShouldStoreColWidths(ancestor.g));
    ancestor->SetColWidth(2, 80);
    EXPECT_FALSE(g->ShouldStoreColWidths(ancestor.g));
    g->SetDefaultRowHeight(17);
    g->ReadRowHeights({17, 10, 500, 40});  // through the row-height rule
    EXPECT_EQ(g->WriteRowHeights(), (std::vector<int>{17, 17, 300, 40, 17}));
}

class AdjustingGrid : public T_DrawGrid {
public:
    explicit AdjustingGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {}
    void Adjust(int Index, int Amount, bool Rows) { AdjustSize(Index, Amount, Rows); }
};

TEST(CustomGrid, MovingAndAdjustingCarryHeightsWidthsAndPosition) {
    grid_test::Owned<AdjustingGrid> g;
    g->SetRowHeight(2, 40);
    g->Adjust(2, 2, true);
    EXPECT_EQ(g->RowHeights(4), 40);
    g->Adjust(2, -2, true);
    EXPECT_EQ(g->RowHeights(2), 40);
    EXPECT_EQ(GridErrorOf([&] { g->Adjust(1, -4, true); }), "Zu viele Zeilen oder Spalten gel\xF6scht");
    EXPECT_EQ(g->RowCount(), 5);

    g->SetColWidth(1, 70);
    g->SetRowHeight(1, 30);
    g->MoveCurrent(false, 1, 1, true, false);
    g->MoveRow(1, 3);
    g->MoveColumn(1, 4);
    EXPECT_EQ(g->Current(), (TGridCoord{4, 3, false}));
    EXPECT_EQ(g->RowHeights(3) + g->ColWidths(4), 30 + 70);
}

TEST(CustomGrid, HiddenColumnsAndTheSecondLineArea) {
    GridPtr g;
    g->SetColWidth(1, -1);
    EXPECT_EQ(g->CellRect(1, 1).right, g->CellRect(1, 1).left);
    EXPECT_EQ(g->MouseCoord(70, 30), (TGridCoord{2, 1, false}));
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    g->SetLeftStartSecond(2);
    g->SetRightEndSecond(3);
    const RECT cell = g->CellRect(2, 1), second = g->SecondLineRect(1);
    EXPECT_EQ((std::vector<LONG>{second.left, second.top, second.right, second.bottom}),
              (std::vector<LONG>{cell.left - 1, cell.top + 18, g->CellRect(3, 1).right + 1, cell.bottom}));
    g->SetRowHeight(2, 17);
    EXPECT_EQ(g->SecondLineRect(2).bottom, g->SecondLineRect(2).top);
    EXPECT_FALSE(g->HandleAllocated());
}

}  // namespace
