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

TEST(CustomGrid, ConstructionDefaultsAndNoWindow) {
    GridPtr g;
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->DefaultColWidth(), 64);
    EXPECT_EQ(g->DefaultRowHeight(), 24);
    EXPECT_EQ(g->GridLineWidth(), 1);
    EXPECT_EQ(g->Options(), DefaultGridOptions);
    EXPECT_FALSE(g->UseSecondLine());
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    // Five owned editors, hidden.
    EXPECT_EQ(g->ComponentCount(), 5);
    ASSERT_NE(g->InplaceChoiceEdit(), nullptr);
    EXPECT_FALSE(g->InplaceChoiceEdit()->Visible());
    EXPECT_EQ(g->InplaceChoiceEdit()->Left(), -1000);
    EXPECT_EQ(g->InplaceChoiceEdit()->Height(), 0);
    EXPECT_EQ(g->InplaceChoiceEdit()->OwningGrid(), g.g);
    EXPECT_FALSE(g->HandleAllocated());
    EXPECT_FALSE(g->CanEditShow());
}

TEST(CustomGrid, RowColAndFixedCountLimits) {
    GridPtr g;
    g->SetRowCount(0);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetRowCount(1);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetRowCount(5);
    g->SetFixedRows(2);
    g->SetRowCount(2);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetColCount(-4);
    EXPECT_EQ(g->ColCount(), 2);
    g->SetColCount(6);
    g->SetFixedCols(3);
    g->SetColCount(3);
    EXPECT_EQ(g->FixedCols(), 2);
    // Positions follow a shrinking grid.
    g->SetRowCount(10);
    g->MoveCurrent(false, 2, 9, true, false);
    g->SetRowCount(4);
    EXPECT_EQ(g->Row(), 3);

    // Fixed counts that do not fit raise and keep the value.
    GridPtr f;
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedCols(5); }), "Die Anzahl fester Spalten mu\xDF kleiner sein als die Spaltenanzahl");
    EXPECT_EQ(f->FixedCols(), 1);
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedRows(5); }), "Die Anzahl fester Zeilen mu\xDF kleiner sein als die Zeilenanzahl");
    EXPECT_EQ(f->FixedRows(), 1);
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedRows(-1); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedCols(-1); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(f->FixedCols(), 1);
    f->SetFixedRows(0);
    EXPECT_EQ(f->FixedRows(), 0);
    EXPECT_EQ(f->Row(), 0);
}

