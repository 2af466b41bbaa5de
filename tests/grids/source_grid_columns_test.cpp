// The 16 position columns of the hidden import grid. Their names and kinds
// are checked byte for byte by the positions round trips; here the grid they
// make and that building again starts from scratch.
#include "grids/source_grid_columns.h"

#include <gtest/gtest.h>

#include "grids/data_grid.h"

namespace {

struct Built {
    TDataGrid* g = Create<TDataGrid>(nullptr);
    Built() { BuildSourceGridColumns(*g); }
    ~Built() { g->Free(); }
};

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
