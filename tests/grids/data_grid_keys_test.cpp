// The positions grid shown on a form and used with the mouse, the wheel and
// keys that go through the application's key pipeline: what reaches a cell,
// where Enter and Tab lead, where the focus is, and the second-line
// editor's F2 and F4.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edits/combo_box.h"
#include "editors/popups/calculator.h"
#include "editors/popups/popup_list_box.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/format_settings.h"
#include "framework/form.h"
#include "grids/inplace_editor.h"
#include "tests/framework/gui_counters.h"
#include "tests/framework/user_input.h"
#include "tests/grids/grid_test_support.h"

namespace {

using user_input::PressKey;
using user_input::TypeText;

// Three positions as the order import stores them; the first one has a
// second line of two lines.
const char kPositions[] =
    "\"@@DATADEF START@@\"\r\n\"TColumn-1\"\r\n\"Pos.\"\r\n\"Stueck\"\r\n\"Einheit\"\r\n\"Bezeichnung1\"\r\n"
    "\"Bezeichnung2\"\r\n\"BestellNummer\"\r\n\"Seriennummer\"\r\n\"Artikelnummer\"\r\n\"Einzelbetrag\"\r\n"
    "\"Steuer\"\r\n\"SummeBetrag\"\r\n\"intern\"\r\n\"ID_Artikel\"\r\n\"benutzer\"\r\n\"Rabatt\"\r\n"
    "\"SecondField\"\r\n\"@@DATADEF END@@\"\r\n"
    "\"TColumn-1\",\"Pos.\",\"Stueck\",\"Einheit\",\"Bezeichnung1\",\"Bezeichnung2\",\"BestellNummer\","
    "\"Seriennummer\",\"Artikelnummer\",\"Einzelbetrag\",\"Steuer\",\"SummeBetrag\",\"intern\",\"ID_Artikel\","
    "\"benutzer\",\"Rabatt\",\"SecondField\",\r\n"
    "\"d\",\"1\",\"100\",\"Stk\",\"Schraube\",\"verzinkt\",\"B-4711\",\"\",\"100-620\",\"0,12\","
    "\"19\",\"12,00\",\"\",\"17\",\"\",\"\",\"Lieferung ab Lager%c%nTeil 2 folgt\",\r\n"
    "\"d\",\"2\",\"2,5\",\"m\",\"Kabel\",\"NYM-J\",\"B-0815\",\"SN-1\",\"200-115\","
    "\"1,99\",\"7\",\"4,98\",\"\",\"18\",\"\",\"5\",\"\",\r\n"
    "\"t\",\"3\",\"\",\"\",\"Zwischensumme\",\"\",\"\",\"\",\"\",\"\",\"\",\"16,98\",\"\",\"\",\"\",\"\","
    "\"Rabatt ab 100\",\r\n";

constexpr int kPos = 1, kStueck = 2, kBez1 = 4, kBez2 = 5, kPreis = 9, kSteuer = 10, kSumme = 11, kIdArtikel = 13,
              kRabatt = 15;

class PositionsKeys : public ::testing::Test {
protected:
    void SetUp() override {
        InitFormatSettings();
        form = ShowTestForm(820, 420);
        g = Create<TDataGrid>(form);
        BuildSourceGridColumns(*g);
        ASSERT_TRUE(grid_test::Import(*g, kPositions));
        g->SetLeftStartSecond(1);
        g->SetRightEndSecond(g->ColCount() - 1);
        g->SetSecondLine(true);
        g->SetOptions(g->Options() | goTabs);
        g->SetDataGridOptions(dgoAppendRow | dgoInsertRow | dgoDeleteRow);
        // Room for what the tests type into the two text columns.
        g->SetColWidth(kBez1, 110);
        g->SetColWidth(kBez2, 110);
        g->SetBounds(0, 0, 800, 400);
        g->SetParent(form);
        Pump();
        g->SetFocus();
        Pump();
        ASSERT_EQ(GetFocus(), g->Handle());
        saved = grid_test::Save(*g);
    }
    void TearDown() override {
        form->Free();
        Pump();
    }

