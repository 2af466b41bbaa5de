// Columns of the positions grid: default names, widths, values that follow
// the grid until assigned, Assign/RestoreDefaults and item life cycle.
#include "grids/column.h"

#include <gtest/gtest.h>

#include <vector>

#include "grids/data_grid.h"
#include "tests/grids/grid_test_support.h"

namespace {

struct Grid : grid_test::Owned<TDataGrid> {
    TColumn& Column(int i) const { return *g->Columns().Items(i); }
};

TEST(ColumnNames, DefaultNamesAndBlanks) {
    Grid g;
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
    Grid g;
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

TEST(ColumnValues, ReadOnlyFollowsGoEditingAndFormatEmptiesDisplayMask) {
    Grid g;
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
}

TEST(ColumnValues, FontAndColorFollowTheGridUntilTheyAreTheColumnsOwn) {
    Grid g;
    TColumn& c = g.Column(1);
    g->Font().SetName("Courier New");
    g->SetColor(clYellow);
    EXPECT_EQ(c.Title().Font().Name(), "Courier New");
    EXPECT_EQ(c.Color(), clYellow);
    EXPECT_EQ(c.AssignedValues(), 0);
    c.Font().SetHeight(-20);
    c.SetColor(clAqua);
    g->Font().SetName("Tahoma");
    g->SetColor(clWhite);
    EXPECT_EQ(c.Font().Name() + "/" + c.Title().Font().Name(), "Courier New/Tahoma");
    EXPECT_EQ(c.Color(), clAqua);
    EXPECT_EQ(c.AssignedValues(), cvFont | cvColor);

    auto* menu = Create<TComponent>(nullptr);
    g.Column(3).SetPopupMenu(menu);
    menu->Free();
    EXPECT_EQ(g.Column(3).PopupMenu(), nullptr);
}

TEST(ColumnAssign, CopiesTheListedFieldsOnly) {
    Grid g;
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
}

TEST(ColumnAssign, RestoreDefaultsClearsMarksAndFreesThePickList) {
    Grid g;
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
    Grid g;
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

}  // namespace
