// The positions grid on a real window (Xvfb): editor choice by column
// format, the keyboard row operations, drawing and the font settings.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "grids/inplace_editor.h"
#include "tests/framework/user_input.h"
#include "tests/grids/grid_test_support.h"

namespace {

using grid_test::RowText;

using grid_test::Pump;

// Counts the cells drawn.
class CountingGrid : public TDataGrid {
public:
    using TDataGrid::TDataGrid;
    int drawn = 0;
    void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) override {
        ++drawn;
        TDataGrid::DrawCell(ACol, ARow, Rect, State);
    }
};

class PositionsEditing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host_ = grid_test::MakeHostForm(800, 400); }
    static void TearDownTestSuite() { grid_test::FreeHostForm(host_); }

    void SetUp() override {
        g = Create<CountingGrid>(nullptr);
        BuildSourceGridColumns(*g);
        g->SetUseSecondLine(true);
        g->SetRowCount(5);
        for (int r = 1; r < 5; ++r) {
            g->SetCell(0, r, "d");
            g->SetCell(1, r, std::to_string(r));
            g->SetCell(4, r, "Artikel " + std::to_string(r));
            g->SetCell(-2, r, "Zweite " + std::to_string(r));
        }
        g->SetRowHeight(3, 30);
        g->SetParent(host_);
        g->SetBounds(0, 0, 780, 380);
        g->Show();
        Pump();
    }
    void TearDown() override { g->Free(); }

    // A key as the user presses it, to the grid or its open editor.
    void Key(WORD key, unsigned mods = user_input::kNone) {
        if (GetFocus() != g->Handle() && !IsChild(g->Handle(), GetFocus())) g->SetFocus();
        user_input::PressKey(key, mods);
    }
    void F2At(int col, int row) {
        g->HideEdit();
        g->MoveCurrent(false, col, row, true, true);
        Key(VK_F2);
    }

    static inline TForm* host_ = nullptr;
    CountingGrid* g = nullptr;
};

TEST_F(PositionsEditing, F2ChoosesTheEditorAndHintByColumnFormat) {
    struct Case {
        int col;
        const char* field;
        const char* hint;
    };
    const Case cases[] = {
        {1, "Pos.", "Beliebige Daten"},         {2, "Stueck", "Numerische Daten"},
        {3, "Einheit", "F2 F4"},                {4, "Bezeichnung1", "F2 F3"},
        {7, "Seriennummer", "Beliebige Daten"}, {10, "Steuer", "F2 F4"},
    };
    int comboSettings = 0;
    g->OnBeforeComboEditorSettings = [&](TObject*, int c, int, TI_InplaceComboEdit* e) {
        ++comboSettings;
        EXPECT_EQ(e, g->InplaceComboEdit());
        if (c == 10) {
            EXPECT_EQ(e->Items().Count(), 2);
            EXPECT_EQ(e->DropDownCount(), 3);
        }
    };
    for (const Case& c : cases) {
        ASSERT_EQ(g->Columns().Items(c.col)->FieldName(), c.field);
        F2At(c.col, 2);
        ASSERT_TRUE(g->EditorMode()) << c.field;
        EXPECT_EQ(g->InplaceEditor()->EditorControl().Hint(), c.hint) << c.field;
    }
    EXPECT_EQ(comboSettings, 2);
    F2At(2, 2);
    EXPECT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceFloatEdit()));
    F2At(4, 2);
    EXPECT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceGridEdit()));
    // The lookup button asks the external editor, through the posted request.
    std::string field;
    int row = -1;
    g->OnExternalDBGridEditor = [&](const std::string&, const std::string& f, int, int r, POINT, const TAppendRecord2&,
                                    TEditorDataSet*) { field = f, row = r; };
    g->InplaceGridEdit()->OnButtonClick(nullptr);
    EXPECT_EQ(field, "");
    Pump();
    EXPECT_EQ(field, "Bezeichnung1");
    EXPECT_EQ(row, 2);
    // A press into a row's second line opens the white second-line memo.
    const RECT cell = g->CellRect(4, 3);
    SendMessageA(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 5, cell.top + 22));
    SendMessageA(g->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 5, cell.top + 22));
    Pump();
    ASSERT_TRUE(g->EditorMode());
    EXPECT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceSecondEdit()));
    EXPECT_EQ(g->InplaceSecondEdit()->Hint(), "F8, F2/F4 bearbeiten");
    EXPECT_EQ(g->InplaceSecondEdit()->Color(), clWhite);
    EXPECT_EQ(g->InplaceEditor()->EditorText(), "Zweite 3");
}

