// The positions grid without a window: field-name lookup, Clear, the update
// bracket and its hooks, property clamps, column synchronisation, the drag
// captions and pictures.
#include "grids/data_grid.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "grids/source_grid_columns.h"
#include "tests/grids/grid_test_support.h"

using namespace grid_test;

namespace {

using Grid = Owned<TDataGrid>;

struct Write {
    int col, row;
    std::string field;
    bool operator==(const Write&) const = default;
};

void RecordWrites(TDataGrid* g, std::vector<Write>& log) {
    g->OnAfterCellWrite = [&log](TObject*, int c, int r, const std::string& f) { log.push_back({c, r, f}); };
}

TEST(DataGridFind, MatchesFieldNamesWithoutRegardToCase) {
    PositionsGrid g;
    EXPECT_EQ(g->FindColumnByFieldName("artikelnummer"), 8);
    EXPECT_EQ(g->FindColumnByFieldName("ARTIKELNUMMER"), 8);
    EXPECT_EQ(g->FindColumnByFieldName("Pos."), 1);
    EXPECT_EQ(g->FindColumnByFieldName("TColumn-1"), 0);
    EXPECT_EQ(g->FindColumnByFieldName("xyz"), -1);
    EXPECT_EQ(g->FindColumnByFieldName(""), -1);
    g->Columns().Items(3)->SetFieldName("Stueck");
    EXPECT_EQ(g->FindColumnByFieldName("Stueck"), 2);
    EXPECT_EQ(g->FindColumnByFieldName("Einheit"), -1);
    // CP1252 letters are upper-cased too.
    g->Columns().Items(5)->SetFieldName("Größe");
    EXPECT_EQ(g->FindColumnByFieldName("GRÖßE"), 5);
    EXPECT_EQ(g->FindColumnByFieldName("größe"), 5);
    EXPECT_EQ(g->FindColumnByFieldName("GROSSE"), -1);
}

TEST(DataGridClear, EmptiesEveryDataRowBeforeLoweringRowCount) {
    PositionsGrid g;
    g->SetRowCount(11);
    for (int r = 1; r <= 10; ++r) {
        for (int c = 0; c < 16; ++c) g->SetCell(c, r, std::string("v").append(std::to_string(c)));
        g->SetCell(-2, r, "zweite Zeile " + std::to_string(r));
        g->SetRowHeight(r, 34);
    }
    g->BookMarks().Add(4);
    g->MoveCurrent(false, 5, 7, true, false);

    EXPECT_TRUE(g->Clear());
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->RowHeights(1), 17);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->BookMarks().Count(), 0);
    EXPECT_FALSE(g->IsUpdating());
    EXPECT_EQ(g->Canvas().LockCount(), 0);
    EXPECT_TRUE(g->DrawingEnabled());
    EXPECT_EQ(g->SecondLineObjectCount(), 0);

    g->SetRowCount(11);
    for (int r = 1; r <= 10; ++r) {
        for (int c = 0; c < 16; ++c) EXPECT_EQ(g->GetCell(c, r), "") << c << "," << r;
        EXPECT_EQ(g->GetCell(-2, r), "") << r;
        EXPECT_EQ(g->RowHeights(r), 17) << r;
    }
}

TEST(DataGridUpdate, OneEndUpdateEndsAnyNumberOfBeginUpdatesAndMayRelayout) {
    PositionsGrid g;
    g->BeginUpdate();
    g->BeginUpdate();
    EXPECT_TRUE(g->IsUpdating());
    EXPECT_EQ(g->Canvas().LockCount(), 2);
    EXPECT_FALSE(g->DrawingEnabled());
    g->EndUpdate(false);
    EXPECT_FALSE(g->IsUpdating());
    EXPECT_EQ(g->Canvas().LockCount(), 0);
    EXPECT_TRUE(g->DrawingEnabled());
    // A second EndUpdate changes nothing.
    g->EndUpdate(true);
    EXPECT_FALSE(g->IsUpdating());

    // EndUpdate(true) lays out again and makes the first cell current.
    g->MoveCurrent(false, 4, 3, true, false);
    g->BeginUpdate();
    g->EndUpdate(false);
    EXPECT_EQ(g->Col(), 4);
    g->BeginUpdate();
    g->EndUpdate(true);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
}

