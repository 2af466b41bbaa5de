// The positions grid and its columns without a window: field-name lookup,
// Clear, the update bracket and its hooks, property clamps, columns and their
// cells, column names, widths, values that follow the grid until assigned,
// Assign/RestoreDefaults, item life cycle, and the drag captions and pictures.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "framework/menus.h"
#include "grids/column.h"
#include "grids/data_grid.h"
#include "tests/grids/grid_test_support.h"

using namespace grid_test;

namespace {

using Grid = Owned<TDataGrid>;

struct Write {
    int col, row;
    std::string field;
    bool operator==(const Write&) const = default;
};

TEST(DataGridFind, MatchesFieldNamesWithoutRegardToCase) {
    PositionsGrid g;
    const std::pair<const char*, int> cases[] = {{"artikelnummer", 8}, {"ARTIKELNUMMER", 8}, {"TColumn-1", 0},
                                                 {"xyz", -1},          {"", -1}};
    for (const auto& [name, col] : cases) EXPECT_EQ(g->FindColumnByFieldName(name), col) << name;
    g->Columns().Items(3)->SetFieldName("Stueck");
    EXPECT_EQ(g->FindColumnByFieldName("Stueck"), 2);  // the first of two
    g->Columns().Items(5)->SetFieldName("Gr\xF6\xDF" "e");
    EXPECT_EQ(g->FindColumnByFieldName("GR\xD6\xDF" "E"), 5);
    EXPECT_EQ(g->FindColumnByFieldName("GROSSE"), -1);
}

TEST(DataGridClear, EmptiesEveryDataRow) {
    PositionsGrid g;
    g->SetRowCount(11);
    for (int r = 1; r <= 10; ++r) {
        for (int c = 0; c < 16; ++c) g->SetCell(c, r, "v");
        g->SetCell(-2, r, "zweite Zeile");
        g->SetRowHeight(r, 34);
    }
    g->BookMarks().Add(4);
    g->MoveCurrent(false, 5, 7, true, false);
    EXPECT_TRUE(g->Clear());
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Current(), (TGridCoord{1, 1, false}));
    EXPECT_EQ(g->BookMarks().Count() + g->Canvas().LockCount() + g->SecondLineObjectCount(), 0);
    EXPECT_FALSE(g->IsUpdating());
    g->SetRowCount(11);
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(RowText(*g, r) + std::to_string(g->RowHeights(r)), "17") << r;
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

TEST(DataGridUpdate, OneEndUpdateEndsAnyNumberOfBeginUpdates) {
    PositionsGrid g;
    g->MoveCurrent(false, 4, 3, true, false);
    g->BeginUpdate();
    g->BeginUpdate();
    EXPECT_EQ(g->Canvas().LockCount(), 2);
    g->EndUpdate(false);
    EXPECT_FALSE(g->IsUpdating());
    EXPECT_EQ(g->Canvas().LockCount(), 0);
    EXPECT_TRUE(g->DrawingEnabled());
    EXPECT_EQ(g->Col(), 4);
    g->BeginUpdate();
    g->EndUpdate(true);  // lays out again: the first cell is current
    EXPECT_EQ(g->Current(), (TGridCoord{1, 1, false}));
}

TEST(DataGridHooks, CellHooksCarryFieldNamesOutsideTheBracketOnly) {
    PositionsGrid g;
    std::vector<Write> written, before;
    g->OnAfterCellWrite = [&](TObject*, int c, int r, const std::string& f) { written.push_back({c, r, f}); };
    g->OnBeforeSetcell = [&](TObject*, int c, int r, std::string& v, const std::string& f) {
        before.push_back({c, r, f});
        v = "[" + v + "]";
    };
    g->BeginUpdate();
    g->SetCell(9, 1, "2,00");
    g->SetCell(-2, 1, "y");
    g->EndUpdate(false);
    EXPECT_EQ(g->GetCell(9, 1), "2,00");
    g->SetCell(2, 1, "1,5");   // Stueck: deCurrency
    g->SetCell(10, 1, "16");   // Steuer: deFloat
    g->SetCell(3, 1, "Stk");   // Einheit: deInteger
    g->SetCell(0, 1, "d");
    g->SetCell(-2, 1, "z");
    EXPECT_EQ(before, (std::vector<Write>{{2, 1, "Stueck"}, {10, 1, "Steuer"}}));
    EXPECT_EQ(written, (std::vector<Write>{{2, 1, "Stueck"}, {10, 1, "Steuer"}, {3, 1, "Einheit"}}));
    EXPECT_EQ(g->GetCell(2, 1), "[1,5]");
    EXPECT_EQ(g->GetCell(3, 1), "Stk");

    // A throwing handler does not undo the write.
    g->OnAfterCellWrite = [](TObject*, int, int, const std::string&) { throw std::bad_alloc(); };
    EXPECT_NO_THROW(g->SetCell(3, 1, "m"));
    EXPECT_EQ(g->GetCell(3, 1), "m");

    std::vector<Write> closed;
    g->OnAfterCellEdit = [&](TObject*, int c, int r, const std::string& f, bool) { closed.push_back({c, r, f}); };
    g->AfterCellEdit(-1, -1, "", true);
    g->AfterCellEdit(0, 1, "", true);
    g->AfterCellEdit(9, 2, "", false);
    EXPECT_EQ(closed, (std::vector<Write>{{9, 2, "Einzelbetrag"}}));
}

TEST(DataGridProperties, ClampsEditFormatAndFreedDataSet) {
    PositionsGrid g;
    for (auto [set, stored] : {std::pair{20, 50}, {500, 100}, {70, 70}}) {
        g->SetMaxSecondHeight(set);
        EXPECT_EQ(g->MaxSecondHeight(), stored);
    }
    g->SetRowCount(2);
    g->SetRowCountMin(-3);
    EXPECT_EQ(g->RowCountMin(), 0);
    EXPECT_EQ(g->RowCount(), 2);
    g->SetRowCountMin(9);
    EXPECT_EQ(g->RowCount(), 9);

    std::string mask;
    g->MoveCurrent(false, 9, 1, true, false);
    g->GetEditFormat(mask);
    EXPECT_EQ(mask, "#######.00");

    auto* data = Create<TComponent>(nullptr);
    g->SetEditorDataSet(data);
    data->Free();
    EXPECT_EQ(g->EditorDataSet(), nullptr);
}

TEST(DataGridColumns, FollowColCountAndCopy) {
    Grid g;
    g->SetColCount(7);
    g->SetColCount(3);
    EXPECT_EQ(g->Columns().Count(), 3);
    PositionsGrid source;
    g->SetColumns(&source->Columns());
    EXPECT_EQ(g->ColCount(), 16);
    EXPECT_EQ(g->Columns().Items(10)->DisplayMask(), "##.00 '%'");
}

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

TEST(DataGridRowImage, CaptionRulesHookAndPictures) {
    const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
        {{"3", "Schraube"}, "    Pos.3 Schraube"}, {{"", ""}, "    Verschieben.."},
        {{"", "  Text  "}, "    Text"},           {{"3", ""}, "    Pos.3"}};
    for (const auto& [cells, caption] : cases) EXPECT_EQ(RowImageCaption(cells.first, cells.second), caption);
    EXPECT_EQ(RowImageCaption("3", "x", [](std::string& c) { c.clear(); }), "    Verschieben..");