TEST_F(PositionsEditing, FocusArrivingOnAHiddenColumnGoesToTheFirstShownOne) {
    g->MoveCurrent(false, 11, 2, true, true);  // "SummeBetrag", width -1
    ASSERT_EQ(g->ColWidths(11), -1);
    SetFocus(nullptr);
    g->SetFocus();
    Pump();
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
}

TEST_F(PositionsEditing, OpeningAnEditorReformatsOnlyNumbersOfNumberColumns) {
    g->SetCell(10, 2, "16 %");
    g->SetCell(7, 2, "00123");
    g->SetCell(9, 2, "1,5");
    g->SetCell(9, 3, "viel");
    struct Case {
        int col, row;
        const char* opens;
        const char* stored;
    };
    const Case cases[] = {
        {10, 2, "16 %", "16 %"}, {7, 2, "00123", "00123"}, {9, 2, "1,50", "1,5"}, {9, 3, "viel", "viel"},
    };
    for (const Case& c : cases) {
        F2At(c.col, c.row);
        ASSERT_TRUE(g->EditorMode());
        EXPECT_EQ(g->InplaceEditor()->EditorText(), c.opens);
        g->HideEdit();
        EXPECT_EQ(g->GetCell(c.col, c.row), c.stored);
    }
}

TEST_F(PositionsEditing, NumberEditorTakesTheColumnsKindPlacesAndButton) {
    g->Columns().Items(9)->SetButtonExists(true);
    struct Case {
        int col;
        TEditDataType_ kind;
        int precision, digits;
        bool button;
        TAlignment alignment;
    };
    const Case cases[] = {
        {2, deCurrency, 2, 2, false, taRightJustify},  // "Stueck"
        {9, deCurrency, 20, 2, true, taLeftJustify},   // "Einzelbetrag", given a button
    };
    for (const Case& c : cases) {
        F2At(c.col, 2);
        ASSERT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceFloatEdit())) << c.col;
        TI_InplaceFloatEdit* e = g->InplaceFloatEdit();
        EXPECT_EQ(e->DataType().Kind(), c.kind) << c.col;
        EXPECT_EQ(e->DataType().Precision(), c.precision) << c.col;
        EXPECT_EQ(e->DataType().Digits(), c.digits) << c.col;
        EXPECT_EQ(e->ButtonExist(), c.button) << c.col;
        EXPECT_EQ(e->Alignment(), c.alignment) << c.col;
        EXPECT_FALSE(e->CanCheck());
    }
}