    void Press(int x, int y) {
        SendMessageA(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(g->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }
    // A click on the first line of a cell.
    void ClickCell(int col, int row) {
        const RECT r = g->CellRect(col, row);
        Press((r.left + r.right) / 2, r.top + 5);
    }
    // A click on the second line of a row, below the cell of col.
    void ClickSecondLine(int col, int row) {
        const RECT r = g->CellRect(col, row);
        Press((r.left + r.right) / 2, r.top + g->DefaultRowHeight() + 5);
    }
    // One notch of the wheel over the cell, as the system delivers it: to
    // the window with the focus, through the application's loop.
    void Wheel(int notches, int col, int row) {
        const RECT r = g->CellRect(col, row);
        POINT p{(r.left + r.right) / 2, r.top + 5};
        ClientToScreen(g->Handle(), &p);
        PostMessageA(GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120 * notches)), MAKELPARAM(p.x, p.y));
        Pump();
    }
    HWND EditorWindow() { return g->InplaceEditor() ? g->InplaceEditor()->EditorControl().Handle() : nullptr; }
    // No editor of the grid is visible unless the grid is in editor mode.
    bool NoHiddenOpenEditor() {
        TWinControl* editors[] = {g->InplaceSecondEdit(), g->InplaceChoiceEdit(), g->InplaceFloatEdit(),
                                  g->InplaceGridEdit(), g->InplaceComboEdit()};
        int visible = 0;
        for (TWinControl* e : editors) visible += e->Visible() ? 1 : 0;
        return g->EditorMode() ? visible == 1 && g->InplaceEditor()->EditorVisible() : visible == 0;
    }

    TForm* form = nullptr;
    TDataGrid* g = nullptr;
    std::string saved;
};

// The wheel over an open editor is the grid's: the editor closes, the row
// moves and no cell changes, also over a combo whose list is closed.
TEST_F(PositionsKeys, WheelOverAnOpenEditorMovesTheRowAndChangesNoCell) {
    ClickCell(kSteuer, 1);
    ASSERT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceComboEdit()));
    ASSERT_EQ(GetFocus(), EditorWindow());
    Wheel(1, kSteuer, 1);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), kSteuer);
    EXPECT_EQ(g->GetCell(kSteuer, 1), "19");
    EXPECT_EQ(g->GetCell(kSteuer, 2), "7");
    ASSERT_TRUE(g->EditorMode());
    EXPECT_EQ(g->InplaceRow(), 2);
    EXPECT_EQ(GetFocus(), EditorWindow());
    Wheel(-1, kSteuer, 2);
    EXPECT_EQ(g->Row(), 1);
    // A plain text editor too.
    ClickCell(kBez2, 2);
    Wheel(1, kBez2, 2);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(grid_test::Save(*g), saved);

    // A combo that is a field of its own still steps through its items.
    auto* field = Create<TI_ComboBox>(form);
    field->Items().Add("Anfang");
    field->Items().Add("Ende");
    field->SetBounds(10, 300, 120, 22);
    field->SetParent(form);
    Pump();
    field->SetFocus();
    Pump();
    field->SetItemIndex(0);
    PostMessageA(field->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(20, 310));
    Pump();
    EXPECT_EQ(field->ItemIndex(), 1);
    EXPECT_EQ(field->GetText(), "Ende");
}