TEST(DataGridHooks, CellWritesFireWithTheFieldNameOutsideTheBracketOnly) {
    PositionsGrid g;
    std::vector<Write> log;
    RecordWrites(g.g, log);
    g->BeginUpdate();
    g->SetCell(3, 1, "x");
    g->SetCell(-2, 1, "y");
    g->EndUpdate(false);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(g->GetCell(3, 1), "x");

    g->SetCell(3, 1, "Stk");
    g->SetCell(0, 1, "d");
    g->SetCell(-2, 1, "z");
    g->SetCell(15, 2, "5");
    EXPECT_EQ(log, (std::vector<Write>{{3, 1, "Einheit"}, {15, 2, "Rabatt"}}));

    // A throwing handler does not undo the write.
    g->OnAfterCellWrite = [](TObject*, int, int, const std::string&) { throw std::bad_alloc(); };
    EXPECT_NO_THROW(g->SetCell(2, 1, "3"));
    EXPECT_EQ(g->GetCell(2, 1), "3");
}

TEST(DataGridHooks, EditorClosingReportsTheFieldNameOfDataColumnsOnly) {
    PositionsGrid g;
    std::vector<Write> log;
    g->OnAfterCellEdit = [&log](TObject*, int c, int r, const std::string& f, bool) { log.push_back({c, r, f}); };
    g->AfterCellEdit(-1, -1, "", true);
    g->AfterCellEdit(0, 1, "", true);
    g->AfterCellEdit(9, 2, "", false);
    g->BeginUpdate();
    g->AfterCellEdit(3, 1, "", true);
    g->EndUpdate(false);
    EXPECT_EQ(log, (std::vector<Write>{{9, 2, "Einzelbetrag"}}));
}

TEST(DataGridHooks, BeforeSetCellOnlyForDecimalColumnsAndOutsideTheBracket) {
    PositionsGrid g;
    std::vector<Write> seen;
    g->OnBeforeSetcell = [&](TObject*, int c, int r, std::string& v, const std::string& f) {
        seen.push_back({c, r, f});
        v = "[" + v + "]";
    };
    g->SetCell(2, 1, "1,5");   // Stueck: deCurrency
    g->SetCell(10, 1, "16");   // Steuer: deFloat
    g->SetCell(3, 1, "Stk");   // Einheit: deInteger
    g->BeginUpdate();
    g->SetCell(9, 1, "2,00");  // silent in the bracket
    g->EndUpdate(false);
    EXPECT_EQ(seen, (std::vector<Write>{{2, 1, "Stueck"}, {10, 1, "Steuer"}}));
    EXPECT_EQ(g->GetCell(2, 1), "[1,5]");
    EXPECT_EQ(g->GetCell(3, 1), "Stk");
    EXPECT_EQ(g->GetCell(9, 1), "2,00");
}

TEST(DataGridProperties, MaxSecondHeightAndRowCountMinAreClamped) {
    Grid g;
    EXPECT_EQ(g->MaxSecondHeight(), 100);
    g->SetMaxSecondHeight(20);
    EXPECT_EQ(g->MaxSecondHeight(), 50);
    g->SetMaxSecondHeight(500);
    EXPECT_EQ(g->MaxSecondHeight(), 100);
    g->SetMaxSecondHeight(70);
    EXPECT_EQ(g->MaxSecondHeight(), 70);

    g->SetRowCount(2);
    g->SetRowCountMin(-3);
    EXPECT_EQ(g->RowCountMin(), 0);
    EXPECT_EQ(g->RowCount(), 2);
    g->SetRowCountMin(9);
    EXPECT_EQ(g->RowCount(), 9);
    g->SetRowCountMin(4);
    EXPECT_EQ(g->RowCount(), 9);
}