TEST_F(PositionsEditing, TypingIntoANumberColumnReachesTheCellInTheColumnsForm) {
    struct Case {
        int col, digits;
        const char* typed;
        const char* stored;
    };
    // With two digits (as the positions columns have them) a padded number
    // no longer fits: the typed text stays, it never becomes "0".
    const Case cases[] = {
        {2, 8, "5", "5,00"}, {2, 8, "7,5", "7,50"}, {9, 8, "12", "12,00"}, {2, 8, "", ""},
        {2, 2, "7", "7"},    {2, 2, "100", "100"},  {2, 8, "7x", "7,00"},
    };
    g->SetFocus();
    for (const Case& c : cases) {
        g->Columns().Items(c.col)->SetNumericDigits(c.digits);
        g->HideEdit();
        g->MoveCurrent(false, c.col, 2, true, true);
        Key(VK_F2);
        ASSERT_TRUE(g->EditorMode());
        const HWND edit = g->InplaceFloatEdit()->Handle();
        ASSERT_EQ(GetFocus(), edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        user_input::PressKey(VK_DELETE);
        user_input::TypeText(c.typed);
        g->HideEdit();
        EXPECT_EQ(g->GetCell(c.col, 2), c.stored) << c.col << " " << c.digits << " " << c.typed;
    }
    // Opened and closed without typing: the cell keeps its text.
    g->SetCell(2, 3, "3");
    F2At(2, 3);
    g->HideEdit();
    EXPECT_EQ(g->GetCell(2, 3), "3");
}

TEST_F(PositionsEditing, CellsShowNumbersThroughTheDisplayMask) {
    bool forceSteuer = false, keepPreis = false;
    g->OnForceFormatThisCell = [&](int col, int, bool& force) {
        if (col == 10 && forceSteuer) force = true;
        if (col == 9 && keepPreis) force = false;
    };
    struct Case {
        int col;
        const char* stored;
        bool forceSteuer, keepPreis;
        const char* shown;
    };
    const Case cases[] = {
        {9, "12,5", false, false, "12,50 DM"}, {9, "viel", false, false, "viel"},
        {9, "12,5", false, true, "12,5"},      {10, "16 %", true, false, "16 %"},
        {10, "16", false, false, "16"},        {10, "16", true, false, "16,00 %"},
        {2, "3", false, false, "3"},           {9, "", false, false, ""},
    };
    for (const Case& c : cases) {
        g->SetCell(c.col, 2, c.stored);
        forceSteuer = c.forceSteuer;
        keepPreis = c.keepPreis;
        EXPECT_EQ(g->CellDisplayText(c.col, 2), c.shown) << c.col << " " << c.stored;
    }
}

TEST_F(PositionsEditing, WindowKeepsTheMinimumWidthOfItsColumns) {
    // Columns 0 and 1 (10 + 29) less one pixel for each of the 14 later ones.
    ASSERT_EQ(g->MinimumGridWidth(), 25);
    g->SetBounds(0, 0, 20, 200);
    EXPECT_EQ(g->Width(), 25);
    g->SetColWidth(1, 200);
    EXPECT_EQ(g->Width(), 196);
    g->SetColWidth(1, 29);
    g->SetBounds(0, 0, 30, 200);
    EXPECT_EQ(g->Width(), 30);
}

TEST_F(PositionsEditing, AppendInsertAndDeleteByKeyboard) {
    int before = 0, after = 0;
    g->BeforeInsert = [&](TObject*) { ++before; };
    g->AfterInsert = [&](TObject*) { ++after; };
    const std::string rows[5] = {"", RowText(*g, 1), RowText(*g, 2), RowText(*g, 3), RowText(*g, 4)};
    // Without the options the keys do nothing to the rows.
    g->MoveCurrent(false, 1, 4, true, true);
    Key(VK_DOWN);
    EXPECT_EQ(g->RowCount(), 5);
    g->SetDataGridOptions(dgoAppendRow | dgoInsertRow | dgoDeleteRow);
    Key(VK_DOWN);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Row(), 5);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(RowText(*g, 5), "");
    g->SetRowCount(5);

    g->MoveCurrent(false, 1, 2, true, true);
    Key(VK_INSERT, user_input::kCtrl);
    ASSERT_EQ(g->RowCount(), 6);
    EXPECT_EQ(RowText(*g, 2), "");
    EXPECT_EQ(g->RowHeights(2), 17);
    EXPECT_EQ(RowText(*g, 3), rows[2]);
    EXPECT_EQ(RowText(*g, 4), rows[3]);
    EXPECT_EQ(g->RowHeights(4), 30);
    EXPECT_EQ(RowText(*g, 5), rows[4]);
    EXPECT_EQ(g->Row(), 2);

    Key(VK_DELETE, user_input::kCtrl);
    ASSERT_EQ(g->RowCount(), 5);
    for (int r = 1; r < 5; ++r) EXPECT_EQ(RowText(*g, r), rows[r]) << r;
    EXPECT_EQ(g->RowHeights(3), 30);
    // The row that fell off stays empty: a later append shows nothing of it.
    g->MoveCurrent(false, 1, 3, true, true);
    Key(VK_DELETE, user_input::kCtrl);
    g->SetRowCount(5);
    EXPECT_EQ(RowText(*g, 4), "");
    EXPECT_EQ(g->RowHeights(4), 17);
    EXPECT_EQ(RowText(*g, 3), rows[4]);

    // Editing switched off blocks all three.
    g->SetEditReadOnly(true);
    for (WORD k : {VK_INSERT, VK_DELETE}) Key(k, user_input::kCtrl);
    g->MoveCurrent(false, 1, 4, true, true);
    Key(VK_DOWN);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(RowText(*g, 3), rows[4]);
}

COLORREF PixelAt(TBitmap& b, int x, int y) { return GetPixel(b.Canvas().Handle(), x, y); }