// A hidden column (width -1) takes no typing from any road, and an editor is
// never open and unseen.
TEST_F(PositionsKeys, HiddenColumnsOpenNoEditorAndTakeNoTyping) {
    ASSERT_EQ(g->ColWidths(kIdArtikel), -1);
    g->MoveCurrent(false, kIdArtikel, 1, true, true);
    Wheel(1, kPos, 1);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_FALSE(g->EditorMode());
    TypeText("5");
    PressKey(VK_F2);
    TypeText("6");
    g->ShowEditor();
    TypeText("7");
    EXPECT_FALSE(g->EditorMode());
    EXPECT_TRUE(NoHiddenOpenEditor());
    EXPECT_EQ(g->GetCell(kIdArtikel, 2), "18");
    EXPECT_EQ(g->GetCell(kIdArtikel, 1), "17");

    // An open editor whose column is hidden, or whose row loses the room of
    // its second line, closes.
    ClickCell(kBez2, 2);
    ASSERT_TRUE(g->EditorMode());
    g->SetColWidth(kBez2, -1);
    EXPECT_FALSE(g->EditorMode() && g->InplaceCol() == kBez2);
    EXPECT_TRUE(NoHiddenOpenEditor());
    EXPECT_EQ(GetFocus(), g->EditorMode() ? EditorWindow() : g->Handle());
    g->SetColWidth(kBez2, 110);
    ClickSecondLine(kBez1, 1);
    ASSERT_TRUE(g->InplaceSecond());
    g->SetRowHeight(1, g->DefaultRowHeight());
    EXPECT_FALSE(g->EditorMode());
    EXPECT_TRUE(NoHiddenOpenEditor());
    EXPECT_EQ(GetFocus(), g->Handle());
    TypeText("x");
    EXPECT_EQ(grid_test::Save(*g).find("\"x\""), std::string::npos);
}

// The editor closes before a row or column goes: what was typed into it
// stays with it and never shows up in a row or column added later.
TEST_F(PositionsKeys, TextTypedIntoADeletedRowOrColumnDoesNotComeBack) {
    ClickCell(kBez2, 3);
    TypeText("NEU");
    ASSERT_EQ(g->GetCell(kBez2, 3), "NEU");
    ASSERT_TRUE(g->EditorMode());
    g->DeleteRow(3);
    EXPECT_FALSE(g->EditorMode());
    g->SetRowCount(g->RowCount() + 1);
    EXPECT_EQ(grid_test::RowText(*g, 3), "");
    EXPECT_EQ(grid_test::Save(*g).find("NEU"), std::string::npos);

    ClickCell(kBez2, 2);
    TypeText("NEU");
    ASSERT_EQ(g->GetCell(kBez2, 2), "NEU");
    g->Columns().Items(kBez2)->Free();
    EXPECT_FALSE(g->EditorMode());
    ASSERT_EQ(g->ColCount(), 15);
    g->Columns().Add();
    ASSERT_EQ(g->ColCount(), 16);
    for (int r = 1; r < g->RowCount(); ++r) EXPECT_EQ(g->GetCell(15, r), "") << r;
    EXPECT_EQ(grid_test::Save(*g).find("NEU"), std::string::npos);
}

// Opening and closing an editor writes nothing back: a cell the editor
// cannot hold as it is keeps its bytes. What the user types is written.
TEST_F(PositionsKeys, OnlyWhatTheUserChangedGoesBackIntoTheCell) {
    const std::string withNul("\0nach Null", 10);
    g->SetCell(kBez2, 2, withNul);
    g->SetCell(kPreis, 2, "1,5");
    ClickCell(kBez2, 2);
    ASSERT_TRUE(g->EditorMode());
    ClickCell(kPreis, 2);  // opens "1,50"
    ASSERT_EQ(g->InplaceEditor()->EditorText(), "1,50");
    ClickCell(kPos, 1);
    EXPECT_EQ(g->GetCell(kBez2, 2), withNul);
    EXPECT_EQ(g->GetCell(kPreis, 2), "1,5");
    ClickCell(kBez2, 2);
    TypeText("neu");
    ClickCell(kPos, 1);
    EXPECT_EQ(g->GetCell(kBez2, 2), "neu");
}