TEST(DataGridProperties, EditorDataSetIsForgottenWhenFreed) {
    Grid g;
    auto* data = Create<TComponent>(nullptr);
    g->SetEditorDataSet(data);
    EXPECT_EQ(g->EditorDataSet(), data);
    data->Free();
    EXPECT_EQ(g->EditorDataSet(), nullptr);
}

TEST(DataGridColumns, FollowColCount) {
    Grid g;
    ASSERT_EQ(g->ColCount(), 5);
    ASSERT_EQ(g->Columns().Count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g->Columns().Items(i)->FieldName(), "TColumn-" + std::to_string(i + 1));
    g->SetColCount(7);
    ASSERT_EQ(g->Columns().Count(), 7);
    EXPECT_EQ(g->Columns().Items(5)->FieldName(), "TColumn-6");
    EXPECT_EQ(g->Columns().Items(6)->FieldName(), "TColumn-7");
    g->Columns().Add();
    EXPECT_EQ(g->ColCount(), 8);
    EXPECT_EQ(g->Columns().Count(), 8);
    g->SetColCount(3);
    EXPECT_EQ(g->Columns().Count(), 3);
    EXPECT_EQ(g->Columns().Items(2)->FieldName(), "TColumn-3");
}

TEST(DataGridColumns, AssigningAColumnCollectionCopiesIt) {
    PositionsGrid source;
    Grid g;
    g->SetColumns(&source->Columns());
    ASSERT_EQ(g->Columns().Count(), 16);
    EXPECT_EQ(g->ColCount(), 16);
    EXPECT_EQ(g->FindColumnByFieldName("Rabatt"), 15);
    EXPECT_EQ(g->Columns().Items(10)->DisplayMask(), "##.00 '%'");
}

TEST(DataGridEditFormat, IsTheCurrentColumnsEditMask) {
    PositionsGrid g;
    std::string mask = "x";
    g->MoveCurrent(false, 9, 1, true, false);
    g->GetEditFormat(mask);
    EXPECT_EQ(mask, "#######.00");
    g->MoveCurrent(false, 3, 1, true, false);
    g->GetEditFormat(mask);
    EXPECT_EQ(mask, "");
}

TEST(DataGridMessages, TheHookRunsAfterEveryMessage) {
    Grid g;
    std::vector<UINT> seen;
    g->SetMessageHook([&](TDataGrid* grid, IInplaceEditor*, TMessage& m) {
        EXPECT_EQ(grid, g.g);
        seen.push_back(m.Msg);
    });
    g->Perform(WM_USER + 77, 0, 0);
    g->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 77, CM_MOUSEENTER}));
    EXPECT_FALSE(g->HandleAllocated());
}

TEST(DataGridRowImage, CaptionRulesAndHook) {
    EXPECT_EQ(RowImageCaption("3", "Schraube"), "    Pos.3 Schraube");
    EXPECT_EQ(RowImageCaption("", ""), "    Verschieben..");
    EXPECT_EQ(RowImageCaption("", "Text"), "    Text");
    EXPECT_EQ(RowImageCaption("3", ""), "    Pos.3");
    EXPECT_EQ(RowImageCaption("", "  Text  "), "    Text");
    EXPECT_EQ(RowImageCaption("3", "x", [](std::string& c) { c.clear(); }), "    Verschieben..");

    PositionsGrid g;
    g->SetCell(1, 1, "3");
    g->SetCell(4, 1, "Schraube");
    EXPECT_EQ(g->RowImageCaptionOf(1), "    Pos.3 Schraube");
    g->SetRowImageCaptionHook([](TDataGrid*, int row, std::string& c) { c += " #" + std::to_string(row); });
    EXPECT_EQ(g->RowImageCaptionOf(1), "    Pos.3 Schraube #1");
}