TEST(CustomGrid, RowHeightRule) {
    GridPtr g;
    g->SetDefaultRowHeight(17);
    EXPECT_FALSE(g->RowHeightsArray().has_value());
    g->SetRowHeight(2, 10);
    EXPECT_EQ(g->RowHeights(2), 17);
    g->SetRowHeight(2, 500);
    EXPECT_EQ(g->RowHeights(2), 300);
    g->SetRowHeight(2, 300);
    EXPECT_EQ(g->RowHeights(2), 300);
    g->SetRowHeight(3, 42);
    EXPECT_EQ(g->RowHeights(3), 42);

    GridPtr fresh;
    EXPECT_EQ(GridErrorOf([&] { fresh->SetRowHeight(fresh->RowCount(), 20); }),
              "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs");
    // Raised after the heights were created with RowCount entries.
    ASSERT_TRUE(fresh->RowHeightsArray().has_value());
    EXPECT_EQ(fresh->RowHeightsArray()->size(), 5u);
    // Negative indices are refused too, for heights and widths.
    EXPECT_EQ(GridErrorOf([&] { fresh->SetRowHeight(-1, 30); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(GridErrorOf([&] { fresh->SetColWidth(-1, 30); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(GridErrorOf([&] { fresh->SetColWidth(5, 30); }), GridMessages::IndexOutOfRange);
    fresh->SetColWidth(4, 30);
    EXPECT_EQ(fresh->ColWidths(4), 30);

    // A new default height discards the individual heights.
    g->SetDefaultRowHeight(20);
    EXPECT_FALSE(g->RowHeightsArray().has_value());
    EXPECT_EQ(g->RowHeights(3), 20);
}

// A grid that changes its row count while it is being built.
class BuildingGrid : public T_DrawGrid {
public:
    explicit BuildingGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {
        OnUserHeigth = [this](TObject*) { ++fired; };
        SetRowCount(8);
        SetRowHeight(2, 50);
    }
    int fired = 0;
};

TEST(CustomGrid, SecondLineHeightsAndUserHeightEvent) {
    GridPtr g;
    int fired = 0;
    g->OnUserHeigth = [&](TObject*) { ++fired; };
    g->SetDefaultRowHeight(17);
    fired = 0;
    g->SetSecondLine(true);
    EXPECT_EQ(g->RowHeights(0), 17);
    for (int r = 1; r < 5; ++r) EXPECT_EQ(g->RowHeights(r), 34) << r;
    EXPECT_GT(fired, 0);
    fired = 0;
    g->SetSecondLine(true);
    EXPECT_EQ(fired, 0);
    g->SetSecondLine(false);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(g->RowHeights(r), 17) << r;

    fired = 0;
    g->SetRowCount(7);
    EXPECT_EQ(fired, 1);
    g->SetRowCount(7);
    EXPECT_EQ(fired, 1);
    g->SetRowCount(3);
    EXPECT_EQ(fired, 2);
    // Below 2 becomes 2: on a 2-row grid that resizes nothing but reports.
    g->SetRowCount(2);
    fired = 0;
    g->SetRowCount(0);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(fired, 1);
    fired = 2;
    g->SetEventsEnabled(false);
    g->SetRowCount(9);
    EXPECT_EQ(fired, 2);

    // A grid that changes its row count while it is being built reports nothing.
    auto* b = Create<BuildingGrid>(nullptr);
    EXPECT_EQ(b->fired, 0);
    EXPECT_EQ(b->RowCount(), 8);
    b->SetRowCount(9);
    EXPECT_EQ(b->fired, 1);
    b->Free();
}

TEST(CustomGrid, OptionsAndEditReadOnly) {
    GridPtr g;
    g->SetOptions(goRowSelect | goAlwaysShowEditor);
    EXPECT_EQ(g->Options(), static_cast<TGridOptions>(goRowSelect));
    EXPECT_EQ(g->Anchor().X, 4);
    EXPECT_EQ(g->Col(), 1);

    const TGridOptions lines = DefaultGridOptions;
    g->SetOptions(lines | goColSizing | goRowMoving);
    g->SetEditReadOnly(true);
    EXPECT_TRUE(g->ReadOnly());
    EXPECT_EQ(g->Options(), lines);
    // Asymmetric on purpose: only row moving comes back.
    g->SetEditReadOnly(false);
    EXPECT_FALSE(g->ReadOnly());
    EXPECT_EQ(g->Options(), lines | goRowMoving);

    // Without an editor, closing, opening and read-only changes report nothing.
    int fired = 0;
    g->OnAfterCellEdit = [&](TObject*, int, int, const std::string&, bool) { ++fired; };
    g->HideEdit();
    g->ShowEditor();
    g->SetEditReadOnly(true);
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_TRUE(g->UpdateText());
}

TEST(CustomGrid, MoveCurrentAndSelectCellVeto) {
    GridPtr g;
    EXPECT_EQ(GridErrorOf([&] { g->MoveCurrent(false, 5, 1, true, true); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(GridErrorOf([&] { g->MoveCurrent(false, 1, -1, true, true); }), GridMessages::IndexOutOfRange);
    g->MoveCurrent(false, 3, 2, true, true);
    EXPECT_EQ(g->Current(), (TGridCoord{3, 2, false}));
    EXPECT_EQ(g->Anchor(), (TGridCoord{3, 2, false}));

    std::vector<std::pair<int, int>> asked;
    g->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
        asked.push_back({c, r});
        can = !(c == 4 && r == 4);
    };
    g->MoveCurrent(true, 4, 4, true, true);
    EXPECT_EQ(g->Current(), (TGridCoord{3, 2, false}));
    g->MoveCurrent(true, 2, 4, false, true);
    EXPECT_EQ(g->Current(), (TGridCoord{2, 4, true}));
    EXPECT_EQ(g->Anchor(), (TGridCoord{3, 2, false}));
    EXPECT_EQ(asked.size(), 2u);

    g->OnSelectCell = nullptr;
    g->SetOptions(goRowSelect);
    g->MoveCurrent(false, 3, 3, true, true);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 3, 4, 3}));
}

TEST(CustomGrid, StreamingHelpers) {
    GridPtr g, ancestor;
    EXPECT_FALSE(g->ShouldStoreColWidths(nullptr));
    g->SetColWidth(2, 80);
    EXPECT_TRUE(g->ShouldStoreColWidths(nullptr));
    EXPECT_TRUE(g->ShouldStoreColWidths(ancestor.g));
    ancestor->SetColWidth(2, 80);
    EXPECT_FALSE(g->ShouldStoreColWidths(ancestor.g));
    EXPECT_EQ(g->WriteColWidths(), (std::vector<int>{64, 64, 80, 64, 64}));
    g->SetSaveCellExtents(false);
    EXPECT_FALSE(g->ShouldStoreColWidths(nullptr));

    GridPtr r;
    r->SetDefaultRowHeight(17);
    r->ReadRowHeights({17, 10, 500, 40});
    EXPECT_EQ(r->WriteRowHeights(), (std::vector<int>{17, 17, 300, 40, 17}));
    EXPECT_TRUE(r->ShouldStoreRowHeights(nullptr));
    r->ReadColWidths({-1, 20});
    EXPECT_EQ(r->ColWidths(0), -1);
    EXPECT_EQ(r->ColWidths(1), 20);
}

TEST(CustomGrid, CellWrittenHookSilentWhileUpdatingOrDestroying) {
    auto* g = Create<T_DrawGrid>(nullptr);
    int fired = 0;
    g->OnAfterCellWrite = [&](TObject*, int, int, const std::string&) { ++fired; };
    g->AfterCellWrite(1, 1, "");
    EXPECT_EQ(fired, 1);
    g->SetUpdating(true);
    g->AfterCellWrite(1, 1, "");
    g->SetUpdating(false);
    EXPECT_EQ(fired, 1);
    g->Destroying();
    g->AfterCellWrite(1, 1, "");
    EXPECT_EQ(fired, 1);
    g->Free();
}

class AdjustingGrid : public T_DrawGrid {
public:
    explicit AdjustingGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {}
    void Adjust(int Index, int Amount, bool Rows) { AdjustSize(Index, Amount, Rows); }
};

TEST(CustomGrid, AdjustSizeInsertsAndRefusesTooManyDeletions) {
    auto* g = Create<AdjustingGrid>(nullptr);
    g->SetRowHeight(2, 40);
    g->Adjust(2, 2, true);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->RowHeights(4), 40);
    EXPECT_EQ(g->RowHeights(2), 24);
    g->Adjust(2, -2, true);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->RowHeights(2), 40);
    EXPECT_EQ(GridErrorOf([&] { g->Adjust(1, -4, true); }), "Zu viele Zeilen oder Spalten gelöscht");
    EXPECT_EQ(g->RowCount(), 5);
    g->Free();
}

TEST(CustomGrid, GeometryAndHiddenColumns) {
    GridPtr g;
    const RECT r = g->CellRect(1, 1);
    EXPECT_EQ(r.left, 65);
    EXPECT_EQ(r.top, 25);
    EXPECT_EQ(r.right, 129);
    EXPECT_EQ(r.bottom, 49);
    const RECT out = g->CellRect(9, 1);
    EXPECT_EQ(out.right - out.left, 0);
    g->SetColWidth(1, -1);
    const RECT hidden = g->CellRect(1, 1);
    EXPECT_EQ(hidden.right - hidden.left, 0);
    EXPECT_EQ(g->CellRect(2, 1).left, 65);
    EXPECT_EQ(g->MouseCoord(70, 30), (TGridCoord{2, 1, false}));
    EXPECT_EQ(g->MouseCoord(5000, 30), (TGridCoord{-1, -1, false}));

    // Scrolling into view needs no window.
    g->SetRowCount(100);
    g->MoveCurrent(false, 2, 50, true, true);
    EXPECT_LE(g->TopRow(), 50);
    const RECT r50 = g->CellRect(2, 50);
    EXPECT_LT(r50.top, r50.bottom);
    EXPECT_LE(r50.bottom, g->ClientHeight());
    g->SetTopRow(1000);
    EXPECT_EQ(g->TopRow(), 100 - g->VisibleRowCount());
    EXPECT_FALSE(g->HandleAllocated());
}

TEST(CustomGrid, SecondLineArea) {
    GridPtr g;
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    g->SetLeftStartSecond(1);
    g->SetRightEndSecond(3);
    const RECT cell = g->CellRect(1, 1);
    const RECT second = g->SecondLineRect(1);
    EXPECT_EQ(second.top, cell.top + 18);
    EXPECT_EQ(second.bottom, cell.bottom);
    EXPECT_EQ(second.left, cell.left - 1);
    EXPECT_EQ(second.right, g->CellRect(3, 1).right + 1);
    g->SetRowHeight(2, 17);
    const RECT none = g->SecondLineRect(2);
    EXPECT_EQ(none.bottom - none.top, 0);
}

TEST(CustomGrid, MoveAndDeleteRowsAndColumns) {
    GridPtr g;
    g->SetRowHeight(1, 30);
    g->SetColWidth(1, 70);
    std::vector<std::pair<int, int>> moves;
    g->OnRowMoved = [&](TObject*, int f, int t) { moves.push_back({f, t}); };
    g->MoveCurrent(false, 1, 1, true, false);
    g->MoveRow(1, 3);
    EXPECT_EQ(g->RowHeights(3), 30);
    EXPECT_EQ(g->RowHeights(1), 24);
    EXPECT_EQ(g->Row(), 3);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(1, 3));
    g->MoveColumn(1, 4);
    EXPECT_EQ(g->ColWidths(4), 70);
    EXPECT_EQ(g->Col(), 4);
    g->DeleteRow(3);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->RowHeights(3), 24);
    g->DeleteColumn(4);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(GridErrorOf([&] { g->MoveRow(0, 4); }), GridMessages::IndexOutOfRange);
    EXPECT_FALSE(g->HandleAllocated());
}

}  // namespace

namespace {

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

}  // namespace