// Enter acts as Right and Tab moves to the next column, both passing the
// hidden columns over: from every column the next one shown.
TEST_F(PositionsKeys, EnterAndTabMoveToTheNextShownColumnFromEveryColumn) {
    std::vector<int> shown;
    for (int c = g->FixedCols(); c < g->ColCount(); ++c)
        if (g->ColWidths(c) > 0) shown.push_back(c);
    ASSERT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15}));
    for (size_t i = 0; i < shown.size(); ++i) {
        const int c = shown[i];
        for (WORD key : {VK_RETURN, VK_TAB}) {
            SCOPED_TRACE(std::to_string(c) + (key == VK_RETURN ? " Enter" : " Tab"));
            ClickCell(c, 1);
            ASSERT_TRUE(g->EditorMode());
            ASSERT_EQ(GetFocus(), EditorWindow());
            PressKey(key);
            const bool last = i + 1 == shown.size();
            // Enter stops at the last column; Tab goes on to the next row.
            const int col = last ? (key == VK_RETURN ? c : shown.front()) : shown[i + 1];
            const int row = last && key == VK_TAB ? 2 : 1;
            EXPECT_EQ(g->Col(), col);
            EXPECT_EQ(g->Row(), row);
            EXPECT_TRUE(GetFocus() == g->Handle() || GetFocus() == EditorWindow());
        }
    }
    // Shift+Tab from the first column goes back to the last shown one.
    ClickCell(kPos, 2);
    PressKey(VK_TAB, user_input::kShift);
    EXPECT_EQ(g->Col(), kRabatt);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(grid_test::Save(*g), saved);
}

// Emptying a second line gives the row back to its cell: the row shrinks,
// the cell's editor opens with the focus, and typing reaches that cell.
TEST_F(PositionsKeys, EmptyingASecondLineKeepsTheFocusForTheCellsEditor) {
    ClickSecondLine(kBez1, 1);
    ASSERT_TRUE(g->InplaceSecond());
    ASSERT_EQ(g->InplaceEditor()->EditorText(), "Lieferung ab Lager\r\nTeil 2 folgt");
    ASSERT_EQ(GetFocus(), EditorWindow());
    PressKey(VK_DELETE);
    EXPECT_EQ(g->GetCell(-2, 1), "");
    EXPECT_EQ(g->RowHeights(1), g->DefaultRowHeight());
    ASSERT_TRUE(g->EditorMode());
    EXPECT_FALSE(g->InplaceSecond());
    EXPECT_EQ(g->Col(), kBez1);
    EXPECT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceGridEdit()));
    EXPECT_EQ(GetFocus(), EditorWindow());
    EXPECT_TRUE(NoHiddenOpenEditor());
    TypeText("Mutter");
    EXPECT_EQ(g->GetCell(kBez1, 1), "Mutter");
}

// Enter with a drop-down open is the drop-down's: the combo takes the item
// under its selection, the calculator its result; the grid stays.
TEST_F(PositionsKeys, EnterInAnOpenDropDownBelongsToTheDropDown) {
    ClickCell(kSteuer, 2);
    TI_InplaceComboEdit* combo = g->InplaceComboEdit();
    ASSERT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(combo));
    ASSERT_GE(combo->Items().Count(), 2);
    PressKey(VK_F4);
    ASSERT_TRUE(combo->IsDroppedDown());
    PressKey(VK_DOWN);
    ASSERT_TRUE(combo->IsDroppedDown());
    const int picked = combo->List()->ItemIndex();
    ASSERT_GE(picked, 0);
    const std::string item = combo->Items().Strings(picked);
    ASSERT_NE(item, "7");
    PressKey(VK_RETURN);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(g->GetCell(kSteuer, 2), item);
    EXPECT_EQ(g->Col(), kSteuer);
    EXPECT_EQ(g->Row(), 2);

    g->Columns().Items(kPreis)->SetButtonExists(true);
    g->Columns().Items(kPreis)->SetNumericDigits(8);
    g->SetCell(kPreis, 1, "12,5");
    ClickCell(kPreis, 1);
    TI_InplaceFloatEdit* number = g->InplaceFloatEdit();
    ASSERT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(number));
    number->DropDown();
    Pump();
    ASSERT_TRUE(number->IsDroppedDown());
    TypeText("*2=");
    PressKey(VK_RETURN);
    EXPECT_FALSE(number->IsDroppedDown());
    EXPECT_EQ(number->Value(), 25);
    EXPECT_EQ(g->GetCell(kPreis, 1), number->GetText());
    EXPECT_NE(g->GetCell(kPreis, 1), "12,5");
    EXPECT_EQ(g->Col(), kPreis);
    EXPECT_EQ(g->Row(), 1);
}