    PositionsGrid g;
    g->SetCell(1, 1, "3");
    g->SetCell(4, 1, "Schraube");
    g->SetRowImageCaptionHook([](TDataGrid*, int row, std::string& c) { c += " #" + std::to_string(row); });
    EXPECT_EQ(g->RowImageCaptionOf(1), "    Pos.3 Schraube #1");
    // The pictures fill with the fixed colour and draw the caption.
    const TColor fixed = RGBColor(200, 210, 220);
    g->SetFixedColor(fixed);
    TBitmap target(120, 20);
    g->DrawRowImage(target.Canvas(), 1, RECT{0, 0, 120, 20}, 0);
    int ink = 0;
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(target.Pixel(1, y), fixed);  // the four leading blanks
        for (int x = 0; x < 120; ++x) ink += target.Pixel(x, y) != fixed;
    }
    EXPECT_GT(ink, 20);
    {  // the shared picture outlives one of two grids
        Grid other;
        other->DrawRowImage(target.Canvas(), 1, RECT{0, 0, 60, 17}, 0);
    }
    g->DrawColumnImage(target.Canvas(), 4, 0, RECT{0, 0, 80, 20}, 0);
    EXPECT_EQ(target.Pixel(79, 19), fixed);
    EXPECT_FALSE(g->HandleAllocated());
}

