// Correctness of the grid's fast paths: heights kept while the row count
// grows one row at a time, refused sizes, the compact cell storage under
// overwrites and moves, second-line objects freed in bulk, views made on
// demand, and a large positions text loaded twice through Clear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/streams.h"
#include "grids/data_grid.h"
#include "grids/grid_messages.h"
#include "grids/source_grid_columns.h"
#include "grids/string_grid.h"
#include "grids/string_grid_strings.h"
#include "grids/string_sparse_list.h"
#include "tests/grids/grid_test_support.h"

namespace {

using grid_test::Owned;

TEST(GridGrowth, RowByRowGrowthKeepsEveryHeight) {
    Owned<T_StringGrid> g;
    g->SetRowHeight(1, 40);
    g->SetRowHeight(3, 300);
    for (int n = g->RowCount() + 1; n <= 5000; ++n) {
        g->SetRowCount(n);
        if (n == 2000) g->SetRowHeight(1999, 55);
    }
    ASSERT_TRUE(g->RowHeightsArray().has_value());
    EXPECT_EQ(g->RowHeightsArray()->size(), 5000u);
    EXPECT_EQ(g->RowHeights(1), 40);
    EXPECT_EQ(g->RowHeights(3), 300);
    EXPECT_EQ(g->RowHeights(1999), 55);
    EXPECT_EQ(g->RowHeights(4999), g->DefaultRowHeight());
    // Lowering and raising again gives default heights to the new rows.
    g->SetRowCount(10);
    g->SetRowCount(3000);
    EXPECT_EQ(g->RowHeights(1), 40);
    EXPECT_EQ(g->RowHeights(1999), g->DefaultRowHeight());
}

TEST(GridGrowth, ARefusedSizeChangesNothing) {
    Owned<T_StringGrid> g;
    g->SetRowHeight(2, 50);
    g->SetColWidth(1, 80);
    try {
        g->SetRowCount(MaxExtentEntries + 1);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), GridMessages::GridTooLarge);
    }
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->RowHeightsArray()->size(), 5u);
    EXPECT_EQ(g->RowHeights(2), 50);
    EXPECT_EQ(g->ColWidths(1), 80);

    // No heights array: nothing to resize, so nothing to refuse.
    Owned<T_StringGrid> plain;
    plain->SetRowCount(200000);
    EXPECT_EQ(plain->RowCount(), 200000);
}

TEST(CompactCells, MovesKeepTextsAndObjectsAndFreeObjectSlotsAreReused) {
    TObject a, b;
    T_StringSparseList list(TSPAQuantum::SPASmall);
    list.Put(0, "null");
    list.Put(5, "fünf");
    list.PutObject(5, &a);
    list.Put(9, "neun");
    list.Move(5, 1);
    EXPECT_EQ(list.Get(1), "fünf");
    EXPECT_EQ(list.GetObject(1), &a);
    EXPECT_EQ(list.Get(9), "neun");
    list.Exchange(1, 9);
    EXPECT_EQ(list.Get(9), "fünf");
    EXPECT_EQ(list.GetObject(9), &a);
    EXPECT_EQ(list.GetObject(1), nullptr);
    for (int i = 0; i < 100; ++i) {
        list.PutObject(3, &b);
        list.PutObject(3, nullptr);
        list.Put(3, "");
    }
    EXPECT_EQ(list.Get(3), "");
    EXPECT_EQ(list.GetObject(3), nullptr);
    EXPECT_EQ(list.GetObject(9), &a);
    EXPECT_EQ(list.Count(), 10);
    list.Delete(0);
    EXPECT_EQ(list.Get(0), "neun");
    EXPECT_EQ(list.Get(8), "fünf");
    EXPECT_EQ(list.Count(), 9);
}

