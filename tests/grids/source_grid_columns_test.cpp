// The 16 position columns of the hidden import grid. Their names and kinds
// are checked byte for byte by the positions round trips; here what they
// add to the grid.
#include "grids/source_grid_columns.h"

#include <gtest/gtest.h>

#include "grids/data_grid.h"

namespace {

struct Built {
    TDataGrid* g = Create<TDataGrid>(nullptr);
    Built() { BuildSourceGridColumns(*g); }
    ~Built() { g->Free(); }
};

TEST(SourceGridColumns, MasksFontsAndHiddenColumns) {
    Built b;
    TDataGrid& g = *b.g;
    EXPECT_EQ(g.Columns().Items(9)->EditMask(), "#######.00");
    EXPECT_EQ(g.Columns().Items(9)->DisplayMask(), "#######.00 'DM'");
    EXPECT_EQ(g.Columns().Items(10)->PickList().Text(), "8 %\r\n16 %\r\n");
    EXPECT_TRUE(g.Columns().Items(11)->ReadOnly());
    for (int i : {11, 12, 13, 14}) EXPECT_EQ(g.ColWidths(i), -1) << i;
    EXPECT_EQ(g.Columns().Items(2)->Title().Caption(), "St\xFC" "ck");
    EXPECT_EQ(g.Columns().Items(2)->Font().Color(), clMaroon);
    EXPECT_EQ(g.Columns().Items(2)->Title().Font().Color(), clNavy);
    EXPECT_FALSE(g.Columns().Items(14)->AssignedValues() & cvFont);
    EXPECT_EQ(g.Columns().Items(14)->Color(), TColor{15138815});
}

TEST(SourceGridColumns, StoreSecondLinesAndBuildAgainFromScratch) {
    Built b;
    EXPECT_TRUE(b.g->UseSecondLine());
    EXPECT_EQ(b.g->FixedRows(), 1);
    EXPECT_EQ(b.g->FixedCols(), 1);
    b.g->Columns().Items(3)->SetFieldName("anders");
    b.g->Columns().Items(3)->SetColor(clRed);
    BuildSourceGridColumns(*b.g);
    ASSERT_EQ(b.g->ColCount(), 16);
    EXPECT_EQ(b.g->Columns().Items(3)->FieldName(), "Einheit");
    EXPECT_FALSE(b.g->Columns().Items(3)->AssignedValues() & cvColor);
}

}  // namespace