TEST(DataGridRowImage, PicturesFillWithTheFixedColourAndDrawTheCaption) {
    PositionsGrid g;
    g->SetFixedColor(RGBColor(200, 210, 220));
    g->SetCell(1, 1, "3");
    g->SetCell(4, 1, "Schraube");
    TBitmap target(120, 20);
    g->DrawRowImage(target.Canvas(), 1, RECT{0, 0, 120, 20}, 0);
    EXPECT_EQ(target.Pixel(119, 0), RGBColor(200, 210, 220));
    int ink = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x) ink += target.Pixel(x, y) != RGBColor(200, 210, 220);
    EXPECT_GT(ink, 20);
    // Nothing is drawn left of the four leading blanks.
    for (int y = 0; y < 20; ++y) EXPECT_EQ(target.Pixel(1, y), RGBColor(200, 210, 220));

    TBitmap title(80, 30);
    g->DrawColumnImage(title.Canvas(), 4, 0, RECT{0, 0, 80, 30}, 0);
    EXPECT_EQ(title.Pixel(79, 29), RGBColor(200, 210, 220));
    EXPECT_FALSE(g->HandleAllocated());
}

TEST(DataGridRowImage, TheSharedPictureOutlivesOneOfTwoGrids) {
    TBitmap target(60, 17);
    {
        Grid first;
        Grid second;
        first->DrawRowImage(target.Canvas(), 1, RECT{0, 0, 60, 17}, 0);
        first.g->Free();
        first.g = nullptr;
        second->DrawRowImage(target.Canvas(), 1, RECT{0, 0, 60, 17}, 0);
    }
    Grid third;
    third->DrawRowImage(target.Canvas(), 1, RECT{0, 0, 60, 17}, 0);
    EXPECT_EQ(target.Pixel(59, 0), ColorToRGB(third->FixedColor()));
}

}  // namespace

namespace {

// Each column holds its own field name in row 1; whatever moves or removes a
// column must keep every field name over its own cells.
TEST(DataGridColumns, FieldNamesGoWithTheirCells) {
    struct Case {
        const char* what;
        void (*change)(TDataGrid&);
    };
    const Case cases[] = {
        {"DeleteColumn", [](TDataGrid& g) { g.DeleteColumn(3); }},
        {"MoveColumn", [](TDataGrid& g) { g.MoveColumn(3, 12); }},
        {"MoveColumn back", [](TDataGrid& g) { g.MoveColumn(12, 2); }},
        {"freeing a middle column", [](TDataGrid& g) { g.Columns().Items(3)->Free(); }},
        {"SetIndex", [](TDataGrid& g) { g.Columns().Items(3)->SetIndex(12); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PositionsGrid g;
        for (int col = 0; col < 16; ++col) g->SetCell(col, 1, g->Columns().Items(col)->FieldName());
        c.change(*g);
        ASSERT_EQ(g->Columns().Count(), g->ColCount());
        for (int col = 0; col < g->ColCount(); ++col)
            EXPECT_EQ(g->GetCell(col, 1), g->Columns().Items(col)->FieldName()) << col;
        EXPECT_EQ(g->FindColumnByFieldName("Einheit") < 0, g->ColCount() == 15);
    }
}

// Cells stored at or past RowCount belong to no order: Clear and a load
// empty them as they empty the rows below RowCount.
TEST(DataGridClear, RowsPastRowCountAreEmptiedByClearAndLoad) {
    for (bool load : {false, true}) {
        SCOPED_TRACE(load ? "LoadFromStream" : "Clear");
        PositionsGrid g;
        g->SetRowCount(3);
        g->SetCell(4, 8, "alter Auftrag");
        g->SetCell(-2, 9, "alte zweite Zeile");
        if (load) {
            PositionsGrid source;
            source->SetCell(4, 1, "neu");
            TStringStream in(Save(*source));
            ASSERT_TRUE(g->LoadFromStream(in));
            EXPECT_EQ(g->GetCell(4, 1), "neu");
        } else {
            ASSERT_TRUE(g->Clear());
        }
        g->SetRowCount(12);
        EXPECT_EQ(g->GetCell(4, 8), "");
        EXPECT_EQ(g->GetCell(-2, 9), "");
        EXPECT_EQ(g->SecondLineOf(9), nullptr);
    }
}

}  // namespace