TEST(SecondLineObjects, BulkFreeingKeepsTheOrderOfTheRest) {
    Owned<T_StringGrid> g;
    g->SetUseSecondLine(true);
    g->SetRowCount(401);
    for (int r = 1; r <= 400; ++r) g->SetCell(-2, r, "Zeile " + std::to_string(r));
    ASSERT_EQ(g->SecondLineObjectCount(), 400);
    // Every odd row forwards, then every row above 300 backwards.
    for (int r = 1; r <= 400; r += 2) g->ClearRowContents(r);
    for (int r = 400; r > 300; --r) g->ClearRowContents(r);
    ASSERT_EQ(g->SecondLineObjectCount(), 150);
    for (int i = 0; i < 150; ++i) {
        const int row = 2 + 2 * i;
        ASSERT_EQ(g->SecondLineObject(i), g->SecondLineOf(row)) << i;
        ASSERT_EQ(g->GetCell(-2, row), "Zeile " + std::to_string(row));
    }
    EXPECT_THROW(g->SecondLineObject(150), std::out_of_range);
    EXPECT_THROW(g->SecondLineObject(-1), std::out_of_range);
    // An object of this grid goes into column 0 of its own row only.
    TLongTextObject2* own = g->SecondLineOf(2);
    EXPECT_THROW(g->SetObjects(0, 4, own), EInvalidCast);
}

TEST(Views, AreMadeOnDemandAndShowCellsWrittenBefore) {
    Owned<T_StringGrid> g;
    g->SetCell(2, 3, "c23");
    g->SetCell(1, 3, "c13");
    T_StringGridStrings& row = g->Rows(3);
    EXPECT_EQ(row.Get(1), "c13");
    EXPECT_EQ(row.Get(2), "c23");
    EXPECT_EQ(g->Cols(2).Get(3), "c23");
    row.Put(4, "über die Zeile");
    EXPECT_EQ(g->GetCell(4, 3), "über die Zeile");
}

// A hook that writes another cell while its own write is under way.
class NestingGrid : public T_StringGrid {
public:
    explicit NestingGrid(TComponent* AOwner) : T_StringGrid(AOwner) {}
    void BeforeSetCell(int ACol, int ARow, std::string& Value) override {
        if (ACol == 1) SetCell(2, ARow, "neben " + Value);
        Value += "!";
    }
};

TEST(CellWrites, AHookMayWriteAnotherCellDuringTheWrite) {
    Owned<NestingGrid> g;
    const std::string long_text(100, 'x');
    g->SetCell(1, 1, long_text);
    EXPECT_EQ(g->GetCell(1, 1), long_text + "!");
    EXPECT_EQ(g->GetCell(2, 1), "neben " + long_text + "!");
    g->SetCell(1, 2, "kurz");
    EXPECT_EQ(g->GetCell(1, 2), "kurz!");
    EXPECT_EQ(g->GetCell(2, 2), "neben kurz!");
    // Inside the update flag the hook stays silent and the text is stored as given.
    g->SetUpdating(true);
    g->SetCell(1, 3, "roh");
    g->SetUpdating(false);
    EXPECT_EQ(g->GetCell(1, 3), "roh");
    EXPECT_EQ(g->GetCell(2, 3), "");
}

std::string PositionsText(int Rows) {
    TDataGrid* source = Create<TDataGrid>(nullptr);
    BuildSourceGridColumns(*source);
    source->Clear();
    source->BeginUpdate();
    source->SetRowCount(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 0; c < source->ColCount(); ++c)
            if ((r + c) % 3 != 0) source->SetCell(c, r, "Wert \"" + std::to_string(r * 100 + c) + "\" 50%");
        if (r % 4 == 0) source->SetCell(-2, r, "Zeile 1\r\nZeile 2 ß");
    }
    source->EndUpdate(false);
    TStringStream out("");
    EXPECT_TRUE(source->SaveToStream(out));
    source->Free();
    return out.DataString();
}

TEST(LargeLoad, ClearAndLoadAgainGiveTheSameText) {
    const std::string text = PositionsText(3000);
    Owned<TDataGrid> g;
    BuildSourceGridColumns(*g);
    for (int round = 0; round < 2; ++round) {
        g->Clear();
        TStringStream in(text);
        ASSERT_TRUE(g->LoadFromStream(in));
        EXPECT_EQ(g->RowCount(), 3001);
        EXPECT_EQ(g->SecondLineObjectCount(), 3000);
        TStringStream out("");
        ASSERT_TRUE(g->SaveToStream(out));
        EXPECT_EQ(out.DataString(), text) << round;
    }
    g->Clear();
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->SecondLineObjectCount(), 0);
}

}  // namespace