struct ColumnGrid : grid_test::Owned<TDataGrid> {
    TColumn& Column(int i) const { return *g->Columns().Items(i); }
};

TEST(ColumnNames, DefaultNamesAndBlanks) {
    ColumnGrid g;
    g->SetColCount(3);
    ASSERT_EQ(g->Columns().Count(), 3);
    TColumn* added = g->Columns().Add();
    EXPECT_EQ(added->FieldName(), "TColumn-4");
    EXPECT_EQ(added->InternalCol(), 3);
    EXPECT_EQ(g->ColCount(), 4);

    g->SetColCount(7);
    g.Column(5).SetFieldName("   ");
    EXPECT_EQ(g.Column(5).FieldName(), "TColumn-5");
    // The setter counts from 0 while the constructor counts from 1: a blanked
    // first column becomes "TColumn-0", not the stored "TColumn-1".
    g.Column(0).SetFieldName("");
    EXPECT_EQ(g.Column(0).FieldName(), "TColumn-0");
    // Blanks are kept in the field name but not in the display name.
    g.Column(1).SetFieldName(" Pos. ");
    EXPECT_EQ(g.Column(1).FieldName(), " Pos. ");
    EXPECT_EQ(g.Column(1).DisplayName(), "Pos.");
}

TEST(ColumnWidth, SmallWidthsBecomeTenAndNegativeOnesHide) {
    ColumnGrid g;
    TColumn& c = g.Column(2);
    for (auto [set, stored] : {std::pair{5, 10}, {0, 10}, {-1, -1}, {-5, -1}, {37, 37}}) {
        c.SetWidth(set);
        EXPECT_EQ(c.Width(), stored) << set;
        EXPECT_EQ(g->ColWidths(2), stored) << set;
    }
    // While loading the items are not synchronised with ColCount.
    g->BeginLoading();
    g->SetColCount(3);
    EXPECT_EQ(g->Columns().Count(), 5);
    EXPECT_EQ(g.Column(4).Width(), 10);
    g->EndLoading();
}

TEST(ColumnValues, FollowTheGridUntilTheyAreTheColumnsOwn) {
    ColumnGrid g;
    TColumn& c = g.Column(1);
    TColumn& own = g.Column(2);
    own.SetReadOnly(true);
    g->SetOptions(g->Options() & ~static_cast<TGridOptions>(goEditing));
    EXPECT_TRUE(c.ReadOnly());
    g->SetOptions(g->Options() | goEditing);
    EXPECT_FALSE(c.ReadOnly());
    EXPECT_TRUE(own.ReadOnly());

    c.SetFormat(cfNumber);
    c.SetDisplayMask("##.00 '%'");
    c.SetFormat(cfNumber);
    EXPECT_EQ(c.DisplayMask(), "##.00 '%'");
    c.SetFormat(cfcombo);
    EXPECT_EQ(c.DisplayMask(), "");
    // Font and colour follow the grid until they are the column's own.
    TColumn& f = g.Column(4);
    g->Font().SetName("Courier New");
    g->SetColor(clYellow);
    EXPECT_EQ(f.Title().Font().Name(), "Courier New");
    EXPECT_EQ(f.Color(), clYellow);
    EXPECT_EQ(f.AssignedValues(), 0);
    f.Font().SetHeight(-20);
    f.SetColor(clAqua);
    g->Font().SetName("Tahoma");
    g->SetColor(clWhite);
    EXPECT_EQ(f.Font().Name() + "/" + f.Title().Font().Name(), "Courier New/Tahoma");
    EXPECT_EQ(f.Color(), clAqua);
    EXPECT_EQ(f.AssignedValues(), cvFont | cvColor);

    auto* menu = Create<TPopupMenu>(nullptr);
    g.Column(3).SetPopupMenu(menu);
    menu->Free();
    EXPECT_EQ(g.Column(3).PopupMenu(), nullptr);
}