// F2 and F4 in the second-line editor fit the row to its text through the
// row-height rule and move the editor onto the new area; F4 then asks for
// the long text once and writes the answer; without a handler nothing
// opens and the text stays.
TEST_F(PositionsKeys, SecondLineEditorF2AndF4FitTheRowAndAskForTheLongText) {
    int asked = 0;
    int askedRow = -1;
    std::string askedText;
    g->OnLongTextRequest = [&](TObject* sender, int row, std::string& text) {
        EXPECT_EQ(sender, g);
        ++asked;
        askedRow = row;
        askedText = text;
        text = "Langtext aus dem Archiv";
    };
    auto editorOnSecondLine = [&](int row) {
        const RECT area = g->SecondLineRect(row);
        TWinControl& e = g->InplaceSecondEdit()->EditorControl();
        return e.Visible() && e.Left() == area.left && e.Top() == area.top && e.Width() == area.right - area.left &&
               e.Height() == area.bottom - area.top;
    };

    // Many lines: the row grows to the largest height the rule allows.
    std::string tall;
    for (int i = 0; i < 30; ++i) tall += "Zeile " + std::to_string(i) + "\r\n";
    g->SetCell(-2, 2, tall);
    ClickSecondLine(kBez1, 2);
    ASSERT_TRUE(g->InplaceSecond());
    ASSERT_EQ(g->RowHeights(2), 34);
    PressKey(VK_F2);
    EXPECT_EQ(g->RowHeights(2), GridMaxRowHeight);
    EXPECT_TRUE(editorOnSecondLine(2));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(GetFocus(), EditorWindow());

    // Two lines: the row holds both below its first line.
    ClickSecondLine(kBez1, 1);
    ASSERT_TRUE(g->InplaceSecond());
    PressKey(VK_F2);
    const int fitted = g->RowHeights(1);
    EXPECT_EQ(fitted, g->SecondLineFitHeight(1));
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(&g->SecondFont());
    EXPECT_GE(fitted - g->DefaultRowHeight(), 2 * measure.Canvas().TextHeight("Wg"));
    EXPECT_LT(fitted, GridMaxRowHeight);
    EXPECT_TRUE(editorOnSecondLine(1));
    EXPECT_EQ(asked, 0);

    // F4: the same height, then the request, once, with the row's text.
    g->SetRowHeight(1, 34);
    ASSERT_TRUE(g->InplaceSecond());
    PressKey(VK_F4);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedRow, 1);
    EXPECT_EQ(askedText, "Lieferung ab Lager\r\nTeil 2 folgt");
    EXPECT_EQ(g->GetCell(-2, 1), "Langtext aus dem Archiv");
    EXPECT_EQ(g->InplaceEditor()->EditorText(), "Langtext aus dem Archiv");
    EXPECT_TRUE(g->EditorMode());
    EXPECT_GE(g->RowHeights(1), 2 * g->DefaultRowHeight());
    EXPECT_TRUE(editorOnSecondLine(1));

    // A read-only second line is not asked for.
    g->SetSecondReadOnly(true);
    ClickSecondLine(kBez1, 3);
    ASSERT_TRUE(g->InplaceSecond());
    PressKey(VK_F4);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(g->GetCell(-2, 3), "Rabatt ab 100");
    g->SetSecondReadOnly(false);

    // No handler: nothing opens, the text stays.
    g->OnLongTextRequest = nullptr;
    const std::string before = grid_test::Save(*g);
    ClickSecondLine(kBez1, 3);
    ASSERT_TRUE(g->InplaceSecond());
    const int windows = gui_counters::UserWindows();
    PressKey(VK_F4);
    EXPECT_EQ(GetFocus(), EditorWindow());
    EXPECT_EQ(gui_counters::UserWindows(), windows);
    EXPECT_EQ(g->GetCell(-2, 3), "Rabatt ab 100");
    EXPECT_EQ(grid_test::Save(*g), before);
}

}  // namespace