TEST_F(PositionsEditing, RowKindUnderlinesAndGridLinesHaveTheirPixels) {
    g->SetCell(0, 1, "dxp");
    g->SetCell(0, 2, "dxg");
    g->SetCell(0, 4, "*h");
    TBitmap shot;
    shot.SetSize(g->ClientWidth(), g->ClientHeight());
    SendMessageA(g->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
    const RECT red = g->CellRect(2, 1), green = g->CellRect(4, 2), kind = g->CellRect(0, 4);
    EXPECT_EQ(PixelAt(shot, (red.left + red.right) / 2, red.bottom - 1), 0x0000FFu);
    EXPECT_EQ(PixelAt(shot, (green.left + green.right) / 2, green.bottom - 1), 0x008000u);
    EXPECT_EQ(PixelAt(shot, kind.left + 1, kind.top + 1), 0x00FFFFu);
    // Data lines silver, fixed lines black.
    const RECT data = g->CellRect(2, 3), fixed = g->CellRect(0, 3);
    EXPECT_EQ(PixelAt(shot, data.right, data.top + 3), 0xC0C0C0u);
    EXPECT_EQ(PixelAt(shot, fixed.right, fixed.top + 3), 0x000000u);
}

TEST_F(PositionsEditing, SecondLineIsOneBandUnderTheCellsWithTheRowsUnderline) {
    g->SetCell(0, 3, "dxp");  // row 3 is 30 high: a second line below the first
    g->SetLeftStartSecond(1);
    g->SetRightEndSecond(g->ColCount() - 1);
    g->MoveCurrent(false, 2, 3, true, true);
    TBitmap shot;
    shot.SetSize(g->ClientWidth(), g->ClientHeight());
    SendMessageA(g->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
    const RECT cell = g->CellRect(2, 3), blank = g->CellRect(3, 4);
    const int band = cell.top + g->DefaultRowHeight() + 4;
    const COLORREF background = PixelAt(shot, blank.left + 2, blank.bottom - 3);
    ASSERT_EQ(PixelAt(shot, cell.left + 2, cell.top + 2), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(shot, cell.left + 2, band), background);  // no highlight below the first line
    EXPECT_EQ(PixelAt(shot, cell.right, band), background);     // no column line through the band
    EXPECT_EQ(PixelAt(shot, cell.right, cell.bottom - 1), 0x0000FFu);
}

TEST_F(PositionsEditing, PaintingDrawsOnlyTheVisibleCells) {
    auto paintCount = [&](int rows) {
        g->SetRowCount(rows);
        g->drawn = 0;
        TBitmap shot;
        shot.SetSize(g->ClientWidth(), g->ClientHeight());
        SendMessageA(g->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
        return g->drawn;
    };
    const int small = paintCount(100), large = paintCount(100000);
    EXPECT_GT(small, 0);
    EXPECT_LE(large, small * 12 / 10);
}

TEST_F(PositionsEditing, AdjustGridScalesFontsAndRowHeight) {
    g->SetAdjustGrid("8 1.2");
    for (int c = 0; c < g->ColCount(); ++c) {
        EXPECT_EQ(g->Columns().Items(c)->Font().Size(), 10) << c;
        EXPECT_EQ(g->Columns().Items(c)->Title().Font().Size(), 10) << c;
    }
    EXPECT_EQ(g->MaxSecondHeight(), 100);
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(&g->Columns().Items(0)->Font());
    EXPECT_EQ(g->DefaultRowHeight(), static_cast<int>(std::ceil(1.6 * measure.Canvas().TextHeight("Wg"))));
    g->SetAdjustGrid("10 0,5");
    EXPECT_EQ(g->Columns().Items(3)->Font().Size(), 10);
    EXPECT_EQ(g->MaxSecondHeight(), 50);
    // A malformed text changes nothing and raises nothing.
    const int height = g->DefaultRowHeight();
    EXPECT_NO_THROW(g->SetAdjustGrid("12 x"));
    EXPECT_EQ(g->Columns().Items(3)->Font().Size(), 10);
    EXPECT_EQ(g->DefaultRowHeight(), height);
    g->SetGlobalFontName("Tahoma");
    EXPECT_EQ(g->Columns().Items(5)->Font().Name(), "Tahoma");
    EXPECT_EQ(g->Columns().Items(5)->Title().Font().Name(), "Tahoma");
    EXPECT_EQ(g->SecondFont().Name(), "Tahoma");
}

}  // namespace
