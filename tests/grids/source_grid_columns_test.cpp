// The 16 position columns of the hidden import grid, checked column by
// column against the table they are specified by.
#include "grids/source_grid_columns.h"

#include <gtest/gtest.h>

#include "grids/data_grid.h"

namespace {

enum Font { FollowsGrid, Maroon, Black };

struct Expected {
    const char* field;
    const char* title;
    TColumnFormat format;
    TEditDataType_ kind;
    int width;
    TAlignment alignment;
    bool limit, intern, read_only, button;
    const char* edit_mask;
    const char* display_mask;
    int precision, digits;
    Font font;
};

constexpr TAlignment L = taLeftJustify, R = taRightJustify;

// field, title, format, kind, width, alignment, LimitToList, Intern, ReadOnly,
// ButtonExists, EditMask, DisplayMask, precision, digits, font
const Expected kTable[16] = {
    {"TColumn-1", "", cfString, deInteger, 10, L, true, true, false, true, "", "", 2, 2, FollowsGrid},
    {"Pos.", "Pos.", cfString, deCurrency, 29, L, false, false, false, false, "", "", 2, 2, Black},
    {"Stueck", "Stück", cfNumber, deCurrency, 43, R, false, false, false, false, "", "", 2, 2, Maroon},
    {"Einheit", "Einheit", cfcombo, deInteger, 41, R, false, false, false, true, "", "", 2, 2, Maroon},
    {"Bezeichnung1", "Bezeichnung1", cfdblocate, deInteger, 52, R, false, false, false, true, "", "", 2, 2, Maroon},
    {"Bezeichnung2", "Bezeichnung2", cfdblocate, deInteger, 45, R, false, false, false, true, "", "", 2, 2, Maroon},
    {"BestellNummer", "BestellNummer", cfdblocate, deInteger, 49, R, true, false, false, true, "", "", 2, 2, Maroon},
    {"Seriennummer", "Seriennummer", cfString, deCurrency, 43, R, true, false, false, false, "", "", 2, 2, Maroon},
    {"Artikelnummer", "Artikelnummer", cfdblocate, deInteger, 38, R, true, false, false, true, "", "", 2, 2, Maroon},
    {"Einzelbetrag", "Preis", cfNumber, deCurrency, 41, L, false, false, false, false, "#######.00",
     "#######.00 'DM'", 20, 2, Maroon},
    {"Steuer", "Steuer", cfcombo, deFloat, 25, L, false, false, false, true, "##.00", "##.00 '%'", 2, 2, Maroon},
    {"SummeBetrag", "Summe", cfNumber, deCurrency, -1, L, false, false, true, false, "#######.00", "#######.00 'DM'",
     20, 2, Maroon},
    {"intern", "", cfString, deInteger, -1, L, false, true, false, true, "", "", 2, 2, Maroon},
    {"ID_Artikel", "", cfString, deInteger, -1, L, false, true, false, true, "", "", 2, 2, Maroon},
    {"benutzer", "", cfString, deCurrency, -1, L, false, false, false, true, "", "", 20, 20, FollowsGrid},
    {"Rabatt", "Rabatt", cfcombo, deFloat, 47, L, true, false, false, true, "", "##.0 '%'", 2, 2, Maroon},
};

struct Built {
    TDataGrid* g = Create<TDataGrid>(nullptr);
    Built() { BuildSourceGridColumns(*g); }
    ~Built() { g->Free(); }
};

TEST(SourceGridColumns, MatchTheTableColumnByColumn) {
    Built b;
    TDataGrid& g = *b.g;
    ASSERT_EQ(g.Columns().Count(), 16);
    ASSERT_EQ(g.ColCount(), 16);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const Expected& e = kTable[i];
        TColumn& c = *g.Columns().Items(i);
        EXPECT_EQ(c.FieldName(), e.field);
        EXPECT_EQ(c.Title().Caption(), e.title);
        EXPECT_EQ(c.Format(), e.format);
        EXPECT_EQ(c.NumericKind(), e.kind);
        EXPECT_EQ(c.Width(), e.width);
        EXPECT_EQ(g.ColWidths(i), e.width);
        EXPECT_EQ(c.Alignment(), e.alignment);
        EXPECT_EQ(c.LimitToList(), e.limit);
        EXPECT_EQ(c.Intern(), e.intern);
        EXPECT_EQ(c.ReadOnly(), e.read_only);
        EXPECT_EQ(c.ButtonExists(), e.button);
        EXPECT_EQ(c.EditMask(), e.edit_mask);
        EXPECT_EQ(c.DisplayMask(), e.display_mask);
        EXPECT_EQ(c.NumericPrecision(), e.precision);
        EXPECT_EQ(c.NumericDigits(), e.digits);
        EXPECT_EQ(c.CheckField() || c.Streaming() || c.ButtonStyle() != cbsAuto, false);
        EXPECT_EQ(c.HasPickList(), i == 10);
        EXPECT_EQ(c.Color(), i == 14 ? TColor{15138815} : g.Color());
        switch (e.font) {
            case FollowsGrid:
                EXPECT_FALSE(c.AssignedValues() & cvFont);
                EXPECT_EQ(c.Font().Name(), g.Font().Name());
                break;
            case Maroon:
            case Black:
                EXPECT_EQ(c.Font().Name(), "Arial");
                EXPECT_EQ(c.Font().Height(), -11);
                EXPECT_EQ(c.Font().Color(), e.font == Maroon ? clMaroon : clBlack);
                EXPECT_EQ(c.Title().Font().Name(), "Arial");
                EXPECT_EQ(c.Title().Font().Color(), e.font == Maroon ? clNavy : clBlack);
                break;
        }
    }
    EXPECT_EQ(g.Columns().Items(10)->PickList().Text(), "8 %\r\n16 %\r\n");
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