TEST(ColumnAssign, CopiesTheListedFieldsAndRestoreDefaultsClearsThem) {
    ColumnGrid g;
    TColumn& src = g.Column(1);
    src.SetFieldName("Steuer");
    src.SetColor(clRed);
    src.SetAlignment(taRightJustify);
    src.Title().SetCaption("St");
    src.SetDropDownRows(3);
    src.SetButtonStyle(cbsEllipsis);
    src.PickList().Add("8 %");
    src.SetWidth(25);
    src.SetEditMask("##.00");
    src.SetMaxLength(6);
    src.SetFormat(cfcombo);
    src.SetDisplayMask("##.00 '%'");
    src.SetNumericKind(deFloat);
    src.SetCheckField(true);
    src.SetIntern(true);

    TColumn& dst = g.Column(2);
    dst.Assign(&src);
    EXPECT_EQ(dst.FieldName() + "|" + dst.Title().Caption() + "|" + dst.EditMask() + "|" + dst.DisplayMask() + "|" +
                  dst.PickList().Text(),
              "Steuer|St|##.00|##.00 '%'|8 %\r\n");
    EXPECT_EQ((std::vector<int>{static_cast<int>(dst.Color()), dst.Alignment(), static_cast<int>(dst.DropDownRows()),
                                dst.ButtonStyle(), dst.Width(), dst.MaxLength(), dst.Format(), dst.NumericKind(),
                                dst.CheckField(), dst.Intern()}),
              (std::vector<int>{static_cast<int>(clRed), taRightJustify, 3, cbsEllipsis, 25, 6, cfcombo, deFloat, 0, 0}));
    src.PickList().Add("16 %");  // copied, not shared
    EXPECT_EQ(dst.PickList().Count(), 1);
    // RestoreDefaults clears the marks and frees the pick list.
    TColumn& c = g.Column(3);
    c.SetColor(clRed);
    c.SetAlignment(taCenter);
    c.SetReadOnly(true);
    c.Font().SetName("Arial");
    c.Title().SetCaption("X");
    c.Title().Font().SetName("Arial");
    c.SetButtonStyle(cbsNone);
    c.PickList().Add("a");
    c.SetLimitToList(true);
    c.SetFieldName("Einheit");
    c.RestoreDefaults();
    EXPECT_EQ(c.AssignedValues(), 0);
    EXPECT_EQ((std::vector<int>{c.Width(), c.ButtonStyle(), c.HasPickList(), c.LimitToList(), c.ReadOnly(),
                                c.Alignment(), c.Color() == g->Color()}),
              (std::vector<int>{20, cbsAuto, 0, 0, 0, taLeftJustify, 1}));
    EXPECT_EQ(c.Font().Name(), g->Font().Name());
    EXPECT_EQ(c.Title().Caption(), "");
    EXPECT_EQ(c.Title().Font().Name(), g->Font().Name());
    EXPECT_EQ(c.FieldName(), "TColumn-3");
}

TEST(ColumnLifeCycle, FreeingAnItemLowersColCountWithoutFreeingAnotherOne) {
    ColumnGrid g;
    TColumn* second = &g.Column(1);
    TColumn* third = &g.Column(2);
    TColumn* fifth = &g.Column(4);
    // The last item: a synchronisation that still saw it would free it twice.
    fifth->Free();
    EXPECT_EQ(g->Columns().Count(), 4);
    EXPECT_EQ(g->ColCount(), 4);
    third->Free();
    EXPECT_EQ(g->Columns().Count(), 3);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(&g.Column(1), second);
    EXPECT_EQ(g.Column(2).FieldName(), "TColumn-4");

    // Clearing the collection leaves the smallest grid.
    g->Columns().Clear();
    EXPECT_EQ(g->Columns().Count(), 0);
    EXPECT_EQ(g->ColCount(), 2);
    for (int i = 0; i < 3; ++i) g->Columns().Add();
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g.Column(0).FieldName(), "TColumn-1");
    EXPECT_EQ(g.Column(2).FieldName(), "TColumn-3");
}

// The 16 position columns of the hidden import grid (names and kinds are
// checked byte for byte by the positions round trips): building them again
// starts from scratch.
TEST(SourceGridColumns, StoreSecondLinesAndBuildAgainFromScratch) {
    grid_test::PositionsGrid b;
    EXPECT_TRUE(b->UseSecondLine());
    EXPECT_EQ(b->FixedRows(), 1);
    EXPECT_EQ(b->FixedCols(), 1);
    b->Columns().Items(3)->SetFieldName("anders");
    b->Columns().Items(3)->SetColor(clRed);
    BuildSourceGridColumns(*b);
    ASSERT_EQ(b->ColCount(), 16);
    EXPECT_EQ(b->Columns().Items(3)->FieldName(), "Einheit");
    EXPECT_FALSE(b->Columns().Items(3)->AssignedValues() & cvColor);
}

}  // namespace
